// FITS files of every pixel type through the reader: physical values, level windows,
// planes, undefined pixels and damaged files.
#include "sibling/orvcim/FitsReader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <limits>
#include <tuple>

#include "FitsSamples.h"
#include "support/TempDir.h"

namespace {

using orv::test::FitsSample;
using orv::test::TempDir;
using orv::test::WriteFits;

// One row of four pixels of each kind, with and without scaling.
const struct KindCase {
  const char* name;
  int bitpix;
  std::vector<double> raw;
  double bscale, bzero;
  std::vector<float> physical;
} kKinds[] = {
    {"8-bit", 8, {0, 1, 128, 255}, 1, 0, {0, 1, 128, 255}},
    {"16-bit", 16, {-32768, -1, 0, 32767}, 1, 0, {-32768, -1, 0, 32767}},
    {"16-bit unsigned", 16, {-32768, -1, 0, 32767}, 1, 32768, {0, 32767, 32768, 65535}},
    {"32-bit", 32, {-2147483648.0, -5, 7, 2147483647.0}, 1, 0, {-2147483648.0f, -5, 7, 2147483647.0f}},
    {"32-bit scaled", 32, {-2, 0, 3, 10}, 0.5, 100, {99, 100, 101.5, 105}},
    {"-32-bit", -32, {-1.5, 0, 3.25, 1e30}, 1, 0, {-1.5f, 0, 3.25f, 1e30f}},
    {"-64-bit", -64, {-1e300, 2.5, 1e-300, 1e300}, 1, 0,
     {-std::numeric_limits<float>::infinity(), 2.5f, 0.0f, std::numeric_limits<float>::infinity()}},
};

std::unique_ptr<CLumImage> WriteAndRead(const TempDir& folder, const FitsSample& s, const char* name = "sample.fits") {
  const std::string path = folder.File(name);
  EXPECT_EQ(WriteFits(path, s), 0);
  return CFitsReader::Read(CString(path.c_str()), nullptr);
}

TEST(FitsReader, EveryPixelTypeRoundTrips) {
  TempDir folder;
  for (const KindCase& k : kKinds) {
    const FitsSample s{.bitpix = k.bitpix, .width = 4, .raw = k.raw, .bscale = k.bscale, .bzero = k.bzero,
                       .writeScale = true};
    std::string path = folder.File("kind.fits");
    ASSERT_EQ(WriteFits(path, s), 0) << k.name;
    CString error;
    auto image = CFitsReader::Read(CString(path.c_str()), &error);
    ASSERT_NE(image, nullptr) << k.name << ": " << error;
    EXPECT_EQ(std::tuple(image->GetWidth(), image->GetHeight(), image->GetPlanes(), image->IsColor() != 0,
                         image->GetBitsPixel(), image->GetOrgBitsPixel()),
              std::tuple(4, 1, 1, false, -32, k.bitpix));
    EXPECT_STREQ(image->GetOrgFileFormat(), L"FITS");
    const float* row = image->GetImageAdr(0, 0, 0);
    EXPECT_EQ(std::vector<float>(row, row + 4), k.physical) << k.name;
    std::vector<float> finite;  // the window spans these
    std::ranges::copy_if(k.physical, std::back_inserter(finite), [](float v) { return std::isfinite(v); });
    const auto [lo, hi] = std::ranges::minmax(finite);
    EXPECT_EQ(std::tuple(image->GetLevelMin(0), image->GetLevelMax(0), image->GetLevelRange(0)),
              std::tuple(double(lo), double(hi), double(hi) - double(lo)))
        << k.name;

    FitsInfo info;
    ASSERT_TRUE(CFitsReader::ReadInfo(CString(path.c_str()), &info, &error));
    EXPECT_EQ(std::tuple(info.bitsPixel, info.bscale, info.bzero), std::tuple(k.bitpix, k.bscale, k.bzero)) << k.name;
  }
}

TEST(FitsReader, ThreePlanesAreRedGreenBlueWithTheirOwnWindowsAndExtensionsAreRead) {
  TempDir folder;
  auto image = WriteAndRead(folder, {.bitpix = 16, .width = 2, .height = 2, .planes = 3,
                                     .raw = {1, 2, 3, 4, /*green*/ 10, 20, 30, 40, /*blue*/ -1, -2, -3, -4}});
  ASSERT_NE(image, nullptr);
  // Row 0 is the file's first row.
  EXPECT_EQ(std::tuple(image->IsColor() != 0, image->GetPlanes(), *image->GetImageAdr(1, 0, 0),
                       *image->GetImageAdr(0, 1, 1), *image->GetImageAdr(1, 1, 2)),
            std::tuple(true, 3, 2.0f, 30.0f, -4.0f));
  EXPECT_EQ(std::tuple(image->GetLevelMin(1), image->GetLevelMax(1), image->GetLevelMin(2), image->GetLevelMax(2)),
            std::tuple(10.0, 40.0, -4.0, -1.0));
  // An image in an extension, in a file whose name has brackets.
  image = WriteAndRead(folder, {.bitpix = 8, .width = 2, .raw = {3, 4}, .emptyPrimary = true}, "ext[1].fits");
  ASSERT_NE(image, nullptr);
  EXPECT_EQ(*image->GetImageAdr(1, 0, 0), 4.0f);
}

TEST(FitsReader, UndefinedPixelsAreNaNAndLeftOutOfTheWindowInfinitiesAndDenormalsStay) {
  TempDir folder;
  auto image = WriteAndRead(folder, {.bitpix = 16, .width = 3, .raw = {5, -999, 9}, .blank = -999, .writeBlank = true});
  ASSERT_NE(image, nullptr);
  EXPECT_TRUE(std::isnan(*image->GetImageAdr(1, 0, 0)));
  EXPECT_EQ(std::pair(image->GetLevelMin(0), image->GetLevelMax(0)), std::pair(5.0, 9.0));

  image = WriteAndRead(folder, {.bitpix = -32, .width = 2, .raw = {std::nan(""), std::nan("")}});
  ASSERT_NE(image, nullptr);
  EXPECT_EQ(std::pair(image->GetLevelMin(0), image->GetLevelMax(0)), std::pair(0.0, 0.0));

  // Infinities and denormals stay; rows run up.
  const double inf = std::numeric_limits<double>::infinity();
  const float denormal = std::numeric_limits<float>::denorm_min() * 3;
  for (int bitpix : {-32, -64}) {
    SCOPED_TRACE(bitpix);
    image = WriteAndRead(folder, {.bitpix = bitpix, .width = 3, .height = 2,
                                  .raw = {inf, denormal, -inf, /*second row*/ std::nan(""), 7.5, 2.0}});
    ASSERT_NE(image, nullptr);
    EXPECT_TRUE(image->IsBottomUp());
    const float* first = image->GetImageAdr(0, 0, 0);
    EXPECT_EQ(std::vector<float>(first, first + 3), (std::vector<float>{float(inf), denormal, -float(inf)}));
    EXPECT_TRUE(std::isnan(*image->GetImageAdr(0, 1, 0)));
    EXPECT_EQ(*image->GetImageAdr(1, 1, 0), 7.5f);  // the file's second row
    // The window spans the finite pixels, the denormal one its true minimum; +Inf renders 255.
    EXPECT_EQ(std::tuple(image->GetLevelMin(0), image->GetLevelMax(0), image->GetPixelGray256(0, 0, 0),
                         image->GetPixelGray256(2, 0, 0)),
              std::tuple(double(denormal), 7.5, 255, 0));
  }
}

TEST(FitsReader, BadFilesGiveAMessageAndNoImage) {
  TempDir folder;
  std::string garbage = folder.File("garbage.fits");
  std::ofstream(garbage) << "SIMPLE  = this is not a FITS header";
  std::string two = folder.File("two.fits");
  ASSERT_EQ(WriteFits(two, {.planes = 2, .raw = {}}), 0);
  // A valid header whose data stops short.
  std::string truncated = folder.File("truncated.fits");
  ASSERT_EQ(WriteFits(truncated, {.width = 200, .height = 200, .raw = {}}), 0);
  std::filesystem::resize_file(truncated, 2880 + 1000);

  for (const std::string& path : {folder.File("missing.fits"), garbage, two, truncated}) {
    CString error;
    EXPECT_EQ(CFitsReader::Read(CString(path.c_str()), &error), nullptr) << path;
    EXPECT_FALSE(error.IsEmpty()) << path;
    EXPECT_NE(error.Find(CString(path.c_str())), -1) << error;
  }
}

}  // namespace
