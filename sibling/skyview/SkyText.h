#pragma once
// The sky view's text language, parsed. The texts it understands:
//   key = 14                               set a font size
//   key = RGB(255, 128, 0)                 set a colour (red, green, blue)
//   key = v; Default key = v               set the value and make it the default as well
//                                          ("default" in any letter case, blanks optional
//                                          after ";", as command files write it)
//   ? key                                  ask for a value
//   Show Sky                               redraw
// Blanks and tabs are allowed around every token and at both ends; anything else is not
// understood.
#include <string_view>

#include "platform/base/CString.h"
#include "platform/base/Export.h"
#include "platform/base/WinTypes.h"

namespace orv {

enum class SkyValueKind { Size, Color };

struct SkyValue {
  SkyValueKind kind = SkyValueKind::Size;
  DWORD value = 0;  // a font size, or a COLORREF
  friend bool operator==(const SkyValue&, const SkyValue&) = default;
};

struct SkyAssignment {
  CString key;
  SkyValue value;
};

struct SkyText {
  enum class Type { NotUnderstood, Query, Settings, ShowSky };
  Type type = Type::NotUnderstood;
  CString queryKey;           // Query
  SkyAssignment current;      // Settings
  bool hasDefault = false;    // Settings: a "Default" clause for the same key follows
  SkyAssignment byDefault;    // Settings, when hasDefault
};

ORV_API SkyText ParseSkyText(std::wstring_view text);

// A value in the form the queries answer: "14" or "RGB(255, 128, 0)".
ORV_API CString FormatSkyValue(const SkyValue& value);

}  // namespace orv
