#pragma once
// CLumFile: the application's text file. The library calls SetUnicode(1, 1) before opening
// every file it writes, so those files are UTF-16LE with a byte-order mark and move unchanged
// between this library and the Windows application. Reading recognises every encoding that
// CStdioFile does, whatever SetUnicode selected.
#include "platform/base/Export.h"
#include "platform/base/File.h"

class ORV_API CLumFile : public CStdioFile {
  DECLARE_DYNAMIC(CLumFile)
public:
  CLumFile();
  ~CLumFile() override;

  // unicode non-zero: files this object creates are UTF-16LE; 0: UTF-8. The byte-order mark
  // is always written with UTF-16, since without it the file would not read back as such;
  // withMark is accepted for the original signature. Takes effect at the next Open.
  void SetUnicode(int unicode, int withMark);
};
