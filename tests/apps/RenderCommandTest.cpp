// orvdcm render and info on small FITS files: which way up rows come out, grey and colour
// PNG files, and outputs that must not be written or must survive a failed write.
#include <gtest/gtest.h>
#include <png.h>
#include <unistd.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "tests/sibling/orvcim/FitsSamples.h"
#include "tests/support/FileBytes.h"
#include "tests/support/RunProgram.h"
#include "tests/support/TempDir.h"

namespace {

using orv::test::ReadFileBytes;

struct Png {
  bool colour = false;
  std::vector<unsigned char> pixels;  // as stored: grey or RGB, rows top-down
};

bool ReadPng(const std::string& path, Png* out) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_file(&image, path.c_str())) return false;
  out->colour = (image.format & PNG_FORMAT_FLAG_COLOR) != 0;
  image.format = out->colour ? PNG_FORMAT_RGB : PNG_FORMAT_GRAY;
  out->pixels.resize(PNG_IMAGE_SIZE(image));
  return png_image_finish_read(&image, nullptr, out->pixels.data(), 0, nullptr) != 0;
}

class RenderCommandTest : public ::testing::Test {
protected:
  void SetUp() override { ASSERT_EQ(chdir(dir_.Path().c_str()), 0); }
  void Fits(const char* name, int width, int height, int planes, std::vector<double> raw) {
    const orv::test::FitsSample sample{.bitpix = -32, .width = width, .height = height, .planes = planes, .raw = raw};
    EXPECT_EQ(orv::test::WriteFits(dir_.File(name), sample), 0);
  }
  // Runs orvdcm in the test's folder on the words of `line`; writes past fileSize bytes fail.
  orv::test::ProgramResult Cli(const std::string& line, long fileSize = 0) {
    std::vector<std::string> args;
    std::istringstream words(line);
    for (std::string word; words >> word;) args.push_back(word);
    return orv::test::RunProgram(ORVDCM_CLI, args, dir_.Path(), fileSize);
  }
  orv::test::TempDir dir_;
};

TEST_F(RenderCommandTest, TheFilesFirstRowIsTheBottomOfTheGreyPicture) {
  Fits("grey.fits", 3, 2, 1, {0, 1, 2, /*second row*/ 3, 4, 5});
  ASSERT_EQ(Cli("render grey.fits -o grey.png").status, 0);
  Png png;
  ASSERT_TRUE(ReadPng("grey.png", &png));
  EXPECT_FALSE(png.colour);
  EXPECT_EQ(png.pixels, (std::vector<unsigned char>{153, 204, 255, 0, 51, 102}));
  EXPECT_NE(Cli("info grey.fits").out.find("rows: bottom-up"), std::string::npos);

  Fits("rgb.fits", 1, 2, 3, {0, 1, /*green*/ 1, 0, /*blue*/ 0, 0});
  ASSERT_EQ(Cli("render rgb.fits --window 0:0:1 --window 1:0:1 --window 2:0:1 -o rgb.png").status, 0);
  ASSERT_TRUE(ReadPng("rgb.png", &png));
  EXPECT_TRUE(png.colour);
  EXPECT_EQ(png.pixels, (std::vector<unsigned char>{255, 0, 0, 0, 255, 0}));
}

TEST_F(RenderCommandTest, TheInputAndAnOldOutputAreNeverLost) {
  std::vector<double> noise;  // compresses badly: the picture takes far more than the limit below
  unsigned seed = 1;
  for (int i = 0; i < 200 * 200; ++i) noise.push_back((seed = seed * 1103515245u + 12345u) >> 16);
  Fits("noise.fits", 200, 200, 1, noise);
  const std::string input = ReadFileBytes("noise.fits");
  EXPECT_EQ(Cli("render noise.fits -o noise.fits").status, 2);
  std::filesystem::create_hard_link("noise.fits", "noise.png");  // the input under a name render writes
  const std::string folder = dir_.Path().substr(dir_.Path().rfind('/') + 1);
  EXPECT_EQ(Cli("render noise.fits -o ./../" + folder + "/noise.png").status, 2);
  EXPECT_TRUE(ReadFileBytes("noise.fits") == input);

  // A write that fails halfway (the file size limit) leaves the old picture as it was.
  orv::test::WriteFileBytes("old.png", "old picture");
  EXPECT_NE(Cli("render noise.fits -o old.png", 4096).status, 0);
  EXPECT_TRUE(ReadFileBytes("old.png") == "old picture");
  EXPECT_EQ(Cli("render noise.fits -o old.png").status, 0);
  Png png;
  EXPECT_TRUE(ReadPng("old.png", &png));
}

}  // namespace
