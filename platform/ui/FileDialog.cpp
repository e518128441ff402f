#include "platform/ui/FileDialog.h"

#include <algorithm>
#include <filesystem>
#include <vector>

#include "platform/ui/Controls.h"
#include "platform/ui/TemplateBuilder.h"

namespace fs = std::filesystem;

IMPLEMENT_DYNAMIC(CFileDialog, CDialog)

using orv::ui::DialogItem;

namespace {

constexpr UINT kStatic = 0xFFFF;

// Whether a name matches a pattern of "*" and "?", ignoring letter case as the platform's
// file system does.
bool Matches(std::wstring_view name, std::wstring_view pattern) {
  std::size_t n = 0, p = 0, star = std::wstring_view::npos, mark = 0;
  while (n < name.size()) {
    if (p < pattern.size() && (pattern[p] == L'?' || orv::FoldCase(pattern[p]) == orv::FoldCase(name[n]))) {
      ++n;
      ++p;
    } else if (p < pattern.size() && pattern[p] == L'*') {
      star = p++;
      mark = n;
    } else if (star != std::wstring_view::npos) {
      p = star + 1;
      n = ++mark;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == L'*') ++p;
  return p == pattern.size();
}

bool MatchesAny(const std::wstring& name, const CString& patterns) {
  int start = 0;
  for (CString one = patterns.Tokenize(L";", start); start >= 0; one = patterns.Tokenize(L";", start)) {
    one.Trim();
    // "*.*" names every file, with or without a dot, as on the platform.
    if (one == L"*.*" || Matches(name, one.str())) return true;
  }
  return false;
}

struct FilterEntry {
  CString description;
  CString patterns;
};

std::vector<FilterEntry> ParseFilter(const wchar_t* list) {
  std::vector<FilterEntry> entries;
  while (list != nullptr && *list != L'\0') {
    FilterEntry e;
    e.description = list;
    list += e.description.GetLength() + 1;
    if (*list == L'\0') break;
    e.patterns = list;
    list += e.patterns.GetLength() + 1;
    entries.push_back(e);
  }
  return entries;
}

orv::DialogTemplate FrameTemplate(const CString& caption) {
  orv::DialogTemplate t =
      orv::ui::DialogFrame(caption, 280, 134, DS_MODALFRAME | DS_CONTEXTHELP | WS_POPUP | WS_CAPTION | WS_SYSMENU);
  t.items = {
      DialogItem(kStatic, L"STATIC", L"File &name:", 6, 6, 90, 9, SS_LEFT),
      DialogItem(CFileDialog::kFileNameEdit, L"EDIT", L"", 6, 16, 100, 12, ES_AUTOHSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE),
      DialogItem(CFileDialog::kFileList, L"LISTBOX", L"", 6, 32, 100, 68, LBS_NOTIFY | WS_TABSTOP | WS_VSCROLL, WS_EX_CLIENTEDGE),
      DialogItem(kStatic, L"STATIC", L"&Folders:", 114, 6, 100, 9, SS_LEFT),
      DialogItem(CFileDialog::kFolderText, L"STATIC", L"", 114, 16, 100, 12, SS_LEFTNOWORDWRAP | SS_NOPREFIX),
      DialogItem(CFileDialog::kFolderList, L"LISTBOX", L"", 114, 32, 100, 68, LBS_NOTIFY | WS_TABSTOP | WS_VSCROLL,
           WS_EX_CLIENTEDGE),
      DialogItem(kStatic, L"STATIC", L"List files of &type:", 6, 104, 100, 9, SS_LEFT),
      DialogItem(CFileDialog::kTypeCombo, L"COMBOBOX", L"", 6, 114, 100, 80, CBS_DROPDOWNLIST | WS_TABSTOP),
      DialogItem(CFileDialog::kReadOnlyCheck, L"BUTTON", L"&Read only", 114, 114, 80, 12, BS_AUTOCHECKBOX | WS_TABSTOP),
      DialogItem(IDOK, L"BUTTON", L"OK", 224, 6, 50, 14, BS_DEFPUSHBUTTON | WS_TABSTOP),
      DialogItem(IDCANCEL, L"BUTTON", L"Cancel", 224, 24, 50, 14, WS_TABSTOP),
      DialogItem(CFileDialog::kHelpButton, L"BUTTON", L"&Help", 224, 46, 50, 14, WS_TABSTOP),
  };
  return t;
}

// The CFileDialog's own window: an empty child of the frame that carries its messages.
orv::DialogTemplate HookTemplate() {
  orv::DialogTemplate t;
  t.style = WS_CHILD | DS_CONTROL;
  return t;
}

CString FromPath(const fs::path& p) { return CString(p.wstring()); }

}  // namespace

// The visible dialog around a CFileDialog: lists the current folder and checks the choice.
class FileDialogFrame : public CDialog {
public:
  FileDialogFrame(CFileDialog& owner, CWnd* parent) : owner_(owner) {
    m_pParentWnd = parent;
    CString title = owner.m_ofn.lpstrTitle != nullptr ? CString(owner.m_ofn.lpstrTitle)
                                                      : CString(owner.m_bOpenFileDialog ? L"Open" : L"Save As");
    template_ = FrameTemplate(title);
    InitModalIndirect(&template_, parent);
  }

protected:
  BOOL OnInitDialog() override {
    CDialog::OnInitDialog();
    filters_ = ParseFilter(owner_.m_ofn.lpstrFilter);
    auto* types = static_cast<CComboBox*>(GetDlgItem(CFileDialog::kTypeCombo));
    for (const FilterEntry& f : filters_) types->AddString(f.description);
    if (filters_.empty()) types->AddString(L"All files (*.*)");
    int index = static_cast<int>(owner_.m_ofn.nFilterIndex);
    filterIndex_ = index >= 1 && index <= static_cast<int>(filters_.size()) ? index - 1 : 0;
    types->SetCurSel(filterIndex_);
    if ((owner_.m_ofn.Flags & OFN_HIDEREADONLY) != 0) GetDlgItem(CFileDialog::kReadOnlyCheck)->ShowWindow(SW_HIDE);
    else CheckDlgButton(CFileDialog::kReadOnlyCheck, (owner_.m_ofn.Flags & OFN_READONLY) != 0 ? 1 : 0);
    if ((owner_.m_ofn.Flags & OFN_SHOWHELP) == 0) GetDlgItem(CFileDialog::kHelpButton)->ShowWindow(SW_HIDE);

    fs::path initialName = owner_.m_ofn.lpstrFile != nullptr ? fs::path(owner_.m_ofn.lpstrFile) : fs::path();
    std::error_code ec;
    fs::path start;
    if (owner_.m_ofn.lpstrInitialDir != nullptr && fs::is_directory(owner_.m_ofn.lpstrInitialDir, ec))
      start = owner_.m_ofn.lpstrInitialDir;
    else if (initialName.has_parent_path() && fs::is_directory(initialName.parent_path(), ec))
      start = initialName.parent_path();
    else
      start = fs::current_path(ec);
    SetDlgItemText(CFileDialog::kFileNameEdit, initialName.filename().wstring().c_str());
    Navigate(start);

    // The CFileDialog's own window joins now: its OnInitDialog runs with the frame ready.
    hookTemplate_ = HookTemplate();
    owner_.CreateIndirect(&hookTemplate_, this);
    GotoDlgCtrl(GetDlgItem(CFileDialog::kFileNameEdit));
    return FALSE;
  }

