#pragma once
// CWaitCursor: the busy cursor for the object's lifetime (nested ones count).
#include "platform/base/Export.h"

class ORV_API CWaitCursor {
public:
  CWaitCursor();
  ~CWaitCursor();
  CWaitCursor(const CWaitCursor&) = delete;
  CWaitCursor& operator=(const CWaitCursor&) = delete;
  // Shows the busy cursor again after something (a message box) changed it.
  void Restore();
};

namespace orv::ui {
// Whether a wait cursor is being shown now.
ORV_API bool IsWaitCursorShown();
}  // namespace orv::ui
