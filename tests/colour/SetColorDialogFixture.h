#pragma once
// The colour and font dialog against a real sky-view control, with three picture sets
// registered in a temporary registry and its two files in a temporary folder.
#include <gtest/gtest.h>

#include "colour/SetColorDialog.h"
#include "colour/detail/ColorFontLines.h"
#include "platform/gdi/DC.h"
#include "platform/ui/ColorDialog.h"
#include "platform/ui/TestDriver.h"
#include "res/ResourceIds.h"
#include "sibling/orvcom/CommonFile.h"
#include "sibling/skyview/CorLum.h"
#include "sibling/skyview/SkyViewControl.h"
#include "support/PictureSets.h"
#include "support/TempDir.h"
#include "support/TempRegistry.h"

namespace orv::test {

using ui::test::DialogDriver;

class ColorFontDialog : public CSetColorDialog {
public:
  using CSetColorDialog::CSetColorDialog;
  using CSetColorDialog::BitBltMark, CSetColorDialog::m_aCnsPics, CSetColorDialog::m_aLines,
      CSetColorDialog::m_bmpMark, CSetColorDialog::m_crColor, CSetColorDialog::m_nCurrent,
      CSetColorDialog::m_nFontSize, CSetColorDialog::m_rcPreview, CSetColorDialog::m_treeColor;

  // The tree item of catalogue entry i (null when there is none).
  HTREEITEM Item(int i) const {
    for (POSITION pos = m_mapItemToEntry.GetStartPosition(); pos != nullptr;) {
      HTREEITEM item = nullptr;
      int index = 0;
      m_mapItemToEntry.GetNextAssoc(pos, item, index);
      if (index == i) return item;
    }
    return nullptr;
  }
  CString Line(const wchar_t* key) const { return m_aLines[colour::FindLine(m_aLines, key)]; }
};

class SetColorDialogFixture : public testing::Test {
protected:
  SetColorDialogFixture() {
    RegisterPictureSet(L"1", kStandardSet, L"標準", L"0000FF");
    RegisterPictureSet(L"2", kOtherSet, L"別", L"00FF00");
    RegisterPictureSet(L"3", L".\\constellation\\Third\\Third.lst", L"三", L"FF0000");
    view.SetPictureFile(kStandardSet);
  }
  CString FontFile() const { return dir.WFile("ColorFont.txt"); }
  CString DefaultsFile() const { return dir.WFile("ColorFontDefault.txt"); }
  // The catalogue index of the first entry with this colour or size key.
  static int IndexOf(const wchar_t* key) {
    COrvColor catalogue(L"", L"");
    for (int i = 0; i < catalogue.GetCount(); ++i)
      if (catalogue.GetColorEntry(i).strColorKey == key || catalogue.GetColorEntry(i).strSizeKey == key) return i;
    return -1;
  }
  // Chooses the entry of a key in the tree, as a click does.
  static void Choose(DialogDriver& d, ColorFontDialog& dialog, const wchar_t* key) {
    d.SelectTreeItem(IDC_COLOR_TREE, dialog.Item(IndexOf(key)));
  }
  static constexpr const wchar_t* kStandardSet = L".\\constellation\\CnsPic\\CnsPic.lst";
  static constexpr const wchar_t* kOtherSet = L".\\constellation\\Other\\Other.lst";

  TempRegistry registry;
  TempDir dir;
  CSkyViewControl view;
  CCorLum sky{&view};
  ui::test::ModalScripts scripts;
  ui::test::MessageBoxRecorder boxes;
};

}  // namespace orv::test
