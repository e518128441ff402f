#include "platform/store/detail/RegistryNames.h"

#include "platform/base/CString.h"
#include "platform/store/WinReg.h"

namespace orv::store {
namespace {
void AppendUnit(std::string& out, unsigned unit) {
  out += static_cast<char>((unit >> 8) & 0xFF);
  out += static_cast<char>(unit & 0xFF);
}
}  // namespace

std::string FoldName(std::wstring_view name) {
  std::string out;
  out.reserve(name.size() * 2);
  for (wchar_t ch : name) {
    auto cp = static_cast<unsigned long>(orv::UpperCase(ch));
    if (cp >= 0x10000 && cp <= 0x10FFFF) {
      cp -= 0x10000;
      AppendUnit(out, 0xD800 + static_cast<unsigned>(cp >> 10));
      AppendUnit(out, 0xDC00 + static_cast<unsigned>(cp & 0x3FF));
    } else {
      AppendUnit(out, static_cast<unsigned>(cp & 0xFFFF));
    }
  }
  return out;
}

bool IsStorableName(std::wstring_view name) {
  for (wchar_t ch : name) {
    auto cp = static_cast<unsigned long>(ch);
    if (cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF) || cp == 0 || cp == L'\r' || cp == L'\n') return false;
  }
  return true;
}

namespace {
// Calls part(name) for each name of a path; the first fault of the path stops it.
template <typename Part>
LSTATUS VisitKeyPath(const wchar_t* path, Part&& part) {
  if (path == nullptr) return ERROR_SUCCESS;
  std::wstring_view rest(path);
  // As on the platform, only a leading backslash is refused; an empty part elsewhere (a
  // doubled or a trailing backslash) names nothing.
  if (!rest.empty() && rest.front() == L'\\') return ERROR_BAD_PATHNAME;
  while (!rest.empty()) {
    size_t cut = rest.find(L'\\');
    std::wstring_view name = rest.substr(0, cut);
    if (name.size() > ORV_REG_MAX_KEY_NAME || !IsStorableName(name)) return ERROR_INVALID_PARAMETER;
    if (!name.empty()) part(name);
    if (cut == std::wstring_view::npos) break;
    rest.remove_prefix(cut + 1);
  }
  return ERROR_SUCCESS;
}
}  // namespace

LSTATUS SplitKeyPath(const wchar_t* path, std::vector<std::wstring>& parts) {
  parts.clear();
  return VisitKeyPath(path, [&](std::wstring_view name) { parts.emplace_back(name); });
}

LSTATUS CheckKeyPath(const wchar_t* path) {
  return VisitKeyPath(path, [](std::wstring_view) {});
}
}  // namespace orv::store
