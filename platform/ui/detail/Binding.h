#pragma once
// The link between a window record and the CWnd objects that name it. Binding is its one
// owner: attaching, detaching, FromHandle's temporary objects and letting go when the window
// is destroyed all happen in Binding.cpp, and nowhere else writes a CWnd's handle.
//
//   - A window has at most one permanent object (Attach, SubclassWindow, the object of a
//     dialog it created). It receives the window's messages through its message map and
//     belongs to whoever made it; destroying it while it is attached destroys the window.
//   - FromHandle of a window without a permanent object hands out a temporary object of the
//     class's type (a CEdit for an edit). The window owns it and frees it with itself.
//   - ON_WM_HSCROLL/VSCROLL name a scroll bar; a control that scrolls without being one (an
//     up-down control) gets a CScrollBar view of its own, owned the same way.
//   - When the window is destroyed (after WM_NCDESTROY), every object still naming it
//     lets go of the handle, so a stale object fails its calls instead of reaching freed memory.
#include <memory>

#include "platform/ui/WinUser.h"

class CWnd;
class CScrollBar;

namespace orv::ui {

class Window;

// The objects that name one window, kept in its record; only Binding changes them.
class WindowObjects {
public:
  WindowObjects();
  ~WindowObjects();
  WindowObjects(const WindowObjects&) = delete;
  WindowObjects& operator=(const WindowObjects&) = delete;

  // The permanent object that receives the window's messages; null when none.
  CWnd* Permanent() const { return permanent_; }

private:
  friend class Binding;
  CWnd* permanent_ = nullptr;
  std::unique_ptr<CWnd> temporary_;   // FromHandle's object when no permanent one exists
  std::unique_ptr<CWnd> scrollView_;  // a CScrollBar naming a control that is no scroll bar
};

class Binding {
public:
  // Makes the object the window's permanent one; false when either is bound already.
  static bool Attach(CWnd& object, Window& w);
  // The object lets go of its window (and stops being its permanent object).
  static HWND Detach(CWnd& object);
  // The permanent object, or the window's temporary one.
  static CWnd* HandleObject(Window& w);
  static CScrollBar* ScrollBarObject(Window& w);
  // The window is gone: every object still naming it lets go.
  static void WindowDestroyed(Window& w);
  // A CWnd is being destroyed: a permanent object takes its window with it.
  static void ObjectDestroyed(CWnd& object);
};

}  // namespace orv::ui
