// Tree views on QTreeWidget. The model owns the items; the widget mirrors them one to one.
// Clicks, keys and the expander come back as user actions, which the model may refuse
// (TVN_SELCHANGING, TVN_ITEMEXPANDING); the widget then shows the model's state again.
#include <QHash>
#include <QHeaderView>
#include <QTreeWidget>

#include "platform/ui/detail/Peers.h"
#include "platform/ui/qt/QtAccess.h"
#include "platform/ui/qt/QtCommon.h"

namespace orv::ui {
namespace {

// Knows whether a selection change comes from the mouse or the keyboard.
class TreeWidget : public QTreeWidget {
public:
  using QTreeWidget::QTreeWidget;
  UINT Action() const { return action_; }

protected:
  void mousePressEvent(QMouseEvent* event) override {
    action_ = TVC_BYMOUSE;
    QTreeWidget::mousePressEvent(event);
    action_ = TVC_UNKNOWN;
  }
  void keyPressEvent(QKeyEvent* event) override {
    action_ = TVC_BYKEYBOARD;
    QTreeWidget::keyPressEvent(event);
    action_ = TVC_UNKNOWN;
  }

private:
  UINT action_ = TVC_UNKNOWN;
};

class QtTreePeer final : public qt::QtPeerOf<TreePeer> {
public:
  QtTreePeer(Window& w, TreeProc& proc, TreeWidget* tree) : QtPeerOf(w, tree) {
    tree->setHeaderHidden(true);
    tree->setColumnCount(1);
    tree->setSelectionMode(QAbstractItemView::SingleSelection);
    tree->setExpandsOnDoubleClick(false);  // the owner's answer to NM_DBLCLK decides
    tree->setUniformRowHeights(true);
    ApplyStyle();
    Window* model = &w;
    TreeProc* logic = &proc;
    QObject::connect(tree, &QTreeWidget::currentItemChanged, Guard(), [=, this](QTreeWidgetItem* current, QTreeWidgetItem*) {
      UINT action = static_cast<TreeWidget*>(Tree())->Action();
      TreeItem* item = ItemOf(current);
      qt::FromUser([&] { logic->UserSelected(*model, item, action); });
    });
    QObject::connect(tree, &QTreeWidget::itemExpanded, Guard(), [=, this](QTreeWidgetItem* q) {
      TreeItem* item = ItemOf(q);
      if (item == nullptr || (item->state & TVIS_EXPANDED) != 0) return;
      qt::FromUser([&] { logic->UserExpanded(*model, item, true); });
    });
    QObject::connect(tree, &QTreeWidget::itemCollapsed, Guard(), [=, this](QTreeWidgetItem* q) {
      TreeItem* item = ItemOf(q);
      if (item == nullptr || (item->state & TVIS_EXPANDED) == 0) return;
      qt::FromUser([&] { logic->UserExpanded(*model, item, false); });
    });
    QObject::connect(tree, &QTreeWidget::itemDoubleClicked, Guard(), [=, this](QTreeWidgetItem* q, int) {
      TreeItem* item = ItemOf(q);
      qt::FromUser([&] { logic->UserDoubleClicked(*model, item); });
    });
    QObject::connect(tree, &QTreeWidget::itemClicked, Guard(),
                     [=](QTreeWidgetItem*, int) { qt::FromUser([&] { logic->UserClicked(*model); }); });
  }

  void Inserted(TreeItem* item) override {
    QTreeWidget* tree = Tree();
    if (tree == nullptr) return;
    QSignalBlocker block(tree);
    auto* q = new QTreeWidgetItem();
    toQt_.insert(item, q);
    fromQt_.insert(q, item);
    QTreeWidgetItem* parent = toQt_.value(item->parent, nullptr);
    int index = item->IndexInParent();
    if (parent != nullptr) parent->insertChild(index, q);
    else tree->insertTopLevelItem(index, q);
    Show(item);
    for (const auto& child : item->children) Inserted(child.get());
    q->setExpanded((item->state & TVIS_EXPANDED) != 0);
    if (parent != nullptr) Show(item->parent);
  }

