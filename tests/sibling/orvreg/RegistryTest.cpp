// CRegistry over a real store in a fresh folder: where values go, their types, defaults,
// and the load-or-store forms.
#include "sibling/orvreg/Registry.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <string>
#include <tuple>
#include <vector>

#include "support/RawRegistry.h"
#include "support/TempRegistry.h"

namespace {
class RegistryTest : public testing::Test {
protected:
  // The raw value under the application key of a root, as another module would see it.
  static orv::test::RawValue Raw(HKEY root, const wchar_t* key, const wchar_t* name) {
    return orv::test::ReadRawValue(root, kApplicationKey + std::wstring(key), name);
  }
  static void SetRaw(HKEY root, const wchar_t* key, const wchar_t* name, DWORD type, const void* data, DWORD size) {
    ASSERT_EQ(ERROR_SUCCESS, orv::test::SetRawValue(root, kApplicationKey + std::wstring(key), name, type, data, size));
  }
  static constexpr const wchar_t* kApplicationKey = L"Software\\Orrelab\\Skyweave\\10.0\\";

  orv::test::TempRegistry m_registry;
};

TEST_F(RegistryTest, ValuesLiveUnderTheApplicationKeyWithTheirTypes) {
  ASSERT_EQ(1, CRegistry::Write(L"Dialog\\FileOpen", L"Path", CString(L"/data/\u661f")));
  ASSERT_EQ(1, CRegistry::Write(L"Color\\CustomColor", L"A", DWORD{0x00504038}));
  ASSERT_EQ(1, CRegistry::Write(L"Fonts", L"DeltaSize", -6, CRegistry::DT_INT));
  ASSERT_EQ(1, CRegistry::Write(L"Fonts", L"IsMax", 1, CRegistry::DT_BOOL));
  ASSERT_EQ(1, CRegistry::Write(L"", L"AtTheTop", CString(L"x")));

  const auto dword = orv::test::DwordBytes;
  const auto text = [](const std::wstring& s) { return orv::test::TextBytes(s); };
  const std::tuple<const wchar_t*, const wchar_t*, DWORD, std::vector<BYTE>> rows[] = {
      {L"Dialog\\FileOpen", L"Path", REG_SZ, text(L"/data/\u661f")},
      {L"Color\\CustomColor", L"A", REG_DWORD, dword(0x00504038)},
      {L"Fonts", L"DeltaSize", REG_DWORD, dword(0xFFFFFFFAu)},
      {L"Fonts", L"IsMax", REG_DWORD, dword(1)},
      {L"", L"AtTheTop", REG_SZ, text(L"x")},
  };
  for (const auto& [key, name, type, bytes] : rows) {
    orv::test::RawValue stored = Raw(HKEY_CURRENT_USER, key, name);
    ASSERT_TRUE(stored.Found()) << CString(name);
    EXPECT_EQ(type, stored.type) << CString(name);
    EXPECT_EQ(bytes, stored.bytes) << CString(name);
  }
  EXPECT_FALSE(Raw(HKEY_LOCAL_MACHINE, L"Fonts", L"DeltaSize").Found()) << "the user's root only";
}

TEST_F(RegistryTest, AValueOfAnotherTypeReadsAsTheDefault) {
  ASSERT_EQ(1, CRegistry::Write(L"T", L"Number", DWORD{42}));
  ASSERT_EQ(1, CRegistry::Write(L"T", L"Text", CString(L"42")));
  const BYTE bytes[] = {1, 2, 3, 4};
  SetRaw(HKEY_CURRENT_USER, L"T", L"Bytes", REG_BINARY, bytes, 4);
  std::uint64_t big = 42;
  SetRaw(HKEY_CURRENT_USER, L"T", L"Big", REG_QWORD, &big, 8);

  for (const wchar_t* name : {L"Number", L"Bytes", L"Big", L"Missing"}) {
    CString text = L"untouched";
    EXPECT_EQ(0, CRegistry::Read(L"T", name, CString(L"dflt"), text)) << CString(name);
    EXPECT_EQ(CString(L"dflt"), text) << CString(name);
  }
  for (const wchar_t* name : {L"Text", L"Bytes", L"Big", L"Missing"}) {
    DWORD number = 7;
    EXPECT_EQ(0, CRegistry::Read(L"T", name, DWORD{99}, &number)) << CString(name);
    EXPECT_EQ(99u, number) << CString(name);
    int value = 7;
    EXPECT_EQ(0, CRegistry::Read(L"T", name, -1, &value, CRegistry::DT_INT)) << CString(name);
    EXPECT_EQ(-1, value) << CString(name);
  }
  EXPECT_EQ(0, CRegistry::Read(L"T", L"Number", DWORD{1}, nullptr)) << "no crash on a null out";
}

TEST_F(RegistryTest, IntKindsStoreOnOffAndNumbers) {
  struct Row {
    int written, kind, readAsBool, readAsInt;
    DWORD readAsDword;
  } rows[] = {
      {0, CRegistry::DT_BOOL, 0, 0, 0},
      {1, CRegistry::DT_BOOL, 1, 1, 1},
      {5, CRegistry::DT_BOOL, 1, 1, 1},
      {-1, CRegistry::DT_BOOL, 1, 1, 1},
      {-6, CRegistry::DT_INT, 1, -6, 0xFFFFFFFAu},
      {INT_MIN, CRegistry::DT_INT, 1, INT_MIN, 0x80000000u},
      {INT_MAX, CRegistry::DT_INT, 1, INT_MAX, 0x7FFFFFFFu},
      {0, CRegistry::DT_INT, 0, 0, 0},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(testing::Message() << "written " << row.written << " kind " << row.kind);
    ASSERT_EQ(1, CRegistry::Write(L"Kinds", L"V", row.written, row.kind));
    int value = 12345;
    EXPECT_EQ(1, CRegistry::Read(L"Kinds", L"V", 77, &value, CRegistry::DT_BOOL));
    EXPECT_EQ(row.readAsBool, value);
    EXPECT_EQ(1, CRegistry::Read(L"Kinds", L"V", 77, &value, CRegistry::DT_INT));
    EXPECT_EQ(row.readAsInt, value);
    DWORD raw = 0;
    EXPECT_EQ(1, CRegistry::Read(L"Kinds", L"V", DWORD{77}, &raw));
    EXPECT_EQ(row.readAsDword, raw);
  }
}

TEST_F(RegistryTest, StringsAreReadUpToTheirFirstNulWhateverTheirTerminator) {
  const wchar_t unterminated[] = {L'a', L'b', L'c'};
  SetRaw(HKEY_CURRENT_USER, L"S", L"NoEnd", REG_SZ, unterminated, sizeof unterminated);
  const wchar_t inner[] = {L'a', L'\0', L'b', L'\0'};
  SetRaw(HKEY_CURRENT_USER, L"S", L"Inner", REG_SZ, inner, sizeof inner);
  SetRaw(HKEY_CURRENT_USER, L"S", L"Empty", REG_SZ, nullptr, 0);
  SetRaw(HKEY_CURRENT_USER, L"S", L"Expand", REG_EXPAND_SZ, L"%HOME%", 7 * sizeof(wchar_t));
  const std::pair<const wchar_t*, const wchar_t*> rows[] = {
      {L"NoEnd", L"abc"}, {L"Inner", L"a"}, {L"Empty", L""}, {L"Expand", L"%HOME%"}};
  for (auto [name, expected] : rows) {
    CString text = L"untouched";
    EXPECT_EQ(1, CRegistry::Read(L"S", name, CString(L"dflt"), text)) << CString(name);
    EXPECT_EQ(CString(expected), text);
  }
}

// With nothing stored the load gives the default and returns 0; the value stored then loads
// back whole.
template <class T, class Update>
void ExpectLoadStoreLoad(const wchar_t* name, const T& byDefault, const T& value, Update update) {
  SCOPED_TRACE(CString(name).ToUtf8());
  T loaded = value;
  EXPECT_EQ(0, update(name, byDefault, loaded, 0));
  EXPECT_EQ(byDefault, loaded);
  T stored = value;
  EXPECT_EQ(1, update(name, T(), stored, 1));
  T back = byDefault;
  EXPECT_EQ(1, update(name, T(), back, 0));
  EXPECT_EQ(value, back);  // a double too: compared exactly
}

TEST_F(RegistryTest, UpdateRegLoadsTheDefaultStoresAndLoadsBack) {
  auto update = [](const wchar_t* name, const auto& byDefault, auto& value, int save) {
    return CRegistry::UpdateReg(L"Dlg", name, byDefault, value, save);
  };
  ExpectLoadStoreLoad(L"Text", CString(L"dt"), CString(L"\u5929\u7403"), update);
  ExpectLoadStoreLoad(L"Number", 17, -40, [](const wchar_t* name, int byDefault, int& value, int save) {
    return CRegistry::UpdateReg(L"Dlg", name, byDefault, value, CRegistry::DT_INT, save);
  });
  ExpectLoadStoreLoad(L"Real", 2.5, 0.1, update);
  ExpectLoadStoreLoad(L"Rect", CRect(-1, -2, 3, 4), CRect(INT_MIN, -7, 1920, INT_MAX), update);
  ExpectLoadStoreLoad(L"Size", CSize(5, 6), CSize(-3, 1080), update);

  EXPECT_EQ(REG_SZ, Raw(HKEY_CURRENT_USER, L"Dlg", L"Rect").type);
  EXPECT_EQ(std::wstring(L"-2147483648,-7,1920,2147483647"), Raw(HKEY_CURRENT_USER, L"Dlg", L"Rect").Text());
  EXPECT_EQ(std::wstring(L"-3,1080"), Raw(HKEY_CURRENT_USER, L"Dlg", L"Size").Text());
  EXPECT_EQ(std::wstring(L"0.1"), Raw(HKEY_CURRENT_USER, L"Dlg", L"Real").Text());

  // Text that is not the form loads the default.
  ASSERT_EQ(1, CRegistry::Write(L"Dlg", L"Rect", CString(L"1,2,3")));
  CRect rect;
  EXPECT_EQ(0, CRegistry::UpdateReg(L"Dlg", L"Rect", CRect(9, 9, 9, 9), rect, 0));
  EXPECT_EQ(CRect(9, 9, 9, 9), rect);
}

}  // namespace
