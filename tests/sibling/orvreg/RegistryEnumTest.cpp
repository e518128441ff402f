// GetRegEnumKey: a cursor over subkeys that lasts between calls, ends with an empty name,
// and nests.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "sibling/orvreg/Registry.h"
#include "support/RawRegistry.h"
#include "support/TempRegistry.h"

namespace {
class RegistryEnumTest : public testing::Test {
protected:
  void SetUp() override {
    for (const wchar_t* set : {L"3", L"1", L"10", L"2"}) CreateKey(L"CnsPic\\" + CString(set));
  }
  static void CreateKey(const CString& key) {
    ASSERT_EQ(ERROR_SUCCESS, orv::test::CreateRawKey(HKEY_LOCAL_MACHINE, CRegistry::GetFullKey(key).str()));
  }
  static CString Many(int i) { return L"Many\\" + CString(std::to_wstring(i).c_str()); }
  static std::vector<CString> Drain(const CString& key) {
    std::vector<CString> names;
    CString name;
    while (CRegistry::GetRegEnumKey(HKEY_LOCAL_MACHINE, 1, key, name, 0, 0) != 0) names.push_back(name);
    EXPECT_TRUE(name.IsEmpty()) << "the end leaves the name empty, not the last subkey";
    return names;
  }

  orv::test::TempRegistry m_registry;
};

const std::vector<CString> kAllSets = {L"1", L"10", L"2", L"3"};

TEST_F(RegistryEnumTest, StepsThroughSubkeysInOrderAndEndsWithAnEmptyName) {
  CString name = L"junk";
  ASSERT_NE(0, CRegistry::GetRegEnumKey(HKEY_LOCAL_MACHINE, 0, L"CnsPic", name, 0, 0));
  EXPECT_EQ(kAllSets, Drain(L"CnsPic"));
  name = L"junk";
  EXPECT_EQ(0, CRegistry::GetRegEnumKey(HKEY_LOCAL_MACHINE, 1, L"CnsPic", name, 0, 0)) << "stays at the end";
  EXPECT_TRUE(name.IsEmpty());
  EXPECT_NE(0, CRegistry::GetRegEnumKey(HKEY_LOCAL_MACHINE, 3, L"CnsPic", name, 0, 0));
  name = L"junk";
  EXPECT_EQ(0, CRegistry::GetRegEnumKey(HKEY_LOCAL_MACHINE, 1, L"CnsPic", name, 0, 0)) << "ended";
  EXPECT_TRUE(name.IsEmpty());
  EXPECT_EQ(0, CRegistry::GetRegEnumKey(HKEY_LOCAL_MACHINE, 3, L"CnsPic", name, 0, 0)) << "nothing left to end";
}

TEST_F(RegistryEnumTest, AnEnumerationInsideAnotherLeavesItsPosition) {
  CString outer, inner;
  ASSERT_NE(0, CRegistry::GetRegEnumKey(HKEY_LOCAL_MACHINE, 0, L"CnsPic", outer, 0, 0));
  ASSERT_NE(0, CRegistry::GetRegEnumKey(HKEY_LOCAL_MACHINE, 1, L"CnsPic", outer, 0, 0));
  EXPECT_EQ(CString(L"1"), outer);
  // A look-up in the middle runs a whole enumeration of the same key of its own.
  ASSERT_NE(0, CRegistry::GetRegEnumKey(HKEY_LOCAL_MACHINE, 0, L"cnspic", inner, 0, 0));
  EXPECT_EQ(kAllSets, Drain(L"CNSPIC"));
  CRegistry::GetRegEnumKey(HKEY_LOCAL_MACHINE, 3, L"CnsPic", inner, 0, 0);
  EXPECT_EQ((std::vector<CString>{L"10", L"2", L"3"}), Drain(L"CnsPic"));
  CRegistry::GetRegEnumKey(HKEY_LOCAL_MACHINE, 3, L"CnsPic", outer, 0, 0);
}

TEST_F(RegistryEnumTest, EnumerationsNeverEndedGiveWayToNewOnes) {
  // 33 enumerations left open: the oldest is ended to make room.
  CString name;
  for (int i = 0; i <= 32; ++i) {
    CreateKey(Many(i) + L"\\x");
    ASSERT_NE(0, CRegistry::GetRegEnumKey(HKEY_LOCAL_MACHINE, 0, Many(i), name, 0, 0));
  }
  EXPECT_EQ(0, CRegistry::GetRegEnumKey(HKEY_LOCAL_MACHINE, 1, L"Many\\0", name, 0, 0));
  EXPECT_NE(0, CRegistry::GetRegEnumKey(HKEY_LOCAL_MACHINE, 1, L"Many\\1", name, 0, 0));
  EXPECT_EQ(CString(L"x"), name);
  for (int i = 1; i <= 32; ++i) EXPECT_NE(0, CRegistry::GetRegEnumKey(HKEY_LOCAL_MACHINE, 3, Many(i), name, 0, 0)) << i;
}
}  // namespace
