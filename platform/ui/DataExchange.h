#pragma once
// Dialog data exchange: CDataExchange carries the direction of one UpdateData run, the DDX_
// functions move a member to or from a control, the DDV_ functions validate, and Fail
// abandons the run (the framework's user exception, which UpdateData catches).
#include "platform/base/CString.h"
#include "platform/base/Exception.h"
#include "platform/ui/WinUser.h"

class CWnd;

// Thrown by CDataExchange::Fail after the user has been told what is wrong.
class ORV_API CUserException : public CException {
  DECLARE_DYNAMIC(CUserException)
};
[[noreturn]] ORV_API void AfxThrowUserException();

// The framework's standard validation messages.
inline constexpr const wchar_t* kParseIntMessage = L"Please enter an integer.";
inline constexpr const wchar_t* kParseIntRangeMessage = L"Please enter an integer between %d and %d.";

class ORV_API CDataExchange {
public:
  CDataExchange(CWnd* dialog, BOOL saveAndValidate);

  BOOL m_bSaveAndValidate;  // TRUE: controls to members, with validation
  CWnd* m_pDlgWnd;          // the dialog served

  // The control of that id, remembered as the one a failure returns the focus to.
  HWND PrepareCtrl(int id);
  HWND PrepareEditCtrl(int id);
  // Puts the focus back on the last prepared control (selecting an edit's text) and throws
  // CUserException.
  [[noreturn]] void Fail();

  HWND m_hWndLastControl = nullptr;
  BOOL m_bEditLastControl = FALSE;
};

// Sets a control's text only when it differs, so an unchanged value raises no notification.
ORV_API void AfxSetWindowText(HWND control, LPCTSTR text);

// int: the text is an optional sign and decimal digits with blanks around; anything else is
// refused with "Please enter an integer." A value beyond the int range is held at its end.
ORV_API void DDX_Text(CDataExchange* dx, int id, int& value);
ORV_API void DDX_Text(CDataExchange* dx, int id, UINT& value);
ORV_API void DDX_Text(CDataExchange* dx, int id, CString& value);
ORV_API void DDX_Check(CDataExchange* dx, int id, int& value);
// Binds a member object to the control (the first exchange subclasses it).
ORV_API void DDX_Control(CDataExchange* dx, int id, CWnd& control);
// Validates on saving only: outside minimum..maximum gives the standard range message.
ORV_API void DDV_MinMaxInt(CDataExchange* dx, int value, int minimum, int maximum);
ORV_API void DDV_MinMaxUInt(CDataExchange* dx, UINT value, UINT minimum, UINT maximum);
ORV_API void DDV_MaxChars(CDataExchange* dx, const CString& value, int maxChars);
