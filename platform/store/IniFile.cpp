#include "platform/store/IniFile.h"

#include <cerrno>

#include "platform/base/AtomicFile.h"
#include "platform/base/FileLock.h"
#include "platform/base/RegularFile.h"
#include "platform/store/detail/IniCache.h"

namespace orv::ini {

std::optional<IniDocument> Load(const std::string& path) {
  std::string bytes;
  if (!ReadRegularFile(path, &bytes)) return std::nullopt;  // missing, not a file, or a read error
  return IniDocument::Parse(bytes);
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
