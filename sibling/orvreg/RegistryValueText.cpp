#include "sibling/orvreg/RegistryValueText.h"

#include <charconv>
#include <cmath>
#include <string>
#include <string_view>

namespace orv::reg {
namespace {
bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view TrimBlanks(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

// Reads exactly `count` comma-separated 32-bit ints.
bool ParseInts(const CString& text, LONG* out, int count) {
  std::string narrow = text.ToUtf8();
  std::string_view rest(narrow);
  for (int i = 0; i < count; ++i) {
    size_t cut = rest.find(',');
    if ((cut == std::string_view::npos) != (i == count - 1)) return false;
    std::string_view field = TrimBlanks(rest.substr(0, cut));
    LONG value = 0;
    auto [end, ec] = std::from_chars(field.data(), field.data() + field.size(), value);
    if (field.empty() || ec != std::errc() || end != field.data() + field.size()) return false;
    out[i] = value;
    if (cut != std::string_view::npos) rest.remove_prefix(cut + 1);
  }
  return true;
}
}  // namespace

CString FormatDouble(double value) {
  // to_chars writes "nan" and "-nan" for NaNs; one spelling is enough.
  if (std::isnan(value)) return CString(L"nan");
  char text[64];
  auto [end, ec] = std::to_chars(text, text + sizeof text, value);
  return ec == std::errc() ? CString(std::string(text, end).c_str()) : CString(L"0");
}

bool ParseDouble(const CString& text, double* value) {
  std::string narrow = text.ToUtf8();
  std::string_view field = TrimBlanks(narrow);
  double parsed = 0;
  auto [end, ec] = std::from_chars(field.data(), field.data() + field.size(), parsed);
  if (field.empty() || ec != std::errc() || end != field.data() + field.size()) return false;
  *value = parsed;
  return true;
}

CString FormatRect(const RECT& rect) {
  CString text;
  text.Format(L"%d,%d,%d,%d", rect.left, rect.top, rect.right, rect.bottom);
  return text;
}

bool ParseRect(const CString& text, RECT* rect) {
  LONG v[4];
  if (!ParseInts(text, v, 4)) return false;
  *rect = RECT{v[0], v[1], v[2], v[3]};
  return true;
}

CString FormatSize(const SIZE& size) {
  CString text;
  text.Format(L"%d,%d", size.cx, size.cy);
  return text;
}

bool ParseSize(const CString& text, SIZE* size) {
  LONG v[2];
  if (!ParseInts(text, v, 2)) return false;
  *size = SIZE{v[0], v[1]};
  return true;
}
}  // namespace orv::reg
