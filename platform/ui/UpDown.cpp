#include "platform/ui/detail/UpDown.h"

#include <algorithm>
#include <cwctype>

#include "platform/ui/detail/Edit.h"
#include "platform/ui/detail/Peers.h"

namespace orv::ui {

// ---------------------------------------------------------------------------- up-down

void UpDownProc::Create(Window& w) {
  // The platform's initial range runs from 100 down to 0: the up arrow counts down.
  lower = 100;
  upper = 0;
  auto peer = CreateUpDownPeer(w, *this);
  peer_ = peer.get();
  w.peer = std::move(peer);
  if ((w.style & UDS_AUTOBUDDY) != 0) SetBuddy(w, w.PreviousSibling());
}

void UpDownProc::Destroyed(Window&) {
  if (Window::IsLive(buddy))
    if (auto* edit = buddy->ProcAs<EditProc>()) edit->upDown = nullptr;
  buddy = nullptr;
}

void UpDownProc::SetBuddy(Window& w, Window* newBuddy) {
  if (Window::IsLive(buddy))
    if (auto* edit = buddy->ProcAs<EditProc>(); edit != nullptr && edit->upDown == &w) edit->upDown = nullptr;
  buddy = Window::IsLive(newBuddy) ? newBuddy : nullptr;
  if (buddy == nullptr) return;
  if (auto* edit = buddy->ProcAs<EditProc>()) edit->upDown = &w;
  // Aligned to a side, the control takes the buddy's height and that strip of its width.
  if ((w.style & (UDS_ALIGNRIGHT | UDS_ALIGNLEFT)) != 0 && w.parent == buddy->parent) {
    CRect b = buddy->rect;
    int width = w.rect.Width();
    if ((w.style & UDS_ALIGNRIGHT) != 0) {
      w.SetRect(CRect(b.right - width, b.top, b.right, b.bottom), true);
      buddy->SetRect(CRect(b.left, b.top, b.right - width, b.bottom), true);
    } else {
      w.SetRect(CRect(b.left, b.top, b.left + width, b.bottom), true);
      buddy->SetRect(CRect(b.left + width, b.top, b.right, b.bottom), true);
    }
  }
}

int UpDownProc::Clamp(int value) const {
  int lo = std::min(lower, upper), hi = std::max(lower, upper);
  return std::clamp(value, lo, hi);
}

CString UpDownProc::FormatPosition(const Window& w, int value) const {
  CString text;
  if (base == 16) {
    text.Format(L"0x%04X", static_cast<unsigned>(value));
    return text;
  }
  text.Format(L"%d", value < 0 ? -value : value);
  if ((w.style & UDS_NOTHOUSANDS) == 0) {
    for (int i = text.GetLength() - 3; i > 0; i -= 3) text.Insert(i, L',');
  }
  if (value < 0) text.Insert(0, L'-');
  return text;
}

bool UpDownProc::ReadBuddy(const Window& w, int* value) const {
  (void)w;
  if (!Window::IsLive(buddy)) return false;
  CString text = buddy->text;
  text.Remove(L',');
  text.Trim();
  if (text.IsEmpty()) return false;
  const wchar_t* p = text.GetString();
  wchar_t* end = nullptr;
  long long v = base == 16 ? std::wcstoll(p, &end, 16) : std::wcstoll(p, &end, 10);
  if (end == p || *end != L'\0') return false;
  *value = static_cast<int>(std::clamp<long long>(v, INT32_MIN, INT32_MAX));
  return true;
}

void UpDownProc::ShowInBuddy(Window& w) {
  if ((w.style & UDS_SETBUDDYINT) == 0 || !Window::IsLive(buddy)) return;
  CString text = FormatPosition(w, pos);
  buddy->Send(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.GetString()));
}

bool UpDownProc::CanStep(int direction) const {
  if (lower == upper) return false;
  int toward = upper > lower ? direction : -direction;
  int next = pos + toward;
  return next == Clamp(next);
}

