// The registry calls against a real store in a fresh folder: names, order, typed values,
// buffers, handles and error codes.
#include "platform/store/WinReg.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <tuple>
#include <vector>

#include "support/RawRegistry.h"
#include "support/TempRegistry.h"

namespace {
using orv::test::DwordBytes;
using orv::test::TextBytes;

constexpr BYTE kSentinel = 0xCD;

class WinRegTest : public testing::Test {
protected:
  HKEY Create(HKEY parent, const wchar_t* path, REGSAM access = KEY_ALL_ACCESS) {
    HKEY key = nullptr;
    EXPECT_EQ(ERROR_SUCCESS, RegCreateKeyExW(parent, path, 0, nullptr, 0, access, nullptr, &key, nullptr)) << path;
    return key;
  }
  LSTATUS SetDword(HKEY key, const wchar_t* name, DWORD value) {
    return RegSetValueExW(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
  }
  DWORD ReadDword(HKEY key, const wchar_t* name) {
    DWORD value = 0, size = sizeof value;
    EXPECT_EQ(ERROR_SUCCESS, RegQueryValueExW(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(&value), &size));
    return value;
  }
  std::vector<std::wstring> Subkeys(HKEY key) {
    std::vector<std::wstring> names;
    for (DWORD i = 0;; ++i) {
      wchar_t name[256];
      DWORD size = 256;
      const LSTATUS st = RegEnumKeyExW(key, i, name, &size, nullptr, nullptr, nullptr, nullptr);
      EXPECT_TRUE(st == ERROR_SUCCESS || st == ERROR_NO_MORE_ITEMS) << st;
      if (st != ERROR_SUCCESS) return names;
      EXPECT_EQ(std::wcslen(name), size);
      names.emplace_back(name);
    }
  }

  orv::test::TempRegistry m_registry;
};

TEST_F(WinRegTest, KeyNamesMatchInAnyCaseAndKeepTheirCase) {
  RegCloseKey(Create(HKEY_CURRENT_USER, L"Software\\Orrelab\\MixedCase"));
  // Empty parts inside or at the end of a path name nothing.
  const std::pair<const wchar_t*, LSTATUS> rows[] = {
      {L"Software\\Orrelab\\MixedCase", ERROR_SUCCESS}, {L"SOFTWARE\\ORRELAB\\MIXEDCASE", ERROR_SUCCESS},
      {L"software\\orrelab\\mixedcase\\", ERROR_SUCCESS}, {L"Software\\Orrelab\\MixedCas", ERROR_FILE_NOT_FOUND},
      {L"Software\\Orrelab\\MixedCase\\Sub", ERROR_FILE_NOT_FOUND}, {L"\\Software", ERROR_BAD_PATHNAME},
      {L"Software\\\\Orrelab\\MixedCase", ERROR_SUCCESS}, {L"Software\\Orrelab\\\\\\MixedCase\\\\", ERROR_SUCCESS},
      {L"\\", ERROR_BAD_PATHNAME}};
  for (auto [path, expected] : rows) {
    HKEY opened = nullptr;
    EXPECT_EQ(expected, RegOpenKeyExW(HKEY_CURRENT_USER, path, 0, KEY_READ, &opened)) << path;
    if (opened != nullptr) RegCloseKey(opened);
  }
  HKEY key = nullptr;
  DWORD disposition = 0;
  ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExW(HKEY_CURRENT_USER, L"SOFTWARE\\\\ORRELAB\\mixedCASE", 0, nullptr, 0,
                                           KEY_ALL_ACCESS, nullptr, &key, &disposition));
  EXPECT_EQ(REG_OPENED_EXISTING_KEY, disposition);
  RegCloseKey(key);
  HKEY parent = nullptr;
  ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExW(HKEY_CURRENT_USER, L"SOFTWARE\\orrelab", 0, KEY_READ, &parent));
  EXPECT_EQ(std::vector<std::wstring>{L"MixedCase"}, Subkeys(parent));
  RegCloseKey(parent);
}

