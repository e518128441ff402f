#include "sibling/skyview/SkyKeys.h"

#include <optional>
#include <unordered_set>

#include "platform/base/Resources.h"

namespace orv {
namespace {

std::vector<std::wstring_view> SplitFields(std::wstring_view text) {
  std::vector<std::wstring_view> fields;
  size_t start = 0;
  for (;;) {
    size_t end = text.find(L'\\', start);
    fields.push_back(text.substr(start, end == std::wstring_view::npos ? std::wstring_view::npos : end - start));
    if (end == std::wstring_view::npos) return fields;
    start = end + 1;
  }
}

std::optional<DWORD> ParseDigits(std::wstring_view s, int base, size_t maxDigits) {
  if (s.empty() || s.size() > maxDigits) return std::nullopt;
  DWORD value = 0;
  for (wchar_t ch : s) {
    int digit = -1;
    if (ch >= L'0' && ch <= L'9') digit = ch - L'0';
    else if (base == 16 && ch >= L'A' && ch <= L'F') digit = ch - L'A' + 10;
    else if (base == 16 && ch >= L'a' && ch <= L'f') digit = ch - L'a' + 10;
    if (digit < 0) return std::nullopt;
    value = value * static_cast<DWORD>(base) + static_cast<DWORD>(digit);
  }
  return value;
}

bool IsKey(std::wstring_view s) { return !s.empty() && s.find_first_of(L" \t=;") == std::wstring_view::npos; }

}  // namespace

std::vector<SkyKey> SkyKeysOfDefinition(const CString& definition) {
  std::vector<std::wstring_view> f = SplitFields(definition.str());
  if (f.size() == 7 && f[6] == L"FONT") {
    auto size = ParseDigits(f[4], 10, 4);
    auto color = ParseDigits(f[5], 16, 6);
    if (!size || !color || !IsKey(f[2]) || !IsKey(f[3])) return {};
    return {SkyKey{CString(f[2]), SkyValue{SkyValueKind::Size, *size}},
            SkyKey{CString(f[3]), SkyValue{SkyValueKind::Color, *color}}};
  }
  if (f.size() == 5) {
    auto color = ParseDigits(f[3], 16, 6);
    if (!color || !IsKey(f[2])) return {};
    return {SkyKey{CString(f[2]), SkyValue{SkyValueKind::Color, *color}}};
  }
  return {};
}

std::vector<SkyKey> LearnSkyKeysFromStringTable() {
  std::vector<SkyKey> keys;
  std::unordered_set<std::wstring> seen;
  for (UINT id = kFirstSkyDefinitionId; id <= kLastSkyDefinitionId; ++id) {
    const std::wstring* definition = FindResourceString(id);
    if (definition == nullptr) continue;
    for (SkyKey& key : SkyKeysOfDefinition(CString(*definition))) {
      if (seen.insert(key.name.str()).second) keys.push_back(std::move(key));
    }
  }
  return keys;
}

}  // namespace orv
