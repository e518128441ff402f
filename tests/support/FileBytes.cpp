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
  std::u16string units;
  for (wchar_t ch : text) {
    const auto cp = static_cast<char32_t>(ch);
    if (cp < 0x10000)
      units += static_cast<char16_t>(cp);
    else  // a surrogate pair
      units += {static_cast<char16_t>(0xD800 + ((cp - 0x10000) >> 10)), static_cast<char16_t>(0xDC00 + (cp & 0x3FF))};
  }
  std::string bytes = "\xFF\xFE";
  for (char16_t unit : units) bytes += {static_cast<char>(unit & 0xFF), static_cast<char>(unit >> 8)};
  return bytes;
}

}  // namespace orv::test
