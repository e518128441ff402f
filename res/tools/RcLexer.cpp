#include "res/tools/RcLexer.h"

#include <cerrno>
#include <cstdint>

#include "platform/base/RegularFile.h"
#include "platform/base/TextCodec.h"

namespace fs = std::filesystem;

namespace orv::rc::detail {

std::string Narrow(std::wstring_view w) { return orv::EncodeUtf8(w); }

namespace {
bool IsIdentStart(wchar_t c) { return (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z') || c == L'_'; }
int HexDigit(wchar_t c) {
  if (c >= L'0' && c <= L'9') return c - L'0';
  if (c >= L'a' && c <= L'f') return c - L'a' + 10;
  if (c >= L'A' && c <= L'F') return c - L'A' + 10;
  return -1;
}
}  // namespace

bool IsIdentChar(wchar_t c) { return IsIdentStart(c) || (c >= L'0' && c <= L'9'); }
bool IsBlank(wchar_t c) { return c == L' ' || c == L'\t' || c == L'\r' || c == L'\f' || c == L'\v'; }

std::wstring Upper(std::wstring s) {
  for (auto& c : s)
    if (c >= L'a' && c <= L'z') c = static_cast<wchar_t>(c - L'a' + L'A');
  return s;
}

std::string ReadFileBytes(const fs::path& path) {
  std::string bytes;
  if (!orv::ReadRegularFile(path.string(), &bytes))
    throw ScriptError(path.string() + ": cannot be read: " + orv::SystemErrorText(errno));
  return bytes;
}

std::wstring StripComments(const std::wstring& in, const std::string& name) {
  std::wstring out;
  out.reserve(in.size());
  size_t i = 0;
  while (i < in.size()) {
    wchar_t c = in[i];
    if (c == L'"' || c == L'\'') {
      wchar_t quote = c;
      out += c;
      ++i;
      while (i < in.size() && in[i] != quote && in[i] != L'\n') {
        if (in[i] == L'\\' && i + 1 < in.size() && in[i + 1] != L'\n') out += in[i++];
        out += in[i++];
      }
      if (i < in.size() && in[i] == quote) out += in[i++];
      continue;
    }
    if (c == L'/' && i + 1 < in.size() && in[i + 1] == L'/') {
      while (i < in.size() && in[i] != L'\n') ++i;
      continue;
    }
    if (c == L'/' && i + 1 < in.size() && in[i + 1] == L'*') {
      size_t end = in.find(L"*/", i + 2);
      if (end == std::wstring::npos) throw ScriptError(name + ": unterminated comment");
      for (size_t k = i; k < end + 2; ++k) out += in[k] == L'\n' ? L'\n' : L' ';
      i = end + 2;
      continue;
    }
    out += c;
    ++i;
  }
  return out;
}

Token Lexer::Next() {
  SkipSpace();
  Token t;
  t.line = m_line;
  if (m_pos >= m_text.size()) return t;
  wchar_t c = m_text[m_pos];
  if (c == L'#' && m_lineStart) return Directive();
  m_lineStart = false;
  if ((c == L'L' || c == L'l') && m_pos + 1 < m_text.size() && m_text[m_pos + 1] == L'"') {
    ++m_pos;
    return String();
  }
  if (c == L'"') return String();
  if (IsIdentStart(c)) {
    size_t start = m_pos;
    while (m_pos < m_text.size() && IsIdentChar(m_text[m_pos])) ++m_pos;
    t.kind = Tok::Ident;
    t.text = m_text.substr(start, m_pos - start);
    return t;
  }
  if (c >= L'0' && c <= L'9') return Number();
  static const std::wstring kPunct = L",|&^+-~(){}";
  if (kPunct.find(c) != std::wstring::npos) {
    ++m_pos;
    t.kind = Tok::Punct;
    t.text.assign(1, c);
    return t;
  }
  Fail(m_line, "unexpected character '" + Narrow(std::wstring(1, c)) + "'");
}

void Lexer::SkipSpace() {
  while (m_pos < m_text.size()) {
    wchar_t c = m_text[m_pos];
    if (c == L'\n') {
      ++m_line;
      m_lineStart = true;
    } else if (!IsBlank(c)) {
      return;
    }
    ++m_pos;
  }
}

Token Lexer::Directive() {
  Token t;
  t.kind = Tok::Directive;
  t.line = m_line;
  ++m_pos;  // '#'
  while (m_pos < m_text.size() && m_text[m_pos] != L'\n') {
    if (m_text[m_pos] == L'\\' && m_pos + 1 < m_text.size() &&
        (m_text[m_pos + 1] == L'\n' || (m_text[m_pos + 1] == L'\r' && m_pos + 2 < m_text.size() &&
                                        m_text[m_pos + 2] == L'\n'))) {
      m_pos = m_text.find(L'\n', m_pos) + 1;
      ++m_line;
      t.text += L' ';
      continue;
    }
    t.text += m_text[m_pos++];
  }
  return t;
}

Token Lexer::Number() {
  Token t;
  t.kind = Tok::Number;
  t.line = m_line;
  size_t start = m_pos;
  int base = 10;
  if (m_text[m_pos] == L'0' && m_pos + 1 < m_text.size() && (m_text[m_pos + 1] == L'x' || m_text[m_pos + 1] == L'X')) {
    base = 16;
    m_pos += 2;
  } else if (m_text[m_pos] == L'0') {
    base = 8;
  }
  std::uint64_t v = 0;
  size_t digits = 0;
  while (m_pos < m_text.size()) {
    wchar_t c = m_text[m_pos];
    int d = HexDigit(c);
    if (d < 0 || d >= base) break;
    v = v * static_cast<unsigned>(base) + static_cast<unsigned>(d);
    if (v > 0xFFFFFFFFull) Fail(m_line, "number does not fit in 32 bits");
    ++digits;
    ++m_pos;
  }
  if (base == 16 && digits == 0) Fail(m_line, "hexadecimal number without digits");
  while (m_pos < m_text.size() && (m_text[m_pos] == L'L' || m_text[m_pos] == L'l' || m_text[m_pos] == L'U' ||
                                   m_text[m_pos] == L'u'))
    ++m_pos;
  if (m_pos < m_text.size() && IsIdentChar(m_text[m_pos]))
    Fail(m_line, "malformed number '" + Narrow(m_text.substr(start, m_pos - start + 1)) + "'");
  t.value = static_cast<std::int64_t>(v);
  return t;
}

Token Lexer::String() {
  Token t;
  t.kind = Tok::String;
  t.line = m_line;
  ++m_pos;  // opening quote
  for (;;) {
    if (m_pos >= m_text.size() || m_text[m_pos] == L'\n') Fail(t.line, "unterminated string");
    wchar_t c = m_text[m_pos++];
    if (c == L'"') {
      if (m_pos < m_text.size() && m_text[m_pos] == L'"') {
        t.text += L'"';
        ++m_pos;
        continue;
      }
      return t;
    }
    if (c != L'\\') {
      t.text += c;
      continue;
    }
    if (m_pos >= m_text.size()) Fail(t.line, "unterminated string");
    wchar_t e = m_text[m_pos++];
    switch (e) {
      case L'\\': t.text += L'\\'; break;
      case L'"': t.text += L'"'; break;
      case L'n': t.text += L'\n'; break;
      case L'r': t.text += L'\r'; break;
      case L't': t.text += L'\t'; break;
      case L'a': t.text += L'\a'; break;
      case L'x': case L'X': {
        unsigned v = 0;
        int n = 0;
        while (n < 4 && m_pos < m_text.size() && HexDigit(m_text[m_pos]) >= 0) {
          v = v * 16 + static_cast<unsigned>(HexDigit(m_text[m_pos++]));
          ++n;
        }
        if (n == 0) Fail(t.line, "\\x without hexadecimal digits");
        t.text += static_cast<wchar_t>(v);
        break;
      }
      default:
        if (e >= L'0' && e <= L'7') {
          unsigned v = static_cast<unsigned>(e - L'0');
          for (int n = 1; n < 3 && m_pos < m_text.size() && m_text[m_pos] >= L'0' && m_text[m_pos] <= L'7'; ++n)
            v = v * 8 + static_cast<unsigned>(m_text[m_pos++] - L'0');
          t.text += static_cast<wchar_t>(v);
          break;
        }
        Fail(t.line, "unknown escape '\\" + Narrow(std::wstring(1, e)) + "' (write \\\\ for a backslash)");
    }
  }
}

}  // namespace orv::rc::detail
