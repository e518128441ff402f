// Raster operations: the mark combination, copies, the full sweep of ternary codes against
// the bitwise rule, monochrome expansion and reduction, overlap and clipping.
#include <gtest/gtest.h>

#include <utility>

#include "GdiTestSupport.h"
#include "platform/gdi/detail/Rop.h"

namespace orv::gdi::test {
namespace {

constexpr DWORD kMarkRop = 0x00E20746;  // (P AND S) OR (D AND NOT S)

// Expected raw words after a blit of `code` over dest rect (dx, dy, w, h) from source (sx, sy).
std::vector<std::uint32_t> Expected(const Surface& before, const Surface& src, int dx, int dy, int w, int h, int sx,
                                    int sy, std::uint8_t code, std::uint32_t pattern) {
  std::vector<std::uint32_t> out = RawPixels(before);
  const bool mono = before.Format() == PixelFormat::Mono1;
  auto word = [mono](std::uint32_t v) { return mono ? 0u - v : v; };  // a monochrome bit stands for a whole word
  for (int y = 0; y < before.Height(); ++y)
    for (int x = 0; x < before.Width(); ++x) {
      if (x < dx || x >= dx + w || y < dy || y >= dy + h) continue;
      const int ux = x - dx + sx, uy = y - dy + sy;
      if (ux < 0 || uy < 0 || ux >= src.Width() || uy >= src.Height()) continue;
      const std::uint32_t r = RopApplyBitwise(code, pattern, word(src.RawPixel(ux, uy)), word(before.RawPixel(x, y)));
      out[static_cast<std::size_t>(y) * before.Width() + x] = mono ? (r & 1u) : r;
    }
  return out;
}

TEST(RasterOperations, MarkCellPaintedThroughWorkAndMaskContextsLeavesBlackTransparent) {
  // The preview's recipe: copy the target out, combine the mask cell with the brush, copy back.
  Canvas target(8, 6, PixelFormat::Rgb32);
  Fill(target.surface(), [](int x, int y) { return Noise(x, y, 7) & 0x00FFFFFFu; });
  const std::vector<std::uint32_t> before = RawPixels(target.surface());
  Canvas mark(4, 4, PixelFormat::Mono1);  // a monochrome mark: bit 1 (white) is the symbol
  Fill(mark.surface(), [](int x, int y) { return (x + y) % 2 == 0 ? 1u : 0u; });

  CDC work;
  ASSERT_TRUE(work.CreateCompatibleDC(&target.dc));
  CBitmap cell;
  ASSERT_TRUE(cell.CreateCompatibleBitmap(&target.dc, 3, 3));
  CBitmap* oldBitmap = work.SelectObject(&cell);
  CBrush brush(RGB(0, 255, 128));
  CBrush* oldBrush = work.SelectObject(&brush);
  ASSERT_TRUE(work.BitBlt(0, 0, 3, 3, &target.dc, 2, 1, SRCCOPY));
  ASSERT_TRUE(work.BitBlt(0, 0, 3, 3, &mark.dc, 1, 0, kMarkRop));
  ASSERT_TRUE(target.dc.BitBlt(2, 1, 3, 3, &work, 0, 0, SRCCOPY));
  work.SelectObject(oldBrush);
  work.SelectObject(oldBitmap);

  std::vector<std::uint32_t> expected = before;
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 3; ++x)
      if ((x + 1 + y) % 2 == 0) expected[static_cast<std::size_t>(y + 1) * 8 + x + 2] = ColorToPixel(RGB(0, 255, 128));
  EXPECT_TRUE(SameSurface("mark cell", target.surface(), expected));
}

TEST(RasterOperations, EveryTernaryCodeFollowsTheBitwiseRuleOnEveryFormat) {
  const std::pair<PixelFormat, COLORREF> cases[] = {{PixelFormat::Rgb32, RGB(0x5A, 0xC3, 0x0F)},
                                                     {PixelFormat::Mono1, RGB(0, 0, 0)},
                                                     {PixelFormat::Mono1, RGB(255, 255, 255)}};
  for (const auto& [format, colour] : cases) {
    Canvas src(19, 5, format), dst(21, 6, format);
    Fill(src.surface(), [](int x, int y) { return Noise(x, y, 11); });
    CBrush brush(colour);
    dst.dc.SelectObject(&brush);
    const std::uint32_t pattern = format == PixelFormat::Rgb32 ? ColorToPixel(colour) : (colour != 0 ? ~0u : 0u);
    for (unsigned code = 0; code < 256; ++code) {
      Fill(dst.surface(), [&](int x, int y) { return Noise(x, y, 100 + code); });
      const std::vector<std::uint32_t> want =
          Expected(dst.surface(), src.surface(), 2, 1, 17, 4, 1, 0, static_cast<std::uint8_t>(code), pattern);
      ASSERT_TRUE(dst.dc.BitBlt(2, 1, 17, 4, &src.dc, 1, 0, static_cast<DWORD>(code) << 16));
      ASSERT_TRUE(SameSurface("code 0x" + ::testing::PrintToString(code), dst.surface(), want));
    }
  }
}

TEST(RasterOperations, MonochromeSourceTakesTargetColoursAndColourSourceOnMonochromeItsBackground) {
  Canvas src(6, 2, PixelFormat::Mono1), dst(6, 2, PixelFormat::Rgb32);
  Fill(src.surface(), [](int x, int y) { return static_cast<std::uint32_t>((x + y) & 1); });
  ASSERT_TRUE(dst.dc.BitBlt(0, 0, 6, 1, &src.dc, 0, 0, SRCCOPY));  // defaults: black and white
  dst.dc.SetTextColor(RGB(10, 20, 30));
  dst.dc.SetBkColor(RGB(200, 150, 100));
  src.dc.SetTextColor(RGB(1, 2, 3));  // the source context's colours play no part
  ASSERT_TRUE(dst.dc.BitBlt(0, 1, 6, 1, &src.dc, 0, 1, SRCCOPY));
  const std::uint32_t w = 0xFFFFFF, t = ColorToPixel(RGB(10, 20, 30)), b = ColorToPixel(RGB(200, 150, 100));
  EXPECT_EQ(RawPixels(dst.surface()), (std::vector<std::uint32_t>{0, w, 0, w, 0, w, b, t, b, t, b, t}));

  Canvas colour(4, 1, PixelFormat::Rgb32), mono(4, 1, PixelFormat::Mono1);
  const std::uint32_t pixels[4] = {ColorToPixel(RGB(9, 8, 7)), 0xFF000000u | ColorToPixel(RGB(9, 8, 7)),
                                   0x00FFFFFFu, 0x00000000u};
  Fill(colour.surface(), [&](int x, int) { return pixels[x]; });
  colour.dc.SetBkColor(RGB(9, 8, 7));
  ASSERT_TRUE(mono.dc.BitBlt(0, 0, 4, 1, &colour.dc, 0, 0, SRCCOPY));
  EXPECT_EQ(Row(mono.surface(), 0), (std::vector<int>{1, 1, 0, 0}));  // the unused top byte is ignored
}

TEST(RasterOperations, PatternOnlyCodesNeedNoSourceAndSourceCodesNeedOne) {
  Canvas dst(5, 3, PixelFormat::Rgb32);
  CBrush brush(RGB(1, 2, 3));
  dst.dc.SelectObject(&brush);
  EXPECT_FALSE(dst.dc.PatBlt(0, 0, 5, 3, SRCCOPY));
  EXPECT_FALSE(dst.dc.BitBlt(0, 0, 5, 3, nullptr, 0, 0, SRCCOPY));
  EXPECT_EQ(RawPixels(dst.surface()), RawPixels(Canvas(5, 3, PixelFormat::Rgb32).surface()));
  ASSERT_TRUE(dst.dc.BitBlt(1, 1, 2, 1, nullptr, 0, 0, PATCOPY));
  ASSERT_TRUE(dst.dc.PatBlt(4, 2, -2, -1, DSTINVERT));  // negative extents count backwards
  const std::uint32_t p = ColorToPixel(RGB(1, 2, 3));
  EXPECT_EQ(RawPixels(dst.surface()), (std::vector<std::uint32_t>{0, 0, 0, 0, 0, 0, p, ~p, ~0u, 0, 0, 0, 0, 0, 0}));
}

TEST(RasterOperations, OverlappingCopyWithinOneSurfaceReadsBeforeWriting) {
  for (PixelFormat f : {PixelFormat::Rgb32, PixelFormat::Mono1})
    for (int shift : {3, -3}) {
      Canvas c(20, 12, f);
      Fill(c.surface(), [](int x, int y) { return Noise(x, y, 5); });
      Canvas copy(20, 12, f);
      copy.dc.BitBlt(0, 0, 20, 12, &c.dc, 0, 0, SRCCOPY);
      const std::vector<std::uint32_t> want =
          Expected(c.surface(), copy.surface(), 4 + shift, 3 + shift / 3, 10, 6, 4, 3, 0xCC, 0);
      ASSERT_TRUE(c.dc.BitBlt(4 + shift, 3 + shift / 3, 10, 6, &c.dc, 4, 3, SRCCOPY));
      EXPECT_TRUE(SameSurface("scroll by " + std::to_string(shift), c.surface(), want));
    }
}

TEST(RasterOperations, RectanglesOutsideEitherSurfaceAreClippedAndExtremeOnesDoNotOverflow) {
  const struct {
    const char* name;
    int dx, dy, w, h, sx, sy;
  } cases[] = {
      {"target left and top", -4, -2, 10, 6, 0, 0},
      {"target right and bottom", 9, 5, 10, 6, 0, 0},
      {"source left and top", 2, 2, 8, 5, -3, -2},
      {"source right and bottom", 1, 1, 10, 6, 6, 3},
      {"wholly outside", 40, 40, 5, 5, 0, 0},
      {"source wholly outside", 0, 0, 5, 5, 100, -100},
  };
  for (PixelFormat f : {PixelFormat::Rgb32, PixelFormat::Mono1})
    for (const auto& c : cases) {
      Canvas src(9, 6, f), dst(13, 8, f);
      Fill(src.surface(), [](int x, int y) { return Noise(x, y, 3); });
      Fill(dst.surface(), [](int x, int y) { return Noise(x, y, 4); });
      const std::vector<std::uint32_t> want =
          Expected(dst.surface(), src.surface(), c.dx, c.dy, c.w, c.h, c.sx, c.sy, 0x66, 0);
      ASSERT_TRUE(dst.dc.BitBlt(c.dx, c.dy, c.w, c.h, &src.dc, c.sx, c.sy, SRCINVERT));
      EXPECT_TRUE(SameSurface(c.name, dst.surface(), want));
    }

  Canvas src(4, 4, PixelFormat::Rgb32), dst(4, 4, PixelFormat::Rgb32);
  Fill(src.surface(), [](int, int) { return 0x00FFFFFFu; });
  EXPECT_TRUE(
      dst.dc.BitBlt(INT32_MAX - 1, INT32_MAX - 1, INT32_MAX, INT32_MAX, &src.dc, INT32_MIN, INT32_MIN, SRCCOPY));
  EXPECT_TRUE(dst.dc.StretchBlt(INT32_MIN, 0, INT32_MAX, 4, &src.dc, 0, 0, INT32_MIN, 4, SRCCOPY));
  dst.dc.SetViewportOrg(INT32_MAX, INT32_MIN);
  EXPECT_TRUE(dst.dc.PatBlt(INT32_MAX, INT32_MAX, INT32_MAX, INT32_MAX, WHITENESS));
  EXPECT_EQ(RawPixels(dst.surface()), std::vector<std::uint32_t>(16, 0u));
}

}  // namespace
}  // namespace orv::gdi::test
