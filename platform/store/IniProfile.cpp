// The private-profile functions: the platform's buffer and number conventions around the
// INI engine.
#include <algorithm>
#include <string>
#include <vector>

#include "platform/base/AtomicFile.h"
#include "platform/store/IniFile.h"
#include "platform/store/Profile.h"
#include "platform/store/detail/IniCache.h"

namespace {

using orv::ini::IniDocument;

std::shared_ptr<const IniDocument> LoadFile(const wchar_t* file) {
  if (file == nullptr || *file == L'\0') return nullptr;
  return orv::ini::CurrentDocument(orv::NativePath(file));
}

DWORD CopyString(std::wstring_view text, wchar_t* buffer, DWORD size) {
  if (buffer == nullptr || size == 0) return 0;
  std::size_t n = std::min<std::size_t>(text.size(), size - 1);
  text.copy(buffer, n);
  buffer[n] = L'\0';
  return static_cast<DWORD>(n);
}

// Strings each ending with a NUL, the list ending with another. When the list does not
// fit, its last string is cut so that two NULs end the buffer, and size - 2 is returned.
DWORD CopyList(const std::vector<std::wstring>& items, wchar_t* buffer, DWORD size) {
  if (buffer == nullptr || size == 0) return 0;
  if (size == 1) {
    buffer[0] = L'\0';
    return 0;
  }
  std::size_t at = 0;
  for (const std::wstring& item : items) {
    if (at + item.size() + 2 > size) {
      std::size_t room = size - 2 > at ? size - 2 - at : 0;
      at = std::min<std::size_t>(at, size - 2);
      item.copy(buffer + at, room);
      at += room;
      buffer[at] = L'\0';
      buffer[at + 1] = L'\0';
      return size - 2;
    }
    item.copy(buffer + at, item.size());
    at += item.size();
    buffer[at++] = L'\0';
  }
  buffer[at] = L'\0';
  if (items.empty()) buffer[1] = L'\0';
  return static_cast<DWORD>(at);
}

// The platform trims trailing spaces from a default, and nothing else (tabs stay).
std::wstring DefaultText(const wchar_t* def) {
  std::wstring text = def != nullptr ? def : L"";
  while (!text.empty() && text.back() == L' ') text.pop_back();
  return text;
}

// The platform's conversion: sign, then decimal digits accumulated in 32 bits with wrap.
UINT LeadingNumber(std::wstring_view text) {
  std::size_t i = 0;
  while (i < text.size() && text[i] <= L' ') ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == L'+' || text[i] == L'-')) negative = text[i++] == L'-';
  std::uint32_t value = 0;
  for (; i < text.size() && text[i] >= L'0' && text[i] <= L'9'; ++i)
    value = value * 10u + static_cast<std::uint32_t>(text[i] - L'0');
  return negative ? 0u - value : value;
}

}  // namespace

DWORD GetPrivateProfileStringW(const wchar_t* section, const wchar_t* key, const wchar_t* def, wchar_t* buffer,
                               DWORD size, const wchar_t* file) {
  if (buffer == nullptr || size == 0) return 0;
  std::shared_ptr<const IniDocument> document = LoadFile(file);
  if (section == nullptr) return CopyList(document ? document->SectionNames() : std::vector<std::wstring>{}, buffer, size);
  if (key == nullptr) {
    auto keys = document ? document->KeyNames(section) : std::nullopt;
    return CopyList(keys.value_or(std::vector<std::wstring>{}), buffer, size);
  }
  std::optional<std::wstring> value = document ? document->Value(section, key) : std::nullopt;
  return CopyString(value ? *value : DefaultText(def), buffer, size);
}

UINT GetPrivateProfileIntW(const wchar_t* section, const wchar_t* key, int def, const wchar_t* file) {
  if (section == nullptr || key == nullptr) return static_cast<UINT>(def);
  std::shared_ptr<const IniDocument> document = LoadFile(file);
  std::optional<std::wstring> value = document ? document->Value(section, key) : std::nullopt;
  if (!value || value->empty()) return static_cast<UINT>(def);
  return LeadingNumber(std::wstring_view(*value).substr(0, 29));
}

BOOL WritePrivateProfileStringW(const wchar_t* section, const wchar_t* key, const wchar_t* value,
                                const wchar_t* file) {
  if (file == nullptr || *file == L'\0') return FALSE;
  // Only a flush of the platform's cache: what is kept here is checked against the file on
  // every read, so there is nothing to flush.
  if (section == nullptr) return key == nullptr && value == nullptr;
  if (!IniDocument::IsWritableSection(section) || (key != nullptr && !IniDocument::IsWritableKey(key)) ||
      (value != nullptr && !IniDocument::IsWritableValue(value)))
    return FALSE;
  const std::string path = orv::NativePath(file);
  bool ok;
  if (key == nullptr)
    ok = orv::ini::Edit(path, false, [&](IniDocument& d) { return d.DeleteSection(section); });
  else if (value == nullptr)
    ok = orv::ini::Edit(path, false, [&](IniDocument& d) { return d.DeleteKey(section, key); });
  else
    ok = orv::ini::Edit(path, true, [&](IniDocument& d) { return d.SetValue(section, key, value); });
  return ok ? TRUE : FALSE;
}

DWORD GetPrivateProfileSectionW(const wchar_t* section, wchar_t* buffer, DWORD size, const wchar_t* file) {
  if (buffer == nullptr || size == 0) return 0;
  std::shared_ptr<const IniDocument> document = LoadFile(file);
  auto entries = document && section != nullptr ? document->Entries(section) : std::nullopt;
  return CopyList(entries.value_or(std::vector<std::wstring>{}), buffer, size);
}

DWORD GetPrivateProfileSectionNamesW(wchar_t* buffer, DWORD size, const wchar_t* file) {
  return GetPrivateProfileStringW(nullptr, nullptr, nullptr, buffer, size, file);
}
