#pragma once
// Replacing a file so that a crash leaves either the old or the new content, never a mix:
// the new content goes to a temporary file beside the destination, is flushed to disk and
// then renamed over it. The temporary file is created exclusively (O_EXCL), so a link that
// someone planted at its name is never followed. A destination that is a symbolic link keeps
// its link: the file it points to is replaced.
#include <string>
#include <string_view>

#include "platform/base/Export.h"

namespace orv {

// The bytes of a path for system calls (paths are UTF-8 on disk).
ORV_API std::string NativePath(std::wstring_view path);

class ORV_API AtomicFile {
public:
  AtomicFile() = default;
  ~AtomicFile();  // discards what was not committed
  AtomicFile(const AtomicFile&) = delete;
  AtomicFile& operator=(const AtomicFile&) = delete;

  // Creates the temporary file (readable and writable) for a new version of destination.
  // Fails, with errno set, when the destination is a folder or exists and may not be
  // written, or when its folder does not take new files.
  bool Create(const std::string& destination);
  int Descriptor() const { return fd_; }
  bool IsActive() const { return fd_ >= 0; }
  // Flushes and renames over the destination. On failure (errno set) the temporary file is
  // removed and the destination is as it was.
  bool Commit();
  // Removes the temporary file; the destination is untouched.
  void Discard();

private:
  int fd_ = -1;
  std::string temp_;
  std::string destination_;
};

// Writes bytes as the new content of path, atomically. False (errno set) leaves the old file.
ORV_API bool ReplaceFileAtomically(const std::string& path, std::string_view bytes);

// Writes count bytes, retrying short writes; false (errno set) on failure.
ORV_API bool WriteAll(int fd, const void* data, std::size_t count);

}  // namespace orv
