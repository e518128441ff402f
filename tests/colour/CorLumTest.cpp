// The text channel to the sky view and the command-file runner, against the sky-view control
// that knows the library's catalogue.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "colour/OrvColor.h"
#include "sibling/skyview/CorLum.h"
#include "sibling/skyview/SkyText.h"
#include "sibling/skyview/SkyViewControl.h"
#include "support/FileBytes.h"
#include "support/TempDir.h"
#include "support/TempRegistry.h"

namespace {

using orv::test::Utf16LeWithMark;
using orv::test::WriteFileBytes;

std::vector<CString> SentTexts(const CSkyViewControl& view) {
  std::vector<CString> texts;
  for (const auto& exchange : view.GetTranscript()) texts.push_back(exchange.text);
  return texts;
}

class CorLumTest : public testing::Test {
protected:
  orv::test::TempDir dir;
  CSkyViewControl view;  // learns the keys of the library's string table
  CCorLum corlum{&view};
};

TEST_F(CorLumTest, WithoutAControlCommandAnswersNothing) {
  CCorLum detached;
  EXPECT_EQ(detached.Command(L"? Star.Name.Size"), L"");
  ASSERT_TRUE(WriteFileBytes(dir.File("c.txt"), "Star.Name.Size = 20\n"));
  EXPECT_EQ(detached.RunCommandFile(dir.WFile("c.txt")), 1);  // opened, though nobody listens
}

TEST_F(CorLumTest, ControlAnswersEveryCatalogueKeyWithItsDefault) {
  orv::test::TempRegistry registry;
  COrvColor catalogue(L"", L"");
  ASSERT_GT(catalogue.GetCount(), 0);
  EXPECT_EQ(view.GetKeyCount(), 352);
  for (int i = 0; i < catalogue.GetCount(); ++i) {
    SColorEntry e = catalogue.GetColorEntry(i);
    SCOPED_TRACE(e.strColorKey.ToUtf8());
    if (e.strKind == L"FONT") {
      EXPECT_EQ(corlum.Command(L"? " + e.strSizeKey), CString(std::to_wstring(e.nDefaultSize).c_str()));
    }
    EXPECT_EQ(corlum.Command(L"? " + e.strColorKey), orv::FormatSkyValue({orv::SkyValueKind::Color, e.crDefault}));
  }
  EXPECT_EQ(corlum.Command(L"? Constellation.Picture.Image.Color"), L"RGB(56, 64, 80)");
}

// One command file in the form the library writes: UTF-16LE with a mark, CR LF.
const wchar_t* const kCommandFile =
    L"# a comment = RGB(1, 1, 1)\r\n"
    L"   # indented, so not a comment\r\n"
    L"\t Star.Name.Size = 20 \t\r\n"
    L"\r\n"
    L" \t \r\n"
    L"Star.Name.Color = RGB(1, 2, 3); default Star.Name.Color = RGB(1, 2, 3)\r\n"
    L"Constellation.Line.Color = RGB(4, 5, 6);default Constellation.Line.Color = RGB(4, 5, 6)\r\n"
    L"; default \r\n"
    L"Show Sky\r\n";

TEST_F(CorLumTest, CommandFileSkipsCommentsAndEmptyLinesAndTrimsTheRest) {
  ASSERT_TRUE(WriteFileBytes(dir.File("defaults.txt"), Utf16LeWithMark(kCommandFile)));
  EXPECT_EQ(corlum.RunCommandFile(dir.WFile("defaults.txt")), 1);
  const std::vector<CString> expected = {
      L"# indented, so not a comment",
      L"Star.Name.Size = 20",
      L"Star.Name.Color = RGB(1, 2, 3); default Star.Name.Color = RGB(1, 2, 3)",
      L"Constellation.Line.Color = RGB(4, 5, 6);default Constellation.Line.Color = RGB(4, 5, 6)",
      L"; default",
      L"Show Sky",
  };
  EXPECT_EQ(SentTexts(view), expected);
}

TEST_F(CorLumTest, DamagedLinesAreSentButDoNotStopTheRest) {
  std::string bytes = "Star.Name.Size = 30\n";
  bytes += std::string(1 << 20, 'x') + "\n";                       // a 1 MB line
  bytes += std::string("\x00\x01\xFF\xFE garbage", 12) + "\n";      // binary garbage
  bytes += "Star.Name.Color = RGB(300, 0, 0)\n";                    // out of range: refused
  bytes += "Star.Name.Color = RGB(9, 9, 9)\n";
  ASSERT_TRUE(WriteFileBytes(dir.File("damaged.txt"), bytes));
  EXPECT_EQ(corlum.RunCommandFile(dir.WFile("damaged.txt")), 1);
  EXPECT_EQ(view.GetTranscript().size(), 5u);
  EXPECT_EQ(view.GetSize(L"Star.Name.Size"), 30);
  EXPECT_EQ(view.GetColor(L"Star.Name.Color"), RGB(9, 9, 9));
}

TEST_F(CorLumTest, FileThatCannotBeOpenedSendsNothing) {
  EXPECT_EQ(corlum.RunCommandFile(dir.WFile("absent.txt")), 0);
  EXPECT_EQ(corlum.RunCommandFile(L""), 0);
  corlum.RunCommandFile(dir.WFile(""));  // a folder: whatever the open says, nothing is sent
  EXPECT_TRUE(view.GetTranscript().empty());
}

TEST_F(CorLumTest, RepliesOfEveryQueryRunBackAsACommandFile) {
  // What a save writes ("key = reply" for every key) must restore the same values in another
  // sky view.
  orv::test::TempRegistry registry;
  corlum.Command(L"Star.Name.Size = 33");
  corlum.Command(L"imagedb.star.name.color = RGB(7, 8, 9)");
  COrvColor(&corlum, nullptr, dir.WFile("colorfont.txt"), dir.WFile("defaults.txt")).Save();
  CSkyViewControl other;
  CCorLum otherCorLum(&other);
  EXPECT_EQ(otherCorLum.RunCommandFile(dir.WFile("colorfont.txt")), 1);
  for (const auto& exchange : other.GetTranscript()) EXPECT_TRUE(exchange.understood) << exchange.text;
  EXPECT_EQ(other.GetTranscript().size(), 351u);  // every key but the picture-set colour
  EXPECT_EQ(other.GetSize(L"Star.Name.Size"), 33);
  EXPECT_EQ(other.GetColor(L"imagedb.star.name.color"), RGB(7, 8, 9));
}

}  // namespace
