#include "platform/base/RegularFile.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace orv {

int OpenRegularFile(const std::string& path, int flags, unsigned mode) {
  int fd;
  do fd = open(path.c_str(), flags | O_NONBLOCK | O_CLOEXEC, static_cast<mode_t>(mode));
  while (fd < 0 && errno == EINTR);
  if (fd < 0) return errno == ENXIO ? (errno = kNotRegularFile, -1) : -1;  // a FIFO without reader
  struct stat st {};
  int error = fstat(fd, &st) != 0 ? errno : S_ISDIR(st.st_mode) ? EISDIR : !S_ISREG(st.st_mode) ? kNotRegularFile : 0;
  if (error == 0 && fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK) != 0) error = errno;
  if (error != 0) {
    close(fd);
    errno = error;
    return -1;
  }
  return fd;
}

bool ReadRegularFile(const std::string& path, std::string* bytes, std::size_t maxBytes) {
  bytes->clear();
  int fd = OpenRegularFile(path, O_RDONLY);
  if (fd < 0) return false;
  char chunk[65536];
  for (;;) {
    ssize_t n = read(fd, chunk, sizeof chunk);
    if (n < 0 && errno == EINTR) continue;
    int error = n < 0 ? errno : bytes->size() + static_cast<std::size_t>(n) > maxBytes ? EFBIG : 0;
    if (n <= 0 || error != 0) {
      close(fd);
      errno = error;
      return error == 0;
    }
    bytes->append(chunk, static_cast<std::size_t>(n));
  }
}

std::string SystemErrorText(int error) {
  if (error == kNotRegularFile) return "Not a regular file";
  return std::strerror(error);
}

}  // namespace orv
