#include <filesystem>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "sibling/orvcom/CommonFile.h"
#include "sibling/orvcom/LumFile.h"
#include "support/FileBytes.h"
#include "support/TempDir.h"

namespace {

using orv::test::ReadFileBytes;
using orv::test::TempDir;

// Switched on, the file is UTF-16LE with a mark; switched off again, UTF-8. Both read back
// without a mode: the mark or the bytes say what the file is.
TEST(LumFile, UnicodeModeChoosesUtf16LeWithAMarkOrUtf8AndEitherReadsBack) {
  const std::pair<int, std::string> rows[] = {
      {1, orv::test::Utf16LeWithMark(L"Star.Color = RGB(1, 2, 3)\r\n星\n")},
      {0, "Star.Color = RGB(1, 2, 3)\r\n\xE6\x98\x9F\n"},
  };
  for (const auto& [unicode, bytes] : rows) {
    TempDir dir;
    CLumFile file;
    file.SetUnicode(1, 1);
    file.SetUnicode(unicode, unicode);
    ASSERT_TRUE(file.Open(dir.WFile("cmd.txt"), CFile::modeCreate | CFile::modeWrite | CFile::shareDenyRead, nullptr));
    file.WriteString(L"Star.Color = RGB(1, 2, 3)\r\n");
    file.WriteString(L"星\n");
    file.Close();
    EXPECT_EQ(bytes, ReadFileBytes(dir.File("cmd.txt"))) << unicode;
    CLumFile reader;
    ASSERT_TRUE(reader.Open(dir.WFile("cmd.txt"), CFile::modeRead | CFile::shareDenyWrite, nullptr));
    std::vector<std::wstring> lines;
    for (CString line; reader.ReadString(line);) lines.push_back(line.str());
    EXPECT_EQ((std::vector<std::wstring>{L"Star.Color = RGB(1, 2, 3)", L"星"}), lines);
  }
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
  const std::pair<const wchar_t*, const wchar_t*> rows[] = {  // path, its folder
      {L"/home/u/colours.lst", L"/home/u"}, {L"/colours.lst", L"/"}, {L"colours.lst", L""},
      {L"a//b.txt", L"a"}, {L"/home/u/", L"/home/u"}, {L"", L""},
  };
  for (auto [path, folder] : rows) EXPECT_EQ(CString(folder), CCommonFile::GetPathName(path)) << path;
}

}  // namespace
