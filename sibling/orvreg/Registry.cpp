#include "sibling/orvreg/Registry.h"

#include <cstring>
#include <vector>

#include "sibling/orvreg/RegistryValueText.h"

IMPLEMENT_DYNAMIC(CRegistry, CObject)

namespace {
// A value as stored: its type and bytes.
struct RawValue {
  DWORD type = REG_NONE;
  std::vector<BYTE> data;
};

bool QueryValue(HKEY root, const CString& key, const CString& name, RawValue* out) {
  HKEY handle = nullptr;
  if (RegOpenKeyExW(root, CRegistry::GetFullKey(key), 0, KEY_QUERY_VALUE, &handle) != ERROR_SUCCESS) return false;
  // Most values fit the first buffer; a larger one is asked for again at its size, more
  // than once when another process grows it in between.
  BYTE small[256];
  DWORD size = sizeof small;
  LSTATUS st = RegQueryValueExW(handle, name, nullptr, &out->type, small, &size);
  if (st == ERROR_SUCCESS) out->data.assign(small, small + size);
  for (int attempt = 0; attempt < 4 && st == ERROR_MORE_DATA; ++attempt) {
    out->data.resize(size);
    st = RegQueryValueExW(handle, name, nullptr, &out->type, out->data.data(), &size);
    if (st == ERROR_SUCCESS) out->data.resize(size);
  }
  RegCloseKey(handle);
  return st == ERROR_SUCCESS;
}

bool SetValue(HKEY root, const CString& key, const CString& name, DWORD type, const void* data, size_t size) {
  HKEY handle = nullptr;
  if (RegCreateKeyExW(root, CRegistry::GetFullKey(key), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_SET_VALUE, nullptr,
                      &handle, nullptr) != ERROR_SUCCESS)
    return false;
  LSTATUS st = RegSetValueExW(handle, name, 0, type, static_cast<const BYTE*>(data), static_cast<DWORD>(size));
  RegCloseKey(handle);
  return st == ERROR_SUCCESS;
}

// A stored string: REG_SZ or REG_EXPAND_SZ, up to its first NUL (a value stored without a
// terminator is taken whole).
bool ReadString(HKEY root, const CString& key, const CString& name, CString* out) {
  RawValue value;
  if (!QueryValue(root, key, name, &value) || (value.type != REG_SZ && value.type != REG_EXPAND_SZ)) return false;
  size_t count = value.data.size() / sizeof(wchar_t);
  std::wstring text(count, L'\0');
  if (count != 0) std::memcpy(text.data(), value.data.data(), count * sizeof(wchar_t));
  text.resize(std::wcslen(text.c_str()));
  *out = CString(std::move(text));
  return true;
}

bool WriteString(HKEY root, const CString& key, const CString& name, const CString& text) {
  return SetValue(root, key, name, REG_SZ, text.GetString(), (static_cast<size_t>(text.GetLength()) + 1) * sizeof(wchar_t));
}

bool ReadDword(const CString& key, const CString& name, DWORD* out) {
  RawValue value;
  if (!QueryValue(HKEY_CURRENT_USER, key, name, &value) || value.type != REG_DWORD || value.data.size() != 4)
    return false;
  std::memcpy(out, value.data.data(), 4);
  return true;
}

bool WriteDword(const CString& key, const CString& name, DWORD value) {
  return SetValue(HKEY_CURRENT_USER, key, name, REG_DWORD, &value, sizeof value);
}

bool IsKnownKind(int kind) { return kind == CRegistry::DT_BOOL || kind == CRegistry::DT_INT; }

// The text forms of double, CRect and CSize share one load-or-store shape.
template <typename T, typename Format, typename Parse>
int UpdateText(const CString& key, const CString& name, const T& defaultValue, T& value, int save, Format format,
               Parse parse) {
  if (save != 0) return WriteString(HKEY_CURRENT_USER, key, name, format(value)) ? 1 : 0;
  CString text;
  T parsed{};
  if (ReadString(HKEY_CURRENT_USER, key, name, &text) && parse(text, &parsed)) {
    value = parsed;
    return 1;
  }
  value = defaultValue;
  return 0;
}
}  // namespace

