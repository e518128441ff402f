#include "platform/store/detail/RegistryRoots.h"

#include <pthread.h>
#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <string_view>

namespace orv::store {
namespace {
struct Roots {
  std::string chosen[kRootCount];  // set by SetRegistryRootFile; empty: the default
  std::unique_ptr<Database> db[kRootCount];
  bool forked = false;
};

Roots& Instance() {
  static Roots roots;
  return roots;
}

// The roots of this process. After a fork() the child drops the connections it inherited
// (without closing them) and opens its own.
Roots& State() {
  static const bool watching = [] {
    pthread_atfork(nullptr, nullptr, [] { Instance().forked = true; });
    return true;
  }();
  (void)watching;
  Roots& roots = Instance();
  if (roots.forked) {
    for (auto& db : roots.db)
      if (db) db->ForgetAfterFork();
    roots.forked = false;
  }
  return roots;
}

// XDG says relative paths in these variables are to be ignored.
std::string AbsoluteEnv(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr && value[0] == '/' ? std::string(value) : std::string();
}

std::string HomeFolder() {
  std::string home = AbsoluteEnv("HOME");
  if (!home.empty()) return home;
  const passwd* pw = getpwuid(getuid());
  return pw != nullptr && pw->pw_dir != nullptr ? std::string(pw->pw_dir) : std::string("/");
}

std::string UserConfigFolder() {
  std::string folder = AbsoluteEnv("XDG_CONFIG_HOME");
  return folder.empty() ? HomeFolder() + "/.config" : folder;
}

std::string MachineConfigFolder() {
  if (const char* dirs = std::getenv("XDG_CONFIG_DIRS")) {
    std::string_view list(dirs);
    while (!list.empty()) {
      size_t cut = list.find(':');
      std::string_view first = list.substr(0, cut);
      if (!first.empty() && first[0] == '/') return std::string(first);
      if (cut == std::string_view::npos) break;
      list.remove_prefix(cut + 1);
    }
  }
  return "/etc/xdg";
}
}  // namespace

std::recursive_mutex& RegistryLock() {
  static std::recursive_mutex lock;
  return lock;
}

int RootIndex(HKEY key) {
  if (key == HKEY_CURRENT_USER) return 0;
  if (key == HKEY_LOCAL_MACHINE) return 1;
  return -1;
}

Database& RootDatabase(int root) {
  Roots& roots = State();
  auto& db = roots.db[root];
  if (!db) {
    std::string path = roots.chosen[root];
    if (path.empty()) path = DefaultRegistryRootFile(root == 0 ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE);
    db = std::make_unique<Database>(path);
  }
  return *db;
}
}  // namespace orv::store

namespace orv {
bool SetRegistryRootFile(HKEY root, const std::string& path) {
  int index = store::RootIndex(root);
  if (index < 0) return false;
  std::lock_guard guard(store::RegistryLock());
  store::Roots& roots = store::State();
  roots.chosen[index] = path;
  roots.db[index].reset();
  return true;
}

std::string GetRegistryRootFile(HKEY root) {
  int index = store::RootIndex(root);
  if (index < 0) return std::string();
  std::lock_guard guard(store::RegistryLock());
  const std::string& chosen = store::State().chosen[index];
  return chosen.empty() ? DefaultRegistryRootFile(root) : chosen;
}

LSTATUS RunRegistryTransaction(const std::function<LSTATUS()>& changes) {
  std::lock_guard guard(store::RegistryLock());
  // Ends the batches of both roots, rolling them back when `changes` throws; once a root
  // fails to commit, the next is rolled back.
  struct Batches {
    bool ended = false;
    Batches() {
      for (int root = 0; root < store::kRootCount; ++root) store::RootDatabase(root).BeginBatch();
    }
    ~Batches() {
      if (!ended) End(ERROR_CANTWRITE);
    }
    LSTATUS End(LSTATUS st) {
      ended = true;
      for (int root = 0; root < store::kRootCount; ++root) {
        LSTATUS closed = store::RootDatabase(root).EndBatch(st == ERROR_SUCCESS);
        if (st == ERROR_SUCCESS) st = closed;
      }
      return st;
    }
  } batches;
  return batches.End(changes());
}

std::string RegistryErrorText(LSTATUS status) {
  std::string words;
  switch (status) {
    case ERROR_SUCCESS: return "success";
    case ERROR_FILE_NOT_FOUND: words = "not found"; break;
    case ERROR_ACCESS_DENIED: words = "access denied"; break;
    case ERROR_INVALID_HANDLE: words = "invalid key handle"; break;
    case ERROR_NOT_ENOUGH_MEMORY:
    case ERROR_OUTOFMEMORY: words = "out of memory"; break;
    case ERROR_INVALID_DATA: words = "invalid data"; break;
    case ERROR_INVALID_PARAMETER: words = "invalid name or value"; break;
    case ERROR_BAD_PATHNAME: words = "bad key path"; break;
    case ERROR_CANTOPEN: words = "cannot open the registry file"; break;
    case ERROR_CANTREAD: words = "cannot read the registry file"; break;
    case ERROR_CANTWRITE: words = "cannot write the registry file"; break;
    case ERROR_REGISTRY_CORRUPT: words = "the registry file is damaged"; break;
    case ERROR_REGISTRY_IO_FAILED: words = "the registry file failed to read or write"; break;
    case ERROR_KEY_DELETED: words = "the key has been deleted"; break;
    default: words = "registry failure (code " + std::to_string(status) + ")"; break;
  }
  std::lock_guard guard(store::RegistryLock());
  const store::StoreFailure& last = store::LastStoreFailure();
  return last.status == status && !last.reason.empty() ? words + ": " + last.reason : words;
}

std::string DefaultRegistryRootFile(HKEY root) {
  switch (store::RootIndex(root)) {
    case 0:
      return store::UserConfigFolder() + "/orvdcm/user.db";
    case 1:
      return store::MachineConfigFolder() + "/orvdcm/machine.db";
    default:
      return std::string();
  }
}
}  // namespace orv
