// Bitmap files: what is written reads back pixel for pixel, and damaged files are refused
// with a reason, never read past their end.
#include <gtest/gtest.h>

#include <tuple>

#include "res/tools/BmpFile.h"

using orv::rc::BmpImage;
using orv::rc::DecodeBmp;
using orv::rc::EncodeBmp;

namespace {

const std::vector<COLORREF> kPalette16 = [] {
  std::vector<COLORREF> p;
  for (int i = 0; i < 16; ++i) p.push_back(RGB(i * 16, 255 - i * 16, i * 7));
  return p;
}();

std::vector<std::uint8_t> Indices(int w, int h, int colours) {
  std::vector<std::uint8_t> v;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) v.push_back(static_cast<std::uint8_t>((x * 3 + y * 5) % colours));
  return v;
}

void Put32(std::vector<std::uint8_t>& b, size_t at, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) b[at + static_cast<size_t>(i)] = static_cast<std::uint8_t>(v >> (8 * i));
}

TEST(BmpFile, PalettedImagesRoundTripForEveryDepthAndOddWidths) {
  struct Row {
    int bitCount, width, height;
  };
  // Widths chosen so that rows need padding, and 1- and 4-bit rows end mid-byte.
  const Row rows[] = {{1, 15, 15}, {1, 33, 2}, {4, 171, 27}, {4, 9, 27}, {4, 1, 1}, {8, 3, 5}};
  for (const Row& r : rows) {
    SCOPED_TRACE(testing::Message() << r.bitCount << " bits, " << r.width << " x " << r.height);
    const int colours = 1 << std::min(r.bitCount, 4);
    const std::vector<COLORREF> palette(kPalette16.begin(), kPalette16.begin() + colours);
    const std::vector<std::uint8_t> indices = Indices(r.width, r.height, colours);
    const std::vector<std::uint8_t> file = EncodeBmp(r.width, r.height, r.bitCount, palette, indices);
    const size_t row = ((static_cast<size_t>(r.width) * static_cast<size_t>(r.bitCount) + 31) / 32) * 4;
    EXPECT_EQ(file.size(), 14 + 40 + 4 * palette.size() + row * static_cast<size_t>(r.height));
    std::string why;
    const std::optional<BmpImage> img = DecodeBmp(file, &why);
    ASSERT_TRUE(img) << why;
    EXPECT_EQ(std::tuple(img->width, img->height, img->bitCount, img->palette),
              std::tuple(r.width, r.height, r.bitCount, palette));
    for (int y = 0; y < r.height; ++y)
      for (int x = 0; x < r.width; ++x)
        ASSERT_EQ(img->At(x, y), palette[indices[static_cast<size_t>(y * r.width + x)]]) << x << "," << y;
  }
}

TEST(BmpFile, TopDownAndTrueColourFilesDecode) {
  // A 2 x 2, 24-bit, top-down file written by hand: blue-green-red byte order.
  std::vector<std::uint8_t> b = {'B', 'M', 70, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0,  // 70 bytes, pixels at 54
                                 40, 0, 0, 0, 2, 0, 0, 0, 0xFE, 0xFF, 0xFF, 0xFF, 1, 0, 24, 0};  // 2 x -2, 24 bits
  b.resize(54);
  b.insert(b.end(), {0, 0, 255, 0, 255, 0, 0, 0, /**/ 255, 0, 0, 10, 20, 30, 0, 0});
  std::optional<BmpImage> img = DecodeBmp(b, nullptr);
  ASSERT_TRUE(img);
  EXPECT_EQ(img->pixels, (std::vector<COLORREF>{RGB(255, 0, 0), RGB(0, 255, 0), RGB(0, 0, 255), RGB(30, 20, 10)}));
}

TEST(BmpFile, DamagedFilesAreRefusedWithAReasonAndEveryTruncationIsHandled) {
  const std::vector<std::uint8_t> good = EncodeBmp(9, 9, 4, kPalette16, Indices(9, 9, 16));
  struct Row {
    const char* name;
    size_t at;          // byte to change, or npos to truncate
    std::uint32_t value;
    const char* reason;
  };
  const size_t npos = static_cast<size_t>(-1);
  const Row rows[] = {
      {"signature", 0, 'X', "signature"},
      {"info header size", 14, 12, "info header"},
      {"zero width", 18, 0, "dimensions"},
      {"huge height", 22, 0x7FFFFFFF, "dimensions"},
      {"two planes", 26, 2, "planes"},
      {"16 bits", 28, 16, "bit count"},
      {"compressed", 30, 2, "compressed"},
      {"palette too large", 46, 17, "palette larger"},
      {"index outside a short palette", 46, 2, "outside the palette"},  // two entries, indexes up to 15
      {"pixels beyond the end", 10, 0xFFFFFF00, "past the end"},
      {"truncated", npos, 100, "past the end"},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    std::vector<std::uint8_t> b = good;
    if (r.at == npos) {
      b.resize(r.value);
    } else if (r.at == 0 || r.at == 26 || r.at == 28) {
      b[r.at] = static_cast<std::uint8_t>(r.value);
    } else {
      Put32(b, r.at, r.value);
    }
    std::string why;
    EXPECT_FALSE(DecodeBmp(b, &why));
    EXPECT_NE(why.find(r.reason), std::string::npos) << why;
  }
  // Every truncation of a good file.
  const std::vector<std::uint8_t> larger = EncodeBmp(17, 17, 4, kPalette16, Indices(17, 17, 16));
  for (size_t n = 0; n < larger.size(); ++n) {
    std::vector<std::uint8_t> cut(larger.begin(), larger.begin() + static_cast<std::ptrdiff_t>(n));
    EXPECT_FALSE(DecodeBmp(cut, nullptr)) << n << " bytes";
  }
  EXPECT_TRUE(DecodeBmp(larger, nullptr));
}

TEST(BmpFile, EncoderRefusesWhatItCannotWrite) {
  EXPECT_THROW(EncodeBmp(2, 2, 24, kPalette16, Indices(2, 2, 16)), std::invalid_argument);
  EXPECT_THROW(EncodeBmp(0, 2, 4, kPalette16, {}), std::invalid_argument);
  EXPECT_THROW(EncodeBmp(2, 2, 1, kPalette16, Indices(2, 2, 2)), std::invalid_argument);  // 16 colours in 1 bit
  EXPECT_THROW(EncodeBmp(2, 2, 4, kPalette16, Indices(2, 1, 16)), std::invalid_argument);
  EXPECT_THROW(EncodeBmp(1, 1, 1, {RGB(0, 0, 0), RGB(1, 1, 1)}, {2}), std::invalid_argument);
}

}  // namespace
