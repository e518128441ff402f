#include "sibling/orvcom/CommonFile.h"

#include <sys/stat.h>

#include "platform/base/AtomicFile.h"

BOOL CCommonFile::DoesFileExist(const wchar_t* path) {
  if (path == nullptr || *path == L'\0') return FALSE;
  struct stat st {};
  return stat(orv::NativePath(path).c_str(), &st) == 0 && !S_ISDIR(st.st_mode) ? TRUE : FALSE;
}

CString CCommonFile::GetPathName(const CString& path) {
  int slash = path.ReverseFind(L'/');
  if (slash < 0) return CString();
  CString folder = path.Left(slash);
  folder.TrimRight(L'/');  // "a//b" has the folder "a"
  return folder.IsEmpty() ? CString(L"/") : folder;
}
