#include "platform/ui/ShellBrowse.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/ui/CommonControls.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/TemplateBuilder.h"

namespace fs = std::filesystem;

// An item id list: the length of its path in characters, then the path and a NUL.
struct ITEMIDLIST {
  std::uint32_t length;
};

using orv::ui::DialogItem;

namespace {

wchar_t* PathChars(ITEMIDLIST* list) { return reinterpret_cast<wchar_t*>(list + 1); }
const wchar_t* PathChars(const ITEMIDLIST* list) { return reinterpret_cast<const wchar_t*>(list + 1); }

PIDLIST_ABSOLUTE MakeList(const std::wstring& path) {
  void* block = CoTaskMemAlloc(sizeof(ITEMIDLIST) + (path.size() + 1) * sizeof(wchar_t));
  if (block == nullptr) return nullptr;
  auto* list = static_cast<ITEMIDLIST*>(block);
  list->length = static_cast<std::uint32_t>(path.size());
  std::memcpy(PathChars(list), path.c_str(), (path.size() + 1) * sizeof(wchar_t));
  return list;
}

std::wstring PathOf(PCIDLIST_ABSOLUTE list) {
  return list != nullptr ? std::wstring(PathChars(list), list->length) : std::wstring();
}

// The path as the chooser names it: absolute, without "." or "..", no trailing separator.
std::wstring Normal(const fs::path& p) {
  std::wstring s = p.lexically_normal().wstring();
  while (s.size() > 1 && s.back() == L'/') s.pop_back();
  return s;
}

class ShellAllocator final : public IMalloc {
public:
  void* Alloc(std::size_t size) override { return CoTaskMemAlloc(size); }
  void* Realloc(void* block, std::size_t size) override { return std::realloc(block, size); }
  void Free(void* block) override { CoTaskMemFree(block); }
  ULONG AddRef() override { return 1; }
  ULONG Release() override { return 1; }  // one allocator for the process, never freed
};

class DesktopFolder final : public IShellFolder {
public:
  HRESULT ParseDisplayName(HWND, void*, LPWSTR displayName, ULONG* eaten, PIDLIST_RELATIVE* list,
                           ULONG*) override {
    if (list == nullptr) return E_INVALIDARG;
    *list = nullptr;
    if (displayName == nullptr) return E_INVALIDARG;
    fs::path p(displayName);
    std::error_code ec;
    if (!p.is_absolute() || !fs::exists(p, ec)) return E_INVALIDARG;
    *list = MakeList(Normal(p));
    if (*list == nullptr) return E_OUTOFMEMORY;
    if (eaten != nullptr) *eaten = static_cast<ULONG>(std::wcslen(displayName));
    return 0;
  }
  ULONG AddRef() override { return 1; }
  ULONG Release() override { return 1; }
};

bool HasSubfolders(const fs::path& folder) {
  std::error_code ec;
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    std::wstring name = it->path().filename().wstring();
    std::error_code typeError;
    if (!name.empty() && name[0] != L'.' && it->is_directory(typeError)) return true;
  }
  return false;
}

// The chooser: a tree of folders filled as branches open.
class FolderChooser : public CDialog {
public:
  explicit FolderChooser(const BROWSEINFOW& info) : info_(info) {
    bool status = (info.ulFlags & BIF_STATUSTEXT) != 0;
    int treeTop = status ? 44 : 34;
    template_ = orv::ui::DialogFrame(L"Browse For Folder", 200, 196,
                                     DS_MODALFRAME | DS_CONTEXTHELP | DS_CENTER | WS_POPUP | WS_CAPTION | WS_SYSMENU);
    template_.items.push_back(DialogItem(static_cast<UINT>(kBrowseTitleId), L"STATIC",
                                   info.lpszTitle != nullptr ? info.lpszTitle : L"", 6, 6, 188, 24, SS_LEFT | SS_NOPREFIX));
    if (status)
      template_.items.push_back(
          DialogItem(static_cast<UINT>(kBrowseStatusId), L"STATIC", L"", 6, 32, 188, 9, SS_LEFTNOWORDWRAP | SS_NOPREFIX));
    template_.items.push_back(DialogItem(static_cast<UINT>(kBrowseTreeId), L"SysTreeView32", L"", 6, treeTop, 188, 176 - treeTop,
                                   TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | TVS_SHOWSELALWAYS | WS_TABSTOP,
                                   WS_EX_CLIENTEDGE));
    template_.items.push_back(DialogItem(IDOK, L"BUTTON", L"OK", 88, 178, 50, 14, BS_DEFPUSHBUTTON | WS_TABSTOP));
    template_.items.push_back(DialogItem(IDCANCEL, L"BUTTON", L"Cancel", 144, 178, 50, 14, WS_TABSTOP));
    CWnd* owner = CWnd::FromHandle(info.hwndOwner);
    InitModalIndirect(&template_, owner);
  }

