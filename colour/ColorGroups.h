#pragma once
// What the library sets up when it is loaded and releases when it is unloaded: its place in
// the framework's resource chain, and the groups of the colour dialog's tree.
#include "platform/base/CArray.h"
#include "platform/base/WinTypes.h"

namespace orv {

inline constexpr int kColorGroupCount = 19;

// String ids of the group labels, in tree order (not numeric order: the variable and double
// star groups come before the constellations). Empty while the library is not loaded.
const CUIntArray& ColorGroupLabelIds();
// The group codes that catalogue entries carry ("STAR", "GCVS", ...), parallel to
// ColorGroupLabelIds. Empty while the library is not loaded.
const CStringArray& ColorGroupKeys();
// The library's own module in the resource chain, for look-ups that must find the library's
// resources and no other module's; null while the library is not loaded.
HINSTANCE LibraryResourceHandle();

}  // namespace orv
