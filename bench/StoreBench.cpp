// The settings stores as callers use them: CRegistry reads and writes of one value, walking
// the subkeys of a key with 200 and with 100,000 of them, .reg export and import of 100,000
// keys (flat: all under one key; nested: three levels), and the private-profile calls on
// files of 10, 1,000 and 10,000 keys. Rates are per call (items per second); the export,
// import and walks of 100,000 keys count one item per key.
//
// Every store lives in a fresh temporary folder removed at exit. Reads repeat on a warm
// store, as a dialog restoring its values does.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "platform/base/AtomicFile.h"
#include "platform/store/Profile.h"
#include "platform/store/RegFile.h"
#include "sibling/orvreg/Registry.h"

namespace {

constexpr int kManyKeys = 100000;

class Folder {
public:
  Folder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "orvstore-bench-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) std::abort();
    m_path = pattern;
  }
  ~Folder() {
    std::error_code ignored;
    std::filesystem::remove_all(m_path, ignored);
  }
  std::string File(const std::string& name) const { return m_path + "/" + name; }

private:
  std::string m_path;
};

Folder& Temp() {
  static Folder folder;
  return folder;
}

std::wstring Number(int n, int width) {
  std::wstring text = std::to_wstring(n);
  return std::wstring(text.size() < static_cast<size_t>(width) ? width - text.size() : 0, L'0') + text;
}

std::wstring KeyLine(const std::wstring& path, int n) {
  wchar_t hex[16];
  swprintf(hex, 16, L"%08x", static_cast<unsigned>(n));
  return L"[HKEY_CURRENT_USER\\Software\\" + path + L"]\r\n\"n\"=dword:" + hex + L"\r\n\r\n";
}

// .reg texts of 100,000 keys with one value each.
const std::wstring& RegText(bool nested) {
  static std::map<bool, std::wstring> texts;
  std::wstring& text = texts[nested];
  if (!text.empty()) return text;
  text = L"Windows Registry Editor Version 5.00\r\n\r\n";
  if (!nested) {
    for (int i = 0; i < kManyKeys; ++i) text += KeyLine(L"Flat\\K" + Number(i, 6), i);
    return text;
  }
  int n = 0;
  for (int a = 0; a < 50; ++a)
    for (int b = 0; b < 40; ++b)
      for (int c = 0; c < 50; ++c)
        text += KeyLine(L"Nested\\A" + Number(a, 2) + L"\\B" + Number(b, 2) + L"\\C" + Number(c, 2), n++);
  return text;
}

// Points HKEY_CURRENT_USER at a store named `name`, filled by `fill` when first used. A
// store already in use stays open, so that a repetition does not time opening it again.
template <typename Fill>
void UseStore(const std::string& name, Fill fill) {
  static std::map<std::string, bool> made;
  const std::string path = Temp().File(name);
  if (orv::GetRegistryRootFile(HKEY_CURRENT_USER) != path) orv::SetRegistryRootFile(HKEY_CURRENT_USER, path);
  if (!made[name]) {
    fill();
    made[name] = true;
  }
}

void UseSmallStore() {
  UseStore("small.db", [] {
    CRegistry::Write(L"Bench", L"Int", 42, CRegistry::DT_INT);
    CRegistry::Write(L"Bench", L"Text", CString(L"Orion"));
    for (int i = 0; i < 200; ++i) CRegistry::Write(L"Bench\\Sets\\S" + CString(Number(i, 3).c_str()), L"n", i, 1);
  });
}

void UseManyKeysStore() {
  UseStore("many.db", [] { orv::ImportRegText(RegText(false)); });
}

// Reads of an int value, stored or not.
void ReadInts(benchmark::State& state, const wchar_t* name) {
  UseSmallStore();
  int value = 0;
  for (auto _ : state) {
    CRegistry::Read(L"Bench", name, 7, &value, CRegistry::DT_INT);
    benchmark::DoNotOptimize(value);
  }
  state.SetItemsProcessed(state.iterations());
}

void BM_RegistryReadInt(benchmark::State& state) { ReadInts(state, L"Int"); }
BENCHMARK(BM_RegistryReadInt);

