// The registry calls: argument checks and handles here, the rows in RegistryDatabase.
#include "platform/store/WinReg.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/store/detail/RegFileData.h"
#include "platform/store/detail/RegistryNames.h"
#include "platform/store/detail/RegistryRoots.h"

namespace {
using orv::store::Database;
using orv::store::KeyId;
using orv::store::kRootKey;

constexpr REGSAM kGenericRead = 0x80000000, kGenericWrite = 0x40000000, kGenericExecute = 0x20000000,
                 kGenericAll = 0x10000000, kMaximumAllowed = 0x02000000;

struct OpenKey {
  int root;
  KeyId key;
  std::uint64_t generation;
  REGSAM access;
};

struct Handles {
  std::unordered_map<std::uintptr_t, OpenKey> open;
  std::uintptr_t next = 0x1000;
};

Handles& OpenHandles() {
  static Handles handles;
  return handles;
}

// Generic rights stand for the key rights they imply; the maximum is everything.
REGSAM Granted(REGSAM access) {
  REGSAM granted = access & KEY_ALL_ACCESS;
  if (access & (kGenericAll | kMaximumAllowed)) granted |= KEY_ALL_ACCESS;
  if (access & (kGenericRead | kGenericExecute)) granted |= KEY_READ;
  if (access & kGenericWrite) granted |= KEY_WRITE;
  return granted;
}

HKEY NewHandle(int root, KeyId key, std::uint64_t generation, REGSAM access) {
  Handles& handles = OpenHandles();
  std::uintptr_t value = handles.next;
  handles.next += 4;
  // Values are never reused, and never collide with the predefined roots.
  if ((handles.next & ~std::uintptr_t{0xFF}) == 0x80000000u) handles.next += 0x100;
  handles.open[value] = OpenKey{root, key, generation, Granted(access)};
  return reinterpret_cast<HKEY>(value);
}

struct Resolved {
  Database* db = nullptr;
  int root = -1;
  KeyId key = kRootKey;
  REGSAM access = 0;
};

// The key behind a handle, checked for the rights `need` and for still existing.
LSTATUS Resolve(HKEY handle, REGSAM need, Resolved* out) {
  int root = orv::store::RootIndex(handle);
  if (root >= 0) {
    *out = Resolved{&orv::store::RootDatabase(root), root, kRootKey, KEY_ALL_ACCESS};
    return ERROR_SUCCESS;
  }
  Handles& handles = OpenHandles();
  auto it = handles.open.find(reinterpret_cast<std::uintptr_t>(handle));
  if (handle == nullptr || it == handles.open.end()) return ERROR_INVALID_HANDLE;
  const OpenKey& open = it->second;
  Database& db = orv::store::RootDatabase(open.root);
  if ((open.access & need) != need) return ERROR_ACCESS_DENIED;
  if (db.Generation() != open.generation) return ERROR_KEY_DELETED;
  LSTATUS st = db.CheckKey(open.key);
  if (st != ERROR_SUCCESS) return st;
  *out = Resolved{&db, open.root, open.key, open.access};
  return ERROR_SUCCESS;
}

// A value name as stored: null is the default value "".
LSTATUS ValueName(LPCWSTR name, std::wstring_view* out) {
  *out = name != nullptr ? std::wstring_view(name) : std::wstring_view();
  if (out->size() > ORV_REG_MAX_VALUE_NAME || !orv::store::IsStorableName(*out)) return ERROR_INVALID_PARAMETER;
  return ERROR_SUCCESS;
}

// Copies a name with its terminator into a caller's buffer of *size characters.
LSTATUS CopyName(const std::wstring& name, LPWSTR buffer, LPDWORD size) {
  if (name.size() + 1 > *size) return ERROR_MORE_DATA;
  std::copy(name.begin(), name.end(), buffer);
  buffer[name.size()] = L'\0';
  *size = static_cast<DWORD>(name.size());
  return ERROR_SUCCESS;
}

// Copies value data into a caller's buffer: with no buffer only the size is told. A string
// stored without its terminating NUL gets one, so that a caller never reads past it: the
// size asked for counts the NUL, and a buffer that holds the characters but not the NUL is
// too small. On success the size is the stored one, as the platform reports it.
LSTATUS CopyData(DWORD type, const std::vector<BYTE>& data, LPBYTE buffer, LPDWORD size) {
  if (size == nullptr) return ERROR_SUCCESS;
  const auto stored = static_cast<DWORD>(data.size());
  constexpr DWORD kNul = sizeof(wchar_t);
  const bool addNul = orv::store::IsStringType(type) &&
                      (stored < kNul || std::any_of(data.end() - kNul, data.end(), [](BYTE b) { return b != 0; }));
  const DWORD needed = stored + (addNul ? kNul : 0);
  if (buffer == nullptr || *size < needed) {
    bool small = buffer != nullptr;
    *size = needed;
    return small ? ERROR_MORE_DATA : ERROR_SUCCESS;
  }
  if (stored != 0) std::memcpy(buffer, data.data(), stored);
  if (addNul) std::memset(buffer + stored, 0, kNul);
  *size = stored;
  return ERROR_SUCCESS;
}

LSTATUS CheckDataSize(DWORD type, DWORD size) {
  switch (type) {
    case REG_DWORD:
    case REG_DWORD_BIG_ENDIAN:
      return size == 4 ? ERROR_SUCCESS : ERROR_INVALID_PARAMETER;
    case REG_QWORD:
      return size == 8 ? ERROR_SUCCESS : ERROR_INVALID_PARAMETER;
    case REG_SZ:
    case REG_EXPAND_SZ:
    case REG_MULTI_SZ:
    case REG_LINK:
      return size % sizeof(wchar_t) == 0 ? ERROR_SUCCESS : ERROR_INVALID_PARAMETER;
    default:
      return ERROR_SUCCESS;
  }
}

void ToFileTime(std::int64_t ticks, PFILETIME out) {
  auto value = static_cast<std::uint64_t>(ticks);
  out->dwLowDateTime = static_cast<DWORD>(value & 0xFFFFFFFFu);
  out->dwHighDateTime = static_cast<DWORD>(value >> 32);
}

// The existing key at subKey below `key` (the registry lock held by the caller).
LSTATUS FindExisting(HKEY key, LPCWSTR subKey, Resolved* at, KeyId* target) {
  LSTATUS st = Resolve(key, 0, at);
  return st != ERROR_SUCCESS ? st : at->db->FindPath(at->key, subKey, target);
}

// Deletes the key at subKey below `key`; the shared part of RegDeleteKeyW and SHDeleteKeyW.
LSTATUS DeleteKeyAt(HKEY key, LPCWSTR subKey, bool subtree) {
  if (subKey == nullptr) return ERROR_INVALID_PARAMETER;
  std::lock_guard guard(orv::store::RegistryLock());
  Resolved at;
  KeyId target;
  if (LSTATUS st = FindExisting(key, subKey, &at, &target); st != ERROR_SUCCESS) return st;
  if (target == kRootKey) return ERROR_ACCESS_DENIED;
  return at.db->DeleteKey(target, subtree);
}
}  // namespace

