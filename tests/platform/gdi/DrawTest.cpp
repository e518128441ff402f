// Fills, lines, rectangles and pixels: exact pixels, their end points, clipping, and what
// they do to the context's background colour.
#include <gtest/gtest.h>

#include <set>
#include <tuple>
#include <utility>

#include "GdiTestSupport.h"

namespace orv::gdi::test {
namespace {

using Points = std::set<std::pair<int, int>>;

Points Painted(const Surface& s, std::uint32_t background = 0) {
  Points out;
  for (int y = 0; y < s.Height(); ++y)
    for (int x = 0; x < s.Width(); ++x)
      if (s.RawPixel(x, y) != background) out.insert({x, y});
  return out;
}

Points RectPoints(int l, int t, int r, int b) {
  Points out;
  for (int y = t; y < b; ++y)
    for (int x = l; x < r; ++x) out.insert({x, y});
  return out;
}

TEST(Fills, SolidFillsCoverRightAndBottomExclusiveAndSetTheBackgroundColourBrushFillsDoNot) {
  Canvas c(10, 8, PixelFormat::Rgb32);
  c.dc.SetBkColor(RGB(1, 1, 1));
  c.dc.FillSolidRect(CRect(2, 3, 6, 5), RGB(10, 20, 30));
  EXPECT_EQ(Painted(c.surface()), RectPoints(2, 3, 6, 5));
  EXPECT_EQ(c.surface().RawPixel(2, 3), ColorToPixel(RGB(10, 20, 30)));
  EXPECT_EQ(c.dc.GetBkColor(), RGB(10, 20, 30));
  c.dc.FillSolidRect(9, 7, -3, -2, RGB(40, 50, 60));  // counted backwards from (9, 7)
  const std::uint32_t second = ColorToPixel(RGB(40, 50, 60));
  EXPECT_EQ(std::tuple(c.surface().RawPixel(6, 5), c.surface().RawPixel(8, 6), c.surface().RawPixel(9, 7)),
            std::tuple(second, second, 0u));
  EXPECT_EQ(c.dc.GetBkColor(), RGB(40, 50, 60));

  // Brush fills keep the background colour; hollow brushes paint nothing.
  Canvas brushed(6, 6, PixelFormat::Rgb32);
  brushed.dc.SetBkColor(RGB(7, 7, 7));
  CBrush brush(RGB(200, 100, 50));
  brushed.dc.FillRect(CRect(-5, -5, 2, 3), &brush);  // partly outside
  EXPECT_EQ(Painted(brushed.surface()), RectPoints(0, 0, 2, 3));
  EXPECT_EQ(brushed.dc.GetBkColor(), RGB(7, 7, 7));
  brushed.dc.FillRect(CRect(0, 0, 6, 6), CBrush::FromHandle(static_cast<HBRUSH>(GetStockObject(NULL_BRUSH))));
  brushed.dc.FillRect(CRect(0, 0, 6, 6), nullptr);
  EXPECT_EQ(Painted(brushed.surface()), RectPoints(0, 0, 2, 3));
}

TEST(Fills, MonochromeTargetsTakeTheNearerOfBlackAndWhite) {
  Canvas c(4, 1, PixelFormat::Mono1);
  c.dc.FillSolidRect(CRect(0, 0, 1, 1), RGB(200, 200, 200));
  c.dc.FillSolidRect(CRect(1, 0, 2, 1), RGB(127, 128, 127));  // sum 382: black
  c.dc.FillSolidRect(CRect(2, 0, 3, 1), RGB(128, 128, 127));  // sum 383: white
  EXPECT_EQ(Row(c.surface(), 0), (std::vector<int>{1, 0, 1, 0}));
}

TEST(Fills, SystemColourBrushesPaintTheirSystemColour) {
  Canvas c(2, 1, PixelFormat::Rgb32);
  CBrush face;
  ASSERT_TRUE(face.CreateSysColorBrush(COLOR_3DFACE));
  c.dc.FillRect(CRect(0, 0, 1, 1), &face);
  c.dc.FillRect(CRect(1, 0, 2, 1), CBrush::FromHandle(GetSysColorBrush(COLOR_WINDOW)));
  EXPECT_EQ(std::pair(c.surface().PixelColor(0, 0), c.surface().PixelColor(1, 0)),
            std::pair(GetSysColor(COLOR_3DFACE), GetSysColor(COLOR_WINDOW)));
  for (int bad : {25, -1}) EXPECT_EQ(GetSysColorBrush(bad), nullptr) << bad;
  EXPECT_FALSE(CBrush().CreateSysColorBrush(99));
}

TEST(Fills, PaletteIndexColoursAreEntriesOfTheDefaultPalette) {
  const std::pair<int, COLORREF> rows[] = {{1, RGB(128, 0, 0)}, {9, RGB(166, 202, 240)}, {20, RGB(0, 0, 0)}};
  Canvas mono(2, 1, PixelFormat::Mono1);
  mono.dc.SetPixel(1, 0, RGB(255, 255, 255));
  for (const auto& [index, rgb] : rows) {  // 20 is past the palette's end: entry 0
    Canvas c(3, 1, PixelFormat::Rgb32);
    c.dc.FillSolidRect(CRect(0, 0, 3, 1), RGB(1, 2, 3));
    CBrush brush(PALETTEINDEX(index));
    c.dc.FillRect(CRect(0, 0, 1, 1), &brush);
    c.dc.SetTextColor(PALETTEINDEX(index));  // a monochrome source's 0 bits, and its 1 bits
    c.dc.SetBkColor(PALETTEINDEX(index));
    c.dc.BitBlt(1, 0, 2, 1, &mono.dc, 0, 0, SRCCOPY);
    for (int x = 0; x < 3; ++x) EXPECT_EQ(c.surface().PixelColor(x, 0), rgb) << "index " << index << " x " << x;
  }
}

TEST(Lines, EndPointIsNotDrawn) {
  const struct {
    const char* name;
    int x0, y0, x1, y1;
    std::vector<std::pair<int, int>> pixels;
  } cases[] = {
      {"left to right", 1, 2, 5, 2, {{1, 2}, {2, 2}, {3, 2}, {4, 2}}},
      {"right to left", 5, 2, 1, 2, {{5, 2}, {4, 2}, {3, 2}, {2, 2}}},
      {"downwards", 3, 0, 3, 3, {{3, 0}, {3, 1}, {3, 2}}},
      {"diagonal", 0, 0, 4, 4, {{0, 0}, {1, 1}, {2, 2}, {3, 3}}},
      {"anti-diagonal", 4, 0, 0, 4, {{4, 0}, {3, 1}, {2, 2}, {1, 3}}},
      {"shallow", 0, 0, 6, 2, {{0, 0}, {1, 0}, {2, 1}, {3, 1}, {4, 1}, {5, 2}}},
      {"steep", 0, 0, 2, 6, {{0, 0}, {0, 1}, {1, 2}, {1, 3}, {1, 4}, {2, 5}}},
      {"single point", 2, 2, 2, 2, {}},
  };
  for (PixelFormat f : {PixelFormat::Rgb32, PixelFormat::Mono1})
    for (const auto& c : cases) {
      Canvas canvas(8, 8, f);
      CPen pen(PS_SOLID, 1, RGB(255, 255, 255));
      canvas.dc.SelectObject(&pen);
      canvas.dc.MoveTo(c.x0, c.y0);
      ASSERT_TRUE(canvas.dc.LineTo(c.x1, c.y1));
      EXPECT_EQ(Painted(canvas.surface()), Points(c.pixels.begin(), c.pixels.end())) << FormatName(f) << " " << c.name;
      EXPECT_EQ(canvas.dc.GetCurrentPosition(), CPoint(c.x1, c.y1));
    }
}

TEST(Lines, ClippedLinesKeepThePixelsOfTheWholeLine) {
  // The same lines on a large surface and, shifted by the viewport, on a small one.
  const int lines[][4] = {{-1000, -37, 1000, 400}, {5, 200, 60, -300}, {-7, 3, 90, 3}, {40, -1, -900, 77}};
  for (const auto& l : lines) {
    Canvas big(2200, 1000, PixelFormat::Rgb32), small(64, 48, PixelFormat::Rgb32);
    CPen pen(PS_SOLID, 1, RGB(255, 0, 0));
    big.dc.SetViewportOrg(1100, 500);
    for (Canvas* c : {&big, &small}) {
      c->dc.SelectObject(&pen);
      c->dc.MoveTo(l[0], l[1]);
      c->dc.LineTo(l[2], l[3]);
    }
    EXPECT_TRUE(SameSurface("line clipped", small.surface(), RawPixels(big.surface(), CRect(1100, 500, 1164, 548))));
  }
}

TEST(Lines, NullPenOnlyMovesAndWidePensStampSquares) {
  Canvas c(9, 9, PixelFormat::Rgb32);
  CPen none(PS_NULL, 1, RGB(255, 255, 255));
  CPen* old = c.dc.SelectObject(&none);
  c.dc.MoveTo(0, 4);
  c.dc.LineTo(8, 4);
  EXPECT_TRUE(Painted(c.surface()).empty());
  CPen wide(PS_SOLID, 3, RGB(255, 255, 255));
  c.dc.SelectObject(&wide);
  c.dc.MoveTo(2, 4);
  c.dc.LineTo(5, 4);
  EXPECT_EQ(Painted(c.surface()), RectPoints(1, 3, 6, 6));
  c.dc.SelectObject(old);
}

TEST(Shapes, RectanglesOutlineWithThePenAndFillWithTheBrushAndFramesUseTwoColours) {
  Canvas c(8, 8, PixelFormat::Rgb32);
  CPen pen(PS_SOLID, 1, RGB(255, 0, 0));
  CBrush brush(RGB(0, 0, 255));
  c.dc.SelectObject(&pen);
  c.dc.SelectObject(&brush);
  ASSERT_TRUE(c.dc.Rectangle(1, 1, 6, 5));
  const std::uint32_t r = ColorToPixel(RGB(255, 0, 0)), b = ColorToPixel(RGB(0, 0, 255));
  EXPECT_EQ(Row(c.surface(), 1), (std::vector<int>{0, int(r), int(r), int(r), int(r), int(r), 0, 0}));
  EXPECT_EQ(Row(c.surface(), 2), (std::vector<int>{0, int(r), int(b), int(b), int(b), int(r), 0, 0}));
  EXPECT_EQ(Row(c.surface(), 4), (std::vector<int>{0, int(r), int(r), int(r), int(r), int(r), 0, 0}));
  EXPECT_EQ(Row(c.surface(), 5), std::vector<int>(8, 0));

  Canvas frame(5, 4, PixelFormat::Rgb32);
  const COLORREF light = RGB(255, 255, 255), dark = RGB(128, 128, 128);
  frame.dc.Draw3dRect(CRect(0, 0, 5, 4), light, dark);
  const std::uint32_t L = ColorToPixel(light), D = ColorToPixel(dark);
  EXPECT_EQ(RawPixels(frame.surface()),
            (std::vector{L, L, L, L, D, L, 0u, 0u, 0u, D, L, 0u, 0u, 0u, D, D, D, D, D, D}));
  EXPECT_EQ(frame.dc.GetBkColor(), dark);
}

TEST(Pixels, SetAndGetInsideTheClipOnlyAndHonourTheViewport) {
  Canvas c(4, 4, PixelFormat::Rgb32);
  EXPECT_EQ(c.dc.SetPixel(1, 2, RGB(9, 8, 7)), RGB(9, 8, 7));
  EXPECT_EQ(c.dc.GetPixel(1, 2), RGB(9, 8, 7));
  EXPECT_EQ(std::pair(c.dc.SetPixel(4, 0, RGB(1, 1, 1)), c.dc.GetPixel(-1, 0)), std::pair(CLR_INVALID, CLR_INVALID));
  c.dc.SetViewportOrg(1, 1);
  EXPECT_EQ(c.dc.GetPixel(0, 1), RGB(9, 8, 7));
  CRect box;
  EXPECT_EQ(c.dc.GetClipBox(&box), 2);
  EXPECT_EQ(box, CRect(-1, -1, 3, 3));
}

TEST(Objects, SelectionReturnsThePreviousObjectAndStockObjectsComeFirst) {
  CDC dc;
  ASSERT_TRUE(dc.CreateCompatibleDC(nullptr));
  CPen red(PS_SOLID, 1, RGB(255, 0, 0));
  CPen* first = dc.SelectObject(&red);
  EXPECT_EQ(first, CPen::FromHandle(GetStockObject(BLACK_PEN)));
  EXPECT_EQ(dc.SelectObject(first), &red);
  EXPECT_EQ(dc.GetCurrentFont(), CFont::FromHandle(GetStockObject(SYSTEM_FONT)));
  EXPECT_EQ(dc.SelectStockObject(NULL_BRUSH), CBrush::FromHandle(GetStockObject(WHITE_BRUSH)));
  EXPECT_EQ(dc.SelectObject(static_cast<CPen*>(nullptr)), nullptr);
  for (int bad : {9, -3}) EXPECT_EQ(GetStockObject(bad), nullptr) << bad;
  // Deleting a stock object changes nothing.
  EXPECT_TRUE(CPen::FromHandle(GetStockObject(BLACK_PEN))->DeleteObject());
  EXPECT_NE(GetStockObject(BLACK_PEN), nullptr);
}

TEST(Objects, DeletingASelectedObjectKeepsTheContextDrawingWithIt) {
  Canvas c(6, 1, PixelFormat::Rgb32);
  auto pen = std::make_unique<CPen>(PS_SOLID, 1, RGB(0, 255, 0));
  CPen* old = c.dc.SelectObject(pen.get());
  pen.reset();  // the wrapper goes away while the pen is selected
  c.dc.MoveTo(0, 0);
  c.dc.LineTo(3, 0);
  EXPECT_EQ(c.surface().PixelColor(2, 0), RGB(0, 255, 0));
  EXPECT_EQ(c.dc.GetCurrentPen(), nullptr);
  EXPECT_EQ(c.dc.SelectObject(old), nullptr);  // the previous pen has no wrapper any more
}

TEST(Objects, RestoringASavedStateBringsBackObjectsAttributesAndBitmap) {
  Canvas c(3, 3, PixelFormat::Rgb32);
  CPen red(PS_SOLID, 1, RGB(255, 0, 0));
  c.dc.SelectObject(&red);
  c.dc.SetTextColor(RGB(1, 2, 3));
  EXPECT_EQ(c.dc.SaveDC(), 1);
  CPen blue(PS_SOLID, 1, RGB(0, 0, 255));
  CBitmap other;
  other.CreateBitmap(5, 5, 1, 32, nullptr);
  c.dc.SelectObject(&blue);
  c.dc.SelectObject(&other);
  c.dc.SetTextColor(RGB(7, 7, 7));
  EXPECT_EQ(c.dc.SaveDC(), 2);
  ASSERT_TRUE(c.dc.RestoreDC(1));
  EXPECT_EQ(std::tuple(c.dc.GetCurrentPen(), c.dc.GetCurrentBitmap(), c.dc.GetTextColor()),
            std::tuple(&red, &c.bitmap, RGB(1, 2, 3)));
  EXPECT_FALSE(c.dc.RestoreDC(-1));  // both levels are gone
  EXPECT_FALSE(c.dc.RestoreDC(0));
  CDC elsewhere;
  elsewhere.CreateCompatibleDC(nullptr);
  EXPECT_NE(elsewhere.SelectObject(&other), nullptr);  // freed by the restore
}

TEST(BareContexts, RefuseInvalidModesKeepingTheCurrentOneAndDrawNothingWithoutASurface) {
  CDC dc;
  EXPECT_EQ(dc.GetStretchBltMode(), BLACKONWHITE);
  EXPECT_EQ(dc.SetStretchBltMode(COLORONCOLOR), BLACKONWHITE);
  for (int bad : {0, 5}) EXPECT_EQ(dc.SetStretchBltMode(bad), 0) << bad;
  EXPECT_EQ(dc.GetStretchBltMode(), COLORONCOLOR);
  EXPECT_EQ(dc.SetBkMode(TRANSPARENT), OPAQUE);
  EXPECT_EQ(dc.SetBkMode(7), 0);
  EXPECT_EQ(dc.GetBkMode(), TRANSPARENT);
  EXPECT_EQ(dc.SetTextColor(RGB(1, 2, 3)), RGB(0, 0, 0));
  EXPECT_EQ(dc.SetBkColor(RGB(4, 5, 6)), RGB(255, 255, 255));
  EXPECT_FALSE(dc.LineTo(5, 5));
  EXPECT_FALSE(dc.PatBlt(0, 0, 5, 5, WHITENESS));
  EXPECT_EQ(dc.GetPixel(0, 0), CLR_INVALID);
  dc.FillSolidRect(CRect(0, 0, 5, 5), RGB(1, 2, 3));
  EXPECT_EQ(dc.GetBkColor(), RGB(1, 2, 3));
  EXPECT_FALSE(dc.TextOut(0, 0, L"x", 1));
}

}  // namespace
}  // namespace orv::gdi::test
