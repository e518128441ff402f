#include "platform/ui/detail/StaticButton.h"

#include "platform/gdi/DC.h"
#include "platform/gdi/GdiObject.h"
#include "platform/ui/OwnerDraw.h"
#include "platform/ui/Wnd.h"
#include "platform/ui/detail/Peers.h"

namespace orv::ui {
namespace {

void DrawOwnerItem(Window& w, UINT controlType, UINT state) {
  CRect client = w.ClientRect();
  gdi::Surface& surface = w.ClientSurface();
  CDC dc;
  dc.AttachSurface(&surface, POINT{0, 0}, client);
  if (CFont* font = CFont::FromHandle(w.font)) dc.SelectObject(font);
  if (!w.IsEnabled()) state |= ODS_DISABLED;
  // The plain face stays when nobody draws the item.
  if (controlType == ODT_BUTTON) DrawPlainButton(dc, client, w.text, state);
  DRAWITEMSTRUCT item{controlType, w.id, 0, ODA_DRAWENTIRE, state, &w, &dc, client, 0};
  if (w.parent != nullptr) w.parent->Send(WM_DRAWITEM, w.id, reinterpret_cast<LPARAM>(&item));
  w.drawnOn = true;
  w.painted = true;
}

}  // namespace

CString TextWithoutMnemonics(const CString& text) {
  CString shown;
  for (int i = 0; i < text.GetLength(); ++i) {
    if (text[i] == L'&') {
      if (i + 1 < text.GetLength()) shown.AppendChar(text[++i]);
      continue;
    }
    shown.AppendChar(text[i]);
  }
  return shown;
}

void DrawFocusDots(CDC& dc, const CRect& rect, COLORREF color) {
  for (int x = rect.left; x < rect.right; x += 2) {
    dc.SetPixel(x, rect.top, color);
    dc.SetPixel(x, rect.bottom - 1, color);
  }
  for (int y = rect.top; y < rect.bottom; y += 2) {
    dc.SetPixel(rect.left, y, color);
    dc.SetPixel(rect.right - 1, y, color);
  }
}

void DrawPlainButton(CDC& dc, const CRect& rect, const CString& text, UINT state) {
  if (rect.IsRectEmpty()) return;
  COLORREF keepBk = dc.GetBkColor();
  dc.FillSolidRect(&rect, GetSysColor(COLOR_BTNFACE));
  CRect r = rect;
  if ((state & ODS_SELECTED) != 0) {
    dc.Draw3dRect(&r, GetSysColor(COLOR_3DDKSHADOW), GetSysColor(COLOR_3DHILIGHT));
    r.DeflateRect(1, 1);
    dc.Draw3dRect(&r, GetSysColor(COLOR_3DSHADOW), GetSysColor(COLOR_3DLIGHT));
  } else {
    dc.Draw3dRect(&r, GetSysColor(COLOR_3DHILIGHT), GetSysColor(COLOR_3DDKSHADOW));
    r.DeflateRect(1, 1);
    dc.Draw3dRect(&r, GetSysColor(COLOR_3DLIGHT), GetSysColor(COLOR_3DSHADOW));
  }
  CRect textRect = rect;
  if ((state & ODS_SELECTED) != 0) textRect.OffsetRect(1, 1);
  int keepMode = dc.SetBkMode(TRANSPARENT);
  COLORREF keepText =
      dc.SetTextColor(GetSysColor((state & ODS_DISABLED) != 0 ? COLOR_GRAYTEXT : COLOR_BTNTEXT));
  dc.DrawText(TextWithoutMnemonics(text), &textRect, DT_SINGLELINE | DT_CENTER | DT_VCENTER | DT_NOPREFIX);
  dc.SetTextColor(keepText);
  dc.SetBkMode(keepMode);
  if ((state & ODS_FOCUS) != 0) {
    CRect f = rect;
    f.DeflateRect(3, 3);
    DrawFocusDots(dc, f, GetSysColor(COLOR_BTNTEXT));
  }
  dc.SetBkColor(keepBk);
}

// ---------------------------------------------------------------------------- STATIC

void StaticProc::Create(Window& w) {
  auto peer = CreateStaticPeer(w, *this);
  peer_ = peer.get();
  w.peer = std::move(peer);
}

bool StaticProc::IsText(const Window& w) const {
  DWORD type = Type(w);
  return type == SS_LEFT || type == SS_CENTER || type == SS_RIGHT || type == SS_SIMPLE || type == SS_LEFTNOWORDWRAP;
}

LRESULT StaticProc::WndProc(Window& w, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT:
      if (Type(w) == SS_OWNERDRAW) DrawOwner(w);
      w.Validate(nullptr);
      return 0;
    case WM_ERASEBKGND:
      return 1;  // statics draw over whatever lies beneath them
    case STM_SETIMAGE: {
      if (wParam != IMAGE_BITMAP) return 0;
      HBITMAP old = image;
      image = reinterpret_cast<HBITMAP>(lParam);
      if (peer_ != nullptr) peer_->Refresh();
      return reinterpret_cast<LRESULT>(old);
    }
    case STM_GETIMAGE:
      return wParam == IMAGE_BITMAP ? reinterpret_cast<LRESULT>(image) : 0;
    case WM_SETTEXT:
    case WM_ENABLE:
    case WM_SETFONT: {
      LRESULT r = DefaultProc(w, message, wParam, lParam);
      if (peer_ != nullptr) peer_->Refresh();
      return r;
    }
    default:
      return DefaultProc(w, message, wParam, lParam);
  }
}

