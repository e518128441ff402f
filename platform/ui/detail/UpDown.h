#pragma once
// The up-down control ("msctls_updown32"): two arrows that step a position, usually
// shown in a buddy edit.
#include "platform/ui/CommCtrl.h"
#include "platform/ui/detail/Window.h"

namespace orv::ui {

class UpDownPeer : public WindowPeer {
public:
  virtual void Refresh() = 0;
};

class UpDownProc : public ClassProc {
public:
  void Create(Window& w) override;
  LRESULT WndProc(Window& w, UINT message, WPARAM wParam, LPARAM lParam) override;
  void Destroyed(Window& w) override;

  // An arrow pressed (direction +1 up, -1 down): the owner may refuse (UDN_DELTAPOS), the
  // position moves within the range (or wraps), the buddy shows it, the owner hears
  // WM_VSCROLL (WM_HSCROLL for UDS_HORZ) with SB_THUMBPOSITION and then SB_ENDSCROLL.
  void UserStep(Window& w, int direction);
  // The position as the buddy's text says it; false when the text is no number.
  bool ReadBuddy(const Window& w, int* value) const;
  CString FormatPosition(const Window& w, int value) const;
  bool CanStep(int direction) const;

  int lower = 0;
  int upper = 100;
  int pos = 0;
  int base = 10;
  Window* buddy = nullptr;

private:
  void SetBuddy(Window& w, Window* newBuddy);
  void ShowInBuddy(Window& w);
  int Clamp(int value) const;
  UpDownPeer* peer_ = nullptr;
};

}  // namespace orv::ui
