#include "platform/ui/CommonControls.h"

#include <type_traits>

IMPLEMENT_DYNAMIC(CTreeCtrl, CWnd)
IMPLEMENT_DYNAMIC(CSpinButtonCtrl, CWnd)

namespace {
template <typename T>
T Sent(const CWnd* w, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
  if constexpr (std::is_pointer_v<T>) return reinterpret_cast<T>(::SendMessageW(w->m_hWnd, message, wParam, lParam));
  else return static_cast<T>(::SendMessageW(w->m_hWnd, message, wParam, lParam));
}
LPARAM Item(HTREEITEM item) { return reinterpret_cast<LPARAM>(item); }
}  // namespace

// ---------------------------------------------------------------------------- CTreeCtrl
HTREEITEM CTreeCtrl::InsertItem(LPTVINSERTSTRUCT insert) {
  return Sent<HTREEITEM>(this, TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(insert));
}

HTREEITEM CTreeCtrl::InsertItem(LPCTSTR text, HTREEITEM parent, HTREEITEM after) {
  return InsertItem(TVIF_TEXT, text, 0, 0, 0, 0, 0, parent, after);
}

HTREEITEM CTreeCtrl::InsertItem(UINT mask, LPCTSTR text, int image, int selectedImage, UINT state, UINT stateMask,
                                LPARAM data, HTREEITEM parent, HTREEITEM after) {
  TVINSERTSTRUCTW insert{};
  insert.hParent = parent;
  insert.hInsertAfter = after;
  insert.item.mask = mask;
  insert.item.pszText = const_cast<LPWSTR>(text);
  insert.item.iImage = image;
  insert.item.iSelectedImage = selectedImage;
  insert.item.state = state;
  insert.item.stateMask = stateMask;
  insert.item.lParam = data;
  return InsertItem(&insert);
}

BOOL CTreeCtrl::DeleteItem(HTREEITEM item) { return Sent<BOOL>(this, TVM_DELETEITEM, 0, Item(item)); }
BOOL CTreeCtrl::DeleteAllItems() { return Sent<BOOL>(this, TVM_DELETEITEM, 0, Item(TVI_ROOT)); }
BOOL CTreeCtrl::Expand(HTREEITEM item, UINT code) { return Sent<BOOL>(this, TVM_EXPAND, code, Item(item)); }
UINT CTreeCtrl::GetCount() const { return Sent<UINT>(this, TVM_GETCOUNT); }
HTREEITEM CTreeCtrl::GetNextItem(HTREEITEM item, UINT code) const {
  return Sent<HTREEITEM>(this, TVM_GETNEXTITEM, code, Item(item));
}
HTREEITEM CTreeCtrl::GetChildItem(HTREEITEM item) const { return GetNextItem(item, TVGN_CHILD); }
HTREEITEM CTreeCtrl::GetNextSiblingItem(HTREEITEM item) const { return GetNextItem(item, TVGN_NEXT); }
HTREEITEM CTreeCtrl::GetPrevSiblingItem(HTREEITEM item) const { return GetNextItem(item, TVGN_PREVIOUS); }
HTREEITEM CTreeCtrl::GetParentItem(HTREEITEM item) const { return GetNextItem(item, TVGN_PARENT); }
HTREEITEM CTreeCtrl::GetRootItem() const { return GetNextItem(nullptr, TVGN_ROOT); }
HTREEITEM CTreeCtrl::GetSelectedItem() const { return GetNextItem(nullptr, TVGN_CARET); }
BOOL CTreeCtrl::SelectItem(HTREEITEM item) { return Sent<BOOL>(this, TVM_SELECTITEM, TVGN_CARET, Item(item)); }
BOOL CTreeCtrl::EnsureVisible(HTREEITEM item) { return Sent<BOOL>(this, TVM_ENSUREVISIBLE, 0, Item(item)); }

CString CTreeCtrl::GetItemText(HTREEITEM item) const {
  // Texts have no fixed bound here: ask with a growing buffer until the text fits.
  for (int size = 256; size <= (1 << 24); size *= 4) {
    CString text;
    TVITEMW tv{};
    tv.mask = TVIF_TEXT;
    tv.hItem = item;
    tv.pszText = text.GetBuffer(size);
    tv.cchTextMax = size + 1;
    BOOL ok = GetItem(&tv);
    text.ReleaseBuffer();
    if (!ok) return CString();
    if (text.GetLength() < size) return text;
  }
  return CString();
}

BOOL CTreeCtrl::SetItemText(HTREEITEM item, LPCTSTR text) {
  TVITEMW tv{};
  tv.mask = TVIF_TEXT;
  tv.hItem = item;
  tv.pszText = const_cast<LPWSTR>(text);
  return SetItem(&tv);
}