  void OnOK() override {
    CString typed;
    GetDlgItemText(CFileDialog::kFileNameEdit, typed);
    typed.Trim();
    if (typed.IsEmpty()) return;
    std::error_code ec;
    fs::path chosen = fs::path(typed.str()).is_absolute() ? fs::path(typed.str()) : folder_ / typed.str();
    if (fs::is_directory(chosen, ec)) {
      Navigate(chosen);
      SetDlgItemText(CFileDialog::kFileNameEdit, L"");
      return;
    }
    if (typed.FindOneOf(L"*?") >= 0) {
      // A pattern lists the files it matches instead of choosing one.
      customPatterns_ = typed;
      Fill();
      return;
    }
    if (!owner_.m_bOpenFileDialog && !chosen.has_extension() && !owner_.m_defaultExtension.empty())
      chosen += L"." + owner_.m_defaultExtension;
    if (!Check(chosen)) return;
    if (!Store(chosen)) return;
    if (owner_.OnFileNameOK()) return;
    EndDialog(IDOK);
  }

  void OnFileSelected() {
    auto* files = static_cast<CListBox*>(GetDlgItem(CFileDialog::kFileList));
    CString name;
    if (files->GetText(files->GetCurSel(), name) >= 0) SetDlgItemText(CFileDialog::kFileNameEdit, name);
  }

  void OnFileDoubleClicked() {
    OnFileSelected();
    OnOK();
  }

  void OnFolderDoubleClicked() {
    auto* folders = static_cast<CListBox*>(GetDlgItem(CFileDialog::kFolderList));
    CString name;
    if (folders->GetText(folders->GetCurSel(), name) < 0) return;
    Navigate(name == L".." ? folder_.parent_path() : folder_ / name.str());
  }

