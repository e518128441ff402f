#pragma once
// The platform's window-manager interface as this framework offers it: window handles,
// messages with their Windows numbers, the structures they carry, and the free functions
// that act on a window handle. CWnd and its family (Wnd.h) are thin members over these.
//
// One deliberate widening: WM_HSCROLL and WM_VSCROLL carry the scroll position in the bits
// of wParam from 16 upwards, all 32 of them (HIWORD still gives the low 16), so positions
// outside 0..65535, as a range that starts below zero has, reach OnHScroll intact.
#include "platform/base/CString.h"
#include "platform/base/Export.h"
#include "platform/base/Geometry.h"
#include "platform/base/MessageBox.h"
#include "platform/base/WinStyles.h"
#include "platform/base/WinTypes.h"
#include "platform/gdi/GdiTypes.h"

namespace orv::ui {
class Window;
}
// A window handle: opaque, and safe to pass after the window is gone (calls then fail).
using HWND = orv::ui::Window*;
using ULONG_PTR = std::uintptr_t;
using LPBOOL = BOOL*;
using HMENU = void*;
using HICON = void*;
using HCURSOR = void*;

struct MSG {
  HWND hwnd;
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
  DWORD time;
  POINT pt;
};
using LPMSG = MSG*;

inline constexpr WPARAM MAKEWPARAM(WORD lo, WORD hi) { return static_cast<WPARAM>(MAKELONG(lo, hi)); }
inline constexpr LPARAM MAKELPARAM(WORD lo, WORD hi) { return static_cast<LPARAM>(MAKELONG(lo, hi)); }
inline constexpr int GET_X_LPARAM(LPARAM l) { return static_cast<short>(LOWORD(static_cast<std::uintptr_t>(l))); }
inline constexpr int GET_Y_LPARAM(LPARAM l) { return static_cast<short>(HIWORD(static_cast<std::uintptr_t>(l))); }

// --- window messages
inline constexpr UINT WM_NULL = 0x0000, WM_CREATE = 0x0001, WM_DESTROY = 0x0002, WM_MOVE = 0x0003,
                      WM_SIZE = 0x0005, WM_ACTIVATE = 0x0006, WM_SETFOCUS = 0x0007, WM_KILLFOCUS = 0x0008,
                      WM_ENABLE = 0x000A, WM_SETREDRAW = 0x000B, WM_SETTEXT = 0x000C, WM_GETTEXT = 0x000D,
                      WM_GETTEXTLENGTH = 0x000E, WM_PAINT = 0x000F, WM_CLOSE = 0x0010, WM_ERASEBKGND = 0x0014,
                      WM_SHOWWINDOW = 0x0018, WM_SETCURSOR = 0x0020, WM_DRAWITEM = 0x002B,
                      WM_SETFONT = 0x0030, WM_GETFONT = 0x0031, WM_WINDOWPOSCHANGED = 0x0047,
                      WM_NOTIFY = 0x004E, WM_HELP = 0x0053, WM_STYLECHANGED = 0x007D, WM_NCDESTROY = 0x0082,
                      WM_KEYDOWN = 0x0100, WM_KEYUP = 0x0101, WM_CHAR = 0x0102, WM_SYSKEYDOWN = 0x0104,
                      WM_INITDIALOG = 0x0110, WM_COMMAND = 0x0111, WM_SYSCOMMAND = 0x0112,
                      WM_TIMER = 0x0113, WM_HSCROLL = 0x0114, WM_VSCROLL = 0x0115,
                      WM_CTLCOLOREDIT = 0x0133, WM_CTLCOLORSTATIC = 0x0138, WM_MOUSEMOVE = 0x0200,
                      WM_LBUTTONDOWN = 0x0201, WM_LBUTTONUP = 0x0202, WM_LBUTTONDBLCLK = 0x0203,
                      WM_RBUTTONDOWN = 0x0204, WM_RBUTTONUP = 0x0205, WM_MOUSEWHEEL = 0x020A,
                      WM_USER = 0x0400, WM_APP = 0x8000;
