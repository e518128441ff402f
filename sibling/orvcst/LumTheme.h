#pragma once
// CLumTheme: the visual theme of a window.
#include "platform/ui/WinUser.h"

class ORV_API CLumTheme {
public:
  // As the platform's SetWindowTheme: two empty strings turn the window's theme off (the
  // classic look); two null pointers give it the desktop's theme again. Other names select
  // nothing else here and keep the theme on. Returns 0, or E_INVALIDARG (0x80070057) for a
  // handle that names no window.
  static HRESULT SetWindowTheme(HWND window, LPCWSTR subAppName, LPCWSTR subIdList);
};
