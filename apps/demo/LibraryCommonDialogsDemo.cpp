// The library's common dialogs: a parameters dialog that keeps its values and place in the
// registry, open and save dialogs that remember their folder, the folder browser with its
// status line, and a history strip of a few thousand items.
#include <cmath>
#include <filesystem>

#include "apps/demo/DemoDialogs.h"
#include "dialogs/FolderBrowser.h"
#include "dialogs/FolderFileDialogs.h"
#include "dialogs/HistoryDialog.h"
#include "dialogs/NumberExchange.h"
#include "platform/gdi/DC.h"
#include "platform/ui/DataExchange.h"
#include "platform/ui/TemplateBuilder.h"
#include "settings/SigDialog.h"

using orv::ui::DialogItem;

namespace {

enum : UINT { kExposure = 3201, kGain = 3202, kObject = 3203, kGraph = 3301, kBar = 3302, kStatic = 0xFFFF };

const orv::DialogTemplate& ParametersTemplate() {
  static const orv::DialogTemplate t = [] {
    orv::DialogTemplate d =
        orv::ui::DialogFrame(L"撮影パラメータ", 190, 78, DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU);
    d.x = 40;
    d.y = 40;
    d.items = {
        DialogItem(kStatic, L"STATIC", L"露出回数(&N)：", 7, 9, 60, 8, SS_LEFT),
        DialogItem(kExposure, L"EDIT", L"", 70, 7, 50, 12, ES_AUTOHSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE),
        DialogItem(kStatic, L"STATIC", L"ゲイン(&G)：", 7, 27, 60, 8, SS_LEFT),
        DialogItem(kGain, L"EDIT", L"", 70, 25, 50, 12, ES_AUTOHSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE),
        DialogItem(kStatic, L"STATIC", L"天体(&O)：", 7, 45, 60, 8, SS_LEFT),
        DialogItem(kObject, L"EDIT", L"", 70, 43, 50, 12, ES_AUTOHSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE),
        DialogItem(IDOK, L"BUTTON", L"OK", 133, 7, 50, 14, BS_DEFPUSHBUTTON | WS_TABSTOP),
        DialogItem(IDCANCEL, L"BUTTON", L"キャンセル", 133, 24, 50, 14, WS_TABSTOP),
    };
    return d;
  }();
  return t;
}

// Keeps its three values and its place under "Demo\Parameters" from one run to the next.
class ParametersDialog : public CSigDialog {
public:
  explicit ParametersDialog(CWnd* owner) : CSigDialog(0, owner) { InitModalIndirect(&ParametersTemplate(), owner); }

  void UpdateRegistry(int save, const wchar_t*) override {
    constexpr const wchar_t* key = L"Demo\\Parameters";
    UpdateReg(key, L"Exposures", 12, m_nExposures, CRegistry::DT_INT, save);
    UpdateReg(key, L"Gain", 1.5, m_dGain, save);
    UpdateReg(key, L"Object", L"M42", m_strObject, save);
    CSigDialog::UpdateRegistry(save, key);
  }

protected:
  BOOL OnInitDialog() override {
    CSigDialog::OnInitDialog();
    AttachControls();
    return TRUE;
  }
  void DoDataExchange(CDataExchange* dx) override {
    CSigDialog::DoDataExchange(dx);
    DDX_Int(dx, kExposure, m_nExposures, FALSE, 4);
    DDX_Double(dx, kGain, m_dGain, FALSE, 8);
    DDX_Text(dx, kObject, m_strObject);
  }
  // The numbers are cleaned as the user types them (only then: the exchange's own changes
  // of the texts must not take the other fields before they are filled).
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override {
    const int id = LOWORD(wParam);
    if (HIWORD(wParam) == EN_CHANGE && (id == kExposure || id == kGain) && GetFocus() == GetDlgItem(id)) UpdateData(TRUE);
    return CSigDialog::OnCommand(wParam, lParam);
  }

private:
  int m_nExposures = 0;
  double m_dGain = 0;
  CString m_strObject;
};

const orv::DialogTemplate& HistoryTemplate() {
  static const orv::DialogTemplate t = [] {
    orv::DialogTemplate d = orv::ui::DialogFrame(L"等級の履歴", 280, 110, DS_MODALFRAME | DS_CENTER | WS_POPUP | WS_CAPTION | WS_SYSMENU);
    d.items = {
        DialogItem(kGraph, L"STATIC", L"", 7, 7, 266, 70, SS_LEFT),
        DialogItem(kBar, L"SCROLLBAR", L"", 7, 79, 266, 9, SBS_HORZ),
        DialogItem(IDCANCEL, L"BUTTON", L"閉じる", 223, 92, 50, 14, WS_TABSTOP),
    };
    return d;
  }();
  return t;
}

// A variable star's brightness over 3000 nights: one bar per night, opening at its end.
class BrightnessHistory : public CHistoryDialog {
public:
  explicit BrightnessHistory(CWnd* owner) : CHistoryDialog(0, kGraph, kBar, owner) {
    InitModalIndirect(&HistoryTemplate(), owner);
  }
  int GetItemCount() override { return 3000; }
  void DrawItems(CDC* dc) override {
    CRect graph;
    GetDlgItem(kGraph)->GetClientRect(&graph);
    for (int i = 0; i < GetItemCount(); ++i) {
      double phase = std::sin(i * 2.0 * 3.14159265358979 / 97.0) + 0.3 * std::sin(i * 0.61);
      int height = static_cast<int>((phase + 1.3) / 2.6 * (graph.Height() - 4)) + 2;
      COLORREF color = i % 97 < 8 ? RGB(255, 190, 80) : RGB(110, 170, 255);
      dc->FillSolidRect(i * kItemWidth, graph.Height() - height, kItemWidth - 1, height, color);
    }
  }

protected:
  BOOL OnInitDialog() override {
    CHistoryDialog::OnInitDialog();
    AttachControls();
    ScrollToEnd();
    return TRUE;
  }
};

constexpr const wchar_t* kImageFilter = L"FITS 画像 (*.fits;*.fit)|*.fits;*.fit|すべてのファイル (*.*)|*.*||";

}  // namespace

ORV_DEMO_DIALOG(parameters, "parameters", L"Parameters (kept in the registry)", [](CWnd* owner) {
  ParametersDialog dialog(owner);
  dialog.DoModal();
});

ORV_DEMO_DIALOG(fileOpenFolder, "file-open-folder", L"Open (remembers its folder)", [](CWnd* owner) {
  CDlgFileOpen dialog(TRUE, nullptr, nullptr, OFN_HIDEREADONLY | OFN_FILEMUSTEXIST, kImageFilter, owner);
  dialog.DoModal();
});

ORV_DEMO_DIALOG(fileSaveFolder, "file-save-folder", L"Save (remembers its folder)", [](CWnd* owner) {
  CDlgFileSave dialog(nullptr, FALSE, L"fits", L"sample.fits", OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, kImageFilter, owner);
  dialog.DoModal();
});

ORV_DEMO_DIALOG(folderBrowser, "folder-browser", L"Folder browser", [](CWnd* owner) {
  std::error_code ec;
  CString start = std::filesystem::current_path(ec).wstring();
  CFolderBrowser browser;
  browser.BrowseForFolder(owner != nullptr ? owner->m_hWnd : nullptr, start, L"", L"画像のフォルダを選んでください。",
                          BIF_RETURNONLYFSDIRS | BIF_STATUSTEXT);
});

ORV_DEMO_DIALOG(history, "history", L"History strip", [](CWnd* owner) {
  BrightnessHistory dialog(owner);
  dialog.DoModal();
});
