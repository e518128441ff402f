#pragma once
// The list box ("LISTBOX") and the drop-down list combo box ("COMBOBOX"): a list of strings
// with item data and one current selection.
#include <vector>

#include "platform/ui/detail/Window.h"

namespace orv::ui {

class ListPeer : public WindowPeer {
public:
  // The whole list changed (strings or selection).
  virtual void Refresh() = 0;
};

class ListProc : public ClassProc {
public:
  explicit ListProc(bool combo) : combo_(combo) {}
  void Create(Window& w) override;
  LRESULT WndProc(Window& w, UINT message, WPARAM wParam, LPARAM lParam) override;

  // The user picked an entry (-1: none); double clicks also tell LBN_DBLCLK.
  void UserSelected(Window& w, int index);
  void UserDoubleClicked(Window& w, int index);

  bool IsCombo() const { return combo_; }
  struct Entry {
    CString text;
    LPARAM data = 0;
  };
  std::vector<Entry> entries;
  int current = -1;

private:
  int Insert(Window& w, int index, const wchar_t* text);
  bool Notifies(const Window& w) const;
  bool combo_;
  ListPeer* peer_ = nullptr;
};

}  // namespace orv::ui
