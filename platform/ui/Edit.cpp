#include "platform/ui/detail/Edit.h"

#include <algorithm>
#include <cwctype>

#include "platform/ui/detail/Peers.h"
#include "platform/ui/detail/UpDown.h"

namespace orv::ui {

void EditProc::Create(Window& w) {
  auto peer = (w.style & ES_MULTILINE) != 0 ? CreateMultiLineEditPeer(w, *this) : CreateEditPeer(w, *this);
  peer_ = peer.get();
  w.peer = std::move(peer);
}

void EditProc::Changed(Window& w) {
  modified = true;
  w.NotifyParentCommand(EN_UPDATE);
  if (Window::IsLive(&w)) w.NotifyParentCommand(EN_CHANGE);
}

bool EditProc::Accepts(const Window& w, int newLength) const {
  return newLength <= w.text.GetLength() || static_cast<UINT>(newLength) <= limit;
}

CString EditProc::Filter(const Window& w, const CString& typed) const {
  CString text = typed;
  if ((w.style & ES_UPPERCASE) != 0) text.MakeUpper();
  if ((w.style & ES_LOWERCASE) != 0) text.MakeLower();
  return text;
}

bool EditProc::UserEdited(Window& w, const CString& newText) {
  if ((w.style & ES_READONLY) != 0) return false;
  if ((w.style & ES_NUMBER) != 0) {
    for (int i = 0; i < newText.GetLength(); ++i)
      if (!std::iswdigit(static_cast<wint_t>(newText[i]))) return false;
  }
  if (!Accepts(w, newText.GetLength())) {
    w.NotifyParentCommand(EN_MAXTEXT);
    return false;
  }
  CString text = Filter(w, newText);
  if (text == w.text) return true;
  w.text = text;
  Changed(w);
  return true;
}

bool EditProc::UserArrow(Window& w, int direction) {
  (void)w;
  auto* proc = Window::IsLive(upDown) ? upDown->ProcAs<UpDownProc>() : nullptr;
  if (proc == nullptr || (upDown->style & UDS_ARROWKEYS) == 0) return false;
  proc->UserStep(*upDown, direction);
  return true;
}

LRESULT EditProc::WndProc(Window& w, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_SETTEXT: {
      // Text set by the program ignores the limit and is announced like typed text.
      w.SetText(lParam != 0 ? reinterpret_cast<const wchar_t*>(lParam) : L"");
      modified = false;
      if (peer_ != nullptr) peer_->SetSelection(0, 0);
      w.NotifyParentCommand(EN_UPDATE);
      if (Window::IsLive(&w)) w.NotifyParentCommand(EN_CHANGE);
      return TRUE;
    }
    case EM_LIMITTEXT:
      // No limit is the largest one: 0x7FFFFFFE for one line, every position for several.
      limit = wParam == 0 ? ((w.style & ES_MULTILINE) != 0 ? 0xFFFFFFFFu : kNoLimit)
                          : static_cast<UINT>(std::min<WPARAM>(wParam, 0xFFFFFFFFu));
      return 0;
    case EM_GETLIMITTEXT:
      return limit;
    case EM_GETSEL: {
      int anchor = 0, caret = 0;
      if (peer_ != nullptr) peer_->GetSelection(&anchor, &caret);
      auto start = static_cast<DWORD>(std::min(anchor, caret));
      auto end = static_cast<DWORD>(std::max(anchor, caret));
      if (wParam != 0) *reinterpret_cast<DWORD*>(wParam) = start;
      if (lParam != 0) *reinterpret_cast<DWORD*>(lParam) = end;
      return start > 0xFFFF || end > 0xFFFF ? -1 : static_cast<LRESULT>(MAKELONG(static_cast<WORD>(start), static_cast<WORD>(end)));
    }
    case EM_SETSEL: {
      if (peer_ == nullptr) return 0;
      int length = w.text.GetLength();
      auto start = static_cast<long long>(static_cast<std::intptr_t>(wParam));
      auto end = static_cast<long long>(lParam);
      if (start == -1) {
        // Deselect, leaving the caret where it is.
        int anchor = 0, caret = 0;
        peer_->GetSelection(&anchor, &caret);
        peer_->SetSelection(caret, caret);
        return 0;
      }
      if (end < 0 || end > length) end = length;
      if (start < 0 || start > length) start = length;
      peer_->SetSelection(static_cast<int>(start), static_cast<int>(end));
      return 0;
    }
    case EM_SCROLLCARET:
      if (peer_ != nullptr) peer_->EnsureCaretVisible();
      return TRUE;
    case EM_REPLACESEL: {
      int anchor = 0, caret = 0;
      if (peer_ != nullptr) peer_->GetSelection(&anchor, &caret);
      int start = std::min(anchor, caret), end = std::max(anchor, caret);
      CString insert = lParam != 0 ? CString(reinterpret_cast<const wchar_t*>(lParam)) : CString();
      CString text = w.text.Left(start) + insert + w.text.Mid(end);
      w.SetText(text);
      if (peer_ != nullptr) peer_->SetSelection(start + insert.GetLength(), start + insert.GetLength());
      Changed(w);
      return 0;
    }
    case EM_SETREADONLY:
      w.SetStyle(wParam != 0 ? (w.style | ES_READONLY) : (w.style & ~static_cast<DWORD>(ES_READONLY)));
      return TRUE;
    case EM_GETMODIFY:
      return modified ? TRUE : FALSE;
    case EM_SETMODIFY:
      modified = wParam != 0;
      return 0;
    case WM_PAINT:
      w.Validate(nullptr);
      return 0;
    default:
      return DefaultProc(w, message, wParam, lParam);
  }
}

}  // namespace orv::ui
