#pragma once
// Reading and editing INI files on disk. Reads take no lock: files are only ever replaced
// whole (see AtomicFile.h), so a reader sees one complete version. An edit locks the file
// for its whole read-modify-replace cycle, so two processes editing different keys of one
// file at the same moment both keep their change.
#include <functional>
#include <optional>
#include <string>

#include "platform/base/Export.h"
#include "platform/store/IniDocument.h"

namespace orv::ini {

// How long an edit waits for another process's edit of the same file.
inline constexpr int kEditTimeoutMs = 5000;

// The file's content, or nothing when it does not exist or cannot be read.
ORV_API std::optional<IniDocument> Load(const std::string& path);

// Runs edit on the file's current content and writes the result if edit reports a change.
// A missing file starts empty when create is set; otherwise there is nothing to edit and
// the call succeeds without creating it. False (errno set) when the file cannot be read,
// locked within timeoutMs, or written; the old file then stays as it was.
ORV_API bool Edit(const std::string& path, bool create, const std::function<bool(IniDocument&)>& edit,
                  int timeoutMs = kEditTimeoutMs);

}  // namespace orv::ini
