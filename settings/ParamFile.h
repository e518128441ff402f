#pragma once
// CParamFile: named values in a module's parameter file (the INI format), one call per
// value, and the file's identity (id, version, owner) in a fixed section.
#include "platform/base/CString.h"
#include "platform/base/Export.h"

class ORV_API CParamFile {
public:
  CParamFile() = default;
  CParamFile(const CParamFile&) = default;
  CParamFile& operator=(const CParamFile&) = default;
  ~CParamFile() = default;

  // Points the object at a file; the file is neither opened nor tested.
  void SetParameterFile(CString path);

  void GetParamFileProperty(CString& id, CString& version, CString& owner);
  void GetParamFileProperty(CString& id, CString& version);
  void SetParamFileProperty(const CString& id, const CString& version, const CString& owner);
  // Writes the owner "Skyweave".
  void SetParamFileProperty(CString id, CString version);

  void RemoveParamSection(CString section);

  // save non-zero stores value into the file; 0 loads it (defaultValue when absent).
  void UpdateParam(CString section, CString key, CString defaultValue, CString& value, int save);
  void UpdateParam(CString section, CString key, int defaultValue, int& value, int save);
  void UpdateParam(CString section, CString key, double defaultValue, double& value, int save);
  // Stored as "yes"/"no"; "yes" and "true" in any letter case load as 1.
  void UpdateParamBOOL(CString section, CString key, int defaultValue, int& value, int save);

private:
  CString ReadString(const CString& section, const CString& key, const CString& defaultValue) const;
  void WriteString(const CString& section, const CString& key, const wchar_t* value) const;

  CString m_strFile;
};
