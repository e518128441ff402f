#pragma once
// Registers constellation-picture sets machine-wide, as an installer does: one subkey of
// "CnsPic" per set, named by its number, with "lst", "label" and "color". Point the registry
// at a test's own files first (TempRegistry).
#include <cwchar>
#include <utility>

#include <gtest/gtest.h>

#include "platform/base/CString.h"
#include "platform/store/WinReg.h"

namespace orv::test {

// A null value is left out.
inline void RegisterPictureSet(const wchar_t* subkey, const wchar_t* lst, const wchar_t* label, const wchar_t* color) {
  CString path = CString(L"Software\\Orrelab\\Skyweave\\10.0\\CnsPic\\") + subkey;
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, path, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr,
                            &key, nullptr),
            ERROR_SUCCESS);
  const std::pair<const wchar_t*, const wchar_t*> values[] = {{L"lst", lst}, {L"label", label}, {L"color", color}};
  for (const auto& [name, text] : values) {
    if (text == nullptr) continue;
    DWORD bytes = static_cast<DWORD>((std::wcslen(text) + 1) * sizeof(wchar_t));
    EXPECT_EQ(RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text), bytes), ERROR_SUCCESS);
  }
  RegCloseKey(key);
}

}  // namespace orv::test
