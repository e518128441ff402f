#pragma once
// The scroll-bar control ("SCROLLBAR").
#include "platform/ui/detail/Window.h"

namespace orv::ui {

class ScrollBarPeer : public WindowPeer {
public:
  virtual void Refresh() = 0;
};

class ScrollBarProc : public ClassProc {
public:
  void Create(Window& w) override;
  LRESULT WndProc(Window& w, UINT message, WPARAM wParam, LPARAM lParam) override;

  bool Vertical(const Window& w) const { return (w.style & SBS_VERT) != 0; }
  // The largest position the thumb can reach: max - (page - 1) with a page.
  int MaxPosition() const;
  bool Scrollable() const { return minPos < MaxPosition(); }
  // Whether the bar takes user input: window enabled and arrows not disabled. A bar with
  // nothing to scroll still reports its arrows unless SIF_DISABLENOSCROLL disabled them.
  bool Interactive(const Window& w) const;

  // User actions, reported to the parent as WM_HSCROLL / WM_VSCROLL. The bar itself never
  // moves: the parent sets the new position, as the platform's scroll bar controls work.
  void UserScroll(Window& w, UINT code);
  void UserTrack(Window& w, int position);
  void UserEndTrack(Window& w);

  int minPos = 0;
  int maxPos = 100;
  UINT page = 0;
  int pos = 0;
  int trackPos = 0;
  bool tracking = false;
  UINT arrows = ESB_ENABLE_BOTH;

private:
  int SetInfo(Window& w, const SCROLLINFO& info);
  void Notify(Window& w, UINT code, int position);
  ScrollBarPeer* peer_ = nullptr;
};

}  // namespace orv::ui