// Dialog-manager messages.
inline constexpr UINT DM_GETDEFID = WM_USER + 0, DM_SETDEFID = WM_USER + 1;
inline constexpr UINT DC_HASDEFID = 0x534B;

// Mouse-key state in wParam of mouse messages.
inline constexpr UINT MK_LBUTTON = 0x0001, MK_RBUTTON = 0x0002, MK_SHIFT = 0x0004, MK_CONTROL = 0x0008;

// Virtual keys (the ones dialogs and controls react to).
inline constexpr UINT VK_BACK = 0x08, VK_TAB = 0x09, VK_RETURN = 0x0D, VK_SHIFT = 0x10, VK_CONTROL = 0x11,
                      VK_MENU = 0x12, VK_ESCAPE = 0x1B, VK_SPACE = 0x20, VK_PRIOR = 0x21, VK_NEXT = 0x22,
                      VK_END = 0x23, VK_HOME = 0x24, VK_LEFT = 0x25, VK_UP = 0x26, VK_RIGHT = 0x27,
                      VK_DOWN = 0x28, VK_INSERT = 0x2D, VK_DELETE = 0x2E, VK_F1 = 0x70;

// --- WM_HELP
inline constexpr int HELPINFO_WINDOW = 0x0001;
struct HELPINFO {
  UINT cbSize;
  int iContextType;
  int iCtrlId;
  HWND hItemHandle;
  DWORD_PTR dwContextId;
  POINT MousePos;
};
using LPHELPINFO = HELPINFO*;

// --- WM_SIZE
inline constexpr UINT SIZE_RESTORED = 0;

// --- WM_NOTIFY header and the common notification codes
struct NMHDR {
  HWND hwndFrom;
  UINT_PTR idFrom;
  UINT code;
};
using LPNMHDR = NMHDR*;
inline constexpr UINT NM_FIRST = 0U - 0U;
inline constexpr UINT NM_CLICK = NM_FIRST - 2, NM_DBLCLK = NM_FIRST - 3, NM_RETURN = NM_FIRST - 4,
                      NM_RCLICK = NM_FIRST - 5, NM_SETFOCUS = NM_FIRST - 7, NM_KILLFOCUS = NM_FIRST - 8;

// --- owner drawing (WM_DRAWITEM)
inline constexpr UINT ODT_BUTTON = 4, ODT_STATIC = 5;
inline constexpr UINT ODA_DRAWENTIRE = 0x1, ODA_SELECT = 0x2, ODA_FOCUS = 0x4;
inline constexpr UINT ODS_SELECTED = 0x1, ODS_GRAYED = 0x2, ODS_DISABLED = 0x4, ODS_CHECKED = 0x8,
                      ODS_FOCUS = 0x10, ODS_DEFAULT = 0x20;
class CDC;
struct DRAWITEMSTRUCT {
  UINT CtlType;
  UINT CtlID;
  UINT itemID;
  UINT itemAction;
  UINT itemState;
  HWND hwndItem;
  CDC* pDC;  // the device context to draw with (the platform passes an HDC here)
  RECT rcItem;
  ULONG_PTR itemData;
};
using LPDRAWITEMSTRUCT = DRAWITEMSTRUCT*;

// --- window longs, show commands, SetWindowPos flags
inline constexpr int GWL_STYLE = -16, GWL_EXSTYLE = -20, GWL_ID = -12;
inline constexpr int SW_HIDE = 0, SW_SHOWNORMAL = 1, SW_NORMAL = 1, SW_SHOW = 5, SW_SHOWNA = 8;
inline constexpr UINT SWP_NOSIZE = 0x0001, SWP_NOMOVE = 0x0002, SWP_NOZORDER = 0x0004, SWP_NOREDRAW = 0x0008,
                      SWP_NOACTIVATE = 0x0010, SWP_FRAMECHANGED = 0x0020, SWP_SHOWWINDOW = 0x0040,
                      SWP_HIDEWINDOW = 0x0080;
