// The resources compiled into the library: the rules the catalogue's definition strings
// keep, and the six mark bitmaps, embedded as committed and decodable.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <ranges>
#include <string>
#include <vector>

#include "res/LibraryResources.h"
#include "res/ResourceIds.h"
#include "res/tools/BmpFile.h"
#include "support/FileBytes.h"

namespace {

const orv::ResourceTable& Table() {
  static const orv::ResourceTable table = orv::res::BuildResourceTable();
  return table;
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
    std::vector<std::wstring> f;  // the fields between backslashes
    for (auto field : std::views::split(text, L'\\')) f.emplace_back(field.begin(), field.end());
    if (f.size() == 7)
      defs.push_back({id, f[0], f[1], f[2], f[3], f[6], std::stoi(f[4]), f[5]});
    else if (f.size() == 5)
      defs.push_back({id, f[0], f[1], L"", f[2], f[4], 0, f[3]});
    else
      ADD_FAILURE() << "definition " << id << " has " << f.size() << " fields";
  }
  return defs;
}

TEST(CatalogueStrings, FieldShapes) {
  std::vector<Definition> defs = Definitions();
  ASSERT_EQ(defs.size(), 222u);
  for (const Definition& d : defs) {
    SCOPED_TRACE(testing::Message() << "id " << d.id);
    EXPECT_FALSE(d.label.empty());
    EXPECT_EQ(d.color.size(), 6u);
    EXPECT_EQ(d.color.find_first_not_of(L"0123456789ABCDEF"), std::wstring::npos);
    if (d.kind == L"FONT") {
      EXPECT_TRUE(d.sizeKey.ends_with(L".Size") || d.sizeKey.ends_with(L".size")) << d.sizeKey;
    }
  }
}

TEST(CatalogueStrings, KeysAreDistinctNoneBeginsAnotherAndDefaultColoursDiffer) {
  std::vector<std::wstring> keys;
  std::map<std::wstring, UINT> colours;
  for (const Definition& d : Definitions()) {
    if (!d.sizeKey.empty()) keys.push_back(d.sizeKey);
    keys.push_back(d.colorKey);
    auto [it, added] = colours.emplace(d.color, d.id);
    EXPECT_TRUE(added) << d.id << " has the colour of " << it->second;
  }
  ASSERT_EQ(keys.size(), 352u);
  std::sort(keys.begin(), keys.end());
  // In sorted order a key that begins another sorts right before one that it begins.
  for (size_t i = 0; i + 1 < keys.size(); ++i)
    EXPECT_FALSE(keys[i + 1].starts_with(keys[i])) << "'" << testing::PrintToString(keys[i]) << "' begins '"
                                                   << testing::PrintToString(keys[i + 1]) << "'";
}

TEST(MarkBitmaps, AreGreyWhiteSymbolsOnBlack) {
  EXPECT_EQ(Table().bitmaps.size(), 6u);
  for (const auto& [id, bytes] : Table().bitmaps) {
    SCOPED_TRACE(testing::Message() << "bitmap " << id);
    std::string why;
    const std::optional<orv::rc::BmpImage> img = orv::rc::DecodeBmp(bytes, &why);
    ASSERT_TRUE(img && !img->pixels.empty()) << why;
    for (COLORREF c : img->pixels)
      ASSERT_TRUE(GetRValue(c) == GetGValue(c) && GetGValue(c) == GetBValue(c)) << std::hex << c;
    // Most of every bitmap is background.
    EXPECT_LT(std::count_if(img->pixels.begin(), img->pixels.end(), [](COLORREF c) { return c != RGB(0, 0, 0); }) * 2,
              img->width * img->height);
  }
}

TEST(MarkBitmaps, EmbeddedBytesAreTheCommittedFiles) {
  const std::map<UINT, const char*> files = {
      {IDB_MARK_DEEPSKY, "mark_deepsky.bmp"}, {IDB_MARK_METEOR, "mark_meteor.bmp"},
      {IDB_MARK_CLICK, "mark_click.bmp"},     {IDB_MARK_TELESCOPE, "mark_telescope.bmp"},
      {IDB_MARK_VARIABLE, "mark_variable.bmp"}, {IDB_MARK_DOUBLE, "mark_double.bmp"},
  };
  for (const auto& [id, name] : files) {
    const std::string bytes = orv::test::ReadFileBytes(std::string(ORV_SOURCE_DIR) + "/res/bitmaps/" + name);
    EXPECT_EQ(Table().bitmaps.at(id), std::vector<std::uint8_t>(bytes.begin(), bytes.end())) << name;
  }
}

}  // namespace
