// Pixel writers and addresses of the display bitmaps.
#include <gtest/gtest.h>

#include <cstring>
#include <tuple>
#include <vector>

#include "sibling/orvcim/Dib.h"

namespace {

WORD Word(const BYTE* p) { return static_cast<WORD>(p[0] | (p[1] << 8)); }

TEST(MemoryDib, RowsAreBottomUpAndPaddedToFourBytes) {
  struct Row {
    int width, bits, rowBytes;
  } rows[] = {{1, 8, 4}, {5, 8, 8}, {3, 16, 8}, {3, 24, 12}, {5, 24, 16}, {3, 32, 12}};
  for (const Row& r : rows) {
    CMemoryDIB dib;
    ASSERT_TRUE(dib.Create(r.width, 4, r.bits));
    EXPECT_EQ(dib.GetBytesPerRow(), r.rowBytes) << r.width << " x " << r.bits;
  }
  CMemoryDIB dib;
  ASSERT_TRUE(dib.Create(3, 4, 24));
  BYTE* const row1 = dib.GetBits() + 2 * dib.GetBytesPerRow();  // row 1 of 4 is the third in memory
  EXPECT_EQ((std::vector{dib.GetImageAdr24(0, 0), dib.GetImageAdr24(2, 3), dib.GetImageAdr8(1, 1),
                         dib.GetImageAdr16(1, 1), dib.GetImageAdr32(1, 1)}),
            (std::vector{dib.GetBits() + 3 * 12, dib.GetBits() + 6, row1 + 1, row1 + 2, row1 + 4}));
}

TEST(MemoryDib, RejectsBadSizesAndBitCounts) {
  CMemoryDIB dib;
  for (auto [width, height, bits] : {std::tuple{0, 4, 8}, {4, -1, 8}, {4, 4, 12}, {0x7FFFFFFF, 1, 32}})
    EXPECT_FALSE(dib.Create(width, height, bits)) << width << " x " << height << ", " << bits << " bits";
  EXPECT_FALSE(dib.IsReady());
  EXPECT_EQ(dib.GetWidth(), 0);
}

TEST(PixelWriters, FiveFiveFiveWordsAndTheByteOrderOfEveryFormat) {
  BYTE p[2];
  CMemoryDIB::SetPixel16(p, RGB(255, 0, 0));
  EXPECT_EQ(Word(p), 0x7C00);
  CMemoryDIB::SetPixel16(p, RGB(0, 255, 0));
  EXPECT_EQ(Word(p), 0x03E0);
  CMemoryDIB::SetPixel16(p, RGB(0, 0, 255));
  EXPECT_EQ(Word(p), 0x001F);
  CMemoryDIB::SetPixel16(p, BYTE(100), BYTE(100), BYTE(100));
  EXPECT_EQ(Word(p), 0x318C);
  CMemoryDIB::SetPixel16(p, 2, 4, 100, 100, 100);
  EXPECT_EQ(Word(p), 0x35AD);
  CMemoryDIB::SetPixel16(p, 1, 4, 100, 100, 100);
  EXPECT_EQ(Word(p), 0x318C);
  CVmDIB::SetPixel16(p, 0, 0, 253, 253, 253);
  EXPECT_EQ(Word(p), 0x7FFF);
  CVmDIB::SetPixel16(p, 0, 1, 244, 244, 244);
  EXPECT_EQ(Word(p), 0x7BDE);

  // 32 bits: blue, green, red and the fourth byte untouched.
  CMemoryDIB dib;
  ASSERT_TRUE(dib.Create(2, 2, 32));
  std::memset(dib.GetBits(), 0xEE, 16);
  dib.SetPixel32(1, 0, RGB(1, 2, 3));
  const BYTE* at = dib.GetImageAdr32(1, 0);
  EXPECT_EQ(std::vector<BYTE>(at, at + 4), (std::vector<BYTE>{3, 2, 1, 0xEE}));
  EXPECT_EQ(at - dib.GetImageAdr32(0, 0), 4);

  CMemoryDIB dib24;
  ASSERT_TRUE(dib24.Create(2, 1, 24));
  dib24.SetPixel24(0, 0, RGB(255, 0, 0));
  dib24.SetPixel24(dib24.GetImageAdr24(1, 0), RGB(0, 128, 7));
  const BYTE* q = dib24.GetBits();
  EXPECT_EQ(std::vector<BYTE>(q, q + 6), (std::vector<BYTE>{0, 0, 255, 7, 128, 0}));

  CMemoryDIB dib8;
  ASSERT_TRUE(dib8.Create(2, 2, 8));
  dib8.SetPixel8(1, 1, RGB(42, 1, 2));
  EXPECT_EQ(*dib8.GetImageAdr8(1, 1), 42);
  EXPECT_EQ(dib8.GetBits()[1], 42);  // row 1 of 2 is the first row in memory
}

TEST(VmDib, AllocatesEachBitCountTopDown) {
  for (int bits : {8, 16, 24, 32}) {
    CVmDIB dib;
    ASSERT_TRUE(dib.Create(nullptr, 5, 3, bits));
    EXPECT_EQ(dib.GetBitCount(), bits);
    EXPECT_EQ(dib.GetImageAdr(1, 2, 0, 1) - dib.GetImageAdr(0, 0, 0, 1), (2 * 5 + 1) * bits / 8);
  }
  CVmDIB dib;
  ASSERT_TRUE(dib.Create(nullptr, 4, 4, 0));
  EXPECT_EQ(dib.GetBitCount(), 32);
  EXPECT_FALSE(dib.Create(nullptr, 4, 4, 12));
  EXPECT_FALSE(dib.IsReady());
  EXPECT_EQ(dib.GetImageAdr(0, 0, 0, 1), nullptr);
}

TEST(Palettes, GreyRampAndThreeThreeTwo) {
  CVmDIB dib;
  ASSERT_TRUE(dib.Create(nullptr, 1, 1, 8));
  const COLORREF* table = dib.GetColorTable();
  EXPECT_EQ(std::pair(table[0], table[200]), std::pair(RGB(0, 0, 0), RGB(200, 200, 200)));
  dib.SetPaletteKind(TRUE);
  table = dib.GetColorTable();
  EXPECT_EQ(std::tuple(table[0xFF], table[0x38], table[0x41]),
            std::tuple(RGB(255, 255, 255), RGB(0, 255, 0), RGB(36, 0, 85)));
}

}  // namespace

