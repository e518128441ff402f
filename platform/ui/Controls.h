#pragma once
// The framework's objects for the standard controls: each member sends the control its
// message, so an object attached to a control and the control's own handle behave alike.
#include "platform/ui/Wnd.h"

class CBitmap;

class ORV_API CStatic : public CWnd {
  DECLARE_DYNAMIC(CStatic)
public:
  HBITMAP SetBitmap(HBITMAP bitmap);
  HBITMAP GetBitmap() const;
  // Owner-drawn statics (SS_OWNERDRAW) draw here; the default draws nothing.
  virtual void DrawItem(LPDRAWITEMSTRUCT drawItem);
  BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
};

class ORV_API CButton : public CWnd {
  DECLARE_DYNAMIC(CButton)
public:
  int GetCheck() const;
  void SetCheck(int check);
  UINT GetState() const;
  void SetState(BOOL highlight);
  UINT GetButtonStyle() const;
  void SetButtonStyle(UINT style, BOOL redraw = TRUE);
  // Owner-drawn buttons (BS_OWNERDRAW) draw here; the default draws a plain push button.
  virtual void DrawItem(LPDRAWITEMSTRUCT drawItem);
  BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
};

class ORV_API CEdit : public CWnd {
  DECLARE_DYNAMIC(CEdit)
public:
  void LimitText(int maxChars = 0);
  void SetLimitText(UINT maxChars);
  UINT GetLimitText() const;
  DWORD GetSel() const;
  void GetSel(int& start, int& end) const;
  // Selects start..end (end -1: to the end) and, unless noScroll, scrolls the caret into view.
  void SetSel(int start, int end, BOOL noScroll = FALSE);
  void SetSel(DWORD selection, BOOL noScroll = FALSE);
  void ReplaceSel(LPCTSTR text, BOOL canUndo = FALSE);
  BOOL SetReadOnly(BOOL readOnly = TRUE);
  BOOL GetModify() const;
  void SetModify(BOOL modified = TRUE);
};

class ORV_API CScrollBar : public CWnd {
  DECLARE_DYNAMIC(CScrollBar)
public:
  int GetScrollPos() const;
  int SetScrollPos(int pos, BOOL redraw = TRUE);
  void GetScrollRange(int* minPos, int* maxPos) const;
  void SetScrollRange(int minPos, int maxPos, BOOL redraw = TRUE);
  void ShowScrollBar(BOOL show = TRUE);
  BOOL EnableScrollBar(UINT arrows = ESB_ENABLE_BOTH);
  BOOL SetScrollInfo(LPSCROLLINFO info, BOOL redraw = TRUE);
  BOOL GetScrollInfo(LPSCROLLINFO info, UINT mask = SIF_ALL);
  int GetScrollLimit();
};

class ORV_API CListBox : public CWnd {
  DECLARE_DYNAMIC(CListBox)
public:
  int AddString(LPCTSTR text);
  int InsertString(int index, LPCTSTR text);
  int DeleteString(UINT index);
  void ResetContent();
  int GetCount() const;
  int GetCurSel() const;
  int SetCurSel(int index);
  int GetText(int index, CString& text) const;
  int GetTextLen(int index) const;
  DWORD_PTR GetItemData(int index) const;
  int SetItemData(int index, DWORD_PTR data);
  int FindStringExact(int startAfter, LPCTSTR text) const;
};

class ORV_API CComboBox : public CWnd {
  DECLARE_DYNAMIC(CComboBox)
public:
  int AddString(LPCTSTR text);
  int InsertString(int index, LPCTSTR text);
  int DeleteString(UINT index);
  void ResetContent();
  int GetCount() const;
  int GetCurSel() const;
  int SetCurSel(int index);
  void GetLBText(int index, CString& text) const;
  int GetLBTextLen(int index) const;
  DWORD_PTR GetItemData(int index) const;
  int SetItemData(int index, DWORD_PTR data);
};