#define HWND_TOP (static_cast<HWND>(nullptr))

// --- WM_COMMAND notification codes of the standard controls
inline constexpr UINT BN_CLICKED = 0, BN_DOUBLECLICKED = 5, BN_SETFOCUS = 6, BN_KILLFOCUS = 7;
inline constexpr UINT EN_SETFOCUS = 0x0100, EN_KILLFOCUS = 0x0200, EN_CHANGE = 0x0300, EN_UPDATE = 0x0400,
                      EN_MAXTEXT = 0x0501;
inline constexpr UINT STN_CLICKED = 0, STN_DBLCLK = 1;
inline constexpr UINT LBN_SELCHANGE = 1, LBN_DBLCLK = 2;
inline constexpr UINT CBN_SELCHANGE = 1, CBN_EDITCHANGE = 5;

// --- button messages and states
inline constexpr UINT BM_GETCHECK = 0x00F0, BM_SETCHECK = 0x00F1, BM_GETSTATE = 0x00F2, BM_SETSTATE = 0x00F3,
                      BM_SETSTYLE = 0x00F4, BM_CLICK = 0x00F5;
inline constexpr int BST_UNCHECKED = 0, BST_CHECKED = 1, BST_INDETERMINATE = 2, BST_PUSHED = 4, BST_FOCUS = 8;

// --- edit messages
inline constexpr UINT EM_GETSEL = 0x00B0, EM_SETSEL = 0x00B1, EM_SCROLLCARET = 0x00B7, EM_GETMODIFY = 0x00B8,
                      EM_SETMODIFY = 0x00B9, EM_LIMITTEXT = 0x00C5, EM_REPLACESEL = 0x00C2,
                      EM_SETREADONLY = 0x00CF, EM_GETLIMITTEXT = 0x00D5;
inline constexpr UINT EM_SETLIMITTEXT = EM_LIMITTEXT;

// --- static messages
inline constexpr UINT STM_SETIMAGE = 0x0172, STM_GETIMAGE = 0x0173;
inline constexpr UINT IMAGE_BITMAP = 0;

// --- list box and combo box messages
inline constexpr UINT LB_ADDSTRING = 0x0180, LB_INSERTSTRING = 0x0181, LB_DELETESTRING = 0x0182,
                      LB_RESETCONTENT = 0x0184, LB_SETCURSEL = 0x0186, LB_GETCURSEL = 0x0188,
                      LB_GETTEXT = 0x0189, LB_GETTEXTLEN = 0x018A, LB_GETCOUNT = 0x018B,
                      LB_FINDSTRINGEXACT = 0x01A2, LB_GETITEMDATA = 0x0199, LB_SETITEMDATA = 0x019A;
inline constexpr UINT CB_ADDSTRING = 0x0143, CB_DELETESTRING = 0x0144, CB_GETCOUNT = 0x0146,
                      CB_GETCURSEL = 0x0147, CB_GETLBTEXT = 0x0148, CB_GETLBTEXTLEN = 0x0149,
                      CB_INSERTSTRING = 0x014A, CB_RESETCONTENT = 0x014B, CB_SETCURSEL = 0x014E,
                      CB_GETITEMDATA = 0x0150, CB_SETITEMDATA = 0x0151;
inline constexpr int LB_ERR = -1, CB_ERR = -1;

// --- scroll bars
inline constexpr int SB_HORZ = 0, SB_VERT = 1, SB_CTL = 2, SB_BOTH = 3;
inline constexpr UINT SB_LINEUP = 0, SB_LINELEFT = 0, SB_LINEDOWN = 1, SB_LINERIGHT = 1, SB_PAGEUP = 2,
                      SB_PAGELEFT = 2, SB_PAGEDOWN = 3, SB_PAGERIGHT = 3, SB_THUMBPOSITION = 4,
                      SB_THUMBTRACK = 5, SB_TOP = 6, SB_LEFT = 6, SB_BOTTOM = 7, SB_RIGHT = 7,
                      SB_ENDSCROLL = 8;
