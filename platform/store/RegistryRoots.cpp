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

RegistryBatch::RegistryBatch() : guard_(RegistryLock()) {
  for (int root = 0; root < kRootCount; ++root) RootDatabase(root).BeginBatch();
}

RegistryBatch::~RegistryBatch() { Finish(); }

LSTATUS RegistryBatch::Finish() {
  LSTATUS first = ERROR_SUCCESS;
  if (finished_) return first;
  finished_ = true;
  for (int root = 0; root < kRootCount; ++root) {
    LSTATUS st = RootDatabase(root).EndBatch();
    if (first == ERROR_SUCCESS) first = st;
  }
  return first;
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
