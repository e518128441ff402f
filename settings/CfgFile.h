#pragma once
// CCfgFile: the one-line description ("# text") at the top of a settings file, read and
// replaced. A replacement is written to "<name>.$$$" beside the file and renamed over it, so
// the settings file is either the old one or the new one, never half of each.
#include "platform/base/CString.h"
#include "platform/base/Export.h"

class ORV_API CCfgFile {
public:
  CCfgFile() = default;
  explicit CCfgFile(const wchar_t* path) : m_strFile(path) {}
  CCfgFile(const CCfgFile&) = default;
  CCfgFile& operator=(const CCfgFile&) = default;
  virtual ~CCfgFile();

  void SetCfgFileName(const wchar_t* path) { m_strFile = path; }
  // The text after the leading "#" of the first line, leading white space removed; empty
  // when the file is missing or its first line is not a comment.
  CString GetDescription();
  // Replaces the leading run of comment lines with "# " + description. Non-zero when the
  // file now carries it; 0 leaves the file as it was.
  int SetDescription(const wchar_t* description);

private:
  CString m_strFile;
};
