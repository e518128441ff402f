#pragma once
// Colours written as six hexadecimal digits, as the definition strings and the machine-wide
// picture-set registrations hold them. The digits are the COLORREF itself, so they read blue,
// green, red: "FFC0C0" is red 192, green 192, blue 255.
#include "platform/base/CString.h"

namespace orv {
// Leading blanks, then up to six hex digits into `color`; false, and `color` untouched, when
// there is no digit. Text after the digits is ignored.
bool ReadHexColor(const CString& text, COLORREF& color);
}  // namespace orv
