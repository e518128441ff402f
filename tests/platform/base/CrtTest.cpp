#include <algorithm>
#include <cerrno>
#include <climits>
#include <cmath>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/base/CString.h"
#include "platform/base/Crt.h"

namespace {

constexpr wchar_t kSentinel = L'#';
using Parts = std::vector<std::wstring>;

template <std::size_t... N>
void Fill(wchar_t (&... buffers)[N]) {
  (std::fill(std::begin(buffers), std::end(buffers), kSentinel), ...);
}

// Every element from `from` on still holds the sentinel: nothing was written past the size.
template <std::size_t N>
bool UntouchedFrom(const wchar_t (&buffer)[N], std::size_t from) {
  return std::all_of(buffer + from, buffer + N, [](wchar_t c) { return c == kSentinel; });
}

TEST(Crt, WtoiReadsALeadingDecimalIntegerAndClampsOverflow) {
  struct Row {
    const wchar_t* text;
    int expected;
  } rows[] = {
      {L"", 0}, {L"42", 42}, {L" 42", 42}, {L"\t\n-17x", -17}, {L"+1", 1}, {L"- 1", 0}, {L"0x10", 0}, {L"1e5", 1},
      {L"2147483647", INT_MAX}, {L"2147483648", INT_MAX}, {L"-2147483648", INT_MIN}, {L"-2147483649", INT_MIN},
      {L"4294967296", INT_MAX}, {L"-99999999999999999999999", INT_MIN}, {L"42A94967297", 42}, {L"B4294967297", 0},
      {L"007", 7}, {L"--5", 0}, {L"\uFF11\uFF12", 0},  // full-width digits are not digits here
  };
  for (const auto& row : rows) EXPECT_EQ(row.expected, _wtoi(row.text)) << CString(row.text).ToUtf8();
  EXPECT_EQ(0, _wtoi(nullptr));
  errno = 0;
  _wtoi(L"4294967296");
  EXPECT_EQ(ERANGE, errno);
}

TEST(Crt, WtofReadsALeadingNumberWhateverTheLocale) {
  struct Row {
    const wchar_t* text;
    double expected;
  } rows[] = {
      {L"", 0.0}, {L"1e5", 1e5}, {L" 2.5", 2.5}, {L".5", 0.5}, {L"-0.0000004", -4e-7}, {L"+3.25xyz", 3.25},
      {L"12a3", 12.0}, {L"abc", 0.0}, {L"3.0e", 3.0}, {L"0x10", 16.0}, {L"1,5", 1.0}, {L"2.5\u00B0", 2.5},
  };
  for (const auto& row : rows) EXPECT_EQ(row.expected, _wtof(row.text)) << CString(row.text).ToUtf8();
  EXPECT_TRUE(std::isinf(_wtof(L"1e999")));
  EXPECT_TRUE(std::isnan(_wtof(L"nan")));
  EXPECT_EQ(0.0, _wtof(nullptr));
}

// Every bounded writer, told a size exactly full, one short or none, or given a null source:
// the result and text expected (empty where the call fails), and nothing beyond the size.
TEST(Crt, BoundedWritersFillTheBufferExactlyOrLeaveItEmpty) {
  auto print = [](wchar_t* b, std::size_t n) { return swprintf_s(b, n, L"%d", 12345); };
  auto copy = [](wchar_t* b, std::size_t n) { return wcscpy_s(b, n, L"abc"); };
  auto truncate = [](wchar_t* b, std::size_t n) { return wcsncpy_s(b, n, L"abcdef", _TRUNCATE); };
  auto copyTwo = [](wchar_t* b, std::size_t n) { return wcsncpy_s(b, n, L"abcdef", 2); };
  auto copyFive = [](wchar_t* b, std::size_t n) { return wcsncpy_s(b, n, L"abcdef", 5); };
  auto join = [](wchar_t* b, std::size_t n) { return _wmakepath_s(b, n, nullptr, L"/d", L"a", L"b"); };
  struct Row {
    const char* name;
    std::function<int(wchar_t*, std::size_t)> call;
    std::size_t size;
    int result;
    const wchar_t* text;  // null: the buffer is not touched at all
  } rows[] = {
      {"swprintf_s full", print, 6, 5, L"12345"},  {"swprintf_s short", print, 5, -1, L""},
      {"swprintf_s none", print, 0, -1, nullptr},  {"wcscpy_s full", copy, 4, 0, L"abc"},
      {"wcscpy_s short", copy, 3, ERANGE, L""},    {"wcscpy_s none", copy, 0, EINVAL, nullptr},
      {"wcsncpy_s truncating", truncate, 4, STRUNCATE, L"abc"},
      {"wcsncpy_s count", copyTwo, 8, 0, L"ab"},   {"wcsncpy_s count short", copyFive, 4, ERANGE, L""},
      {"_wmakepath_s full", join, 7, 0, L"/d/a.b"}, {"_wmakepath_s short", join, 6, ERANGE, L""},
      {"swprintf_s null format", [](wchar_t* b, std::size_t n) { return swprintf_s(b, n, nullptr); }, 16, -1, L""},
      {"wcscpy_s null source", [](wchar_t* b, std::size_t n) { return wcscpy_s(b, n, nullptr); }, 8, EINVAL, L""},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    wchar_t buffer[16];
    Fill(buffer);
    EXPECT_EQ(row.result, row.call(buffer, row.size));
    if (row.text != nullptr) {
      EXPECT_EQ(std::wstring(row.text), buffer);
    }
    EXPECT_TRUE(UntouchedFrom(buffer, row.size));
  }
}

TEST(Crt, ArrayFormsTakeTheirSizeAndNullBuffersAreRefused) {
  wchar_t buffer[16];
  EXPECT_EQ(8, swprintf_s(buffer, L"%s=%S %.1f", CString(L"星"), "ab", 2.5));
  EXPECT_EQ(std::wstring(L"星=ab 2.5"), buffer);
  EXPECT_EQ(0, wcsncpy_s(buffer, L"abc", _TRUNCATE));  // fits: no truncation reported
  EXPECT_EQ(std::wstring(L"abc"), buffer);
  EXPECT_EQ(-1, swprintf_s(nullptr, 4, L"x"));
  EXPECT_EQ(EINVAL, wcscpy_s(nullptr, 8, L"x"));
}

TEST(Crt, WcsicmpIgnoresLetterCase) {
  EXPECT_EQ(0, _wcsicmp(L"Colours.LST", L"colours.lst"));
  EXPECT_LT(_wcsicmp(L"abc", L"ABD"), 0);
  EXPECT_GT(_wcsicmp(L"abcd", L"ABC"), 0);
  EXPECT_EQ(_NLSCMPERROR, _wcsicmp(nullptr, L"a"));
}

TEST(Crt, SplitpathSeparatesDriveFolderNameAndExtension) {
  struct Row {
    const wchar_t *path, *drive, *dir, *fname, *ext;
  } rows[] = {
      {L"/home/u/colours.lst", L"", L"/home/u/", L"colours", L".lst"},
      {L"C:\\Skyweave\\set.a.cfg", L"C:", L"\\Skyweave\\", L"set.a", L".cfg"},
      {L"noext", L"", L"", L"noext", L""},
      {L".profile", L"", L"", L"", L".profile"},
      {L"dir/sub/", L"", L"dir/sub/", L"", L""},
      {L"", L"", L"", L"", L""},
      {L"a.b/c", L"", L"a.b/", L"c", L""},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(CString(row.path).ToUtf8());
    wchar_t drive[_MAX_DRIVE], dir[_MAX_DIR], fname[_MAX_FNAME], ext[_MAX_EXT];
    ASSERT_EQ(0, _wsplitpath_s(row.path, drive, dir, fname, ext));
    EXPECT_EQ((Parts{row.drive, row.dir, row.fname, row.ext}), (Parts{drive, dir, fname, ext}));
  }
}

TEST(Crt, SplitpathReportsPartsThatDoNotFit) {
  wchar_t dir[16], fname[8], ext[8];
  Fill(dir, fname, ext);
  // "colours" needs 8 elements with its terminator: exactly full is fine...
  EXPECT_EQ(0, _wsplitpath_s(L"/d/colours.lst", nullptr, 0, dir, 16, fname, 8, ext, 8));
  EXPECT_EQ(std::wstring(L"colours"), fname);
  // ...one short clears every part.
  Fill(fname);
  EXPECT_EQ(ERANGE, _wsplitpath_s(L"/d/colours.lst", nullptr, 0, dir, 16, fname, 7, ext, 8));
  EXPECT_EQ((Parts{L"", L"", L""}), (Parts{dir, fname, ext}));
  EXPECT_TRUE(UntouchedFrom(fname, 7));

  EXPECT_EQ(EINVAL, _wsplitpath_s(nullptr, nullptr, 0, dir, 16, fname, 8, ext, 8));
  EXPECT_EQ(EINVAL, _wsplitpath_s(L"/a", nullptr, 3, dir, 16, fname, 8, ext, 8));  // null part, non-zero size
  EXPECT_EQ(EINVAL, _wsplitpath_s(L"/a", nullptr, 0, dir, 0, fname, 8, ext, 8));   // part given, size 0
}

TEST(Crt, MakepathJoinsPartsWithinTheBuffer) {
  struct Row {
    const wchar_t *drive, *dir, *fname, *ext, *expected;
  } rows[] = {
      {L"", L"/home/u/", L"colours", L".$$$", L"/home/u/colours.$$$"},
      {nullptr, L"/home/u", L"colours", L"$$$", L"/home/u/colours.$$$"},
      {L"c", L"\\dir\\", L"a", nullptr, L"c:\\dir\\a"},
      {nullptr, nullptr, L"name", L"", L"name"},
      {nullptr, nullptr, nullptr, nullptr, L""},
  };
  for (const auto& row : rows) {
    wchar_t path[_MAX_PATH];
    ASSERT_EQ(0, _wmakepath_s(path, row.drive, row.dir, row.fname, row.ext)) << CString(row.expected).ToUtf8();
    EXPECT_EQ(std::wstring(row.expected), path);
  }
  EXPECT_EQ(EINVAL, _wmakepath_s(nullptr, 8, nullptr, nullptr, L"a", nullptr));
}

}  // namespace
