// .reg files: the exact text of an export, round trips in UTF-16LE and UTF-8, hand-written
// files, and files with errors (which change nothing).
#include "platform/store/RegFile.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "platform/base/CString.h"
#include "platform/base/TextCodec.h"
#include "support/FileBytes.h"
#include "support/RawRegistry.h"
#include "support/TempRegistry.h"

namespace {
using orv::test::ReadRawValue;
using orv::test::DwordBytes;
using orv::test::TextBytes;

void Set(HKEY root, const wchar_t* path, const wchar_t* name, DWORD type, const std::vector<BYTE>& data) {
  const DWORD size = static_cast<DWORD>(data.size());
  ASSERT_EQ(ERROR_SUCCESS, orv::test::SetRawValue(root, path, name, type, data.data(), size));
}

std::wstring Export(HKEY root, const wchar_t* path) {
  std::wstring text;
  EXPECT_EQ(ERROR_SUCCESS, orv::ExportRegText(root, path, &text));
  return text;
}

class RegFileTest : public testing::Test {
protected:
  orv::test::TempRegistry m_registry;
};

TEST_F(RegFileTest, ExportWritesRegeditsForm) {
  Set(HKEY_LOCAL_MACHINE, L"Software\\Orrelab\\CnsPic\\1", L"lst", REG_SZ, TextBytes(L".\\c\\CnsPic.lst"));
  Set(HKEY_LOCAL_MACHINE, L"Software\\Orrelab\\CnsPic\\1", L"say \"hi\"", REG_DWORD, DwordBytes(42));
  Set(HKEY_LOCAL_MACHINE, L"Software\\Orrelab\\CnsPic\\1", L"", REG_BINARY, {0x00, 0xAB, 0x10});
  Set(HKEY_LOCAL_MACHINE, L"Software\\Orrelab\\CnsPic\\1", L"q", REG_QWORD, {1, 0, 0, 0, 0, 0, 0, 0x80});
  Set(HKEY_LOCAL_MACHINE, L"Software\\Orrelab\\CnsPic\\1", L"e", REG_EXPAND_SZ, TextBytes(L"%A%"));
  Set(HKEY_LOCAL_MACHINE, L"Software\\Orrelab\\CnsPic\\2\\Deep", L"label", REG_SZ, TextBytes(L"\u661f"));
  std::wstring expected =
      L"Windows Registry Editor Version 5.00\r\n"
      L"\r\n"
      L"[HKEY_LOCAL_MACHINE\\Software\\Orrelab\\CnsPic]\r\n"
      L"\r\n"
      L"[HKEY_LOCAL_MACHINE\\Software\\Orrelab\\CnsPic\\1]\r\n"
      L"\"lst\"=\".\\\\c\\\\CnsPic.lst\"\r\n"
      L"\"say \\\"hi\\\"\"=dword:0000002a\r\n"
      L"@=hex:00,ab,10\r\n"
      L"\"q\"=hex(b):01,00,00,00,00,00,00,80\r\n"
      L"\"e\"=hex(2):25,00,41,00,25,00,00,00\r\n"
      L"\r\n"
      L"[HKEY_LOCAL_MACHINE\\Software\\Orrelab\\CnsPic\\2]\r\n"
      L"\r\n"
      L"[HKEY_LOCAL_MACHINE\\Software\\Orrelab\\CnsPic\\2\\Deep]\r\n"
      L"\"label\"=\"\u661f\"\r\n"
      L"\r\n";
  EXPECT_EQ(orv::EncodeUtf8(expected), orv::EncodeUtf8(Export(HKEY_LOCAL_MACHINE, L"software\\orrelab\\cnspic")));
  std::wstring text;
  EXPECT_EQ(ERROR_FILE_NOT_FOUND, orv::ExportRegText(HKEY_LOCAL_MACHINE, L"Software\\Nothing", &text));
}

TEST_F(RegFileTest, LongHexDataIsContinuedWithin80Columns) {
  std::vector<BYTE> bytes(100);
  for (size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<BYTE>(i);
  std::wstring line = orv::FormatRegValue(L"blob", REG_BINARY, bytes);
  size_t start = 0, lines = 0;
  while (start < line.size()) {
    size_t end = line.find(L"\r\n", start);
    std::wstring part = line.substr(start, end == std::wstring::npos ? std::wstring::npos : end - start);
    EXPECT_LE(part.size(), 80u) << orv::EncodeUtf8(part);
    if (end != std::wstring::npos) {
      EXPECT_EQ(L'\\', part.back());
    }
    if (lines > 0) {
      EXPECT_EQ(L"  ", part.substr(0, 2));
    }
    ++lines;
    start = end == std::wstring::npos ? line.size() : end + 2;
  }
  EXPECT_EQ(5u, lines);
}

TEST_F(RegFileTest, RoundTripsInUtf16AndUtf8KeepEveryValue) {
  struct Value {
    const wchar_t* name;
    DWORD type;
    std::vector<BYTE> data;
  };
  std::vector<BYTE> longBlob(300);
  for (size_t i = 0; i < longBlob.size(); ++i) longBlob[i] = static_cast<BYTE>(i * 7);
  const std::vector<Value> values = {
      {L"text", REG_SZ, TextBytes(L"a \\ b \"c\" \u661f\u5ea7 \U0001F30C")},
      {L"empty", REG_SZ, TextBytes(L"")},
      {L"", REG_SZ, TextBytes(L"default")},
      {L"unterminated", REG_SZ, TextBytes(L"abc", false)},
      {L"two lines", REG_SZ, TextBytes(L"a\r\nb")},
      {L"number", REG_DWORD, DwordBytes(0xFFFFFFFFu)},
      {L"blob", REG_BINARY, longBlob},
      {L"nothing", REG_BINARY, {}},
      {L"none", REG_NONE, {}},
      {L"big", REG_QWORD, {1, 2, 3, 4, 5, 6, 7, 8}},
      {L"expand", REG_EXPAND_SZ, TextBytes(L"%HOME%\\x")},
      {L"multi", REG_MULTI_SZ, TextBytes(std::wstring(L"one\0two\0", 8))},
      {L"\u540d\u524d \"q\" \\", REG_DWORD, DwordBytes(7)},
  };
  for (const Value& v : values) Set(HKEY_CURRENT_USER, L"Software\\Trip\\Sub", v.name, v.type, v.data);
  Set(HKEY_CURRENT_USER, L"Software\\Trip\\Empty\\Leaf", L"x", REG_DWORD, DwordBytes(1));
  const std::wstring before = Export(HKEY_CURRENT_USER, L"Software\\Trip");

  struct Encoding {
    const char* name;
    std::string bytes;
  } const encodings[] = {
      {"utf-16le", orv::EncodeRegFile(before)},
      {"utf-8", orv::EncodeUtf8(before)},
      {"utf-8 with mark", "\xEF\xBB\xBF" + orv::EncodeUtf8(before)},
  };
  ASSERT_EQ(std::string("\xFF\xFE", 2), encodings[0].bytes.substr(0, 2));
  for (const Encoding& encoding : encodings) {
    SCOPED_TRACE(encoding.name);
    ASSERT_EQ(ERROR_SUCCESS, SHDeleteKeyW(HKEY_CURRENT_USER, L"Software\\Trip"));
    orv::RegImportReport report = orv::ImportRegBytes(encoding.bytes);
    ASSERT_EQ(ERROR_SUCCESS, report.status) << orv::EncodeUtf8(report.message) << " at line " << report.line;
    EXPECT_EQ(4, report.keys);
    EXPECT_EQ(static_cast<int>(values.size()) + 1, report.values);
    for (const Value& v : values) {
      orv::test::RawValue stored = ReadRawValue(HKEY_CURRENT_USER, L"Software\\Trip\\Sub", v.name);
      ASSERT_TRUE(stored.Found()) << CString(v.name);
      EXPECT_EQ(v.type, stored.type) << CString(v.name);
      EXPECT_EQ(v.data, stored.bytes) << CString(v.name);
    }
    EXPECT_EQ(orv::EncodeUtf8(before), orv::EncodeUtf8(Export(HKEY_CURRENT_USER, L"Software\\Trip")));
  }
}

TEST_F(RegFileTest, HandWrittenFilesWithCommentsContinuationsAndDeletions) {
  Set(HKEY_CURRENT_USER, L"Software\\Old\\Deep", L"x", REG_DWORD, DwordBytes(1));
  Set(HKEY_CURRENT_USER, L"Software\\Keep", L"gone", REG_DWORD, DwordBytes(1));
  Set(HKEY_CURRENT_USER, L"Software\\Keep", L"stays", REG_DWORD, DwordBytes(2));
  const std::wstring text =
      L"\uFEFFREGEDIT4\n"
      L"; a comment\n"
      L"\n"
      L"[-HKCU\\Software\\Old]\n"
      L"[-HKCU\\Software\\NeverWas]\n"
      L"[hklm\\Software\\New]\n"
      L"  \"bytes\" = hex: 01, 02 ,\\\n"
      L"      03,\\\n"
      L"      04\n"
      L"\"n\"=DWORD:1F\n"
      L"\"s\"=\"C:\\\\Program Files\\\\x\" ; trailing comment\n"
      L"[HKEY_CURRENT_USER\\Software\\Keep]\r\n"
      L"\"gone\"=-\r\n"
      L"\"never\"=-\r\n";
  orv::RegImportReport report = orv::ImportRegText(text);
  ASSERT_EQ(ERROR_SUCCESS, report.status) << orv::EncodeUtf8(report.message) << " at line " << report.line;
  HKEY key = nullptr;
  EXPECT_EQ(ERROR_FILE_NOT_FOUND, RegOpenKeyExW(HKEY_CURRENT_USER, L"Software\\Old", 0, KEY_READ, &key));
  EXPECT_EQ((std::vector<BYTE>{1, 2, 3, 4}), ReadRawValue(HKEY_LOCAL_MACHINE, L"Software\\New", L"bytes").bytes);
  EXPECT_EQ(DwordBytes(0x1F), ReadRawValue(HKEY_LOCAL_MACHINE, L"Software\\New", L"n").bytes);
  EXPECT_EQ(TextBytes(L"C:\\Program Files\\x"), ReadRawValue(HKEY_LOCAL_MACHINE, L"Software\\New", L"s").bytes);
  EXPECT_EQ(ERROR_FILE_NOT_FOUND, ReadRawValue(HKEY_CURRENT_USER, L"Software\\Keep", L"gone").status);
  EXPECT_TRUE(ReadRawValue(HKEY_CURRENT_USER, L"Software\\Keep", L"stays").Found());
}

TEST_F(RegFileTest, AFileWithAnErrorChangesNothing) {
  const std::wstring header = L"Windows Registry Editor Version 5.00\r\n\r\n[HKEY_CURRENT_USER\\Software\\A]\r\n\"ok\"=dword:1\r\n";
  struct Row {
    std::wstring text;
    int line;
  } rows[] = {
      {L"", 1},
      {L"REGEDIT5\r\n[HKEY_CURRENT_USER\\X]\r\n", 1},
      {L"Windows Registry Editor Version 5.00\r\n\"v\"=dword:1\r\n", 2},
      {header + L"[HKEY_CLASSES_ROOT\\X]\r\n", 5},
      {header + L"[HKEY_CURRENT_USER\\X\r\n", 5},
      {header + L"\"v\"=dword:123456789\r\n", 5},
      {header + L"\"v\"=dword:\r\n", 5},
      {header + L"\"v\"=dword:12x4\r\n", 5},
      {header + L"\"v\"=hex:1,2,zz\r\n", 5},
      {header + L"\"v\"=hex:100\r\n", 5},
      {header + L"\"v\"=hex(4):01,02,03\r\n", 5},
      {header + L"\"v\"=hex(4):01,02,03,04,05\r\n", 5},
      {header + L"\"v\"=hex(4):01,02,03,04,05,06,07,08\r\n", 5},
      {header + L"\"v\"=hex(b):01,02,03\r\n", 5},
      {header + L"\"v\"=hex(b):01,02,03,04,05\r\n", 5},
      {header + L"\"v\"=hex(:01\r\n", 5},
      {header + L"\"v\"=\"unterminated\r\n", 5},
      {header + L"\"v\"=\"a\" b\r\n", 5},
      {header + L"\"v=\"a\"\r\n", 5},
      {header + L"\"v\" \"a\"\r\n", 5},
      {header + L"\"v\"=str:x\r\n", 5},
      {header + L"garbage\r\n", 5},
      {header + L"[-HKEY_CURRENT_USER\\Software\\B]\r\n\"v\"=dword:1\r\n", 6},
      {header + L"[HKEY_CURRENT_USER\\Software\\C]\r\n\"v\"=hex:01,\\\r\n  02,zz\r\n", 6},
      {header + L"[-HKEY_CURRENT_USER\\Software" + std::wstring(1, L'\0') + L"\\Victim]\r\n", 5},
      {header + L"\"a" + std::wstring(1, L'\0') + L"b\"=dword:1\r\n", 5},
      {header + L"[-HKEY_CURRENT_USER]\r\n", 5},
      {header + L"[HKEY_CURRENT_USER\\" + std::wstring(256, L'k') + L"]\r\n", 5},
  };
  for (const Row& row : rows) {
    orv::RegImportReport report = orv::ImportRegText(row.text);
    EXPECT_EQ(ERROR_INVALID_DATA, report.status) << orv::EncodeUtf8(row.text);
    EXPECT_EQ(row.line, report.line) << orv::EncodeUtf8(row.text) << ": " << orv::EncodeUtf8(report.message);
    EXPECT_FALSE(report.message.empty());
    HKEY key = nullptr;
    EXPECT_EQ(ERROR_FILE_NOT_FOUND, RegOpenKeyExW(HKEY_CURRENT_USER, L"Software", 0, KEY_READ, &key))
        << "nothing imported from " << orv::EncodeUtf8(row.text);
  }
}

TEST_F(RegFileTest, AStoreFailurePartWayLeavesNothingOfTheFile) {
  orv::SetRegistryRootFile(HKEY_LOCAL_MACHINE, "/dev/null/machine.db");  // cannot be created
  // More changes than any one commit of a store would hold, before the one that fails.
  constexpr int kValues = 5000;
  std::wstring text = L"REGEDIT4\r\n[HKEY_CURRENT_USER\\Software\\A]\r\n";
  for (int i = 0; i < kValues; ++i) text += L"\"v" + std::to_wstring(i) + L"\"=dword:1\r\n";
  orv::RegImportReport report = orv::ImportRegText(text + L"[HKEY_LOCAL_MACHINE\\B]\r\n");
  EXPECT_NE(ERROR_SUCCESS, report.status);
  EXPECT_EQ(kValues + 3, report.line);
  EXPECT_EQ(std::wstring::npos, report.message.find(L"error")) << orv::EncodeUtf8(report.message);
  HKEY key = nullptr;
  EXPECT_EQ(ERROR_FILE_NOT_FOUND, RegOpenKeyExW(HKEY_CURRENT_USER, L"Software", 0, KEY_READ, &key));
  // A name that a .reg line could not hold is refused when it is stored.
  ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExW(HKEY_CURRENT_USER, L"S", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr));
  const BYTE one[4] = {1};
  EXPECT_EQ(ERROR_INVALID_PARAMETER, RegSetValueExW(key, L"two\nlines", 0, REG_DWORD, one, 4));
  RegCloseKey(key);
}

TEST_F(RegFileTest, Utf16FileBytesAreDecoded) {
  std::string bytes = orv::test::Utf16LeWithMark(
      L"Windows Registry Editor Version 5.00\r\n\r\n[HKEY_LOCAL_MACHINE\\S\\\u661f]\r\n\"label\"=\"\u6a19\u6e96\"\r\n");
  orv::RegImportReport report = orv::ImportRegBytes(bytes);
  ASSERT_EQ(ERROR_SUCCESS, report.status) << orv::EncodeUtf8(report.message);
  EXPECT_EQ(TextBytes(L"\u6a19\u6e96"), ReadRawValue(HKEY_LOCAL_MACHINE, L"S\\\u661f", L"label").bytes);
  EXPECT_EQ(ERROR_INVALID_DATA, orv::ImportRegBytes(std::string("\xFF\xFE\x00", 3)).status);
}

TEST(RegistryPath, RootNamesAndAbbreviations) {
  struct Row {
    const wchar_t* path;
    bool ok;
    HKEY root;
    const wchar_t* subKey;
  } rows[] = {
      {L"HKEY_CURRENT_USER\\Software\\X", true, HKEY_CURRENT_USER, L"Software\\X"},
      {L"hkey_local_machine\\Software", true, HKEY_LOCAL_MACHINE, L"Software"},
      {L"HKCU\\A", true, HKEY_CURRENT_USER, L"A"},
      {L"HKLM", true, HKEY_LOCAL_MACHINE, L""},
      {L"HKEY_USERS\\A", false, nullptr, L""},
      {L"HKCUX\\A", false, nullptr, L""},
      {L"", false, nullptr, L""},
  };
  for (const Row& row : rows) {
    HKEY root = nullptr;
    std::wstring subKey;
    EXPECT_EQ(row.ok, orv::ParseRegistryPath(row.path, &root, &subKey)) << CString(row.path);
    if (row.ok) {
      EXPECT_EQ(row.root, root);
      EXPECT_EQ(std::wstring(row.subKey), subKey);
    }
  }
}

TEST(ShippedPictureSets, RegisterThreeSetsInUtf16) {
  orv::test::TempRegistry registry;
  std::string bytes = orv::test::ReadFileBytes(ORV_SOURCE_DIR "/apps/data/cnspic.reg");
  ASSERT_GE(bytes.size(), 2u);
  EXPECT_EQ(std::string("\xFF\xFE", 2), bytes.substr(0, 2)) << "UTF-16LE with its mark, as regedit writes";
  orv::RegImportReport report = orv::ImportRegBytes(bytes);
  ASSERT_EQ(ERROR_SUCCESS, report.status) << orv::EncodeUtf8(report.message) << " at line " << report.line;
  int otherColours = 0;
  for (const wchar_t* set : {L"1", L"2", L"3"}) {
    std::wstring path = std::wstring(L"Software\\Orrelab\\Skyweave\\10.0\\CnsPic\\") + set;
    for (const wchar_t* name : {L"lst", L"label", L"color"}) {
      orv::test::RawValue value = ReadRawValue(HKEY_LOCAL_MACHINE, path, name);
      ASSERT_TRUE(value.Found()) << CString(set) << " " << CString(name);
      EXPECT_EQ(REG_SZ, value.type);
      EXPECT_GT(value.bytes.size(), sizeof(wchar_t));
      if (std::wcscmp(name, L"color") == 0) {
        std::wstring colour = value.Text();
        EXPECT_EQ(6u, colour.size());
        EXPECT_EQ(std::wstring::npos, colour.find_first_not_of(L"0123456789abcdefABCDEF"));
        if (colour != L"504038") ++otherColours;
      }
    }
  }
  EXPECT_GE(otherColours, 2);
  EXPECT_EQ(TextBytes(L".\\constellation\\CnsPic\\CnsPic.lst"),
            ReadRawValue(HKEY_LOCAL_MACHINE, L"Software\\Orrelab\\Skyweave\\10.0\\CnsPic\\1", L"lst").bytes);
}
}  // namespace