void StaticProc::DialogComplete(Window& w) {
  if (!IsText(w) || (w.style & SS_NOPREFIX) != 0 || w.text.Find(L'&') < 0) return;
  for (Window* c = w.NextSibling(); c != nullptr; c = c->NextSibling())
    if ((c->style & WS_TABSTOP) != 0) {
      mnemonicTarget = c;
      return;
    }
}

void StaticProc::DrawOwner(Window& w) { DrawOwnerItem(w, ODT_STATIC, 0); }

void StaticProc::UserClicked(Window& w, bool doubleClick) {
  if ((w.style & SS_NOTIFY) != 0 && w.IsEnabled()) w.NotifyParentCommand(doubleClick ? STN_DBLCLK : STN_CLICKED);
}

// ---------------------------------------------------------------------------- BUTTON

void ButtonProc::Create(Window& w) {
  auto peer = CreateButtonPeer(w, *this);
  peer_ = peer.get();
  w.peer = std::move(peer);
}

void ButtonProc::StyleChanged(Window& w, DWORD oldStyle) {
  // Each kind of button has its own view: a new kind needs a new one.
  auto kind = [](DWORD type) {
    switch (type) {
      case BS_OWNERDRAW: return 1;
      case BS_GROUPBOX: return 2;
      case BS_CHECKBOX:
      case BS_AUTOCHECKBOX:
      case BS_3STATE:
      case BS_AUTO3STATE: return 3;
      case BS_RADIOBUTTON:
      case BS_AUTORADIOBUTTON: return 4;
      default: return 0;
    }
  };
  if (kind(oldStyle & BS_TYPEMASK) == kind(Type(w))) return;
  peer_ = nullptr;
  w.peer.reset();
  Create(w);
  w.SyncPeer();
  if (IsCheckable(w) && peer_ != nullptr) peer_->SetCheck(check);
}

bool ButtonProc::IsCheckable(const Window& w) const {
  switch (Type(w)) {
    case BS_CHECKBOX:
    case BS_AUTOCHECKBOX:
    case BS_RADIOBUTTON:
    case BS_AUTORADIOBUTTON:
    case BS_3STATE:
    case BS_AUTO3STATE:
      return true;
    default:
      return false;
  }
}

