// The colour road as a user walks it, without a display: the sky chart, the colour and font
// dialog with a line, a mark and a label chosen, the colour picker, OK, and the chart again.
// Every step goes through the same messages as the user's clicks and writes a screenshot.
#include <cstdio>
#include <filesystem>
#include <string>

#include "apps/demo/DemoDialogs.h"
#include "apps/demo/SkyViewDemo.h"
#include "platform/ui/ColorDialog.h"
#include "platform/ui/CommonControls.h"
#include "platform/ui/TestDriver.h"
#include "res/ResourceIds.h"

namespace orv::demo {
namespace {

using ui::test::DialogDriver;

// The first tree item, in tree order, with this text; null when there is none.
HTREEITEM FindItem(const CTreeCtrl& tree, HTREEITEM from, const CString& text) {
  for (HTREEITEM item = from; item != nullptr; item = tree.GetNextSiblingItem(item)) {
    if (tree.GetItemText(item) == text) return item;
    if (HTREEITEM found = FindItem(tree, tree.GetChildItem(item), text)) return found;
  }
  return nullptr;
}

class Tour {
public:
  explicit Tour(const std::string& folder) : folder_(folder) {}

  // One step: what it shows, its screenshot.
  void Shot(const DialogDriver& d, const char* name, const char* what) {
    std::string file = (std::filesystem::path(folder_) / (std::string(name) + ".png")).string();
    bool written = d.SaveScreenshot(file);
    std::printf("step %d: %s (%s%s)\n", ++step_, what, written ? "" : "FAILED: ", file.c_str());
    failures_ += written ? 0 : 1;
  }
  bool Choose(DialogDriver& d, const wchar_t* label) {
    auto* tree = dynamic_cast<CTreeCtrl*>(CWnd::FromHandle(d.Item(IDC_COLOR_TREE)));
    HTREEITEM item = tree != nullptr ? FindItem(*tree, tree->GetRootItem(), label) : nullptr;
    return Check(item != nullptr && d.SelectTreeItem(IDC_COLOR_TREE, item), "choose an entry");
  }
  bool Check(bool ok, const char* what) {
    if (!ok) {
      std::printf("FAILED: %s\n", what);
      ++failures_;
    }
    return ok;
  }
  int Failures() const { return failures_; }

private:
  std::string folder_;
  int step_ = 0;
  int failures_ = 0;
};

}  // namespace

int RunColourTour(const std::string& folder) {
  std::error_code ec;
  std::filesystem::create_directories(folder, ec);
  Tour tour(folder);
  SkyViewDialog sky(nullptr);
  ui::test::ModalScripts scripts;
  scripts.Add([&](DialogDriver& d) {  // the sky chart
    tour.Shot(d, "1-chart-before", "the sky chart in the colours of the colour-font file");
    tour.Check(d.Click(SkyViewDialog::kColours), "open \"Colours and fonts...\"");
    tour.Shot(d, "7-chart-after", "OK redrew the chart: red constellation lines, larger star names");
    d.Close();
  });
  scripts.Add([&](DialogDriver& d) {  // the colour and font dialog
    if (tour.Choose(d, L"系外惑星を持つ恒星のマーク")) tour.Shot(d, "2-dialog-mark", "a mark's preview");
    if (tour.Choose(d, L"星座線")) tour.Shot(d, "3-dialog-line", "\"星座線\" chosen: the line preview");
    tour.Check(d.Click(IDC_COLOR_SET), "open the colour picker");
    tour.Shot(d, "5-dialog-line-red", "the line preview in the red just picked");
    if (tour.Choose(d, L"恒星名(日本語)")) {
      tour.Check(d.ReplaceText(IDC_FONTSIZE_EDIT, L"24"), "type a star-name size");
      tour.Shot(d, "6-dialog-font", "the star names at size 24: the text preview");
    }
    tour.Check(d.Click(IDOK), "press OK");
  });
  scripts.Add([&](DialogDriver& d) {  // the colour picker
    d.Click(CColorDialog::kBasicFirst + 8);  // pure red
    tour.Shot(d, "4-picker", "the colour picker on red");
    d.Click(IDOK);
  });
  sky.DoModal();
  const CSkyViewControl& control = sky.Control();
  tour.Check(control.GetColor(L"Constellation.Line.Color") == RGB(255, 0, 0), "constellation lines are red");
  tour.Check(control.GetSize(L"Star.Name.Size") == 24, "star names are 24 pixels");
  tour.Check(scripts.Problems().empty() && scripts.Pending() == 0, "every dialog came up and closed");
  std::printf("the sky view now has Constellation.Line.Color = RGB(255, 0, 0) and Star.Name.Size = 24: %s\n",
              tour.Failures() == 0 ? "yes" : "NO");
  return tour.Failures() == 0 ? 0 : 1;
}

}  // namespace orv::demo
