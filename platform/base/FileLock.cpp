#include "platform/base/FileLock.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace orv {

bool LockFile(int fd, bool exclusive, int timeoutMs) {
  const int operation = (exclusive ? LOCK_EX : LOCK_SH) | LOCK_NB;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(std::max(timeoutMs, 0));
  auto pause = std::chrono::milliseconds(1);
  for (;;) {
    if (flock(fd, operation) == 0) return true;
    if (errno == EINTR) continue;
    if (errno != EWOULDBLOCK) return false;
    if (std::chrono::steady_clock::now() >= deadline) return false;
    // Holders keep the lock for one read-modify-write: poll briefly, backing off.
    std::this_thread::sleep_for(pause);
    pause = std::min(pause * 2, std::chrono::milliseconds(20));
  }
}

LockedFile::~LockedFile() { Close(); }

bool LockedFile::Open(const std::string& path, bool create, int timeoutMs) {
  Close();
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(std::max(timeoutMs, 0));
  for (;;) {
    int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | (create ? O_CREAT : 0), 0666);
    if (fd < 0) return false;
    auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
    if (!LockFile(fd, true, static_cast<int>(std::max<long long>(left.count(), 0)))) {
      int error = errno;
      close(fd);
      errno = error;
      return false;
    }
    // The lock counts only if the locked file is still the one at the path.
    struct stat locked {}, current {};
    if (fstat(fd, &locked) == 0 && stat(path.c_str(), &current) == 0 && locked.st_dev == current.st_dev &&
        locked.st_ino == current.st_ino) {
      fd_ = fd;
      return true;
    }
    close(fd);
    if (std::chrono::steady_clock::now() >= deadline) {
      errno = EWOULDBLOCK;
      return false;
    }
  }
}

bool LockedFile::ReadAll(std::string& bytes) const {
  bytes.clear();
  if (fd_ < 0) {
    errno = EBADF;
    return false;
  }
  char chunk[65536];
  off_t offset = 0;
  for (;;) {
    ssize_t n = pread(fd_, chunk, sizeof(chunk), offset);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    if (n == 0) return true;
    bytes.append(chunk, static_cast<std::size_t>(n));
    offset += n;
  }
}

void LockedFile::Close() {
  if (fd_ >= 0) close(fd_);  // closing the last descriptor releases the lock
  fd_ = -1;
}

}  // namespace orv
