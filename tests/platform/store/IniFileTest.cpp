#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <iterator>
#include <string>

#include <gtest/gtest.h>

#include "platform/base/File.h"
#include "platform/store/IniFile.h"
#include "platform/store/Profile.h"
#include "support/FileBytes.h"
#include "support/TempDir.h"

namespace {

using namespace std::string_literals;
using orv::TextEncoding;
using orv::test::ReadFileBytes;
using orv::test::TempDir;
using orv::test::WriteFileBytes;

std::string Encoded(std::wstring_view text, TextEncoding encoding) {
  return std::string(orv::ByteOrderMark(encoding)) + orv::EncodeText(text, encoding);
}

// Comments, blank lines, mixed line ends, a garbage line, a header without "]" and a last
// line without terminator: an edit of one value must leave all of it as it was.
const wchar_t kBefore[] =
    L"; 星の色\r\n"
    L"\r\n"
    L"[Colors]\n"
    L"  Star = 1\r\n"
    L"garbage line\r"
    L"[unclosed\r\n"
    L"Planet=2\r\n"
    L"\r\n"
    L"[Fonts]\r\n"
    L"Size=9";
// kBefore after "planet" of "colors" was set to "ラベル".
std::wstring After() {
  std::wstring text = kBefore;
  return text.replace(text.find(L"Planet=2"), 8, L"Planet=ラベル");
}

TEST(IniFile, KeepsLayoutAndEncodingOfTheFileItEdits) {
  for (TextEncoding encoding : {TextEncoding::Utf8, TextEncoding::Utf8Bom, TextEncoding::Utf16Le,
                                TextEncoding::Utf16Be, TextEncoding::Cp932}) {
    TempDir dir;
    WriteFileBytes(dir.File("e.ini"), Encoded(kBefore, encoding));
    ASSERT_TRUE(WritePrivateProfileStringW(L"colors", L"planet", L"ラベル", dir.WFile("e.ini")));
    EXPECT_EQ(Encoded(After(), encoding), ReadFileBytes(dir.File("e.ini"))) << static_cast<int>(encoding);
    wchar_t buffer[16];
    GetPrivateProfileStringW(L"Colors", L"Star", L"", buffer, 16, dir.WFile("e.ini"));
    EXPECT_EQ(std::wstring(L"1"), buffer);
  }
}

TEST(IniFile, UndecodableBytesOfUntouchedLinesSurviveAnEdit) {
  TempDir dir;
  // 0x80 has no CP932 mapping and the file is not UTF-8; a lone surrogate in UTF-16.
  const std::string cp932 = "; \x80\xFF garbage\r\n[S]\r\nK=1\r\n";
  const std::string utf16 = "\xFF\xFE;\0\x00\xD8\r\0\n\0[\0S\0]\0\r\0\n\0K\0=\0" "1\0\r\0\n\0"s;
  for (const std::string& bytes : {cp932, utf16}) {
    WriteFileBytes(dir.File("g.ini"), bytes);
    ASSERT_TRUE(WritePrivateProfileStringW(L"S", L"K", L"2", dir.WFile("g.ini")));
    std::string expected = bytes;
    std::size_t one = expected.rfind('1');
    expected[one] = '2';
    EXPECT_EQ(expected, ReadFileBytes(dir.File("g.ini")));
  }
}

// Edits that would leave a file that reads back otherwise: a UTF-16 file of odd length (the
// stray last byte is dropped), and a CP932 file whose remaining bytes are valid UTF-8: it
// stays CP932, its untouched lines keep their bytes, and a second edit adds no second marker.
TEST(IniFile, AnEditKeepsEveryValueAndTheEncoding) {
  TempDir dir;
  const std::string odd = Encoded(L"[S]\r\nOld=値\r\n", TextEncoding::Utf16Le) + "A";
  const std::string cp932 = "[S]\r\nOld=\xC3\xBD\r\nGone=\x83\x65\r\n";  // "ﾃｽ" and "テ"
  for (const std::string& bytes : {odd, cp932}) {
    WriteFileBytes(dir.File("v.ini"), bytes);
    const std::wstring old = bytes == odd ? L"値" : L"\uFF83\uFF7D";
    for (const wchar_t* value : {L"n", L"m"}) {
      ASSERT_TRUE(WritePrivateProfileStringW(L"S", L"Gone", nullptr, dir.WFile("v.ini")));
      ASSERT_TRUE(WritePrivateProfileStringW(L"S", L"New", value, dir.WFile("v.ini")));
      wchar_t buffer[16];
      GetPrivateProfileStringW(L"S", L"Old", L"", buffer, 16, dir.WFile("v.ini"));
      EXPECT_EQ(old, buffer);
      GetPrivateProfileStringW(L"S", L"New", L"", buffer, 16, dir.WFile("v.ini"));
      EXPECT_EQ(std::wstring(value), buffer);
    }
  }
  EXPECT_EQ(Encoded(orv::ini::kCp932Marker, TextEncoding::Cp932) + "\r\n[S]\r\nOld=\xC3\xBD\r\nNew=m\r\n",
            ReadFileBytes(dir.File("v.ini")));
}

TEST(IniFile, TwoProcessesWritingDifferentKeysLoseNeitherWrite) {
  TempDir dir;
  const CString file = dir.WFile("shared.ini");
  constexpr int kKeys = 60;
  pid_t children[2];
  for (int c = 0; c < 2; ++c) {
    children[c] = fork();
    ASSERT_GE(children[c], 0);
    if (children[c] == 0) {
      bool ok = true;
      for (int i = 0; i < kKeys; ++i) {
        std::wstring key = (c == 0 ? L"a" : L"b") + std::to_wstring(i);
        ok = WritePrivateProfileStringW(L"Shared", key.c_str(), std::to_wstring(i).c_str(), file) && ok;
      }
      _exit(ok ? 0 : 1);
    }
  }
  for (pid_t child : children) {
    int status = 0;
    ASSERT_EQ(child, waitpid(child, &status, 0));
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  }
  for (int i = 0; i < kKeys; ++i) {
    EXPECT_EQ(static_cast<UINT>(i), GetPrivateProfileIntW(L"Shared", (L"a" + std::to_wstring(i)).c_str(), -1, file));
    EXPECT_EQ(static_cast<UINT>(i), GetPrivateProfileIntW(L"Shared", (L"b" + std::to_wstring(i)).c_str(), -1, file));
  }
}

}  // namespace
