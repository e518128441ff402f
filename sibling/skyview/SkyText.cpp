#include "sibling/skyview/SkyText.h"

#include <optional>

namespace orv {
namespace {

constexpr std::wstring_view kBlanks = L" \t\r\n";
constexpr int kMaxDigits = 9;  // keeps every accepted number inside a 32-bit int

std::wstring_view TrimBlanks(std::wstring_view s) {
  size_t first = s.find_first_not_of(kBlanks);
  if (first == std::wstring_view::npos) return {};
  size_t last = s.find_last_not_of(kBlanks);
  return s.substr(first, last - first + 1);
}

bool IsBlank(wchar_t ch) { return kBlanks.find(ch) != std::wstring_view::npos; }

void SkipBlanks(std::wstring_view& s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
}

bool StartsWithNoCase(std::wstring_view s, std::wstring_view prefix) {
  return s.size() >= prefix.size() && CompareNoCase(s.substr(0, prefix.size()), prefix) == 0;
}

// An unsigned decimal number at the front of s, consumed.
std::optional<DWORD> TakeNumber(std::wstring_view& s) {
  size_t n = 0;
  while (n < s.size() && s[n] >= L'0' && s[n] <= L'9') ++n;
  if (n == 0 || n > static_cast<size_t>(kMaxDigits)) return std::nullopt;
  DWORD value = 0;
  for (size_t i = 0; i < n; ++i) value = value * 10 + static_cast<DWORD>(s[i] - L'0');
  s.remove_prefix(n);
  return value;
}

bool TakeChar(std::wstring_view& s, wchar_t ch) {
  SkipBlanks(s);
  if (s.empty() || s.front() != ch) return false;
  s.remove_prefix(1);
  SkipBlanks(s);
  return true;
}

// "RGB(r, g, b)" with each component 0 to 255.
std::optional<SkyValue> ParseColor(std::wstring_view s) {
  if (!StartsWithNoCase(s, L"RGB")) return std::nullopt;
  s.remove_prefix(3);
  if (!TakeChar(s, L'(')) return std::nullopt;
  DWORD rgb[3] = {};
  for (int i = 0; i < 3; ++i) {
    if (i > 0 && !TakeChar(s, L',')) return std::nullopt;
    auto component = TakeNumber(s);
    if (!component || *component > 255) return std::nullopt;
    rgb[i] = *component;
  }
  if (!TakeChar(s, L')') || !s.empty()) return std::nullopt;
  return SkyValue{SkyValueKind::Color, RGB(static_cast<int>(rgb[0]), static_cast<int>(rgb[1]), static_cast<int>(rgb[2]))};
}

std::optional<SkyValue> ParseValue(std::wstring_view s) {
  if (!s.empty() && s.front() >= L'0' && s.front() <= L'9') {
    auto size = TakeNumber(s);
    if (!size || !s.empty()) return std::nullopt;
    return SkyValue{SkyValueKind::Size, *size};
  }
  return ParseColor(s);
}

// "key = value"; the key runs up to the first blank or "=".
std::optional<SkyAssignment> ParseAssignment(std::wstring_view s) {
  s = TrimBlanks(s);
  size_t end = 0;
  while (end < s.size() && !IsBlank(s[end]) && s[end] != L'=' && s[end] != L';') ++end;
  if (end == 0) return std::nullopt;
  std::wstring_view key = s.substr(0, end);
  s.remove_prefix(end);
  if (!TakeChar(s, L'=')) return std::nullopt;
  auto value = ParseValue(s);
  if (!value) return std::nullopt;
  return SkyAssignment{CString(key), *value};
}

// "default key = value" after the ";" (the word in any case, then at least one blank).
std::optional<SkyAssignment> ParseDefaultClause(std::wstring_view s) {
  SkipBlanks(s);
  constexpr std::wstring_view kDefault = L"default";
  if (!StartsWithNoCase(s, kDefault)) return std::nullopt;
  s.remove_prefix(kDefault.size());
  if (s.empty() || !IsBlank(s.front())) return std::nullopt;
  return ParseAssignment(s);
}

SkyText ParseSettings(std::wstring_view text) {
  SkyText result;
  size_t semicolon = text.find(L';');
  auto current = ParseAssignment(text.substr(0, semicolon));
  if (!current) return result;
  if (semicolon != std::wstring_view::npos) {
    auto byDefault = ParseDefaultClause(text.substr(semicolon + 1));
    // Both halves name one setting: a default for another key, or of another kind, is refused.
    if (!byDefault || byDefault->key != current->key || byDefault->value.kind != current->value.kind) {
      return result;
    }
    result.hasDefault = true;
    result.byDefault = *byDefault;
  }
  result.type = SkyText::Type::Settings;
  result.current = *current;
  return result;
}

}  // namespace

SkyText ParseSkyText(std::wstring_view text) {
  text = TrimBlanks(text);
  SkyText result;
  if (text.empty()) return result;
  if (text.front() == L'?') {
    std::wstring_view key = TrimBlanks(text.substr(1));
    bool plain = !key.empty() && key.find_first_of(L" \t\r\n=;") == std::wstring_view::npos;
    if (plain) {
      result.type = SkyText::Type::Query;
      result.queryKey = CString(key);
    }
    return result;
  }
  if (CompareNoCase(text, L"Show Sky") == 0) {
    result.type = SkyText::Type::ShowSky;
    return result;
  }
  return ParseSettings(text);
}

CString FormatSkyValue(const SkyValue& value) {
  CString text;
  if (value.kind == SkyValueKind::Size) {
    text.Format(L"%d", static_cast<int>(value.value));
  } else {
    text.Format(L"RGB(%d, %d, %d)", static_cast<int>(GetRValue(value.value)), static_cast<int>(GetGValue(value.value)),
                static_cast<int>(GetBValue(value.value)));
  }
  return text;
}

}  // namespace orv
