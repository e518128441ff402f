#pragma once
// Key and value names as the store compares and orders them.
#include <string>
#include <string_view>
#include <vector>

#include "platform/base/WinError.h"

namespace orv::store {
// The comparison form of a name: upper-cased (simple Unicode mapping, the same in every
// locale) and written as UTF-16 big-endian bytes, so that byte order is the ordinal order of
// the upper-cased UTF-16 units, which is how Windows orders subkeys.
std::string FoldName(std::wstring_view name);

// True when every character is a Unicode scalar value (no surrogates, nothing above
// U+10FFFF), so that the name is stored without loss, and none is NUL, CR or LF, which
// would cut the name short in a call or break its line in a .reg file.
bool IsStorableName(std::wstring_view name);

// Splits a subkey path at '\'. Null or "" gives no parts; empty parts are skipped.
// ERROR_BAD_PATHNAME for a path that begins with '\', ERROR_INVALID_PARAMETER for a name
// longer than 255 characters or one that is not storable.
LSTATUS SplitKeyPath(const wchar_t* path, std::vector<std::wstring>& parts);
// The result SplitKeyPath would give, without making the parts.
LSTATUS CheckKeyPath(const wchar_t* path);
}  // namespace orv::store
