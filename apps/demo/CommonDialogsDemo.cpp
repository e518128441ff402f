// The common dialogs: the colour chooser, the file dialog and the folder chooser.
#include <filesystem>

#include "apps/demo/DemoDialogs.h"
#include "platform/ui/ColorDialog.h"
#include "platform/ui/FileDialog.h"
#include "platform/ui/ShellBrowse.h"

namespace {

// Shows the selected folder in the status line, as a folder browser does.
int ShowSelection(HWND hwnd, UINT message, LPARAM lParam, LPARAM) {
  wchar_t path[MAX_PATH];
  if (message == BFFM_SELCHANGED && SHGetPathFromIDListW(reinterpret_cast<PCIDLIST_ABSOLUTE>(lParam), path))
    SendMessageW(hwnd, BFFM_SETSTATUSTEXTW, 0, reinterpret_cast<LPARAM>(path));
  return 0;
}

}  // namespace

ORV_DEMO_DIALOG(colourChooser, "colour-chooser", L"Colour chooser", [](CWnd* owner) {
  CColorDialog dialog(RGB(64, 160, 255), CC_RGBINIT, owner);
  dialog.DoModal();
});

ORV_DEMO_DIALOG(fileOpen, "file-open", L"File dialog", [](CWnd* owner) {
  CFileDialog dialog(TRUE, nullptr, nullptr, OFN_HIDEREADONLY | OFN_FILEMUSTEXIST,
                     L"FITS images (*.fits;*.fit)|*.fits;*.fit|All files (*.*)|*.*||", owner);
  dialog.DoModal();
});

ORV_DEMO_DIALOG(folderChooser, "folder-chooser", L"Folder chooser", [](CWnd* owner) {
  std::error_code ec;
  std::wstring start = std::filesystem::current_path(ec).wstring();
  PIDLIST_ABSOLUTE initial = ILCreateFromPathW(start.c_str());
  BROWSEINFOW info{owner != nullptr ? owner->m_hWnd : nullptr,
                   nullptr,
                   nullptr,
                   L"画像のフォルダを選んでください。",
                   BIF_RETURNONLYFSDIRS | BIF_STATUSTEXT,
                   [](HWND hwnd, UINT message, LPARAM lParam, LPARAM data) {
                     if (message == BFFM_INITIALIZED && data != 0) SendMessageW(hwnd, BFFM_SETSELECTIONW, FALSE, data);
                     return ShowSelection(hwnd, message, lParam, data);
                   },
                   reinterpret_cast<LPARAM>(initial),
                   0};
  ILFree(SHBrowseForFolderW(&info));
  ILFree(initial);
});
