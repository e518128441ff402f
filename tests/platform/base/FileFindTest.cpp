#include <fstream>
#include <filesystem>
#include <string>
#include <tuple>
#include <vector>

#include <gtest/gtest.h>

#include "platform/base/FileFind.h"
#include "support/TempDir.h"

namespace {

using orv::test::TempDir;

std::vector<std::wstring> Names(CFileFind& finder, const CString& pattern) {
  std::vector<std::wstring> names;
  BOOL more = finder.FindFile(pattern);
  while (more) {
    more = finder.FindNextFile();
    names.push_back(finder.GetFileName().str());
  }
  return names;
}

TEST(FileFind, MatchesPatternsIgnoringCaseInNameOrder) {
  TempDir dir;
  for (const char* name : {"b.lst", "A.LST", "c.txt", "readme", "c.lst.bak"}) std::ofstream(dir.File(name)) << "x";
  std::filesystem::create_directory(dir.File("sets"));
  CFileFind finder;
  EXPECT_EQ((std::vector<std::wstring>{L"A.LST", L"b.lst"}), Names(finder, dir.WFile("*.lst")));
  EXPECT_EQ((std::vector<std::wstring>{L".", L"..", L"A.LST", L"b.lst", L"c.lst.bak", L"c.txt", L"readme", L"sets"}),
            Names(finder, dir.WFile("*.*")));
  EXPECT_EQ((std::vector<std::wstring>{L"readme"}), Names(finder, dir.WFile("README.*")));
  EXPECT_EQ((std::vector<std::wstring>{L"c.txt"}), Names(finder, dir.WFile("?.t*")));
  EXPECT_TRUE(Names(finder, dir.WFile("*.none")).empty());
  EXPECT_TRUE(Names(finder, dir.WFile("missing/*.*")).empty());
}

TEST(FileFind, DescribesTheCurrentMatch) {
  TempDir dir;
  std::ofstream(dir.File("set.lst")) << "12345";
  std::filesystem::create_directory(dir.File("sets"));
  CFileFind finder;
  EXPECT_EQ(CString(), finder.GetFileName());  // nothing current before the first step
  ASSERT_TRUE(finder.FindFile(dir.WFile("se*")));
  EXPECT_TRUE(finder.FindNextFile());  // another match follows
  EXPECT_EQ(std::tuple(finder.GetFileName(), finder.GetFilePath(), finder.GetFileTitle(), finder.GetLength(),
                       finder.IsDirectory() != FALSE),
            std::tuple(CString(L"set.lst"), dir.WFile("set.lst"), CString(L"set"), 5u, false));
  EXPECT_FALSE(finder.FindNextFile());  // the last match is current
  EXPECT_EQ(std::tuple(finder.GetFileName(), finder.IsDirectory() != FALSE, finder.IsDots() != FALSE),
            std::tuple(CString(L"sets"), true, false));
  EXPECT_FALSE(finder.FindNextFile());
  EXPECT_EQ(CString(L"sets"), finder.GetFileName());
}

TEST(FileFind, PatternRules) {
  struct Row {
    int line;
    const wchar_t* pattern;
    const wchar_t* name;
    bool matches;
  } rows[] = {
      {1, L"*.*", L"noext", true},   {2, L"*", L"", true},          {3, L"*.lst", L"A.LST", true},
      {4, L"*.lst", L"a.lst.bak", false}, {5, L"a?c", L"abc", true}, {6, L"a?c", L"ac", false},
      {7, L"name.*", L"name", true}, {8, L"name.*", L"names", false}, {9, L"*a*b*", L"xxaxxbxx", true},
      {10, L"*a*b", L"xxaxxbxc", false}, {11, L"星*", L"星座.lst", true},
  };
  for (const auto& row : rows)
    EXPECT_EQ(row.matches, orv::MatchesFilePattern(row.pattern, row.name)) << "row " << row.line;
}

}  // namespace