TEST_F(WinRegTest, SubkeysEnumerateInOrdinalOrderOfUpperCasedNames) {
  HKEY key = Create(HKEY_CURRENT_USER, L"Order");
  // Upper-cased, '_' (0x5F) sorts after every letter; lower-cased it would sort before.
  for (const wchar_t* name : {L"b", L"A_b", L"Ab", L"a1", L"Z", L"_x", L"10", L"9", L"\u00e9t\u00e9", L"\u00c9a"})
    RegCloseKey(Create(key, name));
  std::vector<std::wstring> expected = {L"10", L"9",  L"a1", L"Ab", L"A_b", L"b", L"Z", L"_x", L"\u00c9a",
                                        L"\u00e9t\u00e9"};
  EXPECT_EQ(expected, Subkeys(key));
  RegCloseKey(key);
}

TEST_F(WinRegTest, ValuesKeepTheirTypeAndBytes) {
  HKEY key = Create(HKEY_CURRENT_USER, L"Typed");
  // The name written and the name read (in another letter case; null is the default value), the type, the bytes.
  const std::tuple<const wchar_t*, const wchar_t*, DWORD, std::vector<BYTE>> rows[] = {
      {L"Text", L"text", REG_SZ, TextBytes(L"\u661f\u5ea7 text")},
      {L"Number", L"NUMBER", REG_DWORD, DwordBytes(0xFFFFFFFEu)},
      {L"Bytes", L"bytes", REG_BINARY, {0x00, 0xFF, 0x10, 0x80}},
      {L"Big", L"big", REG_QWORD, {0xEF, 0xCD, 0xAB, 0x89, 0x67, 0x45, 0x23, 0x01}},
      {L"Empty", L"empty", REG_BINARY, {}},  // written from a null pointer
      {nullptr, L"", REG_SZ, TextBytes(L"default")},
  };
  for (const auto& [written, read, type, bytes] : rows) {
    const BYTE* data = bytes.empty() ? nullptr : bytes.data();
    ASSERT_EQ(ERROR_SUCCESS, RegSetValueExW(key, written, 0, type, data, static_cast<DWORD>(bytes.size())));
  }
  for (const auto& [written, read, expectedType, bytes] : rows) {
    SCOPED_TRACE(CString(read).ToUtf8());
    DWORD type = 99, size = 0;
    ASSERT_EQ(ERROR_SUCCESS, RegQueryValueExW(key, read, nullptr, &type, nullptr, &size));
    EXPECT_EQ(std::pair(expectedType, static_cast<DWORD>(bytes.size())), std::pair(type, size));
    std::vector<BYTE> buffer(bytes.size() + 4, kSentinel);
    size = static_cast<DWORD>(buffer.size());
    ASSERT_EQ(ERROR_SUCCESS, RegQueryValueExW(key, read, nullptr, &type, buffer.data(), &size));
    EXPECT_EQ(bytes, std::vector<BYTE>(buffer.begin(), buffer.begin() + size));
    EXPECT_EQ(kSentinel, buffer[size]) << "written past the value";
  }
  RegCloseKey(key);
}

TEST_F(WinRegTest, QueryBufferTooSmallAsksForMoreAndWritesNothing) {
  HKEY key = Create(HKEY_CURRENT_USER, L"Buffers");
  const DWORD needed = 4 * sizeof(wchar_t);
  ASSERT_EQ(ERROR_SUCCESS, RegSetValueExW(key, L"Text", 0, REG_SZ, reinterpret_cast<const BYTE*>(L"abc"), needed));
  using Row = std::pair<DWORD, LSTATUS>;  // the size offered, the answer
  for (auto [offered, expected] : {Row{needed, ERROR_SUCCESS}, Row{needed - 1, ERROR_MORE_DATA},
                                   Row{0, ERROR_MORE_DATA}, Row{needed + 7, ERROR_SUCCESS}}) {
    std::vector<BYTE> buffer(needed + 8, kSentinel);
    DWORD size = offered, type = 0;
    EXPECT_EQ(expected, RegQueryValueExW(key, L"Text", nullptr, &type, buffer.data(), &size)) << offered;
    EXPECT_EQ(std::pair(needed, DWORD{REG_SZ}), std::pair(size, type));
    EXPECT_TRUE(expected == ERROR_SUCCESS || buffer[0] == kSentinel) << "written although too small";
    EXPECT_EQ(kSentinel, buffer[needed]);
  }
  // Stored without its NUL: the NUL is added where there is room for it, or asked for.
  const DWORD chars = 3 * sizeof(wchar_t);
  ASSERT_EQ(ERROR_SUCCESS, RegSetValueExW(key, L"Bare", 0, REG_SZ, reinterpret_cast<const BYTE*>(L"abc"), chars));
  for (auto [offered, expected] : {Row{needed, ERROR_SUCCESS}, Row{chars, ERROR_MORE_DATA}}) {
    std::vector<wchar_t> text(5, L'#');
    DWORD size = offered;
    EXPECT_EQ(expected, RegQueryValueExW(key, L"Bare", nullptr, nullptr, reinterpret_cast<BYTE*>(text.data()), &size));
    EXPECT_EQ(expected == ERROR_SUCCESS ? chars : needed, size);
    EXPECT_EQ(std::wstring(text.data(), 5), expected == ERROR_SUCCESS ? std::wstring(L"abc\0#", 5) : L"#####");
  }
  DWORD asked = 0;
  EXPECT_EQ(ERROR_SUCCESS, RegQueryValueExW(key, L"Bare", nullptr, nullptr, nullptr, &asked));
  EXPECT_EQ(needed, asked);
  RegCloseKey(key);
}

