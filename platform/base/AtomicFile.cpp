#include "platform/base/AtomicFile.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <random>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/base/TextCodec.h"

namespace orv {
namespace {

// The file to replace: the target of a symbolic link, so that the link survives.
std::string ResolveDestination(const std::string& path) {
  struct stat st {};
  if (lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return path;
  char resolved[PATH_MAX];
  if (realpath(path.c_str(), resolved) == nullptr) return path;  // a dangling link is replaced
  return resolved;
}

std::string RandomSuffix() {
  static constexpr char kAlphabet[] = "abcdefghijklmnopqrstuvwxyz0123456789";
  std::random_device device;
  std::uniform_int_distribution<int> pick(0, static_cast<int>(sizeof(kAlphabet)) - 2);
  std::string suffix;
  for (int i = 0; i < 8; ++i) suffix += kAlphabet[pick(device)];
  return suffix;
}

}  // namespace

std::string NativePath(std::wstring_view path) { return EncodeUtf8(path); }

AtomicFile::~AtomicFile() { Discard(); }

bool AtomicFile::Create(const std::string& destination) {
  Discard();
  std::string target = ResolveDestination(destination);
  struct stat st {};
  bool exists = stat(target.c_str(), &st) == 0;
  if (exists && S_ISDIR(st.st_mode)) {
    errno = EISDIR;
    return false;
  }
  if (exists && access(target.c_str(), W_OK) != 0) return false;

  std::size_t slash = target.rfind('/');
  std::string folder = slash == std::string::npos ? std::string() : target.substr(0, slash + 1);
  // Keep the temporary name within the 255-byte limit of a file name.
  std::string base = target.substr(folder.size()).substr(0, 200);
  for (int attempt = 0; attempt < 100; ++attempt) {
    std::string temp = folder + "." + base + "." + RandomSuffix() + ".tmp";
    int fd = open(temp.c_str(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (fd < 0) {
      if (errno == EEXIST) continue;
      return false;
    }
    if (exists) fchmod(fd, st.st_mode & 07777);  // the new version keeps the old permissions
    fd_ = fd;
    temp_ = temp;
    destination_ = target;
    return true;
  }
  errno = EEXIST;
  return false;
}

bool AtomicFile::Commit() {
  if (fd_ < 0) {
    errno = EBADF;
    return false;
  }
  int error = 0;
  if (fsync(fd_) != 0) error = errno;
  if (close(fd_) != 0 && error == 0) error = errno;
  fd_ = -1;
  if (error == 0 && rename(temp_.c_str(), destination_.c_str()) != 0) error = errno;
  if (error != 0) {
    unlink(temp_.c_str());
    errno = error;
  }
  temp_.clear();
  return error == 0;
}

void AtomicFile::Discard() {
  if (fd_ < 0) return;
  close(fd_);
  unlink(temp_.c_str());
  fd_ = -1;
  temp_.clear();
}

bool WriteAll(int fd, const void* data, std::size_t count) {
  const char* p = static_cast<const char*>(data);
  while (count > 0) {
    ssize_t n = write(fd, p, count);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    p += n;
    count -= static_cast<std::size_t>(n);
  }
  return true;
}

bool ReplaceFileAtomically(const std::string& path, std::string_view bytes) {
  AtomicFile file;
  if (!file.Create(path)) return false;
  if (!WriteAll(file.Descriptor(), bytes.data(), bytes.size())) {
    int error = errno;
    file.Discard();
    errno = error;
    return false;
  }
  return file.Commit();
}

}  // namespace orv
