#pragma once
// The edit control ("EDIT"): text (one line, or several with ES_MULTILINE, broken by
// "\r\n") with a limit on what the user may type, a selection and caret, and EN_CHANGE
// whenever the text changes, typed or set.
#include "platform/ui/detail/Window.h"

namespace orv::ui {

class EditPeer : public WindowPeer {
public:
  // Selection in characters: anchor and caret (the caret may lie before the anchor).
  virtual void GetSelection(int* anchor, int* caret) const = 0;
  virtual void SetSelection(int anchor, int caret) = 0;
  virtual void EnsureCaretVisible() = 0;
};

class EditProc : public ClassProc {
public:
  // What the user may type before the control refuses more (EM_LIMITTEXT).
  static constexpr UINT kDefaultLimit = 32767;
  static constexpr UINT kNoLimit = 0x7FFFFFFE;

  void Create(Window& w) override;
  LRESULT WndProc(Window& w, UINT message, WPARAM wParam, LPARAM lParam) override;

  // The user typed, pasted or deleted: newText replaces the text unless it grows beyond the
  // limit. Returns whether it was taken.
  bool UserEdited(Window& w, const CString& newText);
  // Whether a typed text of that length is within the limit (a shorter one always is).
  bool Accepts(const Window& w, int newLength) const;
  // Up and down arrows in the buddy of an up-down control step it.
  bool UserArrow(Window& w, int direction);
  // The text as ES_UPPERCASE, ES_LOWERCASE and ES_NUMBER let it be typed.
  CString Filter(const Window& w, const CString& typed) const;

  UINT limit = kDefaultLimit;
  bool modified = false;
  Window* upDown = nullptr;  // the up-down control this edit is the buddy of

private:
  void Changed(Window& w);
  EditPeer* peer_ = nullptr;
};

}  // namespace orv::ui
