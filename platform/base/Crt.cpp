#include "platform/base/Crt.h"

#include <cerrno>
#include <climits>
#include <clocale>
#include <cstdlib>
#include <cwchar>
#include <locale.h>
#include <string_view>

#include "platform/base/CString.h"

namespace {

bool IsBlank(wchar_t c) { return c == L' ' || (c >= L'\t' && c <= L'\r'); }
bool IsSeparator(wchar_t c) { return c == L'/' || c == L'\\'; }

// The "C" numeric rules, independent of whatever locale the host process set.
locale_t CLocale() {
  static const locale_t c = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
  return c;
}

// Copies part into out (size elements); false when it does not fit.
bool CopyPart(std::wstring_view part, wchar_t* out, std::size_t size) {
  if (out == nullptr) return true;
  if (part.size() >= size) return false;
  part.copy(out, part.size());
  out[part.size()] = L'\0';
  return true;
}

void ClearPart(wchar_t* out, std::size_t size) {
  if (out != nullptr && size > 0) out[0] = L'\0';
}

}  // namespace

int _wtoi(const wchar_t* text) {
  if (text == nullptr) {
    errno = EINVAL;
    return 0;
  }
  const wchar_t* p = text;
  while (IsBlank(*p)) ++p;
  bool negative = false;
  if (*p == L'+' || *p == L'-') negative = *p++ == L'-';
  // Accumulate the magnitude in a wider type and stop counting once it is past the range.
  long long magnitude = 0;
  const long long limit = negative ? -static_cast<long long>(INT_MIN) : INT_MAX;
  bool overflow = false;
  for (; *p >= L'0' && *p <= L'9'; ++p) {
    magnitude = magnitude * 10 + (*p - L'0');
    if (magnitude > limit) {
      overflow = true;
      magnitude = limit;
    }
  }
  if (overflow) errno = ERANGE;
  return static_cast<int>(negative ? -magnitude : magnitude);
}

double _wtof(const wchar_t* text) {
  if (text == nullptr) {
    errno = EINVAL;
    return 0.0;
  }
  const wchar_t* p = text;
  while (IsBlank(*p)) ++p;
  // A number is made of ASCII only: copy up to the first other character and let the C
  // library's parser decide how much of it forms the number.
  std::string ascii;
  for (; *p != L'\0' && *p < 0x80; ++p) ascii += static_cast<char>(*p);
  return strtod_l(ascii.c_str(), nullptr, CLocale());
}

errno_t wcscpy_s(wchar_t* dest, std::size_t destSize, const wchar_t* src) {
  return wcsncpy_s(dest, destSize, src, src != nullptr ? std::wcslen(src) : 0);
}

errno_t wcsncpy_s(wchar_t* dest, std::size_t destSize, const wchar_t* src, std::size_t count) {
  if (dest == nullptr || destSize == 0) return errno = EINVAL;
  if (src == nullptr) {
    dest[0] = L'\0';
    return errno = EINVAL;
  }
  std::size_t length = 0;
  while (length < count && src[length] != L'\0') ++length;
  if (length >= destSize) {
    if (count == _TRUNCATE) {
      std::wmemcpy(dest, src, destSize - 1);
      dest[destSize - 1] = L'\0';
      return STRUNCATE;
    }
    dest[0] = L'\0';
    return errno = ERANGE;
  }
  std::wmemcpy(dest, src, length);
  dest[length] = L'\0';
  return 0;
}

int _wcsicmp(const wchar_t* a, const wchar_t* b) {
  if (a == nullptr || b == nullptr) {
    errno = EINVAL;
    return _NLSCMPERROR;
  }
  return orv::CompareNoCase(a, b);
}

errno_t _wsplitpath_s(const wchar_t* path, wchar_t* drive, std::size_t driveSize, wchar_t* dir,
                      std::size_t dirSize, wchar_t* fname, std::size_t fnameSize, wchar_t* ext,
                      std::size_t extSize) {
  const bool consistent = (drive == nullptr) == (driveSize == 0) && (dir == nullptr) == (dirSize == 0) &&
                          (fname == nullptr) == (fnameSize == 0) && (ext == nullptr) == (extSize == 0);
  if (path == nullptr || !consistent) {
    if (consistent) {
      ClearPart(drive, driveSize);
      ClearPart(dir, dirSize);
      ClearPart(fname, fnameSize);
      ClearPart(ext, extSize);
    }
    return errno = EINVAL;
  }
  std::wstring_view rest(path);
  std::wstring_view drivePart;
  if (rest.size() >= 2 && rest[1] == L':') {
    drivePart = rest.substr(0, 2);
    rest.remove_prefix(2);
  }
  std::size_t lastSep = std::wstring_view::npos;
  for (std::size_t i = 0; i < rest.size(); ++i)
    if (IsSeparator(rest[i])) lastSep = i;
  std::wstring_view dirPart = lastSep == std::wstring_view::npos ? std::wstring_view() : rest.substr(0, lastSep + 1);
  std::wstring_view name = rest.substr(dirPart.size());
  std::size_t dot = name.rfind(L'.');
  std::wstring_view namePart = dot == std::wstring_view::npos ? name : name.substr(0, dot);
  std::wstring_view extPart = dot == std::wstring_view::npos ? std::wstring_view() : name.substr(dot);

  if (!CopyPart(drivePart, drive, driveSize) || !CopyPart(dirPart, dir, dirSize) ||
      !CopyPart(namePart, fname, fnameSize) || !CopyPart(extPart, ext, extSize)) {
    ClearPart(drive, driveSize);
    ClearPart(dir, dirSize);
    ClearPart(fname, fnameSize);
    ClearPart(ext, extSize);
    return errno = ERANGE;
  }
  return 0;
}

errno_t _wmakepath_s(wchar_t* path, std::size_t size, const wchar_t* drive, const wchar_t* dir,
                     const wchar_t* fname, const wchar_t* ext) {
  if (path == nullptr || size == 0) return errno = EINVAL;
  std::wstring joined;
  if (drive != nullptr && drive[0] != L'\0') {
    joined += drive[0];
    joined += L':';
  }
  if (dir != nullptr && dir[0] != L'\0') {
    joined += dir;
    if (!IsSeparator(joined.back())) joined += L'/';
  }
  if (fname != nullptr) joined += fname;
  if (ext != nullptr && ext[0] != L'\0') {
    if (ext[0] != L'.') joined += L'.';
    joined += ext;
  }
  if (!CopyPart(joined, path, size)) {
    path[0] = L'\0';
    return errno = ERANGE;
  }
  return 0;
}

namespace orv::detail {
int CopyFormatted(wchar_t* buffer, std::size_t size, const wchar_t* format, const std::wstring& text) {
  if (buffer == nullptr || size == 0) {
    errno = EINVAL;
    return -1;
  }
  if (format == nullptr) {
    buffer[0] = L'\0';
    errno = EINVAL;
    return -1;
  }
  if (!CopyPart(text, buffer, size)) {
    buffer[0] = L'\0';
    errno = ERANGE;
    return -1;
  }
  return static_cast<int>(text.size());
}
}  // namespace orv::detail
