// The stored text forms of doubles, rectangles and sizes, with the inputs most likely to
// break a parser.
#include "sibling/orvreg/RegistryValueText.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>

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

TEST(RegistryValueText, SizeParsing) {
  struct Row {
    const wchar_t* text;
    bool ok;
    SIZE expected;
  } rows[] = {
      {L"640,480", true, {640, 480}}, {L"-1,-2", true, {-1, -2}}, {L"640", false, {}},
      {L"1,2,3", false, {}},          {L",", false, {}},          {L"99999999999,1", false, {}},
  };
  for (const Row& row : rows) {
    SIZE got{7, 7};
    EXPECT_EQ(row.ok, orv::reg::ParseSize(row.text, &got)) << CString(row.text);
    if (row.ok) {
      EXPECT_EQ(CSize(row.expected), CSize(got)) << CString(row.text);
    }
  }
}

TEST(RegistryValueText, DoubleParsing) {
  struct Row {
    const wchar_t* text;
    bool ok;
    double expected;
  } rows[] = {
      {L"0.1", true, 0.1},        {L" -2.5e-07 ", true, -2.5e-7}, {L"1e308", true, 1e308},
      {L"inf", true, HUGE_VAL},   {L"-inf", true, -HUGE_VAL},     {L"1e999", false, 0},
      {L"0x10", false, 0},        {L"1.5x", false, 0},            {L"", false, 0},
      {L"1,5", false, 0},         {L".", false, 0},
  };
  for (const Row& row : rows) {
    double got = 7;
    EXPECT_EQ(row.ok, orv::reg::ParseDouble(row.text, &got)) << CString(row.text);
    EXPECT_EQ(row.ok ? row.expected : 7.0, got) << CString(row.text);
  }
}

}  // namespace
