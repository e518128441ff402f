#pragma once
// What the fuzz targets share: a property check that stops the run with its reason, and a
// scratch folder of the process for targets that need files.
#include <cstdio>
#include <cstdlib>
#include <string>

#define FUZZ_CHECK(condition, what)                                          \
  do {                                                                       \
    if (!(condition)) {                                                      \
      std::fprintf(stderr, "property broken: %s (%s)\n", what, #condition); \
      std::abort();                                                          \
    }                                                                        \
  } while (0)

namespace orv::fuzz {
// A folder of this process, made on first use (in /dev/shm when there is one: files there
// cost no disk writes) and removed at exit.
const std::string& ScratchFolder();
// Writes bytes to a file of the scratch folder and returns its path.
std::string ScratchFile(const std::string& name, const void* data, std::size_t size);
}  // namespace orv::fuzz
