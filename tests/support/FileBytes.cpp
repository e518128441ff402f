#include "support/FileBytes.h"

#include <fstream>
#include <iterator>

namespace orv::test {

std::string ReadFileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

bool WriteFileBytes(const std::string& path, std::string_view bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(out.flush());
}

std::string Utf16LeWithMark(std::wstring_view text) {
  std::string bytes = "\xFF\xFE";
  for (wchar_t ch : text) {
    // Characters beyond the basic plane become a surrogate pair.
    auto unit = [&bytes](unsigned u) {
      bytes += static_cast<char>(u & 0xFF);
      bytes += static_cast<char>((u >> 8) & 0xFF);
    };
    auto cp = static_cast<unsigned>(ch);
    if (cp >= 0x10000) {
      cp -= 0x10000;
      unit(0xD800 + (cp >> 10));
      unit(0xDC00 + (cp & 0x3FF));
    } else {
      unit(cp);
    }
  }
  return bytes;
}

}  // namespace orv::test
