#pragma once
// The window layer's own record of a window: what the platform keeps behind a handle
// (class, style, text, rectangle, family, update region) plus the class's built-in
// behaviour (ClassProc) and the backend view that shows it (WindowPeer).
//
// Everything here is free of Qt; the backend only translates between a peer and its widget.
#include <memory>
#include <vector>

#include "platform/base/CString.h"
#include "platform/base/Geometry.h"
#include "platform/gdi/GdiTypes.h"
#include "platform/gdi/Surface.h"
#include "platform/ui/detail/Binding.h"
#include "platform/ui/WinUser.h"

class CWnd;
class CDC;

namespace orv::ui {

class Window;

// A view of a window in the backend. The model tells it what changed; it tells the model
// what the user did through the window's ClassProc.
class WindowPeer {
public:
  virtual ~WindowPeer();
  // Window::rect: a child's window rectangle in its parent's client coordinates, or a
  // top-level window's client area on the screen.
  virtual void SetGeometry(const CRect& rect) = 0;
  virtual void SetText(const CString& text);
  virtual void SetEnabled(bool enabled) = 0;
  virtual void SetVisible(bool visible) = 0;
  virtual void SetFocus() = 0;
  // Shows the window's surface again over this part of the client area.
  virtual void Present(const CRect& clientRect);
  // Asks the backend to paint this part soon (the model's update region already holds it).
  virtual void ScheduleRepaint(const CRect& clientRect);
  // The font of the window: face and character height in pixels (0: the backend's default).
  virtual void SetFont(const CString& face, int pixelHeight, int weight);
  virtual void StyleChanged();
};

// A window class's built-in behaviour: the default window procedure of that class and the
// state the class keeps (an edit's limit, a tree's items). One object per window.
class ClassProc {
public:
  virtual ~ClassProc();
  // Called once the window record is complete: creates the peer.
  virtual void Create(Window& w) = 0;
  // The class's default procedure; unknown messages go to DefaultProc.
  virtual LRESULT WndProc(Window& w, UINT message, WPARAM wParam, LPARAM lParam);
  // Called after WM_NCDESTROY, before the peer goes.
  virtual void Destroyed(Window& w);
  // Called for each control once all controls of its dialog exist (buddies, mnemonics).
  virtual void DialogComplete(Window& w);
  // Called when the style bits changed (a button that became owner-drawn needs another view).
  virtual void StyleChanged(Window& w, DWORD oldStyle);
  // The common default behaviour of every window (DefWindowProc).
  static LRESULT DefaultProc(Window& w, UINT message, WPARAM wParam, LPARAM lParam);
};

struct WindowCreate {
  CString className;
  CString text;
  DWORD style = 0;
  DWORD exStyle = 0;
  CRect rect;  // the child's window rectangle in its parent's client coordinates, or the
               // top-level window's client area on the screen
  Window* parent = nullptr;
  Window* owner = nullptr;  // top-level windows only
  UINT id = 0;
};

class Window {
public:
  // Creates a window of a registered class (null for an unknown class) and records it.
  static Window* Create(const WindowCreate& params);
  // Creates a window with a behaviour that the caller supplies (dialogs).
  static Window* Create(const WindowCreate& params, std::unique_ptr<ClassProc> proc);
  // Whether the handle names a window that exists now.
  static bool IsLive(const Window* w);
  static Window* FromHandle(HWND hwnd) { return IsLive(hwnd) ? hwnd : nullptr; }

  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;

  // --- messages: through the attached object's message map when there is one
  LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
  LRESULT DefProc(UINT message, WPARAM wParam, LPARAM lParam);
  // Sends WM_COMMAND / WM_NOTIFY to the parent on behalf of this control.
  LRESULT NotifyParentCommand(UINT code);
  LRESULT NotifyParent(NMHDR* header);
  // Destroys the window and its children (WM_DESTROY, then WM_NCDESTROY). The handle fails
  // from then on; the record itself is freed when the event loop next runs.
  void Destroy();
  static void CollectDestroyed();

