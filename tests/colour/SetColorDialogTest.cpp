// The colour and font dialog driven as a user drives it: the select key, the working lines,
// the font-size field, the picker, the resets, OK and Cancel, against a real sky-view
// control and files in a temporary folder.
#include "colour/SetColorDialogFixture.h"
#include "platform/base/File.h"
#include "platform/ui/Help.h"
#include "support/FileBytes.h"

namespace {

using orv::test::ColorFontDialog;
using orv::test::DialogDriver;
using orv::test::ReadFileBytes;

class SetColorDialogTest : public orv::test::SetColorDialogFixture {
protected:
  // Texts sent to the sky view that were not queries.
  int CommandsSent() const {
    int n = 0;
    for (const orv::SkyExchange& x : view.GetTranscript()) n += x.text.Left(1) != L"?";
    return n;
  }
  void PickRed() {
    scripts.Add([](DialogDriver& picker) {
      picker.Click(CColorDialog::kBasicFirst + 8);
      picker.Click(IDOK);
    });
  }
  const int firstSet = IndexOf(L"Constellation.Picture.Image.Color");
};

TEST_F(SetColorDialogTest, TheSelectKeyChoosesTheEntryShownOnOpening) {
  struct Row {
    const wchar_t* key;
    int entry;  // -1: none chosen (entry 0 is shown)
    bool sizeEnabled;
  } rows[] = {
      {nullptr, -1, false},
      {L"star.name.SIZE", IndexOf(L"Star.Name.Size"), true},
      {L"Constellation.Picture.Image.Color", firstSet + 2, false},  // the last set matching
      {L"Constellation.Line.Color", IndexOf(L"Constellation.Line.Color"), false},
  };
  for (const Row& r : rows) {
    ColorFontDialog dialog(&sky, nullptr, FontFile(), DefaultsFile(), r.key);
    scripts.Add([&](DialogDriver& d) {
      EXPECT_EQ(dialog.m_treeColor.GetCount(), 19u + 221u + 3u);  // one entry per picture set
      HTREEITEM selected = dialog.m_treeColor.GetSelectedItem();  // without a key at most a group
      EXPECT_TRUE(r.entry >= 0 ? selected == dialog.Item(r.entry)
                               : selected == nullptr || dialog.m_treeColor.ItemHasChildren(selected));
      EXPECT_EQ(dialog.m_nCurrent, r.entry < 0 ? 0 : r.entry);
      EXPECT_EQ(d.IsEnabled(IDC_FONTSIZE_EDIT), r.sizeEnabled);
      EXPECT_EQ(d.IsEnabled(IDC_COLOR_SET) && d.IsEnabled(IDC_COLOR_DEFAULT), r.entry >= 0);
      d.Click(IDCANCEL);
    });
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
  }
}

TEST_F(SetColorDialogTest, WorkingLinesAreMatchedByPrefixAndColoursNeedTwoCommas) {
  ASSERT_TRUE(orv::test::WriteFileBytes(
      dir.File("ColorFont.txt"),
      orv::test::Utf16LeWithMark(L"Star.Name.SizeBig = 20\r\nStar.Name.Size = 14\r\nConstellation.Line.Color = "
                                 L"RGB(300, 0, 0)\r\nConstellation.Boundary.Color = RGB(1, 2)\r\n"
                                 L"Constellation.Boundary.Color = RGB(5, 6, 7)\r\n")));
  // Without a sky view the file is not refreshed on opening: it is read as written.
  ColorFontDialog dialog(nullptr, nullptr, FontFile(), DefaultsFile(), L"Star.Name.Size");
  scripts.Add([&](DialogDriver& d) {
    EXPECT_EQ(dialog.m_nFontSize, 0);  // "Star.Name.SizeBig" comes first and reads as 0
    Choose(d, dialog, L"Constellation.Line.Color");
    EXPECT_EQ(dialog.m_crColor, RGB(44, 0, 0));
    Choose(d, dialog, L"Constellation.Boundary.Color");
    EXPECT_EQ(dialog.m_crColor, RGB(5, 6, 7));
    Choose(d, dialog, L"Asterism.Line.Color");  // no line: the catalogue's default
    EXPECT_EQ(dialog.m_crColor, COrvColor(L"", L"").GetColorEntry(IndexOf(L"Asterism.Line.Color")).crDefault);
    d.Click(IDCANCEL);
  });
  dialog.DoModal();
}

TEST_F(SetColorDialogTest, TheFontSizeTakesZeroToFiftyButNotTheTextZero) {
  ColorFontDialog dialog(&sky, nullptr, FontFile(), DefaultsFile(), L"Star.Name.Size");
  struct Row {
    const wchar_t* text;
    int size;
    const wchar_t* message;
  } rows[] = {{L"20", 20, L""}, {L"0", 20, L""}, {L"00", 0, L""}, {L"50", 50, L""},
              {L"51", 50, L"Please enter an integer between 0 and 50."}, {L"x", 50, L"Please enter an integer."}};
  scripts.Add([&](DialogDriver& d) {
    for (const Row& r : rows) {
      boxes.Clear();
      dialog.SetDlgItemText(IDC_FONTSIZE_EDIT, r.text);  // as pasted: one change of the text
      EXPECT_EQ(dialog.m_nFontSize, r.size) << r.text;
      EXPECT_EQ(boxes.LastText(), r.message) << r.text;
      EXPECT_EQ(dialog.Line(L"Star.Name.Size"), CString(L"Star.Name.Size = ") + std::to_wstring(r.size).c_str()) << r.text;
    }
    d.ReplaceText(IDC_FONTSIZE_EDIT, L"30");
    d.StepUpDown(IDC_FONTSIZE_SPIN, +1);
    d.Click(IDOK);
  });
  EXPECT_EQ(dialog.DoModal(), IDOK);
  EXPECT_EQ(view.GetSize(L"Star.Name.Size"), 31);
}

TEST_F(SetColorDialogTest, APictureSetNotInUseChangesNoLineAndIsStoredAtOk) {
  ColorFontDialog dialog(&sky, nullptr, 0, FontFile(), DefaultsFile());
  scripts.Add([&](DialogDriver& d) {
    CStringArray before;
    before.Copy(dialog.m_aLines);
    d.SelectTreeItem(IDC_COLOR_TREE, dialog.Item(firstSet + 1));
    d.Click(IDC_COLOR_SET);
    for (int i = 0; i < before.GetSize(); ++i) EXPECT_EQ(dialog.m_aLines[i], before[i]);
    EXPECT_EQ(dialog.m_aCnsPics[1].crCurrent, RGB(255, 0, 0));
    EXPECT_EQ(CCnsPic().GetColor(kOtherSet), 0x504038u);
    d.Click(IDOK);
  });
  PickRed();
  EXPECT_EQ(dialog.DoModal(), IDOK);
  EXPECT_EQ(CCnsPic().GetColor(kOtherSet), RGB(255, 0, 0));
}

TEST_F(SetColorDialogTest, ResetAllActsAtOnceEvenWhenTheDialogIsThenCancelled) {
  CCnsPic().SetColor(2, RGB(1, 2, 3));
  ColorFontDialog dialog(&sky, nullptr, FontFile(), DefaultsFile(), L"Star.Name.Size");
  boxes.Answer(IDCANCEL);
  scripts.Add([&](DialogDriver& d) {
    const int entry = dialog.m_nCurrent;
    d.SelectTreeItem(IDC_COLOR_TREE, dialog.m_treeColor.GetParentItem(dialog.Item(entry)));  // its group
    EXPECT_EQ(dialog.m_nCurrent, entry);
    EXPECT_FALSE(d.IsEnabled(IDC_FONTSIZE_EDIT) || d.IsEnabled(IDC_COLOR_SET));
    d.Click(IDC_COLOR_ALLDEFAULT);  // answered Cancel
    EXPECT_TRUE(CCommonFile::DoesFileExist(FontFile()));
    d.Click(IDC_COLOR_ALLDEFAULT);
    EXPECT_EQ(boxes.LastText(), L"すべての色・フォントの設定を初期化します。");
    EXPECT_EQ(boxes.Boxes().back().caption, L"スカイウィーブ");
    for (const tagCnsPicInfo& set : dialog.m_aCnsPics) EXPECT_EQ(set.crCurrent, 0x504038u);
    // The set in use gets its own default; the others no line.
    EXPECT_EQ(dialog.Line(L"Constellation.Picture"), L"Constellation.Picture.Image.Color = RGB(255, 0, 0)");
    d.Click(IDCANCEL);
  });
  EXPECT_EQ(dialog.DoModal(), IDCANCEL);
  EXPECT_FALSE(CCommonFile::DoesFileExist(FontFile()));
  EXPECT_EQ(CCnsPic().GetColor(kOtherSet), 0x504038u);
  EXPECT_EQ(CommandsSent(), 0);
}

TEST_F(SetColorDialogTest, AColourFontFileThatCannotBeReadIsNeitherReplacedNorApplied) {
  COrvColor(&sky, nullptr, FontFile(), DefaultsFile()).Save();
  const std::string bytes = ReadFileBytes(dir.File("ColorFont.txt"));
  CFile holder(FontFile(), CFile::modeReadWrite | CFile::shareExclusive);
  ColorFontDialog dialog(&sky, nullptr, FontFile(), DefaultsFile(), L"Star.Name.Size");
  scripts.Add([&](DialogDriver& d) {
    EXPECT_EQ(dialog.m_aLines.GetSize(), 0);
    d.ReplaceText(IDC_FONTSIZE_EDIT, L"22");
    d.Click(IDOK);
  });
  EXPECT_EQ(dialog.DoModal(), IDOK);
  holder.Close();
  EXPECT_EQ(ReadFileBytes(dir.File("ColorFont.txt")), bytes);
  EXPECT_EQ(view.GetSize(L"Star.Name.Size"), 14);
}

TEST_F(SetColorDialogTest, OkAppliesTheEditsToTheSkyViewAndTheFilesAndCancelLeavesAllAsItWas) {
  COrvColor(&sky, nullptr, FontFile(), DefaultsFile()).Load(1);
  const std::string fontBytes = ReadFileBytes(dir.File("ColorFont.txt"));
  const std::string defaultBytes = ReadFileBytes(dir.File("ColorFontDefault.txt"));
  const int redraws = view.GetRedrawCount();
  for (int close : {IDCANCEL, IDOK}) {
    view.ClearTranscript();
    ColorFontDialog dialog(&sky, nullptr, 0, FontFile(), DefaultsFile());
    scripts.Add([&](DialogDriver& d) {
      d.DoubleClickTreeItem(IDC_COLOR_TREE, dialog.Item(IndexOf(L"Constellation.Line.Color")));
      Choose(d, dialog, L"Star.Name.Size");
      d.ReplaceText(IDC_FONTSIZE_EDIT, L"22");
      d.Click(close);
    });
    PickRed();
    EXPECT_EQ(dialog.DoModal(), close);
    if (close == IDCANCEL) {
      EXPECT_EQ(ReadFileBytes(dir.File("ColorFont.txt")), fontBytes);
      EXPECT_EQ(ReadFileBytes(dir.File("ColorFontDefault.txt")), defaultBytes);
      EXPECT_EQ(CommandsSent(), 0);
    }
  }
  EXPECT_EQ(view.GetDefaultColor(L"Constellation.Line.Color"), RGB(255, 0, 0));
  EXPECT_EQ(view.GetDefaultSize(L"Star.Name.Size"), 22);
  EXPECT_EQ(view.GetSize(L"Star.Name.Size"), 22);
  EXPECT_EQ(view.GetRedrawCount(), redraws + 1);
  EXPECT_NE(ReadFileBytes(dir.File("ColorFontDefault.txt"))
                .find(orv::test::Utf16LeWithMark(L"Star.Name.Size = 22; default Star.Name.Size = 22\r\n").substr(2)),
            std::string::npos);
  EXPECT_TRUE(scripts.Problems().empty());
}

TEST_F(SetColorDialogTest, AfterSeventeenEnlargementsTheLargestSizeIsAcceptedAndHelpIsAsked) {
  COrvColor catalogue(&sky, nullptr, FontFile(), DefaultsFile());
  catalogue.Load(0);
  for (int i = 0; i < 17; ++i) catalogue.SetAllFontSize(0);
  UINT help = 0;
  orv::ui::HelpHandler previous = orv::ui::SetHelpHandler([&](const orv::ui::HelpRequest& r) { help = r.contextId; });
  ColorFontDialog dialog(&sky, nullptr, FontFile(), DefaultsFile(), L"Compass.Color");
  scripts.Add([&](DialogDriver& d) {
    EXPECT_EQ(d.Text(IDC_FONTSIZE_EDIT), L"50");
    d.StepUpDown(IDC_FONTSIZE_SPIN, +1);  // the top of the range
    d.Click(static_cast<int>(ID_HELP));
    d.Click(IDOK);
  });
  EXPECT_EQ(dialog.DoModal(), IDOK);
  orv::ui::SetHelpHandler(previous);
  EXPECT_EQ(boxes.Count(), 0);
  EXPECT_EQ(view.GetDefaultSize(L"Compass.Size"), 50);
  EXPECT_EQ(help, static_cast<UINT>(IDD_COLOR_FONT));
}

}  // namespace
