#pragma once
// The registry calls with Windows' semantics and error codes, over a store of one SQLite
// database per root (HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE).
//
// Key and value names compare ignoring letter case and keep the case they were created
// with; subkeys enumerate in Windows' order (ordinal order of the upper-cased names). Value
// data is kept byte for byte with its type. String data are wchar_t units, as the W calls
// take them (a REG_SZ of "ab" with its terminator is 3 * sizeof(wchar_t) bytes).
//
// Handles: the two roots are predefined and never need closing. Every other handle comes
// from RegOpenKeyExW or RegCreateKeyExW; once closed it is unknown, so closing it again or
// using it gives ERROR_INVALID_HANDLE. A handle whose key was deleted (by any process)
// gives ERROR_KEY_DELETED.
//
// Several processes may share a store: every change is one transaction, and a writer waits
// for another one instead of failing. A damaged database file is reported once through the
// message sink, moved aside as "<file>.damaged-<timestamp>", and a fresh store takes its
// place: reads answer as if nothing were stored.
#include <cstdint>
#include <functional>
#include <string>

#include "platform/base/Export.h"
#include "platform/base/WinError.h"
#include "platform/base/WinTypes.h"

struct HKEY__;
using HKEY = HKEY__*;
using PHKEY = HKEY*;
using REGSAM = DWORD;
using LPDWORD = DWORD*;
using LPBYTE = BYTE*;
using LPSECURITY_ATTRIBUTES = void*;

struct FILETIME {
  DWORD dwLowDateTime;
  DWORD dwHighDateTime;
};
using PFILETIME = FILETIME*;

// The predefined roots, with their Windows values.
#define HKEY_CURRENT_USER (reinterpret_cast<HKEY>(static_cast<std::uintptr_t>(0x80000001u)))
#define HKEY_LOCAL_MACHINE (reinterpret_cast<HKEY>(static_cast<std::uintptr_t>(0x80000002u)))

// Access rights.
inline constexpr REGSAM KEY_QUERY_VALUE = 0x0001;
inline constexpr REGSAM KEY_SET_VALUE = 0x0002;
inline constexpr REGSAM KEY_CREATE_SUB_KEY = 0x0004;
inline constexpr REGSAM KEY_ENUMERATE_SUB_KEYS = 0x0008;
inline constexpr REGSAM KEY_NOTIFY = 0x0010;
inline constexpr REGSAM KEY_CREATE_LINK = 0x0020;
inline constexpr REGSAM KEY_WOW64_64KEY = 0x0100;
inline constexpr REGSAM KEY_WOW64_32KEY = 0x0200;
inline constexpr REGSAM DELETE = 0x00010000;
inline constexpr REGSAM READ_CONTROL = 0x00020000;
inline constexpr REGSAM WRITE_DAC = 0x00040000;
inline constexpr REGSAM WRITE_OWNER = 0x00080000;
inline constexpr REGSAM KEY_READ = 0x00020019;
inline constexpr REGSAM KEY_WRITE = 0x00020006;
inline constexpr REGSAM KEY_EXECUTE = 0x00020019;
inline constexpr REGSAM KEY_ALL_ACCESS = 0x000F003F;

// Value types.
inline constexpr DWORD REG_NONE = 0;
inline constexpr DWORD REG_SZ = 1;
inline constexpr DWORD REG_EXPAND_SZ = 2;
inline constexpr DWORD REG_BINARY = 3;
inline constexpr DWORD REG_DWORD = 4;
inline constexpr DWORD REG_DWORD_LITTLE_ENDIAN = 4;
inline constexpr DWORD REG_DWORD_BIG_ENDIAN = 5;
inline constexpr DWORD REG_LINK = 6;
inline constexpr DWORD REG_MULTI_SZ = 7;
inline constexpr DWORD REG_QWORD = 11;
inline constexpr DWORD REG_QWORD_LITTLE_ENDIAN = 11;

// RegCreateKeyExW options and dispositions.
inline constexpr DWORD REG_OPTION_NON_VOLATILE = 0;
inline constexpr DWORD REG_CREATED_NEW_KEY = 1;
inline constexpr DWORD REG_OPENED_EXISTING_KEY = 2;

