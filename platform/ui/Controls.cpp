#include "platform/ui/Controls.h"

#include "platform/gdi/DC.h"
#include "platform/ui/OwnerDraw.h"

IMPLEMENT_DYNAMIC(CStatic, CWnd)
IMPLEMENT_DYNAMIC(CButton, CWnd)
IMPLEMENT_DYNAMIC(CEdit, CWnd)
IMPLEMENT_DYNAMIC(CScrollBar, CWnd)
IMPLEMENT_DYNAMIC(CListBox, CWnd)
IMPLEMENT_DYNAMIC(CComboBox, CWnd)

namespace {
template <typename T>
T Sent(const CWnd* w, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
  return static_cast<T>(::SendMessageW(w->m_hWnd, message, wParam, lParam));
}
}  // namespace

// ---------------------------------------------------------------------------- CStatic
HBITMAP CStatic::SetBitmap(HBITMAP bitmap) {
  return reinterpret_cast<HBITMAP>(SendMessage(STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap)));
}
HBITMAP CStatic::GetBitmap() const { return reinterpret_cast<HBITMAP>(SendMessage(STM_GETIMAGE, IMAGE_BITMAP)); }
void CStatic::DrawItem(LPDRAWITEMSTRUCT) {}
BOOL CStatic::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
  if (message != WM_DRAWITEM) return CWnd::OnChildNotify(message, wParam, lParam, result);
  DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
  if (result != nullptr) *result = TRUE;
  return TRUE;
}

// ---------------------------------------------------------------------------- CButton
int CButton::GetCheck() const { return Sent<int>(this, BM_GETCHECK); }
void CButton::SetCheck(int check) { SendMessage(BM_SETCHECK, static_cast<WPARAM>(check)); }
UINT CButton::GetState() const { return Sent<UINT>(this, BM_GETSTATE); }
void CButton::SetState(BOOL highlight) { SendMessage(BM_SETSTATE, static_cast<WPARAM>(highlight)); }
UINT CButton::GetButtonStyle() const { return GetStyle() & 0xFFFFu; }
void CButton::SetButtonStyle(UINT style, BOOL redraw) { SendMessage(BM_SETSTYLE, style, redraw); }
void CButton::DrawItem(LPDRAWITEMSTRUCT drawItem) {
  if (drawItem == nullptr || drawItem->pDC == nullptr) return;
  CString text;
  GetWindowText(text);
  orv::ui::DrawPlainButton(*drawItem->pDC, CRect(drawItem->rcItem), text, drawItem->itemState);
}
BOOL CButton::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
  if (message != WM_DRAWITEM) return CWnd::OnChildNotify(message, wParam, lParam, result);
  DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
  if (result != nullptr) *result = TRUE;
  return TRUE;
}

// ---------------------------------------------------------------------------- CEdit
void CEdit::LimitText(int maxChars) { SendMessage(EM_LIMITTEXT, static_cast<WPARAM>(maxChars)); }
void CEdit::SetLimitText(UINT maxChars) { SendMessage(EM_LIMITTEXT, maxChars); }
UINT CEdit::GetLimitText() const { return Sent<UINT>(this, EM_GETLIMITTEXT); }
DWORD CEdit::GetSel() const { return Sent<DWORD>(this, EM_GETSEL); }
void CEdit::GetSel(int& start, int& end) const {
  DWORD s = 0, e = 0;
  SendMessage(EM_GETSEL, reinterpret_cast<WPARAM>(&s), reinterpret_cast<LPARAM>(&e));
  start = static_cast<int>(s);
  end = static_cast<int>(e);
}
void CEdit::SetSel(int start, int end, BOOL noScroll) {
  SendMessage(EM_SETSEL, static_cast<WPARAM>(static_cast<std::intptr_t>(start)), end);
  if (!noScroll) SendMessage(EM_SCROLLCARET);
}
void CEdit::SetSel(DWORD selection, BOOL noScroll) {
  SetSel(static_cast<short>(LOWORD(selection)), static_cast<short>(HIWORD(selection)), noScroll);
}
void CEdit::ReplaceSel(LPCTSTR text, BOOL canUndo) {
  SendMessage(EM_REPLACESEL, static_cast<WPARAM>(canUndo), reinterpret_cast<LPARAM>(text));
}
BOOL CEdit::SetReadOnly(BOOL readOnly) { return Sent<BOOL>(this, EM_SETREADONLY, static_cast<WPARAM>(readOnly)); }
BOOL CEdit::GetModify() const { return Sent<BOOL>(this, EM_GETMODIFY); }
void CEdit::SetModify(BOOL modified) { SendMessage(EM_SETMODIFY, static_cast<WPARAM>(modified)); }

