#include "platform/ui/detail/Tree.h"

#include <algorithm>
#include <cwchar>

#include "platform/ui/detail/Peers.h"

namespace orv::ui {

int TreeItem::IndexInParent() const {
  if (parent == nullptr) return -1;
  const auto& siblings = parent->children;
  for (std::size_t i = 0; i < siblings.size(); ++i)
    if (siblings[i].get() == this) return static_cast<int>(i);
  return -1;
}

TreeProc::TreeProc() = default;
TreeProc::~TreeProc() = default;

void TreeProc::Create(Window& w) {
  root_.state = TVIS_EXPANDED;
  auto peer = CreateTreePeer(w, *this);
  peer_ = peer.get();
  w.peer = std::move(peer);
}

void TreeProc::Destroyed(Window& w) {
  // The items go with the window; the owner hears TVN_DELETEITEM for none of them, as the
  // window is no longer there to be told.
  (void)w;
  selected_ = nullptr;
}

HTREEITEM TreeProc::Insert(Window& w, const TVINSERTSTRUCTW& insert) {
  TreeItem* parent = &root_;
  if (insert.hParent != nullptr && insert.hParent != TVI_ROOT) {
    if (!IsItem(insert.hParent)) return nullptr;
    parent = insert.hParent;
  }
  auto item = std::make_unique<TreeItem>();
  const TVITEMW& from = insert.item;
  if ((from.mask & TVIF_TEXT) != 0 && from.pszText != nullptr) item->text = from.pszText;
  if ((from.mask & TVIF_PARAM) != 0) item->data = from.lParam;
  if ((from.mask & TVIF_IMAGE) != 0) item->image = from.iImage;
  if ((from.mask & TVIF_SELECTEDIMAGE) != 0) item->selectedImage = from.iSelectedImage;
  if ((from.mask & TVIF_CHILDREN) != 0) item->childrenHint = from.cChildren;
  if ((from.mask & TVIF_STATE) != 0) item->state = from.state & from.stateMask & (TVIS_BOLD | TVIS_EXPANDED);
  item->parent = parent;

  auto& siblings = parent->children;
  std::size_t at = siblings.size();
  HTREEITEM after = insert.hInsertAfter;
  if (after == TVI_FIRST) {
    at = 0;
  } else if (after == TVI_SORT) {
    at = 0;
    while (at < siblings.size() && siblings[at]->text.CompareNoCase(item->text) <= 0) ++at;
  } else if (after != TVI_LAST && after != nullptr) {
    if (!IsItem(after) || after->parent != parent) return nullptr;
    at = static_cast<std::size_t>(after->IndexInParent()) + 1;
  }
  TreeItem* raw = item.get();
  siblings.insert(siblings.begin() + static_cast<std::ptrdiff_t>(at), std::move(item));
  items_.insert(raw);
  if (peer_ != nullptr) peer_->Inserted(raw);
  (void)w;
  return raw;
}

void TreeProc::Delete(Window& w, TreeItem* item) {
  while (!item->children.empty()) Delete(w, item->children.back().get());
  if (selected_ == item) {
    selected_ = nullptr;
    if (peer_ != nullptr) peer_->SetSelected(nullptr);
  }
  NMTREEVIEWW nm{};
  nm.hdr.code = TVN_DELETEITEMW;
  FillItem(item, &nm.itemOld);
  w.NotifyParent(&nm.hdr);
  if (peer_ != nullptr) peer_->Removing(item);
  items_.erase(item);
  auto& siblings = item->parent->children;
  siblings.erase(std::remove_if(siblings.begin(), siblings.end(), [&](const auto& p) { return p.get() == item; }),
                 siblings.end());
}

bool TreeProc::Expand(Window& w, TreeItem* item, UINT action, bool notify) {
  bool expanded = (item->state & TVIS_EXPANDED) != 0;
  bool want = (action & TVE_TOGGLE) == TVE_TOGGLE ? !expanded : (action & TVE_EXPAND) != 0;
  if (want == expanded) return want && item->HasChildren();
  if (want && !item->HasChildren()) return false;
  NMTREEVIEWW nm{};
  nm.action = want ? TVE_EXPAND : TVE_COLLAPSE;
  FillItem(item, &nm.itemNew);
  if (notify) {
    nm.hdr.code = TVN_ITEMEXPANDINGW;
    if (w.NotifyParent(&nm.hdr) != 0 || !Window::IsLive(&w) || !IsItem(item)) {
      if (Window::IsLive(&w) && IsItem(item) && peer_ != nullptr) peer_->SetExpanded(item, expanded);
      return false;
    }
  }
  if (want) item->state |= TVIS_EXPANDED | TVIS_EXPANDEDONCE;
  else item->state &= ~TVIS_EXPANDED;
  if (peer_ != nullptr) peer_->SetExpanded(item, want);
  // A collapse that hides the selected item moves the selection to the item collapsed.
  if (!want && selected_ != nullptr && selected_ != item) {
    for (TreeItem* p = selected_->parent; p != nullptr; p = p->parent)
      if (p == item) {
        Select(w, item, TVC_UNKNOWN);
        break;
      }
  }
  if (notify && Window::IsLive(&w) && IsItem(item)) {
    nm.hdr.code = TVN_ITEMEXPANDEDW;
    FillItem(item, &nm.itemNew);
    w.NotifyParent(&nm.hdr);
  }
  return true;
}

void TreeProc::EnsureVisible(Window& w, TreeItem* item) {
  std::vector<TreeItem*> ancestors;
  for (TreeItem* p = item->parent; p != nullptr && p != &root_; p = p->parent) ancestors.push_back(p);
  for (auto it = ancestors.rbegin(); it != ancestors.rend(); ++it) {
    if (!Window::IsLive(&w) || !IsItem(*it)) return;
    if ((((*it)->state) & TVIS_EXPANDED) == 0) Expand(w, *it, TVE_EXPAND, true);
  }
  if (Window::IsLive(&w) && IsItem(item) && peer_ != nullptr) peer_->ScrollTo(item);
}

bool TreeProc::Select(Window& w, TreeItem* item, UINT action) {
  if (item == selected_) {
    if (item != nullptr) EnsureVisible(w, item);
    return true;
  }
  NMTREEVIEWW nm{};
  nm.action = action;
  FillItem(selected_, &nm.itemOld);
  FillItem(item, &nm.itemNew);
  nm.hdr.code = TVN_SELCHANGINGW;
  if (w.NotifyParent(&nm.hdr) != 0 || !Window::IsLive(&w)) {
    if (Window::IsLive(&w) && peer_ != nullptr) peer_->SetSelected(selected_);
    return false;
  }
  if (item != nullptr && !IsItem(item)) return false;
  if (item != nullptr) EnsureVisible(w, item);
  if (!Window::IsLive(&w) || (item != nullptr && !IsItem(item))) return false;
  TreeItem* old = IsItem(selected_) ? selected_ : nullptr;
  selected_ = item;
  if (peer_ != nullptr) peer_->SetSelected(item);
  FillItem(old, &nm.itemOld);
  FillItem(item, &nm.itemNew);
  nm.hdr.code = TVN_SELCHANGEDW;
  w.NotifyParent(&nm.hdr);
  return true;
}

HTREEITEM TreeProc::Next(TreeItem* item, UINT relation) {
  switch (relation) {
    case TVGN_ROOT:
    case TVGN_FIRSTVISIBLE:
      return root_.children.empty() ? nullptr : root_.children.front().get();
    case TVGN_CARET:
      return selected_;
    case TVGN_CHILD: {
      TreeItem* parent = item == nullptr || item == TVI_ROOT ? &root_ : (IsItem(item) ? item : nullptr);
      return parent != nullptr && !parent->children.empty() ? parent->children.front().get() : nullptr;
    }
    case TVGN_NEXT:
    case TVGN_PREVIOUS: {
      if (!IsItem(item)) return nullptr;
      const auto& siblings = item->parent->children;
      int i = item->IndexInParent() + (relation == TVGN_NEXT ? 1 : -1);
      return i >= 0 && i < static_cast<int>(siblings.size()) ? siblings[static_cast<std::size_t>(i)].get() : nullptr;
    }
    case TVGN_PARENT:
      return IsItem(item) && item->parent != &root_ ? item->parent : nullptr;
    default:
      return nullptr;
  }
}

void TreeProc::FillItem(TreeItem* item, TVITEMW* out) const {
  *out = TVITEMW{};
  if (item == nullptr || !IsItem(item)) return;
  out->mask = TVIF_HANDLE | TVIF_STATE | TVIF_PARAM;
  out->hItem = item;
  out->state = item->state | (item == selected_ ? TVIS_SELECTED : 0);
  out->stateMask = 0xFFFF;
  out->lParam = item->data;
}

BOOL TreeProc::GetItem(TVITEMW* out) const {
  if (out == nullptr || !IsItem(out->hItem)) return FALSE;
  TreeItem* item = out->hItem;
  if ((out->mask & TVIF_TEXT) != 0 && out->pszText != nullptr && out->cchTextMax > 0) {
    auto n = std::min<std::size_t>(static_cast<std::size_t>(out->cchTextMax) - 1,
                                   static_cast<std::size_t>(item->text.GetLength()));
    std::wmemcpy(out->pszText, item->text.GetString(), n);
    out->pszText[n] = L'\0';
  }
  if ((out->mask & TVIF_PARAM) != 0) out->lParam = item->data;
  if ((out->mask & TVIF_IMAGE) != 0) out->iImage = item->image;
  if ((out->mask & TVIF_SELECTEDIMAGE) != 0) out->iSelectedImage = item->selectedImage;
  if ((out->mask & TVIF_CHILDREN) != 0) out->cChildren = item->HasChildren() ? 1 : 0;
  if ((out->mask & TVIF_STATE) != 0)
    out->state = (item->state | (item == selected_ ? TVIS_SELECTED : 0)) & out->stateMask;
  return TRUE;
}

BOOL TreeProc::SetItem(Window& w, const TVITEMW* in) {
  if (in == nullptr || !IsItem(in->hItem)) return FALSE;
  TreeItem* item = in->hItem;
  if ((in->mask & TVIF_TEXT) != 0) item->text = in->pszText != nullptr ? in->pszText : L"";
  if ((in->mask & TVIF_PARAM) != 0) item->data = in->lParam;
  if ((in->mask & TVIF_IMAGE) != 0) item->image = in->iImage;
  if ((in->mask & TVIF_SELECTEDIMAGE) != 0) item->selectedImage = in->iSelectedImage;
  if ((in->mask & TVIF_CHILDREN) != 0) item->childrenHint = in->cChildren;
  if ((in->mask & TVIF_STATE) != 0) {
    UINT mask = in->stateMask & (TVIS_BOLD | TVIS_EXPANDEDONCE);
    item->state = (item->state & ~mask) | (in->state & mask);
    if ((in->stateMask & TVIS_EXPANDED) != 0) Expand(w, item, (in->state & TVIS_EXPANDED) != 0 ? TVE_EXPAND : TVE_COLLAPSE, false);
    if ((in->stateMask & TVIS_SELECTED) != 0 && (in->state & TVIS_SELECTED) != 0) Select(w, item, TVC_UNKNOWN);
  }
  if (Window::IsLive(&w) && IsItem(item) && peer_ != nullptr) peer_->Changed(item);
  return TRUE;
}

void TreeProc::SortChildren(Window& w, TreeItem* parent, bool recurse) {
  auto& c = parent->children;
  std::stable_sort(c.begin(), c.end(), [](const auto& a, const auto& b) { return a->text.CompareNoCase(b->text) < 0; });
  if (peer_ != nullptr)
    for (auto& child : c) {
      // The view follows by taking each item out and in again, children included.
      peer_->Removing(child.get());
      peer_->Inserted(child.get());
    }
  if (recurse)
    for (auto& child : c) SortChildren(w, child.get(), true);
}

int TreeProc::Count(const TreeItem* item) const {
  int n = 0;
  for (const auto& c : item->children) n += 1 + Count(c.get());
  return n;
}

LRESULT TreeProc::WndProc(Window& w, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case TVM_INSERTITEMW: {
      auto* insert = reinterpret_cast<const TVINSERTSTRUCTW*>(lParam);
      return insert != nullptr ? reinterpret_cast<LRESULT>(Insert(w, *insert)) : 0;
    }
    case TVM_DELETEITEM: {
      auto item = reinterpret_cast<HTREEITEM>(lParam);
      if (item == TVI_ROOT || item == nullptr) {
        while (!root_.children.empty() && Window::IsLive(&w)) Delete(w, root_.children.back().get());
        return TRUE;
      }
      if (!IsItem(item)) return FALSE;
      Delete(w, item);
      return TRUE;
    }
    case TVM_EXPAND: {
      auto item = reinterpret_cast<HTREEITEM>(lParam);
      return IsItem(item) && Expand(w, item, static_cast<UINT>(wParam), false) ? TRUE : FALSE;
    }
    case TVM_GETCOUNT:
      return Count(&root_);
    case TVM_GETNEXTITEM:
      return reinterpret_cast<LRESULT>(Next(reinterpret_cast<HTREEITEM>(lParam), static_cast<UINT>(wParam)));
    case TVM_SELECTITEM: {
      auto item = reinterpret_cast<HTREEITEM>(lParam);
      if (wParam != TVGN_CARET) return IsItem(item) || item == nullptr ? TRUE : FALSE;
      if (item != nullptr && !IsItem(item)) return FALSE;
      return Select(w, item, TVC_UNKNOWN) ? TRUE : FALSE;
    }
    case TVM_ENSUREVISIBLE: {
      auto item = reinterpret_cast<HTREEITEM>(lParam);
      if (!IsItem(item)) return FALSE;
      EnsureVisible(w, item);
      return TRUE;
    }
    case TVM_GETITEMW:
      return GetItem(reinterpret_cast<TVITEMW*>(lParam));
    case TVM_SETITEMW:
      return SetItem(w, reinterpret_cast<const TVITEMW*>(lParam));
    case TVM_SORTCHILDREN: {
      auto item = reinterpret_cast<HTREEITEM>(lParam);
      TreeItem* parent = item == nullptr || item == TVI_ROOT ? &root_ : (IsItem(item) ? item : nullptr);
      if (parent == nullptr) return FALSE;
      SortChildren(w, parent, wParam != 0);
      return TRUE;
    }
    case WM_PAINT:
      w.Validate(nullptr);
      return 0;
    default:
      return DefaultProc(w, message, wParam, lParam);
  }
}

void TreeProc::UserSelected(Window& w, TreeItem* item, UINT action) {
  if (item != nullptr && !IsItem(item)) return;
  Select(w, item, action);
}

bool TreeProc::UserExpanded(Window& w, TreeItem* item, bool expand) {
  if (!IsItem(item)) return false;
  return Expand(w, item, expand ? TVE_EXPAND : TVE_COLLAPSE, true);
}

void TreeProc::UserDoubleClicked(Window& w, TreeItem* item) {
  NMHDR header{};
  header.code = NM_DBLCLK;
  // A zero answer lets the tree do its own double-click work: open or close the item.
  if (w.NotifyParent(&header) != 0 || !Window::IsLive(&w)) return;
  if (IsItem(item) && item->HasChildren()) Expand(w, item, TVE_TOGGLE, true);
}

void TreeProc::UserClicked(Window& w) {
  NMHDR header{};
  header.code = NM_CLICK;
  w.NotifyParent(&header);
}

}  // namespace orv::ui
