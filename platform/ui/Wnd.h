#pragma once
// CWnd: the framework's window object. It holds the handle of a window of the window layer
// (m_hWnd) and, when it is attached to the window permanently (Attach, SubclassWindow,
// SubclassDlgItem, or a dialog it created), receives the window's messages through its
// message map before the window's own default behaviour.
//
// Objects that are only handed out for a handle (FromHandle, GetDlgItem of a control that no
// object is attached to) belong to the window and go with it; callers never delete them.
#include "platform/base/CString.h"
#include "platform/ui/MessageMap.h"

class CDC;
class CFont;
class CDataExchange;
class CWnd;

class ORV_API CWnd : public CCmdTarget {
  DECLARE_DYNAMIC(CWnd)
public:
  CWnd();
  // A permanent object still attached destroys its window.
  ~CWnd() override;

  HWND m_hWnd = nullptr;
  HWND GetSafeHwnd() const { return m_hWnd; }
  operator HWND() const { return GetSafeHwnd(); }

  // The object attached to the window, or the window's own object when none is; null for a
  // stale handle.
  static CWnd* FromHandle(HWND hwnd);
  static CWnd* FromHandlePermanent(HWND hwnd);
  // Makes this object the window's message receiver; FALSE when the window already has one.
  BOOL Attach(HWND hwnd);
  HWND Detach();
  BOOL SubclassWindow(HWND hwnd);
  BOOL SubclassDlgItem(UINT id, CWnd* parent);
  HWND UnsubclassWindow();
  virtual BOOL DestroyWindow();

  // --- family
  CWnd* GetDlgItem(int id) const;
  void GetDlgItem(int id, HWND* result) const;
  int GetDlgCtrlID() const;
  int SetDlgCtrlID(int id);
  CWnd* GetParent() const;
  CWnd* GetTopLevelParent() const;
  CWnd* GetWindow(UINT relation) const;
  CWnd* GetNextDlgTabItem(CWnd* control, BOOL previous = FALSE) const;

  // --- geometry
  void GetWindowRect(LPRECT rect) const;
  void GetClientRect(LPRECT rect) const;
  void ScreenToClient(LPPOINT point) const;
  void ScreenToClient(LPRECT rect) const;
  void ClientToScreen(LPPOINT point) const;
  void ClientToScreen(LPRECT rect) const;
  void MapWindowPoints(CWnd* to, LPRECT rect) const;
  void MapWindowPoints(CWnd* to, LPPOINT points, UINT count) const;
  void MoveWindow(int x, int y, int width, int height, BOOL repaint = TRUE);
  void MoveWindow(LPCRECT rect, BOOL repaint = TRUE);
  BOOL SetWindowPos(const CWnd* insertAfter, int x, int y, int cx, int cy, UINT flags);
  BOOL ShowWindow(int command);
  BOOL IsWindowVisible() const;
  void CenterWindow(CWnd* alternateOwner = nullptr);

  // --- text
  void SetWindowText(LPCTSTR text);
  int GetWindowText(LPTSTR buffer, int maxCount) const;
  void GetWindowText(CString& text) const;
  int GetWindowTextLength() const;
  void SetDlgItemText(int id, LPCTSTR text);
  int GetDlgItemText(int id, LPTSTR buffer, int maxCount) const;
  int GetDlgItemText(int id, CString& text) const;
  void SetDlgItemInt(int id, UINT value, BOOL isSigned = TRUE);
  UINT GetDlgItemInt(int id, BOOL* translated = nullptr, BOOL isSigned = TRUE) const;
  void CheckDlgButton(int id, UINT check);
  UINT IsDlgButtonChecked(int id) const;

  // --- state and style
  BOOL EnableWindow(BOOL enable = TRUE);
  BOOL IsWindowEnabled() const;
  CWnd* SetFocus();
  static CWnd* GetFocus();
  void GotoDlgCtrl(CWnd* control);
  DWORD GetStyle() const;
  DWORD GetExStyle() const;
  BOOL ModifyStyle(DWORD remove, DWORD add, UINT flags = 0);
  BOOL ModifyStyleEx(DWORD remove, DWORD add, UINT flags = 0);

  // --- painting
  void Invalidate(BOOL erase = TRUE);
  void InvalidateRect(LPCRECT rect, BOOL erase = TRUE);
  void ValidateRect(LPCRECT rect);
  BOOL GetUpdateRect(LPRECT rect, BOOL erase = FALSE);
  void UpdateWindow();
  void RedrawWindow();
  // A device context on the client area, drawn straight onto what the window shows.
  CDC* GetDC();
  int ReleaseDC(CDC* dc);
  CFont* GetFont() const;
  void SetFont(CFont* font, BOOL redraw = TRUE);

  // --- messages
  LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
  BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
  LRESULT SendDlgItemMessage(int id, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
  int MessageBox(LPCTSTR text, LPCTSTR caption = nullptr, UINT type = MB_OK);

  // --- scroll bars of a scroll-bar control child (SB_CTL on the child's handle)
  BOOL SetScrollInfo(int bar, LPSCROLLINFO info, BOOL redraw = TRUE);
  BOOL GetScrollInfo(int bar, LPSCROLLINFO info, UINT mask = SIF_ALL);

  // --- data exchange
  virtual void DoDataExchange(CDataExchange* dx);
  // Runs DoDataExchange in the given direction; FALSE when a validation failed.
  BOOL UpdateData(BOOL saveAndValidate = TRUE);

  // --- message processing
  virtual BOOL PreTranslateMessage(MSG* msg);
  virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
  virtual BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
  virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
  virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
  virtual BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result);
  // Owner-draw requests reflected from the parent; TRUE when this control drew itself.
  virtual BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
  virtual void PostNcDestroy();
  // The default procedure for the message being handled now.
  LRESULT Default();
  static const MSG* GetCurrentMessage();

  // --- the framework's default handlers, for derived classes to chain to
  void OnPaint();
  void OnDestroy();
  void OnClose();
  void OnHScroll(UINT code, UINT pos, CScrollBar* scrollBar);
  void OnVScroll(UINT code, UINT pos, CScrollBar* scrollBar);
  BOOL OnEraseBkgnd(CDC* dc);
  void OnDrawItem(int id, LPDRAWITEMSTRUCT drawItem);
  BOOL OnHelpInfo(HELPINFO* info);
  void OnSize(UINT type, int cx, int cy);
  void OnLButtonDown(UINT flags, CPoint point);
  void OnLButtonUp(UINT flags, CPoint point);
  void OnLButtonDblClk(UINT flags, CPoint point);
  void OnMouseMove(UINT flags, CPoint point);
  // The help command: hands the window's help request to the help handler of the layer.
  void OnHelp();

protected:
  // The help context OnHelp passes on (a dialog's template id); 0 when the window has none.
  virtual UINT HelpContextId() const;

  DECLARE_MESSAGE_MAP()
};
