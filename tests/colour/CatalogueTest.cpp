// The colour and font catalogue built from the library's definition strings and the
// constellation-picture sets of a real registry store in a fresh folder.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "colour/CnsPic.h"
#include "colour/ColorGroups.h"
#include "colour/OrvColor.h"
#include "sibling/skyview/CorLum.h"
#include "support/MessageLog.h"
#include "support/PictureSets.h"
#include "support/TempRegistry.h"

namespace {

constexpr COLORREF kCommonPictureDefault = 0x504038;

class CatalogueTest : public testing::Test {
protected:
  static std::vector<SColorEntry> Entries(const COrvColor& catalogue) {
    std::vector<SColorEntry> all;
    for (int i = 0; i < catalogue.GetCount(); ++i) all.push_back(catalogue.GetColorEntry(i));
    return all;
  }
  static int IndexOf(const std::vector<SColorEntry>& all, int id) {
    const auto at = std::ranges::find(all, id, &SColorEntry::nID);
    return at == all.end() ? -1 : static_cast<int>(at - all.begin());
  }
  // Every field, so that one comparison covers a whole entry and a failure prints it.
  static auto Fields(const SColorEntry& e) {
    return std::tuple(e.nID, e.strLabel, e.strColorKey, e.strSizeKey, e.crDefault, e.nDefaultSize, e.strKind,
                      e.strGroup, e.strRegKey, e.strFile, e.crCurrent);
  }
  static SColorEntry Picture(const wchar_t* label, const wchar_t* regKey, const wchar_t* file, COLORREF byDefault,
                             COLORREF current = kCommonPictureDefault) {
    const wchar_t* key = L"Constellation.Picture.Image.Color";
    return {24527, label, key, L"", byDefault, 0, L"CNSPIC", L"CNS", regKey, file, current};
  }

