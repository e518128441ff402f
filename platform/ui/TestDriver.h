#pragma once
// Driving dialogs without a display (Qt's offscreen platform) through the same paths a
// user's actions take: key presses reach PreTranslateMessage and then the control, clicks
// press and release the button widget, tree and list choices come from the widgets' own
// signals, scroll requests from the scroll bar's actions.
//
//   orv::ui::test::ModalScripts scripts;        // while it lives, modal loops run scripts
//   scripts.Add([](orv::ui::test::DialogDriver& d) {
//     d.ReplaceText(IDC_SIZE, L"12");
//     d.Click(IDOK);
//   });
//   EXPECT_EQ(dialog.DoModal(), IDOK);
//
// A modal dialog that starts without a script waiting, or that its script leaves open, is
// cancelled and listed in Problems(), so a test never hangs on a dialog nobody answers.
#include <functional>
#include <string>
#include <vector>

#include "platform/base/MessageBox.h"
#include "platform/gdi/Surface.h"
#include "platform/ui/CommCtrl.h"

namespace orv::ui::test {

class ORV_API DialogDriver {
public:
  explicit DialogDriver(HWND dialog);

  HWND Dialog() const { return dialog_; }
  HWND Item(int id) const;
  // The dialog exists and has not been ended (EndDialog).
  bool IsOpen() const;
  CString Text(int id) const;
  bool IsEnabled(int id) const;
  bool IsVisible(int id) const;
  // The control id of the focused control (0 when none of this dialog's has the focus).
  int FocusedId() const;

  // --- user actions; each returns false (and does nothing) for a missing, hidden or
  // disabled control, which a user could not reach either
  bool Click(int id);
  // Gives the control the focus and presses a key for each character, at the end of the text.
  bool Type(int id, const wchar_t* text);
  // Selects the whole text (Ctrl+A) and types over it; an empty text deletes it.
  bool ReplaceText(int id, const wchar_t* text);
  // A key press on a control, or on the focused control with id 0 (VK_RETURN, VK_ESCAPE,
  // VK_F1, VK_UP, VK_DOWN, ...).
  bool PressKey(UINT virtualKey, int id = 0);
  bool SelectTreeItem(int id, HTREEITEM item);
  bool DoubleClickTreeItem(int id, HTREEITEM item);
  bool ExpandTreeItem(int id, HTREEITEM item, bool expand);
  // A scroll request as the bar's arrows, page areas and ends make it (SB_LINEUP ... SB_BOTTOM).
  bool Scroll(int id, UINT code);
  // Drags the thumb to a position and lets it go (SB_THUMBTRACK, SB_THUMBPOSITION, SB_ENDSCROLL).
  bool DragThumb(int id, int position);
  // Presses an up-down control's up (+1) or down (-1) arrow.
  bool StepUpDown(int id, int direction);
  bool SelectListItem(int id, int index, bool doubleClick = false);
  // The title bar's close button.
  bool Close();

  // Paints the client area now and returns its pixels: what the dialog's own painting drew
  // (the controls that Qt draws are not part of it).
  gdi::Surface PaintClient();
  // The window as shown, controls included, as a PNG file; false when it cannot be written.
  bool SaveScreenshot(const std::string& path) const;

private:
  HWND dialog_;
};

class ORV_API ModalScripts {
public:
  using Script = std::function<void(DialogDriver&)>;
  ModalScripts();
  ~ModalScripts();
  ModalScripts(const ModalScripts&) = delete;
  ModalScripts& operator=(const ModalScripts&) = delete;

  // Scripts run in the order added, one per modal dialog, nested dialogs included.
  void Add(Script script);
  int Pending() const { return static_cast<int>(scripts_.size()); }
  // Dialogs that came without a script or were left open by theirs.
  const std::vector<CString>& Problems() const { return problems_; }

private:
  void Run(HWND dialog);
  std::vector<Script> scripts_;
  std::vector<CString> problems_;
  std::function<void(HWND)> previous_;
};

// Records every message box and answers it: with the queued answers in order, then with
// the box's first button. Restores the previous sink when it goes.
class ORV_API MessageBoxRecorder {
public:
  MessageBoxRecorder();
  ~MessageBoxRecorder();
  MessageBoxRecorder(const MessageBoxRecorder&) = delete;
  MessageBoxRecorder& operator=(const MessageBoxRecorder&) = delete;

  void Answer(int answer) { answers_.push_back(answer); }
  const std::vector<MessageBoxRequest>& Boxes() const { return boxes_; }
  int Count() const { return static_cast<int>(boxes_.size()); }
  CString LastText() const { return boxes_.empty() ? CString() : boxes_.back().text; }
  void Clear() { boxes_.clear(); }

private:
  std::vector<MessageBoxRequest> boxes_;
  std::vector<int> answers_;
  MessageBoxSink previous_;
};

// Handles what the event loop has ready now: paints, posted messages, deferred deletes.
ORV_API void ProcessEvents();

}  // namespace orv::ui::test
