#pragma once
// The colour and font dialog against a real sky-view control, with three picture sets
// registered in a temporary registry and the two files in a temporary folder.
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

inline constexpr const wchar_t* kStandardSet = L".\\constellation\\CnsPic\\CnsPic.lst";

// The dialog with its state open to the test.
class ColorFontDialog : public CSetColorDialog {
public:
  using CSetColorDialog::CSetColorDialog;
  using CSetColorDialog::BitBltMark;
  using CSetColorDialog::m_aCnsPics;
  using CSetColorDialog::m_aLines;
  using CSetColorDialog::m_bmpMark;
  using CSetColorDialog::m_crColor;
  using CSetColorDialog::m_nCurrent;
  using CSetColorDialog::m_nFontSize;
  using CSetColorDialog::m_rcPreview;
  using CSetColorDialog::m_treeColor;

  // The tree item of catalogue entry i (null when there is none).
  HTREEITEM Item(int i) const {
    POSITION pos = m_mapItemToEntry.GetStartPosition();
    while (pos != nullptr) {
      HTREEITEM item = nullptr;
      int index = 0;
      m_mapItemToEntry.GetNextAssoc(pos, item, index);
      if (index == i) return item;
    }
    return nullptr;
  }
  HTREEITEM Selected() const { return m_treeColor.GetSelectedItem(); }
};

class SetColorDialogFixture : public testing::Test {
protected:
  SetColorDialogFixture() {
    RegisterPictureSet(L"1", kStandardSet, L"標準", L"0000FF");
    RegisterPictureSet(L"2", L".\\constellation\\Other\\Other.lst", L"別", L"00FF00");
    RegisterPictureSet(L"3", L".\\constellation\\Third\\Third.lst", L"三", L"FF0000");
    view.SetPictureFile(kStandardSet);
  }
  CString FontFile() const { return dir.WFile("ColorFont.txt"); }
  CString DefaultsFile() const { return dir.WFile("ColorFontDefault.txt"); }
  // The catalogue index of the first entry with this colour or size key.
  int IndexOf(const wchar_t* key) const {
    COrvColor catalogue(L"", L"");
    for (int i = 0; i < catalogue.GetCount(); ++i) {
      SColorEntry e = catalogue.GetColorEntry(i);
      if (e.strColorKey == key || e.strSizeKey == key) return i;
    }
    return -1;
  }

  TempRegistry registry;
  TempDir dir;
  CSkyViewControl view;
  CCorLum sky{&view};
  orv::ui::test::ModalScripts scripts;
  orv::ui::test::MessageBoxRecorder boxes;
};

}  // namespace orv::test
