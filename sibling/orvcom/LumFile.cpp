#include "sibling/orvcom/LumFile.h"

IMPLEMENT_DYNAMIC(CLumFile, CStdioFile)

CLumFile::CLumFile() = default;

CLumFile::~CLumFile() { CloseOnDestruction(); }

void CLumFile::SetUnicode(int unicode, int /*withMark*/) {
  SetTextEncoding(unicode != 0 ? orv::TextEncoding::Utf16Le : orv::TextEncoding::Utf8);
}
