// List boxes on QListWidget and drop-down lists on QComboBox; both show the model's strings
// and current entry and report the user's choice.
#include <algorithm>

#include <QComboBox>
#include <QListWidget>

#include "platform/ui/detail/Peers.h"
#include "platform/ui/qt/QtCommon.h"

namespace orv::ui {
namespace {

class QtListPeer final : public qt::QtPeerOf<ListPeer> {
public:
  QtListPeer(Window& w, ListProc& proc, QWidget* widget) : QtPeerOf(w, widget), proc_(&proc) {
    Window* model = &w;
    ListProc* logic = &proc;
    if (auto* list = qobject_cast<QListWidget*>(widget)) {
      list->setSelectionMode(QAbstractItemView::SingleSelection);
      QObject::connect(list, &QListWidget::currentRowChanged, Guard(),
                       [=](int row) { qt::FromUser([&] { logic->UserSelected(*model, row); }); });
      QObject::connect(list, &QListWidget::itemDoubleClicked, Guard(), [=](QListWidgetItem* item) {
        int row = item != nullptr ? item->listWidget()->row(item) : -1;
        qt::FromUser([&] { logic->UserDoubleClicked(*model, row); });
      });
    } else if (auto* combo = qobject_cast<QComboBox*>(widget)) {
      QObject::connect(combo, &QComboBox::activated, Guard(),
                       [=](int index) { qt::FromUser([&] { logic->UserSelected(*model, index); }); });
    }
  }

  void SetGeometry(const CRect& rect) override {
    // A combo box's template height includes its drop-down list; the box itself is one line.
    CRect r = rect;
    if (auto* combo = qobject_cast<QComboBox*>(Widget()))
      r.bottom = r.top + std::min(r.Height(), combo->sizeHint().height());
    ApplyGeometry(r);
  }

  void Refresh() override {
    QWidget* widget = Widget();
    QSignalBlocker block(widget);
    if (auto* list = qobject_cast<QListWidget*>(widget)) {
      list->clear();
      for (const auto& entry : proc_->entries) list->addItem(qt::ToQString(entry.text));
      list->setCurrentRow(proc_->current);
      if (proc_->current < 0) list->clearSelection();
    } else if (auto* combo = qobject_cast<QComboBox*>(widget)) {
      combo->clear();
      for (const auto& entry : proc_->entries) combo->addItem(qt::ToQString(entry.text));
      combo->setCurrentIndex(proc_->current);
    }
  }

private:
  ListProc* proc_;
};

}  // namespace

std::unique_ptr<ListPeer> CreateListPeer(Window& w, ListProc& proc) {
  QWidget* parent = qt::ParentWidgetFor(w);
  QWidget* widget = proc.IsCombo() ? static_cast<QWidget*>(new QComboBox(parent)) : new QListWidget(parent);
  return std::make_unique<QtListPeer>(w, proc, widget);
}

}  // namespace orv::ui
