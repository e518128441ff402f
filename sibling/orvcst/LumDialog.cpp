#include "sibling/orvcst/LumDialog.h"

#include "platform/gdi/DC.h"
#include "platform/ui/Appearance.h"
#include "sibling/orvreg/Registry.h"

IMPLEMENT_DYNAMIC(CLumDialog, CDialog)

BEGIN_MESSAGE_MAP(CLumDialog, CDialog)
  ON_WM_ERASEBKGND()
  ON_WM_DESTROY()
END_MESSAGE_MAP()

namespace {
constexpr const wchar_t* kPositionValue = L"WindowPos";

// Labels and the buttons that show their text on the dialog's background.
bool ShowsTextOnBackground(HWND child) {
  wchar_t name[32] = L"";
  GetClassNameW(child, name, 32);
  CString cls(name);
  if (cls.CompareNoCase(WC_STATIC) == 0) return true;
  if (cls.CompareNoCase(WC_BUTTON) != 0) return false;
  DWORD type = static_cast<DWORD>(GetWindowLongW(child, GWL_STYLE)) & BS_TYPEMASK;
  return type != BS_PUSHBUTTON && type != BS_DEFPUSHBUTTON && type != BS_OWNERDRAW;
}
}  // namespace

CLumDialog::CLumDialog(UINT templateId, CWnd* parent) : CDialog(templateId, parent) {}

CLumDialog::CLumDialog(CCorLum* corLum, UINT templateId, CWnd* parent)
    : CDialog(templateId, parent), CLumDialogBase(corLum) {}

CLumDialog::CLumDialog(CCorLum* corLum, CCorLum* secondCorLum, UINT templateId, CWnd* parent)
    : CDialog(templateId, parent), CLumDialogBase(corLum, secondCorLum) {}

CLumDialog::~CLumDialog() = default;

BOOL CLumDialog::OnInitDialog() {
  BOOL result = CDialog::OnInitDialog();
  if (!m_strRegKey.IsEmpty()) CRegistry::Read(m_strRegKey, kPositionValue, this);
  if (m_nColorScheme == 0) {
    for (HWND child = ::GetWindow(m_hWnd, GW_CHILD); child != nullptr; child = ::GetWindow(child, GW_HWNDNEXT))
      if (ShowsTextOnBackground(child)) orv::ui::SetControlColors(child, kNightText, CLR_INVALID);
  }
  return result;
}

void CLumDialog::AttachControls() {
  COLORREF text = m_nColorScheme == 0 ? kNightButtonText : GetSysColor(COLOR_BTNTEXT);
  COLORREF face = m_nColorScheme == 0 ? kNightButtonFace : GetSysColor(COLOR_BTNFACE);
  COLORREF frame = m_nColorScheme == 0 ? kNightButtonText : GetSysColor(COLOR_3DSHADOW);
  struct Binding {
    int id;
    CLumButton& button;
  } bindings[] = {{IDOK, m_btnOK}, {IDCANCEL, m_btnCancel}, {static_cast<int>(ID_HELP), m_btnHelp}};
  for (const Binding& b : bindings)
    if (b.button.m_hWnd == nullptr && GetDlgItem(b.id) != nullptr)
      b.button.Attach(static_cast<UINT>(b.id), this, 0, text, face, frame, 1);
}

BOOL CLumDialog::PreTranslateMessage(MSG* msg) { return CDialog::PreTranslateMessage(msg); }

void CLumDialog::DoDataExchange(CDataExchange* dx) { CDialog::DoDataExchange(dx); }

BOOL CLumDialog::OnEraseBkgnd(CDC* dc) {
  if (m_nColorScheme != 0 || dc == nullptr) return CDialog::OnEraseBkgnd(dc);
  CRect client;
  GetClientRect(&client);
  DrawBackground(dc, &client, 0);
  return TRUE;
}

void CLumDialog::OnDestroy() {
  if (!m_strRegKey.IsEmpty()) CRegistry::Write(m_strRegKey, kPositionValue, this);
  CDialog::OnDestroy();
}
