// Bitmaps: decoding .bmp data of every supported depth in both row orders, refusing
// damaged data, the resource chain, compatible bitmaps and their selection rules.
#include <gtest/gtest.h>

#include <cstring>
#include <tuple>

#include "GdiTestSupport.h"
#include "platform/base/Resources.h"
#include "support/PixelChecks.h"

namespace orv::gdi::test {
namespace {

struct BmpSpec {
  int bpp = 8, width = 5, height = 3;
  bool topDown = false;
  std::vector<RGBQUAD> palette;
  bool fileHeader = true;
  DWORD clrUsed = 0;
};

// Writes the low `bytes` bytes of x at `at`, little-endian.
void Put(std::vector<BYTE>& v, std::size_t at, std::uint32_t x, int bytes = 4) {
  for (int i = 0; i < bytes; ++i) v[at + i] = static_cast<BYTE>(x >> (8 * i));
}

// Pixel (x, y) of the test images: a palette index, or a 0x00RRGGBB colour for direct depths.
std::uint32_t Value(const BmpSpec& s, int x, int y) {
  if (s.bpp <= 8) return static_cast<std::uint32_t>((x * 3 + y * 5) % static_cast<int>(s.palette.size()));
  return Noise(x, y, static_cast<std::uint32_t>(s.bpp)) & 0x00FFFFFFu;
}

COLORREF ExpectedColor(const BmpSpec& s, int x, int y) {
  const std::uint32_t v = Value(s, x, y);
  if (s.bpp <= 8) return RGB(s.palette[v].rgbRed, s.palette[v].rgbGreen, s.palette[v].rgbBlue);
  // 16 bits keep the top five bits of each channel and widen them again.
  auto kept = [&](unsigned c) { return s.bpp == 16 ? ((c >> 3) << 3) | (c >> 5) : c; };
  return RGB(kept((v >> 16) & 0xFF), kept((v >> 8) & 0xFF), kept(v & 0xFF));
}

std::vector<BYTE> WriteBmp(const BmpSpec& s) {
  const std::size_t stride = static_cast<std::size_t>(((s.width * s.bpp + 31) / 32) * 4);
  const std::size_t h = s.fileHeader ? 14 : 0;  // where the info header starts
  const std::size_t paletteBytes = s.palette.size() * 4;
  const std::size_t bitsAt = h + 40 + paletteBytes;
  std::vector<BYTE> out(bitsAt + stride * static_cast<std::size_t>(s.height), 0);
  if (s.fileHeader) {
    Put(out, 0, 'B' | 'M' << 8, 2);
    Put(out, 2, static_cast<std::uint32_t>(out.size()));
    Put(out, 10, static_cast<std::uint32_t>(bitsAt));
  }
  Put(out, h, 40);
  Put(out, h + 4, static_cast<std::uint32_t>(s.width));
  Put(out, h + 8, static_cast<std::uint32_t>(s.topDown ? -s.height : s.height));
  Put(out, h + 12, 1, 2);
  Put(out, h + 14, static_cast<unsigned>(s.bpp), 2);
  Put(out, h + 32, s.clrUsed);
  if (paletteBytes != 0) std::memcpy(out.data() + h + 40, s.palette.data(), paletteBytes);
  for (int r = 0; r < s.height; ++r) {
    const int y = s.topDown ? r : s.height - 1 - r;
    const std::size_t row = bitsAt + stride * static_cast<std::size_t>(r);
    for (int x = 0; x < s.width; ++x) {
      const std::uint32_t v = Value(s, x, y);
      const int per = 8 / std::min(s.bpp, 8);
      if (s.bpp <= 8)
        out[row + x / per] |= static_cast<BYTE>(v << ((per - 1 - x % per) * s.bpp));
      else if (s.bpp == 16)
        Put(out, row + 2 * x, (((v >> 19) & 31) << 10) | (((v >> 11) & 31) << 5) | ((v >> 3) & 31), 2);
      else  // blue, green, red (and a zero fourth byte)
        Put(out, row + x * s.bpp / 8, v, s.bpp / 8);
    }
  }
  return out;
}

std::vector<RGBQUAD> Palette(int n) {
  std::vector<RGBQUAD> p;
  for (int i = 0; i < n; ++i)
    p.push_back(RGBQUAD{static_cast<BYTE>(i * 37), static_cast<BYTE>(255 - i * 11), static_cast<BYTE>(i * 5 + 3), 0});
  return p;
}

const std::vector<RGBQUAD> kBlackWhite = {{0, 0, 0, 0}, {255, 255, 255, 0}};

TEST(BitmapDecoding, EveryDepthInBothRowOrdersGivesTheImagePixels) {
  using enum PixelFormat;
  const struct {
    const char* name;
    int bpp;
    std::vector<RGBQUAD> palette;
    PixelFormat format;
  } cases[] = {{"1-bit black and white", 1, kBlackWhite, Mono1}, {"1-bit two colours", 1, Palette(2), Rgb32},
               {"4-bit", 4, Palette(16), Rgb32}, {"4-bit short palette", 4, Palette(5), Rgb32},
               {"8-bit", 8, Palette(256), Rgb32}, {"16-bit", 16, {}, Rgb32}, {"24-bit", 24, {}, Rgb32},
               {"32-bit", 32, {}, Rgb32}};
  for (const auto& c : cases)
    for (bool topDown : {false, true})
      for (int width : {1, 7, 13, 33}) {
        const BmpSpec s{.bpp = c.bpp, .width = width, .height = 4, .topDown = topDown, .palette = c.palette,
                        .clrUsed = static_cast<DWORD>(
                            c.palette.size() == (1u << (c.bpp > 8 ? 0 : c.bpp)) ? 0 : c.palette.size())};
        const std::vector<BYTE> file = WriteBmp(s);
        CBitmap bitmap;
        ASSERT_TRUE(bitmap.LoadBitmapFromBmp(file.data(), file.size())) << c.name;
        const Surface& surface = *bitmap.GetSurface();
        ASSERT_EQ(surface.Format(), c.format) << c.name;
        ASSERT_TRUE(orv::test::EveryPixel(width, s.height, [&](int x, int y) { return surface.PixelColor(x, y); },
                                          [&](int x, int y) { return ExpectedColor(s, x, y); }))
            << c.name << (topDown ? " top-down" : " bottom-up") << " width " << width;
      }
}

TEST(BitmapDecoding, PackedBitmapsWithoutFileHeaderAndCoreHeadersAreRead) {
  const BmpSpec s{.bpp = 8, .palette = Palette(256), .fileHeader = false};
  const std::vector<BYTE> packed = WriteBmp(s);
  CBitmap a;
  ASSERT_TRUE(a.LoadBitmapFromBmp(packed.data(), packed.size()));
  EXPECT_EQ(a.GetSurface()->PixelColor(2, 1), ExpectedColor(s, 2, 1));

  // The old core header: 16-bit sizes and three-byte palette entries.
  const BYTE core[] = {'B', 'M', 0, 0, 0, 0, 0, 0, 0, 0, 32, 0, 0, 0,  // file header, bits at 32
                       12, 0, 0, 0, 2, 0, 1, 0, 1, 0, 1, 0,              // 2 x 1, 1 plane, 1 bit
                       0, 0, 255, 0, 255, 0,                              // red, green (B, G, R)
                       0x40, 0, 0, 0};                                    // pixels 0, 1
  CBitmap b;
  ASSERT_TRUE(b.LoadBitmapFromBmp(core, sizeof core));
  EXPECT_EQ(std::pair(b.GetSurface()->PixelColor(0, 0), b.GetSurface()->PixelColor(1, 0)),
            std::pair(RGB(255, 0, 0), RGB(0, 255, 0)));
}

TEST(BitmapDecoding, EveryTruncationOfAValidFileIsRefused) {
  const std::vector<BYTE> file = WriteBmp({.bpp = 4, .palette = Palette(16)});
  for (std::size_t n = 0; n < file.size(); ++n) {
    const std::vector<BYTE> cut(file.begin(), file.begin() + static_cast<std::ptrdiff_t>(n));
    CBitmap bitmap;
    EXPECT_FALSE(bitmap.LoadBitmapFromBmp(cut.data(), cut.size())) << "length " << n;
    EXPECT_EQ(bitmap.GetSafeHandle(), nullptr);
  }
}

TEST(BitmapDecoding, DamagedHeadersAreRefused) {
  const std::vector<BYTE> good = WriteBmp({.bpp = 8, .palette = Palette(256)});
  const struct {
    const char* name;
    std::size_t at;
    std::uint32_t value;
    int bytes;
  } damages[] = {{"huge size", 18, 100000, 4},    {"huge height", 22, 100000, 4},
                 {"zero width", 18, 0, 4},        {"negative width", 18, 0xFFFFFFFB, 4},
                 {"lowest height", 22, 0x80000000, 4}, {"two planes", 26, 2, 2},
                 {"seven bits", 28, 7, 2},        {"run-length coded", 30, 1, 4},
                 {"bits past the end", 10, 0xFFFFFFF0, 4}, {"header past the end", 14, 0x7FFFFFFF, 4},
                 {"unknown header size", 14, 20, 4}};
  for (const auto& d : damages) {
    std::vector<BYTE> bad = good;
    Put(bad, d.at, d.value, d.bytes);
    EXPECT_FALSE(CBitmap().LoadBitmapFromBmp(bad.data(), bad.size())) << d.name;
  }
  EXPECT_FALSE(CBitmap().LoadBitmapFromBmp(nullptr, 100));
  // Bit fields with an info header of 41 to 51 bytes: the masks would lie past the header,
  // at the file's very end (ASan catches a read beyond it).
  for (std::uint32_t header = 41; header < 52; ++header) {
    std::vector<BYTE> file(14 + header);
    file[0] = 'B', file[1] = 'M';
    Put(file, 10, static_cast<std::uint32_t>(file.size()));
    Put(file, 14, header), Put(file, 18, 1), Put(file, 22, 1), Put(file, 26, 1, 2), Put(file, 28, 32, 2);
    Put(file, 30, 3);
    EXPECT_FALSE(CBitmap().LoadBitmapFromBmp(file.data(), file.size())) << "header " << header;
  }
}

TEST(BitmapDecoding, IndexesPastTheColourTableReadAsBlack) {
  const BmpSpec s{.bpp = 4, .palette = Palette(16)};
  std::vector<BYTE> file = WriteBmp(s);
  Put(file, 14 + 32, 2);  // a two-entry colour table; the pixel offset stays where it was
  CBitmap bitmap;
  ASSERT_TRUE(bitmap.LoadBitmapFromBmp(file.data(), file.size()));
  // Row 0 holds the indexes 0, 3, 6, 9, 12: only the first is in the table.
  EXPECT_EQ(bitmap.GetSurface()->PixelColor(0, 0), ExpectedColor(s, 0, 0));
  for (int x = 1; x < 5; ++x) EXPECT_EQ(bitmap.GetSurface()->PixelColor(x, 0), RGB(0, 0, 0)) << x;
}

TEST(BitmapResources, LoadBitmapFindsBitmapsThroughTheResourceChain) {
  ResourceTable table;
  table.bitmaps[24006] = WriteBmp({.bpp = 1, .palette = kBlackWhite});
  table.bitmaps[24007] = {1, 2, 3};
  HINSTANCE module = RegisterResourceModule("gdi-bitmap-test", &table);
  CBitmap found, damaged, missing, again;
  EXPECT_TRUE(found.LoadBitmap(24006));
  EXPECT_FALSE(damaged.LoadBitmap(24007));
  EXPECT_FALSE(missing.LoadBitmap(1));
  EXPECT_FALSE(found.LoadBitmap(24006));  // a wrapper holds one bitmap
  EXPECT_TRUE(again.LoadBitmap(24006, module));
  UnregisterResourceModule(module);
  BITMAP info{};
  ASSERT_EQ(found.GetBitmap(&info), static_cast<int>(sizeof(BITMAP)));
  EXPECT_EQ(std::tuple(info.bmWidth, info.bmHeight, info.bmBitsPixel, info.bmWidthBytes, info.bmPlanes),
            std::tuple(5, 3, 1, 2, 1));
}

TEST(CompatibleBitmaps, TakeTheFormatOfTheContextsCurrentBitmap) {
  Canvas colour(4, 4, PixelFormat::Rgb32);
  CDC memory;
  ASSERT_TRUE(memory.CreateCompatibleDC(&colour.dc));
  CBitmap a, b, c;
  ASSERT_TRUE(a.CreateCompatibleBitmap(&colour.dc, 3, 2));
  EXPECT_EQ(a.GetSurface()->Format(), PixelFormat::Rgb32);
  ASSERT_TRUE(b.CreateCompatibleBitmap(&memory, 3, 2));  // the default bitmap is monochrome
  EXPECT_EQ(b.GetSurface()->Format(), PixelFormat::Mono1);
  ASSERT_TRUE(c.CreateCompatibleBitmap(&colour.dc, 0, 5));
  BITMAP info{};
  c.GetBitmap(&info);
  EXPECT_EQ(std::tuple(info.bmWidth, info.bmHeight, info.bmBitsPixel), std::tuple(1, 1, 1));
  CBitmap bad;
  EXPECT_FALSE(bad.CreateCompatibleBitmap(&colour.dc, -1, 5));
  EXPECT_FALSE(bad.CreateCompatibleBitmap(nullptr, 1, 5));
  EXPECT_FALSE(bad.CreateCompatibleBitmap(&colour.dc, 1 << 20, 1 << 20));
  EXPECT_FALSE(bad.CreateBitmap(4, 4, 1, 24, nullptr));
}

TEST(CompatibleBitmaps, ABitmapIsSelectedIntoOneContextAtATime) {
  CDC first, second;
  first.CreateCompatibleDC(nullptr);
  second.CreateCompatibleDC(nullptr);
  CBitmap bitmap;
  ASSERT_TRUE(bitmap.CreateBitmap(2, 2, 1, 32, nullptr));
  CBitmap* original = first.SelectObject(&bitmap);
  ASSERT_NE(original, nullptr);
  EXPECT_EQ(second.SelectObject(&bitmap), nullptr);
  EXPECT_EQ(first.SelectObject(original), &bitmap);
  EXPECT_NE(second.SelectObject(&bitmap), nullptr);
  EXPECT_EQ(second.GetCurrentBitmap(), &bitmap);
}

TEST(CompatibleBitmaps, BitsRoundTripInRowsPaddedTo16Bits) {
  CBitmap mono;
  const BYTE bits[] = {0xA5, 0xFF, 0x5A, 0x00};  // 9 x 2: two bytes per row
  ASSERT_TRUE(mono.CreateBitmap(9, 2, 1, 1, bits));
  EXPECT_EQ(RawPixels(*mono.GetSurface()),
            (std::vector<std::uint32_t>{1, 0, 1, 0, 0, 1, 0, 1, 1, 0, 1, 0, 1, 1, 0, 1, 0, 0}));
  BYTE back[8] = {};
  EXPECT_EQ(mono.GetBitmapBits(sizeof back, back), 4u);
  EXPECT_EQ(std::memcmp(back, bits, 4), 0);
  const BYTE more[2] = {0, 0};
  EXPECT_EQ(mono.SetBitmapBits(2, more), 2u);
  EXPECT_EQ(std::pair(mono.GetSurface()->RawPixel(0, 0), mono.GetSurface()->RawPixel(1, 1)), std::pair(0u, 1u));
}

}  // namespace
}  // namespace orv::gdi::test
