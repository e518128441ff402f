#include "platform/ui/detail/Window.h"

#include <algorithm>
#include <exception>
#include <unordered_set>

#include "platform/base/Exception.h"
#include "platform/base/MessageBox.h"
#include "platform/gdi/DC.h"
#include "platform/ui/DataExchange.h"
#include "platform/ui/Wnd.h"
#include "platform/ui/detail/Backend.h"
#include "platform/ui/detail/Classes.h"

namespace orv::ui {
namespace {

struct WindowTable {
  std::vector<std::unique_ptr<Window>> windows;
  std::unordered_set<const Window*> live;
  // Destroyed windows wait here until the event loop runs again: a handler that destroyed
  // its own window is still running on it.
  std::vector<std::unique_ptr<Window>> destroyed;
};

// Never destroyed: windows still open when the process ends would otherwise be torn down
// after the backend's own records are gone.
WindowTable& Table() {
  static WindowTable* table = new WindowTable;
  return *table;
}

std::vector<MSG>& MessageStack() {
  static std::vector<MSG> stack;
  return stack;
}

// Keeps the message being dispatched visible to CWnd::Default for the handler's duration.
class CurrentMessageScope {
public:
  CurrentMessageScope(Window* w, UINT message, WPARAM wParam, LPARAM lParam) {
    MessageStack().push_back(MSG{w, message, wParam, lParam, 0, POINT{0, 0}});
  }
  ~CurrentMessageScope() { MessageStack().pop_back(); }
  CurrentMessageScope(const CurrentMessageScope&) = delete;
  CurrentMessageScope& operator=(const CurrentMessageScope&) = delete;
};

void ReportException(const wchar_t* where, const CString& what) {
  CString text = what;
  if (text.IsEmpty()) text = L"An unsupported operation was attempted.";
  if (where != nullptr && *where != L'\0') text = CString(where) + L": " + text;
  ShowMessageBox(text, L"", MB_OK | MB_ICONEXCLAMATION);
}

}  // namespace

const MSG* CurrentMessage() { return MessageStack().empty() ? nullptr : &MessageStack().back(); }

void RunGuarded(const wchar_t* where, void (*fn)(void*), void* context) {
  try {
    fn(context);
  } catch (CUserException* e) {
    // Already reported to the user by whoever threw it.
    e->Delete();
  } catch (CException* e) {
    wchar_t buffer[512];
    CString text = e->GetErrorMessage(buffer, 512) ? CString(buffer) : CString();
    e->Delete();
    ReportException(where, text);
  } catch (const std::exception& e) {
    ReportException(where, CString(e.what()));
  }
}

WindowPeer::~WindowPeer() = default;
void WindowPeer::SetText(const CString&) {}
void WindowPeer::Present(const CRect&) {}
void WindowPeer::ScheduleRepaint(const CRect&) {}
void WindowPeer::SetFont(const CString&, int, int) {}
void WindowPeer::StyleChanged() {}

Window* Window::Create(const WindowCreate& params) {
  std::unique_ptr<ClassProc> proc = MakeClassProc(params.className);
  if (!proc) return nullptr;
  return Create(params, std::move(proc));
}

Window* Window::Create(const WindowCreate& params, std::unique_ptr<ClassProc> proc) {
  if (params.parent != nullptr && !IsLive(params.parent)) return nullptr;
  InstallWindowCanvases();
  std::unique_ptr<Window> owned(new Window());
  Window* w = owned.get();
  w->className = params.className;
  w->text = params.text;
  w->id = params.id;
  w->style = params.style;
  w->exStyle = params.exStyle;
  w->rect = params.rect;
  w->parent = params.parent;
  w->owner = params.parent == nullptr && IsLive(params.owner) ? params.owner : nullptr;
  w->proc = std::move(proc);
  Table().live.insert(w);
  Table().windows.push_back(std::move(owned));
  if (w->parent != nullptr) w->parent->children.push_back(w);
  w->proc->Create(*w);
  w->SyncPeer();
  return w;
}

void Window::SyncPeer() {
  if (!peer) return;
  peer->SetGeometry(rect);
  peer->SetText(text);
  peer->SetEnabled(IsEnabled());
  if (font != nullptr) proc->WndProc(*this, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  if (textColor != CLR_INVALID || backColor != CLR_INVALID || !themed) peer->StyleChanged();
  peer->SetVisible((style & WS_VISIBLE) != 0);
}

bool Window::IsLive(const Window* w) { return w != nullptr && Table().live.count(w) != 0; }

Window::~Window() = default;

LRESULT Window::Send(UINT message, WPARAM wParam, LPARAM lParam) {
  if (!IsLive(this)) return 0;
  CurrentMessageScope scope(this, message, wParam, lParam);
  if (CWnd* target = objects.Permanent()) {
    LRESULT result = 0;
    Guarded(L"", [&] { result = target->WindowProc(message, wParam, lParam); });
    return result;
  }
  return proc->WndProc(*this, message, wParam, lParam);
}

LRESULT Window::DefProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (!IsLive(this)) return 0;
  return proc->WndProc(*this, message, wParam, lParam);
}

LRESULT Window::NotifyParentCommand(UINT code) {
  if (parent == nullptr) return 0;
  return parent->Send(WM_COMMAND, MAKEWPARAM(static_cast<WORD>(id), static_cast<WORD>(code)),
                      reinterpret_cast<LPARAM>(this));
}

LRESULT Window::NotifyParent(NMHDR* header) {
  header->hwndFrom = this;
  header->idFrom = id;
  if (parent == nullptr) return 0;
  return parent->Send(WM_NOTIFY, id, reinterpret_cast<LPARAM>(header));
}

void Window::Destroy() {
  if (!IsLive(this) || destroying) return;
  destroying = true;
  if (peer && (style & WS_VISIBLE) != 0 && IsTopLevel()) peer->SetVisible(false);
  Send(WM_DESTROY);
  std::vector<Window*> kids = children;
  for (Window* child : kids) child->Destroy();
  Send(WM_NCDESTROY);
  Binding::WindowDestroyed(*this);
  proc->Destroyed(*this);
  openDCs.clear();
  peer.reset();
  if (parent != nullptr) {
    auto& siblings = parent->children;
    siblings.erase(std::remove(siblings.begin(), siblings.end(), this), siblings.end());
  }
  Table().live.erase(this);
  WakeModalLoops();
  auto& all = Table().windows;
  auto it = std::find_if(all.begin(), all.end(), [&](const auto& p) { return p.get() == this; });
  if (it != all.end()) {
    Table().destroyed.push_back(std::move(*it));
    all.erase(it);
    PostToEventLoop(&Window::CollectDestroyed);
  }
}

void Window::CollectDestroyed() { Table().destroyed.clear(); }

RECT Window::NonClient() const {
  if (IsTopLevel()) {
    // The platform's frame for the style, whatever the desktop draws: window rectangles then
    // stay the same shown or hidden, and a place stored is the place restored.
    LONG border = (style & WS_THICKFRAME) != 0 ? 4 : (style & WS_DLGFRAME) != 0 ? 3 : (style & WS_BORDER) != 0 ? 1 : 0;
    LONG caption = (style & WS_CAPTION) == WS_CAPTION ? 20 : 0;
    return RECT{border, border + caption, border, border};
  }
  LONG b = 0;
  if ((exStyle & WS_EX_CLIENTEDGE) != 0) b += 2;
  if ((exStyle & WS_EX_STATICEDGE) != 0) b += 1;
  if ((style & WS_BORDER) != 0) b += 1;
  return RECT{b, b, b, b};
}

CRect Window::ClientRect() const {
  if (IsTopLevel()) return CRect(0, 0, std::max(0, rect.Width()), std::max(0, rect.Height()));
  RECT nc = NonClient();
  int width = std::max(0, static_cast<int>(rect.Width() - nc.left - nc.right));
  int height = std::max(0, static_cast<int>(rect.Height() - nc.top - nc.bottom));
  return CRect(0, 0, width, height);
}

CPoint Window::ClientOriginOnScreen() const {
  if (IsTopLevel()) return rect.TopLeft();
  RECT nc = NonClient();
  CPoint p(rect.left + nc.left, rect.top + nc.top);
  if (parent != nullptr) {
    CPoint o = parent->ClientOriginOnScreen();
    p.Offset(o.x, o.y);
  }
  return p;
}

CRect Window::WindowRectOnScreen() const {
  if (IsTopLevel()) return PlacementRect();
  CRect r = rect;
  if (parent != nullptr) {
    CPoint o = parent->ClientOriginOnScreen();
    r.OffsetRect(o.x, o.y);
  }
  return r;
}

CRect Window::PlacementRect() const {
  if (!IsTopLevel()) return rect;
  RECT nc = NonClient();
  return CRect(rect.left - nc.left, rect.top - nc.top, rect.right + nc.right, rect.bottom + nc.bottom);
}

void Window::SetPlacementRect(const CRect& windowRect, bool repaint) {
  if (!IsTopLevel()) {
    SetRect(windowRect, repaint);
    return;
  }
  RECT nc = NonClient();
  CRect client(windowRect.left + nc.left, windowRect.top + nc.top, windowRect.right - nc.right,
               windowRect.bottom - nc.bottom);
  if (client.right < client.left) client.right = client.left;
  if (client.bottom < client.top) client.bottom = client.top;
  SetRect(client, repaint);
}

void Window::SetRect(const CRect& newRect, bool repaint) {
  CSize oldClient = ClientRect().Size();
  bool moved = newRect.left != rect.left || newRect.top != rect.top;
  rect = newRect;
  if (peer) peer->SetGeometry(rect);
  CSize newClient = ClientRect().Size();
  if (moved) Send(WM_MOVE, 0, static_cast<LPARAM>(MAKELONG(static_cast<WORD>(rect.left), static_cast<WORD>(rect.top))));
  if (newClient != oldClient) {
    painted = false;
    Send(WM_SIZE, SIZE_RESTORED,
         static_cast<LPARAM>(MAKELONG(static_cast<WORD>(newClient.cx), static_cast<WORD>(newClient.cy))));
  }
  if (repaint && newClient != oldClient) Invalidate(nullptr, true);
}

Window* Window::TopLevel() {
  Window* w = this;
  while (!w->IsTopLevel() && w->parent != nullptr) w = w->parent;
  return w;
}

Window* Window::Child(UINT childId) const {
  for (Window* c : children)
    if (c->id == childId) return c;
  return nullptr;
}

Window* Window::NextSibling() const {
  if (parent == nullptr) return nullptr;
  const auto& s = parent->children;
  auto it = std::find(s.begin(), s.end(), this);
  return it != s.end() && it + 1 != s.end() ? *(it + 1) : nullptr;
}

Window* Window::PreviousSibling() const {
  if (parent == nullptr) return nullptr;
  const auto& s = parent->children;
  auto it = std::find(s.begin(), s.end(), this);
  return it != s.end() && it != s.begin() ? *(it - 1) : nullptr;
}

void Window::SetText(const CString& newText) {
  text = newText;
  if (peer) peer->SetText(text);
}

bool Window::IsVisible() const {
  for (const Window* w = this; w != nullptr; w = w->IsTopLevel() ? nullptr : w->parent)
    if ((w->style & WS_VISIBLE) == 0) return false;
  return true;
}

void Window::SetStyle(DWORD newStyle) {
  DWORD old = style;
  style = newStyle;
  proc->StyleChanged(*this, old);
  if (!peer) return;
  if (((old ^ style) & WS_DISABLED) != 0) peer->SetEnabled(IsEnabled());
  if (((old ^ style) & WS_VISIBLE) != 0) peer->SetVisible((style & WS_VISIBLE) != 0);
  if (((old ^ style) & ~(WS_DISABLED | WS_VISIBLE)) != 0) peer->StyleChanged();
}

void Window::SetExStyle(DWORD newExStyle) {
  exStyle = newExStyle;
  if (peer) peer->StyleChanged();
}

}  // namespace orv::ui
