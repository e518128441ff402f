// What the control learns from the colour and font definitions of the string table.
#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "platform/base/Resources.h"
#include "sibling/skyview/SkyKeys.h"

namespace {

using orv::SkyKey;
using orv::SkyKeysOfDefinition;
using orv::SkyValue;
using orv::SkyValueKind;

// The keys as (name, default) pairs, for one comparison of them all.
using Keys = std::vector<std::pair<CString, SkyValue>>;
Keys Named(const std::vector<SkyKey>& keys) {
  Keys named;
  for (const SkyKey& key : keys) named.emplace_back(key.name, key.byDefault);
  return named;
}
SkyValue Size(DWORD size) { return {SkyValueKind::Size, size}; }
SkyValue Color(COLORREF color) { return {SkyValueKind::Color, color}; }

TEST(SkyKeys, DefinitionsGiveTheirKeysWithTheirDefaults) {
  const std::pair<const wchar_t*, Keys> rows[] = {
      // A font gives its size key, then its colour key. Six hex digits are blue, green, red.
      {L"恒星名(日本語)\\STAR\\Star.Name.Size\\Star.Name.Color\\14\\FFC0C0\\FONT",
       {{L"Star.Name.Size", Size(14)}, {L"Star.Name.Color", Color(RGB(192, 192, 255))}}},
      {L"星座線\\CNS\\Constellation.Line.Color\\807000\\LINE", {{L"Constellation.Line.Color", Color(0x807000)}}},
      {L"系外惑星を持つ恒星のマーク\\STAR\\ExoPlanet.Mark.Color\\FFFF80\\MARK",
       {{L"ExoPlanet.Mark.Color", Color(0xFFFF80)}}},
      {L"星座絵(%s)\\CNS\\Constellation.Picture.Image.Color\\504038\\CNSPIC",
       {{L"Constellation.Picture.Image.Color", Color(RGB(56, 64, 80))}}},
      {L"x\\G\\Lower.Hex\\0000ff\\LINE", {{L"Lower.Hex", Color(RGB(255, 0, 0))}}},
      // Malformed definitions give no key.
      {L"", {}},
      {L"l\\G\\A.Size\\A.Color\\14\\FFC0C0\\font", {}},   // kind word is case-sensitive
      {L"l\\G\\A.Size\\A.Color\\14\\FFC0C0", {}},         // six fields
      {L"l\\G\\A.Size\\A.Color\\x4\\FFC0C0\\FONT", {}},   // size not a number
      {L"l\\G\\A.Size\\A.Color\\14\\FFC0C0G\\FONT", {}},  // seven hex digits
      {L"l\\G\\A.Size\\\\14\\FFC0C0\\FONT", {}},          // empty key
      {L"l\\G\\A Color\\123456\\LINE", {}},               // a key never holds a blank
      {L"l\\G\\A.Color\\123456\\LINE\\extra", {}},
  };
  for (const auto& [definition, expected] : rows)
    EXPECT_EQ(Named(SkyKeysOfDefinition(definition)), expected) << CString(definition);
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
  EXPECT_EQ(Named(keys), (Keys{{L"A.Size", Size(13)},
                               {L"A.Color", Color(0x000002)},
                               {L"B.Color", Color(0x000003)},
                               {L"C.Color", Color(0x000005)}}));
}

}  // namespace