TEST_F(WinRegTest, ErrorCodesForBadRequests) {
  HKEY key = Create(HKEY_CURRENT_USER, L"Errors\\Child");
  HKEY parent = nullptr;
  ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExW(HKEY_CURRENT_USER, L"Errors", 0, KEY_READ, &parent));
  const BYTE three[3] = {1, 2, 3}, eight[8] = {1, 2, 3, 4, 5, 6, 7, 8};
  std::wstring longName(256, L'k');
  HKEY scratch = nullptr;
  BYTE data[8];
  DWORD size = sizeof data;
  const std::tuple<const char*, LSTATUS, LSTATUS> rows[] = {
      {"query missing value", RegQueryValueExW(key, L"Nope", nullptr, nullptr, data, &size), ERROR_FILE_NOT_FOUND},
      {"DWORD of 3 bytes", RegSetValueExW(key, L"D", 0, REG_DWORD, eight, 3), ERROR_INVALID_PARAMETER},
      {"DWORD of 5 bytes", RegSetValueExW(key, L"D", 0, REG_DWORD, eight, 5), ERROR_INVALID_PARAMETER},
      {"DWORD of 8 bytes", RegSetValueExW(key, L"D", 0, REG_DWORD, eight, 8), ERROR_INVALID_PARAMETER},
      {"QWORD of 3 bytes", RegSetValueExW(key, L"Q", 0, REG_QWORD, eight, 3), ERROR_INVALID_PARAMETER},
      {"QWORD of 5 bytes", RegSetValueExW(key, L"Q", 0, REG_QWORD, eight, 5), ERROR_INVALID_PARAMETER},
      {"string of 3 bytes", RegSetValueExW(key, L"S", 0, REG_SZ, three, 3), ERROR_INVALID_PARAMETER},
      {"data null with size", RegSetValueExW(key, L"N", 0, REG_BINARY, nullptr, 4), ERROR_INVALID_PARAMETER},
      {"key name of 256",
       RegCreateKeyExW(key, longName.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &scratch, nullptr),
       ERROR_INVALID_PARAMETER},
      {"write with read access", SetDword(parent, L"X", 1), ERROR_ACCESS_DENIED},
      {"delete value with read access", RegDeleteValueW(parent, L"X"), ERROR_ACCESS_DENIED},
      {"delete missing value", RegDeleteValueW(key, L"Nope"), ERROR_FILE_NOT_FOUND},
      {"delete key with subkeys", RegDeleteKeyW(HKEY_CURRENT_USER, L"Errors"), ERROR_ACCESS_DENIED},
      {"delete missing key", RegDeleteKeyW(HKEY_CURRENT_USER, L"Errors\\Nope"), ERROR_FILE_NOT_FOUND},
      {"delete the root", SHDeleteKeyW(HKEY_CURRENT_USER, L""), ERROR_ACCESS_DENIED},
      {"enumerate past the end",
       RegEnumKeyExW(key, 0, reinterpret_cast<wchar_t*>(data), &size, nullptr, nullptr, nullptr, nullptr),
       ERROR_NO_MORE_ITEMS},
      {"null handle", RegOpenKeyExW(nullptr, L"Errors", 0, KEY_READ, &scratch), ERROR_INVALID_HANDLE},
      {"made-up handle", RegCloseKey(reinterpret_cast<HKEY>(std::uintptr_t{0x7777})), ERROR_INVALID_HANDLE},
  };
  for (auto [what, got, expected] : rows) EXPECT_EQ(expected, got) << what;
  RegCloseKey(parent);
  RegCloseKey(key);
}

