#pragma once
// Dialog templates built in the tests, and their registration in the resource chain for the
// length of a test.
#include <initializer_list>

#include "platform/base/Resources.h"
#include "platform/base/WinStyles.h"
#include "platform/ui/TemplateBuilder.h"

namespace orv::ui::testing {

// A control (WS_VISIBLE added) and a modal frame in the library's face, at (10, 10).
inline DialogItemTemplate Control(UINT id, const wchar_t* className, const wchar_t* text, int x, int y, int cx,
                                  int cy, DWORD style, DWORD exStyle = 0) {
  return ui::DialogItem(id, className, text, x, y, cx, cy, style, exStyle);
}

inline DialogTemplate Dialog(const wchar_t* caption, int cx, int cy, std::initializer_list<DialogItemTemplate> items) {
  DialogTemplate t = ui::DialogFrame(caption, cx, cy, DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU);
  t.x = 10;
  t.y = 10;
  t.items = items;
  return t;
}

// Registers templates under ids for the object's lifetime.
class ScopedResources {
public:
  ScopedResources() : module_(RegisterResourceModule("ui-tests", &table_)) {}
  ~ScopedResources() { UnregisterResourceModule(module_); }
  ScopedResources(const ScopedResources&) = delete;
  ScopedResources& operator=(const ScopedResources&) = delete;
  void Add(UINT id, DialogTemplate t) { table_.dialogs[id] = std::move(t); }
  void AddString(UINT id, const wchar_t* text) { table_.strings[id] = text; }

private:
  ResourceTable table_;
  HINSTANCE module_;
};

}  // namespace orv::ui::testing