LRESULT ButtonProc::WndProc(Window& w, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case BM_GETCHECK:
      return IsCheckable(w) ? check : BST_UNCHECKED;
    case BM_SETCHECK:
      if (IsCheckable(w)) {
        int wanted = static_cast<int>(wParam);
        bool threeState = Type(w) == BS_3STATE || Type(w) == BS_AUTO3STATE;
        check = wanted == BST_CHECKED || (wanted == BST_INDETERMINATE && threeState) ? wanted : BST_UNCHECKED;
        if (peer_ != nullptr) peer_->SetCheck(check);
      }
      return 0;
    case BM_GETSTATE:
      return check | (pushed ? BST_PUSHED : 0) | (peer_ != nullptr && peer_->HasFocus() ? BST_FOCUS : 0);
    case BM_SETSTATE:
      pushed = wParam != 0;
      if (peer_ != nullptr) peer_->SetPushed(pushed);
      return 0;
    case BM_SETSTYLE:
      w.SetStyle((w.style & 0xFFFF0000u) | (static_cast<DWORD>(wParam) & 0xFFFFu));
      if (peer_ != nullptr) peer_->Refresh();
      return 0;
    case BM_CLICK:
      if (!w.IsEnabled() || !w.IsVisible()) return 0;
      UserPressed(w, true);
      UserPressed(w, false);
      UserClicked(w);
      return 0;
    case WM_PAINT:
      if (Type(w) == BS_OWNERDRAW) DrawOwner(w);
      w.Validate(nullptr);
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_SETTEXT:
    case WM_ENABLE: {
      LRESULT r = DefaultProc(w, message, wParam, lParam);
      if (peer_ != nullptr) peer_->Refresh();
      return r;
    }
    default:
      return DefaultProc(w, message, wParam, lParam);
  }
}

void ButtonProc::UserPressed(Window& w, bool isPressed) {
  if (pushed == isPressed) return;
  pushed = isPressed;
  if (peer_ != nullptr) peer_->SetPushed(pushed);
  if (Type(w) == BS_OWNERDRAW) w.Invalidate(nullptr, false);
}

void ButtonProc::UserClicked(Window& w) {
  switch (Type(w)) {
    case BS_AUTOCHECKBOX: check = check == BST_CHECKED ? BST_UNCHECKED : BST_CHECKED; break;
    case BS_AUTO3STATE: check = (check + 1) % 3; break;
    case BS_AUTORADIOBUTTON: CheckRadioInGroup(w); break;
    default: break;
  }
  // The control shows the model's state: a plain check box waits for its owner to check it.
  if (IsCheckable(w) && peer_ != nullptr) peer_->SetCheck(check);
  w.NotifyParentCommand(BN_CLICKED);
}

void ButtonProc::CheckRadioInGroup(Window& w) {
  check = BST_CHECKED;
  if (w.parent == nullptr) return;
  const auto& siblings = w.parent->children;
  std::size_t self = 0;
  while (self < siblings.size() && siblings[self] != &w) ++self;
  std::size_t first = self;
  while (first > 0 && (siblings[first]->style & WS_GROUP) == 0) --first;
  for (std::size_t i = first; i < siblings.size(); ++i) {
    Window* s = siblings[i];
    if (i > first && (s->style & WS_GROUP) != 0) break;
    auto* proc = s->ProcAs<ButtonProc>();
    if (s == &w || proc == nullptr || proc->Type(*s) != BS_AUTORADIOBUTTON || proc->check == BST_UNCHECKED) continue;
    proc->check = BST_UNCHECKED;
    if (proc->peer_ != nullptr) proc->peer_->SetCheck(BST_UNCHECKED);
  }
}

void ButtonProc::DrawOwner(Window& w) {
  UINT state = 0;
  if (pushed) state |= ODS_SELECTED;
  if (peer_ != nullptr && peer_->HasFocus()) state |= ODS_FOCUS;
  if (Type(w) == BS_OWNERDRAW && w.parent != nullptr) {
    LRESULT def = w.parent->DefProc(DM_GETDEFID, 0, 0);
    if (HIWORD(static_cast<WPARAM>(def)) == DC_HASDEFID && LOWORD(static_cast<WPARAM>(def)) == w.id) state |= ODS_DEFAULT;
  }
  DrawOwnerItem(w, ODT_BUTTON, state);
}

}  // namespace orv::ui