TEST_F(WinRegTest, RootsAreSeparateAndPersistInTheirFiles) {
  ASSERT_EQ(ERROR_SUCCESS, SetDword(HKEY_CURRENT_USER, L"Where", 1));
  ASSERT_EQ(ERROR_SUCCESS, SetDword(HKEY_LOCAL_MACHINE, L"Where", 2));
  HKEY stale = Create(HKEY_CURRENT_USER, L"Kept");
  // Pointing a root at its file again reopens it: the values are on disk.
  ASSERT_TRUE(orv::SetRegistryRootFile(HKEY_CURRENT_USER, m_registry.UserFile()));
  EXPECT_EQ(1u, ReadDword(HKEY_CURRENT_USER, L"where"));
  EXPECT_EQ(2u, ReadDword(HKEY_LOCAL_MACHINE, L"where"));
  EXPECT_EQ(ERROR_KEY_DELETED, SetDword(stale, L"X", 1)) << "handles do not outlive their root's file";
  RegCloseKey(stale);
  EXPECT_EQ(m_registry.UserFile(), orv::GetRegistryRootFile(HKEY_CURRENT_USER));
  EXPECT_FALSE(orv::SetRegistryRootFile(reinterpret_cast<HKEY>(std::uintptr_t{0x80000000u}), "x"));
}

TEST_F(WinRegTest, AFailedTransactionLeavesNothingNotEvenInWhatItRead) {
  HKEY key = Create(HKEY_CURRENT_USER, L"T");
  ASSERT_EQ(ERROR_SUCCESS, SetDword(key, L"v", 1));
  EXPECT_EQ(ERROR_CANTWRITE, orv::RunRegistryTransaction([&]() {
              EXPECT_EQ(ERROR_SUCCESS, SetDword(key, L"v", 2));
              RegCloseKey(Create(key, L"New"));
              EXPECT_EQ(2u, ReadDword(key, L"v"));
              return ERROR_CANTWRITE;
            }));
  EXPECT_EQ(1u, ReadDword(key, L"v"));
  HKEY gone = nullptr;
  EXPECT_EQ(ERROR_FILE_NOT_FOUND, RegOpenKeyExW(key, L"New", 0, KEY_READ, &gone));
  EXPECT_EQ(std::vector<std::wstring>{}, Subkeys(key));
  RegCloseKey(key);
}

TEST_F(WinRegTest, LongEnumerationsAnswerEveryIndexInAnyOrder) {
  HKEY key = Create(HKEY_CURRENT_USER, L"Long");
  std::vector<std::wstring> names;
  for (int i = 0; i < 300; ++i) names.push_back(L"k" + std::to_wstring((i * 7919) % 1000));
  for (const std::wstring& name : names) {
    RegCloseKey(Create(key, name.c_str()));
    ASSERT_EQ(ERROR_SUCCESS, SetDword(key, name.c_str(), 1));
  }
  auto nameAt = [&](DWORD i, bool value) {
    wchar_t name[64];
    DWORD size = 64;
    const LSTATUS st = value ? RegEnumValueW(key, i, name, &size, nullptr, nullptr, nullptr, nullptr)
                             : RegEnumKeyExW(key, i, name, &size, nullptr, nullptr, nullptr, nullptr);
    return st == ERROR_SUCCESS ? std::wstring(name) : L"-";
  };
  std::vector<std::wstring> sorted = names;
  std::sort(sorted.begin(), sorted.end());
  std::vector<DWORD> order;
  for (DWORD i = 0; i <= 300; ++i) order.push_back(i);
  for (DWORD i = 301; i-- > 0;) order.push_back(i);
  for (DWORD i = 0; i < 300; ++i) order.push_back((i * 131) % 301);
  for (DWORD i : order) {
    EXPECT_EQ(i < 300 ? sorted[i] : L"-", nameAt(i, false)) << i;
    EXPECT_EQ(i < 300 ? names[i] : L"-", nameAt(i, true)) << i;
  }
  // A key created half-way through a walk moves the later names down by one.
  EXPECT_EQ(sorted[200], nameAt(200, false));
  RegCloseKey(Create(key, L"a"));
  EXPECT_EQ(sorted[200], nameAt(201, false));
  EXPECT_EQ(L"a", nameAt(0, false));
  RegCloseKey(key);
}

