#pragma once
// The window classes the layer knows, by the names dialog templates use for them.
#include <memory>

#include "platform/ui/detail/Window.h"

namespace orv::ui {

// The behaviour of a window of that class (names compare ignoring case); null when unknown.
std::unique_ptr<ClassProc> MakeClassProc(const CString& className);
// The object that FromHandle hands out for a window no object is attached to: a CEdit for
// an edit, a CTreeCtrl for a tree view, and so on.
std::unique_ptr<CWnd> MakeHandleObject(const Window& w);

// The message being dispatched now, innermost first (for CWnd::Default).
const MSG* CurrentMessage();

}  // namespace orv::ui
