#pragma once
// The preprocessor of the resource-script reader: object-like macros, #include (a header
// contributes only its directive lines), #undef and #pragma code_page.
#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "res/tools/RcLexer.h"

namespace orv::rc::detail {

inline constexpr int kMaxIncludeDepth = 16;

class Preprocessor {
public:
  explicit Preprocessor(std::vector<std::filesystem::path> includeDirs) : includeDirs_(std::move(includeDirs)) {}

  // The body of an object-like macro, or null.
  const std::wstring* Find(const std::wstring& name) const {
    auto it = defs_.find(name);
    return it == defs_.end() ? nullptr : &it->second;
  }
  bool IsFunctionLike(const std::wstring& name) const { return functionLike_.count(name) != 0; }

  // Carries out one directive line met by `lex` in a file of folder `dir`, `depth` includes deep.
  void Directive(const Lexer& lex, const Token& t, const std::filesystem::path& dir, int depth);

private:
  void Include(const Lexer& from, int line, const std::filesystem::path& rel, const std::filesystem::path& dir,
               int depth);

  std::vector<std::filesystem::path> includeDirs_;
  std::map<std::wstring, std::wstring> defs_;
  std::set<std::wstring> functionLike_;
};

}  // namespace orv::rc::detail
