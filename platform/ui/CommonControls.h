#pragma once
// The framework's objects for the common controls: the tree view and the up-down control.
#include "platform/ui/CommCtrl.h"
#include "platform/ui/Wnd.h"

class ORV_API CTreeCtrl : public CWnd {
  DECLARE_DYNAMIC(CTreeCtrl)
public:
  HTREEITEM InsertItem(LPTVINSERTSTRUCT insert);
  HTREEITEM InsertItem(LPCTSTR text, HTREEITEM parent = TVI_ROOT, HTREEITEM after = TVI_LAST);
  HTREEITEM InsertItem(UINT mask, LPCTSTR text, int image, int selectedImage, UINT state, UINT stateMask,
                       LPARAM data, HTREEITEM parent, HTREEITEM after);
  BOOL DeleteItem(HTREEITEM item);
  BOOL DeleteAllItems();
  BOOL Expand(HTREEITEM item, UINT code);
  UINT GetCount() const;
  HTREEITEM GetNextItem(HTREEITEM item, UINT code) const;
  HTREEITEM GetChildItem(HTREEITEM item) const;
  HTREEITEM GetNextSiblingItem(HTREEITEM item) const;
  HTREEITEM GetPrevSiblingItem(HTREEITEM item) const;
  HTREEITEM GetParentItem(HTREEITEM item) const;
  HTREEITEM GetRootItem() const;
  HTREEITEM GetSelectedItem() const;
  // Selects the item (null: nothing), expanding its parents; the owner hears
  // TVN_SELCHANGING and TVN_SELCHANGED unless the item was selected already.
  BOOL SelectItem(HTREEITEM item);
  BOOL EnsureVisible(HTREEITEM item);
  CString GetItemText(HTREEITEM item) const;
  BOOL SetItemText(HTREEITEM item, LPCTSTR text);
  DWORD_PTR GetItemData(HTREEITEM item) const;
  BOOL SetItemData(HTREEITEM item, DWORD_PTR data);
  BOOL ItemHasChildren(HTREEITEM item) const;
  UINT GetItemState(HTREEITEM item, UINT stateMask) const;
  BOOL SetItemState(HTREEITEM item, UINT state, UINT stateMask);
  BOOL GetItem(TVITEM* item) const;
  BOOL SetItem(TVITEM* item);
  BOOL SortChildren(HTREEITEM item);
};

class ORV_API CSpinButtonCtrl : public CWnd {
  DECLARE_DYNAMIC(CSpinButtonCtrl)
public:
  void SetRange(short lower, short upper);
  void SetRange32(int lower, int upper);
  void GetRange(int& lower, int& upper) const;
  void GetRange32(int& lower, int& upper) const;
  // Returns the previous position.
  int SetPos(int pos);
  // The position, read from the buddy when the control sets its buddy's integer; the high
  // word is non-zero when that text is no valid position.
  int GetPos() const;
  int SetPos32(int pos);
  int GetPos32(LPBOOL error = nullptr) const;
  CWnd* SetBuddy(CWnd* buddy);
  CWnd* GetBuddy() const;
  int SetBase(int base);
  UINT GetBase() const;
};
