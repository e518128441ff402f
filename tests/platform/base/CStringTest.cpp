#include <gtest/gtest.h>

#include <limits>

#include "platform/base/CString.h"
#include "platform/base/Exception.h"
#include "platform/base/Resources.h"
#include "support/FrameworkExceptions.h"

namespace {

struct FormatRow {
  const wchar_t* expected;
  CString actual;
};

TEST(CStringFormat, FollowsMicrosoftWideRules) {
  CString wide(L"key"), narrow;
  const FormatRow rows[] = {
      {L"key = 12", [&] { CString s; s.Format(L"%s = %d", wide, 12); return s; }()},
      {L"Star.Name.Color = RGB(192, 192, 255)",
       [] { CString s; s.Format(L"%s = RGB(%d, %d, %d)", L"Star.Name.Color", 192, 192, 255); return s; }()},
      {L"narrow 星", [] { CString s; s.Format(L"%S %s", "narrow", std::wstring(L"星")); return s; }()},
      {L"504038", [] { CString s; s.Format(L"%06lX", 0x504038u); return s; }()},
      {L"1.234568", [] { CString s; s.Format(L"%f", 1.23456789); return s; }()},
      {L"-7|  x|ff|100%", [] { CString s; s.Format(L"%d|%3c|%x|100%%", -7, L'x', 255); return s; }()},
      {L"12345678901", [] { CString s; s.Format(L"%I64d", 12345678901LL); return s; }()},
      {L"(null)", [] { CString s; s.Format(L"%s", static_cast<const wchar_t*>(nullptr)); return s; }()},
      // A format that does not fit its arguments is left unexpanded, never undefined.
      {L"%d", [] { CString s; s.Format(L"%d", L"text"); return s; }()},
  };
  for (const auto& row : rows) EXPECT_EQ(CString(row.expected), row.actual);
}

TEST(CStringFormat, InfinitiesAndNaNsReadAsTheRuntimeWritesThem) {
  const double inf = std::numeric_limits<double>::infinity(), nan = std::numeric_limits<double>::quiet_NaN();
  const double indefinite = -nan, snan = std::numeric_limits<double>::signaling_NaN();
  auto format = [](const wchar_t* f, auto... args) { CString s; s.Format(f, args...); return s; };
  const FormatRow rows[] = {
      {L"inf -inf nan", format(L"%f %e %g", inf, -inf, nan)},
      {L"-nan(ind) -NAN(IND)", format(L"%f %G", indefinite, indefinite)},
      {L"+inf| inf|nan(snan)", format(L"%+.2f|% e|%g", inf, inf, snan)},
      {L"  -inf|nan  |   inf|7", format(L"%6f|%-5f|%*.*e|%d", -inf, nan, 6, 1, inf, 7)},
      {L"1.5 INF 2", format(L"%.1f %F %d", 1.5, inf, 2)},
  };
  for (const auto& row : rows) EXPECT_EQ(CString(row.expected), row.actual);
}

TEST(CString, TrimsExtractsAndSearchesLikeTheFramework) {
  CString s(L" \t a=b \t ");
  EXPECT_EQ(CString(L"a=b"), CString(s).Trim());
  EXPECT_EQ(CString(L"a=b \t "), CString(s).TrimLeft());
  EXPECT_EQ(CString(L"==b"), CString(L"==b==").TrimRight(L'='));
  EXPECT_EQ(CString(L"b"), CString(L" =RGB(b)").Trim(L" =RGB()"));
  CString t(L"abcdef");
  EXPECT_EQ(CString(L"ab"), t.Left(2));
  EXPECT_EQ(CString(L"abcdef"), t.Left(99));
  EXPECT_EQ(CString(L""), t.Left(-1));
  EXPECT_EQ(CString(L"ef"), t.Right(2));
  EXPECT_EQ(CString(L"cd"), t.Mid(2, 2));
  EXPECT_EQ(CString(L""), t.Mid(9));
  EXPECT_EQ(2, t.Find(L'c'));
  EXPECT_EQ(-1, t.Find(L'c', 3));
  EXPECT_EQ(3, t.Find(L"de"));
  EXPECT_EQ(-1, t.Find(L"x"));
  EXPECT_EQ(0, CString(L"Star.NAME").CompareNoCase(L"star.name"));
  EXPECT_NE(0, CString(L"Star.NAME").Compare(L"star.name"));
  int start = 0;
  CString csv(L"a,,b");
  EXPECT_EQ(CString(L"a"), csv.Tokenize(L",", start));
  EXPECT_EQ(CString(L"b"), csv.Tokenize(L",", start));
  EXPECT_EQ(CString(L""), csv.Tokenize(L",", start));
  EXPECT_EQ(-1, start);
}

TEST(CString, IndexOutOfRangeThrowsInvalidArgument) {
  EXPECT_TRUE(orv::test::Throws<CInvalidArgException>([] { CString(L"ab").GetAt(2); }));
}

TEST(CString, BufferRoundTripStopsAtTerminator) {
  CString s;
  wchar_t* p = s.GetBuffer(10);
  p[0] = L'h';
  p[1] = L'i';
  p[2] = L'\0';
  s.ReleaseBuffer();
  EXPECT_EQ(CString(L"hi"), s);
}

TEST(CString, LoadsFromTheResourceChainInOrder) {
  orv::ResourceTable first, second;
  first.strings[7] = L"first";
  second.strings[7] = L"second";
  second.strings[8] = L"only second";
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

TEST(CString, NoCaseComparisonFoldsLettersBeyondAscii) {
  EXPECT_EQ(0, CString(L"ÉTOILE ΑΒΓ").CompareNoCase(L"étoile αβγ"));
  EXPECT_EQ(CString(L"ÉTOILE ΑΒΓ"), CString(L"étoile αβγ").MakeUpper());
  EXPECT_NE(0, CString(L"星座").CompareNoCase(L"星"));
}
}  // namespace
