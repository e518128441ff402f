#pragma once
// The lexical layer of the resource-script reader: comments, tokens, directive lines.
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "res/tools/RcScript.h"

namespace orv::rc::detail {

std::string Narrow(std::wstring_view w);
bool IsIdentChar(wchar_t c);
bool IsBlank(wchar_t c);
std::wstring Upper(std::wstring s);
std::string ReadFileBytes(const std::filesystem::path& path);
// Replaces comments with blanks (newlines kept, so line numbers stay right), leaving the
// text of string and character literals alone.
std::wstring StripComments(const std::wstring& in, const std::string& name);

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
  Lexer(std::wstring text, std::string name) : text_(std::move(text)), name_(std::move(name)) {}

  const std::string& Name() const { return name_; }

  [[noreturn]] void Fail(int line, const std::string& what) const {
    throw ScriptError(name_ + ":" + std::to_string(line) + ": " + what);
  }

  Token Next();

private:
  void SkipSpace();
  Token Directive();
  Token Number();
  // A string literal: "" stands for one quote; C escapes as the resource compiler takes them.
  Token String();

  std::wstring text_;
  std::string name_;
  size_t pos_ = 0;
  int line_ = 1;
  bool lineStart_ = true;
};

}  // namespace orv::rc::detail
