// Display bitmaps meeting device contexts: the memory bitmap's own context (on its bits at
// 32 bits, on a 32-bit copy below that) and the paged bitmap copied and stretched onto a
// context, checked pixel by pixel.
#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <utility>
#include <vector>

#include "platform/gdi/DC.h"
#include "sibling/orvcim/Dib.h"

namespace {

constexpr COLORREF kSentinel = RGB(9, 8, 7);

// A memory context on a 32-bit bitmap filled with kSentinel.
struct Target {
  Target(int width, int height) {
    dc.CreateCompatibleDC(nullptr);
    bitmap.CreateBitmap(width, height, 1, 32, nullptr);
    previous = dc.SelectObject(&bitmap);
    dc.FillSolidRect(0, 0, width, height, kSentinel);
  }
  ~Target() { dc.SelectObject(previous); }
  std::vector<COLORREF> Pixels() const {
    std::vector<COLORREF> out;
    for (int y = 0; y < bitmap.GetSurface()->Height(); ++y)
      for (int x = 0; x < bitmap.GetSurface()->Width(); ++x) out.push_back(dc.GetPixel(x, y));
    return out;
  }
  CDC dc;
  CBitmap bitmap;
  CBitmap* previous = nullptr;
};

std::vector<BYTE> Bytes(const BYTE* p, int n) { return std::vector<BYTE>(p, p + n); }

TEST(MemoryDibContext, ThirtyTwoBitContextDrawsOnTheBitsBottomUpAndCopiesOntoOtherContexts) {
  CMemoryDIB dib;
  ASSERT_TRUE(dib.Create(4, 3, 32));
  std::memset(dib.GetBits(), 0x11, 4 * 4 * 3);
  CDC* dc = dib.GetDC();
  ASSERT_NE(dc, nullptr);
  dc->FillSolidRect(1, 0, 2, 1, RGB(10, 20, 30));
  // Row 0 is the last one in memory; the fill writes blue, green, red and a zero fourth byte.
  const BYTE* top = dib.GetBits() + 2 * dib.GetBytesPerRow();
  EXPECT_EQ(Bytes(top, 16), (std::vector<BYTE>{0x11, 0x11, 0x11, 0x11, 30, 20, 10, 0, 30, 20, 10, 0, 0x11, 0x11,
                                               0x11, 0x11}));
  EXPECT_EQ(Bytes(dib.GetBits(), 4), std::vector<BYTE>(4, 0x11));

  // And the other way: what the pixel writers write is on the context at once.
  dib.SetPixel32(3, 2, RGB(1, 2, 3));
  EXPECT_EQ(std::pair(dc->GetPixel(3, 2), dc->GetPixel(0, 2)), std::pair(RGB(1, 2, 3), RGB(0x11, 0x11, 0x11)));
  dc->SetPixel(0, 1, RGB(200, 100, 50));
  EXPECT_EQ(Bytes(dib.GetImageAdr32(0, 1), 3), (std::vector<BYTE>{50, 100, 200}));

  // And the context copies onto other contexts.
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 3; ++x) dib.SetPixel32(x, y, RGB(10 * x, 100 + y, 7));
  Target target(4, 3);
  ASSERT_TRUE(target.dc.BitBlt(1, 1, 3, 2, dc, 0, 0, SRCCOPY));
  const COLORREF s = kSentinel;
  EXPECT_EQ(target.Pixels(), (std::vector<COLORREF>{s, s, s, s,                                                //
                                                    s, RGB(0, 100, 7), RGB(10, 100, 7), RGB(20, 100, 7),       //
                                                    s, RGB(0, 101, 7), RGB(10, 101, 7), RGB(20, 101, 7)}));
}

TEST(MemoryDibContext, ContextStaysAtOneAddressAndFollowsTheBits) {
  CMemoryDIB dib;
  CDC* dc = dib.GetDC();
  EXPECT_EQ(dc->GetPixel(0, 0), CLR_INVALID);  // no bits: draws nothing
  dc->FillSolidRect(0, 0, 5, 5, RGB(1, 1, 1));

  ASSERT_TRUE(dib.Create(2, 2, 32));
  EXPECT_EQ(dib.GetDC(), dc);
  EXPECT_EQ(std::pair(dc->GetPixel(1, 1), dc->GetPixel(2, 0)), std::pair(RGB(0, 0, 0), CLR_INVALID));
  dc->FillSolidRect(0, 0, 9, 9, RGB(5, 6, 7));
  EXPECT_EQ(Bytes(dib.GetBits(), 16), (std::vector<BYTE>{7, 6, 5, 0, 7, 6, 5, 0, 7, 6, 5, 0, 7, 6, 5, 0}));

  // A new size: the same context on the new bits, here an 8-bit copy.
  ASSERT_TRUE(dib.Create(3, 1, 8));
  EXPECT_EQ(dib.GetDC(), dc);
  dib.SetPixel8(2, 0, 77);
  dib.RefreshDC();
  EXPECT_EQ(std::pair(dc->GetPixel(2, 0), dc->GetPixel(3, 0)), std::pair(RGB(77, 77, 77), CLR_INVALID));

  dib.Destroy();
  EXPECT_EQ(std::pair(dib.GetDC(), dc->GetPixel(0, 0)), std::pair(dc, CLR_INVALID));
  dc->FillSolidRect(0, 0, 5, 5, RGB(1, 1, 1));  // harmless
}

