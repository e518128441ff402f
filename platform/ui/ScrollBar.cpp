#include "platform/ui/detail/ScrollBar.h"

#include <algorithm>

#include "platform/ui/detail/Peers.h"

namespace orv::ui {

void ScrollBarProc::Create(Window& w) {
  auto peer = CreateScrollBarPeer(w, *this);
  peer_ = peer.get();
  w.peer = std::move(peer);
}

int ScrollBarProc::MaxPosition() const {
  int lastPage = page > 0 ? static_cast<int>(page) - 1 : 0;
  return std::max(minPos, maxPos - lastPage);
}

bool ScrollBarProc::Interactive(const Window& w) const { return w.IsEnabled() && arrows != ESB_DISABLE_BOTH; }

int ScrollBarProc::SetInfo(Window& w, const SCROLLINFO& info) {
  if ((info.fMask & SIF_RANGE) != 0) {
    // A reversed range, or one wider than the platform allows, collapses to nothing.
    long long span = static_cast<long long>(info.nMax) - info.nMin;
    if (span < 0 || span >= 0x80000000LL) {
      minPos = maxPos = 0;
    } else {
      minPos = info.nMin;
      maxPos = info.nMax;
    }
  }
  if ((info.fMask & SIF_PAGE) != 0) page = info.nPage;
  if ((info.fMask & SIF_POS) != 0) pos = info.nPos;
  long long rangeSize = static_cast<long long>(maxPos) - minPos + 1;
  if (static_cast<long long>(page) > rangeSize) page = static_cast<UINT>(rangeSize);
  pos = std::clamp(pos, minPos, MaxPosition());
  if ((info.fMask & (SIF_RANGE | SIF_PAGE | SIF_DISABLENOSCROLL)) != 0) {
    if (!Scrollable()) {
      if ((info.fMask & SIF_DISABLENOSCROLL) != 0) arrows = ESB_DISABLE_BOTH;
    } else if (info.fMask != SIF_PAGE) {
      arrows = ESB_ENABLE_BOTH;
    }
  }
  if (!tracking) trackPos = pos;
  if (peer_ != nullptr) peer_->Refresh();
  (void)w;
  return pos;
}

LRESULT ScrollBarProc::WndProc(Window& w, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case SBM_SETSCROLLINFO: {
      auto* info = reinterpret_cast<const SCROLLINFO*>(lParam);
      return info != nullptr ? SetInfo(w, *info) : pos;
    }
    case SBM_GETSCROLLINFO: {
      auto* info = reinterpret_cast<SCROLLINFO*>(lParam);
      if (info == nullptr || (info->fMask & SIF_ALL) == 0) return FALSE;
      if ((info->fMask & SIF_RANGE) != 0) {
        info->nMin = minPos;
        info->nMax = maxPos;
      }
      if ((info->fMask & SIF_PAGE) != 0) info->nPage = page;
      if ((info->fMask & SIF_POS) != 0) info->nPos = pos;
      if ((info->fMask & SIF_TRACKPOS) != 0) info->nTrackPos = tracking ? trackPos : pos;
      return TRUE;
    }
    case SBM_SETPOS: {
      int old = pos;
      SCROLLINFO info{sizeof(SCROLLINFO), SIF_POS, 0, 0, 0, static_cast<int>(static_cast<std::intptr_t>(wParam)), 0};
      SetInfo(w, info);
      return old;
    }
    case SBM_GETPOS:
      return pos;
    case SBM_SETRANGE:
    case SBM_SETRANGEREDRAW: {
      int old = pos;
      SCROLLINFO info{sizeof(SCROLLINFO), SIF_RANGE, static_cast<int>(static_cast<std::intptr_t>(wParam)),
                      static_cast<int>(lParam), 0, 0, 0};
      SetInfo(w, info);
      return old;
    }
    case SBM_GETRANGE:
      if (wParam != 0) *reinterpret_cast<int*>(wParam) = minPos;
      if (lParam != 0) *reinterpret_cast<int*>(lParam) = maxPos;
      return 0;
    case SBM_ENABLE_ARROWS:
      arrows = static_cast<UINT>(wParam) & ESB_DISABLE_BOTH;
      if (peer_ != nullptr) peer_->Refresh();
      return TRUE;
    case WM_ENABLE: {
      LRESULT r = DefaultProc(w, message, wParam, lParam);
      if (peer_ != nullptr) peer_->Refresh();
      return r;
    }
    case WM_PAINT:
      w.Validate(nullptr);
      return 0;
    default:
      return DefaultProc(w, message, wParam, lParam);
  }
}

