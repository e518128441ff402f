// A damaged store file: reported once, kept aside byte for byte, and reads answer as if
// nothing were stored; writes go on in a fresh file.
#include <sqlite3.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "platform/base/MessageBox.h"
#include "platform/store/WinReg.h"
#include "support/TempRegistry.h"

namespace {
namespace fs = std::filesystem;

class MessageRecorder {
public:
  MessageRecorder() {
    m_previous = orv::SetMessageBoxSink([this](const orv::MessageBoxRequest& request) {
      texts.push_back(request.text);
      return IDOK;
    });
  }
  ~MessageRecorder() { orv::SetMessageBoxSink(m_previous); }
  std::vector<CString> texts;

private:
  orv::MessageBoxSink m_previous;
};

std::string ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteBytes(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

std::vector<std::string> FilesAside(const std::string& folder) {
  std::vector<std::string> found;
  for (const auto& entry : fs::directory_iterator(folder))
    if (entry.path().filename().string().rfind("user.db.damaged-", 0) == 0) found.push_back(entry.path().string());
  return found;
}

LSTATUS SetDword(HKEY root, const wchar_t* path, const wchar_t* name, DWORD value) {
  HKEY key = nullptr;
  LSTATUS st = RegCreateKeyExW(root, path, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
  if (st != ERROR_SUCCESS) return st;
  st = RegSetValueExW(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
  RegCloseKey(key);
  return st;
}

LSTATUS GetDword(HKEY root, const wchar_t* path, const wchar_t* name, DWORD* value) {
  HKEY key = nullptr;
  LSTATUS st = RegOpenKeyExW(root, path, 0, KEY_READ, &key);
  if (st != ERROR_SUCCESS) return st;
  DWORD size = sizeof *value;
  st = RegQueryValueExW(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(value), &size);
  RegCloseKey(key);
  return st;
}

// Fills the user file with stored values, then lets the store close it.
void MakeStore(const orv::test::TempRegistry& registry) {
  for (DWORD i = 0; i < 300; ++i)
    ASSERT_EQ(ERROR_SUCCESS, SetDword(HKEY_CURRENT_USER, (L"Fill\\" + std::to_wstring(i)).c_str(), L"v", i));
  orv::SetRegistryRootFile(HKEY_CURRENT_USER, registry.MachineFile() + ".elsewhere");
  orv::SetRegistryRootFile(HKEY_CURRENT_USER, registry.UserFile());
}

struct DamageCase {
  const char* name;
  std::function<void(const orv::test::TempRegistry&)> damage;
};

class RegistryDamageTest : public testing::TestWithParam<DamageCase> {};

TEST_P(RegistryDamageTest, ReportedOnceKeptAsideAndReadsGiveNothing) {
  orv::test::TempRegistry registry;
  GetParam().damage(registry);
  const std::string original = ReadBytes(registry.UserFile());
  MessageRecorder messages;

  DWORD value = 0;
  EXPECT_EQ(ERROR_FILE_NOT_FOUND, GetDword(HKEY_CURRENT_USER, L"Fill\\7", L"v", &value));
  EXPECT_EQ(ERROR_FILE_NOT_FOUND, GetDword(HKEY_CURRENT_USER, L"Other", L"v", &value));
  ASSERT_EQ(1u, messages.texts.size());
  EXPECT_NE(-1, messages.texts[0].Find(L"damaged")) << messages.texts[0];
  EXPECT_NE(-1, messages.texts[0].Find(CString(registry.UserFile().c_str()))) << messages.texts[0];

  std::vector<std::string> aside = FilesAside(registry.Folder());
  ASSERT_EQ(1u, aside.size());
  EXPECT_TRUE(original == ReadBytes(aside[0])) << "the damaged file is kept as it was";
  EXPECT_NE(-1, messages.texts[0].Find(CString(aside[0].c_str())));

  // The store goes on in a fresh file.
  ASSERT_EQ(ERROR_SUCCESS, SetDword(HKEY_CURRENT_USER, L"After", L"v", 42));
  ASSERT_EQ(ERROR_SUCCESS, GetDword(HKEY_CURRENT_USER, L"After", L"v", &value));
  EXPECT_EQ(42u, value);
  EXPECT_EQ(1u, messages.texts.size());
  EXPECT_EQ(1u, FilesAside(registry.Folder()).size());
}

INSTANTIATE_TEST_SUITE_P(
    Files, RegistryDamageTest,
    testing::Values(
        DamageCase{"TextFile", [](const orv::test::TempRegistry& r) {
                     std::string text;
                     for (int i = 0; i < 200; ++i) text += "this is not a database\n";
                     WriteBytes(r.UserFile(), text);
                   }},
        DamageCase{"ShortGarbage", [](const orv::test::TempRegistry& r) { WriteBytes(r.UserFile(), "SQLite"); }},
        DamageCase{"ForeignDatabase", [](const orv::test::TempRegistry& r) {
                     sqlite3* db = nullptr;
                     sqlite3_open(r.UserFile().c_str(), &db);
                     sqlite3_exec(db, "CREATE TABLE photos(id, path); INSERT INTO photos VALUES(1, 'a.jpg');",
                                  nullptr, nullptr, nullptr);
                     sqlite3_close(db);
                   }},
        DamageCase{"OverwrittenPages", [](const orv::test::TempRegistry& r) {
                     MakeStore(r);
                     std::string bytes = ReadBytes(r.UserFile());
                     ASSERT_GT(bytes.size(), 3 * 4096u);
                     for (size_t i = 4096; i < bytes.size(); i += 7) bytes[i] = static_cast<char>(0xA5);
                     WriteBytes(r.UserFile(), bytes);
                   }},
        DamageCase{"TruncatedHeader", [](const orv::test::TempRegistry& r) {
                     MakeStore(r);
                     std::string bytes = ReadBytes(r.UserFile());
                     bytes.replace(0, 16, "Not SQLite here!");
                     WriteBytes(r.UserFile(), bytes);
                   }}),
    [](const testing::TestParamInfo<DamageCase>& info) { return std::string(info.param.name); });

TEST(RegistryDamage, AnEmptyFileIsANewStore) {
  orv::test::TempRegistry registry;
  WriteBytes(registry.UserFile(), "");
  MessageRecorder messages;
  DWORD value = 0;
  EXPECT_EQ(ERROR_FILE_NOT_FOUND, GetDword(HKEY_CURRENT_USER, L"A", L"v", &value));
  ASSERT_EQ(ERROR_SUCCESS, SetDword(HKEY_CURRENT_USER, L"A", L"v", 5));
  EXPECT_TRUE(messages.texts.empty());
  EXPECT_TRUE(FilesAside(registry.Folder()).empty());
}
}  // namespace
