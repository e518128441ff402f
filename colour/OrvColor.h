#pragma once
// COrvColor: the catalogue of everything the sky view draws whose colour the user may set,
// and for text also the font size: star names, constellation lines, grids, marks,
// constellation pictures. It is built once, in the constructor, from the library's
// definition strings and the constellation-picture sets registered on the machine; the
// entries never change afterwards.
//
// The catalogue also applies and saves the colours and sizes (Load, Save, SetAllFontSize):
// those live in colour/OrvColorApply.cpp.
#include <vector>

#include "platform/base/CArray.h"
#include "platform/base/CString.h"
#include "platform/base/Export.h"
#include "platform/base/WinTypes.h"

class CCorLum;

// One catalogue entry, copied by value. Fields a kind does not use are empty or 0.
struct SColorEntry {
  int nID = 0;               // id of the definition string
  CString strLabel;          // shown to the user
  CString strColorKey;       // sky-view key of the colour, e.g. "Star.Name.Color"
  CString strSizeKey;        // sky-view key of the font size; FONT only
  COLORREF crDefault = 0;    // 0x00BBGGRR
  int nDefaultSize = 0;      // FONT only
  CString strKind;           // "FONT", "LINE", "MARK" or "CNSPIC"
  CString strGroup;          // group code under which the dialog lists the entry
  CString strRegKey;         // "CnsPic\<number>"; CNSPIC only
  CString strFile;           // the picture set's file; CNSPIC only
  COLORREF crCurrent = 0;    // the user's colour of the picture set; CNSPIC only
};

class ORV_API COrvColor {
public:
  // The sky views are kept, not owned; either may be null. The first is served first. The
  // two paths are the colour-font file and the defaults file; the library has no default
  // for them.
  COrvColor(CCorLum* pCorLum1, CCorLum* pCorLum2, CString strColorFontFile, CString strDefaultFile);
  COrvColor(CString strColorFontFile, CString strDefaultFile);
  virtual ~COrvColor();

  int GetCount() const;
  // A copy of entry `index`; out of range, a message box and an entry with empty strings and
  // zero numbers.
  SColorEntry GetColorEntry(int index) const;
  CString GetColorFontFile() const;

  // Applies the colour-font file to the sky views (creating it from the defaults when it is
  // missing); with bDefault the values also become the sky views' defaults.
  void Load(int bDefault);
  // Rewrites the colour-font file from the values the sky view reports.
  void Save();
  // nMode 0: all text one step larger; 1: default sizes; 2: one step smaller.
  void SetAllFontSize(int nMode);

  // The colour-font file's lines for the catalogue defaults, in catalogue order: a FONT
  // entry's size line, then every entry's colour line; of the picture sets only the one of
  // strPictureFile (compared ignoring case).
  std::vector<CString> CatalogueDefaultLines(const CString& strPictureFile) const;

protected:
  void CreateArray();
  void DoLoad(CCorLum* pCorLum, int bDefault);
  void DoSetAllFontSize(CCorLum* pCorLum, int nMode);

  CCorLum* m_pCorLum2;                         // second sky view, may be null
  CCorLum* m_pCorLum1;                         // first sky view, may be null
  CArray<SColorEntry, SColorEntry> m_aEntries; // in catalogue order
  CString m_strColorFontFile;
  CString m_strDefaultFile;

private:
  // Clamp marks of one resize pass: some size was held at the smallest or largest size.
  struct ClampMarks {
    int isMin = 0;
    int isMax = 0;
  };
  void SendCatalogueDefaults(CCorLum* pCorLum, const CString& strPictureFile, int bDefault);
  // Computes the sizes of a resize pass and rewrites both files; false when the pass does
  // not happen (blocked by a clamp mark, unknown mode, a file that cannot be read or made).
  bool RewriteFontSizes(int nMode, ClampMarks& marks);
  void ApplyDefaultsFile(CCorLum* pCorLum);
  void FinishResize(const ClampMarks& marks);
};
