#include "colour/detail/ColorFontLines.h"

#include "platform/base/Crt.h"

namespace orv::colour {

CString SizeLine(const CString& key, int size) {
  CString s;
  s.Format(L"%s = %d", key, size);
  return s;
}

CString ColourLine(const CString& key, COLORREF colour) {
  CString s;
  s.Format(L"%s = RGB(%d, %d, %d)", key, GetRValue(colour), GetGValue(colour), GetBValue(colour));
  return s;
}

bool LineMatches(const CString& line, const CString& key) { return line.Left(key.GetLength()) == key; }

int FindLine(const CStringArray& lines, const CString& key) {
  for (int i = 0; i < lines.GetSize(); ++i)
    if (LineMatches(lines[i], key)) return i;
  return -1;
}

namespace {
CString ValueText(const CString& line, const CString& key) { return line.Mid(key.GetLength() + 1); }

// "r, g, b" with both commas past the start of their part; the parts as written.
bool SplitThree(CString value, COLORREF* colour) {
  value.Trim(L" =RGB()");
  int first = value.Find(L',');
  if (first <= 0) return false;
  CString rest = value.Mid(first + 1);
  int second = rest.Find(L',');
  if (second <= 0) return false;
  auto low8 = [](const CString& part) { return static_cast<BYTE>(_wtoi(part) & 0xFF); };
  *colour = RGB(low8(value.Left(first)), low8(rest.Left(second)), low8(rest.Mid(second + 1)));
  return true;
}
}  // namespace

int ReadSizeValue(const CString& line, const CString& key) {
  CString value = ValueText(line, key);
  value.Trim(L" =");
  return _wtoi(value);
}

bool FindColourValue(const CStringArray& lines, const CString& key, COLORREF* colour) {
  for (const CString& line : lines)
    if (LineMatches(line, key) && SplitThree(ValueText(line, key), colour)) return true;
  return false;
}

}  // namespace orv::colour
