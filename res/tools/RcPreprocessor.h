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
  explicit Preprocessor(std::vector<std::filesystem::path> includeDirs) : m_includeDirs(std::move(includeDirs)) {}

  // The body of an object-like macro, or null.
  const std::wstring* Find(const std::wstring& name) const {
    auto it = m_defs.find(name);
    return it == m_defs.end() ? nullptr : &it->second;
  }
  bool IsFunctionLike(const std::wstring& name) const { return m_functionLike.count(name) != 0; }

  // Carries out one directive line met by `lex` in a file of folder `dir`, `depth` includes deep.
  void Directive(const Lexer& lex, const Token& t, const std::filesystem::path& dir, int depth);

private:
  void Include(const Lexer& from, int line, const std::filesystem::path& rel, const std::filesystem::path& dir,
               int depth);

  std::vector<std::filesystem::path> m_includeDirs;
  std::map<std::wstring, std::wstring> m_defs;
  std::set<std::wstring> m_functionLike;
};

}  // namespace orv::rc::detail
