// The cleaning and formatting rules of the numeric fields.
#include "dialogs/detail/NumberText.h"

#include <charconv>
#include <cmath>
#include <cwchar>
#include <string>

#include "platform/base/Crt.h"

namespace {
bool IsDigit(wchar_t c) { return c >= L'0' && c <= L'9'; }
}  // namespace

int NormalizeNumberText(wchar_t* text, int allowPoint, int allowSign) {
  if (text == nullptr || text[0] == L'\0') return 0;
  bool changed = false;
  bool pointSeen = false;
  std::size_t read = 1;  // the first character not yet examined
  std::size_t kept = 1;  // the cleaned text is text[0, kept)
  const wchar_t first = text[0];
  if ((first == L'+' || first == L'-') && allowSign) {
  } else if (first == L'.' && allowPoint) {
    pointSeen = true;
  } else if (first == L'0') {
    if (text[1] == L'0') {
      while (text[read] == L'0') ++read;  // a run of leading zeros becomes one
      changed = true;
    }
  } else if (!IsDigit(first)) {
    // Invalid here; the loop below looks at it again and drops it.
    changed = true;
    read = 0;
    kept = 0;
  }
  if (text[1] == L'\0') {
    if (!changed) return 0;
    text[0] = L'\0';
    return 1;
  }
  for (; text[read] != L'\0'; ++read) {
    const wchar_t c = text[read];
    if (IsDigit(c) || (c == L'.' && allowPoint && !pointSeen)) {
      pointSeen = pointSeen || c == L'.';
      text[kept++] = c;
    } else {
      changed = true;
    }
  }
  text[kept] = L'\0';
  return changed ? 1 : 0;
}

void TrimTrailingZeros(wchar_t* text) {
  if (text == nullptr || std::wcschr(text, L'.') == nullptr) return;
  std::size_t length = std::wcslen(text);
  while (length > 0 && text[length - 1] == L'0') text[--length] = L'\0';
  if (length > 0 && text[length - 1] == L'.') text[length - 1] = L'\0';
}

namespace orv::dialogs {

namespace {

// The shortest exponent form that reads back to the value ("1e+300", "-2.5e+260").
CString ExponentForm(double value) {
  char digits[64];
  auto result = std::to_chars(digits, digits + sizeof digits, value, std::chars_format::scientific);
  return CString(std::string(digits, result.ptr).c_str());
}

bool FitsFixedForm(double value) {
  wchar_t buffer[kMaxNumberText + 1];
  return swprintf_s(buffer, L"%f", value) >= 0;
}

}  // namespace

CString FormatDecimal(double value) {
  wchar_t buffer[kMaxNumberText + 1];
  if (swprintf_s(buffer, L"%f", value) < 0) return ExponentForm(value);
  TrimTrailingZeros(buffer);
  return buffer;
}

CString FormatDecimal(double value, const wchar_t* format) {
  wchar_t buffer[kMaxNumberText + 1];
  if (format == nullptr || swprintf_s(buffer, format, value) < 0) return ExponentForm(value);
  return buffer;
}

bool IsOversizedDecimal(const CString& text, double* value) {
  if (text.Find(L'e') < 0 || text.GetLength() > 64) return false;
  // Read the whole text or nothing, with "." whatever the process locale says.
  std::string ascii;
  for (int i = 0; i < text.GetLength(); ++i) {
    if (text[i] > 0x7F) return false;
    ascii += static_cast<char>(text[i]);
  }
  const char* begin = ascii.data() + (ascii[0] == '+' ? 1 : 0);
  double parsed = 0;
  auto result = std::from_chars(begin, ascii.data() + ascii.size(), parsed);
  if (result.ec != std::errc() || result.ptr != ascii.data() + ascii.size()) return false;
  if (!std::isfinite(parsed) || FitsFixedForm(parsed)) return false;
  *value = parsed;
  return true;
}

}  // namespace orv::dialogs
