// COrvColor: moving colours and font sizes between the catalogue, the colour-font file, the
// defaults file and the sky views.
#include <vector>

#include "colour/CnsPic.h"
#include "colour/OrvColor.h"
#include "colour/detail/ColorFontLines.h"
#include "platform/base/FileFind.h"
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

void WriteFontsValue(const wchar_t* name, int value, int kind) { CRegistry::Write(kFontsKey, name, value, kind); }

bool FileExists(const CString& path) {
  CFileFind finder;
  bool found = finder.FindFile(path) != 0;
  finder.Close();
  return found;
}
}  // namespace

void COrvColor::Load(int bDefault) {
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
    CLumFile file;
    file.SetUnicode(1, 1);
    if (!file.Open(m_strColorFontFile, kOpenCreateWriteDenyRead, nullptr)) return;
    for (const CString& line : CatalogueDefaultLines(pictureFile)) file.WriteString(line + L"\r\n");
    file.Close();
  }

  if (!bDefault) {
    pCorLum->RunCommandFile(m_strColorFontFile);
    pCorLum->Command(kShowSky);
    return;
  }

  CLumFile source, defaults;
  if (!source.Open(m_strColorFontFile, kOpenReadDenyWrite, nullptr)) return;
  defaults.SetUnicode(1, 1);
  if (!defaults.Open(m_strDefaultFile, kOpenCreateWriteDenyRead, nullptr)) {
    source.Close();
    return;
  }
  CString line;
  while (source.ReadString(line)) defaults.WriteString(WithDefault(line, L"; default ") + L"\r\n");
  source.Close();
  defaults.Close();
  pCorLum->RunCommandFile(m_strDefaultFile);  // the caller sends "Show Sky"
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
  CCorLum* view = m_pCorLum1 != nullptr ? m_pCorLum1 : m_pCorLum2;
  if (view == nullptr || m_strColorFontFile.IsEmpty()) return;
  CString pictureFile = view->Command(kPictureFileQuery);

  CLumFile file;
  file.SetUnicode(1, 1);
  if (!file.Open(m_strColorFontFile, kOpenCreateWrite, nullptr)) return;
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
}

void COrvColor::SetAllFontSize(int nMode) {
  // One call is one step, whatever the number of views: the sizes are computed and the
  // files written once, then each view runs the defaults file.
  if (m_pCorLum1 == nullptr && m_pCorLum2 == nullptr) return;
  ClampMarks marks;
  if (!RewriteFontSizes(nMode, marks)) return;
  for (CCorLum* view : {m_pCorLum1, m_pCorLum2})
    if (view != nullptr) ApplyDefaultsFile(view);
  FinishResize(marks);
}

void COrvColor::DoSetAllFontSize(CCorLum* pCorLum, int nMode) {
  if (pCorLum == nullptr) return;
  ClampMarks marks;
  if (!RewriteFontSizes(nMode, marks)) return;
  ApplyDefaultsFile(pCorLum);
  FinishResize(marks);
}

void COrvColor::FinishResize(const ClampMarks& marks) {
  WriteFontsValue(L"IsMin", marks.isMin, kKindOnOff);
  WriteFontsValue(L"IsMax", marks.isMax, kKindOnOff);
}

void COrvColor::ApplyDefaultsFile(CCorLum* pCorLum) {
  pCorLum->RunCommandFile(m_strDefaultFile);
  pCorLum->Command(kShowSky);
}

bool COrvColor::RewriteFontSizes(int nMode, ClampMarks& marks) {
  if ((nMode == kLarger && ReadFontsValue(L"IsMax", 0, kKindOnOff) != 0) ||
      (nMode == kSmaller && ReadFontsValue(L"IsMin", 0, kKindOnOff) != 0))
    return false;  // the last pass already reached that end

  int delta = ReadFontsValue(L"DeltaSize", 0, kKindNumber);
  int step = ReadFontsValue(L"Step", 2, kKindNumber);
  switch (nMode) {
    case kLarger: delta += step; break;
    case kDefaultSizes: delta = 0; break;
    case kSmaller: delta -= step; break;
    default: return false;
  }
  WriteFontsValue(L"DeltaSize", delta, kKindNumber);

  marks = ClampMarks{};
  std::vector<CString> lines;
  {
    CLumFile file;
    file.SetUnicode(1, 1);
    if (!file.Open(m_strColorFontFile, kOpenReadDenyWrite, nullptr)) return false;
    CString line;
    while (file.ReadString(line)) lines.push_back(line);
    file.Close();
  }

  // Sizes always come from the catalogue defaults; the file only supplies the lines.
  for (const SColorEntry& e : m_aEntries) {
    if (!IsKind(e, L"FONT")) continue;
    int size = e.nDefaultSize + delta;
    if (size <= kSmallestFont) {
      size = kSmallestFont;
      marks.isMin = 1;
    } else if (size >= kLargestFont) {
      size = kLargestFont;
      marks.isMax = 1;
    }
    for (CString& line : lines) {
      if (orv::colour::LineMatches(line, e.strSizeKey)) {
        line = SizeLine(e.strSizeKey, size);
        break;
      }
    }
  }

  CLumFile defaults, colourFont;
  defaults.SetUnicode(1, 1);
  if (!defaults.Open(m_strDefaultFile, kOpenCreateWriteDenyRead, nullptr)) return false;
  colourFont.SetUnicode(1, 1);
  if (!colourFont.Open(m_strColorFontFile, kOpenCreateWriteDenyRead, nullptr)) {
    defaults.Abort();  // the old defaults file stays as it was
    return false;
  }
  for (const CString& line : lines) {
    colourFont.WriteString(line + L"\r\n");
    defaults.WriteString(WithDefault(line, L";default ") + L"\r\n");
  }
  colourFont.Close();
  defaults.Close();
  return true;
}
