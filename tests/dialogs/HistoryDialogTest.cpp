// The history strip: its scroll bar, every scroll request, ScrollToEnd, and the graph's
// pixels column by column after each.
#include <gtest/gtest.h>

#include "dialogs/HistoryDialog.h"
#include "platform/gdi/DC.h"
#include "support/ShownDialog.h"
#include "support/DialogTemplates.h"

namespace {

using orv::ui::test::DialogDriver;
using namespace orv::ui::testing;

constexpr UINT kTemplate = 33101;
constexpr int kGraph = 1101, kBar = 1102;

COLORREF ItemColor(int i) { return RGB(i % 256, 255 - i % 200, 7); }

class StripDialog : public CHistoryDialog {
public:
  StripDialog(int items, int width, int scheme) : CHistoryDialog(kTemplate, kGraph, kBar), m_nItems(items), m_nWidth(width) {
    m_nColorScheme = scheme;
  }
  int GetItemCount() override { return m_nItems; }
  void DrawItems(CDC* dc) override {
    for (int i = 0; i < m_nItems; ++i) dc->FillSolidRect(i * kItemWidth, 0, kItemWidth, 6, ItemColor(i));
  }
  using CHistoryDialog::ScrollToEnd;
  // Every pixel of the graph shows item first + x / 4, or the background after the last.
  void ExpectStrip(int shownItems) {
    orv::ui::test::ProcessEvents();
    COLORREF background = m_nColorScheme == 0 ? kNightGraphBackground : GetSysColor(COLOR_WINDOW);
    CClientDC dc(GetDlgItem(kGraph));
    for (int y : {0, 5})
      for (int x = 0, wrong = 0; x < m_nWidth && wrong < 3; ++x) {
        int item = GetFirstVisibleItem() + x / kItemWidth;
        if (dc.GetPixel(x, y) != (item < shownItems ? ItemColor(item) : background) && ++wrong)
          ADD_FAILURE() << "pixel " << x << "," << y << " from item " << GetFirstVisibleItem();
      }
  }
  int Page() {
    SCROLLINFO info{sizeof(SCROLLINFO), SIF_ALL, 0, 0, 0, 0, 0};
    static_cast<CScrollBar*>(GetDlgItem(kBar))->GetScrollInfo(&info);
    EXPECT_EQ(info.nMax, m_nItems);
    EXPECT_EQ(info.nPos, GetFirstVisibleItem());
    return static_cast<int>(info.nPage);
  }

protected:
  BOOL OnInitDialog() override {
    GetDlgItem(kGraph)->MoveWindow(4, 4, m_nWidth, 6);  // exact pixels, whatever the font
    return CHistoryDialog::OnInitDialog();
  }

private:
  int m_nItems, m_nWidth;
};

TEST(HistoryDialogTest, ScrollRequestsPageThroughTheItemsAndOddHistoriesStayWhole) {
  ScopedResources resources;
  resources.Add(kTemplate, Dialog(L"History", 200, 40,
                                  {Control(kGraph, L"STATIC", L"", 2, 2, 150, 10, SS_LEFT),
                                   Control(kBar, L"SCROLLBAR", L"", 2, 20, 150, 9, SBS_HORZ)}));
  StripDialog dialog(120, 200, 0);
  orv::test::RunModal(dialog, [&](DialogDriver& d) {
    EXPECT_EQ(dialog.Page(), 50);
    dialog.ExpectStrip(120);
    struct Step {
      UINT code;  // SB_THUMBTRACK: a drag of the thumb to `first`
      int first;
    } steps[] = {{SB_PAGERIGHT, 50}, {SB_LINERIGHT, 51}, {SB_PAGERIGHT, 71}, {SB_LINELEFT, 70},
                 {SB_THUMBTRACK, 33}, {SB_PAGELEFT, 0}, {SB_RIGHT, 0}};
    for (const Step& s : steps) {
      ASSERT_TRUE(s.code == SB_THUMBTRACK ? d.DragThumb(kBar, s.first) : d.Scroll(kBar, s.code));
      EXPECT_EQ(dialog.GetFirstVisibleItem(), s.first) << s.code;
      dialog.ExpectStrip(120);
    }
    dialog.ScrollToEnd();  // items 71 ... 119 and one empty column
    EXPECT_EQ(dialog.GetFirstVisibleItem(), 71);
    dialog.ExpectStrip(120);
    d.Close();
  });
  // Fewer items than fit, an odd width, none, and histories too long for one bitmap.
  struct Row {
    int items, width, scheme, page, lastFirst, shownItems;  // the bar holds its page to n + 1
  } rows[] = {{10, 200, 1, 11, 0, 10},          {50, 203, 0, 50, 1, 50},
              {0, 200, 0, 1, 0, 0},              {100000000, 200, 0, 50, 99999951, 0},
              {0x7FFFFFFF, 200, 0, 50, 0x7FFFFFFF - 49, 0}};
  for (const Row& r : rows) {
    StripDialog strip(r.items, r.width, r.scheme);
    orv::test::RunModal(strip, [&](DialogDriver& d) {
      EXPECT_EQ(strip.Page(), r.page);
      EXPECT_EQ(d.Scroll(kBar, SB_LINERIGHT), r.items > r.page) << r.items;
      strip.ScrollToEnd();
      EXPECT_EQ(strip.GetFirstVisibleItem(), r.lastFirst);
      strip.ExpectStrip(r.shownItems);
      d.Close();
    });
  }
}

}  // namespace
