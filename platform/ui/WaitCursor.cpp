#include "platform/ui/WaitCursor.h"

#include "platform/ui/detail/Backend.h"

CWaitCursor::CWaitCursor() { orv::ui::BeginWaitCursor(); }

CWaitCursor::~CWaitCursor() { orv::ui::EndWaitCursor(); }

void CWaitCursor::Restore() {
  orv::ui::EndWaitCursor();
  orv::ui::BeginWaitCursor();
}

bool orv::ui::IsWaitCursorShown() { return WaitCursorDepth() > 0; }
