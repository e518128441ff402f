#include "colour/HexColor.h"

namespace orv {

bool ReadHexColor(const CString& text, COLORREF& color) {
  const std::wstring& s = text.str();
  size_t i = s.find_first_not_of(L" \t");
  if (i == std::wstring::npos) return false;
  COLORREF value = 0;
  int digits = 0;
  for (; i < s.size() && digits < 6; ++i, ++digits) {
    wchar_t ch = s[i];
    int d = (ch >= L'0' && ch <= L'9')   ? ch - L'0'
            : (ch >= L'A' && ch <= L'F') ? ch - L'A' + 10
            : (ch >= L'a' && ch <= L'f') ? ch - L'a' + 10
                                         : -1;
    if (d < 0) break;
    value = value * 16 + static_cast<COLORREF>(d);
  }
  if (digits == 0) return false;
  color = value;
  return true;
}

}  // namespace orv