void UpDownProc::UserStep(Window& w, int direction) {
  if (!w.IsEnabled() || direction == 0 || lower == upper) return;
  if ((w.style & UDS_SETBUDDYINT) != 0) {
    int fromBuddy = 0;
    if (ReadBuddy(w, &fromBuddy)) pos = Clamp(fromBuddy);
  }
  int delta = upper > lower ? direction : -direction;
  int next = pos + delta;
  if (next != Clamp(next)) {
    if ((w.style & UDS_WRAP) == 0) return;
    next = next > std::max(lower, upper) ? std::min(lower, upper) : std::max(lower, upper);
    delta = next - pos;
  }
  NMUPDOWN nm{};
  nm.hdr.code = UDN_DELTAPOS;
  nm.iPos = pos;
  nm.iDelta = delta;
  if (w.NotifyParent(&nm.hdr) != 0 || !Window::IsLive(&w)) return;  // the owner refused
  pos = Clamp(nm.iPos + nm.iDelta);
  if (peer_ != nullptr) peer_->Refresh();
  ShowInBuddy(w);
  if (!Window::IsLive(&w) || w.parent == nullptr) return;
  UINT message = (w.style & UDS_HORZ) != 0 ? WM_HSCROLL : WM_VSCROLL;
  w.parent->Send(message, MakeScrollWParam(SB_THUMBPOSITION, pos), reinterpret_cast<LPARAM>(&w));
  if (Window::IsLive(&w) && w.parent != nullptr)
    w.parent->Send(message, MakeScrollWParam(SB_ENDSCROLL, pos), reinterpret_cast<LPARAM>(&w));
}

LRESULT UpDownProc::WndProc(Window& w, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case UDM_SETRANGE:
      upper = static_cast<short>(LOWORD(static_cast<WPARAM>(lParam)));
      lower = static_cast<short>(HIWORD(static_cast<WPARAM>(lParam)));
      if (peer_ != nullptr) peer_->Refresh();
      return 0;
    case UDM_GETRANGE:
      return static_cast<LRESULT>(MAKELONG(static_cast<WORD>(upper), static_cast<WORD>(lower)));
    case UDM_SETRANGE32:
      lower = static_cast<int>(static_cast<std::intptr_t>(wParam));
      upper = static_cast<int>(lParam);
      if (peer_ != nullptr) peer_->Refresh();
      return 0;
    case UDM_GETRANGE32:
      if (wParam != 0) *reinterpret_cast<int*>(wParam) = lower;
      if (lParam != 0) *reinterpret_cast<int*>(lParam) = upper;
      return 0;
    case UDM_SETPOS:
    case UDM_SETPOS32: {
      int old = pos;
      int wanted = message == UDM_SETPOS ? static_cast<short>(LOWORD(static_cast<WPARAM>(lParam)))
                                         : static_cast<int>(lParam);
      pos = Clamp(wanted);
      if (peer_ != nullptr) peer_->Refresh();
      ShowInBuddy(w);
      return old;
    }
    case UDM_GETPOS:
    case UDM_GETPOS32: {
      bool error = false;
      if ((w.style & UDS_SETBUDDYINT) != 0 && Window::IsLive(buddy)) {
        int fromBuddy = 0;
        if (ReadBuddy(w, &fromBuddy) && fromBuddy == Clamp(fromBuddy)) pos = fromBuddy;
        else error = true;
      }
      if (message == UDM_GETPOS32) {
        if (lParam != 0) *reinterpret_cast<BOOL*>(lParam) = error ? TRUE : FALSE;
        return pos;
      }
      return static_cast<LRESULT>(MAKELONG(static_cast<WORD>(pos), static_cast<WORD>(error ? 1 : 0)));
    }
    case UDM_SETBUDDY: {
      Window* old = buddy;
      SetBuddy(w, Window::FromHandle(reinterpret_cast<HWND>(wParam)));
      return reinterpret_cast<LRESULT>(old);
    }
    case UDM_GETBUDDY:
      return reinterpret_cast<LRESULT>(Window::IsLive(buddy) ? buddy : nullptr);
    case UDM_SETBASE: {
      int old = base;
      if (wParam != 10 && wParam != 16) return 0;
      base = static_cast<int>(wParam);
      ShowInBuddy(w);
      return old;
    }
    case UDM_GETBASE:
      return base;
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

}  // namespace orv::ui
