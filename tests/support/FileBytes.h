#pragma once
// Files as raw bytes, for tests that write inputs byte by byte and check outputs exactly.
#include <string>
#include <string_view>

namespace orv::test {

// The whole file; "" when it cannot be read.
std::string ReadFileBytes(const std::string& path);
// Writes exactly these bytes (a "\0" inside included); false when it cannot.
bool WriteFileBytes(const std::string& path, std::string_view bytes);
// Text as UTF-16LE with its byte-order mark, the way Unicode text files are written.
std::string Utf16LeWithMark(std::wstring_view text);

}  // namespace orv::test
