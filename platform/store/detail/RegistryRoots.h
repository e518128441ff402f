#pragma once
// The process-wide state behind the registry calls: the database of each root and the lock
// that every call holds while it works.
#include <mutex>

#include "platform/store/WinReg.h"
#include "platform/store/detail/RegistryDatabase.h"

namespace orv::store {
inline constexpr int kRootCount = 2;

std::recursive_mutex& RegistryLock();
// 0 for HKEY_CURRENT_USER, 1 for HKEY_LOCAL_MACHINE, -1 for anything else.
int RootIndex(HKEY key);
// The database of a root (lock held). After a fork() the child gets connections of its own.
Database& RootDatabase(int root);

// While it lives, the registry calls of this thread run as one batch per root (see
// Database) and other threads wait. Finish commits and gives the first failure.
class RegistryBatch {
public:
  RegistryBatch();
  ~RegistryBatch();
  RegistryBatch(const RegistryBatch&) = delete;
  RegistryBatch& operator=(const RegistryBatch&) = delete;
  LSTATUS Finish();

private:
  std::lock_guard<std::recursive_mutex> guard_;
  bool finished_ = false;
};
}  // namespace orv::store