TEST_F(WinRegTest, HandlesOfClosedOrDeletedKeysAreRefusedNotReused) {
  HKEY key = Create(HKEY_CURRENT_USER, L"Handles");
  ASSERT_EQ(ERROR_SUCCESS, RegCloseKey(key));
  EXPECT_EQ(ERROR_INVALID_HANDLE, RegCloseKey(key));
  EXPECT_EQ(ERROR_INVALID_HANDLE, SetDword(key, L"X", 1));
  DWORD size = 0;
  EXPECT_EQ(ERROR_INVALID_HANDLE, RegQueryValueExW(key, L"X", nullptr, nullptr, nullptr, &size));
  HKEY again = Create(HKEY_CURRENT_USER, L"Handles");
  EXPECT_NE(key, again);
  EXPECT_EQ(ERROR_INVALID_HANDLE, RegCloseKey(key));
  EXPECT_EQ(ERROR_SUCCESS, RegCloseKey(again));
  EXPECT_EQ(ERROR_SUCCESS, RegCloseKey(HKEY_CURRENT_USER)) << "a root needs no closing and stays usable";
  EXPECT_EQ(ERROR_SUCCESS, SetDword(HKEY_CURRENT_USER, L"AtRoot", 7));

  HKEY doomed = Create(HKEY_CURRENT_USER, L"Doomed\\Leaf");
  ASSERT_EQ(ERROR_SUCCESS, SHDeleteKeyW(HKEY_CURRENT_USER, L"doomed"));
  EXPECT_EQ(ERROR_KEY_DELETED, SetDword(doomed, L"X", 1));
  HKEY reborn = Create(HKEY_CURRENT_USER, L"Doomed\\Leaf");
  EXPECT_EQ(ERROR_KEY_DELETED, SetDword(doomed, L"X", 1)) << "a new key of the same name is another key";
  EXPECT_EQ(ERROR_SUCCESS, RegCloseKey(doomed));
  RegCloseKey(reborn);
}

TEST_F(WinRegTest, SubtreeDeletionRemovesKeysAndValuesBelowOnly) {
  HKEY app = Create(HKEY_CURRENT_USER, L"Software\\Orrelab\\Skyweave\\10.0");
  for (const wchar_t* path : {L"CnsPic\\1", L"CnsPic\\2\\Deep\\Deeper", L"CnsPicture", L"Fonts"}) {
    HKEY key = Create(app, path);
    ASSERT_EQ(ERROR_SUCCESS, SetDword(key, L"color", 0x123456));
    RegCloseKey(key);
  }
  ASSERT_EQ(ERROR_SUCCESS, SHDeleteKeyW(app, L"CNSPIC"));
  EXPECT_EQ((std::vector<std::wstring>{L"CnsPicture", L"Fonts"}), Subkeys(app));
  HKEY reborn = Create(app, L"CnsPic\\2\\Deep\\Deeper");
  DWORD size = 0;
  EXPECT_EQ(ERROR_FILE_NOT_FOUND, RegQueryValueExW(reborn, L"color", nullptr, nullptr, nullptr, &size))
      << "values of deleted keys do not come back";
  EXPECT_EQ(ERROR_FILE_NOT_FOUND, SHDeleteKeyW(app, L"Missing"));
  RegCloseKey(reborn);
  RegCloseKey(app);
}

TEST_F(WinRegTest, EnumeratedNameNeedsRoomForItsTerminator) {
  HKEY key = Create(HKEY_CURRENT_USER, L"Room");
  RegCloseKey(Create(key, L"abcd"));
  std::vector<wchar_t> name(8, L'#');
  DWORD size = 4;
  EXPECT_EQ(ERROR_MORE_DATA, RegEnumKeyExW(key, 0, name.data(), &size, nullptr, nullptr, nullptr, nullptr));
  size = 5;
  FILETIME written{};
  ASSERT_EQ(ERROR_SUCCESS, RegEnumKeyExW(key, 0, name.data(), &size, nullptr, nullptr, nullptr, &written));
  EXPECT_EQ(4u, size);
  EXPECT_EQ(std::wstring(L"abcd\0###", 8), std::wstring(name.data(), 8));
  EXPECT_NE(0u, written.dwHighDateTime) << "last write time is set";
  RegCloseKey(key);
}

}  // namespace
