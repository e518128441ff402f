#pragma once
// The text forms in which CRegistry stores doubles, rectangles and sizes (REG_SZ values).
// Parsing is strict: the whole text must be the form, blanks around numbers allowed;
// anything else (garbage, a missing or extra number, an int out of 32-bit range) fails.
#include "platform/base/CString.h"
#include "platform/base/Export.h"
#include "platform/base/Geometry.h"

namespace orv::reg {
// Shortest text that reads back to the same double: "0.1", "-2.5e-07", "nan", "inf".
ORV_API CString FormatDouble(double value);
ORV_API bool ParseDouble(const CString& text, double* value);
// "left,top,right,bottom" in decimal.
ORV_API CString FormatRect(const RECT& rect);
ORV_API bool ParseRect(const CString& text, RECT* rect);
// "cx,cy" in decimal.
ORV_API CString FormatSize(const SIZE& size);
ORV_API bool ParseSize(const CString& text, SIZE* size);
}  // namespace orv::reg