// ---------------------------------------------------------------------------- CScrollBar
int CScrollBar::GetScrollPos() const { return ::GetScrollPos(m_hWnd, SB_CTL); }
int CScrollBar::SetScrollPos(int pos, BOOL redraw) { return ::SetScrollPos(m_hWnd, SB_CTL, pos, redraw); }
void CScrollBar::GetScrollRange(int* minPos, int* maxPos) const { ::GetScrollRange(m_hWnd, SB_CTL, minPos, maxPos); }
void CScrollBar::SetScrollRange(int minPos, int maxPos, BOOL redraw) {
  ::SetScrollRange(m_hWnd, SB_CTL, minPos, maxPos, redraw);
}
void CScrollBar::ShowScrollBar(BOOL show) { ::ShowWindow(m_hWnd, show ? SW_SHOW : SW_HIDE); }
BOOL CScrollBar::EnableScrollBar(UINT arrows) { return ::EnableScrollBar(m_hWnd, SB_CTL, arrows); }
BOOL CScrollBar::SetScrollInfo(LPSCROLLINFO info, BOOL redraw) {
  if (info == nullptr) return FALSE;
  ::SetScrollInfo(m_hWnd, SB_CTL, info, redraw);
  return TRUE;
}
BOOL CScrollBar::GetScrollInfo(LPSCROLLINFO info, UINT mask) {
  if (info == nullptr) return FALSE;
  info->cbSize = sizeof(SCROLLINFO);
  info->fMask = mask;
  return ::GetScrollInfo(m_hWnd, SB_CTL, info);
}
int CScrollBar::GetScrollLimit() {
  SCROLLINFO info{sizeof(SCROLLINFO), SIF_RANGE | SIF_PAGE, 0, 0, 0, 0, 0};
  if (!::GetScrollInfo(m_hWnd, SB_CTL, &info)) return 0;
  int last = info.nPage > 0 ? static_cast<int>(info.nPage) - 1 : 0;
  return info.nMax - last > info.nMin ? info.nMax - last : info.nMin;
}

// ---------------------------------------------------------------------------- CListBox
int CListBox::AddString(LPCTSTR text) { return Sent<int>(this, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text)); }
int CListBox::InsertString(int index, LPCTSTR text) {
  return Sent<int>(this, LB_INSERTSTRING, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text));
}
int CListBox::DeleteString(UINT index) { return Sent<int>(this, LB_DELETESTRING, index); }
void CListBox::ResetContent() { SendMessage(LB_RESETCONTENT); }
int CListBox::GetCount() const { return Sent<int>(this, LB_GETCOUNT); }
int CListBox::GetCurSel() const { return Sent<int>(this, LB_GETCURSEL); }
int CListBox::SetCurSel(int index) { return Sent<int>(this, LB_SETCURSEL, static_cast<WPARAM>(index)); }
int CListBox::GetText(int index, CString& text) const {
  int n = GetTextLen(index);
  if (n < 0) {
    text.Empty();
    return LB_ERR;
  }
  SendMessage(LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.GetBuffer(n)));
  text.ReleaseBuffer(n);
  return n;
}
int CListBox::GetTextLen(int index) const { return Sent<int>(this, LB_GETTEXTLEN, static_cast<WPARAM>(index)); }
DWORD_PTR CListBox::GetItemData(int index) const {
  return Sent<DWORD_PTR>(this, LB_GETITEMDATA, static_cast<WPARAM>(index));
}
int CListBox::SetItemData(int index, DWORD_PTR data) {
  return Sent<int>(this, LB_SETITEMDATA, static_cast<WPARAM>(index), static_cast<LPARAM>(data));
}
int CListBox::FindStringExact(int startAfter, LPCTSTR text) const {
  return Sent<int>(this, LB_FINDSTRINGEXACT, static_cast<WPARAM>(startAfter), reinterpret_cast<LPARAM>(text));
}

// ---------------------------------------------------------------------------- CComboBox
int CComboBox::AddString(LPCTSTR text) { return Sent<int>(this, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text)); }
int CComboBox::InsertString(int index, LPCTSTR text) {
  return Sent<int>(this, CB_INSERTSTRING, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text));
}
int CComboBox::DeleteString(UINT index) { return Sent<int>(this, CB_DELETESTRING, index); }
void CComboBox::ResetContent() { SendMessage(CB_RESETCONTENT); }
int CComboBox::GetCount() const { return Sent<int>(this, CB_GETCOUNT); }
int CComboBox::GetCurSel() const { return Sent<int>(this, CB_GETCURSEL); }
int CComboBox::SetCurSel(int index) { return Sent<int>(this, CB_SETCURSEL, static_cast<WPARAM>(index)); }
void CComboBox::GetLBText(int index, CString& text) const {
  int n = GetLBTextLen(index);
  if (n < 0) {
    text.Empty();
    return;
  }
  SendMessage(CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.GetBuffer(n)));
  text.ReleaseBuffer(n);
}
int CComboBox::GetLBTextLen(int index) const { return Sent<int>(this, CB_GETLBTEXTLEN, static_cast<WPARAM>(index)); }
DWORD_PTR CComboBox::GetItemData(int index) const {
  return Sent<DWORD_PTR>(this, CB_GETITEMDATA, static_cast<WPARAM>(index));
}
int CComboBox::SetItemData(int index, DWORD_PTR data) {
  return Sent<int>(this, CB_SETITEMDATA, static_cast<WPARAM>(index), static_cast<LPARAM>(data));
}
