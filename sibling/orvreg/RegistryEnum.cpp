// CRegistry::GetRegEnumKey: enumerations of subkeys whose position lasts between calls.
#include <algorithm>
#include <mutex>
#include <vector>

#include "sibling/orvreg/Registry.h"

namespace {
constexpr size_t kMaxOpen = 32;

struct Cursor {
  HKEY root;
  CString key;  // the full path below the root
  HKEY handle;
  DWORD next;
};

struct Cursors {
  std::mutex lock;
  std::vector<Cursor> open;  // oldest first
};

Cursors& State() {
  static Cursors cursors;
  return cursors;
}

// The innermost enumeration of that root and key, or end().
std::vector<Cursor>::iterator Find(std::vector<Cursor>& open, HKEY root, const CString& fullKey) {
  auto it = std::find_if(open.rbegin(), open.rend(), [&](const Cursor& c) {
    return c.root == root && c.key.CompareNoCase(fullKey) == 0;
  });
  return it == open.rend() ? open.end() : std::next(it).base();
}

int Begin(std::vector<Cursor>& open, HKEY root, const CString& fullKey) {
  HKEY handle = nullptr;
  if (RegOpenKeyExW(root, fullKey, 0, KEY_ENUMERATE_SUB_KEYS, &handle) != ERROR_SUCCESS) return 0;
  // An enumeration nobody ended must not keep its handle for ever.
  if (open.size() >= kMaxOpen) {
    RegCloseKey(open.front().handle);
    open.erase(open.begin());
  }
  open.push_back(Cursor{root, fullKey, handle, 0});
  return 1;
}

int Next(std::vector<Cursor>& open, HKEY root, const CString& fullKey, CString& subkey) {
  subkey.Empty();
  auto it = Find(open, root, fullKey);
  if (it == open.end()) return 0;
  wchar_t name[ORV_REG_MAX_KEY_NAME + 1];
  DWORD size = ORV_REG_MAX_KEY_NAME + 1;
  if (RegEnumKeyExW(it->handle, it->next, name, &size, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) return 0;
  ++it->next;
  subkey = CString(name, static_cast<int>(size));
  return 1;
}

int End(std::vector<Cursor>& open, HKEY root, const CString& fullKey) {
  auto it = Find(open, root, fullKey);
  if (it == open.end()) return 0;
  RegCloseKey(it->handle);
  open.erase(it);
  return 1;
}
}  // namespace

int CRegistry::GetRegEnumKey(HKEY root, int step, const CString& key, CString& subkey, int /*reserved1*/,
                             int /*reserved2*/) {
  Cursors& cursors = State();
  std::lock_guard guard(cursors.lock);
  CString fullKey = GetFullKey(key);
  switch (step) {
    case 0:
      subkey.Empty();
      return Begin(cursors.open, root, fullKey);
    case 1:
      return Next(cursors.open, root, fullKey, subkey);
    case 3:
      return End(cursors.open, root, fullKey);
    default:
      return 0;
  }
}
