#include "res/tools/RcScript.h"

#include <cstdint>
#include <deque>
#include <set>

#include "platform/base/TextCodec.h"
#include "platform/base/WinStyles.h"
#include "res/tools/RcLexer.h"
#include "res/tools/RcPreprocessor.h"

namespace fs = std::filesystem;

namespace orv::rc {
namespace {

using detail::Lexer;
using detail::Narrow;
using detail::Preprocessor;
using detail::Tok;
using detail::Token;

constexpr int kMaxExpansionDepth = 32;

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
      : lex_(std::move(lexer)), dir_(std::move(dir)), pp_(std::move(includeDirs)) {}

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
        fs::path path = dir_ / fs::path(Narrow(name));
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
  [[noreturn]] void Fail(int line, const std::string& what) const { lex_.Fail(line, what); }

  // Tokens, with directives handled as they pass and macro bodies spliced in front.
  Token Peek() {
    if (pending_.empty()) pending_.push_back(Raw());
    return pending_.front();
  }
  Token Take() {
    Token t = Peek();
    pending_.pop_front();
    return t;
  }
  Token Raw() {
    for (;;) {
      Token t = lex_.Next();
      if (t.kind != Tok::Directive) return t;
      pp_.Directive(lex_, t, dir_, 0);
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
    if (pp_.IsFunctionLike(t.text)) Fail(t.line, "function-like macro " + Narrow(t.text) + " cannot be used here");
    const std::wstring* body = pp_.Find(t.text);
    if (body == nullptr) Fail(t.line, "undefined symbol " + Narrow(t.text));
    if (t.depth >= kMaxExpansionDepth) Fail(t.line, "macro " + Narrow(t.text) + " expands too deeply (recursive?)");
    Lexer sub(*body, lex_.Name());
    std::vector<Token> tokens;
    for (Token b = sub.Next(); b.kind != Tok::End; b = sub.Next()) {
      if (b.kind == Tok::Directive) Fail(t.line, "macro " + Narrow(t.text) + " expands to a directive");
      b.line = t.line;
      b.depth = t.depth + 1;
      tokens.push_back(b);
    }
    if (tokens.empty()) Fail(t.line, "macro " + Narrow(t.text) + " is empty");
    pending_.insert(pending_.begin(), tokens.begin(), tokens.end());
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
    Rect(d);
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

  // x, y, width, height of a dialog or a control.
  template <class Placed>
  void Rect(Placed& target) {
    target.x = Coord();
    Expect(L",");
    target.y = Coord();
    Expect(L",");
    target.cx = Coord();
    Expect(L",");
    target.cy = Coord();
  }

  std::wstring ClassName() {
    Token t = Take();
    if (t.kind == Tok::String) {
      for (const wchar_t* c : kPredefinedClasses)
        if (detail::Upper(t.text) == c) return c;
      return t.text;
    }
    if (t.kind == Tok::Ident) {
      for (const wchar_t* c : kPredefinedClasses)
        if (detail::Upper(t.text) == c) return c;
    }
    Fail(t.line, "window class name expected");
  }

  Lexer lex_;
  fs::path dir_;
  Preprocessor pp_;
  std::deque<Token> pending_;
};

}  // namespace

Script ParseScriptText(const std::string& utf8, const std::string& name, const fs::path& baseDir,
                       const std::vector<fs::path>& includeDirs) {
  if (!orv::IsValidUtf8(utf8)) throw ScriptError(name + ": not valid UTF-8");
  std::string_view bytes = utf8;
  if (bytes.substr(0, 3) == "\xEF\xBB\xBF") bytes.remove_prefix(3);
  std::wstring text = detail::StripComments(orv::DecodeUtf8(bytes), name);
  Parser parser(Lexer(std::move(text), name), baseDir, includeDirs);
  return parser.Parse();
}

Script ParseScriptFile(const fs::path& file, const std::vector<fs::path>& includeDirs) {
  return ParseScriptText(detail::ReadFileBytes(file), file.string(), file.parent_path(), includeDirs);
}

}  // namespace orv::rc