#include "res/tools/RcPreprocessor.h"

#include "platform/base/TextCodec.h"

namespace fs = std::filesystem;

namespace orv::rc::detail {

void Preprocessor::Directive(const Lexer& lex, const Token& t, const fs::path& dir, int depth) {
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
      functionLike_.insert(macro);
      return;
    }
    skipBlanks();
    std::wstring body = line.substr(p);
    while (!body.empty() && IsBlank(body.back())) body.pop_back();
    auto [it, added] = defs_.emplace(macro, body);
    if (!added && it->second != body) lex.Fail(t.line, "macro " + Narrow(macro) + " redefined differently");
  } else if (name == L"undef") {
    std::wstring macro = word();
    defs_.erase(macro);
    functionLike_.erase(macro);
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

// A header contributes its preprocessor lines only.
void Preprocessor::Include(const Lexer& from, int line, const fs::path& rel, const fs::path& dir, int depth) {
  if (depth > kMaxIncludeDepth) from.Fail(line, "#include nested too deeply (a cycle?)");
  fs::path found;
  std::vector<fs::path> candidates{dir / rel};
  for (const auto& d : includeDirs_) candidates.push_back(d / rel);
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

}  // namespace orv::rc::detail
