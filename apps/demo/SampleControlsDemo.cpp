// A sample dialog with every control of the window layer, in the styled dialog's night look
// and in the system look: labels, an edit with its up-down control, a tree, scroll bars,
// check boxes, radio buttons, a group box, a list, a drop-down list, styled buttons, and a
// band the dialog paints itself.
#include "apps/demo/DemoDialogs.h"
#include "platform/gdi/DC.h"
#include "platform/gdi/GdiObject.h"
#include "platform/ui/DataExchange.h"
#include "platform/ui/TemplateBuilder.h"
#include "sibling/orvcst/LumControls.h"
#include "sibling/orvcst/LumDialog.h"
#include "sibling/orvcst/LumTheme.h"

using orv::ui::DialogItem;

namespace {

enum : UINT {
  kTree = 2901, kSet = 2902, kReset = 2904, kSizeLabel = 15002, kSize = 15000, kSpin = 15001, kBand = 3000,
  kHBar = 3001, kVBar = 3002, kCheck = 3003, kRadioA = 3004, kRadioB = 3005, kGroup = 3006, kList = 3007,
  kCombo = 3008, kKindLabel = 3009
};
constexpr UINT kStatic = 0xFFFF;

const orv::DialogTemplate& SampleTemplate() {
  static const orv::DialogTemplate t = [] {
    orv::DialogTemplate d =
        orv::ui::DialogFrame(L"コントロールの見本", 300, 214, DS_MODALFRAME | DS_CENTER | WS_POPUP | WS_CAPTION | WS_SYSMENU);
    d.items = {
        DialogItem(kKindLabel, L"STATIC", L"種類(&I)：", 7, 8, 87, 9, SS_LEFT),
        DialogItem(kTree, L"SysTreeView32", L"Tree1", 7, 18, 145, 86,
             TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | TVS_SHOWSELALWAYS | WS_BORDER | WS_TABSTOP),
        DialogItem(kBand, L"STATIC", L"", 7, 111, 145, 44, SS_BLACKFRAME),
        DialogItem(kSizeLabel, L"STATIC", L"文字のサイズ(&F)：", 8, 164, 53, 8, SS_LEFT),
        DialogItem(kSize, L"EDIT", L"", 63, 162, 14, 13, ES_AUTOHSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE),
        DialogItem(kSpin, L"msctls_updown32", L"Spin1", 77, 162, 9, 13,
             UDS_AUTOBUDDY | UDS_SETBUDDYINT | UDS_ARROWKEYS | UDS_NOTHOUSANDS),
        DialogItem(kSet, L"BUTTON", L"色の設定(&C)...", 7, 181, 50, 14, BS_OWNERDRAW | WS_TABSTOP),
        DialogItem(kReset, L"BUTTON", L"リセット(&D)", 60, 181, 50, 14, BS_OWNERDRAW | WS_TABSTOP),
        DialogItem(kGroup, L"BUTTON", L"表示", 160, 80, 78, 52, BS_GROUPBOX),
        DialogItem(kCheck, L"BUTTON", L"星名(&N)", 166, 92, 66, 10, BS_AUTOCHECKBOX | WS_TABSTOP),
        DialogItem(kRadioA, L"BUTTON", L"赤道座標", 166, 104, 66, 10, BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP),
        DialogItem(kRadioB, L"BUTTON", L"黄道座標", 166, 116, 66, 10, BS_AUTORADIOBUTTON),
        DialogItem(kList, L"LISTBOX", L"", 160, 138, 78, 36, LBS_NOTIFY | WS_TABSTOP, WS_EX_CLIENTEDGE),
        DialogItem(kCombo, L"COMBOBOX", L"", 160, 180, 78, 60, CBS_DROPDOWNLIST | WS_TABSTOP),
        DialogItem(kHBar, L"SCROLLBAR", L"", 7, 199, 145, 9, SBS_HORZ),
        DialogItem(kVBar, L"SCROLLBAR", L"", 286, 80, 9, 128, SBS_VERT),
        DialogItem(kStatic, L"STATIC", L"", 244, 80, 36, 128, SS_ETCHEDFRAME),
        DialogItem(IDOK, L"BUTTON", L"OK", 238, 7, 56, 14, BS_OWNERDRAW | WS_TABSTOP),
        DialogItem(IDCANCEL, L"BUTTON", L"キャンセル", 238, 24, 56, 14, BS_OWNERDRAW | WS_TABSTOP),
        DialogItem(ID_HELP, L"BUTTON", L"ヘルプ(&H)", 238, 41, 56, 14, BS_OWNERDRAW | WS_TABSTOP),
    };
    return d;
  }();
  return t;
}

class SampleDialog : public CLumDialog {
public:
  explicit SampleDialog(int scheme, CWnd* owner) : CLumDialog(0, owner) {
    m_nColorScheme = scheme;
    InitModalIndirect(&SampleTemplate(), owner);
  }
  int m_nSize = 12;

protected:
  BOOL OnInitDialog() override {
    CLumDialog::OnInitDialog();
    AttachControls();
    CTreeCtrl& tree = m_tree;
    HTREEITEM stars = tree.InsertItem(L"恒星");
    tree.InsertItem(L"恒星名", stars);
    HTREEITEM lines = tree.InsertItem(L"星座");
    HTREEITEM figure = tree.InsertItem(L"星座線", lines);
    tree.InsertItem(L"星座境界", lines);
    tree.InsertItem(L"惑星");
    tree.SelectItem(figure);
    m_spin.SetRange(0, 30);
    for (const wchar_t* s : {L"M31", L"M42", L"NGC 7000"}) static_cast<CListBox*>(GetDlgItem(kList))->AddString(s);
    auto* combo = static_cast<CComboBox*>(GetDlgItem(kCombo));
    for (const wchar_t* s : {L"等倍", L"2倍", L"4倍"}) combo->AddString(s);
    combo->SetCurSel(1);
    CheckDlgButton(kCheck, BST_CHECKED);
    CheckDlgButton(kRadioA, BST_CHECKED);
    for (int id : {kHBar, kVBar}) {
      SCROLLINFO info{sizeof(SCROLLINFO), SIF_RANGE | SIF_PAGE | SIF_POS, 0, 120, 50, 30, 0};
      static_cast<CScrollBar*>(GetDlgItem(id))->SetScrollInfo(&info);
    }
    GetClientRect(&m_band);
    CRect band(7, 111, 152, 155);
    MapDialogRect(&band);
    m_band = band;
    return TRUE;
  }

