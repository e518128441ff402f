#pragma once
// The window classes the layer knows, by the names dialog templates use for them.
#include <memory>

#include "platform/ui/detail/Window.h"

namespace orv::ui {

// The behaviour of a window of that class (names compare ignoring case); null when unknown.
std::unique_ptr<ClassProc> MakeClassProc(const CString& className);
// An unbound object of the class's framework type: a CEdit for an edit, a CTreeCtrl for a
// tree view, a plain CWnd for other classes.
std::unique_ptr<CWnd> MakeClassObject(const CString& className);

}  // namespace orv::ui
