// Six-hex-digit colours as the definition strings and picture-set registrations hold them.
#include <gtest/gtest.h>

#include <utility>

#include "colour/HexColor.h"

namespace {

TEST(HexColor, ReadsUpToSixLeadingDigitsAsTheColourItself) {
  constexpr COLORREF kSentinel = 0xABCDEF;  // left as it is when nothing is read
  // FFC0C0 is blue 255, green 192, red 192. A seventh digit is not read, and the first non-digit ends the number:
  // "0x12" is read as 0.
  const std::pair<const wchar_t*, COLORREF> rows[] = {
      {L"FFC0C0", 0xFFC0C0}, {L"ffc0c0", 0xFFC0C0}, {L"  \t504038", 0x504038}, {L"1234567", 0x123456},
      {L"12G456", 0x12},     {L"7", 0x7},           {L"", kSentinel},          {L"zz", kSentinel},
      {L"-12", kSentinel},   {L"0x12", 0x0},
  };
  for (auto [text, expected] : rows) {
    SCOPED_TRACE(testing::PrintToString(std::wstring(text)));
    COLORREF color = kSentinel;
    EXPECT_EQ(orv::ReadHexColor(text, color), expected != kSentinel);
    EXPECT_EQ(color, expected);
  }
}

}  // namespace
