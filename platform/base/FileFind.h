#pragma once
// CFileFind: the framework's search for files by name pattern.
//
//   CFileFind finder;
//   BOOL more = finder.FindFile(L"/data/sets/*.lst");
//   while (more) { more = finder.FindNextFile(); use(finder.GetFilePath()); }
//
// The pattern's last part may hold "*" (any run) and "?" (one character) and matches names
// ignoring letter case, as on the original platform; "*.*" matches every name, including
// names without a dot, and "name.*" also matches "name". The folder part has no wildcards.
// Entries come in name order; "." and ".." are entries like the others (see IsDots).
#include <string>
#include <vector>

#include "platform/base/CString.h"
#include "platform/base/File.h"
#include "platform/base/Object.h"

class ORV_API CFileFind : public CObject {
  DECLARE_DYNAMIC(CFileFind)
public:
  CFileFind();
  ~CFileFind() override;

  // Starts a search; null means "*.*" in the current folder. Non-zero when something
  // matches. The first match becomes current with the first FindNextFile.
  virtual BOOL FindFile(const wchar_t* pattern = nullptr, DWORD unused = 0);
  // Makes the next match current. Non-zero while another match follows it: the last match
  // is current when it returns 0.
  virtual BOOL FindNextFile();
  void Close();

  // About the current match (empty or 0 before the first FindNextFile).
  CString GetFileName() const;
  CString GetFilePath() const;  // GetRoot() + GetFileName()
  CString GetFileTitle() const;  // the name without its extension
  CString GetRoot() const;       // the searched folder, absolute, ending in "/"
  ULONGLONG GetLength() const;
  BOOL IsDirectory() const;
  BOOL IsDots() const;  // "." or ".."
  BOOL IsReadOnly() const;
  BOOL IsHidden() const;  // the name starts with "."

private:
  struct Entry {
    std::wstring name;
    bool directory = false;
    bool readOnly = false;
    ULONGLONG length = 0;
  };
  const Entry* Current() const;

  std::wstring m_root;
  std::vector<Entry> m_entries;
  int m_index = -1;
};

namespace orv {
// Whether name matches a file pattern with "*" and "?", ignoring letter case, with the
// original platform's "*.*" and "name.*" rules.
ORV_API bool MatchesFilePattern(std::wstring_view pattern, std::wstring_view name);
}  // namespace orv
