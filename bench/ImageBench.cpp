// Rendering a 4096 x 4096 sample into display bitmaps, per format and code path, against
// memcpy moving the same number of bytes (reads plus writes) in the same run; and the
// bilinear sample per call. At the end a table gives each rendering's speed as a share of
// its memcpy anchor, from the medians when repetitions are asked for. Times are CPU times,
// which other work on a shared machine disturbs less than wall-clock times.
//
// How the anchor is made fair:
// - Same bytes: for a format that reads R and writes W bytes per pixel, the anchor copies
//   (R + W) / 2 bytes per pixel, so that it too reads and writes R + W bytes in all.
// - Same memory: the anchor copies from image storage (CVmImage, like the sample's planes)
//   into a display bitmap's bits (CMemoryDIB, like the render target), both allocated and
//   written before timing starts, so page kinds (large pages or not) and first-touch page
//   faults are alike on both sides.
// - Same cache state: before every timed pass, of the anchor and of the rendering alike, the
//   source and destination are written back and evicted from every cache level. Without
//   this the outcome depends on whether a buffer pair happens to fit in the last-level
//   cache: on a machine whose cache holds some 80 MiB, a 40 MiB copy reused pass after pass
//   runs from the cache at twice the speed of a 64 MiB one, which runs from memory. Evicted,
//   every copy size of this benchmark runs from memory at the same bandwidth.
// - glibc's memcpy picks its strategy by size (vector loop, "rep movsb", non-temporal stores
//   above a threshold derived from the cache size); the anchor uses memcpy as it is, so it
//   is whatever glibc does for that byte count on this machine.
#include <benchmark/benchmark.h>
#include <emmintrin.h>

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
#include "sibling/orvcim/VmImage.h"

namespace {

constexpr int kSide = 4096;
constexpr std::size_t kPixels = std::size_t{kSide} * kSide;
constexpr std::size_t kLine = 64;

// Random values around each plane's window, some below and some above it.
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

// Writes back and drops bytes at p from every cache level.
void Evict(const void* p, std::size_t bytes) {
  if (bytes == 0) return;
  const char* c = static_cast<const char*>(p);
  for (std::size_t i = 0; i < bytes; i += kLine) _mm_clflush(c + i);
  _mm_clflush(c + bytes - 1);
  _mm_mfence();
}

void EvictStorage(const CVmImage& storage) {
  Evict(storage.GetImageAdr(0, 0, 0), static_cast<std::size_t>(storage.GetByteCount()));
}

void EvictBits(CMemoryDIB& dib) {
  Evict(dib.GetBits(), static_cast<std::size_t>(dib.GetBytesPerRow()) * static_cast<std::size_t>(dib.GetHeight()));
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

std::string FormatName(int planes, int bits) {
  return std::string(planes == 1 ? "grey" : "colour") + "->" + std::to_string(bits);
}

void Render(benchmark::State& state, int planes, int bits, orv::RenderPath path) {
  CLumImage& sample = Sample(planes);
  CMemoryDIB dib;
  if (!dib.Create(kSide, kSide, bits)) {
    state.SkipWithError("no bitmap");
    return;
  }
  for (auto _ : state) {
    state.PauseTiming();
    EvictStorage(*sample.GetVmImage());
    EvictBits(dib);
    state.ResumeTiming();
    orv::RenderSample(sample, &dib, nullptr, path);
    benchmark::DoNotOptimize(dib.GetBits());
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * kPixels * Traffic(planes, bits)));
}

// memcpy of half the rendering's traffic, from image storage into a bitmap's bits.
void Memcpy(benchmark::State& state, std::size_t bytes) {
  constexpr int kWidth = kSide;  // bytes per row of both; bytes is a multiple of it
  const int rows = static_cast<int>(bytes / kWidth);
  CVmImage from(kWidth, rows, 1, 1);
  CMemoryDIB to;
  if (!to.Create(kWidth, rows, 8)) {
    state.SkipWithError("no bitmap");
    return;
  }
  std::memset(from.GetImageAdr(0, 0, 0), 1, bytes);
  std::memset(to.GetBits(), 2, bytes);
  for (auto _ : state) {
    state.PauseTiming();
    EvictStorage(from);
    EvictBits(to);
    state.ResumeTiming();
    std::memcpy(to.GetBits(), from.GetImageAdr(0, 0, 0), bytes);
    benchmark::DoNotOptimize(to.GetBits());
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
      const double seconds = run.GetAdjustedCPUTime() / benchmark::GetTimeUnitMultiplier(run.time_unit);
      if (median || !m_median.count(name)) m_time[name] = seconds;
      if (median) m_median[name] = true;
    }
  }

  void Finalize() override {
    ConsoleReporter::Finalize();
    std::printf("\nrendering speed as a share of memcpy moving the same bytes (%s of CPU times):\n",
                m_median.empty() ? "single runs" : "medians");
    std::printf("  %-12s %12s %10s %10s\n", "", "memcpy GB/s", "sse2", "avx2");
    for (int planes : {1, 3}) {
      for (int bits : {8, 16, 24, 32}) {
        const std::string format = FormatName(planes, bits);
        auto anchor = m_time.find("memcpy/" + format);
        if (anchor == m_time.end() || anchor->second <= 0) continue;
        const double bytes = static_cast<double>(kPixels * Traffic(planes, bits));
        std::printf("  %-12s %12.2f", format.c_str(), bytes / anchor->second / 1e9);
        for (const char* path : {"sse2", "avx2"}) {
          auto it = m_time.find("render/" + format + "/" + path);
          if (it == m_time.end() || it->second <= 0) {
            std::printf(" %10s", "-");
          } else {
            std::printf(" %9.1f%%", 100.0 * anchor->second / it->second);
          }
        }
        std::printf("\n");
      }
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
      const std::string format = FormatName(planes, bits);
      benchmark::RegisterBenchmark(("memcpy/" + format).c_str(), Memcpy, kPixels * Traffic(planes, bits) / 2)
          ->Unit(benchmark::kMillisecond);
      for (orv::RenderPath path : paths)
        benchmark::RegisterBenchmark(("render/" + format + "/" + PathName(path)).c_str(), Render, planes, bits, path)
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
