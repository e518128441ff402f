#include "platform/ui/Appearance.h"

#include "platform/ui/detail/Window.h"

namespace orv::ui {

BOOL SetControlColors(HWND control, COLORREF text, COLORREF background) {
  Window* w = Window::FromHandle(control);
  if (w == nullptr) return FALSE;
  w->textColor = text;
  w->backColor = background;
  if (w->peer) w->peer->StyleChanged();
  return TRUE;
}

BOOL GetControlColors(HWND control, COLORREF* text, COLORREF* background) {
  Window* w = Window::FromHandle(control);
  if (w == nullptr) return FALSE;
  if (text != nullptr) *text = w->textColor;
  if (background != nullptr) *background = w->backColor;
  return TRUE;
}

BOOL SetWindowThemed(HWND window, BOOL themed) {
  Window* w = Window::FromHandle(window);
  if (w == nullptr) return FALSE;
  w->themed = themed != FALSE;
  if (w->peer) w->peer->StyleChanged();
  return TRUE;
}

BOOL IsWindowThemed(HWND window) {
  Window* w = Window::FromHandle(window);
  return w != nullptr && w->themed ? TRUE : FALSE;
}

}  // namespace orv::ui
