#pragma once
// The shell's folder chooser in the platform's shape: SHBrowseForFolderW with its
// BROWSEINFOW, callback and messages, and the item id lists that name folders.
//
// An item id list here holds one absolute file-system path. Lists are allocated with the
// shell allocator: free them with ILFree, CoTaskMemFree or IMalloc::Free alike.
//
// The chooser shows a caption ("Browse For Folder" unless the callback changes it), the
// title text above a tree of folders (the file system below pidlRoot, or from "/" and the
// home folder), a status line when BIF_STATUSTEXT is set, and OK and Cancel. The callback
// hears BFFM_INITIALIZED once the chooser is up and BFFM_SELCHANGED at every selection, and
// may send it BFFM_SETSELECTIONW, BFFM_SETSTATUSTEXTW and BFFM_ENABLEOK.
#include <cstddef>

#include "platform/base/WinError.h"
#include "platform/ui/WinUser.h"

struct ITEMIDLIST;
using LPITEMIDLIST = ITEMIDLIST*;
using LPCITEMIDLIST = const ITEMIDLIST*;
using PIDLIST_ABSOLUTE = ITEMIDLIST*;
using PCIDLIST_ABSOLUTE = const ITEMIDLIST*;
using PIDLIST_RELATIVE = ITEMIDLIST*;

using BFFCALLBACK = int (*)(HWND hwnd, UINT message, LPARAM lParam, LPARAM data);

struct BROWSEINFOW {
  HWND hwndOwner;
  PCIDLIST_ABSOLUTE pidlRoot;  // null: the whole file system
  LPWSTR pszDisplayName;       // MAX_PATH characters: the chosen folder's name
  LPCWSTR lpszTitle;           // the text above the tree
  UINT ulFlags;
  BFFCALLBACK lpfn;
  LPARAM lParam;
  int iImage;
};
using BROWSEINFO = BROWSEINFOW;

inline constexpr UINT BIF_RETURNONLYFSDIRS = 0x0001, BIF_DONTGOBELOWDOMAIN = 0x0002, BIF_STATUSTEXT = 0x0004,
                      BIF_RETURNFSANCESTORS = 0x0008, BIF_EDITBOX = 0x0010, BIF_VALIDATE = 0x0020,
                      BIF_NEWDIALOGSTYLE = 0x0040, BIF_USENEWUI = 0x0050, BIF_NONEWFOLDERBUTTON = 0x0200;
// Callback notifications (message argument of the callback).
inline constexpr UINT BFFM_INITIALIZED = 1, BFFM_SELCHANGED = 2, BFFM_VALIDATEFAILEDW = 4;
// Messages to the chooser's window.
inline constexpr UINT BFFM_ENABLEOK = WM_USER + 101, BFFM_SETSELECTIONW = WM_USER + 103,
                      BFFM_SETSTATUSTEXTW = WM_USER + 104, BFFM_SETOKTEXT = WM_USER + 105,
                      BFFM_SETEXPANDED = WM_USER + 106;
inline constexpr UINT BFFM_SETSELECTION = BFFM_SETSELECTIONW, BFFM_SETSTATUSTEXT = BFFM_SETSTATUSTEXTW;

// The chooser's control ids.
inline constexpr int kBrowseTreeId = 0x3741, kBrowseTitleId = 0x3742, kBrowseStatusId = 0x3743;


// Shows the chooser; the chosen folder's list (free it), or null on Cancel.
ORV_API PIDLIST_ABSOLUTE SHBrowseForFolderW(BROWSEINFOW* info);
inline PIDLIST_ABSOLUTE SHBrowseForFolder(BROWSEINFOW* info) { return SHBrowseForFolderW(info); }
// The path a list names, into a buffer of MAX_PATH characters; FALSE for a null list or a
// path that does not fit (the buffer is then an empty string).
ORV_API BOOL SHGetPathFromIDListW(PCIDLIST_ABSOLUTE list, LPWSTR path);
inline BOOL SHGetPathFromIDList(PCIDLIST_ABSOLUTE list, LPWSTR path) { return SHGetPathFromIDListW(list, path); }
// A list for an absolute path of an existing file or folder; null otherwise.
ORV_API PIDLIST_ABSOLUTE ILCreateFromPathW(LPCWSTR path);
ORV_API void ILFree(PIDLIST_RELATIVE list);
ORV_API void* CoTaskMemAlloc(std::size_t size);
ORV_API void CoTaskMemFree(void* block);

// The shell allocator.
struct ORV_API IMalloc {
  virtual void* Alloc(std::size_t size) = 0;
  virtual void* Realloc(void* block, std::size_t size) = 0;
  virtual void Free(void* block) = 0;
  virtual ULONG AddRef() = 0;
  virtual ULONG Release() = 0;

protected:
  ~IMalloc() = default;
};
using LPMALLOC = IMalloc*;
ORV_API HRESULT SHGetMalloc(IMalloc** allocator);

// The desktop folder, which parses absolute paths into item id lists.
struct ORV_API IShellFolder {
  // Parses an absolute path into a list (E_INVALIDARG for a path that names nothing).
  // eaten receives the characters used, attributes is left as it is.
  virtual HRESULT ParseDisplayName(HWND owner, void* bindContext, LPWSTR displayName, ULONG* eaten,
                                   PIDLIST_RELATIVE* list, ULONG* attributes) = 0;
  virtual ULONG AddRef() = 0;
  virtual ULONG Release() = 0;

protected:
  ~IShellFolder() = default;
};
using LPSHELLFOLDER = IShellFolder*;
ORV_API HRESULT SHGetDesktopFolder(IShellFolder** folder);
