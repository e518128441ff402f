#pragma once
// Lines of the colour-font file: "<key> = <size>" and "<key> = RGB(<red>, <green>, <blue>)".
// Writing is exact; reading is as forgiving as the stored files need, and a line matches a
// key when it begins with it (case-sensitive), so the first line for a key is the one used.
#include "platform/base/CArray.h"
#include "platform/base/CString.h"
#include "platform/base/WinTypes.h"

namespace orv::colour {

CString SizeLine(const CString& key, int size);
CString ColourLine(const CString& key, COLORREF colour);

bool LineMatches(const CString& line, const CString& key);
// Index of the first line that matches the key; -1 when none does.
int FindLine(const CStringArray& lines, const CString& key);
// A size line's value: the text after the key and one more character, blanks and "=" cut
// from both ends, read as a decimal integer (0 without leading digits).
int ReadSizeValue(const CString& line, const CString& key);
// The colour of the first line for the key whose value holds two commas ("RGB(r, g, b)");
// lines without them are passed over. Each part keeps its low 8 bits. False when no line has one.
bool FindColourValue(const CStringArray& lines, const CString& key, COLORREF* colour);

}  // namespace orv::colour
