#include "dialogs/FolderBrowser.h"

#include <string>

#include "platform/gdi/DC.h"
#include "platform/ui/Wnd.h"

namespace {

constexpr const wchar_t* kCaption = L"フォルダの選択";
constexpr const wchar_t* kEllipsis = L"...";

// The width of the path in the dialog's own font.
int TextWidthInDialog(HWND dialog, const CString& text) {
  CWnd* wnd = CWnd::FromHandle(dialog);
  CDC* dc = wnd != nullptr ? wnd->GetDC() : nullptr;
  if (dc == nullptr) return 0;
  CFont* old = wnd->GetFont() != nullptr ? dc->SelectObject(wnd->GetFont()) : nullptr;
  const int width = dc->GetTextExtent(text).cx;
  if (old != nullptr) dc->SelectObject(old);
  wnd->ReleaseDC(dc);
  return width;
}

int CALLBACK_Browse(HWND hwnd, UINT message, LPARAM lParam, LPARAM data) {
  if (message == BFFM_INITIALIZED) {
    SetWindowLongW(hwnd, GWL_EXSTYLE, GetWindowLongW(hwnd, GWL_EXSTYLE) & ~static_cast<LONG>(WS_EX_CONTEXTHELP));
    SetWindowTextW(hwnd, kCaption);
    if (data != 0) SendMessageW(hwnd, BFFM_SETSELECTIONW, FALSE, data);
  } else if (message == BFFM_SELCHANGED) {
    wchar_t path[MAX_PATH];
    if (!SHGetPathFromIDListW(reinterpret_cast<PCIDLIST_ABSOLUTE>(lParam), path)) return 0;
    CRect client;
    GetClientRect(hwnd, &client);
    CString status = orv::dialogs::ShortenPathFront(path, TextWidthInDialog(hwnd, path), client.Width());
    SendMessageW(hwnd, BFFM_SETSTATUSTEXTW, 0, reinterpret_cast<LPARAM>(status.GetString()));
  }
  return 0;
}

}  // namespace

namespace orv::dialogs {

CString ShortenPathFront(const CString& path, int textWidth, int clientWidth) {
  const long long overflow = static_cast<long long>(textWidth) - clientWidth;
  if (overflow < 1 || textWidth < 1) return path.Left(MAX_PATH - 1);
  const long long n = path.GetLength();
  const long long cut = overflow * n / textWidth + 3;
  if (cut >= n) return kEllipsis;
  return (CString(kEllipsis) + path.Mid(static_cast<int>(cut))).Left(MAX_PATH - 1);
}

}  // namespace orv::dialogs

CFolderBrowser::CFolderBrowser() = default;
CFolderBrowser::CFolderBrowser(const CFolderBrowser&) = default;
CFolderBrowser& CFolderBrowser::operator=(const CFolderBrowser&) = default;
CFolderBrowser::~CFolderBrowser() = default;

CString CFolderBrowser::BrowseForFolder(HWND owner, CString initialFolder, CString rootFolder, CString prompt,
                                        UINT flags) {
  IMalloc* allocator = nullptr;
  if (SHGetMalloc(&allocator) != S_OK || allocator == nullptr) return CString();
  LPITEMIDLIST root = GetItemIDList(rootFolder);
  LPITEMIDLIST initial = GetItemIDList(initialFolder);
  wchar_t displayName[MAX_PATH] = L"";
  BROWSEINFOW info{owner,        root,           displayName, prompt.GetString(), flags,
                   &CALLBACK_Browse, reinterpret_cast<LPARAM>(initial), 0};
  CString result;
  if (LPITEMIDLIST chosen = SHBrowseForFolderW(&info); chosen != nullptr) {
    wchar_t path[MAX_PATH];
    if (SHGetPathFromIDListW(chosen, path)) result = path;
    allocator->Free(chosen);
  }
  if (root != nullptr) allocator->Free(root);
  if (initial != nullptr) allocator->Free(initial);
  allocator->Release();
  return result;
}

LPITEMIDLIST CFolderBrowser::GetItemIDList(CString path) {
  if (path.IsEmpty()) return nullptr;
  IShellFolder* desktop = nullptr;
  if (SHGetDesktopFolder(&desktop) != S_OK || desktop == nullptr) return nullptr;
  std::wstring name = path.str();  // the shell parses a writable copy
  PIDLIST_RELATIVE list = nullptr;
  const HRESULT hr = desktop->ParseDisplayName(nullptr, nullptr, name.data(), nullptr, &list, nullptr);
  desktop->Release();
  if (hr != S_OK) {
    if (list != nullptr) ILFree(list);
    return nullptr;
  }
  return list;
}
