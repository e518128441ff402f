#pragma once
// CFolderBrowser: the shell's folder chooser with a caption of the library ("フォルダの選択"),
// the caller's prompt above the tree, an optional root, a preset folder and the caller's
// browse flags. With BIF_STATUSTEXT in the flags the status line shows the selected
// folder's path, shortened at the front ("...") when it is wider than the dialog.
//
// Every shell object a call obtains (allocator, item id lists) is released before it returns.
#include "platform/base/CString.h"
#include "platform/ui/ShellBrowse.h"

class ORV_API CFolderBrowser {
public:
  CFolderBrowser();
  CFolderBrowser(const CFolderBrowser& other);
  CFolderBrowser& operator=(const CFolderBrowser& other);
  virtual ~CFolderBrowser();

  // The chosen folder's path; empty on Cancel, for a choice without a file-system path, or
  // without the shell allocator. An initial folder or root that names no folder is left
  // out (no preset selection; browsing from the top).
  CString BrowseForFolder(HWND owner, CString initialFolder, CString rootFolder, CString prompt, UINT flags);
  // The item id list of a path (free it with the shell allocator); null for an empty path or
  // one that does not parse.
  LPITEMIDLIST GetItemIDList(CString path);
};

namespace orv::dialogs {
// The status text for a path `textWidth` pixels wide shown in `clientWidth` pixels: the
// path itself when it fits; else, with overflow d = textWidth - clientWidth and n
// characters, "..." followed by the path without its first d * n / textWidth + 3
// characters, or "..." alone when nothing would be left.
ORV_API CString ShortenPathFront(const CString& path, int textWidth, int clientWidth);
}  // namespace orv::dialogs
