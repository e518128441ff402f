// What this process read before must never hide what another process changed since: the
// registry and INI files are read again at once after a change made elsewhere.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <functional>
#include <string>
#include <thread>

#include "platform/base/TextCodec.h"
#include "platform/store/Profile.h"
#include "platform/store/WinReg.h"
#include "platform/store/detail/IniCache.h"
#include "support/ChildProcess.h"
#include "support/FileBytes.h"
#include "support/RawRegistry.h"
#include "support/TempDir.h"
#include "support/TempRegistry.h"

namespace {
using orv::test::RunInChild;

using orv::test::CreateRawKey;
using orv::test::SetRawDword;
using orv::test::SetRawString;

// The state as this process sees it: values N, M, S of "Shared", V of the handle opened on
// "Shared\Sub" and the subkeys of "Shared".
std::string Snapshot(HKEY sub) {
  HKEY shared = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, L"Shared", 0, KEY_READ, &shared) != ERROR_SUCCESS) return "no key";
  std::string out;
  for (const wchar_t* name : {L"N", L"M", L"V"}) {
    DWORD value = 0, size = sizeof value;
    LSTATUS st = RegQueryValueExW(name[0] == L'V' ? sub : shared, name, nullptr, nullptr,
                                  reinterpret_cast<BYTE*>(&value), &size);
    out += static_cast<char>(name[0]) + std::string("=") +
           (st == ERROR_SUCCESS ? std::to_string(value) : st == ERROR_KEY_DELETED ? "deleted" : "-") + " ";
  }
  wchar_t text[16] = L"-";
  DWORD size = sizeof text;
  RegQueryValueExW(shared, L"S", nullptr, nullptr, reinterpret_cast<BYTE*>(text), &size);
  out += "S=" + orv::EncodeUtf8(text) + " keys=";
  wchar_t name[64];
  for (DWORD i = 0, n = 64; RegEnumKeyExW(shared, i, name, &n, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
       ++i, n = 64)
    out += orv::EncodeUtf8(name) + ",";
  RegCloseKey(shared);
  return out;
}

struct RegistryChange {
  const char* name;
  std::function<bool()> change;  // run in the other process
  const char* seen;
};

TEST(StaleRead, RegistryChangesOfAnotherProcessAreSeenAtOnce) {
  const RegistryChange changes[] = {
      {"value changed",
       [] {
         return SetRawDword(HKEY_CURRENT_USER, L"Shared", L"N", 2) == ERROR_SUCCESS &&
                SetRawString(HKEY_CURRENT_USER, L"Shared", L"S", L"new") == ERROR_SUCCESS;
       },
       "N=2 M=- V=7 S=new keys=Sub,"},
      {"value added where none was", [] { return SetRawDword(HKEY_CURRENT_USER, L"Shared", L"M", 5) == ERROR_SUCCESS; },
       "N=1 M=5 V=7 S=old keys=Sub,"},
      {"value deleted",
       [] {
         HKEY key = nullptr;
         RegOpenKeyExW(HKEY_CURRENT_USER, L"Shared", 0, KEY_ALL_ACCESS, &key);
         return RegDeleteValueW(key, L"N") == ERROR_SUCCESS;
       },
       "N=- M=- V=7 S=old keys=Sub,"},
      {"key deleted", [] { return SHDeleteKeyW(HKEY_CURRENT_USER, L"Shared\\Sub") == ERROR_SUCCESS; },
       "N=1 M=- V=deleted S=old keys="},
      {"subkey added", [] { return CreateRawKey(HKEY_CURRENT_USER, L"Shared\\A") == ERROR_SUCCESS; },
       "N=1 M=- V=7 S=old keys=A,Sub,"},
  };
  for (const RegistryChange& row : changes) {
    SCOPED_TRACE(row.name);
    orv::test::TempRegistry registry;
    HKEY shared = nullptr, sub = nullptr;  // both open across the change
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExW(HKEY_CURRENT_USER, L"Shared\\Sub", 0, nullptr, 0, KEY_ALL_ACCESS,
                                             nullptr, &sub, nullptr));
    ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExW(HKEY_CURRENT_USER, L"Shared", 0, KEY_READ, &shared));
    ASSERT_EQ(ERROR_SUCCESS, SetRawDword(HKEY_CURRENT_USER, L"Shared", L"N", 1));
    ASSERT_EQ(ERROR_SUCCESS, SetRawDword(HKEY_CURRENT_USER, L"Shared\\Sub", L"V", 7));
    ASSERT_EQ(ERROR_SUCCESS, SetRawString(HKEY_CURRENT_USER, L"Shared", L"S", L"old"));
    ASSERT_EQ("N=1 M=- V=7 S=old keys=Sub,", Snapshot(sub));
    ASSERT_TRUE(RunInChild(row.change));
    EXPECT_EQ(row.seen, Snapshot(sub));
    RegCloseKey(shared);
    RegCloseKey(sub);
  }
}

