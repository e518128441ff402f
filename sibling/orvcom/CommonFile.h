#pragma once
// CCommonFile: the application's small file utilities.
#include "platform/base/CString.h"
#include "platform/base/Export.h"

class ORV_API CCommonFile {
public:
  // Non-zero when path names an existing file (a folder is not a file).
  static BOOL DoesFileExist(const wchar_t* path);
  // The folder part of a full file path, without a trailing separator (except the root
  // folder "/"), as a file dialog takes its initial folder; empty when path has none.
  static CString GetPathName(const CString& path);
};