// --- CMemoryDIB::GetDC below 32 bits: a 32-bit copy --------------------------------------------

const struct CopyCase {
  const char* name;
  int bits;
  bool colorPalette;
  void (*write)(CMemoryDIB& dib);  // writes pixel (1, 1)
  COLORREF expected;               // what the context shows there
} kCopyCases[] = {
    {"grey index", 8, false, [](CMemoryDIB& d) { d.SetPixel8(1, 1, 200); }, RGB(200, 200, 200)},
    {"colour index", 8, true, [](CMemoryDIB& d) { d.SetPixel8(1, 1, 0x4A); }, RGB(72, 36, 85)},
    {"5-5-5 grey 104", 16, false,
     [](CMemoryDIB& d) { CMemoryDIB::SetPixel16(d.GetImageAdr16(1, 1), 1, 1, 100, 100, 100); }, RGB(107, 107, 107)},
    {"5-5-5 full red", 16, false, [](CMemoryDIB& d) { d.SetPixel16(1, 1, RGB(255, 0, 0)); }, RGB(255, 0, 0)},
    {"24-bit", 24, false, [](CMemoryDIB& d) { d.SetPixel24(1, 1, RGB(1, 2, 3)); }, RGB(1, 2, 3)},
};

TEST(MemoryDibContext, CopyShowsTheBitsWhenMadeAndAfterRefresh) {
  for (const CopyCase& c : kCopyCases) {
    SCOPED_TRACE(c.name);
    CMemoryDIB dib;
    ASSERT_TRUE(dib.Create(3, 2, c.bits));
    dib.SetPaletteKind(c.colorPalette);
    c.write(dib);
    CDC* dc = dib.GetDC();
    EXPECT_EQ(std::pair(dc->GetPixel(1, 1), dc->GetPixel(0, 0)), std::pair(c.expected, RGB(0, 0, 0)));

    // Drawing stays in the copy; a refresh of part of it brings back the bits there only.
    const std::vector<BYTE> before = Bytes(dib.GetBits(), dib.GetBytesPerRow() * 2);
    dc->FillSolidRect(0, 0, 3, 2, RGB(40, 50, 60));
    EXPECT_EQ(Bytes(dib.GetBits(), dib.GetBytesPerRow() * 2), before);
    const CRect area(1, 1, 2, 5);
    dib.RefreshDC(&area);
    EXPECT_EQ((std::vector{dc->GetPixel(1, 1), dc->GetPixel(0, 1), dc->GetPixel(1, 0)}),
              (std::vector{c.expected, RGB(40, 50, 60), RGB(40, 50, 60)}));
    dib.RefreshDC();
    EXPECT_EQ(dc->GetPixel(0, 1), RGB(0, 0, 0));
  }
}

TEST(MemoryDibContext, RefreshIgnoresTheCallersViewportAndOutsideAreas) {
  CMemoryDIB dib;
  ASSERT_TRUE(dib.Create(2, 2, 24));
  CDC* dc = dib.GetDC();
  dc->SetViewportOrg(1, 1);
  dib.SetPixel24(0, 0, RGB(11, 22, 33));
  const CRect outside(-10, -10, 0, 0);
  dib.RefreshDC(&outside);
  EXPECT_EQ(dc->GetPixel(-1, -1), RGB(0, 0, 0));
  dib.RefreshDC();
  EXPECT_EQ(dc->GetPixel(-1, -1), RGB(11, 22, 33));  // device (0, 0)
}

// A paged bitmap of 5 x 3 pixels (rows of 5, 10 or 15 bytes: not padded to 4) whose pixel
// (x, y) shows Colour(x, y).
COLORREF Colour(int x, int y) { return RGB(40 * x, 100 + 50 * y, 255 - 40 * x); }

