// Two processes writing to the same key of one store at the same time lose nothing.
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <string>

#include "support/RawRegistry.h"
#include "support/TempRegistry.h"

namespace {
using orv::test::ReadRawValue;

constexpr int kWrites = 150;
constexpr const wchar_t* kKey = L"Software\\Shared\\Key";

// Each write opens the key afresh, as separate calls of an application would. Returns the
// number of calls that failed.
int WriteSeries(const std::wstring& who) {
  int failures = 0;
  for (int i = 0; i < kWrites; ++i) {
    failures += orv::test::SetRawDword(HKEY_CURRENT_USER, kKey, (who + L"-" + std::to_wstring(i)).c_str(),
                                       static_cast<DWORD>(i)) != ERROR_SUCCESS;
    // Both also keep replacing one common value: it must end as one of the two writes.
    failures += orv::test::SetRawString(HKEY_CURRENT_USER, kKey, L"Last", who) != ERROR_SUCCESS;
  }
  return failures;
}

TEST(RegistrySharing, TwoProcessesWritingAtOnceLoseNothing) {
  orv::test::TempRegistry registry;
  // The parent has its store open before the fork; the child must not use that connection.
  ASSERT_EQ(ERROR_SUCCESS, orv::test::SetRawDword(HKEY_CURRENT_USER, L"", L"Opened", 1));
  pid_t child = fork();
  ASSERT_NE(-1, child);
  if (child == 0) _exit(WriteSeries(L"child") == 0 ? 0 : 1);
  int parentFailures = WriteSeries(L"parent");
  int status = 0;
  ASSERT_EQ(child, waitpid(child, &status, 0));
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(0, WEXITSTATUS(status)) << "the child's writes failed";
  EXPECT_EQ(0, parentFailures);

  for (const wchar_t* who : {L"parent", L"child"}) {
    for (int i = 0; i < kWrites; ++i) {
      std::wstring name = std::wstring(who) + L"-" + std::to_wstring(i);
      orv::test::RawValue value = ReadRawValue(HKEY_CURRENT_USER, kKey, name.c_str());
      ASSERT_TRUE(value.Found()) << "lost " << std::string(name.begin(), name.end());
      EXPECT_EQ(static_cast<DWORD>(i), value.Dword());
    }
  }
  std::wstring last = ReadRawValue(HKEY_CURRENT_USER, kKey, L"Last").Text();
  EXPECT_TRUE(last == L"parent" || last == L"child") << std::string(last.begin(), last.end());
  HKEY key = nullptr;
  ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExW(HKEY_CURRENT_USER, kKey, 0, KEY_READ, &key));
  wchar_t name[64];
  DWORD nameSize = 64;
  EXPECT_EQ(ERROR_SUCCESS, RegEnumValueW(key, 2 * kWrites, name, &nameSize, nullptr, nullptr, nullptr, nullptr));
  nameSize = 64;
  EXPECT_EQ(ERROR_NO_MORE_ITEMS, RegEnumValueW(key, 2 * kWrites + 1, name, &nameSize, nullptr, nullptr, nullptr, nullptr))
      << "exactly the values written, once each";
  RegCloseKey(key);
}
}  // namespace
