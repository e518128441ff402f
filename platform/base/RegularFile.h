#pragma once
// Opening data files without surprises: a FIFO, device or socket at a data path is refused
// instead of blocking the process or being written through.
#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/base/Export.h"

namespace orv {

// The errno value for a path that exists but is not a regular file (nor a folder, which gives
// EISDIR). It lies above the system's own numbers; SystemErrorText describes it.
inline constexpr int kNotRegularFile = 0x4F52;

// open() for a data file: never blocks on a FIFO, and refuses anything but a regular file
// (errno EISDIR or kNotRegularFile). Returns the descriptor (blocking, close-on-exec) or -1.
ORV_API int OpenRegularFile(const std::string& path, int flags, unsigned mode = 0666);

// The whole content of a regular file; false (errno set; EFBIG past maxBytes) otherwise.
ORV_API bool ReadRegularFile(const std::string& path, std::string* bytes, std::size_t maxBytes = SIZE_MAX);

// The system's reason for an errno value, as strerror gives it; kNotRegularFile included.
ORV_API std::string SystemErrorText(int error);

}  // namespace orv
