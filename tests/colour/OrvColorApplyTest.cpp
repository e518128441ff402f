// Applying and saving colours and font sizes: the colour-font file, the defaults file, the
// registry's resize state and what the sky views receive.
#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "colour/OrvColor.h"
#include "platform/base/TextEncoding.h"
#include "sibling/orvreg/Registry.h"
#include "sibling/skyview/CorLum.h"
#include "sibling/skyview/SkyViewControl.h"
#include "support/FileBytes.h"
#include "support/PictureSets.h"
#include "support/TempDir.h"
#include "support/TempRegistry.h"

namespace {

using orv::test::ReadFileBytes;
using orv::test::Utf16LeWithMark;
using orv::test::WriteFileBytes;

constexpr const wchar_t* kStandardSet = L".\\constellation\\CnsPic\\CnsPic.lst";

using Sizes = std::pair<std::optional<int>, std::optional<int>>;

int FontsValue(const wchar_t* name) {
  int value = -999;
  CRegistry::Read(L"Fonts", name, -999, &value, 1);
  return value;
}

// The lines of a Unicode text file as the library wrote it: UTF-16LE with its mark, CR LF.
std::vector<std::wstring> Lines(const std::string& path) {
  const std::string bytes = ReadFileBytes(path);
  if (!bytes.starts_with("\xFF\xFE")) return {};
  const std::wstring text = orv::TextDecoder(orv::TextEncoding::Utf16Le).Decode(std::string_view(bytes).substr(2));
  EXPECT_TRUE(text.empty() || text.ends_with(L"\r\n")) << "every line ends in CR LF";
  std::vector<std::wstring> lines;
  for (size_t start = 0, end; (end = text.find(L"\r\n", start)) != std::wstring::npos; start = end + 2)
    lines.push_back(text.substr(start, end - start));
  return lines;
}

// The first line of the file that sets `key`; "" when none does.
std::wstring LineOf(const std::string& path, const std::wstring& key) {
  for (const auto& l : Lines(path))
    if (l.compare(0, key.size() + 3, key + L" = ") == 0) return l;
  return L"";
}

class OrvColorApplyTest : public testing::Test {
protected:
  OrvColorApplyTest() {
    view1.SetPictureFile(kStandardSet);
    view2.SetPictureFile(kStandardSet);
  }
  std::string ColourFontPath() const { return dir.File("ColorFont.txt"); }
  std::string DefaultsPath() const { return dir.File("ColorFontDefault.txt"); }
  COrvColor Catalogue(CCorLum* first, CCorLum* second) {
    return COrvColor(first, second, dir.WFile("ColorFont.txt"), dir.WFile("ColorFontDefault.txt"));
  }
  COrvColor Loaded(CCorLum* second = nullptr) {
    COrvColor catalogue = Catalogue(&corlum1, second);
    catalogue.Load(0);
    return catalogue;
  }

