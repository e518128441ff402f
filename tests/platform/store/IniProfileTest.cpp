#include <filesystem>
#include <iterator>
#include <string>
#include <tuple>

#include <gtest/gtest.h>

#include "platform/store/Profile.h"
#include "support/FileBytes.h"
#include "support/TempDir.h"

namespace {

using namespace std::string_literals;
using orv::test::ReadFileBytes;
using orv::test::TempDir;
using orv::test::WriteFileBytes;

constexpr wchar_t kSentinel = L'#';

// A file with the inputs most likely to break a reader.
const char kSample[] =
    "; leading comment\r\n"
    "orphan=before any section\r\n"
    "[General]\r\n"
    "FileId = 42  \r\n"
    "  fileid=duplicate\r\n"
    "Quoted=\"  spaced  \"\r\n"
    "Single='x'\r\n"
    "Unmatched=\"abc\r\n"
    "OnlyQuote=\"\r\n"
    "Empty=\r\n"
    "NoEquals\r\n"
    "Eq==b=c\r\n"
    ";Hidden=comment\r\n"
    "[ Spaced Name ]\r\n"
    "Key With Spaces = v\r\n"
    "[Broken\r\n"
    "after=broken header\r\n"
    "[general]\r\n"
    "FileId=second section\r\n"
    "Extra=in duplicate section\r\n"
    "[Tail]\n"
    "last=no newline";

TEST(IniProfileString, ReadsValuesAsThePlatformDoes) {
  struct Row {
    const wchar_t *section, *key, *def;
    DWORD size, expectedCount;
    std::wstring expected;
  } rows[] = {
      {L"General", L"FileId", L"d", 64, 2, L"42"},
      {L"GENERAL", L"fileid", L"d", 64, 2, L"42"},
      {L" General ", L" FileId\t", L"d", 64, 2, L"42"},
      {L"General", L"Quoted", L"d", 64, 10, L"  spaced  "},
      {L"General", L"Single", L"d", 64, 1, L"x"},
      {L"General", L"Unmatched", L"d", 64, 4, L"\"abc"},
      {L"General", L"OnlyQuote", L"d", 64, 1, L"\""},
      {L"General", L"Empty", L"d", 64, 0, L""},
      {L"General", L"NoEquals", L"dflt", 64, 4, L"dflt"},
      {L"General", L"Eq", L"d", 64, 4, L"=b=c"},
      {L"General", L";Hidden", L"d", 64, 1, L"d"},
      {L"spaced name", L"key with spaces", L"d", 64, 1, L"v"},
      {L"Spaced Name", L"after", L"d", 64, 13, L"broken header"},
      {L"[Broken", L"after", L"d", 64, 1, L"d"},
      {L"General", L"Extra", L"d", 64, 1, L"d"},
      {L"Tail", L"last", L"d", 64, 10, L"no newline"},
      {L"", L"orphan", L"d", 64, 1, L"d"},
      {L"Missing", L"key", L"d  \t", 64, 4, L"d  \t"},  // tabs stay, trailing spaces go
      {L"Missing", L"key", nullptr, 64, 0, L""},
      {L"General", L"FileId", L"d", 3, 2, L"42"},  // exactly full
      {L"General", L"FileId", L"d", 2, 1, L"4"},   // one short
      {L"General", L"FileId", L"d", 1, 0, L""},
      {L"Missing", L"key", L"default", 4, 3, L"def"},
      {L"Missing", L"key", L"\td\t  ", 64, 3, L"\td\t"},
  };
  TempDir dir;
  WriteFileBytes(dir.File("a.ini"), kSample);
  const CString file = dir.WFile("a.ini");
  for (const auto& row : rows) {
    SCOPED_TRACE(&row - rows);
    std::wstring buffer(64, kSentinel);
    EXPECT_EQ(row.expectedCount, GetPrivateProfileStringW(row.section, row.key, row.def, buffer.data(), row.size, file));
    // The text, its terminator and nothing written after them.
    EXPECT_EQ((row.expected + L'\0').append(63 - row.expected.size(), kSentinel), buffer);
  }
  wchar_t untouched[4] = {kSentinel, kSentinel, kSentinel, kSentinel};
  EXPECT_EQ(0u, GetPrivateProfileStringW(L"General", L"FileId", L"d", untouched, 0, file));
  EXPECT_EQ(kSentinel, untouched[0]);
  EXPECT_EQ(0u, GetPrivateProfileStringW(L"General", L"FileId", L"d", nullptr, 8, file));
  EXPECT_EQ(3u, GetPrivateProfileStringW(L"General", L"FileId", L"abc", untouched, 4, dir.WFile("none.ini")));
  EXPECT_EQ(std::wstring(L"abc"), untouched);
}

TEST(IniProfileString, ListsSectionsKeysAndEntries) {
  struct Row {
    const wchar_t* section;  // null: section names
    bool entries;            // GetPrivateProfileSectionW instead of key names
    DWORD size, expectedCount;
    std::wstring expected;  // with its NULs
  } rows[] = {
      {nullptr, false, 64, 33, L"General\0Spaced Name\0general\0Tail\0\0"s},
      {L"general", false, 80, 57, L"FileId\0fileid\0Quoted\0Single\0Unmatched\0OnlyQuote\0Empty\0Eq\0\0"s},
      {L"general", false, 10, 8, L"FileId\0f\0\0"s},  // too small: last string cut
      {L"general", false, 9, 7, L"FileId\0\0\0"s},     // room only for the first and the end
      {L"Missing", false, 8, 0, L"\0\0"s},
      {L"Spaced Name", true, 64, 46, L"Key With Spaces=v\0[Broken\0after=broken header\0\0"s},
      {L"General", true, 16, 14, L"FileId=42\0file\0\0"s},
      {L"Tail", true, 2, 0, L"\0\0"s},
      {L"General", true, 128, 109,
       L"FileId=42\0fileid=duplicate\0Quoted=\"  spaced  \"\0Single='x'\0Unmatched=\"abc\0OnlyQuote=\"\0Empty=\0"
       L"NoEquals\0Eq==b=c\0\0"s},
  };
  TempDir dir;
  WriteFileBytes(dir.File("a.ini"), kSample);
  const CString file = dir.WFile("a.ini");
  for (const auto& row : rows) {
    SCOPED_TRACE(&row - rows);
    std::wstring buffer(160, kSentinel);
    DWORD count = row.entries ? GetPrivateProfileSectionW(row.section, buffer.data(), row.size, file)
                  : row.section ? GetPrivateProfileStringW(row.section, nullptr, L"d", buffer.data(), row.size, file)
                                : GetPrivateProfileSectionNamesW(buffer.data(), row.size, file);
    EXPECT_EQ(row.expectedCount, count);
    EXPECT_EQ(row.expected, buffer.substr(0, row.expected.size()));
    EXPECT_EQ(std::wstring(160 - row.size, kSentinel), buffer.substr(row.size)) << "written past the buffer";
  }
}

TEST(IniProfileInt, ReadsALeadingDecimalNumberWithThePlatformsWrap) {
  TempDir dir;
  const CString file = dir.WFile("int.ini");
  // No file: the default, wrapped, whether or not a section and a key are named.
  using Missing = std::tuple<const wchar_t*, const wchar_t*, int, UINT>;  // section, key, default, read
  for (auto [section, key, def, expected] :
       {Missing{nullptr, nullptr, -1, 4294967295u}, Missing{nullptr, nullptr, 1, 1},
        Missing{L"s", nullptr, -1, 4294967295u}, Missing{nullptr, L"k", 1, 1}, Missing{L"s", L"k", -1, 4294967295u},
        Missing{L"s", L"k", 1, 1}})
    EXPECT_EQ(expected, GetPrivateProfileIntW(section, key, def, file))
        << "section " << !!section << ", key " << !!key << ", default " << def;
  // A value, the default, what is read. Values longer than 29 characters are read as their first 29.
  const std::tuple<const wchar_t*, int, UINT> stored[] = {
      {L"-1", -1, 4294967295u}, {L"-1", 1, 4294967295u}, {L"1", -1, 1}, {L"+1", -1, 1}, {L"4294967296", 1, 0},
      {L"4294967297", -1, 1}, {L"-4294967297", 1, 4294967295u}, {L"42A94967297", -1, 42}, {L"B4294967297", -1, 0},
      {L"0x10", 7, 0}, {L"   42   ", 7, 42}, {L"\"7\"", 0, 7}, {L"", 7, 7}, {L"- 5", 7, 0}, {L"1e5", 0, 1},
      {L"12.9", 0, 12}, {L"2147483648", 0, 2147483648u}, {L"99999999999999999999999999999", 0, 2684354559u},
      {L"999999999999999999999999999991234", 0, 2684354559u}};
  for (auto [value, def, expected] : stored) {
    ASSERT_TRUE(WritePrivateProfileStringW(L"s", L"k", value, file));
    EXPECT_EQ(expected, GetPrivateProfileIntW(L"s", L"k", def, file)) << CString(value);
  }
}

TEST(IniProfileWrite, CreatesEditsAndDeletesInPlace) {
  struct Step {
    const wchar_t *section, *key, *value;
    BOOL result;
    std::string bytes;  // the whole file afterwards
  } steps[] = {
      {L"General", L"FileId", L"42", TRUE, "[General]\r\nFileId=42\r\n"},
      {L" general ", L"FILEID", L"43", TRUE, "[General]\r\nFileId=43\r\n"},
      {L"Other", L"K", L" v ", TRUE, "[General]\r\nFileId=43\r\n[Other]\r\nK= v \r\n"},
      {L"General", L"New", L"", TRUE, "[General]\r\nFileId=43\r\nNew=\r\n[Other]\r\nK= v \r\n"},
      {L"General", L"FileId", nullptr, TRUE, "[General]\r\nNew=\r\n[Other]\r\nK= v \r\n"},
      {L"General", L"absent", nullptr, TRUE, "[General]\r\nNew=\r\n[Other]\r\nK= v \r\n"},
      {L"GENERAL", nullptr, nullptr, TRUE, "[Other]\r\nK= v \r\n"},
      {L"Absent", nullptr, nullptr, TRUE, "[Other]\r\nK= v \r\n"},
      {L"Other", L"a=b", L"x", FALSE, "[Other]\r\nK= v \r\n"},
      {L"Other", L"K", L"x\r\n[Injected]", FALSE, "[Other]\r\nK= v \r\n"},
      {L"Oth\ner", L"K", L"x", FALSE, "[Other]\r\nK= v \r\n"},
      {L"Other", L"[K", L"x", FALSE, "[Other]\r\nK= v \r\n"},
      {L"Other", L";K", L"x", FALSE, "[Other]\r\nK= v \r\n"},
      {L"Other", L"K", L"\"q\"", TRUE, "[Other]\r\nK= \"q\"\r\n"},  // the spacing stays
      {nullptr, nullptr, nullptr, TRUE, "[Other]\r\nK= \"q\"\r\n"},
      {nullptr, L"K", L"x", FALSE, "[Other]\r\nK= \"q\"\r\n"},
  };
  TempDir dir;
  const CString file = dir.WFile("w.ini");
  for (const auto& step : steps) {
    SCOPED_TRACE(&step - steps);
    EXPECT_EQ(step.result, WritePrivateProfileStringW(step.section, step.key, step.value, file));
    EXPECT_EQ(step.bytes, ReadFileBytes(dir.File("w.ini")));
  }
  EXPECT_EQ(1, std::distance(std::filesystem::directory_iterator(dir.Path()), {}));  // no temporary left
  // Deleting from a file that does not exist creates nothing.
  EXPECT_TRUE(WritePrivateProfileStringW(L"S", nullptr, nullptr, dir.WFile("none.ini")));
  EXPECT_TRUE(WritePrivateProfileStringW(L"S", L"K", nullptr, dir.WFile("none.ini")));
  EXPECT_FALSE(std::filesystem::exists(dir.File("none.ini")));
  // A folder that does not exist cannot take the file.
  EXPECT_FALSE(WritePrivateProfileStringW(L"S", L"K", L"V", dir.WFile("missing/x.ini")));
  EXPECT_FALSE(WritePrivateProfileStringW(L"S", L"K", L"V", nullptr));
}

}  // namespace
