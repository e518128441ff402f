// What the control learns from the colour and font definitions of the string table.
#include <gtest/gtest.h>

#include "platform/base/Resources.h"
#include "sibling/skyview/SkyKeys.h"

namespace {

using orv::SkyKey;
using orv::SkyKeysOfDefinition;
using orv::SkyValue;
using orv::SkyValueKind;

TEST(SkyKeys, FontDefinitionGivesSizeThenColourKey) {
  auto keys = SkyKeysOfDefinition(L"恒星名(日本語)\\STAR\\Star.Name.Size\\Star.Name.Color\\14\\FFC0C0\\FONT");
  ASSERT_EQ(keys.size(), 2u);
  EXPECT_EQ(keys[0].name, L"Star.Name.Size");
  EXPECT_EQ(keys[0].byDefault, (SkyValue{SkyValueKind::Size, 14}));
  EXPECT_EQ(keys[1].name, L"Star.Name.Color");
  // Six hex digits are blue, green, red: FFC0C0 is red 192, green 192, blue 255.
  EXPECT_EQ(keys[1].byDefault, (SkyValue{SkyValueKind::Color, RGB(192, 192, 255)}));
}

TEST(SkyKeys, ColourOnlyDefinitionsGiveOneColourKey) {
  const struct {
    const wchar_t* definition;
    const wchar_t* key;
    COLORREF color;
  } rows[] = {
      {L"星座線\\CNS\\Constellation.Line.Color\\807000\\LINE", L"Constellation.Line.Color", 0x807000},
      {L"系外惑星を持つ恒星のマーク\\STAR\\ExoPlanet.Mark.Color\\FFFF80\\MARK", L"ExoPlanet.Mark.Color", 0xFFFF80},
      {L"星座絵(%s)\\CNS\\Constellation.Picture.Image.Color\\504038\\CNSPIC", L"Constellation.Picture.Image.Color",
       RGB(56, 64, 80)},
      {L"x\\G\\Lower.Hex\\0000ff\\LINE", L"Lower.Hex", RGB(255, 0, 0)},
  };
  for (const auto& r : rows) {
    auto keys = SkyKeysOfDefinition(r.definition);
    ASSERT_EQ(keys.size(), 1u) << CString(r.definition);
    EXPECT_EQ(keys[0].name, r.key);
    EXPECT_EQ(keys[0].byDefault, (SkyValue{SkyValueKind::Color, r.color}));
  }
}

TEST(SkyKeys, MalformedDefinitionsGiveNoKey) {
  const wchar_t* const rows[] = {
      L"",
      L"l\\G\\A.Size\\A.Color\\14\\FFC0C0\\font",     // kind word is case-sensitive
      L"l\\G\\A.Size\\A.Color\\14\\FFC0C0",           // six fields
      L"l\\G\\A.Size\\A.Color\\x4\\FFC0C0\\FONT",     // size not a number
      L"l\\G\\A.Size\\A.Color\\14\\FFC0C0G\\FONT",    // seven hex digits
      L"l\\G\\A.Size\\\\14\\FFC0C0\\FONT",            // empty key
      L"l\\G\\A Color\\123456\\LINE",                 // a key never holds a blank
      L"l\\G\\A.Color\\123456\\LINE\\extra",
  };
  for (const wchar_t* definition : rows) {
    EXPECT_TRUE(SkyKeysOfDefinition(definition).empty()) << CString(definition);
  }
}

TEST(SkyKeys, LearnsEveryDefinitionInTheRangeOnce) {
  orv::ResourceTable table;
  table.strings[24500] = L"outside\\G\\Before.Color\\000001\\LINE";
  table.strings[24501] = L"a\\G\\A.Size\\A.Color\\13\\000002\\FONT";
  table.strings[24600] = L"b\\G\\B.Color\\000003\\MARK";
  table.strings[24601] = L"again\\G\\B.Color\\000004\\LINE";  // defined twice: first one wins
  table.strings[24700] = L"broken";
  table.strings[24823] = L"c\\G\\C.Color\\000005\\CNSPIC";
  table.strings[24824] = L"outside\\G\\After.Color\\000006\\LINE";
  HINSTANCE module = orv::RegisterResourceModule("skyview-test", &table);

  auto keys = orv::LearnSkyKeysFromStringTable();
  orv::UnregisterResourceModule(module);

  std::vector<CString> names;
  for (const SkyKey& key : keys) names.push_back(key.name);
  ASSERT_EQ(names, (std::vector<CString>{L"A.Size", L"A.Color", L"B.Color", L"C.Color"}));
  EXPECT_EQ(keys[2].byDefault.value, 3u);
}

}  // namespace
