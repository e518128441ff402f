// Rendering a 4096 x 4096 sample into display bitmaps, per format and code path, against
// memcpy moving the same number of bytes (reads plus writes) in the same run; and the
// bilinear sample per call. At the end a table gives each rendering's speed as a share of
// its memcpy anchor, from the medians when repetitions are asked for. Times are CPU times,
// which other work on a shared machine disturbs less than wall-clock times.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <map>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "image/DisplayRender.h"
#include "sibling/orvcim/Dib.h"
#include "sibling/orvcim/Image.h"

namespace {

constexpr int kSide = 4096;
constexpr std::size_t kPixels = std::size_t{kSide} * kSide;

// Random values around a window, with a few NaNs and infinities among them.
std::unique_ptr<CLumImage> MakeSample(int planes) {
  auto image = std::make_unique<CLumImage>(-32, kSide, kSide, planes);
  std::mt19937 rng(42);
  std::uniform_real_distribution<float> d(-100.0f, 1200.0f);
  for (int p = 0; p < planes; ++p) {
    image->SetLevel(p, 0.0, 1000.0 + p);
    for (int y = 0; y < kSide; ++y) {
      float* row = image->GetImageAdr(0, y, p, 0);
      for (int x = 0; x < kSide; ++x) row[x] = d(rng);
    }
  }
  return image;
}

CLumImage& Sample(int planes) {
  static std::unique_ptr<CLumImage> grey = MakeSample(1);
  static std::unique_ptr<CLumImage> color = MakeSample(3);
  return planes == 1 ? *grey : *color;
}

const char* PathName(orv::RenderPath path) {
  switch (path) {
    case orv::RenderPath::Scalar: return "scalar";
    case orv::RenderPath::Sse2: return "sse2";
    case orv::RenderPath::Avx2: return "avx2";
  }
  return "?";
}

// Bytes read plus bytes written per pixel.
std::size_t Traffic(int planes, int bits) { return 4 * static_cast<std::size_t>(planes) + bits / 8; }

std::string CaseName(int planes, int bits, orv::RenderPath path) {
  return std::string(planes == 1 ? "grey" : "colour") + "->" + std::to_string(bits) + "/" + PathName(path);
}

void Render(benchmark::State& state, int planes, int bits, orv::RenderPath path) {
  CLumImage& sample = Sample(planes);
  CMemoryDIB dib;
  if (!dib.Create(kSide, kSide, bits)) {
    state.SkipWithError("no bitmap");
    return;
  }
  for (auto _ : state) {
    orv::RenderSample(sample, &dib, nullptr, path);
    benchmark::DoNotOptimize(dib.GetBits());
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * kPixels * Traffic(planes, bits)));
}

// memcpy of half the rendering's traffic: as many bytes read and written as it moves.
void Memcpy(benchmark::State& state, std::size_t bytes) {
  std::vector<char> from(bytes, 1);
  std::vector<char> to(bytes, 2);
  for (auto _ : state) {
    std::memcpy(to.data(), from.data(), bytes);
    benchmark::DoNotOptimize(to.data());
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes * 2));
}

void BilinearSample(benchmark::State& state) {
  CLumImage& sample = Sample(1);
  std::mt19937 rng(1);
  std::uniform_real_distribution<double> d(0.0, kSide);
  std::vector<std::pair<double, double>> points(4096);
  for (auto& p : points) p = {d(rng), d(rng)};
  std::size_t i = 0;
  for (auto _ : state) {
    const auto& p = points[i++ & 4095];
    benchmark::DoNotOptimize(sample.GetPixelGrayRaw(p.first, p.second, 0));
  }
  state.SetItemsProcessed(state.iterations());
}

// Console output as usual, plus the table of shares at the end.
class ShareReporter : public benchmark::ConsoleReporter {
public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
      bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
      if (run.run_type == Run::RT_Aggregate && !median) continue;
      std::string name = run.run_name.str();
      if (median || !m_median.count(name)) m_time[name] = run.GetAdjustedCPUTime();
      if (median) m_median[name] = true;
    }
  }

  void Finalize() override {
    ConsoleReporter::Finalize();
    // Second column: against the largest grey anchor (64 MiB each way), whose copy cannot stay
    // in the cache; smaller anchors may, and then copy faster than memory allows.
    auto big = m_time.find("memcpy/grey->32");
    double bigRate = big != m_time.end() && big->second > 0 ? kPixels * Traffic(1, 32) / big->second : 0.0;
    std::printf("\nrendering speed as a share of memcpy moving the same bytes (%s):\n",
                m_median.empty() ? "single runs" : "medians");
    std::printf("  %-24s %8s %14s\n", "", "same", "64 MiB memcpy");
    for (const auto& [name, time] : m_time) {
      if (name.rfind("render/", 0) != 0) continue;
      const std::string format = name.substr(7, name.find('/', 7) - 7);
      auto it = m_time.find("memcpy/" + format);
      if (it == m_time.end() || time <= 0) continue;
      const int planes = format.rfind("grey", 0) == 0 ? 1 : 3;
      const int bits = std::stoi(format.substr(format.find('>') + 1));
      const double rate = kPixels * Traffic(planes, bits) / time;
      std::printf("  %-24s %7.1f%% %13.1f%%\n", name.substr(7).c_str(), 100.0 * it->second / time,
                  bigRate > 0 ? 100.0 * rate / bigRate : 0.0);
    }
  }

private:
  std::map<std::string, double> m_time;
  std::map<std::string, bool> m_median;
};

void RegisterAll() {
  std::vector<orv::RenderPath> paths = {orv::RenderPath::Sse2};
  if (orv::IsRenderPathSupported(orv::RenderPath::Avx2)) paths.push_back(orv::RenderPath::Avx2);
  for (int planes : {1, 3}) {
    for (int bits : {8, 16, 24, 32}) {
      std::string format = std::string(planes == 1 ? "grey" : "colour") + "->" + std::to_string(bits);
      benchmark::RegisterBenchmark(("memcpy/" + format).c_str(), Memcpy, kPixels * Traffic(planes, bits) / 2)
          ->Unit(benchmark::kMillisecond);
      for (orv::RenderPath path : paths)
        benchmark::RegisterBenchmark(("render/" + CaseName(planes, bits, path)).c_str(), Render, planes, bits, path)
            ->Unit(benchmark::kMillisecond);
    }
  }
  benchmark::RegisterBenchmark("bilinear_sample", BilinearSample);
}

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  RegisterAll();
  ShareReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  return 0;
}
