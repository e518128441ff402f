// Six-hex-digit colours as the definition strings and picture-set registrations hold them.
#include <gtest/gtest.h>

#include "colour/HexColor.h"

namespace {

TEST(HexColor, ReadsUpToSixLeadingDigitsAsTheColourItself) {
  struct Row {
    const wchar_t* text;
    bool read;
    COLORREF expected;  // the sentinel when nothing is read
  };
  constexpr COLORREF kSentinel = 0xABCDEF;
  const Row rows[] = {
      {L"FFC0C0", true, 0xFFC0C0},  // blue 255, green 192, red 192
      {L"ffc0c0", true, 0xFFC0C0},
      {L"  \t504038", true, 0x504038},
      {L"1234567", true, 0x123456},  // a seventh digit is not read
      {L"12G456", true, 0x12},       // stops at the first non-digit
      {L"7", true, 0x7},
      {L"", false, kSentinel},
      {L"zz", false, kSentinel},
      {L"-12", false, kSentinel},
      {L"0x12", true, 0x0},  // no prefix: "0" is read, "x" ends the number
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(testing::PrintToString(std::wstring(r.text)));
    COLORREF color = kSentinel;
    EXPECT_EQ(orv::ReadHexColor(r.text, color), r.read);
    EXPECT_EQ(color, r.expected);
  }
}

}  // namespace
