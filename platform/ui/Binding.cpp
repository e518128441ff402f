// Attaching objects to windows, detaching them, FromHandle and its temporary objects: the
// whole of the link between window records and CWnd objects (see detail/Binding.h).
#include "platform/ui/detail/Binding.h"

#include "platform/ui/Controls.h"
#include "platform/ui/detail/Classes.h"
#include "platform/ui/detail/Window.h"

namespace orv::ui {

WindowObjects::WindowObjects() = default;
WindowObjects::~WindowObjects() = default;

bool Binding::Attach(CWnd& object, Window& w) {
  CWnd*& permanent = w.objects.permanent_;
  if (object.m_hWnd != nullptr || (permanent != nullptr && permanent != &object)) return false;
  permanent = &object;
  object.m_hWnd = &w;
  return true;
}

HWND Binding::Detach(CWnd& object) {
  HWND h = object.m_hWnd;
  Window* w = Window::FromHandle(h);
  if (w != nullptr && w->objects.permanent_ == &object) w->objects.permanent_ = nullptr;
  object.m_hWnd = nullptr;
  return h;
}

CWnd* Binding::HandleObject(Window& w) {
  WindowObjects& o = w.objects;
  if (o.permanent_ != nullptr) return o.permanent_;
  if (!o.temporary_) {
    o.temporary_ = MakeClassObject(w.className);
    o.temporary_->m_hWnd = &w;
  }
  return o.temporary_.get();
}

CScrollBar* Binding::ScrollBarObject(Window& w) {
  if (auto* bar = dynamic_cast<CScrollBar*>(HandleObject(w))) return bar;
  // Other controls scroll too (an up-down control): their scroll view names them.
  WindowObjects& o = w.objects;
  if (!o.scrollView_) {
    o.scrollView_ = std::make_unique<CScrollBar>();
    o.scrollView_->m_hWnd = &w;
  }
  return static_cast<CScrollBar*>(o.scrollView_.get());
}

void Binding::WindowDestroyed(Window& w) {
  WindowObjects& o = w.objects;
  // An object that overrode WindowProc without chaining still lets go of the handle.
  if (o.permanent_ != nullptr) {
    o.permanent_->m_hWnd = nullptr;
    o.permanent_ = nullptr;
  }
  if (o.temporary_) o.temporary_->m_hWnd = nullptr;
  if (o.scrollView_) o.scrollView_->m_hWnd = nullptr;
}

void Binding::ObjectDestroyed(CWnd& object) {
  Window* w = Window::FromHandle(object.m_hWnd);
  if (w != nullptr && w->objects.permanent_ == &object) {
    // A permanent object takes its window with it.
    w->Destroy();
    if (w->objects.permanent_ == &object) w->objects.permanent_ = nullptr;
  }
  object.m_hWnd = nullptr;
}

}  // namespace orv::ui

using orv::ui::Binding;
using orv::ui::Window;

CWnd::~CWnd() { Binding::ObjectDestroyed(*this); }

CWnd* CWnd::FromHandle(HWND hwnd) {
  Window* w = Window::FromHandle(hwnd);
  return w != nullptr ? Binding::HandleObject(*w) : nullptr;
}

CWnd* CWnd::FromHandlePermanent(HWND hwnd) {
  Window* w = Window::FromHandle(hwnd);
  return w != nullptr ? w->objects.Permanent() : nullptr;
}

BOOL CWnd::Attach(HWND hwnd) {
  Window* w = Window::FromHandle(hwnd);
  return w != nullptr && Binding::Attach(*this, *w) ? TRUE : FALSE;
}

HWND CWnd::Detach() { return Binding::Detach(*this); }

BOOL CWnd::SubclassWindow(HWND hwnd) { return Attach(hwnd); }

BOOL CWnd::SubclassDlgItem(UINT id, CWnd* parent) {
  if (parent == nullptr) return FALSE;
  return SubclassWindow(::GetDlgItem(parent->m_hWnd, static_cast<int>(id)));
}

HWND CWnd::UnsubclassWindow() { return Detach(); }

CScrollBar* orv::ui::ScrollBarFromHandle(HWND hwnd) {
  Window* w = Window::FromHandle(hwnd);
  return w != nullptr ? Binding::ScrollBarObject(*w) : nullptr;
}
