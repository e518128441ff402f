#include "fuzz/FuzzSupport.h"

#include <stdlib.h>

#include <filesystem>

namespace orv::fuzz {
namespace {
struct Scratch {
  std::string path;
  Scratch() {
    std::string base = std::filesystem::exists("/dev/shm") ? "/dev/shm" : std::filesystem::temp_directory_path().string();
    std::string pattern = base + "/orvfuzz-XXXXXX";
    if (mkdtemp(pattern.data()) == nullptr) std::abort();
    path = pattern;
  }
  ~Scratch() {
    std::error_code ignored;
    std::filesystem::remove_all(path, ignored);
  }
};
}  // namespace

const std::string& ScratchFolder() {
  static Scratch scratch;
  return scratch.path;
}

std::string ScratchFile(const std::string& name, const void* data, std::size_t size) {
  std::string path = ScratchFolder() + "/" + name;
  FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) std::abort();
  if (size != 0 && std::fwrite(data, 1, size, file) != size) std::abort();
  std::fclose(file);
  return path;
}
}  // namespace orv::fuzz
