#pragma once
// The tree view ("SysTreeView32"): items with text and data under an invisible root, one
// selected item, expansion, and the notifications the platform sends for them.
#include <memory>
#include <unordered_set>
#include <vector>

#include "platform/ui/CommCtrl.h"
#include "platform/ui/detail/Window.h"

namespace orv::ui {

struct TreeItem {
  CString text;
  LPARAM data = 0;
  int image = 0;
  int selectedImage = 0;
  UINT state = 0;          // TVIS_EXPANDED, TVIS_BOLD, TVIS_EXPANDEDONCE (TVIS_SELECTED is derived)
  int childrenHint = -2;   // TVIF_CHILDREN as set; -2: count the real children
  TreeItem* parent = nullptr;
  std::vector<std::unique_ptr<TreeItem>> children;

  bool HasChildren() const { return childrenHint == -2 ? !children.empty() : childrenHint != 0; }
  int IndexInParent() const;
};

class TreePeer : public WindowPeer {
public:
  // The item is linked into the model already; the peer adds its view at the same place.
  virtual void Inserted(TreeItem* item) = 0;
  // Called before the model frees the item (children first).
  virtual void Removing(TreeItem* item) = 0;
  virtual void Changed(TreeItem* item) = 0;
  virtual void SetExpanded(TreeItem* item, bool expanded) = 0;
  virtual void SetSelected(TreeItem* item) = 0;
  virtual void ScrollTo(TreeItem* item) = 0;
};

class TreeProc : public ClassProc {
public:
  TreeProc();
  ~TreeProc() override;
  void Create(Window& w) override;
  LRESULT WndProc(Window& w, UINT message, WPARAM wParam, LPARAM lParam) override;
  void Destroyed(Window& w) override;

  // Whether the handle names an item of this tree (TVI_ROOT does not).
  bool IsItem(HTREEITEM item) const { return item != nullptr && items_.count(item) != 0; }
  TreeItem* Root() { return &root_; }
  TreeItem* Selected() const { return selected_; }

  // --- user actions from the view
  void UserSelected(Window& w, TreeItem* item, UINT action);
  // Returns whether the expansion took place (the owner may refuse it).
  bool UserExpanded(Window& w, TreeItem* item, bool expand);
  void UserDoubleClicked(Window& w, TreeItem* item);
  void UserClicked(Window& w);

private:
  HTREEITEM Insert(Window& w, const TVINSERTSTRUCTW& insert);
  void Delete(Window& w, TreeItem* item);
  // Expands or collapses; with notify, the owner hears TVN_ITEMEXPANDING (and may refuse)
  // and TVN_ITEMEXPANDED.
  bool Expand(Window& w, TreeItem* item, UINT action, bool notify);
  // Selects (null: no selection) with TVN_SELCHANGING / TVN_SELCHANGED; the ancestors of the
  // new item are expanded first.
  bool Select(Window& w, TreeItem* item, UINT action);
  void EnsureVisible(Window& w, TreeItem* item);
  HTREEITEM Next(TreeItem* item, UINT relation);
  BOOL GetItem(TVITEMW* out) const;
  BOOL SetItem(Window& w, const TVITEMW* in);
  void FillItem(TreeItem* item, TVITEMW* out) const;
  void SortChildren(Window& w, TreeItem* parent, bool recurse);
  int Count(const TreeItem* item) const;

  TreeItem root_;
  std::unordered_set<const TreeItem*> items_;
  TreeItem* selected_ = nullptr;
  TreePeer* peer_ = nullptr;
};

}  // namespace orv::ui