LSTATUS RegOpenKeyExW(HKEY key, LPCWSTR subKey, DWORD /*options*/, REGSAM access, PHKEY result) {
  if (result == nullptr) return ERROR_INVALID_PARAMETER;
  *result = nullptr;
  std::lock_guard guard(orv::store::RegistryLock());
  Resolved at;
  KeyId target;
  if (LSTATUS st = FindExisting(key, subKey, &at, &target); st != ERROR_SUCCESS) return st;
  *result = NewHandle(at.root, target, at.db->Generation(), access);
  return ERROR_SUCCESS;
}

LSTATUS RegCreateKeyExW(HKEY key, LPCWSTR subKey, DWORD /*reserved*/, LPWSTR /*keyClass*/, DWORD options,
                        REGSAM access, LPSECURITY_ATTRIBUTES /*security*/, PHKEY result, LPDWORD disposition) {
  if (result == nullptr || subKey == nullptr) return ERROR_INVALID_PARAMETER;
  *result = nullptr;
  // Volatile keys would have to vanish at the next boot; a file store cannot promise that.
  if (options != REG_OPTION_NON_VOLATILE) return ERROR_INVALID_PARAMETER;
  std::lock_guard guard(orv::store::RegistryLock());
  Resolved at;
  KeyId target;
  LSTATUS st = FindExisting(key, subKey, &at, &target);
  bool created = false;
  if (at.access & KEY_CREATE_SUB_KEY) {
    if (st == ERROR_SUCCESS) {
      st = at.db->CanWrite();
    } else if (st == ERROR_FILE_NOT_FOUND) {
      std::vector<std::wstring> parts;
      orv::store::SplitKeyPath(subKey, parts);
      st = at.db->CreateSubkeys(at.key, parts, &target, &created);
    }
  } else if (st == ERROR_FILE_NOT_FOUND && at.db != nullptr) {
    st = ERROR_ACCESS_DENIED;
  }
  if (st != ERROR_SUCCESS) return st;
  if (disposition != nullptr) *disposition = created ? REG_CREATED_NEW_KEY : REG_OPENED_EXISTING_KEY;
  *result = NewHandle(at.root, target, at.db->Generation(), access);
  return ERROR_SUCCESS;
}

LSTATUS RegCloseKey(HKEY key) {
  std::lock_guard guard(orv::store::RegistryLock());
  if (orv::store::RootIndex(key) >= 0) return ERROR_SUCCESS;
  return OpenHandles().open.erase(reinterpret_cast<std::uintptr_t>(key)) == 1 ? ERROR_SUCCESS
                                                                              : ERROR_INVALID_HANDLE;
}

