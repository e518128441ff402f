#include "platform/base/detail/MsFormat.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <cwctype>

#include "platform/base/TextCodec.h"

namespace orv::detail {

std::wstring NarrowArgToWide(std::string_view s) { return DecodeUtf8(s); }

namespace {

// An infinity or NaN as the platform's C runtime prints it: "inf", "nan", "-nan(ind)" for
// the default NaN (sign set, only the quiet bit in the payload), "nan(snan)" for a
// signalling one; upper case for %E, %F, %G and %A.
std::wstring NonFiniteText(double v, bool upper, wchar_t signFlag) {
  std::wstring text = std::signbit(v) ? L"-" : signFlag != 0 ? std::wstring(1, signFlag) : L"";
  if (std::isinf(v)) {
    text += L"inf";
  } else {
    std::uint64_t bits;
    std::memcpy(&bits, &v, sizeof bits);
    const std::uint64_t payload = bits & 0x000FFFFFFFFFFFFFull, quiet = 0x0008000000000000ull;
    text += (payload & quiet) == 0 ? L"nan(snan)" : std::signbit(v) && payload == quiet ? L"nan(ind)" : L"nan";
  }
  if (upper)
    for (wchar_t& c : text) c = static_cast<wchar_t>(std::towupper(c));
  return text;
}

bool IsFloatConversion(wchar_t type) { return std::wstring_view(L"eEfFgGaA").find(type) != std::wstring_view::npos; }

}  // namespace

std::wstring TranslateMsFormat(const wchar_t* format) { return TranslateMsFormat(format, {}, nullptr); }

std::wstring TranslateMsFormat(const wchar_t* format, const std::vector<FormatArgInfo>& args,
                               std::vector<std::optional<std::wstring>>* texts) {
  std::wstring out;
  std::size_t arg = 0;  // the next argument a conversion takes
  const wchar_t* p = format;
  while (*p) {
    if (*p != L'%') { out += *p++; continue; }
    const std::size_t start = out.size();
    out += *p++;
    if (*p == L'%') { out += *p++; continue; }
    // flags, width, precision; each "*" takes an argument
    std::wstring flags;
    while (*p && std::wstring_view(L"-+ #0").find(*p) != std::wstring_view::npos) {
      flags += *p;
      out += *p++;
    }
    std::vector<std::size_t> stars;
    long long width = 0;
    while (*p == L'*' || (*p >= L'0' && *p <= L'9')) {
      if (*p == L'*') {
        if (arg < args.size() && args[arg].integer) width = *args[arg].integer;
        stars.push_back(arg++);
      } else {
        width = std::min<long long>(width * 10 + (*p - L'0'), 1 << 20);
      }
      out += *p++;
    }
    if (*p == L'.') {
      out += *p++;
      while (*p == L'*' || (*p >= L'0' && *p <= L'9')) {
        if (*p == L'*') stars.push_back(arg++);
        out += *p++;
      }
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
    const std::size_t value = arg++;
    if (texts != nullptr && IsFloatConversion(type) && value < args.size() && args[value].nonFinite) {
      const bool left = flags.find(L'-') != std::wstring::npos || width < 0;
      const wchar_t sign = flags.find(L'+') != std::wstring::npos ? L'+' : flags.find(L' ') != std::wstring::npos ? L' ' : 0;
      std::wstring text = NonFiniteText(*args[value].nonFinite, std::iswupper(type) != 0, sign);
      const auto pad = static_cast<std::size_t>(std::min<long long>(width < 0 ? -width : width, 1 << 20));
      if (text.size() < pad) text.insert(left ? text.size() : 0, pad - text.size(), L' ');
      out.resize(start);
      for (std::size_t star : stars) {
        out += L"%s";
        if (star < texts->size()) (*texts)[star] = std::wstring();
      }
      out += L"%s";
      (*texts)[value] = std::move(text);
      continue;
    }
    if (type == L's' || type == L'S' || type == L'Z') { out += L's'; continue; }  // strings are widened
    if (type == L'c' || type == L'C') { out += L'c'; continue; }
    out += length;
    out += type;
  }
  return out;
}

}  // namespace orv::detail
