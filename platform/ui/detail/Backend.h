#pragma once
// What the window model asks of the backend (Qt) besides the peers: the application object,
// the event loop, the focus and the cursor.
#include <functional>
#include <memory>

#include "platform/ui/detail/Window.h"

namespace orv::ui {

// Creates the application object on first use when the host has none, and installs the
// layer's real message boxes as the default sink when there is a screen to show them on.
// False when windows cannot be made: the host's application object is not a widget one.
bool EnsureApplication();
// True when windows appear on a real display (not Qt's offscreen or minimal platforms).
bool HasScreen();

// Runs fn from the event loop, after the current event has been handled.
void PostToEventLoop(std::function<void()> fn);
// Handles every event that is ready now (timers, posted messages, deferred deletes, paints).
void ProcessPendingEvents();
// Runs the event loop until `ended` becomes true; a loop per modal dialog, nested as the
// dialogs are. WakeModalLoops lets the loops check their flags again.
void RunModalLoop(Window& dialog, const bool& ended);
void WakeModalLoops();

// The window that has the keyboard focus (a control, or a dialog without focusable
// controls); null when none of ours has it.
Window* FocusedWindow();

// The primary screen's size in pixels, and the width of a vertical scroll bar (0 without an
// application object that can show windows).
CSize ScreenSize();
int ScrollBarExtent();

// The busy cursor, counted: each Begin needs its End.
void BeginWaitCursor();
void EndWaitCursor();
int WaitCursorDepth();

// The peer of a window that shows its surface: dialogs (modal ones block the other windows
// while they run). Controls make their own peers.
std::unique_ptr<WindowPeer> CreateCanvasPeer(Window& w, bool modal);

}  // namespace orv::ui