// Longest key name and value name in characters, without the terminator.
inline constexpr DWORD ORV_REG_MAX_KEY_NAME = 255;
inline constexpr DWORD ORV_REG_MAX_VALUE_NAME = 16383;

// subKey: a path of names separated by '\' below key; null or "" names key itself. An empty
// name inside the path (a leading or doubled '\') gives ERROR_BAD_PATHNAME; one trailing '\'
// is accepted.
ORV_API LSTATUS RegOpenKeyExW(HKEY key, LPCWSTR subKey, DWORD options, REGSAM access, PHKEY result);
// Creates every missing key along subKey. disposition (may be null) tells whether the last
// key was new. Needs KEY_CREATE_SUB_KEY on key when something is created.
ORV_API LSTATUS RegCreateKeyExW(HKEY key, LPCWSTR subKey, DWORD reserved, LPWSTR keyClass, DWORD options,
                                REGSAM access, LPSECURITY_ATTRIBUTES security, PHKEY result,
                                LPDWORD disposition);
ORV_API LSTATUS RegCloseKey(HKEY key);
// name null or "" is the key's default value. With data null only the type and size are
// reported; with a buffer too small, ERROR_MORE_DATA and the size needed in *dataSize.
ORV_API LSTATUS RegQueryValueExW(HKEY key, LPCWSTR name, LPDWORD reserved, LPDWORD type, LPBYTE data,
                                 LPDWORD dataSize);
// REG_DWORD needs exactly 4 bytes, REG_QWORD 8, string types a whole number of wchar_t.
ORV_API LSTATUS RegSetValueExW(HKEY key, LPCWSTR name, DWORD reserved, DWORD type, const BYTE* data,
                               DWORD dataSize);
ORV_API LSTATUS RegDeleteValueW(HKEY key, LPCWSTR name);
// Deletes one key that has no subkeys (ERROR_ACCESS_DENIED when it has some).
ORV_API LSTATUS RegDeleteKeyW(HKEY key, LPCWSTR subKey);
// The index-th subkey in Windows' order. nameSize: in, the buffer's size in characters with
// room for the terminator; out, the name's length without it.
ORV_API LSTATUS RegEnumKeyExW(HKEY key, DWORD index, LPWSTR name, LPDWORD nameSize, LPDWORD reserved,
                              LPWSTR keyClass, LPDWORD classSize, PFILETIME lastWriteTime);
// The index-th value, in the order the values were first set.
ORV_API LSTATUS RegEnumValueW(HKEY key, DWORD index, LPWSTR name, LPDWORD nameSize, LPDWORD reserved,
                              LPDWORD type, LPBYTE data, LPDWORD dataSize);
// Deletes subKey with everything below it.
ORV_API LSTATUS SHDeleteKeyW(HKEY key, LPCWSTR subKey);

namespace orv {
// Points a root at another database file (created on the first write). Handles opened on
// the root before are then stale (ERROR_KEY_DELETED). An empty path restores the default.
// Returns false for a handle that is not one of the two roots.
ORV_API bool SetRegistryRootFile(HKEY root, const std::string& path);
// The file a root uses now: the one set above, else the default location.
ORV_API std::string GetRegistryRootFile(HKEY root);
// Default locations, following the XDG base-directory rules: the user root in
// $XDG_CONFIG_HOME (else ~/.config) as "orvdcm/user.db", the machine root in the first folder
// of $XDG_CONFIG_DIRS (else /etc/xdg) as "orvdcm/machine.db".
ORV_API std::string DefaultRegistryRootFile(HKEY root);

// Runs `changes` (registry calls on this thread) as one transaction per root: when it returns
// an error, none of its changes stay; else other processes see them all at once. Commits of
// the two roots follow each other, so only a failure between them splits the changes.
ORV_API LSTATUS RunRegistryTransaction(const std::function<LSTATUS()>& changes);
// A registry error in words, with the system's reason when the store had one, e.g.
// "cannot write the registry file: No space left on device".
ORV_API std::string RegistryErrorText(LSTATUS status);
}  // namespace orv