void ScrollBarProc::Notify(Window& w, UINT code, int position) {
  if (w.parent == nullptr) return;
  w.parent->Send(Vertical(w) ? WM_VSCROLL : WM_HSCROLL, MakeScrollWParam(code, position),
                 reinterpret_cast<LPARAM>(&w));
}

void ScrollBarProc::UserScroll(Window& w, UINT code) {
  if (!Interactive(w)) return;
  Notify(w, code, 0);
  if (Window::IsLive(&w)) Notify(w, SB_ENDSCROLL, 0);
  if (Window::IsLive(&w) && peer_ != nullptr) peer_->Refresh();
}

void ScrollBarProc::UserTrack(Window& w, int position) {
  if (!Interactive(w)) return;
  tracking = true;
  trackPos = std::clamp(position, minPos, MaxPosition());
  Notify(w, SB_THUMBTRACK, trackPos);
}

void ScrollBarProc::UserEndTrack(Window& w) {
  if (!tracking) return;
  int final = trackPos;
  tracking = false;
  Notify(w, SB_THUMBPOSITION, final);
  if (Window::IsLive(&w)) Notify(w, SB_ENDSCROLL, final);
  if (Window::IsLive(&w)) {
    trackPos = pos;
    if (peer_ != nullptr) peer_->Refresh();
  }
}

}  // namespace orv::ui

namespace {
HWND ScrollControl(HWND hwnd, int bar) { return bar == SB_CTL ? hwnd : nullptr; }
}  // namespace

// Only scroll-bar controls (SB_CTL) exist in this layer; windows carry no scroll bars of
// their own, so SB_HORZ and SB_VERT requests fail.
int SetScrollInfo(HWND hwnd, int bar, LPCSCROLLINFO info, BOOL redraw) {
  HWND control = ScrollControl(hwnd, bar);
  if (control == nullptr || info == nullptr) return 0;
  return static_cast<int>(SendMessageW(control, SBM_SETSCROLLINFO, static_cast<WPARAM>(redraw),
                                       reinterpret_cast<LPARAM>(info)));
}

BOOL GetScrollInfo(HWND hwnd, int bar, LPSCROLLINFO info) {
  HWND control = ScrollControl(hwnd, bar);
  if (control == nullptr || info == nullptr) return FALSE;
  return static_cast<BOOL>(SendMessageW(control, SBM_GETSCROLLINFO, 0, reinterpret_cast<LPARAM>(info)));
}

int SetScrollPos(HWND hwnd, int bar, int pos, BOOL redraw) {
  HWND control = ScrollControl(hwnd, bar);
  if (control == nullptr) return 0;
  return static_cast<int>(SendMessageW(control, SBM_SETPOS, static_cast<WPARAM>(pos), redraw));
}

int GetScrollPos(HWND hwnd, int bar) {
  HWND control = ScrollControl(hwnd, bar);
  return control != nullptr ? static_cast<int>(SendMessageW(control, SBM_GETPOS, 0, 0)) : 0;
}

BOOL SetScrollRange(HWND hwnd, int bar, int minPos, int maxPos, BOOL redraw) {
  HWND control = ScrollControl(hwnd, bar);
  if (control == nullptr) return FALSE;
  SendMessageW(control, redraw ? SBM_SETRANGEREDRAW : SBM_SETRANGE, static_cast<WPARAM>(minPos),
               static_cast<LPARAM>(maxPos));
  return TRUE;
}

BOOL GetScrollRange(HWND hwnd, int bar, int* minPos, int* maxPos) {
  HWND control = ScrollControl(hwnd, bar);
  if (control == nullptr) return FALSE;
  SendMessageW(control, SBM_GETRANGE, reinterpret_cast<WPARAM>(minPos), reinterpret_cast<LPARAM>(maxPos));
  return TRUE;
}

BOOL EnableScrollBar(HWND hwnd, UINT bar, UINT arrows) {
  HWND control = ScrollControl(hwnd, static_cast<int>(bar));
  if (control == nullptr) return FALSE;
  return static_cast<BOOL>(SendMessageW(control, SBM_ENABLE_ARROWS, arrows, 0));
}

