// A damaged store file: reported once, kept aside byte for byte, and reads answer as if
// nothing were stored; writes go on in a fresh file.
#include <sqlite3.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "platform/store/WinReg.h"
#include "support/FileBytes.h"
#include "support/MessageLog.h"
#include "support/RawRegistry.h"
#include "support/TempRegistry.h"

namespace {
namespace fs = std::filesystem;

using orv::test::ReadFileBytes;
using orv::test::ReadRawValue;
using orv::test::SetRawDword;
using orv::test::WriteFileBytes;

std::vector<std::string> FilesAside(const std::string& folder) {
  std::vector<std::string> found;
  for (const auto& entry : fs::directory_iterator(folder))
    if (entry.path().filename().string().rfind("user.db.damaged-", 0) == 0) found.push_back(entry.path().string());
  return found;
}

// Fills the user file with stored values, then lets the store close it.
void MakeStore(const orv::test::TempRegistry& registry) {
  for (DWORD i = 0; i < 300; ++i)
    ASSERT_EQ(ERROR_SUCCESS, SetRawDword(HKEY_CURRENT_USER, L"Fill\\" + std::to_wstring(i), L"v", i));
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
  const std::string original = ReadFileBytes(registry.UserFile());
  orv::test::MessageLog messages;

  EXPECT_EQ(ERROR_FILE_NOT_FOUND, ReadRawValue(HKEY_CURRENT_USER, L"Fill\\7", L"v").status);
  EXPECT_EQ(ERROR_FILE_NOT_FOUND, ReadRawValue(HKEY_CURRENT_USER, L"Other", L"v").status);
  ASSERT_EQ(1u, messages.boxes.size());
  EXPECT_NE(-1, messages.boxes[0].text.Find(L"damaged")) << messages.boxes[0].text;
  EXPECT_NE(-1, messages.boxes[0].text.Find(CString(registry.UserFile().c_str()))) << messages.boxes[0].text;

  std::vector<std::string> aside = FilesAside(registry.Folder());
  ASSERT_EQ(1u, aside.size());
  EXPECT_TRUE(original == ReadFileBytes(aside[0])) << "the damaged file is kept as it was";
  EXPECT_NE(-1, messages.boxes[0].text.Find(CString(aside[0].c_str())));

  // The store goes on in a fresh file.
  ASSERT_EQ(ERROR_SUCCESS, SetRawDword(HKEY_CURRENT_USER, L"After", L"v", 42));
  EXPECT_EQ(42u, ReadRawValue(HKEY_CURRENT_USER, L"After", L"v").Dword());
  EXPECT_EQ(1u, messages.boxes.size());
  EXPECT_EQ(1u, FilesAside(registry.Folder()).size());
}

INSTANTIATE_TEST_SUITE_P(
    Files, RegistryDamageTest,
    testing::Values(
        DamageCase{"TextFile", [](const orv::test::TempRegistry& r) {
                     std::string text;
                     for (int i = 0; i < 200; ++i) text += "this is not a database\n";
                     WriteFileBytes(r.UserFile(), text);
                   }},
        DamageCase{"ShortGarbage", [](const orv::test::TempRegistry& r) { WriteFileBytes(r.UserFile(), "SQLite"); }},
        DamageCase{"ForeignDatabase", [](const orv::test::TempRegistry& r) {
                     sqlite3* db = nullptr;
                     sqlite3_open(r.UserFile().c_str(), &db);
                     sqlite3_exec(db, "CREATE TABLE photos(id, path); INSERT INTO photos VALUES(1, 'a.jpg');",
                                  nullptr, nullptr, nullptr);
                     sqlite3_close(db);
                   }},
        DamageCase{"OverwrittenPages", [](const orv::test::TempRegistry& r) {
                     MakeStore(r);
                     std::string bytes = ReadFileBytes(r.UserFile());
                     ASSERT_GT(bytes.size(), 3 * 4096u);
                     for (size_t i = 4096; i < bytes.size(); i += 7) bytes[i] = static_cast<char>(0xA5);
                     WriteFileBytes(r.UserFile(), bytes);
                   }},
        DamageCase{"TruncatedHeader", [](const orv::test::TempRegistry& r) {
                     MakeStore(r);
                     std::string bytes = ReadFileBytes(r.UserFile());
                     bytes.replace(0, 16, "Not SQLite here!");
                     WriteFileBytes(r.UserFile(), bytes);
                   }}),
    [](const testing::TestParamInfo<DamageCase>& info) { return std::string(info.param.name); });

}  // namespace
