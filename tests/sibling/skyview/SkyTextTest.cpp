// The sky view's text language: which texts are understood, and as what.
#include <gtest/gtest.h>

#include "sibling/skyview/SkyText.h"

namespace {

using orv::ParseSkyText;
using orv::SkyText;
using orv::SkyValue;
using orv::SkyValueKind;
using Type = SkyText::Type;

SkyValue Size(DWORD v) { return {SkyValueKind::Size, v}; }
SkyValue Color(int r, int g, int b) { return {SkyValueKind::Color, RGB(r, g, b)}; }

struct SettingRow {
  const wchar_t *text, *key;
  SkyValue value;
  bool hasDefault;
  SkyValue byDefault;
};

const SettingRow kSettings[] = {
    {L"Star.Name.Size = 14", L"Star.Name.Size", Size(14), false, {}},
    {L"Star.Name.Color = RGB(255, 128, 0)", L"Star.Name.Color", Color(255, 128, 0), false, {}},
    {L"Star.Name.Size = 14; Default Star.Name.Size = 14", L"Star.Name.Size", Size(14), true, Size(14)},
    {L"K = RGB(1, 2, 3); Default K = RGB(4, 5, 6)", L"K", Color(1, 2, 3), true, Color(4, 5, 6)},
    {L"K = 12; default K = 12", L"K", Size(12), true, Size(12)},  // command-file form
    {L"K = 12;default K = 12", L"K", Size(12), true, Size(12)},   // the other command-file form
    {L"K = 12;DEFAULT\tK = 13", L"K", Size(12), true, Size(13)},
    {L" \tK=7\t ", L"K", Size(7), false, {}},
    {L"K = rgb( 0 ,0,  255 )", L"K", Color(0, 0, 255), false, {}},
    {L"K = RGB(000, 007, 255)", L"K", Color(0, 7, 255), false, {}},
    {L"K = 999999999", L"K", Size(999999999), false, {}},
    // Blanks before the semicolon and more than one after the word.
    {L"K = 5 ; default  K = 5", L"K", Size(5), true, Size(5)},
};

TEST(SkyText, SettingsAreUnderstoodWithTheirKeyAndValues) {
  for (const SettingRow& r : kSettings) {
    SCOPED_TRACE(CString(r.text).ToUtf8());
    SkyText t = ParseSkyText(r.text);
    ASSERT_EQ(t.type, Type::Settings);
    EXPECT_EQ(t.current.key, r.key);
    EXPECT_EQ(t.current.value, r.value);
    EXPECT_EQ(t.hasDefault, r.hasDefault);
    if (r.hasDefault) {
      EXPECT_EQ(t.byDefault.key, r.key);
      EXPECT_EQ(t.byDefault.value, r.byDefault);
    }
  }
}

const wchar_t* const kNotUnderstood[] = {
    L"",
    L"; default ",                           // a blank command-file line with its default
    L"K =",
    L"= 5",
    L"K = 5;",
    L"K = 5; K = 5",                         // second clause without "default"
    L"K = 5; defaultK = 5",
    L"K = 5; Default Q = 5",                 // default for another key
    L"K = 5; Default K = RGB(1, 2, 3)",      // default of another kind
    L"K = 5; Default K = 5; Default K = 5",
    L"K = -5",
    L"K = 5x",
    L"K = 0x10",
    L"K = 9999999999",                       // more digits than a size can have
    L"K = RGB(256, 0, 0)",
    L"K = RGB(1, 2)",
    L"K = RGB(1, 2, 3, 4)",
    L"K = RGB(1, 2, 3) x",
    L"K = RGB(-1, 2, 3)",
    L"K = RGBA(1, 2, 3)",
    L"?",
    L"? a b",
    L"Show Sky now",
    L"Show  Sky",
    L"# K = 5",
};

TEST(SkyText, MalformedTextsAreNotUnderstood) {
  for (const wchar_t* text : kNotUnderstood) {
    SCOPED_TRACE(CString(text).ToUtf8());
    EXPECT_EQ(ParseSkyText(text).type, Type::NotUnderstood);
  }
}

TEST(SkyText, QueriesAndShowSky) {
  SkyText t = ParseSkyText(L"  ?\tConstellation.Picture.Image.File  ");
  ASSERT_EQ(t.type, Type::Query);
  EXPECT_EQ(t.queryKey, L"Constellation.Picture.Image.File");
  EXPECT_EQ(ParseSkyText(L"?Star.Name.Color").queryKey, L"Star.Name.Color");
  EXPECT_EQ(ParseSkyText(L"\tshow SKY ").type, Type::ShowSky);
}

TEST(SkyText, ValuesAreFormattedAsTheQueriesAnswer) {
  EXPECT_EQ(orv::FormatSkyValue(Size(14)), L"14");
  EXPECT_EQ(orv::FormatSkyValue(Color(192, 192, 255)), L"RGB(192, 192, 255)");
  EXPECT_EQ(orv::FormatSkyValue(SkyValue{SkyValueKind::Color, 0x504038}), L"RGB(56, 64, 80)");
  // Every formatted value reads back as itself.
  for (SkyValue v : {Size(4), Size(50), Color(0, 0, 0), Color(255, 255, 255), Color(1, 20, 255)}) {
    SkyText t = ParseSkyText((L"K = " + orv::FormatSkyValue(v)).str());
    ASSERT_EQ(t.type, Type::Settings);
    EXPECT_EQ(t.current.value, v);
  }
}

}  // namespace
