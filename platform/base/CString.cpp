#include "platform/base/CString.h"

#include <algorithm>
#include <cwchar>
#include <cwctype>
#include <locale.h>
#include <wctype.h>
#include <ostream>

#include "platform/base/Exception.h"
#include "platform/base/Resources.h"
#include "platform/base/TextCodec.h"

namespace {
constexpr const wchar_t* kWhiteSpace = L" \t\r\n\v\f";

int Clamp(int v, int lo, int hi) { return v < lo ? lo : (v > hi ? hi : v); }
}  // namespace

namespace orv {
namespace {
// Letter case must not depend on the process's locale (the "C" locale maps ASCII only), so
// non-ASCII letters go through a locale object of our own.
locale_t UnicodeLocale() {
  static const locale_t utf8 = newlocale(LC_CTYPE_MASK, "C.UTF-8", static_cast<locale_t>(nullptr));
  return utf8;
}
}  // namespace

wchar_t FoldCase(wchar_t ch) {
  if (ch < 0x80) return (ch >= L'A' && ch <= L'Z') ? static_cast<wchar_t>(ch + 32) : ch;
  locale_t loc = UnicodeLocale();
  return loc == static_cast<locale_t>(nullptr) ? ch : static_cast<wchar_t>(towlower_l(static_cast<wint_t>(ch), loc));
}

wchar_t UpperCase(wchar_t ch) {
  if (ch < 0x80) return (ch >= L'a' && ch <= L'z') ? static_cast<wchar_t>(ch - 32) : ch;
  locale_t loc = UnicodeLocale();
  return loc == static_cast<locale_t>(nullptr) ? ch : static_cast<wchar_t>(towupper_l(static_cast<wint_t>(ch), loc));
}

int CompareNoCase(std::wstring_view a, std::wstring_view b) {
  size_t n = std::min(a.size(), b.size());
  for (size_t i = 0; i < n; ++i) {
    wchar_t x = FoldCase(a[i]), y = FoldCase(b[i]);
    if (x != y) return x < y ? -1 : 1;
  }
  return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

std::wstring Utf8ToWide(std::string_view utf8) { return DecodeUtf8(utf8); }
std::string WideToUtf8(std::wstring_view wide) { return EncodeUtf8(wide); }
}  // namespace orv

CString::CString(const wchar_t* s, int length) {
  if (s != nullptr && length > 0) m_str.assign(s, static_cast<size_t>(length));
}

CString::CString(const char* utf8) : m_str(utf8 ? orv::Utf8ToWide(utf8) : std::wstring()) {}

CString::CString(wchar_t ch, int repeat) : m_str(static_cast<size_t>(std::max(repeat, 0)), ch) {}

wchar_t CString::GetAt(int i) const {
  if (i < 0 || i >= GetLength()) AfxThrowInvalidArgException();
  return m_str[static_cast<size_t>(i)];
}

void CString::SetAt(int i, wchar_t ch) {
  if (i < 0 || i >= GetLength()) AfxThrowInvalidArgException();
  m_str[static_cast<size_t>(i)] = ch;
}

std::string CString::ToUtf8() const { return orv::WideToUtf8(m_str); }

wchar_t* CString::GetBuffer(int minLength) {
  if (minLength > GetLength()) m_str.resize(static_cast<size_t>(minLength));
  return m_str.data();
}

wchar_t* CString::GetBufferSetLength(int length) {
  m_str.resize(static_cast<size_t>(std::max(length, 0)));
  return m_str.data();
}

void CString::ReleaseBuffer(int newLength) {
  if (newLength < 0) {
    // The buffer is always terminated by std::wstring, so this stops at size() at worst.
    newLength = static_cast<int>(std::wcslen(m_str.c_str()));
  }
  m_str.resize(static_cast<size_t>(Clamp(newLength, 0, GetLength())));
}

int CString::Compare(const wchar_t* s) const { return m_str.compare(s ? s : L"") < 0 ? -1 : (m_str == (s ? s : L"") ? 0 : 1); }

int CString::CompareNoCase(const wchar_t* s) const { return orv::CompareNoCase(m_str, s ? s : L""); }

CString CString::Left(int count) const { return CString(m_str.substr(0, static_cast<size_t>(Clamp(count, 0, GetLength())))); }

CString CString::Right(int count) const {
  int n = Clamp(count, 0, GetLength());
  return CString(m_str.substr(static_cast<size_t>(GetLength() - n)));
}

CString CString::Mid(int first) const { return Mid(first, GetLength()); }

CString CString::Mid(int first, int count) const {
  first = Clamp(first, 0, GetLength());
  count = Clamp(count, 0, GetLength() - first);
  return CString(m_str.substr(static_cast<size_t>(first), static_cast<size_t>(count)));
}

CString CString::SpanIncluding(const wchar_t* set) const {
  size_t n = m_str.find_first_not_of(set ? set : L"");
  return CString(m_str.substr(0, n));
}

CString CString::SpanExcluding(const wchar_t* set) const {
  size_t n = m_str.find_first_of(set ? set : L"");
  return CString(m_str.substr(0, n));
}

CString CString::Tokenize(const wchar_t* delimiters, int& start) const {
  if (start < 0 || start >= GetLength()) { start = -1; return CString(); }
  std::wstring_view d = delimiters ? delimiters : L"";
  size_t b = m_str.find_first_not_of(d, static_cast<size_t>(start));
  if (b == std::wstring::npos) { start = -1; return CString(); }
  size_t e = m_str.find_first_of(d, b);
  if (e == std::wstring::npos) e = m_str.size();
  start = static_cast<int>(e) + 1;
  return CString(m_str.substr(b, e - b));
}

int CString::Find(wchar_t ch, int start) const {
  if (start < 0 || start >= GetLength()) return -1;
  size_t p = m_str.find(ch, static_cast<size_t>(start));
  return p == std::wstring::npos ? -1 : static_cast<int>(p);
}

int CString::Find(const wchar_t* sub, int start) const {
  if (sub == nullptr || start < 0 || start > GetLength()) return -1;
  size_t p = m_str.find(sub, static_cast<size_t>(start));
  return p == std::wstring::npos ? -1 : static_cast<int>(p);
}

int CString::ReverseFind(wchar_t ch) const {
  size_t p = m_str.rfind(ch);
  return p == std::wstring::npos ? -1 : static_cast<int>(p);
}

int CString::FindOneOf(const wchar_t* set) const {
  size_t p = m_str.find_first_of(set ? set : L"");
  return p == std::wstring::npos ? -1 : static_cast<int>(p);
}

int CString::Replace(wchar_t oldCh, wchar_t newCh) {
  int n = 0;
  for (wchar_t& c : m_str)
    if (c == oldCh) { c = newCh; ++n; }
  return n;
}

int CString::Replace(const wchar_t* oldText, const wchar_t* newText) {
  if (oldText == nullptr || *oldText == L'\0') return 0;
  std::wstring_view from(oldText), to(newText ? newText : L"");
  std::wstring out;
  int n = 0;
  size_t pos = 0;
  for (size_t hit; (hit = m_str.find(from, pos)) != std::wstring::npos; pos = hit + from.size(), ++n)
    out.append(m_str, pos, hit - pos).append(to);
  if (n == 0) return 0;
  out.append(m_str, pos);
  m_str = std::move(out);
  return n;
}

int CString::Remove(wchar_t ch) {
  size_t before = m_str.size();
  std::erase(m_str, ch);
  return static_cast<int>(before - m_str.size());
}

int CString::Insert(int index, wchar_t ch) {
  m_str.insert(static_cast<size_t>(Clamp(index, 0, GetLength())), 1, ch);
  return GetLength();
}

int CString::Insert(int index, const wchar_t* s) {
  if (s) m_str.insert(static_cast<size_t>(Clamp(index, 0, GetLength())), s);
  return GetLength();
}

int CString::Delete(int index, int count) {
  index = Clamp(index, 0, GetLength());
  count = Clamp(count, 0, GetLength() - index);
  m_str.erase(static_cast<size_t>(index), static_cast<size_t>(count));
  return GetLength();
}

CString& CString::MakeUpper() {
  for (wchar_t& c : m_str) c = orv::UpperCase(c);
  return *this;
}

CString& CString::MakeLower() {
  for (wchar_t& c : m_str) c = orv::FoldCase(c);
  return *this;
}

CString& CString::MakeReverse() {
  std::reverse(m_str.begin(), m_str.end());
  return *this;
}

CString& CString::Trim() { return TrimRight().TrimLeft(); }
CString& CString::Trim(wchar_t ch) { return TrimRight(ch).TrimLeft(ch); }
CString& CString::Trim(const wchar_t* set) { return TrimRight(set).TrimLeft(set); }
CString& CString::TrimLeft() { return TrimLeft(kWhiteSpace); }
CString& CString::TrimRight() { return TrimRight(kWhiteSpace); }

CString& CString::TrimLeft(wchar_t ch) {
  wchar_t set[2] = {ch, L'\0'};
  return TrimLeft(set);
}

CString& CString::TrimRight(wchar_t ch) {
  wchar_t set[2] = {ch, L'\0'};
  return TrimRight(set);
}

CString& CString::TrimLeft(const wchar_t* set) {
  size_t p = m_str.find_first_not_of(set ? set : L"");
  m_str.erase(0, p == std::wstring::npos ? m_str.size() : p);
  return *this;
}

CString& CString::TrimRight(const wchar_t* set) {
  size_t p = m_str.find_last_not_of(set ? set : L"");
  m_str.erase(p == std::wstring::npos ? 0 : p + 1);
  return *this;
}

BOOL CString::LoadString(UINT id) {
  const std::wstring* s = orv::FindResourceString(id);
  if (s == nullptr) { m_str.clear(); return FALSE; }
  m_str = *s;
  return TRUE;
}

CString operator+(const CString& a, const CString& b) { return CString(a.str() + b.str()); }
CString operator+(const CString& a, const wchar_t* b) { return CString(a.str() + (b ? b : L"")); }
CString operator+(const wchar_t* a, const CString& b) { return CString((a ? a : L"") + b.str()); }
CString operator+(const CString& a, wchar_t b) { return CString(a.str() + b); }
CString operator+(wchar_t a, const CString& b) { return CString(a + b.str()); }

std::ostream& operator<<(std::ostream& os, const CString& s) { return os << s.ToUtf8(); }