  void OnTypeChanged() {
    filterIndex_ = static_cast<CComboBox*>(GetDlgItem(CFileDialog::kTypeCombo))->GetCurSel();
    owner_.m_ofn.nFilterIndex = static_cast<DWORD>(filterIndex_ + 1);
    customPatterns_.Empty();
    Fill();
  }

  DECLARE_MESSAGE_MAP()

private:
  void Navigate(const fs::path& folder) {
    std::error_code ec;
    fs::path canonical = fs::weakly_canonical(folder, ec);
    folder_ = ec ? folder : canonical;
    Fill();
    owner_.OnFolderChange();
  }

  void Fill() {
    auto* files = static_cast<CListBox*>(GetDlgItem(CFileDialog::kFileList));
    auto* folders = static_cast<CListBox*>(GetDlgItem(CFileDialog::kFolderList));
    files->ResetContent();
    folders->ResetContent();
    SetDlgItemText(CFileDialog::kFolderText, FromPath(folder_));
    if (folder_.has_relative_path()) folders->AddString(L"..");
    CString patterns = !customPatterns_.IsEmpty() ? customPatterns_
                       : filterIndex_ < static_cast<int>(filters_.size()) ? filters_[static_cast<std::size_t>(filterIndex_)].patterns
                                                                          : CString(L"*.*");
    std::vector<std::wstring> fileNames, folderNames;
    std::error_code ec;
    for (fs::directory_iterator it(folder_, ec), end; !ec && it != end; it.increment(ec)) {
      std::wstring name = it->path().filename().wstring();
      if (name.empty() || name[0] == L'.') continue;  // hidden by the platform's convention
      std::error_code typeError;
      if (it->is_directory(typeError)) folderNames.push_back(name);
      else if (MatchesAny(name, patterns)) fileNames.push_back(name);
    }
    auto byName = [](const std::wstring& a, const std::wstring& b) { return orv::CompareNoCase(a, b) < 0; };
    std::sort(fileNames.begin(), fileNames.end(), byName);
    std::sort(folderNames.begin(), folderNames.end(), byName);
    for (const auto& n : folderNames) folders->AddString(n.c_str());
    for (const auto& n : fileNames) files->AddString(n.c_str());
  }

  // The checks the flags ask for; false (after telling the user) keeps the dialog open.
  bool Check(const fs::path& chosen) {
    std::error_code ec;
    CString title;
    GetWindowText(title);
    CString name = FromPath(chosen);
    DWORD flags = owner_.m_ofn.Flags;
    bool exists = fs::exists(chosen, ec);
    if ((flags & (OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST)) != 0 && !fs::is_directory(chosen.parent_path(), ec)) {
      MessageBox(name + L"\nPath does not exist.\nCheck the path and try again.", title, MB_OK | MB_ICONWARNING);
      return false;
    }
    if (owner_.m_bOpenFileDialog && (flags & OFN_FILEMUSTEXIST) != 0 && !exists) {
      MessageBox(name + L"\nFile not found.\nCheck the file name and try again.", title, MB_OK | MB_ICONWARNING);
      return false;
    }
    if (owner_.m_bOpenFileDialog && (flags & OFN_CREATEPROMPT) != 0 && !exists &&
        MessageBox(name + L"\nThis file does not exist.\nCreate the file?", title, MB_YESNO | MB_ICONQUESTION) != IDYES)
      return false;
    if (!owner_.m_bOpenFileDialog && (flags & OFN_OVERWRITEPROMPT) != 0 && exists &&
        MessageBox(name + L" already exists.\nDo you want to replace it?", title, MB_YESNO | MB_ICONWARNING) != IDYES)
      return false;
    return true;
  }

  // Puts the choice into the caller's structure; false when it does not fit the buffer.
  bool Store(const fs::path& chosen) {
    OPENFILENAME& ofn = owner_.m_ofn;
    std::wstring full = chosen.wstring();
    if (ofn.lpstrFile == nullptr || full.size() + 1 > ofn.nMaxFile || full.size() > 0xFFFF) {
      CString title;
      GetWindowText(title);
      MessageBox(L"The file name is too long.", title, MB_OK | MB_ICONWARNING);
      return false;
    }
    std::copy(full.begin(), full.end(), ofn.lpstrFile);
    ofn.lpstrFile[full.size()] = L'\0';
    std::wstring name = chosen.filename().wstring();
    ofn.nFileOffset = static_cast<WORD>(full.size() - name.size());
    std::size_t dot = name.rfind(L'.');
    ofn.nFileExtension = static_cast<WORD>(dot == std::wstring::npos ? full.size() : ofn.nFileOffset + dot + 1);
    if (ofn.lpstrFileTitle != nullptr && ofn.nMaxFileTitle > 0) {
      std::size_t n = std::min<std::size_t>(name.size(), ofn.nMaxFileTitle - 1);
      std::copy_n(name.begin(), n, ofn.lpstrFileTitle);
      ofn.lpstrFileTitle[n] = L'\0';
    }
    if ((ofn.Flags & OFN_HIDEREADONLY) == 0) {
      if (IsDlgButtonChecked(CFileDialog::kReadOnlyCheck) != 0) ofn.Flags |= OFN_READONLY;
      else ofn.Flags &= ~OFN_READONLY;
    }
    return true;
  }

