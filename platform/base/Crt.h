#pragma once
// The wide-character C runtime helpers of the Microsoft runtime, with its semantics: numbers
// read as far as they go (never an error), and the "_s" functions check every size, never
// write past a buffer and report misuse by an errno_t code instead of crashing.
//
// Paths: "/" and "\" both separate folders when splitting; a folder that is joined without
// a trailing separator gets "/" (the separator of this system).
#include <cstddef>
#include <string>

#include "platform/base/Export.h"
#include "platform/base/WinTypes.h"
#include "platform/base/detail/MsFormat.h"

using errno_t = int;

inline constexpr errno_t STRUNCATE = 80;
inline constexpr std::size_t _TRUNCATE = static_cast<std::size_t>(-1);
// Sizes, terminator included, of the parts of a path as the runtime defines them.
inline constexpr std::size_t _MAX_PATH = 260;
inline constexpr std::size_t _MAX_DRIVE = 3;
inline constexpr std::size_t _MAX_DIR = 256;
inline constexpr std::size_t _MAX_FNAME = 256;
inline constexpr std::size_t _MAX_EXT = 256;
// What _wcsicmp answers when given a null pointer.
inline constexpr int _NLSCMPERROR = 0x7FFFFFFF;

// Leading decimal integer after blanks, with an optional sign; 0 when there is none. Values
// beyond the int range give INT_MAX or INT_MIN (errno ERANGE). "0x10" is 0.
ORV_API int _wtoi(const wchar_t* text);
// Leading number after blanks (decimal with exponent, hexadecimal "0x1p4", "inf", "nan"),
// read with "." as the decimal point whatever the process locale; 0.0 when there is none.
// Overflow gives plus or minus HUGE_VAL (errno ERANGE).
ORV_API double _wtof(const wchar_t* text);

// Copies src with its terminator. EINVAL for a null or empty destination or a null source,
// ERANGE when src does not fit; in both cases a usable destination becomes "".
ORV_API errno_t wcscpy_s(wchar_t* dest, std::size_t destSize, const wchar_t* src);
// Copies at most count characters of src and a terminator. count _TRUNCATE copies what fits
// and returns STRUNCATE when src was cut. Errors as wcscpy_s.
ORV_API errno_t wcsncpy_s(wchar_t* dest, std::size_t destSize, const wchar_t* src, std::size_t count);
// Ordinal comparison after folding letter case: < 0, 0 or > 0.
ORV_API int _wcsicmp(const wchar_t* a, const wchar_t* b);

// Splits path into drive ("X:" when the second character is ":"), folder (up to and with the
// last separator), base name and extension (from the last "." of the name on). A null part
// is skipped and must come with size 0. EINVAL for a null path or a part whose pointer and
// size disagree; ERANGE when a part does not fit, and then every given part becomes "".
ORV_API errno_t _wsplitpath_s(const wchar_t* path, wchar_t* drive, std::size_t driveSize, wchar_t* dir,
                              std::size_t dirSize, wchar_t* fname, std::size_t fnameSize, wchar_t* ext,
                              std::size_t extSize);
// Joins the parts: the drive letter gets its ":", a folder its trailing separator, an
// extension its leading ".". Null or empty parts are left out. EINVAL for a null or empty
// buffer, ERANGE when the result does not fit (the buffer then becomes "").
ORV_API errno_t _wmakepath_s(wchar_t* path, std::size_t size, const wchar_t* drive, const wchar_t* dir,
                             const wchar_t* fname, const wchar_t* ext);

template <std::size_t N>
errno_t wcscpy_s(wchar_t (&dest)[N], const wchar_t* src) {
  return wcscpy_s(dest, N, src);
}
template <std::size_t N>
errno_t wcsncpy_s(wchar_t (&dest)[N], const wchar_t* src, std::size_t count) {
  return wcsncpy_s(dest, N, src, count);
}
template <std::size_t D, std::size_t P, std::size_t F, std::size_t E>
errno_t _wsplitpath_s(const wchar_t* path, wchar_t (&drive)[D], wchar_t (&dir)[P], wchar_t (&fname)[F],
                      wchar_t (&ext)[E]) {
  return _wsplitpath_s(path, drive, D, dir, P, fname, F, ext, E);
}
template <std::size_t N>
errno_t _wmakepath_s(wchar_t (&path)[N], const wchar_t* drive, const wchar_t* dir, const wchar_t* fname,
                     const wchar_t* ext) {
  return _wmakepath_s(path, N, drive, dir, fname, ext);
}

namespace orv::detail {
// Copies formatted text into a caller's buffer; -1 (and "" in the buffer) when it does not fit.
ORV_API int CopyFormatted(wchar_t* buffer, std::size_t size, const wchar_t* format, const std::wstring& text);
}  // namespace orv::detail

// Formats with Microsoft's wide rules (see CString::Format). Returns the number of characters
// written without the terminator, or -1 when the buffer is null, empty or too small (a usable
// buffer then holds ""); it never writes past size characters.
template <typename... Args>
int swprintf_s(wchar_t* buffer, std::size_t size, const wchar_t* format, const Args&... args) {
  if (buffer == nullptr || size == 0 || format == nullptr) return orv::detail::CopyFormatted(buffer, size, format, {});
  return orv::detail::CopyFormatted(buffer, size, format, orv::detail::MsFormat(format, args...));
}
template <std::size_t N, typename... Args>
int swprintf_s(wchar_t (&buffer)[N], const wchar_t* format, const Args&... args) {
  return swprintf_s(static_cast<wchar_t*>(buffer), N, format, args...);
}
