// The history strip: scroll bar range, page and state, every scroll request, ScrollToEnd,
// and the graph's pixels column by column after each.
#include <gtest/gtest.h>

#include <functional>

#include "dialogs/HistoryDialog.h"
#include "platform/gdi/DC.h"
#include "platform/gdi/GdiObject.h"
#include "platform/ui/TestDriver.h"
#include "support/RunModal.h"
#include "tests/platform/ui/DialogTemplates.h"

namespace {

using orv::ui::test::DialogDriver;
using orv::test::RunModal;
using namespace orv::ui::testing;

constexpr UINT kTemplate = 33101;
constexpr int kGraph = 1101, kBar = 1102;
constexpr int kGraphHeight = 6;

COLORREF ItemColor(int i) { return RGB(i % 256, 255 - i % 200, 7); }

// Items of one colour each, drawn where the base says item i lives.
class StripDialog : public CHistoryDialog {
public:
  StripDialog(int items, int graphWidth, int scheme) : CHistoryDialog(kTemplate, kGraph, kBar), m_items(items), m_width(graphWidth) {
    m_nColorScheme = scheme;
  }
  int GetItemCount() override { return m_items; }
  void DrawItems(CDC* dc) override {
    ++m_draws;
    for (int i = 0; i < m_items && i < 100000; ++i) dc->FillSolidRect(i * kItemWidth, 0, kItemWidth, kGraphHeight, ItemColor(i));
  }
  using CHistoryDialog::ScrollToEnd;
  int m_draws = 0;

protected:
  BOOL OnInitDialog() override {
    GetDlgItem(kGraph)->MoveWindow(4, 4, m_width, kGraphHeight);  // exact pixels, whatever the font
    return CHistoryDialog::OnInitDialog();
  }

private:
  int m_items, m_width;
};

struct BarState {
  int minimum, maximum, page, position;
};

BarState BarOf(DialogDriver& d) {
  SCROLLINFO info{sizeof(SCROLLINFO), SIF_ALL, 0, 0, 0, 0, 0};
  static_cast<CScrollBar*>(CWnd::FromHandle(d.Item(kBar)))->GetScrollInfo(&info);
  return {info.nMin, info.nMax, static_cast<int>(info.nPage), info.nPos};
}

class HistoryDialogTest : public ::testing::Test {
protected:
  void SetUp() override {
    resources_.Add(kTemplate, Dialog(L"History", 200, 60,
                                     {Control(kGraph, L"STATIC", L"", 2, 2, 150, 10, SS_LEFT),
                                      Control(kBar, L"SCROLLBAR", L"", 2, 20, 150, 9, SBS_HORZ),
                                      Control(IDCANCEL, L"BUTTON", L"Cancel", 140, 40, 50, 14, WS_TABSTOP)}));
  }
  // Every pixel of the graph against items first, first + 1, ... and the background after
  // the last item.
  static void ExpectStrip(StripDialog& dialog, int items, int first, COLORREF background) {
    orv::ui::test::ProcessEvents();
    CWnd* graph = dialog.GetDlgItem(kGraph);
    CRect r;
    graph->GetClientRect(&r);
    CClientDC dc(graph);
    int wrong = 0;
    for (int y : {0, r.Height() - 1})
      for (int x = 0; x < r.Width(); ++x) {
        int item = first + x / CHistoryDialog::kItemWidth;
        COLORREF want = item < items ? ItemColor(item) : background;
        if (dc.GetPixel(x, y) != want && wrong++ < 3) ADD_FAILURE() << "pixel " << x << "," << y << " first " << first;
      }
  }
  ScopedResources resources_;
  const COLORREF night_ = CHistoryDialog::kNightGraphBackground;
};

TEST_F(HistoryDialogTest, ScrollRequestsMoveTheStripWithinItsItems) {
  StripDialog dialog(120, 200, 0);
  RunModal(dialog, [&](DialogDriver& d) {
    BarState bar = BarOf(d);
    EXPECT_EQ(bar.minimum, 0);
    EXPECT_EQ(bar.maximum, 120);
    EXPECT_EQ(bar.page, 50);
    ExpectStrip(dialog, 120, 0, night_);
    struct Step {
      std::function<bool(DialogDriver&)> act;
      int first;
    } steps[] = {
        {[](DialogDriver& x) { return x.Scroll(kBar, SB_PAGERIGHT); }, 50},
        {[](DialogDriver& x) { return x.Scroll(kBar, SB_LINERIGHT); }, 51},
        {[](DialogDriver& x) { return x.Scroll(kBar, SB_PAGERIGHT); }, 71},  // held at the last page
        {[](DialogDriver& x) { return x.Scroll(kBar, SB_LINELEFT); }, 70},
        {[](DialogDriver& x) { return x.DragThumb(kBar, 33); }, 33},  // the end of a drag keeps the place
        {[](DialogDriver& x) { return x.Scroll(kBar, SB_PAGELEFT); }, 0},
        {[](DialogDriver& x) { return x.Scroll(kBar, SB_RIGHT); }, 0},  // the ends move nothing
    };
    for (const Step& s : steps) {
      ASSERT_TRUE(s.act(d));
      EXPECT_EQ(dialog.GetFirstVisibleItem(), s.first);
      EXPECT_EQ(BarOf(d).position, s.first);
      ExpectStrip(dialog, 120, s.first, night_);
    }
    dialog.ScrollToEnd();  // the last page: items 71 ... 119 and one empty column
    EXPECT_EQ(dialog.GetFirstVisibleItem(), 71);
    ExpectStrip(dialog, 120, 71, night_);
  });
}

TEST_F(HistoryDialogTest, ShortHistoriesAndOddWidthsKeepTheBarDisabled) {
  struct Row {
    int items, width, scheme, page, lastFirst;  // the bar holds a page to its range: n + 1
  } rows[] = {{10, 200, 1, 11, 0}, {50, 200, 0, 50, 1}, {50, 203, 0, 50, 1}, {0, 200, 0, 1, 0}};
  for (const Row& r : rows) {
    StripDialog dialog(r.items, r.width, r.scheme);
    RunModal(dialog, [&](DialogDriver& d) {
      EXPECT_EQ(BarOf(d).page, r.page);
      EXPECT_FALSE(d.Scroll(kBar, SB_LINERIGHT)) << r.items;  // disabled
      COLORREF background = r.scheme == 0 ? night_ : GetSysColor(COLOR_WINDOW);
      ExpectStrip(dialog, r.items, 0, background);
      dialog.ScrollToEnd();
      EXPECT_EQ(dialog.GetFirstVisibleItem(), r.lastFirst);
      ExpectStrip(dialog, r.items, r.lastFirst, background);
    });
  }
}

TEST_F(HistoryDialogTest, AHistoryTooLongForOneBitmapPaintsTheBackground) {
  for (int items : {100000000, 0x7FFFFFFF}) {
    StripDialog dialog(items, 200, 0);
    RunModal(dialog, [&](DialogDriver& d) {
      dialog.ScrollToEnd();
      EXPECT_EQ(dialog.GetFirstVisibleItem(), items - 50 + 1);
      EXPECT_EQ(BarOf(d).maximum, items);
      ExpectStrip(dialog, 0, 0, night_);
      EXPECT_EQ(dialog.m_draws, 0);
    });
  }
}

}  // namespace
