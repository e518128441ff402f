#pragma once
// Registers constellation-picture sets machine-wide, as an installer does: one subkey of
// "CnsPic" per set, named by its number, with "lst", "label" and "color". Point the registry
// at a test's own files first (TempRegistry).
#include <string>
#include <utility>

#include <gtest/gtest.h>

#include "support/RawRegistry.h"

namespace orv::test {

// A null value is left out.
inline void RegisterPictureSet(const wchar_t* subkey, const wchar_t* lst, const wchar_t* label, const wchar_t* color) {
  const std::wstring path = std::wstring(L"Software\\Orrelab\\Skyweave\\10.0\\CnsPic\\") + subkey;
  ASSERT_EQ(CreateRawKey(HKEY_LOCAL_MACHINE, path), ERROR_SUCCESS);
  for (auto [name, text] : {std::pair{L"lst", lst}, {L"label", label}, {L"color", color}}) {
    if (text != nullptr) {
      EXPECT_EQ(SetRawString(HKEY_LOCAL_MACHINE, path, name, text), ERROR_SUCCESS);
    }
  }
}

// The three sets an installation ships: standard, western and chinese pictures.
inline const wchar_t* const kStandardPictures = L".\\constellation\\CnsPic\\CnsPic.lst";
inline const wchar_t* const kWesternPictures = L".\\constellation\\Western\\Western.lst";
inline const wchar_t* const kChinesePictures = L".\\constellation\\Chinese\\Chinese.lst";
inline void RegisterShippedPictureSets() {
  RegisterPictureSet(L"1", kStandardPictures, L"標準", L"504038");
  RegisterPictureSet(L"2", kWesternPictures, L"西洋", L"0080FF");
  RegisterPictureSet(L"3", kChinesePictures, L"中国", L"40C040");
}

}  // namespace orv::test
