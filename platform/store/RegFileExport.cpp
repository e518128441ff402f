// Exporting a key and everything below it in regedit's form.
#include <memory>
#include <string>
#include <vector>

#include "platform/store/RegFile.h"
#include "platform/store/detail/RegistryNames.h"
#include "platform/store/detail/RegistryRoots.h"

namespace orv {
namespace {
// The subkey names of an open key, in the store's order.
std::vector<std::wstring> SubkeyNames(HKEY key) {
  std::vector<std::wstring> names;
  wchar_t name[ORV_REG_MAX_KEY_NAME + 1];
  for (DWORD i = 0;; ++i) {
    DWORD size = ORV_REG_MAX_KEY_NAME + 1;
    if (RegEnumKeyExW(key, i, name, &size, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
    names.emplace_back(name, size);
  }
  return names;
}

// Buffers for reading values, made once per export and never cleared: a name buffer that
// holds the longest name is 64 KiB, too much to zero for every key.
struct ValueBuffers {
  static constexpr DWORD kNameSize = ORV_REG_MAX_VALUE_NAME + 1;
  std::unique_ptr<wchar_t[]> name = std::make_unique_for_overwrite<wchar_t[]>(kNameSize);
  std::vector<BYTE> data = std::vector<BYTE>(256);
};

LSTATUS AppendValues(HKEY key, ValueBuffers& buffers, std::wstring* text) {
  wchar_t* name = buffers.name.get();
  std::vector<BYTE>& data = buffers.data;
  for (DWORD i = 0;;) {
    DWORD nameSize = ValueBuffers::kNameSize;
    DWORD dataSize = static_cast<DWORD>(data.size());
    DWORD type = REG_NONE;
    LSTATUS st = RegEnumValueW(key, i, name, &nameSize, nullptr, &type, data.data(), &dataSize);
    if (st == ERROR_NO_MORE_ITEMS) return ERROR_SUCCESS;
    if (st == ERROR_MORE_DATA && dataSize > data.size()) {
      data.resize(dataSize);  // and ask for the same value again
      continue;
    }
    if (st != ERROR_SUCCESS) return st;
    *text += FormatRegValue(std::wstring(name, nameSize), type,
                            std::vector<BYTE>(data.begin(), data.begin() + dataSize));
    *text += L"\r\n";
    ++i;
  }
}

// The path as the store spells its names, whatever the letter case asked for.
LSTATUS StoredPath(HKEY root, const std::wstring& asked, std::wstring* stored) {
  std::vector<std::wstring> parts;
  LSTATUS st = store::SplitKeyPath(asked.c_str(), parts);
  if (st != ERROR_SUCCESS) return st;
  std::lock_guard guard(store::RegistryLock());
  store::Database& db = store::RootDatabase(store::RootIndex(root));
  store::KeyId at = store::kRootKey;
  stored->clear();
  for (const std::wstring& part : parts) {
    std::wstring name;
    if ((st = db.SubkeyName(at, part, &name, &at)) != ERROR_SUCCESS) return st;
    *stored += (stored->empty() ? L"" : L"\\") + name;
  }
  return ERROR_SUCCESS;
}

// Appends the key `name` below the open key `parent` and everything below it; `path` is its
// path from the root. Subkeys are opened from their parent, so a deep tree costs no walk
// from the root for every key.
LSTATUS AppendKey(HKEY root, HKEY parent, const std::wstring& name, const std::wstring& path, ValueBuffers& buffers,
                  std::wstring* text) {
  HKEY key = nullptr;
  LSTATUS st = RegOpenKeyExW(parent, name.c_str(), 0, KEY_READ, &key);
  if (st != ERROR_SUCCESS) return st;
  *text += L'[';
  *text += RegistryRootName(root);
  if (!path.empty()) *text += L'\\';
  *text += path;
  *text += L"]\r\n";
  st = AppendValues(key, buffers, text);
  if (st == ERROR_SUCCESS) {
    *text += L"\r\n";
    for (const std::wstring& sub : SubkeyNames(key)) {
      st = AppendKey(root, key, sub, path.empty() ? sub : path + L"\\" + sub, buffers, text);
      // A key deleted meanwhile by another process is simply not exported.
      if (st != ERROR_SUCCESS && st != ERROR_FILE_NOT_FOUND && st != ERROR_KEY_DELETED) break;
      st = ERROR_SUCCESS;
    }
  }
  RegCloseKey(key);
  return st;
}
}  // namespace

LSTATUS ExportRegText(HKEY root, const std::wstring& subKey, std::wstring* text) {
  if (RegistryRootName(root).empty()) return ERROR_INVALID_HANDLE;
  std::wstring path;
  LSTATUS st = StoredPath(root, subKey, &path);
  if (st != ERROR_SUCCESS) return st;
  std::wstring body;
  ValueBuffers buffers;
  st = AppendKey(root, root, path, path, buffers, &body);
  if (st != ERROR_SUCCESS) return st;
  *text = L"Windows Registry Editor Version 5.00\r\n\r\n" + body;
  return ERROR_SUCCESS;
}
}  // namespace orv