// Writes pixel (x, y) so that it shows Colour(x, y) (exact at 24 and 32 bits) and returns
// what the format shows.
COLORREF WritePixel(CVmDIB& dib, int x, int y, int bits, bool colorPalette) {
  BYTE* p = dib.GetImageAdr(x, y, 0, 0);
  const COLORREF want = Colour(x, y);
  const BYTE r = GetRValue(want), g = GetGValue(want), b = GetBValue(want);
  switch (bits) {
    case 8:
      *p = colorPalette ? static_cast<BYTE>((b & 0xC0) | ((g & 0xE0) >> 2) | (r >> 5)) : g;
      return colorPalette ? dib.GetColorTable()[*p] : RGB(g, g, g);
    case 16: {
      CMemoryDIB::SetPixel16(p, r, g, b);
      auto widen = [](int v) { return (v & 0xF8) | ((v & 0xF8) >> 5); };
      return RGB(widen(r), widen(g), widen(b));
    }
    default:
      p[0] = b;
      p[1] = g;
      p[2] = r;
      if (bits == 32) p[3] = 0xEE;  // not part of the colour
      return want;
  }
}

// BitBlt copies the pixels asked for and none from outside the bitmap; StretchBlt magnifies
// and applies its raster operation.
TEST(VmDibDraw, BitBltAndStretchBltDrawThePixelsAskedForInEveryFormat) {
  for (auto [bits, colorPalette] : {std::pair{8, false}, {8, true}, {16, false}, {24, false}, {32, false}}) {
    SCOPED_TRACE(testing::Message() << bits << " bits" << (colorPalette ? ", colour palette" : ""));
    CVmDIB dib;
    ASSERT_TRUE(dib.Create(nullptr, 5, 3, bits));
    dib.SetPaletteKind(colorPalette);
    COLORREF shown[3][5] = {};
    for (int y = 0; y < 3; ++y)
      for (int x = 0; x < 5; ++x) shown[y][x] = WritePixel(dib, x, y, bits, colorPalette);
    const COLORREF s = kSentinel;

    Target copied(6, 4), cut(4, 2), stretched(4, 4);
    EXPECT_TRUE(dib.BitBlt(nullptr, &copied.dc, CRect(1, 1, 4, 3), CPoint(2, 1)));
    EXPECT_EQ(copied.Pixels(), (std::vector<COLORREF>{s, s, s, s, s, s,                                   //
                                                      s, shown[1][2], shown[1][3], shown[1][4], s, s,     //
                                                      s, shown[2][2], shown[2][3], shown[2][4], s, s,     //
                                                      s, s, s, s, s, s}));
    EXPECT_TRUE(dib.BitBlt(nullptr, &cut.dc, CRect(0, 0, 4, 2), CPoint(3, 2)));
    EXPECT_EQ(cut.Pixels(), (std::vector<COLORREF>{shown[2][3], shown[2][4], s, s, s, s, s, s}));

    EXPECT_TRUE(dib.StretchBlt(nullptr, &stretched.dc, CRect(0, 0, 4, 4), CPoint(3, 1), CSize(2, 2)));
    std::vector<COLORREF> want;
    for (int y = 0; y < 4; ++y)
      for (int x = 0; x < 4; ++x) want.push_back(shown[1 + y / 2][3 + x / 2]);
    EXPECT_EQ(stretched.Pixels(), want);
    EXPECT_TRUE(dib.StretchBlt(nullptr, &stretched.dc, CRect(0, 0, 1, 1), CPoint(0, 0), CSize(1, 1), NOTSRCCOPY));
    EXPECT_EQ(stretched.dc.GetPixel(0, 0), ~shown[0][0] & 0xFFFFFFu);
  }
}

TEST(VmDibDrawRefusals, NothingWithoutBitmapContextOrSourceRows) {
  Target target(2, 2);
  CVmDIB empty;
  EXPECT_FALSE(empty.BitBlt(nullptr, &target.dc, CRect(0, 0, 2, 2), CPoint(0, 0)));
  CVmDIB dib;
  ASSERT_TRUE(dib.Create(nullptr, 3, 3, 8));
  EXPECT_FALSE(dib.BitBlt(nullptr, nullptr, CRect(0, 0, 2, 2), CPoint(0, 0)));
  EXPECT_FALSE(dib.StretchBlt(nullptr, &target.dc, CRect(0, 0, 2, 2), CPoint(0, 5), CSize(2, 2)));
  EXPECT_FALSE(dib.StretchBlt(nullptr, &target.dc, CRect(0, 0, 2, 2), CPoint(-2, 0), CSize(2, 2)));
  EXPECT_FALSE(dib.StretchBlt(nullptr, &target.dc, CRect(0, 0, 2, 2), CPoint(0, 0), CSize(2, 0)));
  EXPECT_FALSE(dib.BitBlt(nullptr, &target.dc, CRect(1, 1, 1, 2), CPoint(0, 0)));
  // A destination spanning all coordinates is cut to the context, not overflowed.
  EXPECT_TRUE(dib.BitBlt(nullptr, &target.dc, CRect(INT_MIN, INT_MIN, INT_MAX, INT_MAX), CPoint(0, 0)));
  EXPECT_EQ(target.Pixels(), std::vector<COLORREF>(4, kSentinel));
}

}  // namespace
