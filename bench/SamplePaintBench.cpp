// One paint of the sample dialog: a 4096 x 4096 grey sample at magnification 2 in a
// 1200 x 900 display area, split into its render (the whole sample into the display bitmap)
// and its stretch (the visible 600 x 450 bitmap pixels onto the window's surface, which is
// what the window shows), against the render alone in the same run. Where OpenCV is
// installed, cv::resize with nearest-neighbour interpolation of the same bitmap pixels into
// a 1200 x 900 image is timed too, once with OpenCV's own threads and once on one thread
// (the library runs on the caller's thread only). A table at the end gives the shares.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <memory>
#include <random>
#include <string>

#include "image/DisplayRender.h"
#include "image/SampleGeometry.h"
#include "platform/gdi/DC.h"
#include "platform/gdi/Surface.h"
#include "sibling/orvcim/Dib.h"
#include "sibling/orvcim/Image.h"

#ifdef ORV_BENCH_OPENCV
#include <opencv2/core.hpp>
#include <opencv2/imgproc.hpp>
#endif

namespace {

constexpr int kSide = 4096;
const CRect kDisplay(0, 0, 1200, 900);

// Everything one paint needs, made once.
struct Scene {
  CLumImage sample{-32, kSide, kSide, 1};
  CVmDIB dib;
  orv::gdi::Surface window;
  CDC dc;
  orv::sample::Geometry view;
  orv::sample::PaintPlan plan;

  Scene() {
    std::mt19937 rng(7);
    std::uniform_real_distribution<float> d(-100.0f, 1200.0f);
    for (int y = 0; y < kSide; ++y) {
      float* row = sample.GetImageAdr(0, y, 0, 0);
      for (int x = 0; x < kSide; ++x) row[x] = d(rng);
    }
    sample.SetLevel(0, 0.0, 1000.0);
    dib.Create(nullptr, kSide, kSide, 0);
    window.Create(kDisplay.Width(), kDisplay.Height(), orv::gdi::PixelFormat::Rgb32);
    dc.AttachSurface(&window, POINT{0, 0}, kDisplay);
    view.display = kDisplay;
    view.image = CRect(0, 0, kSide, kSide);
    view.mag = 2.0;
    view.ScrollToCenter();
    plan = orv::sample::PlanPaint(view);
    orv::RenderSample(sample, &dib, nullptr);
  }
};

Scene& TheScene() {
  static Scene scene;
  return scene;
}

void Render(benchmark::State& state) {
  Scene& s = TheScene();
  for (auto _ : state) {
    orv::RenderSample(s.sample, &s.dib, nullptr);
    benchmark::ClobberMemory();
  }
}

void Stretch(benchmark::State& state) {
  Scene& s = TheScene();
  for (auto _ : state) {
    orv::sample::DrawPlanned(&s.dc, &s.dib, kDisplay, s.plan);
    benchmark::ClobberMemory();
  }
}

void Paint(benchmark::State& state) {
  Scene& s = TheScene();
  for (auto _ : state) {
    orv::RenderSample(s.sample, &s.dib, nullptr);
    orv::sample::DrawPlanned(&s.dc, &s.dib, kDisplay, s.plan);
    benchmark::ClobberMemory();
  }
}

#ifdef ORV_BENCH_OPENCV
void CvResize(benchmark::State& state, int threads) {
  Scene& s = TheScene();
  const int previous = cv::getNumThreads();
  if (threads > 0) cv::setNumThreads(threads);
  const cv::Mat all(kSide, kSide, CV_8UC4, s.dib.GetImageAdr(0, 0, 0, VM_ADR_READ),
                    static_cast<std::size_t>(s.dib.GetBytesPerRow()));
  const cv::Mat visible = all(cv::Rect(s.plan.src.x, s.plan.src.y, s.plan.srcSize.cx, s.plan.srcSize.cy));
  cv::Mat out(kDisplay.Height(), kDisplay.Width(), CV_8UC4);
  for (auto _ : state) {
    cv::resize(visible, out, out.size(), 0, 0, cv::INTER_NEAREST);
    benchmark::ClobberMemory();
  }
  cv::setNumThreads(previous);
}
#endif

class ShareReporter : public benchmark::ConsoleReporter {
public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
      const bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
      if (run.run_type == Run::RT_Aggregate && !median) continue;
      const std::string name = run.run_name.str();
      if (median || !m_median.count(name))
        m_time[name] = run.GetAdjustedCPUTime() / benchmark::GetTimeUnitMultiplier(run.time_unit);
      if (median) m_median[name] = true;
    }
  }

  void Finalize() override {
    ConsoleReporter::Finalize();
    auto t = [&](const char* name) {
      auto it = m_time.find(name);
      return it == m_time.end() ? 0.0 : it->second;
    };
    std::printf("\n%s of CPU times, milliseconds:\n", m_median.empty() ? "single runs" : "medians");
    const double render = t("render"), stretch = t("stretch"), paint = t("paint");
    std::printf("  render %.3f, stretch %.3f, paint %.3f\n", render * 1e3, stretch * 1e3, paint * 1e3);
    if (render > 0) {
      std::printf("  the stretch adds %.1f%% to the render; the whole paint takes %.1f%% more than the render\n",
                  100.0 * stretch / render, 100.0 * (paint - render) / render);
    }
    for (const char* peer : {"cv_resize_nearest", "cv_resize_nearest_1thread"}) {
      if (t(peer) > 0 && stretch > 0) std::printf("  %s %.3f: the stretch is %.2f times as fast\n", peer, t(peer) * 1e3, t(peer) / stretch);
    }
    if (t("cv_resize_nearest") == 0) std::printf("  (OpenCV is not installed: no peer timed)\n");
  }

private:
  std::map<std::string, double> m_time;
  std::map<std::string, bool> m_median;
};

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RegisterBenchmark("render", Render)->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark("stretch", Stretch)->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark("paint", Paint)->Unit(benchmark::kMillisecond);
#ifdef ORV_BENCH_OPENCV
  benchmark::RegisterBenchmark("cv_resize_nearest", CvResize, 0)->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark("cv_resize_nearest_1thread", CvResize, 1)->Unit(benchmark::kMillisecond);
#endif
  ShareReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  return 0;
}
