#include "settings/ParamFile.h"

#include "platform/base/Crt.h"
#include "platform/store/Profile.h"

namespace {
// Identity section and keys live in the string table, shared with other modules.
constexpr UINT kIdsGeneral = 24301;
constexpr UINT kIdsFileId = 24302;
constexpr UINT kIdsFileVersion = 24303;
constexpr UINT kIdsFileOwner = 24304;
// Values are read through a buffer of this many characters, terminator included.
constexpr DWORD kValueBuffer = 1024;

CString Loaded(UINT id) {
  CString s;
  s.LoadString(id);
  return s;
}
}  // namespace

void CParamFile::SetParameterFile(CString path) { m_strFile = path; }

CString CParamFile::ReadString(const CString& section, const CString& key, const CString& defaultValue) const {
  wchar_t buffer[kValueBuffer];
  GetPrivateProfileStringW(section, key, defaultValue, buffer, kValueBuffer, m_strFile);
  return CString(buffer);
}

void CParamFile::WriteString(const CString& section, const CString& key, const wchar_t* value) const {
  WritePrivateProfileStringW(section, key, value, m_strFile);
}

void CParamFile::GetParamFileProperty(CString& id, CString& version, CString& owner) {
  CString section = Loaded(kIdsGeneral);
  owner = ReadString(section, Loaded(kIdsFileOwner), L"");
  id = ReadString(section, Loaded(kIdsFileId), L"");
  version = ReadString(section, Loaded(kIdsFileVersion), L"");
}

void CParamFile::GetParamFileProperty(CString& id, CString& version) {
  CString section = Loaded(kIdsGeneral);
  id = ReadString(section, Loaded(kIdsFileId), L"");
  version = ReadString(section, Loaded(kIdsFileVersion), L"");
}

void CParamFile::SetParamFileProperty(const CString& id, const CString& version, const CString& owner) {
  CString section = Loaded(kIdsGeneral);
  WriteString(section, Loaded(kIdsFileOwner), owner);
  WriteString(section, Loaded(kIdsFileId), id);
  WriteString(section, Loaded(kIdsFileVersion), version);
}

void CParamFile::SetParamFileProperty(CString id, CString version) {
  SetParamFileProperty(id, version, CString(L"Skyweave"));
}

void CParamFile::RemoveParamSection(CString section) {
  WritePrivateProfileStringW(section, nullptr, nullptr, m_strFile);
}

void CParamFile::UpdateParam(CString section, CString key, CString defaultValue, CString& value, int save) {
  if (save)
    WriteString(section, key, value);
  else
    value = ReadString(section, key, defaultValue);
}

void CParamFile::UpdateParam(CString section, CString key, int defaultValue, int& value, int save) {
  if (save) {
    CString text;
    text.Format(L"%d", value);
    WriteString(section, key, text);
  } else {
    value = static_cast<int>(GetPrivateProfileIntW(section, key, defaultValue, m_strFile));
  }
}

void CParamFile::UpdateParam(CString section, CString key, double defaultValue, double& value, int save) {
  CString text;
  if (save) {
    text.Format(L"%f", value);
    WriteString(section, key, text);
  } else {
    // The default passes through "%f" too, so a missing value loads rounded to six decimals.
    text.Format(L"%f", defaultValue);
    value = _wtof(ReadString(section, key, text));
  }
}

void CParamFile::UpdateParamBOOL(CString section, CString key, int defaultValue, int& value, int save) {
  if (save) {
    WriteString(section, key, value ? L"yes" : L"no");
  } else {
    CString text = ReadString(section, key, defaultValue ? L"yes" : L"no");
    value = (text.CompareNoCase(L"yes") == 0 || text.CompareNoCase(L"true") == 0) ? 1 : 0;
  }
}
