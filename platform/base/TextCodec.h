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
}  // namespace orv