  // --- geometry
  CRect ClientRect() const;  // (0, 0, width, height)
  CPoint ClientOriginOnScreen() const;
  CRect WindowRectOnScreen() const;
  // The window rectangle as the platform's MoveWindow takes it: parent client coordinates
  // for a child, screen coordinates (frame included) for a top-level window.
  CRect PlacementRect() const;
  void SetPlacementRect(const CRect& windowRect, bool repaint);
  // Moves and sizes by the stored rectangle (see `rect`), telling the peer.
  void SetRect(const CRect& newRect, bool repaint);
  bool IsClass(const wchar_t* name) const { return className.CompareNoCase(name) == 0; }
  bool IsTopLevel() const { return parent == nullptr || (style & WS_CHILD) == 0; }
  Window* TopLevel();

  // --- family
  Window* Child(UINT childId) const;
  Window* NextSibling() const;
  Window* PreviousSibling() const;

  // --- state
  void SetText(const CString& newText);
  bool IsEnabled() const { return (style & WS_DISABLED) == 0; }
  bool IsVisible() const;
  void SetStyle(DWORD newStyle);
  // Tells a new peer everything it shows: place, text, state, font and colours.
  void SyncPeer();
  void SetExStyle(DWORD newExStyle);

  // --- painting: the update region is kept as its bounding rectangle
  void Invalidate(const CRect* area, bool erase);
  void Validate(const CRect* area);
  // Paints now (WM_PAINT) when part of the window is invalid; then shows the result.
  void PaintNow();
  // The pixels of the client area, created (black) or resized on demand.
  gdi::Surface& ClientSurface();
  const gdi::Surface* SurfaceIfAny() const { return surface_.get(); }

  template <typename T>
  T* ProcAs() const {
    return dynamic_cast<T*>(proc.get());
  }

  CString className;
  CString text;
  UINT id = 0;
  DWORD style = 0;
  DWORD exStyle = 0;
  Window* parent = nullptr;
  Window* owner = nullptr;
  std::vector<Window*> children;  // in creation (tab and z) order
  CRect rect;  // a child's window rectangle (parent client coordinates) or a top-level
               // window's client area (screen coordinates)
  WindowObjects objects;  // the CWnd objects naming the window (changed by Binding only)
  std::unique_ptr<ClassProc> proc;
  std::unique_ptr<WindowPeer> peer;
  HFONT font = nullptr;
  CRect invalid;             // update region (bounding rectangle), client coordinates
  bool eraseNeeded = false;  // WM_ERASEBKGND due before the next WM_PAINT
  bool painted = false;      // the surface holds a complete picture
  bool drawnOn = false;      // someone drew on the surface (paint or GetDC)
  bool destroying = false;
  COLORREF textColor = CLR_INVALID;  // colours a styled control asks for; CLR_INVALID: the
  COLORREF backColor = CLR_INVALID;  // default (the back colour: transparent)
  bool themed = true;                // false: the classic, unthemed look
  std::vector<std::unique_ptr<CDC>> openDCs;  // GetDC's contexts until ReleaseDC

  ~Window();

private:
  Window() = default;
  RECT NonClient() const;
  std::unique_ptr<gdi::Surface> surface_;
};

// The message being dispatched now (Send), innermost first: for CWnd::Default.
const MSG* CurrentMessage();

// Makes BeginPaint/GetDC of the graphics layer draw on windows' surfaces.
void InstallWindowCanvases();

// Runs fn for a message coming from the user or the event loop: a framework exception that
// escapes a handler is reported in a message box, as the framework's message pump does.
void RunGuarded(const wchar_t* where, void (*fn)(void*), void* context);
template <typename F>
void Guarded(const wchar_t* where, F&& f) {
  RunGuarded(where, [](void* c) { (*static_cast<F*>(c))(); }, &f);
}

}  // namespace orv::ui