  void Removing(TreeItem* item) override {
    QTreeWidget* tree = Tree();
    QTreeWidgetItem* q = toQt_.value(item, nullptr);
    if (tree == nullptr || q == nullptr) return;
    QSignalBlocker block(tree);
    for (const auto& child : item->children) Forget(child.get());
    toQt_.remove(item);
    fromQt_.remove(q);
    delete q;  // takes its children along
    if (item->parent != nullptr && toQt_.contains(item->parent)) Show(item->parent);
  }

  void Changed(TreeItem* item) override {
    QSignalBlocker block(Tree());
    Show(item);
  }

  void SetExpanded(TreeItem* item, bool expanded) override {
    QTreeWidgetItem* q = toQt_.value(item, nullptr);
    if (q == nullptr || q->isExpanded() == expanded) return;
    QSignalBlocker block(Tree());
    q->setExpanded(expanded);
  }

  void SetSelected(TreeItem* item) override {
    QTreeWidget* tree = Tree();
    if (tree == nullptr) return;
    QSignalBlocker block(tree);
    QTreeWidgetItem* q = toQt_.value(item, nullptr);
    tree->setCurrentItem(q);
    if (q == nullptr) tree->clearSelection();
  }

  void ScrollTo(TreeItem* item) override {
    QTreeWidgetItem* q = toQt_.value(item, nullptr);
    if (q != nullptr && Tree() != nullptr) Tree()->scrollToItem(q);
  }

  void StyleChanged() override {
    ApplyAppearance();
    ApplyStyle();
  }

  // For the test driver: the widget item of a model item.
  QTreeWidgetItem* QtItem(TreeItem* item) const { return toQt_.value(item, nullptr); }

private:
  QTreeWidget* Tree() const { return static_cast<QTreeWidget*>(Widget()); }
  TreeItem* ItemOf(QTreeWidgetItem* q) const { return fromQt_.value(q, nullptr); }

  void Forget(TreeItem* item) {
    for (const auto& child : item->children) Forget(child.get());
    QTreeWidgetItem* q = toQt_.take(item);
    fromQt_.remove(q);
  }

  void Show(TreeItem* item) {
    QTreeWidgetItem* q = toQt_.value(item, nullptr);
    if (q == nullptr) return;
    q->setText(0, qt::ToQString(item->text));
    QFont font = q->font(0);
    font.setBold((item->state & TVIS_BOLD) != 0);
    q->setFont(0, font);
    // An item promised children (TVIF_CHILDREN) shows its expander before they exist.
    q->setChildIndicatorPolicy(item->HasChildren() ? QTreeWidgetItem::ShowIndicator
                                                   : QTreeWidgetItem::DontShowIndicatorWhenChildless);
  }

  void ApplyStyle() {
    QTreeWidget* tree = Tree();
    if (tree == nullptr) return;
    DWORD style = Model().style;
    tree->setRootIsDecorated((style & TVS_LINESATROOT) != 0);
    tree->setItemsExpandable((style & TVS_HASBUTTONS) != 0 || (style & TVS_LINESATROOT) != 0);
    tree->setHorizontalScrollBarPolicy((style & TVS_NOHSCROLL) != 0 ? Qt::ScrollBarAlwaysOff : Qt::ScrollBarAsNeeded);
    bool framed = (Model().exStyle & (WS_EX_CLIENTEDGE | WS_EX_STATICEDGE)) != 0 || (style & WS_BORDER) != 0;
    tree->setFrameShape(framed ? QFrame::StyledPanel : QFrame::NoFrame);
  }

  QHash<TreeItem*, QTreeWidgetItem*> toQt_;
  QHash<QTreeWidgetItem*, TreeItem*> fromQt_;
};

}  // namespace

std::unique_ptr<TreePeer> CreateTreePeer(Window& w, TreeProc& proc) {
  auto* tree = new TreeWidget(qt::ParentWidgetFor(w));
  return std::make_unique<QtTreePeer>(w, proc, tree);
}

QTreeWidgetItem* QtTreeItem(Window& tree, TreeItem* item) {
  auto* peer = dynamic_cast<QtTreePeer*>(tree.peer.get());
  return peer != nullptr ? peer->QtItem(item) : nullptr;
}

}  // namespace orv::ui
