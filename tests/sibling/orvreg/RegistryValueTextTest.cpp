// The stored text forms of doubles, rectangles and sizes, with the inputs most likely to
// break a parser.
#include "sibling/orvreg/RegistryValueText.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace {
TEST(RegistryValueText, RectParsing) {
  struct Row {
    const wchar_t* text;
    bool ok;
    RECT expected;
  } rows[] = {
      {L"1,2,3,4", true, {1, 2, 3, 4}},
      {L" 1 , 2 ,3,\t4 ", true, {1, 2, 3, 4}},
      {L"-2147483648,0,0,2147483647", true, {INT32_MIN, 0, 0, INT32_MAX}},
      {L"2147483648,0,0,0", false, {}}, {L"1,2,3", false, {}},    {L"1,2,3,4,5", false, {}}, {L"1,,3,4", false, {}},
      {L"1,2,3,4,", false, {}},         {L"a,b,c,d", false, {}},  {L"1,2,3,4x", false, {}},  {L"+1,2,3,4", false, {}},
      {L"1.5,2,3,4", false, {}},        {L"", false, {}},         {L"\uff11,2,3,4", false, {}},
  };
  for (const Row& row : rows) {
    RECT got{7, 7, 7, 7};
    EXPECT_EQ(row.ok, orv::reg::ParseRect(row.text, &got)) << CString(row.text);
    if (row.ok) {
      EXPECT_EQ(CRect(row.expected), CRect(got)) << CString(row.text);
    } else {
      EXPECT_EQ(CRect(7, 7, 7, 7), CRect(got)) << "untouched on failure: " << CString(row.text);
    }
  }
}

}  // namespace