void BM_RegistryReadString(benchmark::State& state) {
  UseSmallStore();
  CString value;
  for (auto _ : state) {
    CRegistry::Read(L"Bench", L"Text", L"", value);
    benchmark::DoNotOptimize(value);
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_RegistryReadString);

void BM_RegistryReadMissing(benchmark::State& state) { ReadInts(state, L"Absent"); }
BENCHMARK(BM_RegistryReadMissing);

void BM_RegistryWrite(benchmark::State& state) {
  UseSmallStore();
  int n = 0;
  for (auto _ : state) CRegistry::Write(L"Bench", L"Counter", n++, CRegistry::DT_INT);
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_RegistryWrite);

// One walk of all subkeys through CRegistry::GetRegEnumKey.
int WalkSubkeys(const CString& key) {
  CString name;
  int count = 0;
  CRegistry::GetRegEnumKey(HKEY_CURRENT_USER, 0, key, name);
  while (CRegistry::GetRegEnumKey(HKEY_CURRENT_USER, 1, key, name)) ++count;
  CRegistry::GetRegEnumKey(HKEY_CURRENT_USER, 3, key, name);
  return count;
}

void BM_RegistryEnum200(benchmark::State& state) {
  UseSmallStore();
  // CRegistry keys are relative to the application key; the sets are below it.
  int count = 0;
  for (auto _ : state) count = WalkSubkeys(L"Bench\\Sets");
  if (count != 200) state.SkipWithError("wrong count");
  state.SetItemsProcessed(state.iterations() * count);
}
BENCHMARK(BM_RegistryEnum200);

void BM_RegistryEnum100000(benchmark::State& state) {
  UseManyKeysStore();
  HKEY key = nullptr;
  RegOpenKeyExW(HKEY_CURRENT_USER, L"Software\\Flat", 0, KEY_READ, &key);
  wchar_t name[ORV_REG_MAX_KEY_NAME + 1];
  DWORD count = 0;
  for (auto _ : state) {
    for (count = 0;; ++count) {
      DWORD size = ORV_REG_MAX_KEY_NAME + 1;
      if (RegEnumKeyExW(key, count, name, &size, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
    }
  }
  RegCloseKey(key);
  if (count != kManyKeys) state.SkipWithError("wrong count");
  state.SetItemsProcessed(state.iterations() * count);
}
BENCHMARK(BM_RegistryEnum100000)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_RegExport(benchmark::State& state) {
  bool nested = state.range(0) != 0;
  UseStore(nested ? "nested-export.db" : "many.db", [&] { orv::ImportRegText(RegText(nested)); });
  std::wstring text;
  for (auto _ : state) orv::ExportRegText(HKEY_CURRENT_USER, nested ? L"Software\\Nested" : L"Software\\Flat", &text);
  state.SetItemsProcessed(state.iterations() * kManyKeys);
  state.SetLabel(nested ? "nested" : "flat");
}
BENCHMARK(BM_RegExport)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(1);

// One key of the 100,000 under the same parent.
void BM_RegExportOneChild(benchmark::State& state) {
  UseManyKeysStore();
  std::wstring text;
  for (auto _ : state) orv::ExportRegText(HKEY_CURRENT_USER, L"Software\\Flat\\K050000", &text);
  if (text.find(L"K050000") == std::wstring::npos) state.SkipWithError("not exported");
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_RegExportOneChild)->Unit(benchmark::kMillisecond)->Iterations(1);

// Into a store of its own that is new each time.
void BM_RegImport(benchmark::State& state) {
  bool nested = state.range(0) != 0;
  const std::wstring& text = RegText(nested);
  int round = 0;
  for (auto _ : state) {
    state.PauseTiming();
    orv::SetRegistryRootFile(HKEY_CURRENT_USER, Temp().File("import-" + std::to_string(round++) + ".db"));
    state.ResumeTiming();
    if (orv::ImportRegText(text).status != ERROR_SUCCESS) state.SkipWithError("import failed");
  }
  state.SetItemsProcessed(state.iterations() * kManyKeys);
  state.SetLabel(nested ? "nested" : "flat");
}
BENCHMARK(BM_RegImport)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(1);

// An INI file of `keys` keys, 100 to a section ("Key0042=value 42").
const CString& IniFile(int keys) {
  static std::map<int, CString> files;
  CString& file = files[keys];
  if (!file.IsEmpty()) return file;
  std::string text;
  for (int k = 0; k < keys; ++k) {
    if (k % 100 == 0) text += "[Section" + std::to_string(k / 100) + "]\r\n";
    text += "Key" + std::to_string(k) + "=value " + std::to_string(k) + "\r\n";
  }
  std::string path = Temp().File("keys-" + std::to_string(keys) + ".ini");
  orv::ReplaceFileAtomically(path, text);
  file = CString(path.c_str());
  return file;
}

struct IniName {
  std::wstring section, key;
};

// The keys in a scattered order, so that no position in the file is favoured.
std::vector<IniName> IniNames(int keys, bool present) {
  std::vector<IniName> names;
  for (int i = 0; i < 1024; ++i) {
    int k = static_cast<int>((i * 7919L) % keys);
    names.push_back({L"Section" + std::to_wstring(k / 100), (present ? L"Key" : L"Absent") + std::to_wstring(k)});
  }
  return names;
}

void BM_IniRead(benchmark::State& state, bool present) {
  int keys = static_cast<int>(state.range(0));
  const CString& file = IniFile(keys);
  std::vector<IniName> names = IniNames(keys, present);
  wchar_t buffer[64];
  size_t i = 0;
  for (auto _ : state) {
    const IniName& name = names[i++ % names.size()];
    benchmark::DoNotOptimize(GetPrivateProfileStringW(name.section.c_str(), name.key.c_str(), L"none", buffer, 64, file));
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK_CAPTURE(BM_IniRead, hit, true)->Arg(10)->Arg(1000)->Arg(10000);
BENCHMARK_CAPTURE(BM_IniRead, miss, false)->Arg(10)->Arg(1000)->Arg(10000);

void BM_IniReadInt(benchmark::State& state) {
  const CString& file = IniFile(1000);
  std::vector<IniName> names = IniNames(1000, true);
  size_t i = 0;
  for (auto _ : state) {
    const IniName& name = names[i++ % names.size()];
    benchmark::DoNotOptimize(GetPrivateProfileIntW(name.section.c_str(), name.key.c_str(), -1, file));
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_IniReadInt);

void BM_IniWrite(benchmark::State& state) {
  const CString& file = IniFile(1000);
  int n = 0;
  for (auto _ : state)
    WritePrivateProfileStringW(L"Section5", L"Key512", std::to_wstring(n++ % 2).c_str(), file);
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_IniWrite);

}  // namespace

BENCHMARK_MAIN();
