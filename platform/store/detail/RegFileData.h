#pragma once
// Value data as .reg files hold it. The store keeps string types (REG_SZ, REG_EXPAND_SZ,
// REG_LINK, REG_MULTI_SZ) in wchar_t units, as the W calls take them; .reg files write their
// hex forms in UTF-16LE, as Windows keeps them.
#include <string>
#include <vector>

#include "platform/base/WinTypes.h"

namespace orv::store {
bool IsStringType(DWORD type);
// wchar_t units (a trailing partial unit is dropped) to UTF-16LE bytes.
std::vector<BYTE> WideDataToUtf16Le(const std::vector<BYTE>& data);
// Bytes in a file's string encoding (UTF-16LE, or CP932 for REGEDIT4 files) to wchar_t units.
std::vector<BYTE> FileStringToWideData(const std::vector<BYTE>& bytes, bool ansi);
// The bytes of a wide string and its terminator, as a REG_SZ holds them.
std::vector<BYTE> WideStringData(const std::wstring& text);
}  // namespace orv::store