LSTATUS RegQueryValueExW(HKEY key, LPCWSTR name, LPDWORD reserved, LPDWORD type, LPBYTE data,
                         LPDWORD dataSize) {
  if (reserved != nullptr || (data != nullptr && dataSize == nullptr)) return ERROR_INVALID_PARAMETER;
  std::lock_guard guard(orv::store::RegistryLock());
  Resolved at;
  LSTATUS st = Resolve(key, KEY_QUERY_VALUE, &at);
  if (st != ERROR_SUCCESS) return st;
  std::wstring_view valueName;
  if (ValueName(name, &valueName) != ERROR_SUCCESS) return ERROR_FILE_NOT_FOUND;
  const orv::store::ValueRecord* value = nullptr;
  if ((st = at.db->GetValue(at.key, valueName, &value)) != ERROR_SUCCESS) return st;
  if (type != nullptr) *type = value->type;
  return CopyData(value->type, value->data, data, dataSize);
}

LSTATUS RegSetValueExW(HKEY key, LPCWSTR name, DWORD /*reserved*/, DWORD type, const BYTE* data,
                       DWORD dataSize) {
  if (data == nullptr && dataSize != 0) return ERROR_INVALID_PARAMETER;
  LSTATUS st = CheckDataSize(type, dataSize);
  if (st != ERROR_SUCCESS) return st;
  std::wstring_view valueName;
  if ((st = ValueName(name, &valueName)) != ERROR_SUCCESS) return st;
  std::lock_guard guard(orv::store::RegistryLock());
  Resolved at;
  if ((st = Resolve(key, KEY_SET_VALUE, &at)) != ERROR_SUCCESS) return st;
  return at.db->SetValue(at.key, valueName, type, data, dataSize);
}

LSTATUS RegDeleteValueW(HKEY key, LPCWSTR name) {
  std::wstring_view valueName;
  if (ValueName(name, &valueName) != ERROR_SUCCESS) return ERROR_FILE_NOT_FOUND;
  std::lock_guard guard(orv::store::RegistryLock());
  Resolved at;
  LSTATUS st = Resolve(key, KEY_SET_VALUE, &at);
  if (st != ERROR_SUCCESS) return st;
  return at.db->DeleteValue(at.key, valueName);
}

LSTATUS RegDeleteKeyW(HKEY key, LPCWSTR subKey) { return DeleteKeyAt(key, subKey, false); }

LSTATUS SHDeleteKeyW(HKEY key, LPCWSTR subKey) { return DeleteKeyAt(key, subKey, true); }

LSTATUS RegEnumKeyExW(HKEY key, DWORD index, LPWSTR name, LPDWORD nameSize, LPDWORD reserved, LPWSTR keyClass,
                      LPDWORD classSize, PFILETIME lastWriteTime) {
  if (name == nullptr || nameSize == nullptr || reserved != nullptr) return ERROR_INVALID_PARAMETER;
  std::lock_guard guard(orv::store::RegistryLock());
  Resolved at;
  LSTATUS st = Resolve(key, KEY_ENUMERATE_SUB_KEYS, &at);
  if (st != ERROR_SUCCESS) return st;
  orv::store::SubkeyRecord subkey;
  if ((st = at.db->SubkeyAt(at.key, index, &subkey)) != ERROR_SUCCESS) return st;
  if ((st = CopyName(subkey.name, name, nameSize)) != ERROR_SUCCESS) return st;
  // Keys have no class here: an empty one.
  if (keyClass != nullptr && classSize != nullptr && *classSize > 0) keyClass[0] = L'\0';
  if (classSize != nullptr) *classSize = 0;
  if (lastWriteTime != nullptr) ToFileTime(subkey.lastWrite, lastWriteTime);
  return ERROR_SUCCESS;
}

LSTATUS RegEnumValueW(HKEY key, DWORD index, LPWSTR name, LPDWORD nameSize, LPDWORD reserved, LPDWORD type,
                      LPBYTE data, LPDWORD dataSize) {
  if (name == nullptr || nameSize == nullptr || reserved != nullptr || (data != nullptr && dataSize == nullptr))
    return ERROR_INVALID_PARAMETER;
  std::lock_guard guard(orv::store::RegistryLock());
  Resolved at;
  LSTATUS st = Resolve(key, KEY_QUERY_VALUE, &at);
  if (st != ERROR_SUCCESS) return st;
  const orv::store::ValueRecord* value = nullptr;
  if ((st = at.db->ValueAt(at.key, index, &value)) != ERROR_SUCCESS) return st;
  if ((st = CopyName(value->name, name, nameSize)) != ERROR_SUCCESS) return st;
  if (type != nullptr) *type = value->type;
  return CopyData(value->type, value->data, data, dataSize);
}
