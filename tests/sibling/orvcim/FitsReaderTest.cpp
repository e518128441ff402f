// FITS files of every pixel type through the reader: physical values, level windows,
// planes, undefined pixels and damaged files.
#include "sibling/orvcim/FitsReader.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <limits>

#include "FitsSamples.h"
#include "support/TempDir.h"

namespace {

using orv::test::FitsSample;
using orv::test::TempDir;
using orv::test::WriteFits;

struct KindCase {
  const char* name;
  int bitpix;
  std::vector<double> raw;
  double bscale, bzero;
  std::vector<float> physical;
};

// One row of four pixels of each kind, with and without scaling.
const KindCase kKinds[] = {
    {"8-bit", 8, {0, 1, 128, 255}, 1, 0, {0, 1, 128, 255}},
    {"16-bit", 16, {-32768, -1, 0, 32767}, 1, 0, {-32768, -1, 0, 32767}},
    {"16-bit unsigned", 16, {-32768, -1, 0, 32767}, 1, 32768, {0, 32767, 32768, 65535}},
    {"32-bit", 32, {-2147483648.0, -5, 7, 2147483647.0}, 1, 0, {-2147483648.0f, -5, 7, 2147483647.0f}},
    {"32-bit scaled", 32, {-2, 0, 3, 10}, 0.5, 100, {99, 100, 101.5, 105}},
    {"-32-bit", -32, {-1.5, 0, 3.25, 1e30}, 1, 0, {-1.5f, 0, 3.25f, 1e30f}},
    {"-64-bit", -64, {-1e300, 2.5, 1e-300, 1e300}, 1, 0,
     {-std::numeric_limits<float>::infinity(), 2.5f, 0.0f, std::numeric_limits<float>::infinity()}},
};

TEST(FitsReader, EveryPixelTypeRoundTrips) {
  TempDir folder;
  for (const KindCase& k : kKinds) {
    FitsSample s;
    s.bitpix = k.bitpix;
    s.width = 4;
    s.raw = k.raw;
    s.bscale = k.bscale;
    s.bzero = k.bzero;
    s.writeScale = true;
    std::string path = folder.File("kind.fits");
    ASSERT_EQ(WriteFits(path, s), 0) << k.name;
    CString error;
    auto image = CFitsReader::Read(CString(path.c_str()), &error);
    ASSERT_NE(image, nullptr) << k.name << ": " << error;
    EXPECT_EQ(image->GetWidth(), 4);
    EXPECT_EQ(image->GetHeight(), 1);
    EXPECT_EQ(image->GetPlanes(), 1);
    EXPECT_FALSE(image->IsColor());
    EXPECT_EQ(image->GetBitsPixel(), -32);
    EXPECT_EQ(image->GetOrgBitsPixel(), k.bitpix);
    EXPECT_STREQ(image->GetOrgFileFormat(), L"FITS");
    float lo = std::numeric_limits<float>::infinity(), hi = -lo;
    for (int x = 0; x < 4; ++x) {
      float v = *image->GetImageAdr(x, 0, 0);
      EXPECT_EQ(v, k.physical[x]) << k.name << " pixel " << x;
      if (std::isfinite(k.physical[x])) {
        lo = std::min(lo, k.physical[x]);
        hi = std::max(hi, k.physical[x]);
      }
    }
    EXPECT_EQ(image->GetLevelMin(0), lo) << k.name;
    EXPECT_EQ(image->GetLevelMax(0), hi) << k.name;
    EXPECT_EQ(image->GetLevelRange(0), double(hi) - double(lo)) << k.name;

    FitsInfo info;
    ASSERT_TRUE(CFitsReader::ReadInfo(CString(path.c_str()), &info, &error));
    EXPECT_EQ(info.bitsPixel, k.bitpix);
    EXPECT_EQ(info.bscale, k.bscale);
    EXPECT_EQ(info.bzero, k.bzero);
  }
}

TEST(FitsReader, ThreePlanesAreRedGreenBlueWithTheirOwnWindows) {
  TempDir folder;
  FitsSample s;
  s.bitpix = 16;
  s.width = 2;
  s.height = 2;
  s.planes = 3;
  s.raw = {1, 2, 3, 4, /*green*/ 10, 20, 30, 40, /*blue*/ -1, -2, -3, -4};
  std::string path = folder.File("rgb.fits");
  ASSERT_EQ(WriteFits(path, s), 0);
  auto image = CFitsReader::Read(CString(path.c_str()), nullptr);
  ASSERT_NE(image, nullptr);
  EXPECT_TRUE(image->IsColor());
  EXPECT_EQ(image->GetPlanes(), 3);
  EXPECT_EQ(*image->GetImageAdr(1, 0, 0), 2.0f);  // row 0 is the file's first row
  EXPECT_EQ(*image->GetImageAdr(0, 1, 1), 30.0f);
  EXPECT_EQ(*image->GetImageAdr(1, 1, 2), -4.0f);
  EXPECT_EQ(image->GetLevelMin(1), 10.0);
  EXPECT_EQ(image->GetLevelMax(1), 40.0);
  EXPECT_EQ(image->GetLevelMin(2), -4.0);
  EXPECT_EQ(image->GetLevelMax(2), -1.0);
}

TEST(FitsReader, UndefinedPixelsAreNaNAndLeftOutOfTheWindow) {
  TempDir folder;
  FitsSample s;
  s.bitpix = 16;
  s.width = 3;
  s.raw = {5, -999, 9};
  s.blank = -999;
  s.writeBlank = true;
  std::string path = folder.File("blank.fits");
  ASSERT_EQ(WriteFits(path, s), 0);
  auto image = CFitsReader::Read(CString(path.c_str()), nullptr);
  ASSERT_NE(image, nullptr);
  EXPECT_TRUE(std::isnan(*image->GetImageAdr(1, 0, 0)));
  EXPECT_EQ(image->GetLevelMin(0), 5.0);
  EXPECT_EQ(image->GetLevelMax(0), 9.0);

  FitsSample nan;
  nan.bitpix = -32;
  nan.width = 2;
  nan.raw = {std::nan(""), std::nan("")};
  ASSERT_EQ(WriteFits(path, nan), 0);
  image = CFitsReader::Read(CString(path.c_str()), nullptr);
  ASSERT_NE(image, nullptr);
  EXPECT_EQ(image->GetLevelMin(0), 0.0);
  EXPECT_EQ(image->GetLevelMax(0), 0.0);
}

TEST(FitsReader, InfinitiesAndDenormalsStayAndRowsRunUp) {
  TempDir folder;
  const double inf = std::numeric_limits<double>::infinity();
  const float denormal = std::numeric_limits<float>::denorm_min() * 3;
  for (int bitpix : {-32, -64}) {
    FitsSample s;
    s.bitpix = bitpix;
    s.width = 3;
    s.height = 2;
    s.raw = {inf, denormal, -inf, /*second row*/ std::nan(""), 7.5, 2.0};
    std::string path = folder.File("special.fits");
    ASSERT_EQ(WriteFits(path, s), 0);
    auto image = CFitsReader::Read(CString(path.c_str()), nullptr);
    ASSERT_NE(image, nullptr);
    EXPECT_TRUE(image->IsBottomUp());
    EXPECT_EQ(*image->GetImageAdr(0, 0, 0), std::numeric_limits<float>::infinity()) << bitpix;
    EXPECT_EQ(*image->GetImageAdr(1, 0, 0), denormal) << bitpix;
    EXPECT_EQ(*image->GetImageAdr(2, 0, 0), -std::numeric_limits<float>::infinity()) << bitpix;
    EXPECT_TRUE(std::isnan(*image->GetImageAdr(0, 1, 0))) << bitpix;
    EXPECT_EQ(*image->GetImageAdr(1, 1, 0), 7.5f) << bitpix;  // the file's second row
    // The window spans the finite pixels, the denormal one its true minimum; +Inf renders 255.
    EXPECT_EQ(image->GetLevelMin(0), static_cast<double>(denormal)) << bitpix;
    EXPECT_EQ(image->GetLevelMax(0), 7.5) << bitpix;
    EXPECT_EQ(image->GetPixelGray256(0, 0, 0), 255) << bitpix;
    EXPECT_EQ(image->GetPixelGray256(2, 0, 0), 0) << bitpix;
  }
}

TEST(FitsReader, ImageInAnExtensionAndNamesWithBrackets) {
  TempDir folder;
  FitsSample s;
  s.bitpix = 8;
  s.width = 2;
  s.raw = {3, 4};
  s.emptyPrimary = true;
  std::string path = folder.File("ext[1].fits");
  ASSERT_EQ(WriteFits(path, s), 0);
  auto image = CFitsReader::Read(CString(path.c_str()), nullptr);
  ASSERT_NE(image, nullptr);
  EXPECT_EQ(*image->GetImageAdr(1, 0, 0), 4.0f);
}

TEST(FitsReader, BadFilesGiveAMessageAndNoImage) {
  TempDir folder;
  std::string garbage = folder.File("garbage.fits");
  std::ofstream(garbage) << "SIMPLE  = this is not a FITS header";
  FitsSample twoPlanes;
  twoPlanes.planes = 2;
  std::string two = folder.File("two.fits");
  ASSERT_EQ(WriteFits(two, twoPlanes), 0);
  // A valid header whose data stops short.
  FitsSample big;
  big.width = 200;
  big.height = 200;
  std::string truncated = folder.File("truncated.fits");
  ASSERT_EQ(WriteFits(truncated, big), 0);
  std::filesystem::resize_file(truncated, 2880 + 1000);

  for (const std::string& path : {folder.File("missing.fits"), garbage, two, truncated}) {
    CString error;
    EXPECT_EQ(CFitsReader::Read(CString(path.c_str()), &error), nullptr) << path;
    EXPECT_FALSE(error.IsEmpty()) << path;
    EXPECT_NE(error.Find(CString(path.c_str())), -1) << error;
  }
}

}  // namespace