  CFileDialog& owner_;
  orv::DialogTemplate template_;
  orv::DialogTemplate hookTemplate_;
  fs::path folder_;
  std::vector<FilterEntry> filters_;
  int filterIndex_ = 0;
  CString customPatterns_;
};

BEGIN_MESSAGE_MAP(FileDialogFrame, CDialog)
  ON_LBN_SELCHANGE(CFileDialog::kFileList, &FileDialogFrame::OnFileSelected)
  ON_LBN_DBLCLK(CFileDialog::kFileList, &FileDialogFrame::OnFileDoubleClicked)
  ON_LBN_DBLCLK(CFileDialog::kFolderList, &FileDialogFrame::OnFolderDoubleClicked)
  ON_CBN_SELCHANGE(CFileDialog::kTypeCombo, &FileDialogFrame::OnTypeChanged)
  ON_COMMAND(CFileDialog::kHelpButton, &CWnd::OnHelp)
END_MESSAGE_MAP()

CFileDialog::CFileDialog(BOOL openFileDialog, LPCTSTR defaultExtension, LPCTSTR fileName, DWORD flags,
                         LPCTSTR filter, CWnd* parent, DWORD, BOOL)
    : CDialog(0, parent), m_bOpenFileDialog(openFileDialog) {
  m_ofn = OPENFILENAME{};
  m_ofn.lStructSize = sizeof(OPENFILENAME);
  m_ofn.Flags = flags | OFN_ENABLEHOOK | OFN_EXPLORER;
  m_ofn.lpstrFile = m_fileBuffer;
  m_ofn.nMaxFile = static_cast<DWORD>(std::size(m_fileBuffer));
  m_ofn.lpstrFileTitle = m_titleBuffer;
  m_ofn.nMaxFileTitle = static_cast<DWORD>(std::size(m_titleBuffer));
  m_ofn.nFilterIndex = 1;
  if (fileName != nullptr) {
    std::wstring name(fileName);
    name.resize(std::min(name.size(), std::size(m_fileBuffer) - 1));
    std::copy(name.begin(), name.end(), m_fileBuffer);
  }
  if (defaultExtension != nullptr && *defaultExtension != L'\0') {
    m_defaultExtension = defaultExtension;
    m_ofn.lpstrDefExt = m_defaultExtension.c_str();
  }
  if (filter != nullptr) {
    // "A|*.a|B|*.b||" becomes the platform's NUL-separated list.
    m_filter = filter;
    std::replace(m_filter.begin(), m_filter.end(), L'|', L'\0');
    m_filter.push_back(L'\0');
    m_filter.push_back(L'\0');
    m_ofn.lpstrFilter = m_filter.c_str();
  }
}

CFileDialog::~CFileDialog() = default;

INT_PTR CFileDialog::DoModal() {
  m_ofn.hwndOwner = m_pParentWnd != nullptr ? m_pParentWnd->GetSafeHwnd() : nullptr;
  FileDialogFrame frame(*this, m_pParentWnd);
  INT_PTR result = frame.DoModal();
  return result == IDOK ? IDOK : (result == -1 ? -1 : IDCANCEL);
}

BOOL CFileDialog::OnFileNameOK() { return FALSE; }
void CFileDialog::OnFolderChange() {}

CString CFileDialog::GetPathName() const { return m_ofn.lpstrFile != nullptr ? CString(m_ofn.lpstrFile) : CString(); }

CString CFileDialog::GetFileName() const {
  CString path = GetPathName();
  return path.Mid(path.ReverseFind(L'/') + 1);
}

CString CFileDialog::GetFileExt() const {
  CString name = GetFileName();
  int dot = name.ReverseFind(L'.');
  return dot < 0 ? CString() : name.Mid(dot + 1);
}

CString CFileDialog::GetFileTitle() const {
  CString name = GetFileName();
  int dot = name.ReverseFind(L'.');
  return dot < 0 ? name : name.Left(dot);
}

CString CFileDialog::GetFolderPath() const {
  CString path = GetPathName();
  int slash = path.ReverseFind(L'/');
  return slash <= 0 ? CString(slash == 0 ? L"/" : L"") : path.Left(slash);
}
