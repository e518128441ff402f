// Stretching: the pixel mapping in both directions and on both axes, the three group
// modes, mirroring, empty rectangles and clipping on either side.
#include <gtest/gtest.h>

#include "GdiTestSupport.h"

namespace orv::gdi::test {
namespace {

// Source pixel values that name their column (low byte) and row (second byte).
void Label(Surface& s) {
  Fill(s, [](int x, int y) { return static_cast<std::uint32_t>(x | (y << 8)); });
}

std::vector<int> Columns(const Surface& s, int y) {
  std::vector<int> out;
  for (int v : Row(s, y)) out.push_back(v & 0xFF);
  return out;
}

std::vector<int> Rows(const Surface& s, int x) {
  std::vector<int> out;
  for (int v : Column(s, x)) out.push_back((v >> 8) & 0xFF);
  return out;
}

TEST(Stretch, EnlargingFourToNineRepeatsTheMiddleOnesByTheHalfPixelRule) {
  for (int mode : {BLACKONWHITE, WHITEONBLACK, COLORONCOLOR, HALFTONE}) {
    Canvas src(4, 4, PixelFormat::Rgb32), dst(9, 9, PixelFormat::Rgb32);
    Label(src.surface());
    dst.dc.SetStretchBltMode(mode);
    ASSERT_TRUE(dst.dc.StretchBlt(0, 0, 9, 9, &src.dc, 0, 0, 4, 4, SRCCOPY));
    EXPECT_EQ(Columns(dst.surface(), 0), (std::vector<int>{0, 0, 1, 1, 1, 2, 2, 3, 3})) << "mode " << mode;
    // Rows are mapped from the bottom edge, so their ties round the other way.
    EXPECT_EQ(Rows(dst.surface(), 0), (std::vector<int>{0, 0, 1, 1, 2, 2, 2, 3, 3})) << "mode " << mode;
  }
}

TEST(Stretch, ColorOnColorShrinkKeepsOnePixelOfEachGroupAndOnlyAShrunkAxisIsCombined) {
  Canvas src(7, 5, PixelFormat::Rgb32), dst(5, 4, PixelFormat::Rgb32);
  Label(src.surface());
  dst.dc.SetStretchBltMode(COLORONCOLOR);
  ASSERT_TRUE(dst.dc.StretchBlt(0, 0, 5, 4, &src.dc, 0, 0, 7, 5, SRCCOPY));
  for (int y = 0; y < 4; ++y) EXPECT_EQ(Columns(dst.surface(), y), (std::vector<int>{0, 2, 3, 5, 6})) << "row " << y;
  for (int x = 0; x < 5; ++x) EXPECT_EQ(Rows(dst.surface(), x), (std::vector<int>{0, 1, 3, 4})) << "column " << x;

  // Shrinking one axis while enlarging the other combines only the shrunk axis.
  Canvas wide(4, 2, PixelFormat::Rgb32), tall(2, 4, PixelFormat::Rgb32);
  const std::uint32_t v[2][4] = {{0x0F, 0xF0, 0x11, 0x22}, {0x100, 0x200, 0x400, 0x800}};
  Fill(wide.surface(), [&](int x, int y) { return v[y][x]; });
  tall.dc.SetStretchBltMode(WHITEONBLACK);
  ASSERT_TRUE(tall.dc.StretchBlt(0, 0, 2, 4, &wide.dc, 0, 0, 4, 2, SRCCOPY));
  EXPECT_EQ(RawPixels(tall.surface()),
            (std::vector<std::uint32_t>{0xFF, 0x33, 0xFF, 0x33, 0x300, 0xC00, 0x300, 0xC00}));
}

// 7 x 5 to 5 x 4 groups columns {0} {1 2} {3} {4 5} {6} and rows {0} {1} {2 3} {4}.
std::vector<std::uint32_t> Combined(const Surface& src, bool useAnd, bool mono) {
  const int cols[6] = {0, 1, 3, 4, 6, 7};
  const int rows[5] = {0, 1, 2, 4, 5};
  std::vector<std::uint32_t> out;
  for (int r = 0; r < 4; ++r)
    for (int c = 0; c < 5; ++c) {
      std::uint32_t v = useAnd ? ~0u : 0u;
      for (int y = rows[r]; y < rows[r + 1]; ++y)
        for (int x = cols[c]; x < cols[c + 1]; ++x) {
          const std::uint32_t s = mono ? 0u - src.RawPixel(x, y) : src.RawPixel(x, y);
          v = useAnd ? (v & s) : (v | s);
        }
      out.push_back(mono ? (v & 1u) : v);
    }
  return out;
}

TEST(Stretch, BlackOnWhiteAndsAndWhiteOnBlackOrsEachGroupOnEveryFormat) {
  for (PixelFormat f : {PixelFormat::Rgb32, PixelFormat::Mono1})
    for (int mode : {BLACKONWHITE, WHITEONBLACK}) {
      Canvas src(7, 5, f), dst(5, 4, f);
      for (std::uint32_t seed = 0; seed < 8; ++seed) {
        Fill(src.surface(), [&](int x, int y) { return Noise(x, y, seed); });
        dst.dc.SetStretchBltMode(mode);
        ASSERT_TRUE(dst.dc.StretchBlt(0, 0, 5, 4, &src.dc, 0, 0, 7, 5, SRCCOPY));
        EXPECT_TRUE(SameSurface(mode == BLACKONWHITE ? "AND groups" : "OR groups", dst.surface(),
                                Combined(src.surface(), mode == BLACKONWHITE, f == PixelFormat::Mono1)));
      }
    }
}

TEST(Stretch, OppositeSignsMirrorAndMatchingSignsDoNot) {
  Canvas src(4, 1, PixelFormat::Rgb32), dst(9, 1, PixelFormat::Rgb32);
  Label(src.surface());
  // A negative extent starts at its own pixel: x 8, width -9 covers exactly columns 8 ... 0.
  ASSERT_TRUE(dst.dc.StretchBlt(8, 0, -9, 1, &src.dc, 0, 0, 4, 1, SRCCOPY));
  EXPECT_EQ(Columns(dst.surface(), 0), (std::vector<int>{3, 3, 2, 2, 1, 1, 1, 0, 0}));
  ASSERT_TRUE(dst.dc.StretchBlt(3, 0, -4, 1, &src.dc, 4, 0, -4, 1, SRCCOPY));
  EXPECT_EQ(Columns(dst.surface(), 0), (std::vector<int>{0, 1, 2, 3, 1, 1, 1, 0, 0}));
  ASSERT_TRUE(dst.dc.BitBlt(0, 0, 4, 1, &src.dc, 4, 0, SRCCOPY));  // source (4, 0) lies outside
  EXPECT_EQ(Columns(dst.surface(), 0), (std::vector<int>{0, 1, 2, 3, 1, 1, 1, 0, 0}));
  Canvas tall(1, 4, PixelFormat::Rgb32);
  ASSERT_TRUE(tall.dc.StretchBlt(0, 3, 1, -4, &src.dc, 1, 0, 1, 1, SRCCOPY));  // rows 3 ... 0, all of them
  EXPECT_EQ(Column(tall.surface(), 0), (std::vector<int>{1, 1, 1, 1}));
}

TEST(Stretch, EmptyRectanglesOnEitherSideDrawNothing) {
  Canvas src(4, 4, PixelFormat::Rgb32), dst(8, 8, PixelFormat::Rgb32);
  Fill(src.surface(), [](int, int) { return 0x00FFFFFFu; });
  const int sizes[][4] = {{0, 8, 4, 4}, {8, 0, 4, 4}, {8, 8, 0, 4}, {8, 8, 4, 0}};
  for (const auto& s : sizes) {
    EXPECT_TRUE(dst.dc.StretchBlt(0, 0, s[0], s[1], &src.dc, 0, 0, s[2], s[3], SRCCOPY));
    EXPECT_EQ(RawPixels(dst.surface()), std::vector<std::uint32_t>(64, 0u));
  }
}

// Stretching into a clipped target must give exactly the pixels the same stretch gives on
// a target large enough to hold it all.
TEST(Stretch, ClippedStretchGivesTheSamePixelsAsTheWholeOne) {
  const struct {
    const char* name;
    int sw, sh, dw, dh;
    int mode;
  } cases[] = {{"enlarge", 7, 5, 23, 17, COLORONCOLOR},
               {"shrink AND", 23, 17, 7, 5, BLACKONWHITE},
               {"shrink OR", 29, 13, 11, 6, WHITEONBLACK},
               {"shrink keep", 29, 13, 11, 6, COLORONCOLOR}};
  for (PixelFormat f : {PixelFormat::Rgb32, PixelFormat::Mono1})
    for (const auto& c : cases) {
      Canvas src(c.sw, c.sh, f), whole(c.dw, c.dh, f), part(c.dw - 5, c.dh - 3, f);
      Fill(src.surface(), [](int x, int y) { return Noise(x, y, 9); });
      for (auto [target, at] : {std::pair{&whole, CPoint(0, 0)}, {&part, CPoint(-3, -2)}}) {
        target->dc.SetStretchBltMode(c.mode);
        ASSERT_TRUE(target->dc.StretchBlt(at.x, at.y, c.dw, c.dh, &src.dc, 0, 0, c.sw, c.sh, SRCCOPY));
      }
      EXPECT_TRUE(SameSurface(c.name, part.surface(), RawPixels(whole.surface(), CRect(3, 2, c.dw - 2, c.dh - 1))));
    }
}

TEST(Stretch, SourcePixelsOutsideTheSourceLeaveTheirTargetPixelsAlone) {
  Canvas src(4, 4, PixelFormat::Rgb32), dst(8, 8, PixelFormat::Rgb32);
  Label(src.surface());
  Fill(dst.surface(), [](int, int) { return 0xABCDEFu; });
  // Source rectangle (-2, 0) 4 x 4 doubled: its left half lies outside the source.
  ASSERT_TRUE(dst.dc.StretchBlt(0, 0, 8, 8, &src.dc, -2, 0, 4, 4, SRCCOPY));
  EXPECT_EQ(Row(dst.surface(), 0), (std::vector<int>{0xABCDEF, 0xABCDEF, 0xABCDEF, 0xABCDEF, 0, 0, 1, 1}));
}

// A plain copy onto 32-bit pixels takes shortcuts (whole-factor enlargements, repeated rows);
// it must give what the general path gives: SRCPAINT onto black is the same copy without them.
TEST(Stretch, PlainCopiesGiveWhatTheGeneralPathGives) {
  struct Case {
    int x, y, w, h, sx, sy, sw, sh;
  } cases[] = {
      {0, 0, 64, 40, 3, 2, 32, 20},    {-3, -5, 64, 40, 3, 2, 32, 20},  {1, 2, 80, 30, 5, 0, 20, 15},
      {-7, 0, 96, 24, 0, 1, 12, 3},    {0, 0, 60, 33, 0, 0, 20, 11},    {-1, -1, 70, 50, 2, 3, 35, 25},
      {70, 0, -64, 40, 3, 2, 32, 20},  {0, 0, 40, 20, 0, 0, 40, 20},    {0, 0, 30, 18, 2, 2, 40, 24},
  };
  for (const Case& c : cases) {
    Canvas src(48, 32, PixelFormat::Rgb32), fast(72, 48, PixelFormat::Rgb32), general(72, 48, PixelFormat::Rgb32);
    Fill(src.surface(), [](int x, int y) { return Noise(x, y, 5); });
    for (Canvas* d : {&fast, &general}) d->dc.SetStretchBltMode(COLORONCOLOR);
    ASSERT_TRUE(fast.dc.StretchBlt(c.x, c.y, c.w, c.h, &src.dc, c.sx, c.sy, c.sw, c.sh, SRCCOPY));
    ASSERT_TRUE(general.dc.StretchBlt(c.x, c.y, c.w, c.h, &src.dc, c.sx, c.sy, c.sw, c.sh, SRCPAINT));
    EXPECT_TRUE(SameSurface("copy at " + std::to_string(c.x) + "," + std::to_string(c.w), fast.surface(),
                            RawPixels(general.surface())));
  }
}

}  // namespace
}  // namespace orv::gdi::test
