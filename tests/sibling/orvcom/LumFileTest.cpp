#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include <gtest/gtest.h>

#include "sibling/orvcom/CommonFile.h"
#include "sibling/orvcom/LumFile.h"
#include "support/FileBytes.h"
#include "support/TempDir.h"

namespace {

using orv::test::ReadFileBytes;
using orv::test::TempDir;

TEST(LumFile, UnicodeModeWritesUtf16LeWithAMarkAndTheTextAsGiven) {
  TempDir dir;
  CLumFile file;
  file.SetUnicode(1, 1);
  ASSERT_TRUE(file.Open(dir.WFile("cmd.txt"), CFile::modeCreate | CFile::modeWrite | CFile::shareDenyRead, nullptr));
  file.WriteString(L"Star.Color = RGB(1, 2, 3)\r\n");
  file.WriteString(L"星\n");
  file.Close();
  EXPECT_EQ(orv::test::Utf16LeWithMark(L"Star.Color = RGB(1, 2, 3)\r\n星\n"), ReadFileBytes(dir.File("cmd.txt")));

  CLumFile reader;  // reading needs no mode: the mark says what the file is
  ASSERT_TRUE(reader.Open(dir.WFile("cmd.txt"), CFile::modeRead | CFile::shareDenyWrite, nullptr));
  CString line;
  ASSERT_TRUE(reader.ReadString(line));
  EXPECT_EQ(CString(L"Star.Color = RGB(1, 2, 3)"), line);
  ASSERT_TRUE(reader.ReadString(line));
  EXPECT_EQ(CString(L"星"), line);
  EXPECT_FALSE(reader.ReadString(line));
  reader.Close();
}

TEST(LumFile, WithoutUnicodeModeWritesUtf8) {
  TempDir dir;
  CLumFile file;
  file.SetUnicode(1, 1);
  file.SetUnicode(0, 0);
  ASSERT_TRUE(file.Open(dir.WFile("a.txt"), CFile::modeCreate | CFile::modeWrite, nullptr));
  file.WriteString(L"星\n");
  file.Close();
  EXPECT_EQ("\xE6\x98\x9F\n", ReadFileBytes(dir.File("a.txt")));
}

TEST(CommonFile, DoesFileExistForFilesOnly) {
  TempDir dir;
  std::ofstream(dir.File("there.txt")) << "x";
  std::filesystem::create_directory(dir.File("folder"));
  EXPECT_TRUE(CCommonFile::DoesFileExist(dir.WFile("there.txt")));
  EXPECT_FALSE(CCommonFile::DoesFileExist(dir.WFile("missing.txt")));
  EXPECT_FALSE(CCommonFile::DoesFileExist(dir.WFile("folder")));
  EXPECT_FALSE(CCommonFile::DoesFileExist(L""));
  EXPECT_FALSE(CCommonFile::DoesFileExist(nullptr));
}

TEST(CommonFile, GetPathNameGivesTheFolder) {
  struct Row {
    const wchar_t* path;
    const wchar_t* folder;
  } rows[] = {
      {L"/home/u/colours.lst", L"/home/u"}, {L"/colours.lst", L"/"}, {L"colours.lst", L""},
      {L"a//b.txt", L"a"}, {L"/home/u/", L"/home/u"}, {L"", L""},
  };
  for (const auto& row : rows) EXPECT_EQ(CString(row.folder), CCommonFile::GetPathName(row.path)) << row.path;
}

}  // namespace
