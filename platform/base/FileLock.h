#pragma once
// Advisory whole-file locks (flock) between processes. They stand in for the sharing modes
// of the original platform: a handle that denies others something holds a lock that the
// others' conflicting opens fail to take. Only cooperating openers (this library) see them.
#include <string>

#include "platform/base/Export.h"

namespace orv {

// Takes a shared or exclusive lock on an open file, waiting at most timeoutMs (0: one try).
// False (errno EWOULDBLOCK) when another open file holds a conflicting lock all that time.
ORV_API bool LockFile(int fd, bool exclusive, int timeoutMs);

// An exclusive lock on whatever file is at a path, for a read-modify-replace cycle: when the
// file is replaced (renamed over) while waiting, the lock is taken again on the new file, so
// that the holder always reads the newest content and no other writer's update is lost.
class ORV_API LockedFile {
public:
  LockedFile() = default;
  ~LockedFile();
  LockedFile(const LockedFile&) = delete;
  LockedFile& operator=(const LockedFile&) = delete;

  // Opens path for reading (creating it empty first when create is set) and locks it.
  // False with errno ENOENT when it does not exist and create is not set, EWOULDBLOCK on
  // timeout, or the error of the open.
  bool Open(const std::string& path, bool create, int timeoutMs);
  int Descriptor() const { return fd_; }
  // Reads the whole file from its start; false (errno set) on a read error.
  bool ReadAll(std::string& bytes) const;
  void Close();

private:
  int fd_ = -1;
};

}  // namespace orv