CRegistry::CRegistry() = default;

CRegistry::~CRegistry() = default;

CString CRegistry::GetFullKey(const CString& key) {
  // "Software\%s" formatted with the application's name, put together without a format.
  CString full(L"Software\\Orrelab\\Skyweave\\10.0");
  if (!key.IsEmpty()) {
    full += L"\\";
    full += key;
  }
  return full;
}

int CRegistry::Read(const CString& key, const CString& name, const CString& defaultValue, CString& value) {
  return Read(HKEY_CURRENT_USER, key, name, defaultValue, value);
}

int CRegistry::Write(const CString& key, const CString& name, const CString& value) {
  return WriteString(HKEY_CURRENT_USER, key, name, value) ? 1 : 0;
}

int CRegistry::Read(HKEY root, const CString& key, const CString& name, const CString& defaultValue,
                    CString& value) {
  CString stored;
  if (ReadString(root, key, name, &stored)) {
    value = stored;
    return 1;
  }
  value = defaultValue;
  return 0;
}

int CRegistry::Read(const CString& key, const CString& name, DWORD defaultValue, DWORD* value) {
  if (value == nullptr) return 0;
  DWORD stored = 0;
  bool found = ReadDword(key, name, &stored);
  *value = found ? stored : defaultValue;
  return found ? 1 : 0;
}

int CRegistry::Write(const CString& key, const CString& name, DWORD value) {
  return WriteDword(key, name, value) ? 1 : 0;
}

int CRegistry::Read(const CString& key, const CString& name, int defaultValue, int* value, int kind) {
  if (value == nullptr) return 0;
  DWORD stored = 0;
  bool found = IsKnownKind(kind) && ReadDword(key, name, &stored);
  if (!found) {
    *value = defaultValue;
    return 0;
  }
  *value = kind == DT_BOOL ? (stored != 0 ? 1 : 0) : static_cast<int>(stored);
  return 1;
}

int CRegistry::Write(const CString& key, const CString& name, int value, int kind) {
  if (!IsKnownKind(kind)) return 0;
  DWORD stored = kind == DT_BOOL ? (value != 0 ? 1u : 0u) : static_cast<DWORD>(value);
  return WriteDword(key, name, stored) ? 1 : 0;
}

int CRegistry::UpdateReg(const CString& key, const CString& name, const CString& defaultValue, CString& value,
                         int save) {
  return save != 0 ? Write(key, name, value) : Read(key, name, defaultValue, value);
}

int CRegistry::UpdateReg(const CString& key, const CString& name, int defaultValue, int& value, DATATYPE type,
                         int save) {
  return save != 0 ? Write(key, name, value, type) : Read(key, name, defaultValue, &value, type);
}

int CRegistry::UpdateReg(const CString& key, const CString& name, double defaultValue, double& value, int save) {
  return UpdateText(key, name, defaultValue, value, save, orv::reg::FormatDouble, orv::reg::ParseDouble);
}

int CRegistry::UpdateReg(const CString& key, const CString& name, const CRect& defaultValue, CRect& value,
                         int save) {
  return UpdateText(
      key, name, defaultValue, value, save, [](const CRect& r) { return orv::reg::FormatRect(r); },
      [](const CString& text, CRect* r) { return orv::reg::ParseRect(text, r); });
}

int CRegistry::UpdateReg(const CString& key, const CString& name, const CSize& defaultValue, CSize& value,
                         int save) {
  return UpdateText(
      key, name, defaultValue, value, save, [](const CSize& s) { return orv::reg::FormatSize(s); },
      [](const CString& text, CSize* s) { return orv::reg::ParseSize(text, s); });
}