#include "image/BitmapRgb.h"

namespace {

TEST(BitmapRgb, EveryFormatAsRedGreenBlue) {
  CMemoryDIB d8;
  ASSERT_TRUE(d8.Create(2, 1, 8));
  d8.SetPaletteKind(TRUE);
  *d8.GetImageAdr8(0, 0) = 0x07;
  *d8.GetImageAdr8(1, 0) = 0xC0;
  EXPECT_EQ(orv::BitmapRowRgb(d8, 0), (std::vector<BYTE>{255, 0, 0, 0, 0, 255}));

  CMemoryDIB d16;
  ASSERT_TRUE(d16.Create(2, 2, 16));
  d16.SetPixel16(0, 1, RGB(255, 0, 8));
  d16.SetPixel16(1, 1, RGB(0, 128, 255));
  EXPECT_EQ(orv::BitmapRowRgb(d16, 1), (std::vector<BYTE>{255, 0, 8, 0, 132, 255}));

  for (int bits : {24, 32}) {
    CMemoryDIB d;
    ASSERT_TRUE(d.Create(1, 2, bits));
    if (bits == 24) d.SetPixel24(0, 0, RGB(1, 2, 3));
    else d.SetPixel32(0, 0, RGB(1, 2, 3));
    EXPECT_EQ(orv::BitmapRowRgb(d, 0), (std::vector<BYTE>{1, 2, 3})) << bits;
    EXPECT_EQ(orv::BitmapRowRgb(d, 1), (std::vector<BYTE>{0, 0, 0})) << bits;
    EXPECT_TRUE(orv::BitmapRowRgb(d, 2).empty());
  }
}

}  // namespace