  orv::test::TempRegistry registry;
};

TEST_F(CatalogueTest, WithoutPictureSetsEntriesFollowTheTreeOrderNotTheIdOrder) {
  std::vector<SColorEntry> all = Entries(COrvColor(L"", L""));
  ASSERT_EQ(all.size(), 221u);

  // Each group is one run of entries, in the order of the dialog's groups.
  std::vector<std::pair<CString, int>> runs;
  for (const SColorEntry& e : all) {
    if (runs.empty() || runs.back().first != e.strGroup) runs.emplace_back(e.strGroup, 0);
    ++runs.back().second;
  }
  const std::vector<std::pair<CString, int>> expected = {
      {L"STAR", 14}, {L"GCVS", 4}, {L"WDS", 8},   {L"CNS", 12},  {L"NBL", 39}, {L"PGC", 6}, {L"MW", 3},
      {L"SUN", 20},  {L"PLN", 12}, {L"DPLN", 10}, {L"SAT", 4},   {L"COMET", 9}, {L"MP", 7}, {L"ASAT", 2},
      {L"SC", 3},    {L"MT", 3},   {L"GRID", 33}, {L"VIEW", 4},  {L"IMAGE", 28}};
  EXPECT_EQ(runs, expected);
  const CStringArray& keys = orv::ColorGroupKeys();
  ASSERT_EQ(keys.GetSize(), orv::kColorGroupCount);
  for (int i = 0; i < keys.GetSize(); ++i) EXPECT_EQ(keys[i], expected[static_cast<size_t>(i)].first);

  EXPECT_EQ(all.front().nID, 24501);
  EXPECT_GT(IndexOf(all, 24517), IndexOf(all, 24518));
  EXPECT_GT(IndexOf(all, 24517), IndexOf(all, 24519));
  EXPECT_EQ(IndexOf(all, 24781), 14);  // the variable stars follow the stars
  EXPECT_EQ(IndexOf(all, 24531), IndexOf(all, 24525) + 1);
  EXPECT_EQ(IndexOf(all, 24527), -1);
  EXPECT_GT(IndexOf(all, 24583), IndexOf(all, 24585));
  EXPECT_GT(IndexOf(all, 24626), IndexOf(all, 24630));
  for (int i = 0; i < 4; ++i) EXPECT_EQ(all[all.size() - 4 + static_cast<size_t>(i)].nID, 24771 + i);
  std::set<int> ids;
  for (const SColorEntry& e : all) ids.insert(e.nID);
  EXPECT_EQ(ids.size(), all.size());
}

TEST_F(CatalogueTest, EntriesCarryTheFieldsOfTheirKind) {
  std::vector<SColorEntry> all = Entries(COrvColor(L"", L""));
  auto entry = [](int id, const wchar_t* label, const wchar_t* colorKey, const wchar_t* sizeKey, COLORREF color,
                  int size, const wchar_t* kind, const wchar_t* group) {
    return SColorEntry{id, label, colorKey, sizeKey, color, size, kind, group, L"", L"", 0};
  };
  const SColorEntry expected[] = {
      entry(24501, L"恒星名(日本語)", L"Star.Name.Color", L"Star.Name.Size", RGB(192, 192, 255), 14, L"FONT", L"STAR"),
      entry(24519, L"系外惑星を持つ恒星のマーク", L"ExoPlanet.Mark.Color", L"", RGB(128, 255, 255), 0, L"MARK",
            L"STAR"),
      entry(24524, L"星座線", L"Constellation.Line.Color", L"", RGB(0, 0x70, 0x80), 0, L"LINE", L"CNS"),
      // Two keys joined by "with": the size key and the colour key differ in their letter case.
      entry(24557, L"超新星残骸名", L"DeepSky.SuperNovaRemnant.Name.Color", L"DeepSky.SupernovaRemnant.Name.Size",
            RGB(0xBD, 0xFF, 0xC4), 14, L"FONT", L"NBL"),
  };
  for (const SColorEntry& e : expected) {
    const int i = IndexOf(all, e.nID);
    ASSERT_GE(i, 0) << e.nID;
    EXPECT_EQ(Fields(all[static_cast<size_t>(i)]), Fields(e));
  }
}

TEST_F(CatalogueTest, PictureSetsStandTogetherWhereTheirDefinitionStands) {
  orv::test::RegisterShippedPictureSets();
  CCnsPic().SetColor(2, RGB(1, 2, 3));
  std::vector<SColorEntry> all = Entries(COrvColor(L"", L""));
  ASSERT_EQ(all.size(), 224u);
  const size_t first = static_cast<size_t>(IndexOf(all, 24525) + 1);
  EXPECT_EQ(all[first + 3].nID, 24531);
  const SColorEntry expected[] = {
      Picture(L"星座絵(標準)", L"CnsPic\\1", orv::test::kStandardPictures, 0x504038),
      Picture(L"星座絵(西洋)", L"CnsPic\\2", orv::test::kWesternPictures, 0x0080FF, RGB(1, 2, 3)),
      Picture(L"星座絵(中国)", L"CnsPic\\3", orv::test::kChinesePictures, 0x40C040),
  };
  for (size_t k = 0; k < 3; ++k) EXPECT_EQ(Fields(all[first + k]), Fields(expected[k])) << "set " << k + 1;
}

TEST_F(CatalogueTest, ASetsLabelIsTextNeverAFormat) {
  // A set label with format characters, one with no label, one whose colour is not hex.
  orv::test::RegisterPictureSet(L"4", L"a.lst", L"100%s %d%%", L"zz");
  orv::test::RegisterPictureSet(L"5", L"b.lst", nullptr, L"0000FF");
  std::vector<SColorEntry> all = Entries(COrvColor(L"", L""));
  ASSERT_EQ(all.size(), 223u);
  const size_t first = static_cast<size_t>(IndexOf(all, 24527));
  EXPECT_EQ(Fields(all[first]), Fields(Picture(L"星座絵(100%s %d%%)", L"CnsPic\\4", L"a.lst", kCommonPictureDefault)));
  EXPECT_EQ(Fields(all[first + 1]), Fields(Picture(L"星座絵()", L"CnsPic\\5", L"b.lst", RGB(255, 0, 0))));
}

TEST_F(CatalogueTest, BuiltOnceAtConstruction) {
  COrvColor before(L"", L"");
  orv::test::RegisterPictureSet(L"1", L"x.lst", L"X", L"123456");
  EXPECT_EQ(std::pair(before.GetCount(), COrvColor(L"", L"").GetCount()), std::pair(221, 222));
}

TEST_F(CatalogueTest, OutOfRangeIndexShowsTheMessageAndGivesAnEmptyEntry) {
  orv::test::MessageLog messages;
  COrvColor catalogue(L"", L"");
  const int count = catalogue.GetCount();
  for (int index : {-1, count, INT_MIN, INT_MAX}) {
    SCOPED_TRACE(index);
    messages.boxes.clear();
    EXPECT_EQ(Fields(catalogue.GetColorEntry(index)), Fields(SColorEntry{}));
    ASSERT_EQ(messages.boxes.size(), 1u);
    EXPECT_EQ(messages.boxes[0].text,
              L"COrvColor::GetAColorEntry(): Index " + CString(std::to_wstring(index).c_str()) + L" out of range.");
    EXPECT_EQ(messages.boxes[0].type & MB_TYPEMASK, static_cast<UINT>(MB_OK));
  }
  messages.boxes.clear();
  catalogue.GetColorEntry(count - 1);
  EXPECT_TRUE(messages.boxes.empty());
}

}  // namespace
