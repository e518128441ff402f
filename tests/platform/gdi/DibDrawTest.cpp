// Device-independent bitmaps drawn onto contexts: row order, source rectangles counted from
// the bottom of bottom-up images, palette colours, stretching and bands of scan lines.
#include <gtest/gtest.h>

#include "GdiTestSupport.h"

namespace orv::gdi::test {
namespace {

// A 4 x 3 image of 8-bit indexes, index = x + 4 * y, with colour i = RGB(i, 2i, 3i).
struct Indexed {
  explicit Indexed(bool topDown) {
    info.header = BITMAPINFOHEADER{sizeof(BITMAPINFOHEADER), 4, topDown ? -3 : 3, 1, 8, BI_RGB, 0, 0, 0, 0, 0};
    for (int i = 0; i < 256; ++i)
      info.colors[i] = RGBQUAD{static_cast<BYTE>(3 * i), static_cast<BYTE>(2 * i), static_cast<BYTE>(i), 0};
    for (int y = 0; y < 3; ++y)
      for (int x = 0; x < 4; ++x) bits[(topDown ? y : 2 - y) * 4 + x] = static_cast<BYTE>(x + 4 * y);
  }
  const BITMAPINFO* Info() const { return reinterpret_cast<const BITMAPINFO*>(&info); }
  struct {
    BITMAPINFOHEADER header;
    RGBQUAD colors[256];
  } info{};
  BYTE bits[12] = {};
};

COLORREF IndexColor(int i) { return RGB(i % 256, (2 * i) % 256, (3 * i) % 256); }

TEST(DibDrawing, ImagesLandUprightStretchAndCountSourceRowsOfBottomUpImagesFromTheBottom) {
  for (bool topDown : {false, true}) {
    Canvas c(6, 5, PixelFormat::Rgb32);
    Indexed img(topDown);
    EXPECT_EQ(StretchDIBits(c.dc, 1, 1, 4, 3, 0, 0, 4, 3, img.bits, img.Info(), DIB_RGB_COLORS, SRCCOPY), 3);
    for (int y = 0; y < 3; ++y)
      for (int x = 0; x < 4; ++x) EXPECT_EQ(c.surface().PixelColor(x + 1, y + 1), IndexColor(x + 4 * y)) << topDown;
    EXPECT_EQ(c.surface().RawPixel(0, 0), 0u);
    // Source row 0 is the bottom row of a bottom-up image, the top row of a top-down one.
    ASSERT_GT(StretchDIBits(c.dc, 0, 0, 4, 1, 0, 0, 4, 1, img.bits, img.Info(), DIB_RGB_COLORS, SRCCOPY), 0);
    EXPECT_EQ(c.surface().PixelColor(0, 0), IndexColor(topDown ? 0 : 8));
    // Twice the size: the stretch mapping.
    Canvas big(8, 6, PixelFormat::Rgb32);
    ASSERT_GT(StretchDIBits(big.dc, 0, 0, 8, 6, 0, 0, 4, 3, img.bits, img.Info(), DIB_RGB_COLORS, SRCCOPY), 0);
    const Surface& s = big.surface();
    EXPECT_EQ((std::vector{s.PixelColor(0, 0), s.PixelColor(7, 5), s.PixelColor(3, 2)}),
              (std::vector{IndexColor(0), IndexColor(11), IndexColor(5)}));
  }
}

TEST(DibDrawing, OneBitImagesUseTheirOwnColoursNotTheContextsTextColours) {
  Canvas c(2, 1, PixelFormat::Rgb32);
  c.dc.SetTextColor(RGB(1, 1, 1));
  c.dc.SetBkColor(RGB(2, 2, 2));
  struct {
    BITMAPINFOHEADER header;
    RGBQUAD colors[2];
  } info{};
  info.header = BITMAPINFOHEADER{sizeof(BITMAPINFOHEADER), 2, 1, 1, 1, BI_RGB, 0, 0, 0, 0, 0};
  info.colors[0] = RGBQUAD{0, 0, 255, 0};  // red
  info.colors[1] = RGBQUAD{255, 0, 0, 0};  // blue
  const BYTE bits[4] = {0x40, 0, 0, 0};
  ASSERT_GT(StretchDIBits(c.dc, 0, 0, 2, 1, 0, 0, 2, 1, bits, reinterpret_cast<const BITMAPINFO*>(&info),
                          DIB_RGB_COLORS, SRCCOPY),
            0);
  EXPECT_EQ(RawPixels(c.surface()), (std::vector{ColorToPixel(RGB(255, 0, 0)), ColorToPixel(RGB(0, 0, 255))}));
}

TEST(DibDrawing, ABandOfScanLinesDrawsOnlyItsRows) {
  Canvas c(4, 3, PixelFormat::Rgb32);
  Indexed img(false);
  // Scan lines 1 and 2 of the bottom-up image are its top-down rows 1 and 0.
  EXPECT_EQ(SetDIBitsToDevice(c.dc, 0, 0, 4, 3, 0, 0, 1, 2, img.bits + 4, img.Info(), DIB_RGB_COLORS), 2);
  EXPECT_EQ(RawPixels(c.surface(), CRect(2, 0, 3, 3)),
            (std::vector{ColorToPixel(IndexColor(2)), ColorToPixel(IndexColor(6)), 0u}));
}

TEST(DibDrawing, BadRequestsDrawNothing) {
  Canvas c(4, 3, PixelFormat::Rgb32);
  Indexed img(false);
  EXPECT_EQ(StretchDIBits(c.dc, 0, 0, 4, 3, 0, 0, 4, 3, nullptr, img.Info(), DIB_RGB_COLORS, SRCCOPY), 0);
  EXPECT_EQ(StretchDIBits(c.dc, 0, 0, 4, 3, 0, 0, 4, 3, img.bits, nullptr, DIB_RGB_COLORS, SRCCOPY), 0);
  EXPECT_EQ(StretchDIBits(c.dc, 0, 0, 4, 3, 0, 0, 4, 3, img.bits, img.Info(), 1, SRCCOPY), 0);
  EXPECT_EQ(StretchDIBits(nullptr, 0, 0, 4, 3, 0, 0, 4, 3, img.bits, img.Info(), DIB_RGB_COLORS, SRCCOPY), 0);
  EXPECT_EQ(SetDIBitsToDevice(c.dc, 0, 0, 4, 3, 0, 0, 3, 1, img.bits, img.Info(), DIB_RGB_COLORS), 0);
  img.info.header.biBitCount = 3;
  EXPECT_EQ(StretchDIBits(c.dc, 0, 0, 4, 3, 0, 0, 4, 3, img.bits, img.Info(), DIB_RGB_COLORS, SRCCOPY), 0);
  EXPECT_EQ(RawPixels(c.surface()), RawPixels(Canvas(4, 3, PixelFormat::Rgb32).surface()));
}

}  // namespace
}  // namespace orv::gdi::test
