#include "platform/base/FileFind.h"

#include <algorithm>
#include <dirent.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/base/AtomicFile.h"

namespace orv {
namespace {

// Classic wildcard matching with one back-tracking point for the last "*".
bool Glob(std::wstring_view pattern, std::wstring_view name) {
  std::size_t p = 0, n = 0, starP = std::wstring_view::npos, starN = 0;
  while (n < name.size()) {
    if (p < pattern.size() && pattern[p] == L'*') {
      starP = p++;
      starN = n;
    } else if (p < pattern.size() && (pattern[p] == L'?' || FoldCase(pattern[p]) == FoldCase(name[n]))) {
      ++p;
      ++n;
    } else if (starP != std::wstring_view::npos) {
      p = starP + 1;
      n = ++starN;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == L'*') ++p;
  return p == pattern.size();
}

}  // namespace

bool MatchesFilePattern(std::wstring_view pattern, std::wstring_view name) {
  if (pattern == L"*.*") return true;
  if (Glob(pattern, name)) return true;
  return pattern.size() > 2 && pattern.substr(pattern.size() - 2) == L".*" &&
         Glob(pattern.substr(0, pattern.size() - 2), name);
}

}  // namespace orv

IMPLEMENT_DYNAMIC(CFileFind, CObject)

CFileFind::CFileFind() = default;
CFileFind::~CFileFind() = default;

BOOL CFileFind::FindFile(const wchar_t* pattern, DWORD) {
  Close();
  std::wstring full = pattern != nullptr && *pattern != L'\0' ? pattern : L"*.*";
  std::size_t slash = full.rfind(L'/');
  std::wstring folder = slash == std::wstring::npos ? L"." : full.substr(0, slash + 1);
  std::wstring mask = slash == std::wstring::npos ? full : full.substr(slash + 1);
  if (mask.empty()) return FALSE;

  std::string nativeFolder = orv::NativePath(folder);
  DIR* dir = opendir(nativeFolder.c_str());
  if (dir == nullptr) return FALSE;
  std::error_code ec;
  std::filesystem::path absolute = std::filesystem::absolute(nativeFolder, ec).lexically_normal();
  std::string root = ec ? nativeFolder : absolute.string();
  if (root.empty() || root.back() != '/') root += '/';
  m_root = orv::WidePath(root);

  while (dirent* entry = readdir(dir)) {
    std::wstring name = orv::WidePath(entry->d_name);
    if (!orv::MatchesFilePattern(mask, name)) continue;
    std::string path = root + entry->d_name;
    struct stat st {};
    if (stat(path.c_str(), &st) != 0 && lstat(path.c_str(), &st) != 0) continue;  // gone meanwhile
    Entry e;
    e.name = std::move(name);
    e.directory = S_ISDIR(st.st_mode);
    e.readOnly = access(path.c_str(), W_OK) != 0;
    e.length = e.directory ? 0 : static_cast<ULONGLONG>(st.st_size);
    m_entries.push_back(std::move(e));
  }
  closedir(dir);
  std::sort(m_entries.begin(), m_entries.end(), [](const Entry& a, const Entry& b) {
    int c = orv::CompareNoCase(a.name, b.name);
    return c != 0 ? c < 0 : a.name < b.name;
  });
  return m_entries.empty() ? FALSE : TRUE;
}

BOOL CFileFind::FindNextFile() {
  if (m_index + 1 >= static_cast<int>(m_entries.size())) return FALSE;
  ++m_index;
  return m_index + 1 < static_cast<int>(m_entries.size()) ? TRUE : FALSE;
}

void CFileFind::Close() {
  m_entries.clear();
  m_root.clear();
  m_index = -1;
}

const CFileFind::Entry* CFileFind::Current() const {
  return m_index >= 0 && m_index < static_cast<int>(m_entries.size()) ? &m_entries[m_index] : nullptr;
}

CString CFileFind::GetFileName() const { return Current() ? CString(Current()->name) : CString(); }
CString CFileFind::GetFilePath() const { return Current() ? CString(m_root + Current()->name) : CString(); }
CString CFileFind::GetRoot() const { return CString(m_root); }
ULONGLONG CFileFind::GetLength() const { return Current() ? Current()->length : 0; }
BOOL CFileFind::IsDirectory() const { return Current() && Current()->directory ? TRUE : FALSE; }
BOOL CFileFind::IsReadOnly() const { return Current() && Current()->readOnly ? TRUE : FALSE; }

CString CFileFind::GetFileTitle() const { return orv::FileTitleOf(GetFileName()); }

BOOL CFileFind::IsDots() const {
  return Current() && (Current()->name == L"." || Current()->name == L"..") ? TRUE : FALSE;
}

BOOL CFileFind::IsHidden() const { return Current() && !Current()->name.empty() && Current()->name[0] == L'.'; }
