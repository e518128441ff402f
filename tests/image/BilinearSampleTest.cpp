// The bilinear sample: exact at integral points, weighted between them, and never reading
// outside the image.
#include <gtest/gtest.h>

#include "image/ImageFixture.h"

namespace {

using orv::test::MakeLumImage;

// A 4 x 6 plane (plane 1 of two) whose pixel (x, y) holds 10 x + y.
std::unique_ptr<CLumImage> Ramp() {
  auto image = MakeLumImage(4, 6, 2);
  orv::test::FillLumImage(*image, [](int x, int y, int p) { return p == 1 ? float(10 * x + y) : 0.0f; });
  return image;
}

TEST(BilinearSample, PointsOfAPlaneAndOfImagesOnePixelWideOrHigh) {
  auto image = Ramp();
  struct Row {
    double x, y;
    float expected;
  } rows[] = {
      {3.0, 5.0, 35.0f},    // the last pixel, exactly
      {1.5, 2.0, 17.0f},
      {1.0, 2.25, 12.25f},
      {1.5, 2.5, 17.5f},
      {3.5, 2.0, 32.0f},    // past the last column: the last column with full weight
      {9.0, 9.0, 35.0f},
      {2.5, 5.0, 30.0f},    // on the last row
      {0.0, 0.0, 0.0f},
      {-3.0, 1.0, 1.0f},    // negative coordinates sample the first column or row
      {1.0, -0.5, 10.0f},
  };
  for (const Row& r : rows) EXPECT_FLOAT_EQ(image->GetPixelGrayRaw(r.x, r.y, 1), r.expected) << r.x << "," << r.y;

  // Images one pixel wide or high, and an empty one.
  auto column = MakeLumImage(1, 3, 1, {1.0f, 2.0f, 4.0f});
  EXPECT_FLOAT_EQ(column->GetPixelGrayRaw(0.0, 1.5, 0), 3.0f);
  EXPECT_FLOAT_EQ(column->GetPixelGrayRaw(5.0, 1.0, 0), 2.0f);
  EXPECT_FLOAT_EQ(column->GetPixelGrayRaw(0.5, 2.0, 0), 4.0f);
  auto row = MakeLumImage(3, 1, 1, {1.0f, 2.0f, 4.0f});
  EXPECT_FLOAT_EQ(row->GetPixelGrayRaw(1.5, 0.0, 0), 3.0f);
  EXPECT_FLOAT_EQ(row->GetPixelGrayRaw(1.5, 0.75, 0), 3.0f);
  auto single = MakeLumImage(1, 1, 1, {9.0f});
  EXPECT_FLOAT_EQ(single->GetPixelGrayRaw(0.4, 0.6, 0), 9.0f);
  CLumImage empty;
  EXPECT_EQ(empty.GetPixelGrayRaw(0.5, 0.5, 0), 0.0f);
}

TEST(BilinearSample, InterpolatedByteRead) {
  auto image = MakeLumImage(2, 1, 1, {100.0f, 200.0f});
  image->SetLevel(0, 100.0, 200.0);
  EXPECT_EQ(image->GetPixelGray256(0.5, 0.0, 0), 127);
  image->SetLevel(0, 120.0, 180.0);
  EXPECT_EQ(image->GetPixelGray256(0.1, 0.0, 0), 0);    // 110: below the window
  EXPECT_EQ(image->GetPixelGray256(0.9, 0.0, 0), 255);  // 190: above it
}

}  // namespace
