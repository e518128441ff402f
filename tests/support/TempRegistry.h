#pragma once
// Points both registry roots at fresh files in a new temporary folder for the life of the
// object, then back at their defaults, and removes the folder.
#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <string>

#include "platform/store/WinReg.h"

namespace orv::test {
class TempRegistry {
public:
  TempRegistry() {
    std::string pattern = (std::filesystem::temp_directory_path() / "orvreg-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("cannot create " + pattern);
    m_folder = pattern;
    orv::SetRegistryRootFile(HKEY_CURRENT_USER, UserFile());
    orv::SetRegistryRootFile(HKEY_LOCAL_MACHINE, MachineFile());
  }
  ~TempRegistry() {
    orv::SetRegistryRootFile(HKEY_CURRENT_USER, std::string());
    orv::SetRegistryRootFile(HKEY_LOCAL_MACHINE, std::string());
    std::error_code ignored;
    if (!m_folder.empty()) std::filesystem::remove_all(m_folder, ignored);
  }
  TempRegistry(const TempRegistry&) = delete;
  TempRegistry& operator=(const TempRegistry&) = delete;

  const std::string& Folder() const { return m_folder; }
  std::string UserFile() const { return m_folder + "/user.db"; }
  std::string MachineFile() const { return m_folder + "/machine.db"; }

private:
  std::string m_folder;
};
}  // namespace orv::test
