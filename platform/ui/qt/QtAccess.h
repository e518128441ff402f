#pragma once
// What the test driver needs to reach inside the Qt peers.
#include <QTreeWidgetItem>
#include <QWidget>

#include "platform/ui/detail/Tree.h"

namespace orv::ui {

// The widget item showing a tree item; null when there is none.
QTreeWidgetItem* QtTreeItem(Window& tree, TreeItem* item);
// The up (+1) or down (-1) arrow button of an up-down control.
QWidget* QtUpDownArrow(Window& upDown, int direction);

}  // namespace orv::ui
