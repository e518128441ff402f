#pragma once
// Points both registry roots at fresh files in a new temporary folder for the life of the
// object, then back at their defaults, and removes the folder.
#include <string>

#include "platform/store/WinReg.h"
#include "support/TempDir.h"

namespace orv::test {
class TempRegistry {
public:
  TempRegistry() {
    orv::SetRegistryRootFile(HKEY_CURRENT_USER, UserFile());
    orv::SetRegistryRootFile(HKEY_LOCAL_MACHINE, MachineFile());
  }
  ~TempRegistry() {
    orv::SetRegistryRootFile(HKEY_CURRENT_USER, std::string());
    orv::SetRegistryRootFile(HKEY_LOCAL_MACHINE, std::string());
  }
  TempRegistry(const TempRegistry&) = delete;
  TempRegistry& operator=(const TempRegistry&) = delete;

  const std::string& Folder() const { return m_folder.Path(); }
  std::string UserFile() const { return m_folder.File("user.db"); }
  std::string MachineFile() const { return m_folder.File("machine.db"); }

private:
  TempDir m_folder;
};
}  // namespace orv::test
