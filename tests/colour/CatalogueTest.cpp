// The colour and font catalogue built from the library's definition strings and the
// constellation-picture sets of a real registry store in a fresh folder.
#include <gtest/gtest.h>

#include <climits>
#include <map>
#include <set>
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
    for (size_t i = 0; i < all.size(); ++i)
      if (all[i].nID == id) return static_cast<int>(i);
    return -1;
  }

  orv::test::TempRegistry registry;
};

TEST_F(CatalogueTest, WithoutPictureSetsGroupsFollowTheTreeOrder) {
  COrvColor catalogue(L"", L"");
  std::vector<SColorEntry> all = Entries(catalogue);
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
}

TEST_F(CatalogueTest, CatalogueOrderIsNotIdOrder) {
  std::vector<SColorEntry> all = Entries(COrvColor(L"", L""));
  ASSERT_EQ(all.size(), 221u);
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
  struct Row {
    int id;
    const wchar_t *label, *group, *sizeKey, *colorKey, *kind;
    int size;
    COLORREF color;
  };
  const Row rows[] = {
      {24501, L"恒星名(日本語)", L"STAR", L"Star.Name.Size", L"Star.Name.Color", L"FONT", 14, RGB(192, 192, 255)},
      {24519, L"系外惑星を持つ恒星のマーク", L"STAR", L"", L"ExoPlanet.Mark.Color", L"MARK", 0, RGB(128, 255, 255)},
      {24524, L"星座線", L"CNS", L"", L"Constellation.Line.Color", L"LINE", 0, RGB(0, 0x70, 0x80)},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(testing::Message() << "id " << r.id);
    int i = IndexOf(all, r.id);
    ASSERT_GE(i, 0);
    const SColorEntry& e = all[static_cast<size_t>(i)];
    EXPECT_EQ(e.strLabel, r.label);
    EXPECT_EQ(e.strGroup, r.group);
    EXPECT_EQ(e.strSizeKey, r.sizeKey);
    EXPECT_EQ(e.strColorKey, r.colorKey);
    EXPECT_EQ(e.strKind, r.kind);
    EXPECT_EQ(e.nDefaultSize, r.size);
    EXPECT_EQ(e.crDefault, r.color);
    EXPECT_TRUE(e.strRegKey.IsEmpty());
    EXPECT_TRUE(e.strFile.IsEmpty());
    EXPECT_EQ(e.crCurrent, 0u);
  }

  // Two keys joined by "with": the size key and the colour key differ in their letter case.
  const SColorEntry& remnant = all[static_cast<size_t>(IndexOf(all, 24557))];
  EXPECT_EQ(remnant.strSizeKey, L"DeepSky.SupernovaRemnant.Name.Size");
  EXPECT_EQ(remnant.strColorKey, L"DeepSky.SuperNovaRemnant.Name.Color");
  EXPECT_EQ(remnant.nDefaultSize, 14);
}

TEST_F(CatalogueTest, PictureSetsStandTogetherWhereTheirDefinitionStands) {
  orv::test::RegisterShippedPictureSets();
  CCnsPic().SetColor(2, RGB(1, 2, 3));

  std::vector<SColorEntry> all = Entries(COrvColor(L"", L""));
  ASSERT_EQ(all.size(), 224u);
  int first = IndexOf(all, 24525) + 1;
  EXPECT_EQ(all[static_cast<size_t>(first + 3)].nID, 24531);

  struct Row {
    const wchar_t *label, *regKey, *file;
    COLORREF def, current;
  };
  const Row rows[] = {
      {L"星座絵(標準)", L"CnsPic\\1", L".\\constellation\\CnsPic\\CnsPic.lst", 0x504038, kCommonPictureDefault},
      {L"星座絵(西洋)", L"CnsPic\\2", L".\\constellation\\Western\\Western.lst", 0x0080FF, RGB(1, 2, 3)},
      {L"星座絵(中国)", L"CnsPic\\3", L".\\constellation\\Chinese\\Chinese.lst", 0x40C040, kCommonPictureDefault},
  };
  for (int k = 0; k < 3; ++k) {
    SCOPED_TRACE(testing::Message() << "set " << k + 1);
    const SColorEntry& e = all[static_cast<size_t>(first + k)];
    const Row& r = rows[k];
    EXPECT_EQ(e.nID, 24527);
    EXPECT_EQ(e.strKind, L"CNSPIC");
    EXPECT_EQ(e.strGroup, L"CNS");
    EXPECT_EQ(e.strColorKey, L"Constellation.Picture.Image.Color");
    EXPECT_TRUE(e.strSizeKey.IsEmpty());
    EXPECT_EQ(e.nDefaultSize, 0);
    EXPECT_EQ(e.strLabel, r.label);
    EXPECT_EQ(e.strRegKey, r.regKey);
    EXPECT_EQ(e.strFile, r.file);
    EXPECT_EQ(e.crDefault, r.def);
    EXPECT_EQ(e.crCurrent, r.current);
  }
}

