#pragma once
// A fresh folder for one test, removed with everything in it when the object goes.
#include <string>

#include "platform/base/CString.h"

namespace orv::test {

class TempDir {
public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::string& Path() const { return m_path; }
  // The path of `name` inside the folder.
  std::string File(const std::string& name) const { return m_path + "/" + name; }
  CString WFile(const std::string& name) const { return CString(File(name).c_str()); }

private:
  std::string m_path;
};

}  // namespace orv::test
