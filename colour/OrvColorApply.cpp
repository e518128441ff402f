// COrvColor: moving colours and font sizes between the catalogue, the colour-font file, the
// defaults file and the sky views.
#include <vector>

#include "colour/CnsPic.h"
#include "colour/OrvColor.h"
#include "colour/detail/ColorFontLines.h"
#include "platform/base/FileFind.h"
#include "platform/base/RegularFile.h"
#include "platform/store/WinReg.h"
#include "sibling/orvcom/LumFile.h"
#include "sibling/orvreg/Registry.h"
#include "sibling/skyview/CorLum.h"

namespace {
using orv::colour::ColourLine;
using orv::colour::SizeLine;

constexpr UINT kOpenReadDenyWrite = CFile::modeRead | CFile::shareDenyWrite;
constexpr UINT kOpenCreateWrite = CFile::modeCreate | CFile::modeWrite;
constexpr UINT kOpenCreateWriteDenyRead = CFile::modeCreate | CFile::modeWrite | CFile::shareDenyRead;

constexpr const wchar_t* kPictureFileQuery = L"? Constellation.Picture.Image.File";
constexpr const wchar_t* kShowSky = L"Show Sky";

// Registry values of the resize state, under "Fonts" in the application key.
constexpr const wchar_t* kFontsKey = L"Fonts";
constexpr int kKindOnOff = 0;
constexpr int kKindNumber = 1;

constexpr int kSmallestFont = 4;
constexpr int kLargestFont = 50;

enum ResizeMode { kLarger = 0, kDefaultSizes = 1, kSmaller = 2 };

bool IsKind(const SColorEntry& e, const wchar_t* kind) { return e.strKind == kind; }

// The same setting, also made the sky view's default.
CString WithDefault(const CString& line, const wchar_t* separator) { return line + separator + line; }

int ReadFontsValue(const wchar_t* name, int defaultValue, int kind) {
  int value = defaultValue;
  CRegistry::Read(kFontsKey, name, defaultValue, &value, kind);
  return value;
}

bool WriteFontsValue(const wchar_t* name, int value, int kind) {
  return CRegistry::Write(kFontsKey, name, value, kind) != 0;
}

// The registry values of one resize pass, stored together or not at all.
struct ResizeState {
  int delta = 0;
  int isMin = 0;
  int isMax = 0;
  bool Store() const {
    return orv::RunRegistryTransaction([this]() -> LSTATUS {
             bool ok = WriteFontsValue(L"DeltaSize", delta, kKindNumber) &&
                       WriteFontsValue(L"IsMin", isMin, kKindOnOff) && WriteFontsValue(L"IsMax", isMax, kKindOnOff);
             return ok ? ERROR_SUCCESS : ERROR_CANTWRITE;
           }) == ERROR_SUCCESS;
  }
};

void OpenOrThrow(CLumFile& file, const CString& path, UINT flags) {
  CFileException error;
  if (!file.Open(path, flags, &error)) AfxThrowFileException(error.m_cause, error.m_lOsError, path);
}

bool FileExists(const CString& path) {
  CFileFind finder;
  bool found = finder.FindFile(path) != 0;
  finder.Close();
  return found;
}
}  // namespace

void COrvColor::NoteFileFailure(const CString& path, const CFileException& error) {
  std::string reason = error.m_lOsError > 0 ? orv::SystemErrorText(static_cast<int>(error.m_lOsError)) : "failed";
  m_strLastFailure.Format(L"%s: %S", error.m_strFileName.IsEmpty() ? path : error.m_strFileName, reason.c_str());
}

template <typename Fn>
bool COrvColor::GuardFile(const CString& path, Fn&& fn) {
  try {
    return fn();
  } catch (CFileException* e) {
    NoteFileFailure(path, *e);
    e->Delete();
    return false;
  }
}

void COrvColor::Load(int bDefault) {
  m_strLastFailure.Empty();
  if (m_pCorLum1 != nullptr) DoLoad(m_pCorLum1, bDefault);
  if (m_pCorLum2 != nullptr) DoLoad(m_pCorLum2, bDefault);
}

