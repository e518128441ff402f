#pragma once
// Microsoft-style wide printf formatting on top of {fmt}'s printf engine. Included by
// CString.h and Crt.h for their formatting templates (so it is installed with them);
// callers use those, not this.
#include <cmath>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

#include <fmt/args.h>
#include <fmt/printf.h>
#include <fmt/xchar.h>

#include "platform/base/Export.h"

namespace orv::detail {

// Rewrites a Microsoft wide format into the form {fmt} takes: "%S", "%hs", "%ls", "%ws" all
// become "%s" (every string argument is widened before formatting), "%C" becomes "%c",
// "%I64d" becomes "%lld", "%I32d" becomes "%d".
ORV_API std::wstring TranslateMsFormat(const wchar_t* format);
// What the translation needs to know of an argument: the value of an infinite or NaN
// floating-point one, or the value of an integer one (a "*" width may take it).
struct FormatArgInfo {
  std::optional<double> nonFinite;
  std::optional<long long> integer;
};
// The same, for a call with an infinite or NaN argument, which the platform's runtime prints
// differently from {fmt} ("inf", "-nan(ind)"): each floating-point conversion of one, with
// the "*" arguments it takes, becomes "%s" per argument, and (*texts)[i] is the text to pass
// in place of argument i (the value as the platform prints it, width and flags applied; ""
// for a "*" argument).
ORV_API std::wstring TranslateMsFormat(const wchar_t* format, const std::vector<FormatArgInfo>& args,
                                       std::vector<std::optional<std::wstring>>* texts);
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

template <typename T>
FormatArgInfo InfoOf(const T& v) {
  if constexpr (std::is_floating_point_v<T>) {
    if (!std::isfinite(v)) return {static_cast<double>(v), std::nullopt};
  } else if constexpr (std::is_integral_v<T>) {
    return {std::nullopt, static_cast<long long>(v)};
  }
  return {};
}

template <typename T>
bool IsNonFinite(const T& v) {
  if constexpr (std::is_floating_point_v<T>) return !std::isfinite(v);
  return false;
}

// Infinities and NaNs are rare: only a call that has one takes the slower road through a
// dynamic argument list, where their texts stand in for them.
template <typename... Args>
std::wstring MsFormatNonFinite(const wchar_t* format, const Args&... args) {
  std::vector<std::optional<std::wstring>> texts(sizeof...(Args));
  const std::wstring translated = TranslateMsFormat(format, {InfoOf(args)...}, &texts);
  fmt::dynamic_format_arg_store<fmt::wprintf_context> store;
  std::size_t i = 0;
  auto push = [&](const auto& arg) {
    if (texts[i])
      store.push_back(*texts[i]);
    else
      store.push_back(ToFormatArg(arg));
    ++i;
  };
  (push(args), ...);
  return fmt::vsprintf(std::wstring_view(translated), fmt::basic_format_args<fmt::wprintf_context>(store));
}

template <typename... Args>
std::wstring MsFormat(const wchar_t* format, const Args&... args) {
  if (format == nullptr) return {};
  try {
    if constexpr ((std::is_floating_point_v<Args> || ...))
      if ((IsNonFinite(args) || ...)) return MsFormatNonFinite(format, args...);
    std::wstring translated = TranslateMsFormat(format);
    return fmt::sprintf(std::wstring_view(translated), ToFormatArg(args)...);
  } catch (const fmt::format_error&) {
    return format;  // a format that does not fit its arguments stays unexpanded
  }
}

}  // namespace orv::detail