  orv::test::TempRegistry registry;
  orv::test::TempDir dir;
  CSkyViewControl view1, view2;
  CCorLum corlum1{&view1}, corlum2{&view2};
};

TEST_F(OrvColorApplyTest, SaveWritesWhatTheSkyViewReportsInCatalogueOrder) {
  orv::test::RegisterPictureSet(L"1", kStandardSet, L"標準", L"0000FF");
  orv::test::RegisterPictureSet(L"2", L".\\constellation\\Other\\Other.lst", L"別", L"00FF00");
  corlum1.Command(L"Star.Name.Size = 20");
  corlum1.Command(L"Constellation.Line.Color = RGB(1, 2, 3)");
  COrvColor catalogue = Catalogue(nullptr, &corlum1);  // the second view serves when the first is null
  catalogue.Save();

  std::vector<std::wstring> lines = Lines(ColourFontPath());
  ASSERT_EQ(lines.size(), 130u * 2 + 77 + 14 + 1);  // one picture line: the set in use only
  EXPECT_EQ(lines[0], L"Star.Name.Size = 20");
  EXPECT_EQ(lines[1], L"Star.Name.Color = RGB(192, 192, 255)");
  EXPECT_EQ(LineOf(ColourFontPath(), L"Constellation.Line.Color"), L"Constellation.Line.Color = RGB(1, 2, 3)");
  auto isPicture = [](const std::wstring& l) { return l.starts_with(L"Constellation.Picture.Image.Color"); };
  EXPECT_EQ(std::ranges::count_if(lines, isPicture), 1);
  // Only queries went to the sky view, besides the two commands above.
  for (const auto& x : view1.GetTranscript())
    EXPECT_TRUE(x.text.Left(2) == L"? " || x.text == L"Star.Name.Size = 20" ||
                x.text == L"Constellation.Line.Color = RGB(1, 2, 3)")
        << x.text;
}

TEST_F(OrvColorApplyTest, LoadWithDefaultsCreatesAMissingFileAndRunsTheDefaultsFile) {
  Catalogue(&corlum1, nullptr).Load(1);
  std::vector<std::wstring> lines = Lines(ColourFontPath());
  ASSERT_EQ(lines.size(), 130u * 2 + 77 + 14);  // no picture set registered
  EXPECT_EQ(lines[0], L"Star.Name.Size = 14");
  EXPECT_EQ(lines[1], L"Star.Name.Color = RGB(192, 192, 255)");
  std::vector<std::wstring> defaults = Lines(DefaultsPath());
  ASSERT_EQ(defaults.size(), lines.size());
  EXPECT_EQ(defaults[0], L"Star.Name.Size = 14; default Star.Name.Size = 14");
  EXPECT_EQ(view1.GetDefaultSize(L"Star.Name.Size"), 14);
  // The caller sends "Show Sky" after a load with defaults.
  EXPECT_EQ(view1.GetRedrawCount(), 0);
  EXPECT_EQ(view1.GetTranscript().front().text, L"? Constellation.Picture.Image.File");
}

TEST_F(OrvColorApplyTest, LoadAppliesTheFileAndABlankLineBecomesADefaultOfNothing) {
  ASSERT_TRUE(WriteFileBytes(ColourFontPath(), Utf16LeWithMark(L"Star.Name.Size = 22\r\n\r\nStar.Name.Color = RGB(300, 0, 0)\r\n")));
  COrvColor catalogue = Catalogue(&corlum1, &corlum2);
  catalogue.Load(1);
  std::vector<std::wstring> defaults = Lines(DefaultsPath());
  ASSERT_EQ(defaults.size(), 3u);
  EXPECT_EQ(defaults[1], L"; default ");
  EXPECT_EQ(std::pair(view1.GetSize(L"Star.Name.Size"), view2.GetDefaultSize(L"Star.Name.Size")), Sizes(22, 22));

  catalogue.Load(0);
  EXPECT_EQ(std::pair(view1.GetRedrawCount(), view2.GetRedrawCount()), std::pair(1, 1));
}

TEST_F(OrvColorApplyTest, LoadWithoutAFileNameSendsTheCatalogueDefaultsOneByOne) {
  orv::test::RegisterPictureSet(L"3", kStandardSet, L"標準", L"0000FF");
  CRegistry::Write(L"CnsPic\\3", L"color", static_cast<DWORD>(0x123456));
  COrvColor(&corlum1, nullptr, L"", L"").Load(1);
  const auto& sent = view1.GetTranscript();
  ASSERT_GE(sent.size(), 3u);
  EXPECT_EQ(sent[1].text, L"Star.Name.Size = 14; Default Star.Name.Size = 14");
  EXPECT_EQ(sent[2].text, L"Star.Name.Color = RGB(192, 192, 255); Default Star.Name.Color = RGB(192, 192, 255)");
  EXPECT_EQ(view1.GetRedrawCount(), 0);
  // The picture set's stored colour went back to the set's own default, and was sent.
  DWORD stored = 0;
  CRegistry::Read(L"CnsPic\\3", L"color", 0, &stored);
  EXPECT_EQ(stored, 0x0000FFu);
  EXPECT_EQ(view1.GetColor(L"Constellation.Picture.Image.Color"), COLORREF{0x0000FF});
}

TEST_F(OrvColorApplyTest, FontStepsWalkToTheLargestSizeAndBack) {
  COrvColor catalogue = Loaded();
  for (int step = 1; step <= 17; ++step) {
    catalogue.SetAllFontSize(0);
    ASSERT_EQ(FontsValue(L"DeltaSize"), 2 * step);
    ASSERT_EQ(FontsValue(L"IsMax"), step == 17 ? 1 : 0) << step;
  }
  EXPECT_EQ(LineOf(ColourFontPath(), L"Compass.Size"), L"Compass.Size = 50");      // 16 + 34
  EXPECT_EQ(LineOf(ColourFontPath(), L"Star.Name.Size"), L"Star.Name.Size = 48");  // 14 + 34
  EXPECT_EQ(std::pair(view1.GetSize(L"Compass.Size"), view1.GetDefaultSize(L"Compass.Size")), Sizes(50, 50));

  const std::string before = ReadFileBytes(ColourFontPath());
  const int redraws = view1.GetRedrawCount();
  catalogue.SetAllFontSize(0);  // blocked by IsMax
  EXPECT_EQ(std::tuple(FontsValue(L"DeltaSize"), ReadFileBytes(ColourFontPath()), view1.GetRedrawCount()),
            std::tuple(34, before, redraws));

  catalogue.SetAllFontSize(2);
  EXPECT_EQ(std::pair(FontsValue(L"DeltaSize"), FontsValue(L"IsMax")), std::pair(32, 0));

  catalogue.SetAllFontSize(1);  // default sizes run whatever the marks say
  EXPECT_EQ(FontsValue(L"DeltaSize"), 0);
  EXPECT_EQ(LineOf(ColourFontPath(), L"Compass.Size"), L"Compass.Size = 16");
}

TEST_F(OrvColorApplyTest, ShrinkingMarksTheSmallestSizeAtMinusEight) {
  COrvColor catalogue = Loaded();
  for (int step = 1; step <= 4; ++step) {
    catalogue.SetAllFontSize(2);
    EXPECT_EQ(FontsValue(L"IsMin"), step == 4 ? 1 : 0) << step;
  }
  EXPECT_EQ(FontsValue(L"DeltaSize"), -8);
  EXPECT_EQ(LineOf(ColourFontPath(), L"Star.Magnitude.Size"), L"Star.Magnitude.Size = 4");  // 12 - 8
  EXPECT_EQ(Lines(DefaultsPath()).at(0), L"Star.Name.Size = 6;default Star.Name.Size = 6");
  catalogue.SetAllFontSize(2);  // blocked by IsMin
  EXPECT_EQ(FontsValue(L"DeltaSize"), -8);
  catalogue.SetAllFontSize(7);  // not a mode: nothing changes
  EXPECT_EQ(FontsValue(L"DeltaSize"), -8);
}

TEST_F(OrvColorApplyTest, AStepOfThreeMovesEverySizeByThree) {
  ASSERT_EQ(1, CRegistry::Write(L"Fonts", L"Step", 3, CRegistry::DT_INT));
  COrvColor catalogue = Loaded();
  catalogue.SetAllFontSize(0);
  EXPECT_EQ(FontsValue(L"DeltaSize"), 3);
  EXPECT_EQ(LineOf(ColourFontPath(), L"Star.Name.Size"), L"Star.Name.Size = 17");  // 14 + 3
  for (int i = 0; i < 3; ++i) catalogue.SetAllFontSize(2);
  EXPECT_EQ(std::pair(FontsValue(L"DeltaSize"), FontsValue(L"IsMin")), std::pair(-6, 0));
  EXPECT_EQ(view1.GetSize(L"Star.Magnitude.Size"), 6);  // 12 - 6
}

TEST_F(OrvColorApplyTest, OneCallIsOneStepWithTwoSkyViews) {
  Loaded(&corlum2).SetAllFontSize(0);
  EXPECT_EQ(FontsValue(L"DeltaSize"), 2);
  EXPECT_EQ(std::pair(view1.GetSize(L"Star.Name.Size"), view2.GetSize(L"Star.Name.Size")), Sizes(16, 16));
  // The load and the resize.
  EXPECT_EQ(std::pair(view1.GetRedrawCount(), view2.GetRedrawCount()), std::pair(2, 2));
}

TEST_F(OrvColorApplyTest, SizesComeFromTheCatalogueAndOnlyTheFirstMatchingLineChanges) {
  ASSERT_TRUE(WriteFileBytes(ColourFontPath(), Utf16LeWithMark(L"# comment\r\n"
                                                               L"Star.Name.SizeX = 99\r\n"
                                                               L"Star.Name.Size = 30\r\n"
                                                               L"garbage without equals\r\n")));
  Catalogue(&corlum1, nullptr).SetAllFontSize(0);
  // The prefix match takes the first line that begins with the key; nothing is added.
  EXPECT_EQ(Lines(ColourFontPath()), (std::vector<std::wstring>{L"# comment", L"Star.Name.Size = 16",
                                                                L"Star.Name.Size = 30", L"garbage without equals"}));
}

// A step that cannot read its file changes nothing, the registry's size included, and says so.
TEST_F(OrvColorApplyTest, AMissingColourFontFileStopsTheResizeAndKeepsTheDelta) {
  COrvColor catalogue = Catalogue(&corlum1, nullptr);
  catalogue.SetAllFontSize(0);
  EXPECT_NE(catalogue.GetLastFailure().Find(L"ColorFont.txt: No such file or directory"), -1);
  EXPECT_EQ(std::tuple(FontsValue(L"DeltaSize"), view1.GetRedrawCount(), ReadFileBytes(DefaultsPath())),
            std::tuple(-999, 0, ""));
}

TEST_F(OrvColorApplyTest, NothingHappensWithoutSkyViews) {
  COrvColor catalogue = Catalogue(nullptr, nullptr);
  catalogue.Save();
  catalogue.Load(1);
  catalogue.SetAllFontSize(0);
  EXPECT_EQ(std::pair(ReadFileBytes(ColourFontPath()), FontsValue(L"DeltaSize")), std::pair(std::string(), -999));
}

}  // namespace
