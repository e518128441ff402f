#pragma once
// The settings a sky view knows: every size and colour key with its default value. The
// control learns them from the colour and font definitions of the string table, so that it
// answers for exactly the keys the library's catalogue names.
#include <vector>

#include "platform/base/CString.h"
#include "platform/base/Export.h"
#include "sibling/skyview/SkyText.h"

namespace orv {

struct SkyKey {
  CString name;
  SkyValue byDefault;  // its kind says whether the key is a size or a colour
};

// Definition strings: ids 24501 to 24823, fields separated by one backslash:
//   label\group\sizeKey\colorKey\size\BBGGRR\FONT   or   label\group\colorKey\BBGGRR\kind
inline constexpr UINT kFirstSkyDefinitionId = 24501;
inline constexpr UINT kLastSkyDefinitionId = 24823;

// The keys of one definition string (none if it is malformed), size key first.
ORV_API std::vector<SkyKey> SkyKeysOfDefinition(const CString& definition);

// The keys of every definition in the resource chain, in id order; a key defined twice
// keeps its first definition.
ORV_API std::vector<SkyKey> LearnSkyKeysFromStringTable();

}  // namespace orv
