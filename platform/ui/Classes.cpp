#include "platform/ui/detail/Classes.h"

#include "platform/ui/CommonControls.h"
#include "platform/ui/Controls.h"
#include "platform/ui/detail/Edit.h"
#include "platform/ui/detail/List.h"
#include "platform/ui/detail/ScrollBar.h"
#include "platform/ui/detail/StaticButton.h"
#include "platform/ui/detail/Tree.h"
#include "platform/ui/detail/UpDown.h"

namespace orv::ui {
namespace {

struct WindowClass {
  const wchar_t* name;
  std::unique_ptr<ClassProc> (*makeProc)();
  std::unique_ptr<CWnd> (*makeObject)();
};

template <typename T>
std::unique_ptr<ClassProc> NewProc() {
  return std::make_unique<T>();
}
template <bool combo>
std::unique_ptr<ClassProc> NewListProc() {
  return std::make_unique<ListProc>(combo);
}
template <typename T>
std::unique_ptr<CWnd> NewObject() {
  return std::make_unique<T>();
}

const WindowClass* Find(const CString& name) {
  static const WindowClass classes[] = {
      {WC_STATIC, NewProc<StaticProc>, NewObject<CStatic>},
      {WC_BUTTON, NewProc<ButtonProc>, NewObject<CButton>},
      {WC_EDIT, NewProc<EditProc>, NewObject<CEdit>},
      {WC_SCROLLBAR, NewProc<ScrollBarProc>, NewObject<CScrollBar>},
      {WC_TREEVIEW, NewProc<TreeProc>, NewObject<CTreeCtrl>},
      {UPDOWN_CLASS, NewProc<UpDownProc>, NewObject<CSpinButtonCtrl>},
      {WC_LISTBOX, NewListProc<false>, NewObject<CListBox>},
      {WC_COMBOBOX, NewListProc<true>, NewObject<CComboBox>},
  };
  for (const WindowClass& c : classes)
    if (name.CompareNoCase(c.name) == 0) return &c;
  return nullptr;
}

}  // namespace

std::unique_ptr<ClassProc> MakeClassProc(const CString& className) {
  const WindowClass* c = Find(className);
  return c != nullptr ? c->makeProc() : nullptr;
}

std::unique_ptr<CWnd> MakeClassObject(const CString& className) {
  const WindowClass* c = Find(className);
  return c != nullptr ? c->makeObject() : std::make_unique<CWnd>();
}

}  // namespace orv::ui
