#include "platform/ui/detail/Classes.h"

#include "platform/ui/CommonControls.h"
#include "platform/ui/Controls.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/detail/DialogWindow.h"
#include "platform/ui/detail/Edit.h"
#include "platform/ui/detail/List.h"
#include "platform/ui/detail/ScrollBar.h"
#include "platform/ui/detail/StaticButton.h"
#include "platform/ui/detail/Tree.h"
#include "platform/ui/detail/UpDown.h"

namespace orv::ui {
namespace {
bool Is(const CString& name, const wchar_t* className) { return name.CompareNoCase(className) == 0; }
}  // namespace

std::unique_ptr<ClassProc> MakeClassProc(const CString& name) {
  if (Is(name, WC_STATIC)) return std::make_unique<StaticProc>();
  if (Is(name, WC_BUTTON)) return std::make_unique<ButtonProc>();
  if (Is(name, WC_EDIT)) return std::make_unique<EditProc>();
  if (Is(name, WC_SCROLLBAR)) return std::make_unique<ScrollBarProc>();
  if (Is(name, WC_TREEVIEW)) return std::make_unique<TreeProc>();
  if (Is(name, UPDOWN_CLASS)) return std::make_unique<UpDownProc>();
  if (Is(name, WC_LISTBOX)) return std::make_unique<ListProc>(false);
  if (Is(name, WC_COMBOBOX)) return std::make_unique<ListProc>(true);
  return nullptr;
}

namespace {
std::unique_ptr<CWnd> NewObjectFor(const CString& name) {
  if (Is(name, WC_STATIC)) return std::make_unique<CStatic>();
  if (Is(name, WC_BUTTON)) return std::make_unique<CButton>();
  if (Is(name, WC_EDIT)) return std::make_unique<CEdit>();
  if (Is(name, WC_SCROLLBAR)) return std::make_unique<CScrollBar>();
  if (Is(name, WC_TREEVIEW)) return std::make_unique<CTreeCtrl>();
  if (Is(name, UPDOWN_CLASS)) return std::make_unique<CSpinButtonCtrl>();
  if (Is(name, WC_LISTBOX)) return std::make_unique<CListBox>();
  if (Is(name, WC_COMBOBOX)) return std::make_unique<CComboBox>();
  return std::make_unique<CWnd>();
}
}  // namespace

std::unique_ptr<CWnd> MakeHandleObject(const Window& w) {
  std::unique_ptr<CWnd> object = NewObjectFor(w.className);
  object->m_hWnd = const_cast<Window*>(&w);
  object->m_bOwnedByWindow = true;
  return object;
}

}  // namespace orv::ui

CScrollBar* orv::ui::ScrollBarFromHandle(HWND hwnd) {
  Window* w = Window::FromHandle(hwnd);
  if (w == nullptr) return nullptr;
  if (auto* bar = dynamic_cast<CScrollBar*>(CWnd::FromHandle(hwnd))) return bar;
  // Other controls scroll too (an up-down control): their scroll view names them.
  if (!w->scrollView) {
    auto view = std::make_unique<CScrollBar>();
    view->m_hWnd = hwnd;
    view->m_bOwnedByWindow = true;
    w->scrollView = std::move(view);
  }
  return static_cast<CScrollBar*>(w->scrollView.get());
}
