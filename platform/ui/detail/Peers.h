#pragma once
// The backend's views of the standard controls (implemented with Qt widgets).
#include <memory>

#include "platform/ui/detail/Edit.h"
#include "platform/ui/detail/List.h"
#include "platform/ui/detail/ScrollBar.h"
#include "platform/ui/detail/StaticButton.h"
#include "platform/ui/detail/Tree.h"
#include "platform/ui/detail/UpDown.h"

namespace orv::ui {

std::unique_ptr<StaticPeer> CreateStaticPeer(Window& w, StaticProc& proc);
std::unique_ptr<ButtonPeer> CreateButtonPeer(Window& w, ButtonProc& proc);
// Single-line edits, and multi-line ones (ES_MULTILINE) on a text area.
std::unique_ptr<EditPeer> CreateEditPeer(Window& w, EditProc& proc);
std::unique_ptr<EditPeer> CreateMultiLineEditPeer(Window& w, EditProc& proc);
std::unique_ptr<TreePeer> CreateTreePeer(Window& w, TreeProc& proc);
std::unique_ptr<UpDownPeer> CreateUpDownPeer(Window& w, UpDownProc& proc);
std::unique_ptr<ScrollBarPeer> CreateScrollBarPeer(Window& w, ScrollBarProc& proc);
std::unique_ptr<ListPeer> CreateListPeer(Window& w, ListProc& proc);

}  // namespace orv::ui