DWORD_PTR CTreeCtrl::GetItemData(HTREEITEM item) const {
  TVITEMW tv{};
  tv.mask = TVIF_PARAM;
  tv.hItem = item;
  return GetItem(&tv) ? static_cast<DWORD_PTR>(tv.lParam) : 0;
}

BOOL CTreeCtrl::SetItemData(HTREEITEM item, DWORD_PTR data) {
  TVITEMW tv{};
  tv.mask = TVIF_PARAM;
  tv.hItem = item;
  tv.lParam = static_cast<LPARAM>(data);
  return SetItem(&tv);
}

BOOL CTreeCtrl::ItemHasChildren(HTREEITEM item) const {
  TVITEMW tv{};
  tv.mask = TVIF_CHILDREN;
  tv.hItem = item;
  return GetItem(&tv) && tv.cChildren != 0 ? TRUE : FALSE;
}

UINT CTreeCtrl::GetItemState(HTREEITEM item, UINT stateMask) const {
  TVITEMW tv{};
  tv.mask = TVIF_STATE;
  tv.hItem = item;
  tv.stateMask = stateMask;
  return GetItem(&tv) ? tv.state & stateMask : 0;
}

BOOL CTreeCtrl::SetItemState(HTREEITEM item, UINT state, UINT stateMask) {
  TVITEMW tv{};
  tv.mask = TVIF_STATE;
  tv.hItem = item;
  tv.state = state;
  tv.stateMask = stateMask;
  return SetItem(&tv);
}

BOOL CTreeCtrl::GetItem(TVITEM* item) const { return Sent<BOOL>(this, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(item)); }
BOOL CTreeCtrl::SetItem(TVITEM* item) { return Sent<BOOL>(this, TVM_SETITEMW, 0, reinterpret_cast<LPARAM>(item)); }
BOOL CTreeCtrl::SortChildren(HTREEITEM item) { return Sent<BOOL>(this, TVM_SORTCHILDREN, 0, Item(item)); }

// ---------------------------------------------------------------------------- CSpinButtonCtrl
void CSpinButtonCtrl::SetRange(short lower, short upper) {
  SendMessage(UDM_SETRANGE, 0, static_cast<LPARAM>(MAKELONG(static_cast<WORD>(upper), static_cast<WORD>(lower))));
}
void CSpinButtonCtrl::SetRange32(int lower, int upper) {
  SendMessage(UDM_SETRANGE32, static_cast<WPARAM>(static_cast<std::intptr_t>(lower)), upper);
}
void CSpinButtonCtrl::GetRange(int& lower, int& upper) const {
  auto r = static_cast<WPARAM>(SendMessage(UDM_GETRANGE));
  lower = static_cast<short>(HIWORD(r));
  upper = static_cast<short>(LOWORD(r));
}
void CSpinButtonCtrl::GetRange32(int& lower, int& upper) const {
  SendMessage(UDM_GETRANGE32, reinterpret_cast<WPARAM>(&lower), reinterpret_cast<LPARAM>(&upper));
}
int CSpinButtonCtrl::SetPos(int pos) {
  return static_cast<short>(LOWORD(static_cast<WPARAM>(
      SendMessage(UDM_SETPOS, 0, static_cast<LPARAM>(MAKELONG(static_cast<WORD>(pos), 0))))));
}
int CSpinButtonCtrl::GetPos() const { return static_cast<int>(SendMessage(UDM_GETPOS)); }
int CSpinButtonCtrl::SetPos32(int pos) { return static_cast<int>(SendMessage(UDM_SETPOS32, 0, pos)); }
int CSpinButtonCtrl::GetPos32(LPBOOL error) const {
  return static_cast<int>(SendMessage(UDM_GETPOS32, 0, reinterpret_cast<LPARAM>(error)));
}
CWnd* CSpinButtonCtrl::SetBuddy(CWnd* buddy) {
  return FromHandle(reinterpret_cast<HWND>(
      SendMessage(UDM_SETBUDDY, reinterpret_cast<WPARAM>(buddy != nullptr ? buddy->m_hWnd : nullptr))));
}
CWnd* CSpinButtonCtrl::GetBuddy() const { return FromHandle(reinterpret_cast<HWND>(SendMessage(UDM_GETBUDDY))); }
int CSpinButtonCtrl::SetBase(int base) { return static_cast<int>(SendMessage(UDM_SETBASE, static_cast<WPARAM>(base))); }
UINT CSpinButtonCtrl::GetBase() const { return static_cast<UINT>(SendMessage(UDM_GETBASE)); }