  std::wstring chosen;

protected:
  BOOL OnInitDialog() override {
    CDialog::OnInitDialog();
    fs::path root = info_.pidlRoot != nullptr ? fs::path(PathOf(info_.pidlRoot)) : fs::path(L"/");
    AddFolder(TVI_ROOT, Normal(root), Normal(root));
    if (info_.lpfn != nullptr) info_.lpfn(m_hWnd, BFFM_INITIALIZED, 0, info_.lParam);
    if (m_hWnd != nullptr && Tree().GetSelectedItem() == nullptr) Tree().SelectItem(Tree().GetRootItem());
    return TRUE;
  }

  void OnOK() override {
    HTREEITEM item = Tree().GetSelectedItem();
    if (item == nullptr) return;
    chosen = paths_[static_cast<std::size_t>(Tree().GetItemData(item))];
    EndDialog(IDOK);
  }

  void OnExpanding(NMHDR* header, LRESULT* result) {
    auto* tv = reinterpret_cast<NMTREEVIEW*>(header);
    if (tv->action == TVE_EXPAND) Fill(tv->itemNew.hItem);
    *result = 0;
  }

  void OnSelChanged(NMHDR* header, LRESULT* result) {
    auto* tv = reinterpret_cast<NMTREEVIEW*>(header);
    *result = 0;
    if (info_.lpfn == nullptr || tv->itemNew.hItem == nullptr) return;
    PIDLIST_ABSOLUTE list = MakeList(paths_[static_cast<std::size_t>(tv->itemNew.lParam)]);
    info_.lpfn(m_hWnd, BFFM_SELCHANGED, reinterpret_cast<LPARAM>(list), info_.lParam);
    ILFree(list);
  }

  LRESULT OnSetSelection(WPARAM isPath, LPARAM target) {
    HTREEITEM item = Find(TargetPath(isPath, target));
    return item != nullptr && Tree().SelectItem(item) ? TRUE : FALSE;
  }

  LRESULT OnSetExpanded(WPARAM isPath, LPARAM target) {
    HTREEITEM item = Find(TargetPath(isPath, target));
    return item != nullptr && Expand(item) ? TRUE : FALSE;
  }

  LRESULT OnSetStatusText(WPARAM, LPARAM text) {
    if (CWnd* status = GetDlgItem(kBrowseStatusId))
      status->SetWindowText(text != 0 ? reinterpret_cast<LPCWSTR>(text) : L"");
    return 0;
  }

  LRESULT OnEnableOk(WPARAM, LPARAM enable) {
    GetDlgItem(IDOK)->EnableWindow(enable != 0);
    return 0;
  }

  LRESULT OnSetOkText(WPARAM, LPARAM text) {
    GetDlgItem(IDOK)->SetWindowText(text != 0 ? reinterpret_cast<LPCWSTR>(text) : L"OK");
    return 0;
  }

  DECLARE_MESSAGE_MAP()

private:
  CTreeCtrl& Tree() { return *static_cast<CTreeCtrl*>(GetDlgItem(kBrowseTreeId)); }

  std::wstring TargetPath(WPARAM isPath, LPARAM target) const {
    if (target == 0) return std::wstring();
    return isPath ? std::wstring(reinterpret_cast<LPCWSTR>(target))
                  : PathOf(reinterpret_cast<PCIDLIST_ABSOLUTE>(target));
  }

  HTREEITEM AddFolder(HTREEITEM parent, const std::wstring& path, const std::wstring& label) {
    paths_.push_back(path);
    filled_.push_back(false);
    TVINSERTSTRUCTW insert{};
    insert.hParent = parent;
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT | TVIF_PARAM | TVIF_CHILDREN;
    insert.item.pszText = const_cast<LPWSTR>(label.c_str());
    insert.item.lParam = static_cast<LPARAM>(paths_.size() - 1);
    insert.item.cChildren = HasSubfolders(path) ? 1 : 0;
    return Tree().InsertItem(&insert);
  }

  // Adds the subfolders of an item the first time it opens.
  void Fill(HTREEITEM item) {
    auto index = static_cast<std::size_t>(Tree().GetItemData(item));
    if (filled_[index]) return;
    filled_[index] = true;
    std::vector<std::wstring> names;
    std::error_code ec;
    for (fs::directory_iterator it(paths_[index], ec), end; !ec && it != end; it.increment(ec)) {
      std::wstring name = it->path().filename().wstring();
      std::error_code typeError;
      if (!name.empty() && name[0] != L'.' && it->is_directory(typeError)) names.push_back(name);
    }
    std::sort(names.begin(), names.end(), [](const auto& a, const auto& b) { return orv::CompareNoCase(a, b) < 0; });
    std::wstring base = paths_[index];
    for (const auto& name : names) AddFolder(item, Normal(fs::path(base) / name), name);
  }

