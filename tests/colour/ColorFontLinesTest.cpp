// Reading the colour-font file's lines: the first line that begins with a key is its line,
// sizes read leniently, colours only from lines with two commas, each part cut to 8 bits.
#include <gtest/gtest.h>

#include "colour/detail/ColorFontLines.h"

namespace {

using namespace orv::colour;

CStringArray Lines(std::initializer_list<const wchar_t*> texts) {
  CStringArray lines;
  for (const wchar_t* t : texts) lines.Add(t);
  return lines;
}

TEST(ColorFontLinesTest, SizesComeFromTheFirstLineThatBeginsWithTheKey) {
  struct Row {
    std::initializer_list<const wchar_t*> lines;
    int line;
    int size;
  } rows[] = {
      {{L"Star.Name.Size = 14"}, 0, 14},
      {{L"Star.Name.SizeBig = 20", L"Star.Name.Size = 14"}, 0, 0},  // a longer key first is taken
      {{L"star.name.size = 9", L"Star.Name.Size=  33 "}, 1, 33},     // case counts; blanks and "=" cut
      {{L"Star.Name.Size = abc"}, 0, 0},
      {{L"Other = 1"}, -1, 0},
  };
  for (const Row& r : rows) {
    CStringArray lines = Lines(r.lines);
    ASSERT_EQ(FindLine(lines, L"Star.Name.Size"), r.line) << r.lines.begin()[0];
    if (r.line >= 0) {
      EXPECT_EQ(ReadSizeValue(lines[r.line], L"Star.Name.Size"), r.size) << r.lines.begin()[0];
    }
  }
}

TEST(ColorFontLinesTest, ColoursNeedTwoCommasAndKeepTheLowEightBits) {
  struct Row {
    std::initializer_list<const wchar_t*> lines;
    bool found;
    COLORREF colour;
  } rows[] = {
      {{L"Line.Color = RGB(255, 128, 0)"}, true, RGB(255, 128, 0)},
      {{L"Line.Color = RGB(300, 256, -1)"}, true, RGB(44, 0, 255)},
      {{L"Line.Color = RGB(1, 2)", L"Line.Color = RGB(3, 4, 5)"}, true, RGB(3, 4, 5)},  // first passed over
      {{L"Line.Color = RGB(, 2, 3)", L"Line.Color = RGB(1,, 3)"}, false, 0},
      {{L"Line.Color=RGB(7,8,9)"}, true, RGB(7, 8, 9)},
  };
  for (const Row& r : rows) {
    COLORREF colour = 0x12345678;
    EXPECT_EQ(FindColourValue(Lines(r.lines), L"Line.Color", &colour), r.found) << r.lines.begin()[0];
    EXPECT_EQ(colour, r.found ? r.colour : 0x12345678u) << r.lines.begin()[0];
  }
  EXPECT_EQ(ColourLine(L"K", RGB(1, 2, 3)), L"K = RGB(1, 2, 3)");
  EXPECT_EQ(SizeLine(L"K", 50), L"K = 50");
}

}  // namespace
