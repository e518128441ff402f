#include <gtest/gtest.h>

#include <cwchar>
#include <limits>
#include <vector>

#include "platform/base/CString.h"
#include "platform/base/Exception.h"
#include "platform/base/Resources.h"
#include "support/FrameworkExceptions.h"

namespace {

template <class... Args>
CString Formatted(const wchar_t* format, Args... args) {
  CString s;
  s.Format(format, args...);
  return s;
}

// What a call made, and what it must be.
struct Made {
  const wchar_t* expected;
  CString actual;
};

// Microsoft's wide rules; infinities and NaNs as its runtime writes them.
TEST(CStringFormat, FollowsMicrosoftWideRules) {
  const double inf = std::numeric_limits<double>::infinity(), nan = std::numeric_limits<double>::quiet_NaN();
  const double indefinite = -nan, snan = std::numeric_limits<double>::signaling_NaN();
  const Made rows[] = {
      {L"key = 12", Formatted(L"%s = %d", CString(L"key"), 12)},
      {L"Star.Name.Color = RGB(192, 192, 255)", Formatted(L"%s = RGB(%d, %d, %d)", L"Star.Name.Color", 192, 192, 255)},
      {L"narrow 星", Formatted(L"%S %s", "narrow", std::wstring(L"星"))},
      {L"504038", Formatted(L"%06lX", 0x504038u)},
      {L"1.234568", Formatted(L"%f", 1.23456789)},
      {L"-7|  x|ff|100%", Formatted(L"%d|%3c|%x|100%%", -7, L'x', 255)},
      {L"12345678901", Formatted(L"%I64d", 12345678901LL)},
      {L"(null)", Formatted(L"%s", static_cast<const wchar_t*>(nullptr))},
      // A format that does not fit its arguments is left unexpanded, never undefined.
      {L"%d", Formatted(L"%d", L"text")},
      {L"inf -inf nan", Formatted(L"%f %e %g", inf, -inf, nan)},
      {L"-nan(ind) -NAN(IND)", Formatted(L"%f %G", indefinite, indefinite)},
      {L"+inf| inf|nan(snan)", Formatted(L"%+.2f|% e|%g", inf, inf, snan)},
      {L"  -inf|nan  |   inf|7", Formatted(L"%6f|%-5f|%*.*e|%d", -inf, nan, 6, 1, inf, 7)},
      {L"1.5 INF 2", Formatted(L"%.1f %F %d", 1.5, inf, 2)},
  };
  for (const auto& row : rows) EXPECT_EQ(CString(row.expected), row.actual);
}

TEST(CString, TrimsExtractsSearchesAndChecksIndexesLikeTheFramework) {
  const CString s(L" \t a=b \t "), t(L"abcdef");
  const Made rows[] = {
      {L"a=b", CString(s).Trim()}, {L"a=b \t ", CString(s).TrimLeft()}, {L"==b", CString(L"==b==").TrimRight(L'=')},
      {L"b", CString(L" =RGB(b)").Trim(L" =RGB()")}, {L"ab", t.Left(2)}, {L"abcdef", t.Left(99)}, {L"", t.Left(-1)},
      {L"ef", t.Right(2)}, {L"cd", t.Mid(2, 2)}, {L"", t.Mid(9)},
      {L"ÉTOILE ΑΒΓ", CString(L"étoile αβγ").MakeUpper()},  // letters beyond ASCII change case too
  };
  for (const auto& row : rows) EXPECT_EQ(CString(row.expected), row.actual);
  EXPECT_EQ((std::vector<int>{2, -1, 3, -1}),
            (std::vector<int>{t.Find(L'c'), t.Find(L'c', 3), t.Find(L"de"), t.Find(L"x")}));
  EXPECT_EQ(0, CString(L"Star.NAME").CompareNoCase(L"star.name"));
  EXPECT_NE(0, CString(L"Star.NAME").Compare(L"star.name"));
  EXPECT_EQ(0, CString(L"ÉTOILE ΑΒΓ").CompareNoCase(L"étoile αβγ"));
  EXPECT_NE(0, CString(L"星座").CompareNoCase(L"星"));
  int start = 0;
  const CString csv(L"a,,b");  // tokens in order: the list is read left to right
  EXPECT_EQ((std::vector<CString>{L"a", L"b", L""}),
            (std::vector<CString>{csv.Tokenize(L",", start), csv.Tokenize(L",", start), csv.Tokenize(L",", start)}));
  EXPECT_EQ(-1, start);
  EXPECT_TRUE(orv::test::Throws<CInvalidArgException>([] { CString(L"ab").GetAt(2); }));
}

TEST(CString, BufferRoundTripStopsAtTerminator) {
  CString s;
  std::wmemcpy(s.GetBuffer(10), L"hi\0x", 4);
  s.ReleaseBuffer();
  EXPECT_EQ(CString(L"hi"), s);
}

TEST(CString, LoadsFromTheResourceChainInOrder) {
  orv::ResourceTable first, second;
  first.strings = {{7, L"first"}};
  second.strings = {{7, L"second"}, {8, L"only second"}};
  HINSTANCE a = orv::RegisterResourceModule("a", &first);
  HINSTANCE b = orv::RegisterResourceModule("b", &second);
  CString s;
  EXPECT_TRUE(s.LoadString(7));
  EXPECT_EQ(CString(L"first"), s);
  EXPECT_TRUE(s.LoadString(8));
  orv::UnregisterResourceModule(a);
  EXPECT_TRUE(s.LoadString(7));
  EXPECT_EQ(CString(L"second"), s);
  orv::UnregisterResourceModule(b);
  EXPECT_FALSE(s.LoadString(7));
  EXPECT_TRUE(s.IsEmpty());
}
}  // namespace
