// The library's two members of the sky-view wrapper: the text channel and the command-file
// runner.
#include "sibling/skyview/CorLum.h"

#include "sibling/orvcom/LumFile.h"

CString CCorLum::Command(LPCTSTR text) {
  return InvokeHelper(orv::kSkyViewDispidCommand, DISPATCH_METHOD, {CString(text)}).ToString();
}

// Lines beginning with "#" are comments (tested before trimming, so an indented "#" is sent);
// blanks and tabs around a line are dropped and empty lines skipped. Replies are ignored.
int CCorLum::RunCommandFile(LPCTSTR path) {
  CLumFile file;
  if (!file.Open(path, CFile::modeRead | CFile::shareDenyWrite, nullptr)) return 0;
  try {
    CString line;
    while (file.ReadString(line)) {
      if (!line.IsEmpty() && line.GetAt(0) == L'#') continue;
      line.Trim(L" \t");
      if (line.IsEmpty()) continue;
      Command(line);
    }
    file.Close();
  } catch (CException* e) {
    // A read error ends the run where it happened; what was sent stays applied.
    e->Delete();
    file.Abort();
  }
  return 1;
}
