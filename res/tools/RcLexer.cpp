#include "res/tools/RcLexer.h"

#include <cstdint>
#include <fstream>
#include <sstream>

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
  std::ifstream in(path, std::ios::binary);
  if (!in) throw ScriptError(path.string() + ": cannot be read");
  std::ostringstream ss;
  ss << in.rdbuf();
  return ss.str();
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
  t.line = line_;
  if (pos_ >= text_.size()) return t;
  wchar_t c = text_[pos_];
  if (c == L'#' && lineStart_) return Directive();
  lineStart_ = false;
  if ((c == L'L' || c == L'l') && pos_ + 1 < text_.size() && text_[pos_ + 1] == L'"') {
    ++pos_;
    return String();
  }
  if (c == L'"') return String();
  if (IsIdentStart(c)) {
    size_t start = pos_;
    while (pos_ < text_.size() && IsIdentChar(text_[pos_])) ++pos_;
    t.kind = Tok::Ident;
    t.text = text_.substr(start, pos_ - start);
    return t;
  }
  if (c >= L'0' && c <= L'9') return Number();
  static const std::wstring kPunct = L",|&^+-~(){}";
  if (kPunct.find(c) != std::wstring::npos) {
    ++pos_;
    t.kind = Tok::Punct;
    t.text.assign(1, c);
    return t;
  }
  Fail(line_, "unexpected character '" + Narrow(std::wstring(1, c)) + "'");
}

void Lexer::SkipSpace() {
  while (pos_ < text_.size()) {
    wchar_t c = text_[pos_];
    if (c == L'\n') {
      ++line_;
      lineStart_ = true;
    } else if (!IsBlank(c)) {
      return;
    }
    ++pos_;
  }
}

Token Lexer::Directive() {
  Token t;
  t.kind = Tok::Directive;
  t.line = line_;
  ++pos_;  // '#'
  while (pos_ < text_.size() && text_[pos_] != L'\n') {
    if (text_[pos_] == L'\\' && pos_ + 1 < text_.size() &&
        (text_[pos_ + 1] == L'\n' || (text_[pos_ + 1] == L'\r' && pos_ + 2 < text_.size() &&
                                        text_[pos_ + 2] == L'\n'))) {
      pos_ = text_.find(L'\n', pos_) + 1;
      ++line_;
      t.text += L' ';
      continue;
    }
    t.text += text_[pos_++];
  }
  return t;
}

Token Lexer::Number() {
  Token t;
  t.kind = Tok::Number;
  t.line = line_;
  size_t start = pos_;
  int base = 10;
  if (text_[pos_] == L'0' && pos_ + 1 < text_.size() && (text_[pos_ + 1] == L'x' || text_[pos_ + 1] == L'X')) {
    base = 16;
    pos_ += 2;
  } else if (text_[pos_] == L'0') {
    base = 8;
  }
  std::uint64_t v = 0;
  size_t digits = 0;
  while (pos_ < text_.size()) {
    wchar_t c = text_[pos_];
    int d = HexDigit(c);
    if (d < 0 || d >= base) break;
    v = v * static_cast<unsigned>(base) + static_cast<unsigned>(d);
    if (v > 0xFFFFFFFFull) Fail(line_, "number does not fit in 32 bits");
    ++digits;
    ++pos_;
  }
  if (base == 16 && digits == 0) Fail(line_, "hexadecimal number without digits");
  while (pos_ < text_.size() && (text_[pos_] == L'L' || text_[pos_] == L'l' || text_[pos_] == L'U' ||
                                   text_[pos_] == L'u'))
    ++pos_;
  if (pos_ < text_.size() && IsIdentChar(text_[pos_]))
    Fail(line_, "malformed number '" + Narrow(text_.substr(start, pos_ - start + 1)) + "'");
  t.value = static_cast<std::int64_t>(v);
  return t;
}

Token Lexer::String() {
  Token t;
  t.kind = Tok::String;
  t.line = line_;
  ++pos_;  // opening quote
  for (;;) {
    if (pos_ >= text_.size() || text_[pos_] == L'\n') Fail(t.line, "unterminated string");
    wchar_t c = text_[pos_++];
    if (c == L'"') {
      if (pos_ < text_.size() && text_[pos_] == L'"') {
        t.text += L'"';
        ++pos_;
        continue;
      }
      return t;
    }
    if (c != L'\\') {
      t.text += c;
      continue;
    }
    if (pos_ >= text_.size()) Fail(t.line, "unterminated string");
    wchar_t e = text_[pos_++];
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
        while (n < 4 && pos_ < text_.size() && HexDigit(text_[pos_]) >= 0) {
          v = v * 16 + static_cast<unsigned>(HexDigit(text_[pos_++]));
          ++n;
        }
        if (n == 0) Fail(t.line, "\\x without hexadecimal digits");
        t.text += static_cast<wchar_t>(v);
        break;
      }
      default:
        if (e >= L'0' && e <= L'7') {
          unsigned v = static_cast<unsigned>(e - L'0');
          for (int n = 1; n < 3 && pos_ < text_.size() && text_[pos_] >= L'0' && text_[pos_] <= L'7'; ++n)
            v = v * 8 + static_cast<unsigned>(text_[pos_++] - L'0');
          t.text += static_cast<wchar_t>(v);
          break;
        }
        Fail(t.line, "unknown escape '\\" + Narrow(std::wstring(1, e)) + "' (write \\\\ for a backslash)");
    }
  }
}

}  // namespace orv::rc::detail
