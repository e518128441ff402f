// Text: the Japanese face alias, cell heights, extents, centred text clipped to its
// rectangle, background modes, monochrome targets and DrawText's layout.
#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>

#include "GdiTestSupport.h"
#include "support/PixelChecks.h"

namespace orv::gdi::test {
namespace {

const wchar_t kSample[] = L"AaBbあぁアァαβ";

// A canvas with a font of the face and height selected, for white text drawn transparently.
struct TextCanvas : Canvas {
  TextCanvas(int w, int h, PixelFormat format, int height, const wchar_t* face = L"MS UI Gothic",
             int weight = FW_NORMAL, BYTE quality = DEFAULT_QUALITY)
      : Canvas(w, h, format) {
    EXPECT_TRUE(font.CreateFont(height, 0, 0, 0, weight, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET, OUT_DEFAULT_PRECIS,
                                CLIP_DEFAULT_PRECIS, quality, DEFAULT_PITCH | FF_DONTCARE, face))
        << "height " << height;
    dc.SelectObject(&font);
    dc.SetTextColor(RGB(255, 255, 255));
    dc.SetBkMode(TRANSPARENT);
  }
  CFont font;
};

// Text drawn through DrawText on a black 160 x 48 canvas.
std::vector<std::uint32_t> Render(const wchar_t* face, int height, const wchar_t* text, CRect rect) {
  TextCanvas c(160, 48, PixelFormat::Rgb32, height, face);
  c.dc.DrawText(text, -1, &rect, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
  return RawPixels(c.surface());
}

CRect InkBox(const std::vector<std::uint32_t>& pixels, int w) {
  return orv::test::BoundsWhere(w, static_cast<int>(pixels.size()) / w,
                                [&](int x, int y) { return pixels[static_cast<std::size_t>(y) * w + x] != 0; });
}

TEST(Fonts, MsUiGothicResolvesToTheInstalledProportionalJapaneseGothicFace) {
  const CRect rect(0, 0, 160, 48);
  const auto alias = Render(L"MS UI Gothic", 20, kSample, rect);
  EXPECT_EQ(alias, Render(L"IPAPGothic", 20, kSample, rect));
  EXPECT_NE(alias, Render(L"DejaVu Sans", 20, kSample, rect));
}

TEST(Fonts, PositiveHeightsAreCellsNegativeHeightsAreCharactersZeroIsTheDefault) {
  for (auto [height, cell] : {std::pair{30, 30}, {12, 12}, {0, 16}, {1, 1}}) {
    TextCanvas c(1, 1, PixelFormat::Rgb32, height);
    TEXTMETRIC tm{};
    ASSERT_TRUE(c.dc.GetTextMetrics(&tm));
    EXPECT_EQ(std::tuple(tm.tmHeight, tm.tmAscent + tm.tmDescent, c.dc.GetTextExtent(L"A", 1).cy),
              std::tuple(cell, cell, cell))
        << height;
  }
  TextCanvas em(1, 1, PixelFormat::Rgb32, -20);
  TEXTMETRIC tm{};
  em.dc.GetTextMetrics(&tm);
  EXPECT_GE(tm.tmHeight, 20);
  EXPECT_EQ(tm.tmHeight - tm.tmInternalLeading, 20);
  EXPECT_GT(tm.tmAveCharWidth, 0);
}

TEST(Fonts, TextExtentGrowsWithTheTextAndFollowsTheFace) {
  TextCanvas c(1, 1, PixelFormat::Rgb32, 16);
  const CSize one = c.dc.GetTextExtent(L"A", 1), two = c.dc.GetTextExtent(L"AA", 2);
  EXPECT_GT(one.cx, 0);
  EXPECT_EQ(two.cx, 2 * one.cx);
  EXPECT_EQ(c.dc.GetTextExtent(L"", 0).cx, 0);
  EXPECT_EQ(c.dc.GetTextExtent(CString(L"AA")), two);
  EXPECT_GT(TextCanvas(1, 1, PixelFormat::Rgb32, 32).dc.GetTextExtent(L"A", 1).cx, one.cx);
}

TEST(Text, SingleLineTextIsCentredBothWaysAndClippedToItsRectangle) {
  const CRect rect(0, 0, 160, 48);
  const CRect centred = InkBox(Render(L"MS UI Gothic", 16, L"HHHH", rect), 160);
  ASSERT_FALSE(centred.IsRectEmpty());
  EXPECT_LE(std::abs((centred.left - rect.left) - (rect.right - centred.right)), 3);
  EXPECT_LE(std::abs((centred.top - rect.top) - (rect.bottom - centred.bottom)), 6);
  // Fonts of 30 pixels and more in a band too small for them: nothing may land outside the band.
  const CRect band(20, 10, 90, 26);
  for (int height : {0, 12, 30, 60}) {
    const CRect ink = InkBox(Render(L"MS UI Gothic", height, kSample, band), 160);
    EXPECT_FALSE(ink.IsRectEmpty()) << "height " << height;
    EXPECT_TRUE(ink.left >= band.left && ink.top >= band.top && ink.right <= band.right && ink.bottom <= band.bottom)
        << "height " << height << ": ink in " << ink.left << "," << ink.top << " ... " << ink.right << "," << ink.bottom;
  }
}

TEST(Text, OpaqueModeFillsTheTextCellsAndTransparentModeDoesNot) {
  TextCanvas c(120, 30, PixelFormat::Rgb32, 20);
  c.dc.SetBkColor(RGB(0, 0, 200));
  ASSERT_TRUE(c.dc.TextOut(2, 3, CString(L"Hi")));
  const CSize extent = c.dc.GetTextExtent(L"Hi", 2);
  EXPECT_EQ(std::ranges::count(RawPixels(c.surface()), ColorToPixel(RGB(0, 0, 200))), 0);
  c.dc.SetBkMode(OPAQUE);
  c.dc.SetTextColor(RGB(255, 255, 0));
  ASSERT_TRUE(c.dc.TextOut(40, 3, CString(L"Hi")));
  // Right of x = 40 only the text's cell is drawn on.
  auto outsideTheCell = [&](int x, int y) {
    return x < extent.cx && y >= 3 && y < 3 + extent.cy ? 0u : c.surface().RawPixel(x + 40, y);
  };
  EXPECT_TRUE(orv::test::EveryPixel(80, 30, outsideTheCell, [](int, int) { return 0u; }));
  EXPECT_EQ(std::pair(c.surface().RawPixel(40, 3), c.surface().RawPixel(40 + extent.cx - 1, 3 + extent.cy - 1)),
            std::pair(ColorToPixel(RGB(0, 0, 200)), ColorToPixel(RGB(0, 0, 200))));
}

TEST(Text, MonochromeTargetsGetSolidTextPixels) {
  TextCanvas c(60, 20, PixelFormat::Mono1, 16, L"MS UI Gothic", FW_BOLD, NONANTIALIASED_QUALITY);
  ASSERT_TRUE(c.dc.TextOut(1, 1, L"HH", 2));
  EXPECT_GT(std::ranges::count(RawPixels(c.surface()), 1u), 10);
}

TEST(Text, CalcRectMeasuresWithoutDrawingAndPrefixMarksAreRemoved) {
  TextCanvas c(100, 40, PixelFormat::Rgb32, 16);
  CRect rect(5, 5, 6, 6);
  EXPECT_EQ(c.dc.DrawText(L"&File", -1, &rect, DT_SINGLELINE | DT_CALCRECT), 16);
  EXPECT_EQ(rect, CRect(5, 5, 5 + c.dc.GetTextExtent(L"File", 4).cx, 21));
  EXPECT_EQ(RawPixels(c.surface()), RawPixels(Canvas(100, 40, PixelFormat::Rgb32).surface()));
  CRect amp(0, 0, 1, 1);
  c.dc.DrawText(L"a&&b", -1, &amp, DT_SINGLELINE | DT_CALCRECT);
  EXPECT_EQ(amp.Width(), c.dc.GetTextExtent(L"a&b", 3).cx);
  CRect raw(0, 0, 1, 1);
  c.dc.DrawText(L"a&&b", -1, &raw, DT_SINGLELINE | DT_CALCRECT | DT_NOPREFIX);
  EXPECT_EQ(raw.Width(), c.dc.GetTextExtent(L"a&&b", 4).cx);
}

TEST(Text, LinesBreakAtLineEndsAndWordsWrapToTheWidth) {
  TextCanvas c(200, 100, PixelFormat::Rgb32, 16);
  CRect lines(0, 0, 200, 100);
  EXPECT_EQ(c.dc.DrawText(L"one\r\ntwo\nthree", -1, &lines, DT_CALCRECT), 48);
  const int word = c.dc.GetTextExtent(L"word", 4).cx;
  CRect wrap(0, 0, c.dc.GetTextExtent(L"word word", 9).cx, 100);
  EXPECT_EQ(c.dc.DrawText(L"word word word", -1, &wrap, DT_WORDBREAK | DT_CALCRECT), 32);
  CRect single(0, 0, word * 2, 100);
  EXPECT_EQ(c.dc.DrawText(L"word word word", -1, &single, DT_SINGLELINE | DT_CALCRECT), 16);
  CRect tall(0, 0, word, 100);
  EXPECT_EQ(c.dc.DrawText(L"wordwordword", -1, &tall, DT_WORDBREAK | DT_CALCRECT), 16);
  EXPECT_EQ(c.dc.DrawText(nullptr, -1, &tall, 0), 0);
}

}  // namespace
}  // namespace orv::gdi::test
