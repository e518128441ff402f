#include "sibling/orvcst/LumTheme.h"

#include "platform/ui/Appearance.h"

HRESULT CLumTheme::SetWindowTheme(HWND window, LPCWSTR subAppName, LPCWSTR subIdList) {
  if (!IsWindow(window)) return static_cast<HRESULT>(0x80070057);
  bool off = subAppName != nullptr && subIdList != nullptr && *subAppName == L'\0' && *subIdList == L'\0';
  orv::ui::SetWindowThemed(window, off ? FALSE : TRUE);
  return 0;
}
