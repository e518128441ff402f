#include "settings/CfgFile.h"

#include <cstdio>

#include "platform/base/Crt.h"
#include "platform/base/Exception.h"
#include "sibling/orvcom/CommonFile.h"
#include "sibling/orvcom/LumFile.h"

namespace {
// A comment line is one whose first character after leading white space is "#".
bool IsCommentLine(CString line) { return line.TrimLeft().Find(L'#') == 0; }

// "<drive><folder><base name>.$$$", or empty when a part or the result is over its limit.
CString TemporaryPathFor(const CString& path) {
  wchar_t drive[3], folder[256], base[256], ext[256], temp[256];
  if (_wsplitpath_s(path, drive, 3, folder, 256, base, 256, ext, 256) != 0) return CString();
  if (_wmakepath_s(temp, 256, drive, folder, base, L"$$$") != 0) return CString();
  return CString(temp);
}

void RemoveFile(const CString& path) { std::remove(path.ToUtf8().c_str()); }
}  // namespace

CCfgFile::~CCfgFile() = default;

CString CCfgFile::GetDescription() {
  CString result;
  if (!CCommonFile::DoesFileExist(m_strFile)) return result;
  CLumFile file;
  if (!file.Open(m_strFile, CFile::modeRead, nullptr)) return result;
  CString line;
  if (file.ReadString(line)) {
    line.TrimLeft();
    if (line.Find(L'#') == 0) result = line.Mid(1).TrimLeft();
  }
  file.Close();
  return result;
}

int CCfgFile::SetDescription(const wchar_t* description) {
  if (!CCommonFile::DoesFileExist(m_strFile)) return 0;
  CString temp = TemporaryPathFor(m_strFile);
  if (temp.IsEmpty()) return 0;  // too long to name a temporary file: leave the file alone

  CLumFile source;
  if (!source.Open(m_strFile, CFile::modeRead | CFile::typeText, nullptr)) return 0;
  RemoveFile(temp);
  CLumFile target;
  target.SetUnicode(1, 1);
  if (!target.Open(temp, CFile::modeCreate | CFile::modeWrite, nullptr)) {
    source.Close();
    RemoveFile(temp);
    return 0;
  }
  try {
    target.WriteString(CString(L"# ") + (description ? description : L"") + L"\n");
    bool copying = false;
    CString line;
    while (source.ReadString(line)) {
      if (!copying && IsCommentLine(line)) continue;  // the old description run gives way
      copying = true;
      target.WriteString(line + L"\n");
    }
    source.Close();
    target.Close();
  } catch (CException* e) {
    e->Delete();
    source.Abort();
    target.Abort();
    RemoveFile(temp);
    return 0;
  }
  // rename() replaces the settings file in one step: a crash leaves the old or the new one.
  if (std::rename(temp.ToUtf8().c_str(), m_strFile.ToUtf8().c_str()) != 0) {
    RemoveFile(temp);
    return 0;
  }
  return 1;
}
