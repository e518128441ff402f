// Settings-file descriptions: the leading "#" line, read and replaced through a temporary
// file that is renamed over the settings file.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "settings/CfgFile.h"
#include "support/FileBytes.h"
#include "support/TempDir.h"

namespace {

using orv::test::ReadFileBytes;
using orv::test::Utf16LeWithMark;
using orv::test::WriteFileBytes;

class CfgFileTest : public testing::Test {
protected:
  CCfgFile Cfg(const char* name = "colours.lst") { return CCfgFile(dir.WFile(name)); }
  orv::test::TempDir dir;
};

TEST_F(CfgFileTest, DescriptionIsTheFirstLineAfterItsHash) {
  const std::pair<const char*, const wchar_t*> rows[] = {
      {"  #  word  \nrest\n", L"word  "}, {"#\n", L""}, {"\n# later\n", L""},
      {"not a comment\n", L""},           {"", L""},    {"#first\r\n#second\r\n", L"first"},
      {"\t# tabbed", L"tabbed"},
  };
  for (auto [content, expected] : rows) {
    ASSERT_TRUE(WriteFileBytes(dir.File("colours.lst"), content));
    EXPECT_EQ(Cfg().GetDescription(), expected) << content;
  }
  EXPECT_EQ(Cfg("absent.lst").GetDescription(), L"");
}

TEST_F(CfgFileTest, ReplacesTheLeadingCommentRunAndKeepsTheRest) {
  ASSERT_TRUE(WriteFileBytes(dir.File("colours.lst"), "# one\n  # two\n#three\nbody 1\n# kept\n\nbody 2\n"));
  EXPECT_NE(Cfg().SetDescription(L"  new text"), 0);
  EXPECT_EQ(ReadFileBytes(dir.File("colours.lst")), Utf16LeWithMark(L"#   new text\nbody 1\n# kept\n\nbody 2\n"));
  EXPECT_EQ(Cfg().GetDescription(), L"new text");
  EXPECT_FALSE(std::filesystem::exists(dir.File("colours.$$$")));
}

TEST_F(CfgFileTest, InsertsADescriptionWhereThereWasNone) {
  ASSERT_TRUE(WriteFileBytes(dir.File("colours.lst"), Utf16LeWithMark(L"\r\nfirst\r\n")));
  EXPECT_NE(Cfg().SetDescription(L"描述"), 0);
  EXPECT_EQ(ReadFileBytes(dir.File("colours.lst")), Utf16LeWithMark(L"# 描述\n\nfirst\n"));
  ASSERT_TRUE(WriteFileBytes(dir.File("empty.lst"), ""));
  EXPECT_NE(Cfg("empty.lst").SetDescription(L"d"), 0);
  EXPECT_EQ(ReadFileBytes(dir.File("empty.lst")), Utf16LeWithMark(L"# d\n"));
}

TEST_F(CfgFileTest, FailuresLeaveTheSettingsFileAsItWas) {
  EXPECT_EQ(Cfg("absent.lst").SetDescription(L"x"), 0);
  EXPECT_FALSE(std::filesystem::exists(dir.File("absent.lst")));

  const std::string original = "# old\nbody\n";
  ASSERT_TRUE(WriteFileBytes(dir.File("colours.lst"), original));
  // The temporary path is taken by a folder that cannot be deleted or written.
  std::filesystem::create_directories(dir.File("colours.$$$/inside"));
  EXPECT_EQ(Cfg().SetDescription(L"new"), 0);
  EXPECT_EQ(ReadFileBytes(dir.File("colours.lst")), original);
  EXPECT_TRUE(std::filesystem::is_directory(dir.File("colours.$$$")));

  // A base name too long to name a temporary file.
  const std::string longPath = dir.File(std::string(250, 'n') + ".lst");
  ASSERT_TRUE(WriteFileBytes(longPath, original));
  EXPECT_EQ(CCfgFile(CString(longPath.c_str())).SetDescription(L"new"), 0);
  EXPECT_EQ(ReadFileBytes(longPath), original);
}

}  // namespace
