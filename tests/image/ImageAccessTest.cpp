// Header accessors, geometry, addresses and physical values of images.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <tuple>
#include <vector>

#include "image/ImageFixture.h"
#include "sibling/orvcim/Image.h"

namespace {

using orv::test::MakeLumImage;

TEST(ImageGeometry, BytesPerPixelAndSizes) {
  struct Row {
    int bits, bytes;
  } rows[] = {{8, 1}, {16, 2}, {32, 4}, {-32, 4}, {-64, 8}};
  for (const Row& r : rows) {
    CImage image(r.bits, 5, 4, 3);
    EXPECT_EQ(std::tuple(image.GetBytesPixel(), image.GetPixelCount(), image.GetImageSize()),
              std::tuple(r.bytes, 60u, 60u * r.bytes))
        << r.bits;
    BYTE* p = image.GetImageAdr(1, 2, 1);
    EXPECT_EQ(std::tuple(image.GetNextAdr(p), image.GetPrevAdr(p), image.GetImageAdr(2, 2, 1)),
              std::tuple(p + r.bytes, p - r.bytes, p + r.bytes));  // pixels of a row are contiguous
  }
}

TEST(PhysicalValue, EveryPixelTypeAndSignedness) {
  struct Row {
    int bits;
    BOOL isSigned;
    std::uint64_t raw;  // the stored bits, little-endian
    double stored;      // the value they stand for
  } rows[] = {
      {8, TRUE, 0xFF, 255.0},  // bytes are unsigned whatever the flag says
      {8, FALSE, 0x80, 128.0},
      {16, TRUE, 0xFFFF, -1.0},
      {16, FALSE, 0xFFFF, 65535.0},
      {16, TRUE, 0x7FFF, 32767.0},
      {32, TRUE, 0xFFFFFFFF, -1.0},
      {32, FALSE, 0xFFFFFFFF, 4294967295.0},
      {32, TRUE, 0x80000000, -2147483648.0},
      {-32, TRUE, 0x3FC00000, 1.5},
      {-64, TRUE, 0x4002000000000000, 2.25},
  };
  for (const Row& r : rows) {
    CImage image(r.bits, 2, 2, 2, 2.0, 10.0, r.isSigned);
    std::memcpy(image.GetImageAdr(1, 1, 1, 0), &r.raw, image.GetBytesPixel());
    EXPECT_DOUBLE_EQ(image.GetPixel(1, 1, 1), 2.0 * r.stored + 10.0) << r.bits << (r.isSigned ? " signed" : " unsigned");
    EXPECT_DOUBLE_EQ(image.GetPixel(image.GetImageAdr(1, 1, 1)), 2.0 * r.stored + 10.0);
  }
  CImage odd(12, 2, 2, 1, 2.0, 10.0);
  EXPECT_EQ(odd.GetPixel(0, 0, 0), 0.0);
}

TEST(LumImageCopy, CopiesPixelsLevelsAndPoints) {
  auto image = MakeLumImage(3, 2, 3, {1, 2, 3, 4, 5, 6});
  image->SetLevel(2, -1.0, 9.0);
  image->SetPoint(0, CfPoint(1.5, 2.5));
  image->SetPoint(1, CfPoint(-3.25, 4.0));
  image->SetSinglePoint(CfPoint(7.75, 8.0));
  image->GetHeader()->SetCameraModel(L"X");

  CLumImage copy(*image);
  *image->GetImageAdr(0, 0, 0, 0) = 100.0f;  // the copy owns its own pixels
  image->GetHeader()->SetCameraModel(L"Y");
  EXPECT_EQ(std::tuple(*copy.GetImageAdr(0, 0, 0), *copy.GetImageAdr(2, 1, 0), copy.GetLevelRange(2)),
            std::tuple(1.0f, 6.0f, 10.0));
  EXPECT_EQ(std::tuple(copy.GetPoint(1).fx, copy.GetPoint(1).x, copy.GetSinglePoint().fx), std::tuple(-3.25, -3, 7.75));
  EXPECT_STREQ(copy.GetHeader()->GetCameraModel(), L"X");

  CLumImage assigned;
  assigned = copy;
  EXPECT_EQ(std::tuple(assigned.GetWidth(), *assigned.GetImageAdr(1, 0, 0), assigned.GetPoint(0).fy,
                       assigned.GetSinglePoint().fy),
            std::tuple(3, 2.0f, 2.5, 8.0));
  EXPECT_NE(assigned.GetImageAdr(0, 0, 0), copy.GetImageAdr(0, 0, 0));
}

}  // namespace
