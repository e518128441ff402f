#pragma once
// Registry values written and read with the plain registry calls, as an installer or another
// module would: for tests that set up a store or look at what the code under test left there.
// Each call opens the key afresh and closes it again.
#include <cstring>
#include <string>
#include <vector>

#include "platform/store/WinReg.h"

namespace orv::test {

// The bytes a value of text (with its terminator unless told) or of a DWORD is stored as.
inline std::vector<BYTE> TextBytes(const std::wstring& text, bool terminator = true) {
  std::vector<BYTE> bytes((text.size() + (terminator ? 1 : 0)) * sizeof(wchar_t), 0);
  std::memcpy(bytes.data(), text.data(), text.size() * sizeof(wchar_t));
  return bytes;
}
inline std::vector<BYTE> DwordBytes(DWORD value) {
  std::vector<BYTE> bytes(sizeof value);
  std::memcpy(bytes.data(), &value, sizeof value);
  return bytes;
}

// Creates the key and those above it; ERROR_SUCCESS or the failing call's code.
inline LSTATUS CreateRawKey(HKEY root, const std::wstring& path) {
  HKEY key = nullptr;
  LSTATUS status = RegCreateKeyExW(root, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
  if (status == ERROR_SUCCESS) RegCloseKey(key);
  return status;
}

// Creates the key as needed and sets one value to `size` bytes of `data`.
inline LSTATUS SetRawValue(HKEY root, const std::wstring& path, const wchar_t* name, DWORD type, const void* data,
                           DWORD size) {
  HKEY key = nullptr;
  LSTATUS status = RegCreateKeyExW(root, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
  if (status != ERROR_SUCCESS) return status;
  status = RegSetValueExW(key, name, 0, type, static_cast<const BYTE*>(data), size);
  RegCloseKey(key);
  return status;
}

// REG_SZ with its terminator.
inline LSTATUS SetRawString(HKEY root, const std::wstring& path, const wchar_t* name, const std::wstring& text) {
  return SetRawValue(root, path, name, REG_SZ, text.c_str(), static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
}

inline LSTATUS SetRawDword(HKEY root, const std::wstring& path, const wchar_t* name, DWORD value) {
  return SetRawValue(root, path, name, REG_DWORD, &value, sizeof value);
}

// One stored value as the registry gives it back.
struct RawValue {
  LSTATUS status = ERROR_FILE_NOT_FOUND;  // of opening the key or of reading the value
  DWORD type = REG_NONE;
  std::vector<BYTE> bytes;

  bool Found() const { return status == ERROR_SUCCESS; }
  // The bytes as text, up to the first terminator.
  std::wstring Text() const {
    std::wstring text(bytes.size() / sizeof(wchar_t), L'\0');
    std::memcpy(text.data(), bytes.data(), text.size() * sizeof(wchar_t));
    return text.substr(0, text.find(L'\0'));
  }
  // The first four bytes as a number (0 when there are fewer).
  DWORD Dword() const {
    DWORD value = 0;
    if (bytes.size() >= sizeof value) std::memcpy(&value, bytes.data(), sizeof value);
    return value;
  }
};

inline RawValue ReadRawValue(HKEY root, const std::wstring& path, const wchar_t* name) {
  RawValue value;
  HKEY key = nullptr;
  value.status = RegOpenKeyExW(root, path.c_str(), 0, KEY_READ, &key);
  if (value.status != ERROR_SUCCESS) return value;
  DWORD size = 0;
  value.status = RegQueryValueExW(key, name, nullptr, &value.type, nullptr, &size);
  value.bytes.resize(size);
  if (value.status == ERROR_SUCCESS)
    value.status = RegQueryValueExW(key, name, nullptr, &value.type, value.bytes.data(), &size);
  value.bytes.resize(size);
  RegCloseKey(key);
  return value;
}

}  // namespace orv::test