// Rewrites the value "old" of the file as "new" in place: same inode, same size.
bool RewriteInPlace(const std::string& path) {
  std::string bytes = orv::test::ReadFileBytes(path);
  bytes.replace(bytes.find("old"), 3, "new");
  int fd = open(path.c_str(), O_WRONLY);
  bool ok = fd >= 0 && pwrite(fd, bytes.data(), bytes.size(), 0) == static_cast<ssize_t>(bytes.size());
  if (fd >= 0) close(fd);
  return ok;
}

struct IniChange {
  const char* name;
  bool settled;  // read first only once the file's stamps are older than a clock tick
  std::function<bool(const std::string& path)> change;  // run in the other process
  const wchar_t* seen;  // null: the old value to whoever may still read the file (root), else none
};

TEST(StaleRead, IniFilesChangedByAnotherProcessAreReadAfresh) {
  const IniChange changes[] = {
      {"rewritten in place, same size, times put back", true,
       [](const std::string& path) {
         struct stat before {};
         stat(path.c_str(), &before);
         const timespec times[2] = {before.st_atim, before.st_mtim};
         return RewriteInPlace(path) && utimensat(AT_FDCWD, path.c_str(), times, 0) == 0;
       },
       L"new"},
      {"rewritten in place, same size, at once", false, RewriteInPlace, L"new"},
      {"replaced by rename", true,
       [](const std::string& path) {
         return orv::test::WriteFileBytes(path + ".new", "[S]\r\nK=new\r\n") &&
                std::rename((path + ".new").c_str(), path.c_str()) == 0;
       },
       L"new"},
      {"written through the profile calls", true,
       [](const std::string& path) { return WritePrivateProfileStringW(L"S", L"K", L"new", CString(path.c_str())); },
       L"new"},
      {"deleted", true, [](const std::string& path) { return unlink(path.c_str()) == 0; }, L"none"},
      // Nobody is served a copy of a file they may no longer read.
      {"made unreadable", true, [](const std::string& path) { return chmod(path.c_str(), 0) == 0; }, nullptr},
  };
  for (const IniChange& row : changes) {
    SCOPED_TRACE(row.name);
    orv::test::TempDir dir;
    const std::string path = dir.File("shared.ini");
    ASSERT_TRUE(orv::test::WriteFileBytes(path, "[S]\r\nK=old\r\n"));
    if (row.settled) std::this_thread::sleep_for(std::chrono::nanoseconds(2 * orv::ini::kSettleNs));
    wchar_t value[16];
    GetPrivateProfileStringW(L"S", L"K", L"none", value, 16, CString(path.c_str()));
    ASSERT_EQ(std::wstring(L"old"), value);
    ASSERT_TRUE(RunInChild([&] { return row.change(path); }));
    GetPrivateProfileStringW(L"S", L"K", L"none", value, 16, CString(path.c_str()));
    EXPECT_EQ(std::wstring(row.seen ? row.seen : access(path.c_str(), R_OK) == 0 ? L"old" : L"none"), value);
  }
}
}  // namespace