void COrvColor::DoLoad(CCorLum* pCorLum, int bDefault) {
  if (pCorLum == nullptr) return;
  CString pictureFile = pCorLum->Command(kPictureFileQuery);

  if (m_strColorFontFile.IsEmpty()) {
    SendCatalogueDefaults(pCorLum, pictureFile, bDefault);
    return;
  }

  if (!FileExists(m_strColorFontFile)) {
    bool made = GuardFile(m_strColorFontFile, [&]() {
      CLumFile file;
      file.SetUnicode(1, 1);
      OpenOrThrow(file, m_strColorFontFile, kOpenCreateWriteDenyRead);
      for (const CString& line : CatalogueDefaultLines(pictureFile)) file.WriteString(line + L"\r\n");
      file.Close();
      return true;
    });
    if (!made) return;
  }

  if (!bDefault) {
    pCorLum->RunCommandFile(m_strColorFontFile);
    pCorLum->Command(kShowSky);
    return;
  }

  bool written = GuardFile(m_strDefaultFile, [&]() {
    CLumFile source, defaults;
    OpenOrThrow(source, m_strColorFontFile, kOpenReadDenyWrite);
    defaults.SetUnicode(1, 1);
    OpenOrThrow(defaults, m_strDefaultFile, kOpenCreateWriteDenyRead);
    CString line;
    while (source.ReadString(line)) defaults.WriteString(WithDefault(line, L"; default ") + L"\r\n");
    source.Close();
    defaults.Close();
    return true;
  });
  if (written) pCorLum->RunCommandFile(m_strDefaultFile);  // the caller sends "Show Sky"
}

void COrvColor::SendCatalogueDefaults(CCorLum* pCorLum, const CString& strPictureFile, int bDefault) {
  for (const SColorEntry& e : m_aEntries) {
    if (IsKind(e, L"FONT")) {
      CString size = SizeLine(e.strSizeKey, e.nDefaultSize);
      pCorLum->Command(bDefault ? WithDefault(size, L"; Default ") : size);
    }
    if (IsKind(e, L"CNSPIC")) {
      CCnsPic pictures;
      tagCnsPicInfo info;
      if (pictures.GetInfo(e.strFile, &info)) pictures.SetColor(info.nIndex, e.crDefault);
      if (e.strFile.CompareNoCase(strPictureFile) != 0) continue;
    }
    CString colour = ColourLine(e.strColorKey, e.crDefault);
    pCorLum->Command(bDefault ? WithDefault(colour, L"; Default ") : colour);
  }
}

std::vector<CString> COrvColor::CatalogueDefaultLines(const CString& strPictureFile) const {
  std::vector<CString> lines;
  for (const SColorEntry& e : m_aEntries) {
    if (IsKind(e, L"FONT")) lines.push_back(SizeLine(e.strSizeKey, e.nDefaultSize));
    if (IsKind(e, L"CNSPIC") && e.strFile.CompareNoCase(strPictureFile) != 0) continue;
    lines.push_back(ColourLine(e.strColorKey, e.crDefault));
  }
  return lines;
}

void COrvColor::Save() {
  m_strLastFailure.Empty();
  CCorLum* view = m_pCorLum1 != nullptr ? m_pCorLum1 : m_pCorLum2;
  if (view == nullptr || m_strColorFontFile.IsEmpty()) return;
  CString pictureFile = view->Command(kPictureFileQuery);

  GuardFile(m_strColorFontFile, [&]() {
    CLumFile file;
    file.SetUnicode(1, 1);
    OpenOrThrow(file, m_strColorFontFile, kOpenCreateWrite);
    auto writeReported = [&](const CString& key) {
      CString line;
      line.Format(L"%s = %s", key, view->Command(L"? " + key));
      file.WriteString(line + L"\r\n");
    };
    for (const SColorEntry& e : m_aEntries) {
      if (IsKind(e, L"FONT")) writeReported(e.strSizeKey);
      if (IsKind(e, L"CNSPIC") && e.strFile.CompareNoCase(pictureFile) != 0) continue;
      writeReported(e.strColorKey);
    }
    file.Close();
    return true;
  });
}

