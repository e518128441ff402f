// The cleaning and formatting rules of the numeric fields, row by row.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "dialogs/detail/NumberText.h"

namespace {

TEST(NumberTextTest, CleaningKeepsOneNumberAndSaysWhetherItChangedAnything) {
  struct Row {
    const wchar_t* text;
    int allowPoint, allowSign;
    const wchar_t* cleaned;
    int changed;
  } rows[] = {
      {L"", 1, 1, L"", 0},          {L"0", 0, 0, L"0", 0},        {L"07", 0, 0, L"07", 0},
      {L"0012", 0, 0, L"012", 1},   {L"000", 0, 0, L"0", 1},      {L"00.5", 1, 0, L"0.5", 1},
      {L"+0012", 0, 1, L"+0012", 0}, {L"-0012", 0, 1, L"-0012", 0}, {L" 0012", 0, 0, L"0012", 1},
      {L"12a3", 0, 0, L"123", 1},   {L"-5", 0, 0, L"5", 1},       {L"-5", 0, 1, L"-5", 0},
      {L"-", 0, 1, L"-", 0},        {L"-", 0, 0, L"", 1},         {L"x", 1, 1, L"", 1},
      {L"7", 0, 0, L"7", 0},        {L"1.2.3", 1, 0, L"1.23", 1}, {L"1.5", 0, 0, L"15", 1},
      {L".5", 1, 0, L".5", 0},      {L".5", 0, 0, L"5", 1},       {L"1e5", 1, 1, L"15", 1},
      {L"1-2+3", 0, 1, L"123", 1},  {L"1 234,5", 1, 0, L"12345", 1}, {L"+.5.", 1, 1, L"+.5", 1},
      {L"abc", 1, 1, L"", 1},
  };
  for (const Row& r : rows) {
    std::wstring text = r.text;
    EXPECT_EQ(NormalizeNumberText(text.data(), r.allowPoint, r.allowSign), r.changed) << r.text;
    EXPECT_EQ(std::wstring(text.c_str()), r.cleaned) << r.text;
  }
}

TEST(NumberTextTest, DecimalsShowWithoutTrailingZerosAndHugeOnesInExponentForm) {
  struct Row {
    double value;
    const wchar_t* shown;
  } rows[] = {{2.5, L"2.5"},      {3.0, L"3"},   {0.1234567, L"0.123457"}, {1e-7, L"0"}, {-0.5, L"-0.5"},
              {100.0, L"100"},    {1e247, nullptr}, {1e300, L"1e+300"},  {-2.5e260, L"-2.5e+260"}};
  for (const Row& r : rows) {
    CString shown = orv::dialogs::FormatDecimal(r.value);
    EXPECT_LE(shown.GetLength(), orv::dialogs::kMaxNumberText);
    if (r.shown != nullptr) {
      EXPECT_EQ(shown, r.shown) << r.value;
    }
    double back = 0;
    if (orv::dialogs::IsOversizedDecimal(shown, &back)) {
      EXPECT_EQ(back, r.value);
    }
  }
  EXPECT_EQ(orv::dialogs::FormatDecimal(2.5, L"%.3f"), L"2.500");
  EXPECT_EQ(orv::dialogs::FormatDecimal(1e300, L"%f"), L"1e+300");
  double v = 0;
  EXPECT_FALSE(orv::dialogs::IsOversizedDecimal(L"1e5", &v));  // fits the fixed form: cleaned as typed
  EXPECT_FALSE(orv::dialogs::IsOversizedDecimal(L"1e300x", &v));
  wchar_t trimmed[] = L"120.500";
  TrimTrailingZeros(trimmed);
  EXPECT_EQ(std::wstring(trimmed), L"120.5");
  wchar_t whole[] = L"1200";
  TrimTrailingZeros(whole);
  EXPECT_EQ(std::wstring(whole), L"1200");
}

}  // namespace
