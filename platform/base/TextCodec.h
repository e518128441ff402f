#pragma once
// Conversions between bytes on disk and wide text in memory. wchar_t holds one Unicode code
// point; bytes that cannot be decoded become U+FFFD, never an overrun.
#include <string>
#include <string_view>

#include "platform/base/Export.h"

namespace orv {
ORV_API std::wstring DecodeUtf8(std::string_view bytes);
ORV_API std::string EncodeUtf8(std::wstring_view text);
ORV_API bool IsValidUtf8(std::string_view bytes);
// File names are bytes. Those that are not UTF-8 map one to one onto U+DC80..U+DCFF (as
// Python's "surrogateescape" does), so that every name survives the way to wide text and
// back: two names that differ on disk never meet in memory.
ORV_API std::wstring DecodePathBytes(std::string_view bytes);
ORV_API std::string EncodePathBytes(std::wstring_view text);
}  // namespace orv
