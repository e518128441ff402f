// A small program of an outside module: the catalogue from the library's own resources,
// formatted with the framework's string class. Exit status 0 when both work.
#include <cstdio>

#include "colour/OrvColor.h"
#include "platform/base/CString.h"

int main() {
  COrvColor catalogue(L"", L"");
  if (catalogue.GetCount() == 0) return 1;
  CString line;
  line.Format(L"%d entries, the first %s", catalogue.GetCount(), catalogue.GetColorEntry(0).strColorKey);
  std::printf("%s\n", line.ToUtf8().c_str());
  return line.Find(L"Star.Name.Color") >= 0 ? 0 : 1;
}
