#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "platform/base/CArray.h"
#include "platform/base/CMap.h"
#include "platform/base/TextCodec.h"
#include "support/FrameworkExceptions.h"

namespace {

TEST(CArray, GrowsAndChecksItsIndexes) {
  CArray<int, int> a;
  a.SetAtGrow(3, 7);
  EXPECT_EQ((std::vector<int>{0, 0, 0, 7}), std::vector<int>(a.GetData(), a.GetData() + a.GetSize()));
  for (int bad : {-1, 4}) EXPECT_TRUE(orv::test::Throws<CInvalidArgException>([&] { a.GetAt(bad); })) << bad;
}

TEST(CMap, LooksUpRemovesAndWalksEveryEntry) {
  CMap<CString, const wchar_t*, int, int> m(10);
  m[L"STAR"] = 1;
  m.SetAt(L"CNS", 4);
  m[L"GRID"] = 17;
  int v = 0;
  EXPECT_TRUE(m.Lookup(L"CNS", v));
  EXPECT_EQ(4, v);
  EXPECT_FALSE(m.Lookup(L"cns", v));  // keys compare exactly
  EXPECT_TRUE(m.RemoveKey(L"STAR"));
  EXPECT_FALSE(m.RemoveKey(L"STAR"));
  std::map<std::wstring, int> walked;
  for (POSITION pos = m.GetStartPosition(); pos != nullptr;) {
    CString key;
    m.GetNextAssoc(pos, key, v);
    walked[key.str()] += v;  // an entry walked twice shows as a doubled value
  }
  EXPECT_EQ((std::map<std::wstring, int>{{L"CNS", 4}, {L"GRID", 17}}), walked);
  EXPECT_TRUE(m.Lookup(L"GRID", v));
  EXPECT_EQ(17, v);
}

TEST(TextCodec, DamagedUtf8BecomesReplacementCharacters) {
  struct Row { std::string bytes; std::wstring text; } rows[] = {
      {"abc", L"abc"},
      {"\xE6\x98\x9F", L"星"},
      {"\xE6\x98", L"\xFFFD\xFFFD"},            // cut short
      {"\xC0\x80", L"\xFFFD\xFFFD"},            // overlong NUL
      {"\xED\xA0\x80", L"\xFFFD\xFFFD\xFFFD"},  // encoded surrogate
      {std::string("a\0b", 3), std::wstring(L"a\0b", 3)},
  };
  for (const auto& r : rows) EXPECT_EQ(r.text, orv::DecodeUtf8(r.bytes));
  EXPECT_EQ("\xE6\x98\x9F", orv::EncodeUtf8(L"星"));
}

}  // namespace