inline constexpr UINT SIF_RANGE = 0x1, SIF_PAGE = 0x2, SIF_POS = 0x4, SIF_DISABLENOSCROLL = 0x8,
                      SIF_TRACKPOS = 0x10, SIF_ALL = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_TRACKPOS;
inline constexpr UINT ESB_ENABLE_BOTH = 0x0, ESB_DISABLE_LTUP = 0x1, ESB_DISABLE_LEFT = 0x1,
                      ESB_DISABLE_UP = 0x1, ESB_DISABLE_RTDN = 0x2, ESB_DISABLE_RIGHT = 0x2,
                      ESB_DISABLE_DOWN = 0x2, ESB_DISABLE_BOTH = 0x3;
inline constexpr UINT SBM_SETPOS = 0x00E0, SBM_GETPOS = 0x00E1, SBM_SETRANGE = 0x00E2,
                      SBM_SETRANGEREDRAW = 0x00E6, SBM_GETRANGE = 0x00E3, SBM_ENABLE_ARROWS = 0x00E4,
                      SBM_SETSCROLLINFO = 0x00E9, SBM_GETSCROLLINFO = 0x00EA;
struct SCROLLINFO {
  UINT cbSize;
  UINT fMask;
  int nMin;
  int nMax;
  UINT nPage;
  int nPos;
  int nTrackPos;
};
using LPSCROLLINFO = SCROLLINFO*;
using LPCSCROLLINFO = const SCROLLINFO*;

// Packs a scroll request: the code in the low 16 bits, the full 32-bit position above it.
inline constexpr WPARAM MakeScrollWParam(UINT code, int pos) {
  return static_cast<WPARAM>(code & 0xFFFF) | (static_cast<WPARAM>(static_cast<std::uint32_t>(pos)) << 16);
}
inline constexpr int ScrollPosFromWParam(WPARAM w) { return static_cast<int>(static_cast<std::uint32_t>(w >> 16)); }

// --- system metrics and colours of the window layer
inline constexpr int SM_CXSCREEN = 0, SM_CYSCREEN = 1, SM_CXVSCROLL = 2, SM_CYHSCROLL = 3;

