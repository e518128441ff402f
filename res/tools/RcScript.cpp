#include "res/tools/RcScript.h"

#include <cstdint>
#include <deque>
#include <fstream>
#include <set>
#include <sstream>

#include "platform/base/TextCodec.h"
#include "platform/base/WinStyles.h"

namespace fs = std::filesystem;

namespace orv::rc {
namespace {

constexpr int kMaxIncludeDepth = 16;
constexpr int kMaxExpansionDepth = 32;

std::string Narrow(std::wstring_view w) { return orv::EncodeUtf8(w); }

bool IsIdentStart(wchar_t c) { return (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z') || c == L'_'; }
bool IsIdentChar(wchar_t c) { return IsIdentStart(c) || (c >= L'0' && c <= L'9'); }
int HexDigit(wchar_t c) {
  if (c >= L'0' && c <= L'9') return c - L'0';
  if (c >= L'a' && c <= L'f') return c - L'a' + 10;
  if (c >= L'A' && c <= L'F') return c - L'A' + 10;
  return -1;
}
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

// Replaces comments with blanks (newlines kept, so line numbers stay right), leaving the
// text of string and character literals alone.
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

enum class Tok { End, Ident, Number, String, Punct, Directive };

struct Token {
  Tok kind = Tok::End;
  std::wstring text;  // identifier, punctuation, decoded string, or directive line
  std::int64_t value = 0;
  int line = 0;
  int depth = 0;  // macro-expansion depth of the token
};

// Splits text into tokens. Directive lines (# first on a line, continued by a trailing
// backslash) come back whole as one token.
class Lexer {
public:
  Lexer(std::wstring text, std::string name) : m_text(std::move(text)), m_name(std::move(name)) {}

  const std::string& Name() const { return m_name; }

  [[noreturn]] void Fail(int line, const std::string& what) const {
    throw ScriptError(m_name + ":" + std::to_string(line) + ": " + what);
  }

  Token Next() {
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

private:
  void SkipSpace() {
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

  Token Directive() {
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

  Token Number() {
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

  // A string literal: "" stands for one quote; C escapes as the resource compiler takes them.
  Token String() {
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

  std::wstring m_text;
  std::string m_name;
  size_t m_pos = 0;
  int m_line = 1;
  bool m_lineStart = true;
};

// Object-like macros and the include machinery.
class Preprocessor {
public:
  explicit Preprocessor(std::vector<fs::path> includeDirs) : m_includeDirs(std::move(includeDirs)) {}

  const std::wstring* Find(const std::wstring& name) const {
    auto it = m_defs.find(name);
    return it == m_defs.end() ? nullptr : &it->second;
  }
  bool IsFunctionLike(const std::wstring& name) const { return m_functionLike.count(name) != 0; }

  void Directive(const Lexer& lex, const Token& t, const fs::path& dir, int depth) {
    std::wstring line = t.text;
    size_t p = 0;
    auto skipBlanks = [&] { while (p < line.size() && IsBlank(line[p])) ++p; };
    auto word = [&] {
      skipBlanks();
      size_t s = p;
      while (p < line.size() && IsIdentChar(line[p])) ++p;
      return line.substr(s, p - s);
    };
    std::wstring name = word();
    if (name == L"define") {
      std::wstring macro = word();
      if (macro.empty()) lex.Fail(t.line, "#define without a name");
      if (p < line.size() && line[p] == L'(') {
        m_functionLike.insert(macro);
        return;
      }
      skipBlanks();
      std::wstring body = line.substr(p);
      while (!body.empty() && IsBlank(body.back())) body.pop_back();
      auto [it, added] = m_defs.emplace(macro, body);
      if (!added && it->second != body) lex.Fail(t.line, "macro " + Narrow(macro) + " redefined differently");
    } else if (name == L"undef") {
      std::wstring macro = word();
      m_defs.erase(macro);
      m_functionLike.erase(macro);
    } else if (name == L"include") {
      skipBlanks();
      if (p >= line.size() || (line[p] != L'"' && line[p] != L'<')) lex.Fail(t.line, "#include needs a file name");
      wchar_t close = line[p] == L'"' ? L'"' : L'>';
      size_t end = line.find(close, p + 1);
      if (end == std::wstring::npos) lex.Fail(t.line, "#include: unterminated file name");
      fs::path rel = fs::path(Narrow(line.substr(p + 1, end - p - 1)));
      Include(lex, t.line, rel, dir, depth + 1);
    } else if (name == L"pragma") {
      std::wstring what = word();
      if (what == L"code_page") {
        skipBlanks();
        std::wstring rest = line.substr(p);
        if (rest.find(L"65001") == std::wstring::npos)
          lex.Fail(t.line, "only #pragma code_page(65001) is supported: the script is read as UTF-8");
      }
      // #pragma once and others: nothing to do.
    } else {
      lex.Fail(t.line, "unsupported preprocessor directive #" + Narrow(name));
    }
  }

private:
  // A header contributes its preprocessor lines only.
  void Include(const Lexer& from, int line, const fs::path& rel, const fs::path& dir, int depth) {
    if (depth > kMaxIncludeDepth) from.Fail(line, "#include nested too deeply (a cycle?)");
    fs::path found;
    std::vector<fs::path> candidates{dir / rel};
    for (const auto& d : m_includeDirs) candidates.push_back(d / rel);
    for (const auto& c : candidates)
      if (fs::is_regular_file(c)) {
        found = c;
        break;
      }
    if (found.empty()) from.Fail(line, "#include: " + rel.string() + " not found");
    std::string bytes = ReadFileBytes(found);
    if (!orv::IsValidUtf8(bytes)) throw ScriptError(found.string() + ": not valid UTF-8");
    std::wstring text = StripComments(orv::DecodeUtf8(bytes), found.string());
    // Keep only directive lines; blank the rest so that the lexer never sees C++.
    std::wstring kept;
    bool lineStart = true, inDirective = false;
    for (size_t i = 0; i < text.size(); ++i) {
      wchar_t c = text[i];
      if (c == L'\n') {
        bool continued = inDirective && !kept.empty() &&
                         (kept.back() == L'\\' || (kept.back() == L'\r' && kept.size() > 1 && kept[kept.size() - 2] == L'\\'));
        if (!continued) inDirective = false;
        lineStart = true;
        kept += c;
        continue;
      }
      if (lineStart && !IsBlank(c)) {
        inDirective = inDirective || c == L'#';
        lineStart = false;
      }
      kept += inDirective ? c : L' ';
    }
    Lexer lex(std::move(kept), found.string());
    for (Token t = lex.Next(); t.kind != Tok::End; t = lex.Next())
      if (t.kind == Tok::Directive) Directive(lex, t, found.parent_path(), depth);
  }

  std::vector<fs::path> m_includeDirs;
  std::map<std::wstring, std::wstring> m_defs;
  std::set<std::wstring> m_functionLike;
};

struct ControlKind {
  const wchar_t* keyword;
  bool hasText;
  const wchar_t* className;
  DWORD defaults;
};

// Control statements and the styles the resource compiler gives them before the script's own.
const ControlKind kControlKinds[] = {
    {L"LTEXT", true, L"STATIC", SS_LEFT | WS_GROUP},
    {L"RTEXT", true, L"STATIC", SS_RIGHT | WS_GROUP},
    {L"CTEXT", true, L"STATIC", SS_CENTER | WS_GROUP},
    {L"EDITTEXT", false, L"EDIT", ES_LEFT | WS_BORDER | WS_TABSTOP},
    {L"PUSHBUTTON", true, L"BUTTON", BS_PUSHBUTTON | WS_TABSTOP},
    {L"DEFPUSHBUTTON", true, L"BUTTON", BS_DEFPUSHBUTTON | WS_TABSTOP},
    {L"GROUPBOX", true, L"BUTTON", BS_GROUPBOX},
    {L"CHECKBOX", true, L"BUTTON", BS_CHECKBOX | WS_TABSTOP},
    {L"AUTOCHECKBOX", true, L"BUTTON", BS_AUTOCHECKBOX | WS_TABSTOP},
    {L"RADIOBUTTON", true, L"BUTTON", BS_RADIOBUTTON},
    {L"AUTORADIOBUTTON", true, L"BUTTON", BS_AUTORADIOBUTTON},
    {L"SCROLLBAR", false, L"SCROLLBAR", SBS_HORZ},
};

// Class names that templates carry in the framework's spelling.
const wchar_t* const kPredefinedClasses[] = {L"BUTTON", L"EDIT", L"STATIC", L"SCROLLBAR", L"LISTBOX", L"COMBOBOX"};

bool IsMemoryOption(const std::wstring& w) {
  static const std::set<std::wstring> kOptions = {L"DISCARDABLE", L"MOVEABLE", L"FIXED", L"PURE",
                                                  L"IMPURE", L"PRELOAD", L"LOADONCALL", L"SHARED", L"NONSHARED"};
  return kOptions.count(w) != 0;
}

class Parser {
public:
  Parser(Lexer lexer, fs::path dir, std::vector<fs::path> includeDirs)
      : m_lex(std::move(lexer)), m_dir(std::move(dir)), m_pp(std::move(includeDirs)) {}

  Script Parse() {
    Script script;
    for (;;) {
      Token t = Peek();
      if (t.kind == Tok::End) break;
      if (t.kind == Tok::Ident && t.text == L"LANGUAGE") {
        Take();
        Expr();
        Expect(L",");
        Expr();
        continue;
      }
      if (t.kind == Tok::Ident && t.text == L"STRINGTABLE") {
        Take();
        StringTable(script);
        continue;
      }
      int line = t.line;
      UINT id = ResourceId(Expr(), line);
      Token type = Take();
      if (type.kind != Tok::Ident) Fail(type.line, "resource type expected");
      if (type.text == L"DIALOGEX" || type.text == L"DIALOG") {
        if (script.dialogs.count(id)) Fail(line, "dialog " + std::to_string(id) + " defined twice");
        script.dialogs[id] = Dialog();
      } else if (type.text == L"BITMAP") {
        SkipMemoryOptions();
        Token file = Take();
        if (file.kind != Tok::String) Fail(file.line, "BITMAP needs a file name string");
        std::wstring name = file.text;
        for (auto& c : name)
          if (c == L'\\') c = L'/';
        fs::path path = m_dir / fs::path(Narrow(name));
        if (!fs::is_regular_file(path)) Fail(file.line, "bitmap file " + path.string() + " not found");
        if (script.bitmaps.count(id)) Fail(line, "bitmap " + std::to_string(id) + " defined twice");
        script.bitmaps[id] = path;
      } else {
        Fail(type.line, "unsupported resource type " + Narrow(type.text));
      }
    }
    return script;
  }

private:
  [[noreturn]] void Fail(int line, const std::string& what) const { m_lex.Fail(line, what); }

  // Tokens, with directives handled as they pass and macro bodies spliced in front.
  Token Peek() {
    if (m_pending.empty()) m_pending.push_back(Raw());
    return m_pending.front();
  }
  Token Take() {
    Token t = Peek();
    m_pending.pop_front();
    return t;
  }
  Token Raw() {
    for (;;) {
      Token t = m_lex.Next();
      if (t.kind != Tok::Directive) return t;
      m_pp.Directive(m_lex, t, m_dir, 0);
    }
  }
  bool IsPunct(const Token& t, const wchar_t* p) const { return t.kind == Tok::Punct && t.text == p; }
  bool IsWord(const Token& t, const wchar_t* w) const { return t.kind == Tok::Ident && t.text == w; }
  void Expect(const wchar_t* p) {
    Token t = Take();
    if (!IsPunct(t, p)) Fail(t.line, "'" + Narrow(p) + "' expected");
  }
  bool TakeIf(const wchar_t* p) {
    if (!IsPunct(Peek(), p)) return false;
    Take();
    return true;
  }
  void SkipMemoryOptions() {
    while (Peek().kind == Tok::Ident && IsMemoryOption(Peek().text)) Take();
  }
  void ExpectBegin() {
    Token t = Take();
    if (!IsWord(t, L"BEGIN") && !IsPunct(t, L"{")) Fail(t.line, "BEGIN expected");
  }
  bool TakeEnd() {
    Token t = Peek();
    if (IsWord(t, L"END") || IsPunct(t, L"}")) {
      Take();
      return true;
    }
    if (t.kind == Tok::End) Fail(t.line, "END expected before the end of the script");
    return false;
  }

  UINT ResourceId(std::int64_t v, int line) const {
    if (v < 1 || v > 0xFFFF) Fail(line, "resource id " + std::to_string(v) + " outside 1..65535");
    return static_cast<UINT>(v);
  }

  // --- expressions: | ^ & + - over unary ~ - + and primaries; identifiers are macros.
  std::int64_t Expr() {
    std::int64_t v = Xor();
    while (TakeIf(L"|")) v |= Xor();
    return v;
  }
  std::int64_t Xor() {
    std::int64_t v = And();
    while (TakeIf(L"^")) v ^= And();
    return v;
  }
  std::int64_t And() {
    std::int64_t v = Add();
    while (TakeIf(L"&")) v &= Add();
    return v;
  }
  std::int64_t Add() {
    std::int64_t v = Unary();
    for (;;) {
      if (TakeIf(L"+")) v = (v + Unary()) & 0xFFFFFFFF;
      else if (TakeIf(L"-")) v = (v - Unary()) & 0xFFFFFFFF;
      else return v;
    }
  }
  std::int64_t Unary() {
    if (TakeIf(L"~")) return ~Unary() & 0xFFFFFFFF;
    if (TakeIf(L"-")) return -Unary();
    if (TakeIf(L"+")) return Unary();
    return Primary();
  }
  std::int64_t Primary() {
    Token t = Take();
    if (t.kind == Tok::Number) return t.value;
    if (IsPunct(t, L"(")) {
      std::int64_t v = Expr();
      Expect(L")");
      return v;
    }
    if (t.kind == Tok::Ident) {
      Expand(t);  // the body may begin with a unary operator
      return Unary();
    }
    Fail(t.line, "number expected");
  }
  // Puts a macro's body in front of the remaining tokens, as the preprocessor would.
  void Expand(const Token& t) {
    if (m_pp.IsFunctionLike(t.text)) Fail(t.line, "function-like macro " + Narrow(t.text) + " cannot be used here");
    const std::wstring* body = m_pp.Find(t.text);
    if (body == nullptr) Fail(t.line, "undefined symbol " + Narrow(t.text));
    if (t.depth >= kMaxExpansionDepth) Fail(t.line, "macro " + Narrow(t.text) + " expands too deeply (recursive?)");
    Lexer sub(*body, m_lex.Name());
    std::vector<Token> tokens;
    for (Token b = sub.Next(); b.kind != Tok::End; b = sub.Next()) {
      if (b.kind == Tok::Directive) Fail(t.line, "macro " + Narrow(t.text) + " expands to a directive");
      b.line = t.line;
      b.depth = t.depth + 1;
      tokens.push_back(b);
    }
    if (tokens.empty()) Fail(t.line, "macro " + Narrow(t.text) + " is empty");
    m_pending.insert(m_pending.begin(), tokens.begin(), tokens.end());
  }

  // A style: terms joined by |; NOT removes bits, also those the statement gives by default.
  DWORD Style(DWORD defaults) {
    std::int64_t set = defaults, clear = 0;
    do {
      if (IsWord(Peek(), L"NOT")) {
        Take();
        clear |= Xor();
      } else {
        set |= Xor();
      }
    } while (TakeIf(L"|"));
    return static_cast<DWORD>(set & ~clear & 0xFFFFFFFF);
  }

  int Coord() {
    int line = Peek().line;
    std::int64_t v = Expr();
    if (v < -32768 || v > 32767) Fail(line, "coordinate " + std::to_string(v) + " outside the 16-bit range");
    return static_cast<int>(v);
  }

  std::wstring Text(const char* what) {
    Token t = Take();
    if (t.kind != Tok::String) Fail(t.line, std::string(what) + " must be a string");
    return t.text;
  }

  void StringTable(Script& script) {
    SkipMemoryOptions();
    ExpectBegin();
    while (!TakeEnd()) {
      int line = Peek().line;
      std::int64_t id = Expr();
      if (id < 0 || id > 0xFFFF) Fail(line, "string id " + std::to_string(id) + " outside 0..65535");
      TakeIf(L",");
      std::wstring text = Text("a string table entry");
      if (!script.strings.emplace(static_cast<UINT>(id), std::move(text)).second)
        Fail(line, "string " + std::to_string(id) + " defined twice");
    }
  }

  DialogTemplate Dialog() {
    DialogTemplate d;
    SkipMemoryOptions();
    d.x = Coord();
    Expect(L",");
    d.y = Coord();
    Expect(L",");
    d.cx = Coord();
    Expect(L",");
    d.cy = Coord();
    if (TakeIf(L",")) Expr();  // help id
    bool styled = false, captioned = false, font = false;
    for (;;) {
      Token t = Peek();
      if (IsWord(t, L"BEGIN") || IsPunct(t, L"{")) break;
      Take();
      if (IsWord(t, L"STYLE")) {
        d.style = Style(0);
        styled = true;
      } else if (IsWord(t, L"EXSTYLE")) {
        d.exStyle = Style(0);
      } else if (IsWord(t, L"CAPTION")) {
        d.caption = Text("CAPTION");
        captioned = true;
      } else if (IsWord(t, L"FONT")) {
        d.pointSize = static_cast<int>(Expr());
        Expect(L",");
        d.fontFace = Text("the FONT face");
        for (int extra = 0; extra < 3 && TakeIf(L","); ++extra) Expr();  // weight, italic, charset
        font = true;
      } else if (IsWord(t, L"LANGUAGE")) {
        Expr();
        Expect(L",");
        Expr();
      } else if (IsWord(t, L"CHARACTERISTICS") || IsWord(t, L"VERSION")) {
        Expr();
      } else {
        Fail(t.line, "unsupported dialog statement " + Narrow(t.text));
      }
    }
    if (!styled) d.style = WS_POPUP | WS_BORDER | WS_SYSMENU;
    if (captioned) d.style |= WS_CAPTION;
    if (font) d.style |= DS_SETFONT;
    ExpectBegin();
    while (!TakeEnd()) d.items.push_back(Control());
    return d;
  }

  DialogItemTemplate Control() {
    Token t = Take();
    if (t.kind != Tok::Ident) Fail(t.line, "control statement expected");
    DialogItemTemplate item;
    if (t.text == L"CONTROL") {
      item.text = Text("the control text");
      Expect(L",");
      item.id = static_cast<UINT>(Expr());
      Expect(L",");
      item.className = ClassName();
      Expect(L",");
      item.style = Style(WS_CHILD | WS_VISIBLE);
      Expect(L",");
      Rect(item);
      if (TakeIf(L",")) item.exStyle = Style(0);
      if (TakeIf(L",")) Expr();  // help id
      return item;
    }
    const ControlKind* kind = nullptr;
    for (const auto& k : kControlKinds)
      if (t.text == k.keyword) kind = &k;
    if (kind == nullptr) Fail(t.line, "unsupported control statement " + Narrow(t.text));
    if (kind->hasText) {
      item.text = Text("the control text");
      Expect(L",");
    }
    item.className = kind->className;
    item.id = static_cast<UINT>(Expr());
    Expect(L",");
    Rect(item);
    item.style = WS_CHILD | WS_VISIBLE | kind->defaults;
    if (TakeIf(L",")) item.style = Style(item.style);
    if (TakeIf(L",")) item.exStyle = Style(0);
    if (TakeIf(L",")) Expr();  // help id
    return item;
  }

  void Rect(DialogItemTemplate& item) {
    item.x = Coord();
    Expect(L",");
    item.y = Coord();
    Expect(L",");
    item.cx = Coord();
    Expect(L",");
    item.cy = Coord();
  }

  std::wstring ClassName() {
    Token t = Take();
    if (t.kind == Tok::String) {
      for (const wchar_t* c : kPredefinedClasses)
        if (Upper(t.text) == c) return c;
      return t.text;
    }
    if (t.kind == Tok::Ident) {
      for (const wchar_t* c : kPredefinedClasses)
        if (Upper(t.text) == c) return c;
    }
    Fail(t.line, "window class name expected");
  }

  Lexer m_lex;
  fs::path m_dir;
  Preprocessor m_pp;
  std::deque<Token> m_pending;
};

}  // namespace

Script ParseScriptText(const std::string& utf8, const std::string& name, const fs::path& baseDir,
                       const std::vector<fs::path>& includeDirs) {
  if (!orv::IsValidUtf8(utf8)) throw ScriptError(name + ": not valid UTF-8");
  std::string_view bytes = utf8;
  if (bytes.substr(0, 3) == "\xEF\xBB\xBF") bytes.remove_prefix(3);
  std::wstring text = StripComments(orv::DecodeUtf8(bytes), name);
  Parser parser(Lexer(std::move(text), name), baseDir, includeDirs);
  return parser.Parse();
}

Script ParseScriptFile(const fs::path& file, const std::vector<fs::path>& includeDirs) {
  return ParseScriptText(ReadFileBytes(file), file.string(), file.parent_path(), includeDirs);
}

}  // namespace orv::rc
