#include "platform/store/IniFile.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

#include "platform/base/AtomicFile.h"
#include "platform/base/FileLock.h"
#include "platform/store/detail/IniCache.h"

namespace orv::ini {

std::optional<IniDocument> Load(const std::string& path) {
  int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return std::nullopt;
  std::string bytes;
  char chunk[65536];
  for (;;) {
    ssize_t n = read(fd, chunk, sizeof(chunk));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      close(fd);
      if (n < 0) return std::nullopt;  // a folder, or a read error
      return IniDocument::Parse(bytes);
    }
    bytes.append(chunk, static_cast<std::size_t>(n));
  }
}

bool Edit(const std::string& path, bool create, const std::function<bool(IniDocument&)>& edit, int timeoutMs) {
  LockedFile locked;
  if (!locked.Open(path, create, timeoutMs)) return !create && errno == ENOENT;
  std::string bytes;
  if (!locked.ReadAll(bytes)) return false;
  IniDocument document = IniDocument::Parse(bytes);
  if (!edit(document)) return true;
  // Replaced while still holding the lock on the old file: the next editor waits for it and
  // then finds the new file at the path.
  std::string written = document.Serialize();
  if (!ReplaceFileAtomically(path, written)) return false;
  RememberWritten(path, std::move(written), std::move(document));
  return true;
}

}  // namespace orv::ini
