// The colour and font dialog from construction to the end of its first paint, offscreen, with
// the full catalogue and the three shipped picture sets registered, against building the
// catalogue alone (which the dialog does too) in the same run. Times are the process's CPU
// time, which other work on a shared machine disturbs less than wall-clock time; the
// dialog's includes the window layer's work on every thread.
#include <benchmark/benchmark.h>

#include <ctime>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <unistd.h>

#include "colour/OrvColor.h"
#include "colour/SetColorDialog.h"
#include "platform/store/RegFile.h"
#include "platform/store/WinReg.h"
#include "platform/ui/TestDriver.h"
#include "sibling/skyview/CorLum.h"
#include "sibling/skyview/SkyViewControl.h"

namespace {

// A registry and a data folder of the run's own, with the shipped picture sets installed.
struct Machine {
  Machine() {
    std::filesystem::create_directories(folder);
    orv::SetRegistryRootFile(HKEY_CURRENT_USER, (folder / "user.db").string());
    orv::SetRegistryRootFile(HKEY_LOCAL_MACHINE, (folder / "machine.db").string());
    std::ifstream reg(ORV_PICTURE_SETS, std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(reg)), std::istreambuf_iterator<char>());
    orv::ImportRegBytes(bytes);
    control.SetPictureFile(L".\\constellation\\CnsPic\\CnsPic.lst");
  }
  ~Machine() {
    orv::SetRegistryRootFile(HKEY_CURRENT_USER, std::string());
    orv::SetRegistryRootFile(HKEY_LOCAL_MACHINE, std::string());
    std::filesystem::remove_all(folder);
  }
  CString File(const char* name) const { return CString((folder / name).string().c_str()); }

  std::filesystem::path folder = std::filesystem::temp_directory_path() / ("orvdcm-bench-" + std::to_string(getpid()));
  CSkyViewControl control;
  CCorLum sky{&control};
};

Machine& TheMachine() {
  static Machine machine;
  return machine;
}

void BM_CatalogueConstruction(benchmark::State& state) {
  Machine& m = TheMachine();
  for (auto _ : state) {
    COrvColor catalogue(&m.sky, nullptr, m.File("ColorFont.txt"), m.File("ColorFontDefault.txt"));
    benchmark::DoNotOptimize(catalogue.GetCount());
  }
}
BENCHMARK(BM_CatalogueConstruction)->Unit(benchmark::kMillisecond);

double ProcessSeconds() {
  timespec t{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

void BM_DialogToFirstPaint(benchmark::State& state) {
  Machine& m = TheMachine();
  for (auto _ : state) {
    const double start = ProcessSeconds();
    double seconds = 0;
    CSetColorDialog dialog(&m.sky, nullptr, 0, m.File("ColorFont.txt"), m.File("ColorFontDefault.txt"));
    orv::ui::test::ModalScripts scripts;
    scripts.Add([&](orv::ui::test::DialogDriver& d) {
      benchmark::DoNotOptimize(d.PaintClient().Width());
      seconds = ProcessSeconds() - start;
      d.Click(IDCANCEL);
    });
    dialog.DoModal();
    state.SetIterationTime(seconds);
  }
}
BENCHMARK(BM_DialogToFirstPaint)->Unit(benchmark::kMillisecond)->UseManualTime();

}  // namespace

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