// --- the free functions of the window manager; every one accepts a stale or null handle
// and then fails the way the platform does (0, FALSE or an empty result).
ORV_API BOOL IsWindow(HWND hwnd);
ORV_API LRESULT SendMessageW(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
inline LRESULT SendMessage(HWND hwnd, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
  return SendMessageW(hwnd, message, wParam, lParam);
}
// Queues the message; it is delivered by the event loop (modal loops, ProcessEvents).
ORV_API BOOL PostMessageW(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
inline BOOL PostMessage(HWND hwnd, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
  return PostMessageW(hwnd, message, wParam, lParam);
}
ORV_API HWND GetDlgItem(HWND dialog, int id);
// The window's class name ("EDIT", "#32770" for dialogs ...); the count of characters copied.
ORV_API int GetClassNameW(HWND hwnd, LPWSTR buffer, int maxCount);
ORV_API int GetDlgCtrlID(HWND hwnd);
ORV_API HWND GetParent(HWND hwnd);
ORV_API HWND GetWindow(HWND hwnd, UINT relation);
inline constexpr UINT GW_HWNDNEXT = 2, GW_HWNDPREV = 3, GW_OWNER = 4, GW_CHILD = 5;
ORV_API BOOL DestroyWindow(HWND hwnd);

ORV_API BOOL GetWindowRect(HWND hwnd, LPRECT rect);  // screen coordinates
ORV_API BOOL GetClientRect(HWND hwnd, LPRECT rect);  // (0, 0, width, height)
ORV_API BOOL ScreenToClient(HWND hwnd, LPPOINT point);
ORV_API BOOL ClientToScreen(HWND hwnd, LPPOINT point);
ORV_API int MapWindowPoints(HWND from, HWND to, LPPOINT points, UINT count);
ORV_API BOOL MoveWindow(HWND hwnd, int x, int y, int width, int height, BOOL repaint);
ORV_API BOOL SetWindowPos(HWND hwnd, HWND insertAfter, int x, int y, int cx, int cy, UINT flags);
ORV_API BOOL ShowWindow(HWND hwnd, int command);
ORV_API BOOL IsWindowVisible(HWND hwnd);

ORV_API BOOL SetWindowTextW(HWND hwnd, LPCWSTR text);
ORV_API int GetWindowTextW(HWND hwnd, LPWSTR buffer, int maxCount);
ORV_API int GetWindowTextLengthW(HWND hwnd);
ORV_API BOOL SetDlgItemTextW(HWND dialog, int id, LPCWSTR text);
ORV_API UINT GetDlgItemTextW(HWND dialog, int id, LPWSTR buffer, int maxCount);
ORV_API BOOL SetDlgItemInt(HWND dialog, int id, UINT value, BOOL isSigned);
ORV_API UINT GetDlgItemInt(HWND dialog, int id, BOOL* translated, BOOL isSigned);
ORV_API BOOL CheckDlgButton(HWND dialog, int id, UINT check);
ORV_API UINT IsDlgButtonChecked(HWND dialog, int id);

ORV_API BOOL EnableWindow(HWND hwnd, BOOL enable);  // returns TRUE if it was disabled before
ORV_API BOOL IsWindowEnabled(HWND hwnd);
ORV_API HWND SetFocus(HWND hwnd);  // returns the window that had the focus
ORV_API HWND GetFocus();

ORV_API LONG_PTR GetWindowLongPtrW(HWND hwnd, int index);
ORV_API LONG_PTR SetWindowLongPtrW(HWND hwnd, int index, LONG_PTR value);
inline LONG GetWindowLongW(HWND hwnd, int index) { return static_cast<LONG>(GetWindowLongPtrW(hwnd, index)); }
inline LONG SetWindowLongW(HWND hwnd, int index, LONG value) {
  return static_cast<LONG>(SetWindowLongPtrW(hwnd, index, value));
}

ORV_API BOOL InvalidateRect(HWND hwnd, const RECT* rect, BOOL erase);  // null rect: the whole client
ORV_API BOOL ValidateRect(HWND hwnd, const RECT* rect);
ORV_API BOOL GetUpdateRect(HWND hwnd, LPRECT rect, BOOL erase);
ORV_API BOOL UpdateWindow(HWND hwnd);  // paints now when something is invalid

// A device context on the window's client area; the window keeps it until ReleaseDC.
ORV_API HDC GetDC(HWND hwnd);
ORV_API int ReleaseDC(HWND hwnd, HDC dc);

ORV_API BOOL MapDialogRect(HWND dialog, LPRECT rect);
ORV_API int MessageBoxW(HWND owner, LPCWSTR text, LPCWSTR caption, UINT type);

ORV_API int SetScrollInfo(HWND hwnd, int bar, LPCSCROLLINFO info, BOOL redraw);
ORV_API BOOL GetScrollInfo(HWND hwnd, int bar, LPSCROLLINFO info);
ORV_API int SetScrollPos(HWND hwnd, int bar, int pos, BOOL redraw);
ORV_API int GetScrollPos(HWND hwnd, int bar);
ORV_API BOOL SetScrollRange(HWND hwnd, int bar, int minPos, int maxPos, BOOL redraw);
ORV_API BOOL GetScrollRange(HWND hwnd, int bar, int* minPos, int* maxPos);
ORV_API BOOL EnableScrollBar(HWND hwnd, UINT bar, UINT arrows);

ORV_API int GetSystemMetrics(int index);
ORV_API BOOL EndDialog(HWND dialog, INT_PTR result);
