// .reg files: the exact text of an export, round trips in UTF-16LE and UTF-8, hand-written
// files, and files with errors (which change nothing).
#include "platform/store/RegFile.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "platform/base/CString.h"
#include "platform/base/TextCodec.h"
#include "support/RawRegistry.h"
#include "support/TempRegistry.h"

namespace {
using namespace std::string_literals;
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

TEST_F(RegFileTest, RoundTripsInUtf16AndUtf8KeepEveryValue) {
  std::vector<BYTE> longBlob(300);
  for (size_t i = 0; i < longBlob.size(); ++i) longBlob[i] = static_cast<BYTE>(i * 7);
  const std::vector<std::tuple<const wchar_t*, DWORD, std::vector<BYTE>>> values = {
      {L"text", REG_SZ, TextBytes(L"a \\ b \"c\" \u661f\u5ea7 \U0001F30C")},
      {L"empty", REG_SZ, TextBytes(L"")}, {L"", REG_SZ, TextBytes(L"default")},
      {L"unterminated", REG_SZ, TextBytes(L"abc", false)}, {L"two lines", REG_SZ, TextBytes(L"a\r\nb")},
      {L"number", REG_DWORD, DwordBytes(0xFFFFFFFFu)}, {L"blob", REG_BINARY, longBlob},
      {L"nothing", REG_BINARY, {}}, {L"none", REG_NONE, {}}, {L"big", REG_QWORD, {1, 2, 3, 4, 5, 6, 7, 8}},
      {L"expand", REG_EXPAND_SZ, TextBytes(L"%HOME%\\x")}, {L"multi", REG_MULTI_SZ, TextBytes(L"one\0two\0"s)},
      {L"\u540d\u524d \"q\" \\", REG_DWORD, DwordBytes(7)}};
  for (const auto& [name, type, data] : values) Set(HKEY_CURRENT_USER, L"Software\\Trip\\Sub", name, type, data);
  Set(HKEY_CURRENT_USER, L"Software\\Trip\\Empty\\Leaf", L"x", REG_DWORD, DwordBytes(1));
  const std::wstring before = Export(HKEY_CURRENT_USER, L"Software\\Trip");

  const std::pair<const char*, std::string> encodings[] = {
      {"utf-16le", orv::EncodeRegFile(before)},
      {"utf-8", orv::EncodeUtf8(before)},
      {"utf-8 with mark", "\xEF\xBB\xBF" + orv::EncodeUtf8(before)},
  };
  ASSERT_EQ(std::string("\xFF\xFE", 2), encodings[0].second.substr(0, 2));
  for (const auto& [encoding, bytes] : encodings) {
    SCOPED_TRACE(encoding);
    ASSERT_EQ(ERROR_SUCCESS, SHDeleteKeyW(HKEY_CURRENT_USER, L"Software\\Trip"));
    orv::RegImportReport report = orv::ImportRegBytes(bytes);
    ASSERT_EQ(ERROR_SUCCESS, report.status) << orv::EncodeUtf8(report.message) << " at line " << report.line;
    EXPECT_EQ(4, report.keys);
    EXPECT_EQ(static_cast<int>(values.size()) + 1, report.values);
    for (const auto& [name, type, data] : values) {
      const orv::test::RawValue stored = ReadRawValue(HKEY_CURRENT_USER, L"Software\\Trip\\Sub", name);
      EXPECT_EQ(std::tuple(ERROR_SUCCESS, type, data), std::tuple(stored.status, stored.type, stored.bytes))
          << CString(name);
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
      L"\"never\"=-\r\n"
      // Keys below the one before, or only looking so.
      L"[HKCU\\Software\\Keep\\A]\n\"a\"=dword:1\n"
      L"[HKCU\\Software\\Keep\\AB]\n\"ab\"=dword:2\n"
      L"[HKCU\\Software\\Keep\\AB\\\\C]\n\"c\"=dword:3\n";
  orv::RegImportReport report = orv::ImportRegText(text);
  ASSERT_EQ(ERROR_SUCCESS, report.status) << orv::EncodeUtf8(report.message) << " at line " << report.line;
  HKEY key = nullptr;
  EXPECT_EQ(ERROR_FILE_NOT_FOUND, RegOpenKeyExW(HKEY_CURRENT_USER, L"Software\\Old", 0, KEY_READ, &key));
  EXPECT_EQ((std::vector<BYTE>{1, 2, 3, 4}), ReadRawValue(HKEY_LOCAL_MACHINE, L"Software\\New", L"bytes").bytes);
  EXPECT_EQ(DwordBytes(0x1F), ReadRawValue(HKEY_LOCAL_MACHINE, L"Software\\New", L"n").bytes);
  EXPECT_EQ(TextBytes(L"C:\\Program Files\\x"), ReadRawValue(HKEY_LOCAL_MACHINE, L"Software\\New", L"s").bytes);
  EXPECT_EQ(ERROR_FILE_NOT_FOUND, ReadRawValue(HKEY_CURRENT_USER, L"Software\\Keep", L"gone").status);
  EXPECT_TRUE(ReadRawValue(HKEY_CURRENT_USER, L"Software\\Keep", L"stays").Found());
  EXPECT_EQ(DwordBytes(1), ReadRawValue(HKEY_CURRENT_USER, L"Software\\Keep\\A", L"a").bytes);
  EXPECT_EQ(DwordBytes(2), ReadRawValue(HKEY_CURRENT_USER, L"Software\\Keep\\AB", L"ab").bytes);
  EXPECT_EQ(DwordBytes(3), ReadRawValue(HKEY_CURRENT_USER, L"Software\\Keep\\AB\\C", L"c").bytes);
}

TEST_F(RegFileTest, AFileWithAnErrorChangesNothing) {
  const std::wstring header = L"Windows Registry Editor Version 5.00\r\n\r\n[HKEY_CURRENT_USER\\Software\\A]\r\n\"ok\"=dword:1\r\n";
  // Whole files, and the line of their first error.
  std::vector<std::pair<std::wstring, int>> rows = {
      {L"", 1},
      {L"REGEDIT5\r\n[HKEY_CURRENT_USER\\X]\r\n", 1},
      {L"Windows Registry Editor Version 5.00\r\n\"v\"=dword:1\r\n", 2},
      {header + L"[-HKEY_CURRENT_USER\\Software\\B]\r\n\"v\"=dword:1\r\n", 6},
      {header + L"[HKEY_CURRENT_USER\\Software\\C]\r\n\"v\"=hex:01,\\\r\n  02,zz\r\n", 6}};
  // Lines that are wrong after the header (line 5).
  for (const std::wstring& bad :
       {L"[HKEY_CLASSES_ROOT\\X]"s, L"[HKEY_CURRENT_USER\\X"s, L"\"v\"=dword:123456789"s, L"\"v\"=dword:"s,
        L"\"v\"=dword:12x4"s, L"\"v\"=hex:1,2,zz"s, L"\"v\"=hex:100"s, L"\"v\"=hex(4):01,02,03"s,
        L"\"v\"=hex(4):01,02,03,04,05"s, L"\"v\"=hex(4):01,02,03,04,05,06,07,08"s, L"\"v\"=hex(b):01,02,03"s,
        L"\"v\"=hex(b):01,02,03,04,05"s, L"\"v\"=hex(:01"s, L"\"v\"=\"unterminated"s, L"\"v\"=\"a\" b"s, L"\"v=\"a\""s,
        L"\"v\" \"a\""s, L"\"v\"=str:x"s, L"garbage"s, L"[-HKEY_CURRENT_USER\\Software\0\\Victim]"s,
        L"\"a\0b\"=dword:1"s, L"[-HKEY_CURRENT_USER]"s, L"[HKEY_CURRENT_USER\\" + std::wstring(256, L'k') + L"]"})
    rows.emplace_back(header + bad + L"\r\n", 5);
  for (const auto& [text, line] : rows) {
    SCOPED_TRACE(orv::EncodeUtf8(text));
    orv::RegImportReport report = orv::ImportRegText(text);
    EXPECT_EQ(ERROR_INVALID_DATA, report.status);
    EXPECT_EQ(line, report.line) << orv::EncodeUtf8(report.message);
    EXPECT_FALSE(report.message.empty());
    HKEY key = nullptr;
    EXPECT_EQ(ERROR_FILE_NOT_FOUND, RegOpenKeyExW(HKEY_CURRENT_USER, L"Software", 0, KEY_READ, &key)) << "imported";
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

}  // namespace
