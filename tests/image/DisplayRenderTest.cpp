// Rendering into display bitmaps: the worked values of each format, clipping, and every
// code path against the scalar rule, byte for byte.
#include "image/DisplayRender.h"

#include <gtest/gtest.h>

#include <array>
#include <bit>
#include <cmath>
#include <cstring>
#include <limits>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "image/LevelRule.h"
#include "image/ImageFixture.h"
#include "platform/gdi/DC.h"
#include "support/PixelChecks.h"

namespace {

using orv::RenderPath;
using orv::RenderSample;
using orv::test::EveryPixel;
using orv::test::FillLumImage;
using orv::test::MakeLumImage;

constexpr float kInf = std::numeric_limits<float>::infinity();
const float kNaN = std::numeric_limits<float>::quiet_NaN();

std::vector<RenderPath> AllPaths() {
  std::vector<RenderPath> paths = {RenderPath::Scalar, RenderPath::Sse2};
  if (orv::IsRenderPathSupported(RenderPath::Avx2)) paths.push_back(RenderPath::Avx2);
  return paths;
}

const char* PathName(RenderPath p) { return std::array{"scalar", "sse2", "avx2"}.at(static_cast<std::size_t>(p)); }

// A memory bitmap of the given size whose bytes start as a sentinel.
std::unique_ptr<CMemoryDIB> MakeDib(int width, int height, int bits, BYTE fill = 0xA5) {
  auto dib = std::make_unique<CMemoryDIB>();
  EXPECT_TRUE(dib->Create(width, height, bits));
  std::memset(dib->GetBits(), fill, static_cast<std::size_t>(dib->GetBytesPerRow()) * height);
  return dib;
}

std::vector<BYTE> Bytes(const BYTE* p, std::size_t n) { return {p, p + n}; }
std::vector<BYTE> Bytes(CMemoryDIB& dib) {
  return Bytes(dib.GetBits(), static_cast<std::size_t>(dib.GetBytesPerRow()) * dib.GetHeight());
}

WORD Word(const BYTE* p) { return static_cast<WORD>(p[0] | (p[1] << 8)); }

class EveryPath : public testing::TestWithParam<RenderPath> {
protected:
  std::unique_ptr<CMemoryDIB> Render(const CLumImage& image, int width, int height, int bits, BYTE fill = 0xA5,
                                     const CRect* area = nullptr) {
    auto dib = MakeDib(width, height, bits, fill);
    RenderSample(image, dib.get(), area, GetParam());
    return dib;
  }
};

TEST_P(EveryPath, GreyLevelsAndColourIndexesAtEightBits) {
  auto grey = MakeLumImage(5, 1, 1, {0.0f, 100.0f, 50.0f, -5.0f, 1000.0f});
  grey->SetLevel(0, 0.0, 100.0);
  EXPECT_EQ(Bytes(Render(*grey, 5, 1, 8)->GetImageAdr8(0, 0), 5), (std::vector<BYTE>{0, 255, 127, 0, 255}));
  // Columns: all full, pure red, pure green, pure blue.
  auto colour = MakeLumImage(4, 1, 3, {1, 1, 0, 0, /*g*/ 1, 0, 1, 0, /*b*/ 1, 0, 0, 1});
  for (int p = 0; p < 3; ++p) colour->SetLevel(p, 0.0, 1.0);
  EXPECT_EQ(Bytes(Render(*colour, 4, 1, 8)->GetImageAdr8(0, 0), 4), (std::vector<BYTE>{0xFF, 0x07, 0x38, 0xC0}));
}

TEST_P(EveryPath, DitheredWordsAtSixteenBits) {
  auto image = MakeLumImage(3, 2, 1, {100, 100, 253, 100, 100, 253});
  image->SetLevel(0, 0.0, 255.0);
  auto dib = Render(*image, 3, 2, 16);
  // Levels 100 and 253; where x + y is even 4 is added (104, and 253 + 4 limited to 255).
  EXPECT_TRUE(EveryPixel(3, 2, [&](int x, int y) { return Word(dib->GetImageAdr16(x, y)); },
                         [](int x, int y) { return WORD(x == 2 ? 0x7FFF : (x + y) % 2 == 0 ? 0x35AD : 0x318C); }));
}

TEST_P(EveryPath, TwentyFourBitsAreBlueGreenRedAndThirtyTwoBitsKeepTheFourthByte) {
  auto red = MakeLumImage(1, 1, 3, {1, 0, 0});
  for (int p = 0; p < 3; ++p) red->SetLevel(p, 0.0, 1.0);
  // The fourth byte is row padding, left untouched.
  EXPECT_EQ(Bytes(Render(*red, 1, 1, 24)->GetImageAdr24(0, 0), 4), (std::vector<BYTE>{0, 0, 255, 0xA5}));
  auto image = MakeLumImage(20, 1, 1);
  image->SetLevel(0, 0.0, 255.0);
  FillLumImage(*image, [](int x, int, int) { return float(x * 10); });
  std::vector<BYTE> want;
  for (int x = 0; x < 20; ++x) want.insert(want.end(), {BYTE(x * 10), BYTE(x * 10), BYTE(x * 10), 0x77});
  EXPECT_EQ(Bytes(*Render(*image, 20, 1, 32, 0x77)), want);
}

TEST_P(EveryPath, AreaIsClippedToTheBitmapAndABitmapLargerThanTheSampleGetsOnlyTheSharedPart) {
  auto image = MakeLumImage(100, 100, 1);
  image->SetLevel(0, -1.0, 0.0);  // every stored 0 is at the maximum: 255
  const CRect area(-10, -10, 5, 5);
  auto dib = Render(*image, 100, 100, 8, 0, &area);
  EXPECT_TRUE(EveryPixel(100, 100, [&](int x, int y) { return int{*dib->GetImageAdr8(x, y)}; },
                         [](int x, int y) { return (x < 5 && y < 5) ? 255 : 0; }));
  auto small = MakeLumImage(3, 2, 1);
  small->SetLevel(0, -1.0, 0.0);
  const CRect all(0, 0, 40, 5);
  dib = Render(*small, 40, 5, 32, 0x11, &all);
  EXPECT_TRUE(EveryPixel(40, 5, [&](int x, int y) { return int{dib->GetImageAdr32(x, y)[0]}; },
                         [](int x, int y) { return (x < 3 && y < 2) ? 255 : 0x11; }));
}

TEST_P(EveryPath, EmptyAreasAndUnreadyBitmapsWriteNothingAndAreasPastTheRightEdgeTheLastColumn) {
  auto image = MakeLumImage(8, 8, 1);
  image->SetLevel(0, -1.0, 0.0);  // every stored 0 is at the maximum: 255
  for (CRect area : {CRect(5, 0, 5, 8), CRect(6, 6, 2, 2), CRect(0, 5, 8, 5)})
    EXPECT_EQ(Bytes(*Render(*image, 8, 8, 8, 0, &area)), std::vector<BYTE>(64, 0)) << area.left << "," << area.top;
  CMemoryDIB unready;
  RenderSample(*image, &unready, nullptr, GetParam());
  EXPECT_FALSE(unready.IsReady());
  // An area past the right edge: its left edge is limited to the last column, which is still written.
  const CRect beyond(200, 0, 300, 2);
  auto dib = Render(*image, 8, 2, 8, 0, &beyond);
  for (int x = 0; x < 8; ++x) EXPECT_EQ(*dib->GetImageAdr8(x, 1), x == 7 ? 255 : 0);
}

TEST_P(EveryPath, PagedBitmapRowsRunTopDownAndAnEightBitContextShowsTheRenderedAreaOnly) {
  auto diagonal = MakeLumImage(2, 2, 1, {0, 1, 1, 0});
  diagonal->SetLevel(0, 0.0, 1.0);
  CVmDIB paged;
  ASSERT_TRUE(paged.Create(nullptr, 2, 2, 24));
  RenderSample(*diagonal, &paged, nullptr, GetParam());
  EXPECT_EQ(Bytes(paged.GetImageAdr(0, 0, 0, 1), 6), (std::vector<BYTE>{0, 0, 0, 255, 255, 255}));
  EXPECT_EQ(Bytes(paged.GetImageAdr(0, 1, 0, 1), 6), (std::vector<BYTE>{255, 255, 255, 0, 0, 0}));

  auto image = MakeLumImage(4, 2, 1, {10, 20, 30, 40, 50, 60, 70, 80});
  image->SetLevel(0, 0.0, 255.0);
  auto dib = MakeDib(4, 2, 8, 0);
  CDC* dc = dib->GetDC();
  dc->FillSolidRect(0, 0, 4, 2, RGB(1, 2, 3));
  const CRect area(1, 0, 3, 2);
  RenderSample(*image, dib.get(), &area, GetParam());
  const COLORREF kept = RGB(1, 2, 3);
  EXPECT_EQ((std::vector<COLORREF>{dc->GetPixel(0, 0), dc->GetPixel(1, 0), dc->GetPixel(2, 1), dc->GetPixel(3, 1)}),
            (std::vector<COLORREF>{kept, RGB(20, 20, 20), RGB(70, 70, 70), kept}));
}

INSTANTIATE_TEST_SUITE_P(Paths, EveryPath, testing::ValuesIn(AllPaths()),
                         [](const testing::TestParamInfo<RenderPath>& info) { return PathName(info.param); });

// The scalar path against the level rule itself, including the defined results for NaN and
// infinite products.
TEST(ScalarRule, SpecialValues) {
  struct Row {
    float v, fmin, fmax, scale;
    BYTE level;
  } rows[] = {
      {100.0f, 100.0f, 200.0f, 2.55f, 0}, {200.0f, 100.0f, 200.0f, 2.55f, 255}, {150.0f, 100.0f, 200.0f, 2.55f, 127},
      {kNaN, 100.0f, 200.0f, 2.55f, 0}, {kInf, 100.0f, 200.0f, 2.55f, 255}, {-kInf, 100.0f, 200.0f, 2.55f, 0},
      {5.0f, 5.0f, 5.0f, kInf, 0}, {6.0f, 5.0f, 5.0f, kInf, 255},  // zero-width window: at or below the minimum wins
      {5.5f, 6.0f, 5.0f, -255.0f, 0}, {6.5f, 6.0f, 5.0f, -255.0f, 255},  // inverted
      {1.0f, 0.0f, 2.0f, kInf, 255},          // infinite scale
      {3e38f, -3e38f, kInf, 1e-30f, 255},     // v - fmin overflows to infinity
      {1e-45f, 0.0f, 1e-44f, 1e38f, 0},       // denormals: the product is below 1
      {5e-39f, 0.0f, 1e-38f, 2.55e38f, 1},   // a denormal difference: 5e-39 x 2.55e38 = 1.275
      {kNaN, kNaN, kNaN, kNaN, 0}, {1.0f, kNaN, 2.0f, 1.0f, 0},
  };
  for (const Row& r : rows)
    EXPECT_EQ(orv::level::FloatRule(r.v, r.fmin, r.fmax, r.scale), r.level)
        << r.v << " in " << r.fmin << " ... " << r.fmax << " x " << r.scale;
}

// Values that sit on and around every boundary of the rule.
std::vector<float> SpecialValues(float fmin, float fmax) {
  using Limits = std::numeric_limits<float>;
  return {fmin, fmax, std::nextafter(fmin, -kInf), std::nextafter(fmin, kInf), std::nextafter(fmax, -kInf),
          std::nextafter(fmax, kInf), kNaN, -kNaN, kInf, -kInf, 0.0f, -0.0f, Limits::denorm_min(),
          -Limits::denorm_min(), Limits::max(), Limits::lowest(), Limits::min(), (fmin + fmax) / 2};
}

// Windows (min, max): ordinary, narrow, zero-width, inverted, near the float limits, denormal, huge.
const std::pair<double, double> kWindows[] = {
    {100.0, 200.0}, {0.0, 1.0}, {-1.0, 1.0}, {5.0, 5.0}, {7.0, 3.0}, {0.0, 1e-40}, {-3e38, 3e38},
    {3.3e38, 3.4e38}, {-1e300, 1e300}, {0.0, 1e300}, {1e300, 1e301}, {1.0, 1.0 + 1e-7}, {0.0, 65535.0},
    {-0.0, 0.0},
};

// Renders with every path, in each format, and compares with the scalar path.
void ExpectSameAsScalar(const CLumImage& image, const std::string& what, const CRect* area = nullptr) {
  const int w = image.GetWidth(), h = image.GetHeight();
  for (int bits : {8, 16, 24, 32}) {
    auto reference = MakeDib(w, h, bits);
    RenderSample(image, reference.get(), area, RenderPath::Scalar);
    for (RenderPath path : AllPaths()) {
      auto dib = MakeDib(w, h, bits);
      RenderSample(image, dib.get(), area, path);
      ASSERT_EQ(Bytes(*dib), Bytes(*reference)) << what << " at " << bits << " bits, path " << PathName(path);
      CVmDIB vm;
      ASSERT_TRUE(vm.Create(nullptr, w, h, bits));
      const std::size_t rowBytes = static_cast<std::size_t>(w) * bits / 8;
      for (int y = 0; y < h; ++y) std::memset(vm.GetImageAdr(0, y, 0, 0), 0xA5, rowBytes);
      RenderSample(image, &vm, area, path);
      for (int y = 0; y < h; ++y)
        ASSERT_EQ(std::memcmp(vm.GetImageAdr(0, y, 0, 1), reference->GetImageAdr8(0, y), rowBytes), 0)
            << what << " (paged bitmap) at " << bits << " bits, path " << PathName(path) << ", row " << y;
    }
  }
}

TEST(EveryPathMatchesScalar, SpecialValuesInEveryWindowAndFormat) {
  for (const auto& [min, max] : kWindows) {
    const orv::level::FloatWindow fw = orv::level::MakeFloatWindow(min, max, max - min);
    const std::vector<float> values = SpecialValues(fw.fmin, fw.fmax);
    for (int planes : {1, 3}) {
      auto image = MakeLumImage(67, 3, planes);  // a width that leaves a tail after every vector step
      for (int p = 0; p < planes; ++p) image->SetLevel(p, min, max);
      FillLumImage(*image, [&](int x, int y, int p) { return values[(x * 7 + y * 3 + p * 5) % values.size()]; });
      ExpectSameAsScalar(*image, "window " + std::to_string(min) + " ... " + std::to_string(max) +
                                     (planes == 3 ? " colour" : " grey"));
    }
  }
}

TEST(EveryPathMatchesScalar, RandomData) {
  std::mt19937 rng(12345);
  std::uniform_real_distribution<float> around(-50.0f, 300.0f);
  std::uniform_int_distribution<std::uint32_t> bitsOf;
  for (int round = 0; round < 6; ++round) {
    const int width = 97 + round * 13;
    for (int planes : {1, 3}) {
      auto image = MakeLumImage(width, 5, planes);
      for (int p = 0; p < planes; ++p) image->SetLevel(p, 10.0 * p + round, 200.0 + 17.0 * p);
      // Odd rounds take any bit pattern: NaNs, infinities, denormals.
      FillLumImage(*image,
                   [&](int, int, int) { return round % 2 == 0 ? around(rng) : std::bit_cast<float>(bitsOf(rng)); });
      ExpectSameAsScalar(*image, "random round " + std::to_string(round));
    }
  }
}

TEST(EveryPathMatchesScalar, AreasStartingAtOddColumns) {
  auto image = MakeLumImage(80, 6, 3);
  std::mt19937 rng(7);
  std::uniform_real_distribution<float> d(0.0f, 1.0f);
  for (int p = 0; p < 3; ++p) image->SetLevel(p, 0.1, 0.9);
  FillLumImage(*image, [&](int, int, int) { return d(rng); });
  for (CRect area : {CRect(1, 1, 80, 6), CRect(3, 0, 70, 5), CRect(17, 2, 18, 3)})
    ExpectSameAsScalar(*image, "area left " + std::to_string(area.left), &area);
}

}  // namespace
