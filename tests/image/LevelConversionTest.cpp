// Level conversions and brightness through a plane's level window.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <tuple>

#include "image/ImageFixture.h"

namespace {

using orv::test::MakeLumImage;
const float kNaN = std::numeric_limits<float>::quiet_NaN();
constexpr float kInf = std::numeric_limits<float>::infinity();

// Window 100 ... 200 on plane 0, with 100, 200, 150, 50 and 1000 stored in row 0.
std::unique_ptr<CLumImage> Window100To200() {
  auto image = MakeLumImage(6, 1, 1, {100.0f, 200.0f, 150.0f, 50.0f, 1000.0f, kNaN});
  image->SetLevel(0, 100.0, 200.0);
  return image;
}

TEST(ByteReads, WindowEndsAndTheTwoRoundingsOfTheMiddleWithTiesToEven) {
  auto image = Window100To200();
  const float* q = image->GetImageAdr(0, 0, 0);
  struct Row {
    int x;
    BYTE truncated, rounded;
  } rows[] = {{0, 0, 0}, {1, 255, 255}, {2, 127, 128}, {3, 0, 0}, {4, 255, 255}, {5, 0, 0}};
  const CImage& base = *image;
  for (const Row& r : rows) {
    EXPECT_EQ(image->GetPixelGray256(r.x, 0, 0), r.truncated) << "x " << r.x;
    EXPECT_EQ(image->GetPixelGray256(q + r.x, 0), r.truncated) << "x " << r.x;
    EXPECT_EQ(base.GetPixelGray256(q + r.x, 0), r.rounded) << "x " << r.x;
    EXPECT_EQ(image->GetPixelGray256(q + r.x, 100.0f, 200.0f, float(255.0 / 100.0)), r.truncated) << "x " << r.x;
  }
  // Rounded ties go to the even level.
  auto ties = MakeLumImage(2, 1, 1, {126.5f, 127.5f});  // levels 126.5 and 127.5 in a window 0 ... 255
  ties->SetLevel(0, 0.0, 255.0);
  const float* t = ties->GetImageAdr(0, 0, 0);
  const CImage& tied = *ties;  // the rounding reads
  EXPECT_EQ(std::pair(tied.GetPixelGray256(t, 0), tied.GetPixelGray256(t + 1, 0)), std::pair(BYTE{126}, BYTE{128}));
}

TEST(ByteReads, ZeroWidthInvertedAndInfiniteWindowsNeverDivideAndGiveDefinedBytes) {
  auto image = MakeLumImage(3, 1, 3, {4.0f, 5.0f, 6.0f, /**/ 4.0f, 5.0f, 6.0f, /**/ 0.0f, kInf, -kInf});
  image->SetLevel(0, 5.0, 5.0);
  image->SetLevel(1, 6.0, 4.0);
  image->SetLevel(2, -HUGE_VAL, HUGE_VAL);  // (v - min) / range is NaN for finite v
  std::vector<int> levels;
  for (int p = 0; p < 3; ++p)
    for (int x = 0; x < 3; ++x) levels.push_back(image->GetPixelGray256(x, 0, p));
  EXPECT_EQ(levels, (std::vector<int>{0, 0, 255, 0, 0, 0, 0, 255, 0}));
}

TEST(UnclampedLevels, OutsideTheWindowPassUnchangedAndToRawUndoesTo256) {
  auto image = Window100To200();
  const float* q = image->GetImageAdr(0, 0, 0);
  EXPECT_FLOAT_EQ(image->To256(50.0f, 0), -127.5f);
  EXPECT_FLOAT_EQ(image->To256(300.0f, 0), 510.0f);
  EXPECT_FLOAT_EQ(image->GetPixelGray256f(3, 0, 0), -127.5f);
  EXPECT_FLOAT_EQ(image->GetPixelGray256f(q + 4, 0), 2295.0f);
  EXPECT_FLOAT_EQ(image->GetPixelGray256f(q + 2, 100.0f, 2.55f), (150.0f - 100.0f) * 2.55f);
  EXPECT_TRUE(std::isnan(image->GetPixelGray256f(q + 5, 0)));

  // ToRaw undoes To256.
  auto other = MakeLumImage(1, 1, 1);
  other->SetLevel(0, -12.5, 3000.25);
  for (float v : {-12.5f, 0.0f, 1.0f, 1234.5f, 3000.25f, 5000.0f}) {
    EXPECT_NEAR(other->ToRaw(other->To256(v, 0), 0), v, std::fabs(v) * 1e-6 + 1e-3) << v;
    EXPECT_NEAR(other->ToRaw(double(other->To256(v, 0)), 0), v, std::fabs(v) * 1e-6 + 1e-3) << v;
  }
  EXPECT_DOUBLE_EQ(other->ToRaw(255.0, 0), 3000.25);
  float stored = 0.0f;
  other->SetPixelGray256f(&stored, 255.0f, 0);
  EXPECT_EQ(stored, 3000.25f);
}

TEST(Brightness, WeightsPlaneZeroUnitsAndTwoPlaneImagesReadAsGrey) {
  auto color = MakeLumImage(1, 1, 3, {10.0f, 20.0f, 30.0f});
  color->SetLevel(0, 0.0, 100.0);   // R level 25.5
  color->SetLevel(1, 0.0, 40.0);    // G level 127.5
  color->SetLevel(2, 30.0, 60.0);   // B level 0
  const float expected = float(0.587 * 127.5 + 0.299 * 25.5 + 0.114 * 0.0);
  EXPECT_EQ(color->GetPixelBright256f(0, 0), expected);
  const float* r = color->GetImageAdr(0, 0, 0);
  const float* g = color->GetImageAdr(0, 0, 1);
  const float* b = color->GetImageAdr(0, 0, 2);
  EXPECT_EQ(color->GetPixelBright256f(r, g, b), expected);
  EXPECT_EQ(color->GetPixelBrightRaw(r, g, b), float(double(expected) / 255.0 * 100.0 + 0.0));

  auto grey = MakeLumImage(1, 1, 1, {75.0f});
  grey->SetLevel(0, 50.0, 100.0);
  const float* p = grey->GetImageAdr(0, 0, 0);
  EXPECT_EQ(std::tuple(grey->GetPixelBright256f(0, 0), grey->GetPixelBright256f(p, nullptr, nullptr),
                       grey->GetPixelBrightRaw(p, nullptr, nullptr)),
            std::tuple(127.5f, 127.5f, 75.0f));

  // Dimension 3 but no third plane: plane 0 only, nothing read beyond the planes.
  auto two = MakeLumImage(1, 1, 2, {51.0f, 0.0f});
  two->SetLevel(0, 0.0, 255.0);
  EXPECT_EQ(two->GetPixelBright256f(0, 0), 51.0f);
}

}  // namespace
