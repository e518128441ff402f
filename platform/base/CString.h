#pragma once
// CString: the framework's wide string, a std::wstring underneath.
//
// Format and AppendFormat take Microsoft's wide format rules, not glibc's: "%s" is a wide
// string, "%S" a narrow (UTF-8) one; CString, std::wstring and std::string arguments are
// accepted for either. Formatting is type-checked (a variadic template over {fmt}), so a
// CString passed as an argument is safe. A format that does not fit its arguments gives the
// format text itself, unexpanded, rather than undefined behaviour.
#include <cstddef>
#include <functional>
#include <iosfwd>
#include <string>
#include <string_view>
#include <utility>

#include "platform/base/Export.h"
#include "platform/base/WinTypes.h"
#include "platform/base/detail/MsFormat.h"

class ORV_API CString {
public:
  CString() = default;
  CString(const wchar_t* s) : m_str(s != nullptr ? s : L"") {}
  CString(const wchar_t* s, int length);
  CString(const char* utf8);
  CString(wchar_t ch, int repeat = 1);
  CString(std::wstring s) : m_str(std::move(s)) {}
  CString(std::wstring_view s) : m_str(s) {}

  // --- size and access
  int GetLength() const { return static_cast<int>(m_str.size()); }
  bool IsEmpty() const { return m_str.empty(); }
  void Empty() { m_str.clear(); }
  wchar_t GetAt(int i) const;  // throws CInvalidArgException when out of range
  void SetAt(int i, wchar_t ch);
  wchar_t operator[](int i) const { return GetAt(i); }
  const wchar_t* GetString() const { return m_str.c_str(); }
  operator const wchar_t*() const { return m_str.c_str(); }
  const std::wstring& str() const { return m_str; }
  std::string ToUtf8() const;

  // --- raw buffer: GetBuffer(n) gives room for n characters and a terminator;
  // ReleaseBuffer(-1) takes the length up to the first NUL.
  wchar_t* GetBuffer(int minLength = 0);
  wchar_t* GetBufferSetLength(int length);
  void ReleaseBuffer(int newLength = -1);

  // --- assignment and concatenation
  CString& operator=(const wchar_t* s) { m_str = s != nullptr ? s : L""; return *this; }
  CString& operator=(wchar_t ch) { m_str.assign(1, ch); return *this; }
  CString& operator+=(const CString& s) { m_str += s.m_str; return *this; }
  CString& operator+=(const wchar_t* s) { if (s) m_str += s; return *this; }
  CString& operator+=(wchar_t ch) { m_str += ch; return *this; }
  void Append(const wchar_t* s) { *this += s; }
  void AppendChar(wchar_t ch) { m_str += ch; }

  // --- comparison (Compare is ordinal; CompareNoCase folds letter case first)
  int Compare(const wchar_t* s) const;
  int CompareNoCase(const wchar_t* s) const;
  friend bool operator==(const CString& a, const CString& b) { return a.m_str == b.m_str; }
  friend bool operator==(const CString& a, const wchar_t* b) { return a.m_str == (b ? b : L""); }
  friend bool operator==(const wchar_t* a, const CString& b) { return b == a; }
  friend bool operator!=(const CString& a, const CString& b) { return !(a == b); }
  friend bool operator!=(const CString& a, const wchar_t* b) { return !(a == b); }
  friend bool operator!=(const wchar_t* a, const CString& b) { return !(b == a); }
  friend bool operator<(const CString& a, const CString& b) { return a.m_str < b.m_str; }

  // --- extraction (counts are clamped to the string, as the framework does)
  CString Left(int count) const;
  CString Right(int count) const;
  CString Mid(int first) const;
  CString Mid(int first, int count) const;
  CString SpanIncluding(const wchar_t* set) const;
  CString SpanExcluding(const wchar_t* set) const;
  CString Tokenize(const wchar_t* delimiters, int& start) const;

  // --- search: index of the match or -1
  int Find(wchar_t ch, int start = 0) const;
  int Find(const wchar_t* sub, int start = 0) const;
  int ReverseFind(wchar_t ch) const;
  int FindOneOf(const wchar_t* set) const;

  // --- modification
  int Replace(wchar_t oldCh, wchar_t newCh);
  int Replace(const wchar_t* oldText, const wchar_t* newText);
  int Remove(wchar_t ch);
  int Insert(int index, wchar_t ch);
  int Insert(int index, const wchar_t* s);
  int Delete(int index, int count = 1);
  CString& MakeUpper();
  CString& MakeLower();
  CString& MakeReverse();
  CString& Trim();  // white space: blank, tab, CR, LF, VT, FF
  CString& Trim(wchar_t ch);
  CString& Trim(const wchar_t* set);
  CString& TrimLeft();
  CString& TrimLeft(wchar_t ch);
  CString& TrimLeft(const wchar_t* set);
  CString& TrimRight();
  CString& TrimRight(wchar_t ch);
  CString& TrimRight(const wchar_t* set);

  // --- formatting and resources
  template <typename... Args>
  void Format(const wchar_t* format, const Args&... args) {
    m_str = orv::detail::MsFormat(format, args...);
  }
  template <typename... Args>
  void AppendFormat(const wchar_t* format, const Args&... args) {
    m_str += orv::detail::MsFormat(format, args...);
  }
  // Loads string `id` from the resource chain; FALSE (and empty) when no module has it.
  BOOL LoadString(UINT id);

private:
  std::wstring m_str;
};

// Writes the text as UTF-8 (for logs and test failure messages).
ORV_API std::ostream& operator<<(std::ostream& os, const CString& s);

ORV_API CString operator+(const CString& a, const CString& b);
ORV_API CString operator+(const CString& a, const wchar_t* b);
ORV_API CString operator+(const wchar_t* a, const CString& b);
ORV_API CString operator+(const CString& a, wchar_t b);
ORV_API CString operator+(wchar_t a, const CString& b);

namespace orv {
// Letter-case folding used by every no-case comparison of the framework, and upper-casing;
// both independent of the process's locale.
ORV_API wchar_t FoldCase(wchar_t ch);
ORV_API wchar_t UpperCase(wchar_t ch);
ORV_API int CompareNoCase(std::wstring_view a, std::wstring_view b);
ORV_API std::wstring Utf8ToWide(std::string_view utf8);
ORV_API std::string WideToUtf8(std::wstring_view wide);
}  // namespace orv

template <>
struct std::hash<CString> {
  std::size_t operator()(const CString& s) const noexcept { return std::hash<std::wstring>()(s.str()); }
};

namespace orv::detail {
template <>
struct MsFormatArg<CString> {
  static std::wstring_view Get(const CString& s) { return s.str(); }
};
}  // namespace orv::detail