void COrvColor::SetAllFontSize(int nMode) {
  // One call is one step, whatever the number of views: the sizes are computed and the
  // files written once, then each view runs the defaults file.
  m_strLastFailure.Empty();
  if (m_pCorLum1 == nullptr && m_pCorLum2 == nullptr) return;
  if (!RewriteFontSizes(nMode)) return;
  for (CCorLum* view : {m_pCorLum1, m_pCorLum2})
    if (view != nullptr) ApplyDefaultsFile(view);
}

void COrvColor::DoSetAllFontSize(CCorLum* pCorLum, int nMode) {
  m_strLastFailure.Empty();
  if (pCorLum == nullptr) return;
  if (RewriteFontSizes(nMode)) ApplyDefaultsFile(pCorLum);
}

void COrvColor::ApplyDefaultsFile(CCorLum* pCorLum) {
  pCorLum->RunCommandFile(m_strDefaultFile);
  pCorLum->Command(kShowSky);
}

bool COrvColor::RewriteFontSizes(int nMode) {
  const ResizeState old{ReadFontsValue(L"DeltaSize", 0, kKindNumber), ReadFontsValue(L"IsMin", 0, kKindOnOff),
                        ReadFontsValue(L"IsMax", 0, kKindOnOff)};
  if ((nMode == kLarger && old.isMax != 0) || (nMode == kSmaller && old.isMin != 0))
    return false;  // the last pass already reached that end

  ResizeState next;
  next.delta = old.delta;
  int step = ReadFontsValue(L"Step", 2, kKindNumber);
  switch (nMode) {
    case kLarger: next.delta += step; break;
    case kDefaultSizes: next.delta = 0; break;
    case kSmaller: next.delta -= step; break;
    default: return false;
  }

  std::vector<CString> lines;
  bool read = GuardFile(m_strColorFontFile, [&]() {
    CLumFile file;
    file.SetUnicode(1, 1);
    OpenOrThrow(file, m_strColorFontFile, kOpenReadDenyWrite);
    CString line;
    while (file.ReadString(line)) lines.push_back(line);
    file.Close();
    return true;
  });
  if (!read) return false;

  // Sizes always come from the catalogue defaults; the file only supplies the lines.
  for (const SColorEntry& e : m_aEntries) {
    if (!IsKind(e, L"FONT")) continue;
    int size = e.nDefaultSize + next.delta;
    if (size <= kSmallestFont) {
      size = kSmallestFont;
      next.isMin = 1;
    } else if (size >= kLargestFont) {
      size = kLargestFont;
      next.isMax = 1;
    }
    for (CString& line : lines) {
      if (orv::colour::LineMatches(line, e.strSizeKey)) {
        line = SizeLine(e.strSizeKey, size);
        break;
      }
    }
  }

  // The registry first: files that fail to follow are rewritten from it by the next pass.
  if (!next.Store()) {
    m_strLastFailure = L"cannot store the font sizes in the registry (Fonts: DeltaSize, IsMin, IsMax)";
    return false;
  }
  bool colourFontWritten = false;
  bool written = GuardFile(m_strColorFontFile, [&]() {
    CLumFile defaults, colourFont;
    colourFont.SetUnicode(1, 1);
    OpenOrThrow(colourFont, m_strColorFontFile, kOpenCreateWriteDenyRead);
    defaults.SetUnicode(1, 1);
    OpenOrThrow(defaults, m_strDefaultFile, kOpenCreateWriteDenyRead);
    for (const CString& line : lines) {
      colourFont.WriteString(line + L"\r\n");
      defaults.WriteString(WithDefault(line, L";default ") + L"\r\n");
    }
    colourFont.Close();
    colourFontWritten = true;
    defaults.Close();
    return true;
  });
  // Neither file changed: the registry goes back to where it was (if that fails too, the
  // next pass rewrites the files from the new values).
  if (!written && !colourFontWritten) old.Store();
  return written;
}
