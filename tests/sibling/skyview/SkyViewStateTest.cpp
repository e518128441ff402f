// The control's state file: one process continues where the previous one stopped.
#include <filesystem>
#include <iterator>
#include <tuple>
#include <sys/stat.h>

#include <gtest/gtest.h>

#include "sibling/skyview/SkyViewControl.h"
#include "SkyTestKeys.h"
#include "support/FileBytes.h"
#include "support/TempDir.h"

namespace {

using namespace std::string_literals;

using orv::test::ReadFileBytes;
using orv::test::WriteFileBytes;

class SkyViewState : public testing::Test {
protected:
  orv::test::TempDir dir;
  CSkyViewControl view{orv::test::SkyTestKeys()};
};

TEST_F(SkyViewState, RoundTripKeepsValuesDefaultsPictureAndRedraws) {
  CSkyViewControl& first = view;
  first.Command(L"Star.Name.Size = 30; Default Star.Name.Size = 20");
  first.Command(L"Constellation.Line.Color = RGB(1, 2, 3)");
  first.Command(L"Show Sky");
  // A path with the escape character and line breaks must survive one line of the file.
  first.SetPictureFile(L"C:\\pics\\100%25\r\nset\u661f.lst");
  ASSERT_TRUE(first.SaveState(dir.WFile("sky.state")));

  CSkyViewControl second(orv::test::SkyTestKeys());
  ASSERT_TRUE(second.LoadState(dir.WFile("sky.state")));
  EXPECT_EQ(std::tuple(second.GetSize(L"Star.Name.Size"), second.GetDefaultSize(L"Star.Name.Size"),
                       second.GetColor(L"Constellation.Line.Color"), second.GetDefaultColor(L"Constellation.Line.Color"),
                       second.GetColor(L"Star.Name.Color"), second.GetRedrawCount()),
            std::tuple(30, 20, RGB(1, 2, 3), 0x807000u, 0xFFC0C0u, 1));
  EXPECT_EQ(second.GetPictureFile(), L"C:\\pics\\100%25\r\nset\u661f.lst");
  EXPECT_TRUE(second.GetTranscript().empty());  // loading is not traffic on the channel
}

TEST_F(SkyViewState, FileIsReadableTextInTheControlsLanguage) {
  view.SetPictureFile(L"a.lst");
  view.Command(L"Star.Name.Size = 16");
  ASSERT_TRUE(view.SaveState(dir.WFile("sky.state")));
  EXPECT_EQ(ReadFileBytes(dir.File("sky.state")),
            "# sky view state\n"
            "@picture a.lst\n"
            "@redraws 0\n"
            "Star.Name.Size = 16; Default Star.Name.Size = 14\n"
            "Star.Name.Color = RGB(192, 192, 255); Default Star.Name.Color = RGB(192, 192, 255)\n"
            "Constellation.Line.Color = RGB(0, 112, 128); Default Constellation.Line.Color = RGB(0, 112, 128)\n"
            "imagedb.star.name.size = 12; Default imagedb.star.name.size = 12\n");
}

TEST_F(SkyViewState, AMissingFileChangesNothingAndDamagedLinesAndUnknownKeysAreSkipped) {
  view.Command(L"Star.Name.Size = 22");
  EXPECT_FALSE(view.LoadState(dir.WFile("absent.state")));
  EXPECT_EQ(view.GetSize(L"Star.Name.Size"), 22);
  WriteFileBytes(dir.File("sky.state"),
             "@redraws 5\r\n"
             "Star.Name.Size = 18; Default Star.Name.Size = 18\r\n"
             "Gone.Key = 3; Default Gone.Key = 3\r\n"
             "Star.Name.Color = RGB(999, 0, 0); Default Star.Name.Color = RGB(1, 1, 1)\r\n"
             "@redraws lots\r\n"
             "\xff\xfe\x00garbage\n"
             "Constellation.Line.Color = RGB(9, 8, 7); Default Constellation.Line.Color = RGB(9, 8, 7)"s);
  view.SetPictureFile(L"kept.lst");
  ASSERT_TRUE(view.LoadState(dir.WFile("sky.state")));
  EXPECT_EQ(std::tuple(view.GetSize(L"Star.Name.Size"), view.GetColor(L"Star.Name.Color"),
                       view.GetDefaultColor(L"Star.Name.Color"), view.GetColor(L"Constellation.Line.Color"),
                       view.GetRedrawCount()),
            std::tuple(18, 0xFFC0C0u, 0xFFC0C0u, RGB(9, 8, 7), 5));
  EXPECT_EQ(view.GetPictureFile(), L"kept.lst");
}

TEST_F(SkyViewState, FailedSaveLeavesNoTemporaryFileBehind) {
  // A folder in the way: the new file cannot be renamed over it.
  ASSERT_EQ(mkdir(dir.File("sky.state").c_str(), 0700), 0);
  WriteFileBytes(dir.File("sky.state/inside"), "x");
  EXPECT_FALSE(view.SaveState(dir.WFile("sky.state")));
  EXPECT_FALSE(view.SaveState(dir.WFile("no/such/folder/sky.state")));
  EXPECT_EQ(ReadFileBytes(dir.File("sky.state/inside")), "x");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 1);
}

}  // namespace
