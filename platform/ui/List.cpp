#include "platform/ui/detail/List.h"

#include <cwchar>

#include "platform/ui/detail/Peers.h"

namespace orv::ui {
namespace {
// The messages of the two classes differ only in number.
struct Messages {
  UINT add, insert, remove, reset, setCurrent, getCurrent, getText, getTextLength, count, getData, setData;
  int error;
};
constexpr Messages kListBox{LB_ADDSTRING,    LB_INSERTSTRING, LB_DELETESTRING,  LB_RESETCONTENT,
                            LB_SETCURSEL,    LB_GETCURSEL,    LB_GETTEXT,       LB_GETTEXTLEN,
                            LB_GETCOUNT,     LB_GETITEMDATA,  LB_SETITEMDATA,   LB_ERR};
constexpr Messages kComboBox{CB_ADDSTRING,   CB_INSERTSTRING, CB_DELETESTRING,  CB_RESETCONTENT,
                             CB_SETCURSEL,   CB_GETCURSEL,    CB_GETLBTEXT,     CB_GETLBTEXTLEN,
                             CB_GETCOUNT,    CB_GETITEMDATA,  CB_SETITEMDATA,   CB_ERR};
}  // namespace

void ListProc::Create(Window& w) {
  auto peer = CreateListPeer(w, *this);
  peer_ = peer.get();
  w.peer = std::move(peer);
}

bool ListProc::Notifies(const Window& w) const { return combo_ || (w.style & LBS_NOTIFY) != 0; }

int ListProc::Insert(Window& w, int index, const wchar_t* text) {
  Entry entry{text != nullptr ? CString(text) : CString(), 0};
  bool sorted = (w.style & (combo_ ? CBS_SORT : LBS_SORT)) != 0;
  int count = static_cast<int>(entries.size());
  if (index < 0 || index > count) index = count;
  if (sorted && index == count) {
    index = 0;
    while (index < count && entries[static_cast<std::size_t>(index)].text.CompareNoCase(entry.text) <= 0) ++index;
  }
  entries.insert(entries.begin() + index, entry);
  if (current >= index) ++current;
  if (peer_ != nullptr) peer_->Refresh();
  return index;
}

LRESULT ListProc::WndProc(Window& w, UINT message, WPARAM wParam, LPARAM lParam) {
  const Messages& m = combo_ ? kComboBox : kListBox;
  int count = static_cast<int>(entries.size());
  auto index = static_cast<int>(static_cast<std::intptr_t>(wParam));
  bool valid = index >= 0 && index < count;
  if (message == m.add) return Insert(w, count, reinterpret_cast<const wchar_t*>(lParam));
  if (message == m.insert) return Insert(w, index, reinterpret_cast<const wchar_t*>(lParam));
  if (message == m.remove) {
    if (!valid) return m.error;
    entries.erase(entries.begin() + index);
    if (current == index) current = -1;
    else if (current > index) --current;
    if (peer_ != nullptr) peer_->Refresh();
    return static_cast<LRESULT>(entries.size());
  }
  if (message == m.reset) {
    entries.clear();
    current = -1;
    if (peer_ != nullptr) peer_->Refresh();
    return 0;
  }
  if (message == m.setCurrent) {
    current = valid ? index : -1;
    if (peer_ != nullptr) peer_->Refresh();
    return valid ? index : m.error;
  }
  if (message == m.getCurrent) return current;
  if (message == m.count) return count;
  if (message == m.getTextLength) return valid ? entries[static_cast<std::size_t>(index)].text.GetLength() : m.error;
  if (message == m.getText) {
    auto* buffer = reinterpret_cast<wchar_t*>(lParam);
    if (!valid || buffer == nullptr) return m.error;
    // The platform's contract: the buffer holds at least GETTEXTLEN + 1 characters.
    const CString& text = entries[static_cast<std::size_t>(index)].text;
    std::wmemcpy(buffer, text.GetString(), static_cast<std::size_t>(text.GetLength()) + 1);
    return text.GetLength();
  }
  if (message == m.getData) return valid ? entries[static_cast<std::size_t>(index)].data : m.error;
  if (message == m.setData) {
    if (!valid) return m.error;
    entries[static_cast<std::size_t>(index)].data = lParam;
    return TRUE;
  }
  if (!combo_ && message == LB_FINDSTRINGEXACT) {
    auto* text = reinterpret_cast<const wchar_t*>(lParam);
    if (text == nullptr) return LB_ERR;
    for (int i = 0; i < count; ++i) {
      int at = (index + 1 + i) % count;
      if (index < 0 || index >= count) at = i;
      if (entries[static_cast<std::size_t>(at)].text.CompareNoCase(text) == 0) return at;
    }
    return LB_ERR;
  }
  if (message == WM_PAINT) {
    w.Validate(nullptr);
    return 0;
  }
  return DefaultProc(w, message, wParam, lParam);
}

void ListProc::UserSelected(Window& w, int index) {
  if (index < -1 || index >= static_cast<int>(entries.size()) || index == current) return;
  current = index;
  if (combo_ && index >= 0) w.text = entries[static_cast<std::size_t>(index)].text;
  if (Notifies(w)) w.NotifyParentCommand(combo_ ? CBN_SELCHANGE : LBN_SELCHANGE);
}

void ListProc::UserDoubleClicked(Window& w, int index) {
  UserSelected(w, index);
  if (!combo_ && Window::IsLive(&w) && Notifies(w)) w.NotifyParentCommand(LBN_DBLCLK);
}

}  // namespace orv::ui
