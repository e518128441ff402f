// The chart window on a dialog: it draws the control's colours and sizes as of the last
// "Show Sky", and lets go of the control when it goes.
#include <gtest/gtest.h>

#include "SkyChartImage.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/TestDriver.h"
#include "sibling/skyview/SkyViewControl.h"
#include "sibling/skyview/chart/SkyChartWnd.h"
#include "support/DialogTemplates.h"
#include "support/ShownDialog.h"

namespace {

using orv::test::RunModal;
using orv::SkyValueKind;
using orv::ui::test::DialogDriver;
using orv::sky::test::PixelsOf;

constexpr UINT kChart = 1301;
constexpr COLORREF kLine = 0x807000;  // as the catalogue defines it: blue 80, green 70, red 00

const std::vector<orv::SkyKey> kChartKeys = {
    {L"Constellation.Line.Color", {SkyValueKind::Color, kLine}},
    {L"Constellation.Name.Size", {SkyValueKind::Size, 14}},
    {L"Constellation.Name.Color", {SkyValueKind::Color, 0xF7FFC7}},
    {L"Star.Name.Size", {SkyValueKind::Size, 14}},
    {L"Star.Name.Color", {SkyValueKind::Color, 0xFFC0C0}},
    {L"CoordinatesLine.Horizon.Color", {SkyValueKind::Color, 0x9E7728}},
};

class ChartDialog : public CDialog {
public:
  explicit ChartDialog(CSkyViewControl& control) : m_control(control) {
    static const orv::DialogTemplate t = orv::ui::testing::Dialog(
        L"Sky", 210, 160, {orv::ui::testing::Control(kChart, L"STATIC", L"", 5, 5, 200, 150, SS_OWNERDRAW)});
    InitModalIndirect(&t);
  }
  CSkyChartWnd chart;

protected:
  BOOL OnInitDialog() override {
    CDialog::OnInitDialog();
    chart.SubclassDlgItem(kChart, this);
    chart.SetControl(&m_control);
    return TRUE;
  }

private:
  CSkyViewControl& m_control;
};

// What the chart window shows now.
orv::gdi::Surface Shown(CSkyChartWnd& chart) {
  orv::ui::test::ProcessEvents();
  chart.UpdateWindow();
  CRect client;
  chart.GetClientRect(&client);
  orv::gdi::Surface s;
  s.Create(client.Width(), client.Height(), orv::gdi::PixelFormat::Rgb32);
  CClientDC dc(&chart);
  for (int y = 0; y < client.Height(); ++y)
    for (int x = 0; x < client.Width(); ++x) s.Row32(y)[x] = orv::gdi::ColorToPixel(dc.GetPixel(x, y));
  return s;
}

TEST(SkyChartWnd, LineColourChangesOnShowSkyOnTheSamePixels) {
  CSkyViewControl control(kChartKeys);
  ChartDialog dialog(control);
  RunModal(dialog, [&](DialogDriver& d) {
    const auto lines = PixelsOf(Shown(dialog.chart), kLine);
    ASSERT_GT(lines.size(), 100u);

    const COLORREF changed = RGB(250, 3, 7);
    EXPECT_EQ(control.Command(L"Constellation.Line.Color = RGB(250, 3, 7)"), L"");
    orv::gdi::Surface unchanged = Shown(dialog.chart);
    EXPECT_EQ(PixelsOf(unchanged, kLine), lines);  // not before "Show Sky"
    EXPECT_TRUE(PixelsOf(unchanged, changed).empty());

    control.Command(L"Show Sky");
    orv::gdi::Surface after = Shown(dialog.chart);
    EXPECT_EQ(PixelsOf(after, changed), lines);
    EXPECT_TRUE(PixelsOf(after, kLine).empty());
    d.Close();
  });
}

TEST(SkyChartWnd, FollowsOneControlAtATimeAndLetsGoWhenItGoes) {
  CSkyViewControl first(kChartKeys), second(kChartKeys);
  second.Command(L"Constellation.Line.Color = RGB(1, 2, 3)");
  second.Command(L"Constellation.Name.Size = 30");
  {
    CSkyChartWnd chart;  // no window: the style still follows the control
    chart.SetControl(&first);
    EXPECT_EQ(chart.GetStyle().constellationLine, kLine);
    chart.SetControl(&second);
    EXPECT_EQ(chart.GetStyle().constellationLine, RGB(1, 2, 3));
    EXPECT_EQ(chart.GetStyle().constellationName.size, 30);
    first.Command(L"Constellation.Line.Color = RGB(9, 9, 9)");
    first.Command(L"Show Sky");  // no longer followed
    EXPECT_EQ(chart.GetStyle().constellationLine, RGB(1, 2, 3));
    chart.SetControl(nullptr);
    EXPECT_FALSE(chart.GetStyle().constellationLine.has_value());
    chart.SetControl(&second);
  }
  second.Command(L"Show Sky");  // the chart is gone: nobody to tell
  EXPECT_EQ(second.GetRedrawCount(), 1);
}

TEST(SkyRedrawListeners, CalledForEachShowSkyUntilRemoved) {
  CSkyViewControl control(kChartKeys);
  int a = 0, b = 0;
  int idA = control.AddRedrawListener([&] { ++a; });
  int idB = 0;
  idB = control.AddRedrawListener([&] {
    ++b;
    control.RemoveRedrawListener(idB);  // once only
  });
  control.Command(L"Show Sky");
  control.Command(L"Show Sky please");          // not understood: no redraw
  control.Command(L"Constellation.Name.Size = 20");  // a setting is no redraw either
  control.Command(L"Show Sky");
  EXPECT_EQ(a, 2);
  EXPECT_EQ(b, 1);
  control.RemoveRedrawListener(idA);
  control.RemoveRedrawListener(12345);  // unknown ids are ignored
  control.Command(L"Show Sky");
  EXPECT_EQ(a, 2);
  EXPECT_EQ(control.GetRedrawCount(), 3);
}

}  // namespace
