// One paint of the history strip (CHistoryDialog::OnPaintImpl) by item count, on a graph of
// 400 x 100 pixels with one filled column per item, against the same paint with a page's
// worth of items (100) in the same run: the baseline is what a paint costs whatever the
// history's length. The base paints the whole strip into one bitmap of n * 4 pixels, so
// the cost grows with n; the question is up to which n a paint stays within one frame
// (16 ms). Times that count are CPU times, which other work on a shared machine disturbs
// less than wall-clock times. Runs on Qt's offscreen platform.
#include <benchmark/benchmark.h>

#include <cstdlib>

#include "dialogs/HistoryDialog.h"
#include "platform/base/Resources.h"
#include "platform/gdi/DC.h"
#include "platform/ui/TemplateBuilder.h"

namespace {

constexpr UINT kTemplate = 100, kGraph = 101, kBar = 102;
constexpr int kGraphWidth = 400, kGraphHeight = 100;

class BenchStrip : public CHistoryDialog {
public:
  BenchStrip() : CHistoryDialog(kTemplate, kGraph, kBar) {}
  int m_nItems = 0;
  int GetItemCount() override { return m_nItems; }
  void DrawItems(CDC* dc) override {
    for (int i = 0; i < m_nItems; ++i)
      dc->FillSolidRect(i * kItemWidth, kGraphHeight - 1 - i % kGraphHeight, kItemWidth, 1 + i % kGraphHeight,
                        RGB(i % 256, 200, 90));
  }
  void Paint() { OnPaintImpl(); }
  void End() { ScrollToEnd(); }
};

class StripFixture {
public:
  StripFixture() {
    orv::DialogTemplate t = orv::ui::DialogFrame(L"History", 300, 100, WS_POPUP | WS_CAPTION);
    t.items = {orv::ui::DialogItem(kGraph, L"STATIC", L"", 0, 0, 10, 10, SS_LEFT),
               orv::ui::DialogItem(kBar, L"SCROLLBAR", L"", 0, 80, 200, 9, SBS_HORZ)};
    table_.dialogs[kTemplate] = t;
    module_ = orv::RegisterResourceModule("history-bench", &table_);
    dialog_.Create(kTemplate);
    dialog_.GetDlgItem(kGraph)->MoveWindow(0, 0, kGraphWidth, kGraphHeight);
  }
  ~StripFixture() {
    dialog_.DestroyWindow();
    orv::UnregisterResourceModule(module_);
  }
  BenchStrip& Dialog() { return dialog_; }

private:
  orv::ResourceTable table_;
  HINSTANCE module_ = nullptr;
  BenchStrip dialog_;
};

StripFixture& Strip() {
  static StripFixture* fixture = new StripFixture;  // lives for the whole run
  return *fixture;
}

void BM_PaintStrip(benchmark::State& state) {
  BenchStrip& dialog = Strip().Dialog();
  dialog.m_nItems = static_cast<int>(state.range(0));
  dialog.End();
  for (auto _ : state) dialog.Paint();
  state.counters["items"] = static_cast<double>(dialog.m_nItems);
}
BENCHMARK(BM_PaintStrip)
    ->Arg(100)
    ->Arg(10000)
    ->Arg(20000)
    ->Arg(25000)
    ->Arg(30000)
    ->Arg(40000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
