// The resources compiled into the library: the catalogue's definition strings, the other
// strings, dialog 24011 and the six mark bitmaps.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <set>

#include "platform/base/WinStyles.h"
#include "res/LibraryResources.h"
#include "res/RcStandardIds.h"
#include "res/ResourceIds.h"
#include "res/tools/BmpFile.h"

namespace {

const orv::ResourceTable& Table() {
  static const orv::ResourceTable table = orv::res::BuildResourceTable();
  return table;
}

std::vector<std::wstring> Split(const std::wstring& s) {
  std::vector<std::wstring> fields;
  size_t start = 0;
  for (size_t slash; (slash = s.find(L'\\', start)) != std::wstring::npos; start = slash + 1)
    fields.push_back(s.substr(start, slash - start));
  fields.push_back(s.substr(start));
  return fields;
}

// One definition string taken apart.
struct Definition {
  UINT id = 0;
  std::wstring label, group, sizeKey, colorKey, kind;
  int size = 0;
  std::wstring color;
};

std::vector<Definition> Definitions() {
  std::vector<Definition> defs;
  for (const auto& [id, text] : Table().strings) {
    if (id < IDS_COLOR_DEF_FIRST || id > IDS_COLOR_DEF_LAST) continue;
    std::vector<std::wstring> f = Split(text);
    Definition d;
    d.id = id;
    if (f.size() == 7) {
      d = {id, f[0], f[1], f[2], f[3], f[6], std::stoi(f[4]), f[5]};
    } else if (f.size() == 5) {
      d = {id, f[0], f[1], L"", f[2], f[4], 0, f[3]};
    } else {
      ADD_FAILURE() << "definition " << id << " has " << f.size() << " fields";
    }
    defs.push_back(d);
  }
  return defs;
}

std::wstring Stem(const std::wstring& sizeKey) { return sizeKey.substr(0, sizeKey.size() - 5); }

TEST(CatalogueStrings, KindsGroupsAndFieldShapes) {
  std::vector<Definition> defs = Definitions();
  ASSERT_EQ(defs.size(), 222u);
  std::map<std::wstring, int> kinds, groups;
  for (const Definition& d : defs) {
    SCOPED_TRACE(testing::Message() << "id " << d.id);
    ++kinds[d.kind];
    ++groups[d.group];
    EXPECT_FALSE(d.label.empty());
    EXPECT_EQ(d.color.size(), 6u);
    EXPECT_EQ(d.color.find_first_not_of(L"0123456789ABCDEF"), std::wstring::npos);
    if (d.kind == L"FONT") {
      EXPECT_TRUE(d.sizeKey.ends_with(L".Size") || d.sizeKey.ends_with(L".size")) << d.sizeKey;
    }
  }
  EXPECT_EQ(kinds, (std::map<std::wstring, int>{{L"FONT", 130}, {L"LINE", 77}, {L"MARK", 14}, {L"CNSPIC", 1}}));
  EXPECT_EQ(groups, (std::map<std::wstring, int>{{L"STAR", 14}, {L"GCVS", 4},  {L"WDS", 8},   {L"CNS", 13},
                                                 {L"NBL", 39},  {L"PGC", 6},   {L"MW", 3},    {L"SUN", 20},
                                                 {L"PLN", 12},  {L"DPLN", 10}, {L"SAT", 4},   {L"COMET", 9},
                                                 {L"MP", 7},    {L"ASAT", 2},  {L"SC", 3},    {L"MT", 3},
                                                 {L"GRID", 33}, {L"VIEW", 4},  {L"IMAGE", 28}}));
}

TEST(CatalogueStrings, KeysAreDistinctAndNoneBeginsAnother) {
  std::vector<std::wstring> keys;
  for (const Definition& d : Definitions()) {
    if (!d.sizeKey.empty()) keys.push_back(d.sizeKey);
    keys.push_back(d.colorKey);
  }
  ASSERT_EQ(keys.size(), 352u);
  std::sort(keys.begin(), keys.end());
  // In sorted order a key that begins another sorts right before one that it begins.
  for (size_t i = 0; i + 1 < keys.size(); ++i)
    EXPECT_FALSE(keys[i + 1].starts_with(keys[i])) << "'" << testing::PrintToString(keys[i]) << "' begins '"
                                                   << testing::PrintToString(keys[i + 1]) << "'";
}

TEST(CatalogueStrings, DefaultSizesFollowTheRules) {
  const std::set<std::wstring> size16 = {L"Compass"};
  const std::set<std::wstring> size13 = {L"Solar.Sun.Disk.Compass", L"Solar.Moon.Disk.Compass",
                                         L"Solar.Planet.Disk.Compass", L"Solar.DwarfPlanet.Disk.Compass"};
  const std::set<std::wstring> size14 = {
      L"Star.Name", L"Star.EnglishName", L"Constellation.Name", L"Constellation.EnglishName",
      L"Constellation.Abbreviation", L"Asterism.Name", L"DeepSky.GlobularCluster.Name", L"DeepSky.OpenCluster.Name",
      L"DeepSky.PlanetaryNebula.Name", L"DeepSky.DiffuseNebula.Name", L"DeepSky.SupernovaRemnant.Name",
      L"DeepSky.Compound.Name", L"DeepSky.Galaxy.Name", L"DeepSky.PGC.CatalogNumber", L"DeepSky.PGC.AliasName",
      L"Solar.Sun.Name", L"Solar.Sun.EnglishName", L"Solar.Moon.Name", L"Solar.Moon.EnglishName", L"Solar.Planet.Name",
      L"Solar.Planet.EnglishName", L"Solar.DwarfPlanet.Name", L"Solar.DwarfPlanet.EnglishName",
      L"Solar.Planet.Satellite.Name", L"Solar.Planet.Satellite.EnglishName", L"Solar.Comet.Name",
      L"Solar.Comet.EnglishName", L"Solar.MinorPlanet.Name", L"Solar.MinorPlanet.EnglishName",
      L"ArtificialSatellite.Name", L"ArtificialSatellite.Number", L"Solar.Spacecraft.Name",
      L"Solar.Spacecraft.EnglishName"};
  int imageNames = 0, counted[17] = {};
  for (const Definition& d : Definitions()) {
    if (d.kind != L"FONT") continue;
    std::wstring stem = Stem(d.sizeKey);
    bool imageName = stem.starts_with(L"imagedb.") && stem.ends_with(L".name");
    imageNames += imageName;
    int expected = size16.count(stem) ? 16 : size13.count(stem) ? 13 : (size14.count(stem) || imageName) ? 14 : 12;
    EXPECT_EQ(d.size, expected) << testing::PrintToString(d.sizeKey);
    ++counted[std::clamp(d.size, 0, 16)];
  }
  EXPECT_EQ(imageNames, 12);
  EXPECT_EQ(counted[16], 1);
  EXPECT_EQ(counted[13], 4);
  EXPECT_EQ(counted[14], static_cast<int>(size14.size()) + 12);
  EXPECT_EQ(counted[12], 130 - 1 - 4 - 33 - 12);
}

TEST(CatalogueStrings, QuotedDefinitionsAreExact) {
  const auto& s = Table().strings;
  EXPECT_EQ(s.at(24501), L"恒星名(日本語)\\STAR\\Star.Name.Size\\Star.Name.Color\\14\\FFC0C0\\FONT");
  EXPECT_EQ(s.at(24519), L"系外惑星を持つ恒星のマーク\\STAR\\ExoPlanet.Mark.Color\\FFFF80\\MARK");
  EXPECT_EQ(s.at(24524), L"星座線\\CNS\\Constellation.Line.Color\\807000\\LINE");
  EXPECT_EQ(s.at(24527), L"星座絵(%s)\\CNS\\Constellation.Picture.Image.Color\\504038\\CNSPIC");
}

TEST(CatalogueStrings, DefaultColoursAreAllDifferent) {
  std::map<std::wstring, UINT> seen;
  for (const Definition& d : Definitions()) {
    auto [it, added] = seen.emplace(d.color, d.id);
    EXPECT_TRUE(added) << d.id << " has the colour of " << it->second;
  }
}

TEST(CatalogueStrings, IdsWithKeysThatTheCodeReliesOn) {
  // The ids whose order the catalogue rearranges, and the last ones, carry these keys.
  const std::map<UINT, std::wstring> expected = {
      {24517, L"DistanceToStars.Name.Color"}, {24518, L"ExoPlanet.Name.Color"},
      {24655, L"Solar.DwarfPlanet.Vector.Color"}, {24656, L"Solar.Planet.Satellite.Name.Color"},
      {24771, L"DeepSkyImage.Border.Color"},  {24774, L"ClickData.Mark.Color"},
      {24781, L"Star.GCVS.Mark.Color"},        {24785, L"Star.WDS.Primary.Mark.Color"},
      {24800, L"imagedb.star.name.color"},     {24823, L"imagedb.meteor.mark.color"},
  };
  std::map<UINT, std::wstring> actual;
  for (const Definition& d : Definitions())
    if (expected.count(d.id)) actual[d.id] = d.colorKey;
  EXPECT_EQ(actual, expected);
}

TEST(LibraryStrings, DialogRegistryAndParameterTexts) {
  const std::map<UINT, std::wstring> expected = {
      {24140, L"AaBbあぁアァαβ"},
      {24142, L"すべての色・フォントの設定を初期化します。"},
      {24146, L"スカイウィーブ"},
      {24202, L"Dialog\\FileOpen"},
      {24203, L"Path"},
      {24204, L"WindowPos"},
      {24205, L"Path"},
      {24206, L"Dialog\\ColorFont"},
      {24301, L"General"},
      {24302, L"FileId"},
      {24303, L"FileVersion"},
      {24304, L"FileOwner"},
      {24401, L"恒星"},
      {24402, L"星座"},
      {24403, L"変光星(GCVS)"},
      {24404, L"二重星(WDS)"},
      {24405, L"星雲・星団"},
      {24406, L"PGC"},
      {24407, L"天の川・マゼラン雲"},
      {24408, L"太陽・月"},
      {24409, L"惑星"},
      {24410, L"準惑星"},
      {24411, L"衛星"},
      {24412, L"彗星"},
      {24413, L"小惑星"},
      {24414, L"人工衛星"},
      {24415, L"探査機"},
      {24416, L"流星"},
      {24417, L"座標・方位"},
      {24418, L"視野円・写野角・望遠鏡"},
      {24419, L"画像・その他"},
  };
  for (const auto& [id, text] : expected) {
    auto it = Table().strings.find(id);
    ASSERT_NE(it, Table().strings.end()) << id;
    EXPECT_EQ(it->second, text) << id;
  }
  // Nothing besides these and the definitions.
  EXPECT_EQ(Table().strings.size(), expected.size() + 222);
}

TEST(ColorFontDialog, TemplateAsTheDialogExpectsIt) {
  const orv::DialogTemplate& d = Table().dialogs.at(IDD_COLOR_FONT);
  EXPECT_EQ(Table().dialogs.size(), 1u);
  EXPECT_EQ(d.caption, L"色・フォント");
  EXPECT_EQ(d.fontFace, L"MS UI Gothic");
  EXPECT_EQ(d.pointSize, 9);
  EXPECT_EQ((std::array<int, 4>{d.x, d.y, d.cx, d.cy}), (std::array<int, 4>{82, 24, 221, 203}));
  EXPECT_EQ(d.style, static_cast<DWORD>(DS_SETFONT | DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU));
  EXPECT_EQ(d.exStyle, 0u);

  const DWORD child = WS_CHILD | WS_VISIBLE;
  const DWORD button = child | WS_TABSTOP | BS_OWNERDRAW;
  struct Row {
    UINT id;
    const wchar_t* cls;
    const wchar_t* text;
    int x, y, cx, cy;
    DWORD style;
  };
  const Row rows[] = {
      {1135, L"STATIC", L"種類(&I)：", 7, 8, 87, 9, child | SS_LEFT | WS_GROUP},
      {2901, L"SysTreeView32", L"Tree1", 7, 18, 145, 86,
       child | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | TVS_SHOWSELALWAYS | WS_BORDER | WS_HSCROLL | WS_TABSTOP},
      {15002, L"STATIC", L"文字のサイズ(&F)：", 8, 164, 53, 8, child | SS_LEFT | WS_GROUP},
      {15000, L"EDIT", L"", 63, 162, 14, 13, child | ES_LEFT | ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP},
      {15001, L"msctls_updown32", L"Spin1", 77, 162, 9, 13,
       child | UDS_AUTOBUDDY | UDS_SETBUDDYINT | UDS_ARROWKEYS | UDS_NOTHOUSANDS},
      {2902, L"BUTTON", L"色の設定(&C)...", 7, 181, 50, 14, button},
      {2904, L"BUTTON", L"リセット(&D)", 60, 181, 50, 14, button},
      {IDOK, L"BUTTON", L"OK", 158, 7, 56, 14, button},
      {IDCANCEL, L"BUTTON", L"キャンセル", 158, 24, 56, 14, button},
      {57670, L"BUTTON", L"ヘルプ(&H)", 158, 41, 56, 14, button},
      {2905, L"BUTTON", L"すべてリセット(&A)", 158, 61, 56, 14, button},
  };
  ASSERT_EQ(d.items.size(), std::size(rows));
  for (size_t i = 0; i < std::size(rows); ++i) {
    const Row& r = rows[i];
    const orv::DialogItemTemplate& it = d.items[i];
    SCOPED_TRACE(testing::Message() << "control " << r.id);
    EXPECT_EQ(it.id, r.id);
    EXPECT_EQ(it.className, r.cls);
    EXPECT_EQ(it.text, r.text);
    EXPECT_EQ((std::array<int, 4>{it.x, it.y, it.cx, it.cy}), (std::array<int, 4>{r.x, r.y, r.cx, r.cy}));
    EXPECT_EQ(it.style, r.style);
    EXPECT_EQ(it.exStyle, 0u);
  }
}

// --- the mark bitmaps

orv::rc::BmpImage Bitmap(UINT id) {
  const auto& bytes = Table().bitmaps.at(id);
  std::string why;
  std::optional<orv::rc::BmpImage> img = orv::rc::DecodeBmp(bytes, &why);
  if (!img) ADD_FAILURE() << id << ": " << why;
  return img.value_or(orv::rc::BmpImage{});
}

bool Lit(const orv::rc::BmpImage& img, int x, int y) { return img.At(x, y) != RGB(0, 0, 0); }

int LitIn(const orv::rc::BmpImage& img, int left, int top, int w, int h) {
  int n = 0;
  for (int y = top; y < top + h; ++y)
    for (int x = left; x < left + w; ++x) n += Lit(img, x, y);
  return n;
}

// The larger side of the box around the lit pixels of a cell; 0 for an empty cell.
int Extent(const orv::rc::BmpImage& img, int left, int top, int w, int h) {
  int x0 = w, x1 = -1, y0 = h, y1 = -1;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      if (Lit(img, left + x, top + y)) {
        x0 = std::min(x0, x);
        x1 = std::max(x1, x);
        y0 = std::min(y0, y);
        y1 = std::max(y1, y);
      }
  return x1 < 0 ? 0 : std::max(x1 - x0, y1 - y0) + 1;
}

TEST(MarkBitmaps, SizesDepthsAndColours) {
  struct Row {
    UINT id;
    int width, height;
    std::set<int> depths;
    bool greys;  // grey levels besides black and white
  };
  const Row rows[] = {
      {IDB_MARK_DEEPSKY, 171, 27, {1, 4}, false}, {IDB_MARK_METEOR, 15, 15, {1}, false},
      {IDB_MARK_CLICK, 17, 17, {1, 4}, false},    {IDB_MARK_TELESCOPE, 17, 17, {1, 4}, false},
      {IDB_MARK_VARIABLE, 9, 27, {1, 4}, false},  {IDB_MARK_DOUBLE, 11, 33, {4}, true},
  };
  EXPECT_EQ(Table().bitmaps.size(), std::size(rows));
  for (const Row& r : rows) {
    SCOPED_TRACE(testing::Message() << "bitmap " << r.id);
    orv::rc::BmpImage img = Bitmap(r.id);
    EXPECT_EQ(img.width, r.width);
    EXPECT_EQ(img.height, r.height);
    EXPECT_TRUE(r.depths.count(img.bitCount)) << img.bitCount << " bits";
    bool grey = false;
    for (COLORREF c : img.pixels) {
      bool neutral = GetRValue(c) == GetGValue(c) && GetGValue(c) == GetBValue(c);
      ASSERT_TRUE(neutral) << std::hex << c;
      grey = grey || (c != RGB(0, 0, 0) && c != RGB(255, 255, 255));
    }
    EXPECT_EQ(grey, r.greys);
    // White symbols on black: most of every bitmap is background.
    EXPECT_LT(LitIn(img, 0, 0, img.width, img.height) * 2, img.width * img.height);
  }
}

TEST(MarkBitmaps, DeepSkyCellsHoldTheirSymbolsInThreeSizes) {
  orv::rc::BmpImage img = Bitmap(IDB_MARK_DEEPSKY);
  for (int column : {0, 9, 18, 27, 36, 45, 54, 144}) {
    SCOPED_TRACE(testing::Message() << "column " << column);
    EXPECT_EQ(Extent(img, column, 0, 9, 9), 9);
    EXPECT_EQ(Extent(img, column, 9, 9, 9), 7);
    EXPECT_EQ(Extent(img, column, 18, 9, 9), 5);
  }
  // Globular cluster: a centre dot inside a ring of dots; open cluster: dots on the axes only.
  EXPECT_TRUE(Lit(img, 27 + 4, 4));
  EXPECT_FALSE(Lit(img, 27 + 3, 4));
  EXPECT_TRUE(Lit(img, 18 + 4, 0));
  EXPECT_FALSE(Lit(img, 18 + 1, 1));
  // Galaxy: wider than high.
  EXPECT_EQ(LitIn(img, 36, 0, 9, 2) + LitIn(img, 36, 7, 9, 2), 0);
  EXPECT_TRUE(Lit(img, 36, 4) && Lit(img, 36 + 8, 4));
  // Star with planets: the diagonal stroke runs corner to corner of the large cell.
  EXPECT_TRUE(Lit(img, 144, 8) && Lit(img, 144 + 8, 0));
}

TEST(MarkBitmaps, SingleMarksPointAtAnOpenCentre) {
  orv::rc::BmpImage meteor = Bitmap(IDB_MARK_METEOR);
  EXPECT_FALSE(Lit(meteor, 7, 7));
  EXPECT_EQ(LitIn(meteor, 0, 4, 15, 1), 15);   // a full horizontal stroke
  EXPECT_EQ(LitIn(meteor, 10, 0, 1, 15), 15);  // a full vertical stroke

  orv::rc::BmpImage click = Bitmap(IDB_MARK_CLICK);
  EXPECT_FALSE(Lit(click, 8, 8));
  EXPECT_TRUE(Lit(click, 8, 0) && Lit(click, 8, 16) && Lit(click, 0, 8) && Lit(click, 16, 8));
  EXPECT_EQ(LitIn(click, 0, 0, 4, 4), 0);

  orv::rc::BmpImage scope = Bitmap(IDB_MARK_TELESCOPE);
  EXPECT_FALSE(Lit(scope, 8, 8));
  EXPECT_TRUE(Lit(scope, 0, 0) && Lit(scope, 16, 0) && Lit(scope, 0, 16) && Lit(scope, 16, 16));
  EXPECT_FALSE(Lit(scope, 8, 0));
}

TEST(MarkBitmaps, StackedStarMarksShrinkCellByCell) {
  orv::rc::BmpImage variable = Bitmap(IDB_MARK_VARIABLE);
  EXPECT_TRUE(Lit(variable, 4, 4));        // filled centre
  EXPECT_TRUE(Lit(variable, 4, 9 + 4));    // cross centre
  EXPECT_FALSE(Lit(variable, 4, 18 + 4));  // ring: open
  EXPECT_GT(Extent(variable, 0, 0, 9, 9), Extent(variable, 0, 9, 9, 9));
  EXPECT_GT(Extent(variable, 0, 9, 9, 9), Extent(variable, 0, 18, 9, 9));

  orv::rc::BmpImage dbl = Bitmap(IDB_MARK_DOUBLE);
  for (int cell = 0; cell < 3; ++cell) {
    SCOPED_TRACE(testing::Message() << "cell " << cell);
    int top = 11 * cell;
    EXPECT_EQ(dbl.At(5, top + 5), RGB(255, 255, 255));  // the stroke through the middle
    EXPECT_EQ(dbl.At(5, top + 4), RGB(0, 0, 0));        // inside the circle, off the stroke
    EXPECT_GT(LitIn(dbl, 5, top, 1, 4), 0);              // the circle above it
  }
  // The large stroke reaches both edges of its cell, beyond the circle.
  EXPECT_EQ(dbl.At(0, 5), RGB(255, 255, 255));
  EXPECT_EQ(dbl.At(10, 5), RGB(255, 255, 255));
}

TEST(MarkBitmaps, EmbeddedBytesAreTheCommittedFiles) {
  const std::map<UINT, const char*> files = {
      {IDB_MARK_DEEPSKY, "mark_deepsky.bmp"}, {IDB_MARK_METEOR, "mark_meteor.bmp"},
      {IDB_MARK_CLICK, "mark_click.bmp"},     {IDB_MARK_TELESCOPE, "mark_telescope.bmp"},
      {IDB_MARK_VARIABLE, "mark_variable.bmp"}, {IDB_MARK_DOUBLE, "mark_double.bmp"},
  };
  for (const auto& [id, name] : files) {
    std::ifstream in(std::filesystem::path(ORV_SOURCE_DIR) / "res" / "bitmaps" / name, std::ios::binary);
    std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    EXPECT_EQ(Table().bitmaps.at(id), bytes) << name;
  }
}

}  // namespace
