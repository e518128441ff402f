#pragma once
// The common controls this framework offers, with their Windows numbers: the tree view and
// the up-down control.
#include "platform/ui/WinUser.h"

namespace orv::ui {
struct TreeItem;
}
// A tree item handle: opaque; the tree checks every handle it is given, so a stale one fails.
using HTREEITEM = orv::ui::TreeItem*;

#define TVI_ROOT (reinterpret_cast<HTREEITEM>(static_cast<ULONG_PTR>(-0x10000)))
#define TVI_FIRST (reinterpret_cast<HTREEITEM>(static_cast<ULONG_PTR>(-0x0FFFF)))
#define TVI_LAST (reinterpret_cast<HTREEITEM>(static_cast<ULONG_PTR>(-0x0FFFE)))
#define TVI_SORT (reinterpret_cast<HTREEITEM>(static_cast<ULONG_PTR>(-0x0FFFD)))

inline constexpr UINT TVIF_TEXT = 0x0001, TVIF_IMAGE = 0x0002, TVIF_PARAM = 0x0004, TVIF_STATE = 0x0008,
                      TVIF_HANDLE = 0x0010, TVIF_SELECTEDIMAGE = 0x0020, TVIF_CHILDREN = 0x0040;
inline constexpr UINT TVIS_SELECTED = 0x0002, TVIS_BOLD = 0x0010, TVIS_EXPANDED = 0x0020,
                      TVIS_EXPANDEDONCE = 0x0040;
inline constexpr int I_CHILDRENCALLBACK = -1;

struct TVITEMW {
  UINT mask;
  HTREEITEM hItem;
  UINT state;
  UINT stateMask;
  LPWSTR pszText;
  int cchTextMax;
  int iImage;
  int iSelectedImage;
  int cChildren;
  LPARAM lParam;
};
using TVITEM = TVITEMW;
using LPTVITEM = TVITEMW*;

struct TVINSERTSTRUCTW {
  HTREEITEM hParent;
  HTREEITEM hInsertAfter;
  TVITEMW item;
};
using TVINSERTSTRUCT = TVINSERTSTRUCTW;
using LPTVINSERTSTRUCT = TVINSERTSTRUCTW*;

inline constexpr UINT TV_FIRST = 0x1100;
inline constexpr UINT TVM_INSERTITEMW = TV_FIRST + 50, TVM_DELETEITEM = TV_FIRST + 1, TVM_EXPAND = TV_FIRST + 2,
                      TVM_GETCOUNT = TV_FIRST + 5, TVM_GETNEXTITEM = TV_FIRST + 10,
                      TVM_SELECTITEM = TV_FIRST + 11, TVM_GETITEMW = TV_FIRST + 62,
                      TVM_SETITEMW = TV_FIRST + 63, TVM_ENSUREVISIBLE = TV_FIRST + 20,
                      TVM_SORTCHILDREN = TV_FIRST + 19;
inline constexpr UINT TVM_INSERTITEM = TVM_INSERTITEMW, TVM_GETITEM = TVM_GETITEMW, TVM_SETITEM = TVM_SETITEMW;

// TVM_EXPAND actions.
inline constexpr UINT TVE_COLLAPSE = 0x0001, TVE_EXPAND = 0x0002, TVE_TOGGLE = 0x0003;
// TVM_GETNEXTITEM / TVM_SELECTITEM relations.
inline constexpr UINT TVGN_ROOT = 0x0000, TVGN_NEXT = 0x0001, TVGN_PREVIOUS = 0x0002, TVGN_PARENT = 0x0003,
                      TVGN_CHILD = 0x0004, TVGN_FIRSTVISIBLE = 0x0005, TVGN_DROPHILITE = 0x0008,
                      TVGN_CARET = 0x0009;

// Tree notifications (WM_NOTIFY codes).
inline constexpr UINT TVN_FIRST = 0U - 400U;
inline constexpr UINT TVN_SELCHANGINGW = TVN_FIRST - 50, TVN_SELCHANGEDW = TVN_FIRST - 51,
                      TVN_ITEMEXPANDINGW = TVN_FIRST - 54, TVN_ITEMEXPANDEDW = TVN_FIRST - 55,
                      TVN_DELETEITEMW = TVN_FIRST - 58, TVN_KEYDOWN = TVN_FIRST - 12;
inline constexpr UINT TVN_SELCHANGING = TVN_SELCHANGINGW, TVN_SELCHANGED = TVN_SELCHANGEDW,
                      TVN_ITEMEXPANDING = TVN_ITEMEXPANDINGW, TVN_ITEMEXPANDED = TVN_ITEMEXPANDEDW,
                      TVN_DELETEITEM = TVN_DELETEITEMW;
// How a selection changed.
inline constexpr UINT TVC_UNKNOWN = 0x0000, TVC_BYMOUSE = 0x0001, TVC_BYKEYBOARD = 0x0002;

struct NMTREEVIEWW {
  NMHDR hdr;
  UINT action;
  TVITEMW itemOld;
  TVITEMW itemNew;
  POINT ptDrag;
};
using NMTREEVIEW = NMTREEVIEWW;
using LPNMTREEVIEW = NMTREEVIEWW*;

// --- up-down control
inline constexpr UINT UDM_SETRANGE = WM_USER + 101, UDM_GETRANGE = WM_USER + 102, UDM_SETPOS = WM_USER + 103,
                      UDM_GETPOS = WM_USER + 104, UDM_SETBUDDY = WM_USER + 105, UDM_GETBUDDY = WM_USER + 106,
                      UDM_SETBASE = WM_USER + 109, UDM_GETBASE = WM_USER + 110,
                      UDM_SETRANGE32 = WM_USER + 111, UDM_GETRANGE32 = WM_USER + 112,
                      UDM_SETPOS32 = WM_USER + 113, UDM_GETPOS32 = WM_USER + 114;
inline constexpr int UD_MAXVAL = 0x7FFF, UD_MINVAL = -UD_MAXVAL;
inline constexpr UINT UDN_FIRST = 0U - 721U;
inline constexpr UINT UDN_DELTAPOS = UDN_FIRST - 1;
struct NMUPDOWN {
  NMHDR hdr;
  int iPos;
  int iDelta;
};
using LPNMUPDOWN = NMUPDOWN*;
