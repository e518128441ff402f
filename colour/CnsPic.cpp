#include "colour/CnsPic.h"

#include "colour/HexColor.h"
#include "platform/base/Crt.h"
#include "platform/store/WinReg.h"
#include "res/ResourceIds.h"
#include "sibling/orvreg/Registry.h"

namespace {

constexpr const wchar_t* kSetsKey = L"CnsPic";

CString MachineSetKey(const CString& subkey) {
  CString key;
  key.Format(L"%s\\%s", kSetsKey, subkey);
  return key;
}

CString UserSetKey(int index) {
  CString key;
  key.Format(L"%s\\%d", kSetsKey, index);
  return key;
}

CString ReadMachineValue(const CString& subkey, const wchar_t* name) {
  CString value;
  CRegistry::Read(HKEY_LOCAL_MACHINE, MachineSetKey(subkey), name, L"", value);
  return value;
}

}  // namespace

CCnsPic::CCnsPic() : m_nEnum(0), m_crDefault(0) {
  // "label\group\key\colour\kind": skip three fields (and the backslashes after each).
  CString text;
  text.LoadString(IDS_COLOR_DEF_CNSPIC);
  for (int field = 0; field < 3; ++field) {
    int slash = text.Find(L'\\');
    text = slash < 0 ? CString() : text.Mid(slash);
    text.TrimLeft(L'\\');
  }
  int end = text.Find(L'\\');
  orv::ReadHexColor(end < 0 ? text : text.Left(end), m_crDefault);
}

int CCnsPic::Enum(const CString& file, CString& subkey) {
  CString scratch;
  if (!CRegistry::GetRegEnumKey(HKEY_LOCAL_MACHINE, 0, kSetsKey, scratch, 0, 0)) return 0;
  int found = 0;
  while (CRegistry::GetRegEnumKey(HKEY_LOCAL_MACHINE, 1, kSetsKey, subkey, 0, 0)) {
    CString lst = ReadMachineValue(subkey, L"lst");
    if (lst.IsEmpty()) break;
    if (lst.CompareNoCase(file) == 0) {
      found = 1;
      break;
    }
  }
  CRegistry::GetRegEnumKey(HKEY_LOCAL_MACHINE, 3, kSetsKey, scratch, 0, 0);
  // A file that no set is registered for is not found: the name the enumeration left behind
  // belongs to some other set, or to none.
  return found;
}

int CCnsPic::EnumInfo(tagCnsPicInfo* info) {
  if (info == nullptr) return 0;
  CString subkey;
  if (m_nEnum == 0) {
    m_nEnum = 1;
    if (!CRegistry::GetRegEnumKey(HKEY_LOCAL_MACHINE, 0, kSetsKey, subkey, 0, 0)) return 0;
  }
  if (!CRegistry::GetRegEnumKey(HKEY_LOCAL_MACHINE, 1, kSetsKey, subkey, 0, 0)) {
    CRegistry::GetRegEnumKey(HKEY_LOCAL_MACHINE, 3, kSetsKey, subkey, 0, 0);
    m_nEnum = 0;
    return 0;
  }
  ReadInfo(subkey, info);
  info->strFile = ReadMachineValue(subkey, L"lst");
  return 1;
}

int CCnsPic::GetInfo(const CString& file, tagCnsPicInfo* info) {
  if (info == nullptr) return 0;
  CString subkey;
  if (!Enum(file, subkey)) return 0;
  ReadInfo(subkey, info);
  info->strFile = file;
  return 1;
}

COLORREF CCnsPic::GetColor(const CString& file) {
  CString subkey;
  if (!Enum(file, subkey)) return m_crDefault;
  return ReadUserColor(_wtoi(subkey));
}

int CCnsPic::GetIndex(const CString& file) {
  CString subkey;
  if (!Enum(file, subkey)) return 0;
  return _wtoi(subkey);
}

void CCnsPic::SetColor(int index, DWORD color) { CRegistry::Write(UserSetKey(index), L"color", color); }

void CCnsPic::AllDefault() {
  CString appKey;
  appKey.Format(L"Software\\%s", L"Orrelab\\Skyweave\\10.0");
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, appKey, 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS) return;
  SHDeleteKeyW(key, kSetsKey);
  RegCloseKey(key);
}

void CCnsPic::ReadInfo(const CString& subkey, tagCnsPicInfo* info) const {
  info->nIndex = _wtoi(subkey);
  info->strLabel = ReadMachineValue(subkey, L"label");
  info->crDefault = m_crDefault;
  orv::ReadHexColor(ReadMachineValue(subkey, L"color"), info->crDefault);
  info->crCurrent = ReadUserColor(info->nIndex);
}

// Read where SetColor writes ("CnsPic\%d" with the set's number), so that a colour stored for
// a set is the colour read back for it even when its subkey name is not a plain number.
COLORREF CCnsPic::ReadUserColor(int index) const {
  DWORD color = m_crDefault;
  CRegistry::Read(UserSetKey(index), L"color", m_crDefault, &color);
  return color;
}
