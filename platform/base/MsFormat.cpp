#include "platform/base/detail/MsFormat.h"

#include "platform/base/TextCodec.h"

namespace orv::detail {

std::wstring NarrowArgToWide(std::string_view s) { return DecodeUtf8(s); }

std::wstring TranslateMsFormat(const wchar_t* format) {
  std::wstring out;
  const wchar_t* p = format;
  while (*p) {
    if (*p != L'%') { out += *p++; continue; }
    out += *p++;
    if (*p == L'%') { out += *p++; continue; }
    // flags, width, precision
    while (*p && std::wstring_view(L"-+ #0").find(*p) != std::wstring_view::npos) out += *p++;
    while (*p == L'*' || (*p >= L'0' && *p <= L'9')) out += *p++;
    if (*p == L'.') {
      out += *p++;
      while (*p == L'*' || (*p >= L'0' && *p <= L'9')) out += *p++;
    }
    // length modifiers: Microsoft's I64/I32/I/w become what {fmt} knows
    std::wstring length;
    for (;;) {
      if (p[0] == L'I' && p[1] == L'6' && p[2] == L'4') { length += L"ll"; p += 3; }
      else if (p[0] == L'I' && p[1] == L'3' && p[2] == L'2') { p += 3; }
      else if (*p == L'I') { length += L"z"; ++p; }
      else if (*p == L'w') { ++p; }
      else if (*p && std::wstring_view(L"hlLqjzt").find(*p) != std::wstring_view::npos) { length += *p++; }
      else break;
    }
    wchar_t type = *p;
    if (type == L'\0') break;
    ++p;
    if (type == L's' || type == L'S' || type == L'Z') { out += L's'; continue; }  // strings are widened
    if (type == L'c' || type == L'C') { out += L'c'; continue; }
    out += length;
    out += type;
  }
  return out;
}

}  // namespace orv::detail
