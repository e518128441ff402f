#pragma once
// Microsoft-style wide printf formatting on top of {fmt}'s printf engine.
#include <string>
#include <string_view>
#include <type_traits>

#include <fmt/printf.h>
#include <fmt/xchar.h>

#include "platform/base/Export.h"

namespace orv::detail {

// Rewrites a Microsoft wide format into the form {fmt} takes: "%S", "%hs", "%ls", "%ws" all
// become "%s" (every string argument is widened before formatting), "%C" becomes "%c",
// "%I64d" becomes "%lld", "%I32d" becomes "%d".
ORV_API std::wstring TranslateMsFormat(const wchar_t* format);
ORV_API std::wstring NarrowArgToWide(std::string_view s);

// Maps each argument to what {fmt}'s wide printf can take.
template <typename T, typename = void>
struct MsFormatArg {
  static const T& Get(const T& v) { return v; }
};
template <>
struct MsFormatArg<const wchar_t*> {
  static std::wstring_view Get(const wchar_t* s) { return s ? std::wstring_view(s) : std::wstring_view(L"(null)"); }
};
template <>
struct MsFormatArg<wchar_t*> {
  static std::wstring_view Get(const wchar_t* s) { return s ? std::wstring_view(s) : std::wstring_view(L"(null)"); }
};
template <std::size_t N>
struct MsFormatArg<wchar_t[N]> {
  static std::wstring_view Get(const wchar_t* s) { return s; }
};
template <>
struct MsFormatArg<std::wstring> {
  static std::wstring_view Get(const std::wstring& s) { return s; }
};
template <>
struct MsFormatArg<const char*> {
  static std::wstring Get(const char* s) { return NarrowArgToWide(s ? std::string_view(s) : std::string_view("(null)")); }
};
template <>
struct MsFormatArg<char*> {
  static std::wstring Get(const char* s) { return NarrowArgToWide(s ? std::string_view(s) : std::string_view("(null)")); }
};
template <std::size_t N>
struct MsFormatArg<char[N]> {
  static std::wstring Get(const char* s) { return NarrowArgToWide(s); }
};
template <>
struct MsFormatArg<std::string> {
  static std::wstring Get(const std::string& s) { return NarrowArgToWide(s); }
};
template <>
struct MsFormatArg<char> {
  static wchar_t Get(char c) { return static_cast<wchar_t>(static_cast<unsigned char>(c)); }
};

template <typename T>
decltype(auto) ToFormatArg(const T& v) {
  return MsFormatArg<std::remove_cv_t<T>>::Get(v);
}

template <typename... Args>
std::wstring MsFormat(const wchar_t* format, const Args&... args) {
  if (format == nullptr) return {};
  std::wstring translated = TranslateMsFormat(format);
  try {
    return fmt::sprintf(std::wstring_view(translated), ToFormatArg(args)...);
  } catch (const fmt::format_error&) {
    return format;  // a format that does not fit its arguments stays unexpanded
  }
}

}  // namespace orv::detail