  void AttachControls() override {
    CLumDialog::AttachControls();
    m_set.Attach(kSet, this, 0, RGB(196, 196, 196), RGB(107, 107, 107), RGB(196, 196, 196), 1);
    m_reset.Attach(kReset, this, 0, RGB(196, 196, 196), RGB(107, 107, 107), RGB(196, 196, 196), 1);
    m_edit.Attach(kSize, this);
    m_tree.Attach(kTree, this);
    m_label.Attach(kSizeLabel, this);
    m_spin.Attach(kSpin, this);
    if (m_nColorScheme == 0) CLumTheme::SetWindowTheme(m_tree.m_hWnd, L"", L"");
  }

  void DoDataExchange(CDataExchange* dx) override {
    CLumDialog::DoDataExchange(dx);
    DDX_Text(dx, kSize, m_nSize);
    DDV_MinMaxInt(dx, m_nSize, 0, 30);
  }

  void OnPaint() {
    CPaintDC dc(this);
    if (m_nColorScheme == 0) {
      CRect client;
      GetClientRect(&client);
      DrawBackground(&dc, &client, 0);
    }
    // The preview band: black, a sample line and a sample text.
    COLORREF keep = dc.GetBkColor();
    dc.FillSolidRect(&m_band, RGB(0, 0, 0));
    dc.SetBkColor(keep);
    CPen pen(PS_SOLID, 1, RGB(255, 200, 0));
    CPen* oldPen = dc.SelectObject(&pen);
    int cy = (m_band.top + m_band.bottom) / 2;
    dc.MoveTo(m_band.left + 4, cy - 8);
    dc.LineTo(m_band.right - 4, cy - 8);
    dc.SelectObject(oldPen);
    CFont font;
    font.CreateFont(m_nSize, 0, 0, 0, FW_NORMAL, 0, 0, 0, SHIFTJIS_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                    DEFAULT_QUALITY, DEFAULT_PITCH, L"MS UI Gothic");
    CFont* oldFont = dc.SelectObject(&font);
    dc.SetTextColor(RGB(120, 220, 255));
    dc.SetBkMode(TRANSPARENT);
    CRect text = m_band;
    text.top = cy - 2;
    dc.DrawText(CString(L"AaBbあぁアァαβ"), &text, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
    dc.SelectObject(oldFont);
  }

  void OnHScroll(UINT code, UINT pos, CScrollBar* bar) { Scroll(code, static_cast<int>(pos), bar); }
  void OnVScroll(UINT code, UINT pos, CScrollBar* bar) {
    if (bar != nullptr && bar->GetDlgCtrlID() == kVBar) Scroll(code, static_cast<int>(pos), bar);
  }

  DECLARE_MESSAGE_MAP()

private:
  static void Scroll(UINT code, int pos, CScrollBar* bar) {
    if (bar == nullptr) return;
    int now = bar->GetScrollPos();
    switch (code) {
      case SB_LINELEFT: --now; break;
      case SB_LINERIGHT: ++now; break;
      case SB_PAGELEFT: now -= 50; break;
      case SB_PAGERIGHT: now += 50; break;
      case SB_THUMBTRACK: now = pos; break;
      default: return;
    }
    bar->SetScrollPos(now);
  }

  CLumButton m_set, m_reset;
  CLumEdit m_edit;
  CLumTreeCtrl m_tree;
  CLumStatic m_label;
  CLumSpinButton m_spin;
  CRect m_band;
};

BEGIN_MESSAGE_MAP(SampleDialog, CLumDialog)
  ON_WM_PAINT()
  ON_WM_HSCROLL()
  ON_WM_VSCROLL()
  ON_COMMAND(ID_HELP, &CWnd::OnHelp)
END_MESSAGE_MAP()

}  // namespace

ORV_DEMO_DIALOG(sampleNight, "sample-night", L"Sample dialog (night scheme)", [](CWnd* owner) {
  SampleDialog dialog(0, owner);
  dialog.DoModal();
});

ORV_DEMO_DIALOG(sampleSystem, "sample-system", L"Sample dialog (system scheme)", [](CWnd* owner) {
  SampleDialog dialog(1, owner);
  dialog.DoModal();
});
