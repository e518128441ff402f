// The .reg importer: a file that is refused changes nothing; one that is taken exports to a
// text that, imported into an empty store, exports the same again.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz/FuzzSupport.h"
#include "platform/store/RegFile.h"

namespace {
constexpr std::size_t kMaxInput = 8192;  // larger files test nothing new, only slower

std::wstring ExportRoot(HKEY root) {
  std::wstring text;
  FUZZ_CHECK(orv::ExportRegText(root, L"", &text) == ERROR_SUCCESS, "the root exports");
  return text;
}

// Empties a root: its subkeys and its own values.
void Clear(HKEY root) {
  for (;;) {
    wchar_t name[ORV_REG_MAX_KEY_NAME + 1];
    DWORD size = ORV_REG_MAX_KEY_NAME + 1;
    if (RegEnumKeyExW(root, 0, name, &size, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
    FUZZ_CHECK(SHDeleteKeyW(root, name) == ERROR_SUCCESS, "a subkey is deleted");
  }
  static std::vector<wchar_t> name(ORV_REG_MAX_VALUE_NAME + 1);
  for (;;) {
    DWORD size = static_cast<DWORD>(name.size());
    if (RegEnumValueW(root, 0, name.data(), &size, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
    FUZZ_CHECK(RegDeleteValueW(root, name.data()) == ERROR_SUCCESS, "a value is deleted");
  }
}

struct Store {
  Store() {
    orv::SetRegistryRootFile(HKEY_CURRENT_USER, orv::fuzz::ScratchFolder() + "/user.db");
    orv::SetRegistryRootFile(HKEY_LOCAL_MACHINE, orv::fuzz::ScratchFolder() + "/machine.db");
  }
};

// The store as every input finds it: both roots empty but for a key that an import may
// change or delete. A root is made again only after an import changed it, so that the many
// refused inputs cost no writes; its export is the same every time it is made.
void MakeBaseline(HKEY root) {
  Clear(root);
  if (root != HKEY_CURRENT_USER) return;
  DWORD one = 1;
  HKEY key = nullptr;
  FUZZ_CHECK(RegCreateKeyExW(root, L"Software\\Victim", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) ==
                 ERROR_SUCCESS,
             "the victim key is made");
  RegSetValueExW(key, L"kept", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&one), 4);
  RegCloseKey(key);
}

struct Baseline {
  bool changed[2] = {true, true};
  std::wstring exported[2];
};
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static Store store;
  static Baseline baseline;
  if (size > kMaxInput) return 0;
  const HKEY roots[] = {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE};
  for (int i = 0; i < 2; ++i) {
    if (!baseline.changed[i]) continue;
    MakeBaseline(roots[i]);
    if (baseline.exported[i].empty()) baseline.exported[i] = ExportRoot(roots[i]);
    baseline.changed[i] = false;
  }

  orv::RegImportReport report = orv::ImportRegBytes(std::string_view(reinterpret_cast<const char*>(data), size));
  if (report.status != ERROR_SUCCESS) {
    FUZZ_CHECK(report.line > 0 || report.status != ERROR_INVALID_DATA, "a refusal names its line");
    for (int i = 0; i < 2; ++i) FUZZ_CHECK(ExportRoot(roots[i]) == baseline.exported[i], "a refused file changes nothing");
    return 0;
  }
  for (int i = 0; i < 2; ++i) {
    std::wstring exported = ExportRoot(roots[i]);
    if (exported == baseline.exported[i]) continue;  // nothing imported here: no round trip to make
    baseline.changed[i] = true;
    Clear(roots[i]);
    orv::RegImportReport again = orv::ImportRegText(exported);
    FUZZ_CHECK(again.status == ERROR_SUCCESS, "an export imports");
    FUZZ_CHECK(ExportRoot(roots[i]) == exported, "an export imports to the same keys");
  }
  return 0;
}
