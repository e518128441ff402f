#pragma once
// How a control looks, for the styled control classes: its text and background colours and
// whether it follows the desktop's visual theme or keeps the classic look.
#include "platform/ui/WinUser.h"

namespace orv::ui {

// CLR_INVALID for either colour keeps the default (the background then lets the window
// beneath show through). FALSE for a stale handle.
ORV_API BOOL SetControlColors(HWND control, COLORREF text, COLORREF background);
ORV_API BOOL GetControlColors(HWND control, COLORREF* text, COLORREF* background);
// themed FALSE: the classic, unthemed look (what the platform's SetWindowTheme(w, L"", L"")
// selects); TRUE: the desktop's theme again.
ORV_API BOOL SetWindowThemed(HWND window, BOOL themed);
ORV_API BOOL IsWindowThemed(HWND window);

}  // namespace orv::ui
