#pragma once
// Parsed copies of the INI files read last, so that reading one value does not read and
// parse the whole file again.
//
// A copy is used only while the file at the path is the same file as when it was read: the
// same device and inode, size, and modification and change times to the nanosecond, asked
// of the file system on every use. A file replaced by rename, rewritten, deleted or made
// unreadable is read afresh (or reads as nothing).
//
// Time stamps have a grain: the file system takes them from a clock that advances in ticks
// of some milliseconds (some file systems keep only seconds), so a file rewritten with the
// same size within one tick of the moment it was read keeps all of them. A copy is
// therefore trusted on its stamps alone only once the file's change time lies clearly
// before the moment it was read (kSettleNs, or kCoarseSettleNs where the stamps have no
// sub-second part); until then every use reads the file again and compares its bytes.
//
// At most kFiles files and kBytes bytes of file text are kept, the least recently used
// going first; a larger file is read every time.
#include <memory>
#include <string>

#include "platform/store/IniDocument.h"

namespace orv::ini {
inline constexpr std::size_t kCachedFiles = 16;
inline constexpr std::size_t kCachedBytes = 8u << 20;
inline constexpr long long kSettleNs = 50'000'000;
inline constexpr long long kCoarseSettleNs = 2'000'000'000;

// The file's content now, or null when it does not exist or cannot be read.
std::shared_ptr<const IniDocument> CurrentDocument(const std::string& path);
// After this process wrote `bytes` (parsed as `document`) as the new file at path.
void RememberWritten(const std::string& path, std::string bytes, IniDocument document);
}  // namespace orv::ini
