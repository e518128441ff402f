// The numeric fields: each exchange works on the edit control's text through the control's
// own messages, so the limit, the text and the selection are the ones the user sees.
#include "dialogs/NumberExchange.h"

#include <vector>

#include "dialogs/detail/NumberText.h"
#include "platform/base/Crt.h"
#include "platform/ui/DataExchange.h"
#include "platform/ui/Wnd.h"

namespace {

using orv::dialogs::IsOversizedDecimal;

HWND EditOf(CDataExchange* dx, int id) {
  if (dx == nullptr || dx->m_pDlgWnd == nullptr) return nullptr;
  return ::GetDlgItem(dx->m_pDlgWnd->m_hWnd, id);
}

CString TextOf(HWND edit) {
  CString text;
  CWnd::FromHandle(edit)->GetWindowText(text);
  return text;
}

// The selection as the user left it; the control clamps it to a shorter text on restoring.
class KeptSelection {
public:
  explicit KeptSelection(HWND edit) : edit_(edit) {
    ::SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start_), reinterpret_cast<LPARAM>(&end_));
  }
  ~KeptSelection() {
    ::SendMessageW(edit_, EM_SETSEL, start_, static_cast<LPARAM>(end_));
    ::SendMessageW(edit_, EM_SCROLLCARET, 0, 0);
  }
  KeptSelection(const KeptSelection&) = delete;
  KeptSelection& operator=(const KeptSelection&) = delete;

private:
  HWND edit_;
  DWORD start_ = 0;
  DWORD end_ = 0;
};

// The first exchange on a control sets its limit and starts it at "0". A limit that the
// control cannot take as given (0 means "no limit" to it) is only set once, so that the
// user's text is not reset on every exchange.
void ApplyFirstExchangeLimit(HWND edit, unsigned int maxChars) {
  const auto before = static_cast<unsigned int>(::SendMessageW(edit, EM_GETLIMITTEXT, 0, 0));
  if (before == maxChars) return;
  ::SendMessageW(edit, EM_LIMITTEXT, maxChars, 0);
  if (static_cast<unsigned int>(::SendMessageW(edit, EM_GETLIMITTEXT, 0, 0)) != before) ::SetWindowTextW(edit, L"0");
}

// The control's text, cleaned, and put back when cleaning changed it.
CString CleanText(HWND edit, int allowPoint, int allowSign) {
  CString text = TextOf(edit);
  double ignored = 0;
  if (allowPoint && (allowSign || text.Left(1) != L"-") && IsOversizedDecimal(text, &ignored)) return text;
  std::vector<wchar_t> buffer(text.GetString(), text.GetString() + text.GetLength() + 1);
  if (!NormalizeNumberText(buffer.data(), allowPoint, allowSign)) return text;
  ::SetWindowTextW(edit, buffer.data());
  return buffer.data();
}

double DecimalOf(const CString& text) {
  double value = 0;
  return IsOversizedDecimal(text, &value) ? value : _wtof(text);
}

// What sets the integer and the decimal fields apart.
struct IntegerText {
  static constexpr BOOL kPoint = FALSE;
  static int Read(const CString& text) { return _wtoi(text); }
  static CString Write(int value) {
    CString text;
    text.Format(L"%d", value);
    return text;
  }
};
struct DecimalText {
  static constexpr BOOL kPoint = TRUE;
  static double Read(const CString& text) { return DecimalOf(text); }
  static CString Write(double value) { return orv::dialogs::FormatDecimal(value); }
};

// One cleaning exchange: the text is replaced only when its number is not the member's (a
// NaN member always replaces it), else it is only cleaned.
template <class Text, class T>
void ExchangeCleanNumber(CDataExchange* dx, int id, T& value, int allowSign, unsigned int maxChars) {
  HWND edit = EditOf(dx, id);
  if (edit == nullptr) return;
  ApplyFirstExchangeLimit(edit, maxChars);
  KeptSelection selection(edit);
  if (dx->m_bSaveAndValidate) {
    value = Text::Read(CleanText(edit, Text::kPoint, allowSign));
    if (!allowSign && value < 0) value = 0;
    return;
  }
  if (!allowSign && value < 0) value = 0;
  if (!(Text::Read(TextOf(edit)) == value))
    ::SetWindowTextW(edit, Text::Write(value));
  else
    CleanText(edit, Text::kPoint, allowSign);
}

}  // namespace

void DDX_Int(CDataExchange* pDX, int nIDC, int& value, int allowSign, unsigned int maxChars) {
  ExchangeCleanNumber<IntegerText>(pDX, nIDC, value, allowSign, maxChars);
}

void DDX_Uint(CDataExchange* pDX, int nIDC, unsigned int& value, unsigned int maxChars) {
  int asInt = static_cast<int>(value);
  DDX_Int(pDX, nIDC, asInt, FALSE, maxChars);
  value = asInt < 0 ? 0u : static_cast<unsigned int>(asInt);
}

void DDX_Double(CDataExchange* pDX, int nIDC, double& value, int allowSign, unsigned int maxChars) {
  ExchangeCleanNumber<DecimalText>(pDX, nIDC, value, allowSign, maxChars);
}

void DDX_DoubleFmt(CDataExchange* pDX, int nIDC, double& value, const wchar_t* format, unsigned int maxChars) {
  HWND edit = EditOf(pDX, nIDC);
  if (edit == nullptr) return;
  ::SendMessageW(edit, EM_LIMITTEXT, maxChars, 0);
  KeptSelection selection(edit);
  pDX->PrepareEditCtrl(nIDC);
  if (pDX->m_bSaveAndValidate)
    value = DecimalOf(TextOf(edit));
  else
    ::SetWindowTextW(edit, orv::dialogs::FormatDecimal(value, format));
}