  bool Expand(HTREEITEM item) {
    Fill(item);
    return Tree().Expand(item, TVE_EXPAND) != FALSE;
  }

  // The item of a folder below the root, opening the branches on the way; null when the
  // path is not a folder under the root.
  HTREEITEM Find(const std::wstring& wanted) {
    if (wanted.empty()) return nullptr;
    std::error_code ec;
    fs::path target(wanted);
    if (!target.is_absolute() || !fs::is_directory(target, ec)) return nullptr;
    std::wstring path = Normal(target);
    HTREEITEM item = Tree().GetRootItem();
    if (item == nullptr) return nullptr;
    std::wstring rootPath = paths_[static_cast<std::size_t>(Tree().GetItemData(item))];
    if (path == rootPath) return item;
    std::wstring prefix = rootPath == L"/" ? rootPath : rootPath + L"/";
    if (path.compare(0, prefix.size(), prefix) != 0) return nullptr;
    fs::path rest = fs::path(path.substr(prefix.size()));
    for (const auto& part : rest) {
      Fill(item);
      HTREEITEM child = Tree().GetChildItem(item);
      while (child != nullptr && fs::path(paths_[static_cast<std::size_t>(Tree().GetItemData(child))]).filename() != part)
        child = Tree().GetNextSiblingItem(child);
      if (child == nullptr) return nullptr;
      item = child;
    }
    return item;
  }

  BROWSEINFOW info_;
  orv::DialogTemplate template_;
  std::vector<std::wstring> paths_;  // item data indexes these
  std::vector<bool> filled_;
};

BEGIN_MESSAGE_MAP(FolderChooser, CDialog)
  ON_NOTIFY(TVN_ITEMEXPANDING, kBrowseTreeId, &FolderChooser::OnExpanding)
  ON_NOTIFY(TVN_SELCHANGED, kBrowseTreeId, &FolderChooser::OnSelChanged)
  ON_MESSAGE(BFFM_SETSELECTIONW, &FolderChooser::OnSetSelection)
  ON_MESSAGE(BFFM_SETEXPANDED, &FolderChooser::OnSetExpanded)
  ON_MESSAGE(BFFM_SETSTATUSTEXTW, &FolderChooser::OnSetStatusText)
  ON_MESSAGE(BFFM_ENABLEOK, &FolderChooser::OnEnableOk)
  ON_MESSAGE(BFFM_SETOKTEXT, &FolderChooser::OnSetOkText)
END_MESSAGE_MAP()

}  // namespace

void* CoTaskMemAlloc(std::size_t size) { return std::malloc(size > 0 ? size : 1); }
void CoTaskMemFree(void* block) { std::free(block); }
void ILFree(PIDLIST_RELATIVE list) { CoTaskMemFree(list); }

PIDLIST_ABSOLUTE ILCreateFromPathW(LPCWSTR path) {
  IShellFolder* desktop = nullptr;
  SHGetDesktopFolder(&desktop);
  PIDLIST_RELATIVE list = nullptr;
  std::wstring copy = path != nullptr ? path : L"";
  desktop->ParseDisplayName(nullptr, nullptr, copy.data(), nullptr, &list, nullptr);
  desktop->Release();
  return list;
}

BOOL SHGetPathFromIDListW(PCIDLIST_ABSOLUTE list, LPWSTR path) {
  if (path == nullptr) return FALSE;
  path[0] = L'\0';
  if (list == nullptr || list->length + 1 > static_cast<std::uint32_t>(MAX_PATH)) return FALSE;
  std::memcpy(path, PathChars(list), (list->length + 1) * sizeof(wchar_t));
  return TRUE;
}

HRESULT SHGetMalloc(IMalloc** allocator) {
  static ShellAllocator shared;
  if (allocator == nullptr) return E_INVALIDARG;
  *allocator = &shared;
  return 0;
}

HRESULT SHGetDesktopFolder(IShellFolder** folder) {
  static DesktopFolder desktop;
  if (folder == nullptr) return E_INVALIDARG;
  *folder = &desktop;
  return 0;
}

PIDLIST_ABSOLUTE SHBrowseForFolderW(BROWSEINFOW* info) {
  if (info == nullptr) return nullptr;
  FolderChooser chooser(*info);
  if (chooser.DoModal() != IDOK || chooser.chosen.empty()) return nullptr;
  if (info->pszDisplayName != nullptr) {
    std::wstring name = chooser.chosen == L"/" ? chooser.chosen : fs::path(chooser.chosen).filename().wstring();
    std::size_t n = std::min<std::size_t>(name.size(), MAX_PATH - 1);
    std::copy_n(name.begin(), n, info->pszDisplayName);
    info->pszDisplayName[n] = L'\0';
  }
  return MakeList(chooser.chosen);
}