TEST_F(CatalogueTest, ASetsLabelIsTextNeverAFormat) {
  // A set label with format characters, one with no label, one whose colour is not hex.
  orv::test::RegisterPictureSet(L"4", L"a.lst", L"100%s %d%%", L"zz");
  orv::test::RegisterPictureSet(L"5", L"b.lst", nullptr, L"0000FF");
  std::vector<SColorEntry> all = Entries(COrvColor(L"", L""));
  ASSERT_EQ(all.size(), 223u);
  int first = IndexOf(all, 24527);
  EXPECT_EQ(all[static_cast<size_t>(first)].strLabel, L"星座絵(100%s %d%%)");
  EXPECT_EQ(all[static_cast<size_t>(first)].crDefault, kCommonPictureDefault);
  EXPECT_EQ(all[static_cast<size_t>(first + 1)].strLabel, L"星座絵()");
  EXPECT_EQ(all[static_cast<size_t>(first + 1)].crDefault, RGB(255, 0, 0));
  EXPECT_EQ(all[static_cast<size_t>(first + 1)].strRegKey, L"CnsPic\\5");
}

TEST_F(CatalogueTest, BuiltOnceAtConstruction) {
  COrvColor before(L"", L"");
  orv::test::RegisterPictureSet(L"1", L"x.lst", L"X", L"123456");
  EXPECT_EQ(before.GetCount(), 221);
  EXPECT_EQ(COrvColor(L"", L"").GetCount(), 222);
}

TEST_F(CatalogueTest, OutOfRangeIndexShowsTheMessageAndGivesAnEmptyEntry) {
  orv::test::MessageLog messages;
  std::vector<orv::MessageBoxRequest>& shown = messages.boxes;
  COrvColor catalogue(L"", L"");
  const int count = catalogue.GetCount();
  for (int index : {-1, count, INT_MIN, INT_MAX}) {
    SCOPED_TRACE(index);
    shown.clear();
    SColorEntry e = catalogue.GetColorEntry(index);
    ASSERT_EQ(shown.size(), 1u);
    CString text;
    text.Format(L"COrvColor::GetAColorEntry(): Index %d out of range.", index);
    EXPECT_EQ(shown[0].text, text);
    EXPECT_EQ(shown[0].type & MB_TYPEMASK, static_cast<UINT>(MB_OK));
    EXPECT_EQ(e.nID, 0);
    EXPECT_TRUE(e.strLabel.IsEmpty() && e.strColorKey.IsEmpty() && e.strSizeKey.IsEmpty() && e.strKind.IsEmpty() &&
                e.strGroup.IsEmpty() && e.strRegKey.IsEmpty() && e.strFile.IsEmpty());
    EXPECT_EQ(e.crDefault, 0u);
    EXPECT_EQ(e.crCurrent, 0u);
    EXPECT_EQ(e.nDefaultSize, 0);
  }
  shown.clear();
  catalogue.GetColorEntry(count - 1);
  EXPECT_TRUE(shown.empty());
}

}  // namespace
