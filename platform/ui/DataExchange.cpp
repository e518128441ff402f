#include "platform/ui/DataExchange.h"

#include <cerrno>
#include <climits>
#include <cwchar>

#include "platform/base/MessageBox.h"
#include "platform/ui/Wnd.h"
#include "platform/ui/detail/DialogKeyboard.h"

IMPLEMENT_DYNAMIC(CUserException, CException)

void AfxThrowUserException() { throw new CUserException; }

CDataExchange::CDataExchange(CWnd* dialog, BOOL saveAndValidate)
    : m_bSaveAndValidate(saveAndValidate), m_pDlgWnd(dialog) {}

HWND CDataExchange::PrepareCtrl(int id) {
  HWND control = m_pDlgWnd != nullptr ? ::GetDlgItem(m_pDlgWnd->m_hWnd, id) : nullptr;
  if (control == nullptr) {
    // A data map naming a control the template lacks is the program's error: say so.
    CString text;
    text.Format(L"CDataExchange::PrepareCtrl(): No control with id %d in the dialog.", id);
    orv::ShowMessageBox(text, L"", MB_OK | MB_ICONEXCLAMATION);
    AfxThrowUserException();
  }
  m_hWndLastControl = control;
  m_bEditLastControl = FALSE;
  return control;
}

HWND CDataExchange::PrepareEditCtrl(int id) {
  HWND control = PrepareCtrl(id);
  m_bEditLastControl = TRUE;
  return control;
}

void CDataExchange::Fail() {
  if (m_bSaveAndValidate && IsWindow(m_hWndLastControl)) {
    // Back to the control at fault; an edit exchanged as text has its text selected.
    if (m_bEditLastControl) orv::ui::FocusDialogControl(*m_hWndLastControl);
    else ::SetFocus(m_hWndLastControl);
  }
  AfxThrowUserException();
}

void AfxSetWindowText(HWND control, LPCTSTR text) {
  CWnd* w = CWnd::FromHandle(control);
  if (w == nullptr) return;
  CString current;
  w->GetWindowText(current);
  if (current != (text != nullptr ? text : L"")) w->SetWindowText(text);
}

namespace {

CString ControlText(HWND control) {
  CString text;
  if (CWnd* w = CWnd::FromHandle(control)) w->GetWindowText(text);
  return text;
}

bool IsBlank(wchar_t c) { return c == L' ' || c == L'\t'; }

// The integer of a text: blanks, an optional sign, digits, blanks, nothing else. A text
// that names zero must begin with "0". Values beyond the range are held at its end.
bool ScanInteger(const CString& text, long long low, long long high, long long* value) {
  const wchar_t* p = text.GetString();
  while (IsBlank(*p)) ++p;
  wchar_t first = *p;
  wchar_t* end = nullptr;
  errno = 0;
  long long v = std::wcstoll(p, &end, 10);
  if (end == p || (v == 0 && first != L'0')) return false;
  p = end;
  while (IsBlank(*p)) ++p;
  if (*p != L'\0') return false;
  if (v < low) v = low;
  if (v > high) v = high;
  *value = v;
  return true;
}

void FailWithMessage(CDataExchange* dx, const CString& text) {
  orv::ShowMessageBox(text, L"", MB_OK | MB_ICONEXCLAMATION);
  dx->Fail();
}

}  // namespace

void DDX_Text(CDataExchange* dx, int id, int& value) {
  HWND control = dx->PrepareEditCtrl(id);
  if (dx->m_bSaveAndValidate) {
    long long v = 0;
    if (!ScanInteger(ControlText(control), INT_MIN, INT_MAX, &v)) FailWithMessage(dx, kParseIntMessage);
    value = static_cast<int>(v);
  } else {
    CString text;
    text.Format(L"%d", value);
    AfxSetWindowText(control, text);
  }
}

void DDX_Text(CDataExchange* dx, int id, UINT& value) {
  HWND control = dx->PrepareEditCtrl(id);
  if (dx->m_bSaveAndValidate) {
    CString text = ControlText(control);
    long long v = 0;
    if (text.Trim().Left(1) == L"-" || !ScanInteger(text, 0, UINT_MAX, &v))
      FailWithMessage(dx, L"Please enter a positive integer.");
    value = static_cast<UINT>(v);
  } else {
    CString text;
    text.Format(L"%u", value);
    AfxSetWindowText(control, text);
  }
}

void DDX_Text(CDataExchange* dx, int id, CString& value) {
  HWND control = dx->PrepareEditCtrl(id);
  if (dx->m_bSaveAndValidate) value = ControlText(control);
  else AfxSetWindowText(control, value);
}

void DDX_Check(CDataExchange* dx, int id, int& value) {
  HWND control = dx->PrepareCtrl(id);
  if (dx->m_bSaveAndValidate) value = static_cast<int>(::SendMessageW(control, BM_GETCHECK, 0, 0));
  else ::SendMessageW(control, BM_SETCHECK, static_cast<WPARAM>(value), 0);
}

void DDX_Control(CDataExchange* dx, int id, CWnd& control) {
  if (control.m_hWnd != nullptr) return;
  HWND h = dx->PrepareCtrl(id);
  if (!control.SubclassWindow(h)) AfxThrowUserException();
}

void DDV_MinMaxInt(CDataExchange* dx, int value, int minimum, int maximum) {
  if (!dx->m_bSaveAndValidate || (value >= minimum && value <= maximum)) return;
  CString text;
  text.Format(kParseIntRangeMessage, minimum, maximum);
  FailWithMessage(dx, text);
}

void DDV_MinMaxUInt(CDataExchange* dx, UINT value, UINT minimum, UINT maximum) {
  if (!dx->m_bSaveAndValidate || (value >= minimum && value <= maximum)) return;
  CString text;
  text.Format(L"Please enter an integer between %u and %u.", minimum, maximum);
  FailWithMessage(dx, text);
}

void DDV_MaxChars(CDataExchange* dx, const CString& value, int maxChars) {
  if (!dx->m_bSaveAndValidate) {
    // Moving the value in: the control refuses longer input from then on.
    if (IsWindow(dx->m_hWndLastControl) && dx->m_bEditLastControl)
      ::SendMessageW(dx->m_hWndLastControl, EM_LIMITTEXT, static_cast<WPARAM>(maxChars), 0);
    return;
  }
  if (value.GetLength() <= maxChars) return;
  CString text;
  text.Format(L"Please enter no more than %d characters.", maxChars);
  FailWithMessage(dx, text);
}
