// orvdcm-demo: opens the dialogs of the library from a small host window (--sky: with the
// sky chart open), or, with --screenshots DIR, writes a PNG of each into DIR and ends, or,
// with --tour DIR, walks the colour road headless with a screenshot of each step.
//
// --data-dir DIR holds the colour-font files (default: the user's data folder, or DIR/data
// for --screenshots and --tour); --registry-dir DIR the registry (default: the user's, or
// DIR/registry for --screenshots and --tour).
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "apps/demo/DemoDialogs.h"
#include "apps/orvdcm/RegistryOption.h"
#include "platform/base/Resources.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/TemplateBuilder.h"
#include "platform/ui/TestDriver.h"

namespace orv::demo {

std::vector<DemoDialog>& DemoDialogs() {
  static std::vector<DemoDialog> dialogs;
  return dialogs;
}

std::string& DataFolder() {
  static std::string folder;
  return folder;
}

CString DataFile(const char* name) {
  std::error_code ec;
  std::filesystem::create_directories(DataFolder(), ec);
  return CString((std::filesystem::path(DataFolder()) / name).string().c_str());
}

namespace {

constexpr UINT kHostTemplate = 100;
constexpr int kFirstButton = 1000;

// The host: one button per demo dialog, and Close.
class HostDialog : public CDialog {
public:
  explicit HostDialog(int openFirst) : CDialog(kHostTemplate), m_openFirst(openFirst) {}

protected:
  BOOL OnInitDialog() override {
    CDialog::OnInitDialog();
    if (m_openFirst >= 0) PostMessage(WM_COMMAND, static_cast<WPARAM>(kFirstButton + m_openFirst));
    return TRUE;
  }
  void OnOpen(UINT id) { DemoDialogs()[id - kFirstButton].open(this); }
  int m_openFirst;
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(HostDialog, CDialog)
  ON_COMMAND_RANGE(kFirstButton, kFirstButton + 99, &HostDialog::OnOpen)
END_MESSAGE_MAP()

DialogTemplate HostTemplate() {
  int y = 7;
  std::vector<DialogItemTemplate> buttons;
  for (std::size_t i = 0; i < DemoDialogs().size() && i < 100; ++i, y += 18)
    buttons.push_back(ui::DialogItem(static_cast<UINT>(kFirstButton + static_cast<int>(i)), L"BUTTON",
                                     DemoDialogs()[i].title, 7, y, 140, 14, WS_TABSTOP));
  buttons.push_back(ui::DialogItem(IDCANCEL, L"BUTTON", L"Close", 97, y + 6, 50, 14, WS_TABSTOP));
  DialogTemplate t = ui::DialogFrame(L"orvdcm demo", 154, y + 27, DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU);
  t.x = 20;
  t.y = 20;
  t.items = std::move(buttons);
  return t;
}

int WriteScreenshots(const std::string& folder) {
  std::error_code ec;
  std::filesystem::create_directories(folder, ec);
  int failures = 0;
  for (const DemoDialog& demo : DemoDialogs()) {
    std::string file = (std::filesystem::path(folder) / (std::string(demo.name) + ".png")).string();
    bool written = false;
    orv::ui::test::ModalScripts scripts;
    scripts.Add([&](orv::ui::test::DialogDriver& d) {
      written = d.SaveScreenshot(file);
      d.Close();
    });
    demo.open(nullptr);
    std::printf("%s %s\n", written ? "wrote" : "FAILED", file.c_str());
    if (!written) ++failures;
  }
  return failures == 0 ? 0 : 1;
}

}  // namespace
}  // namespace orv::demo

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  std::string error;
  const bool ownRegistry = std::find_if(args.begin(), args.end(), [](const std::string& a) {
                             return a.rfind("--registry-dir", 0) == 0;
                           }) != args.end();
  if (!orv::cli::ApplyRegistryOption(args, &error)) {
    std::fprintf(stderr, "orvdcm-demo: %s\n", error.c_str());
    return 2;
  }
  std::string mode, folder, dataDir;
  bool sky = false, bad = false;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if ((a == "--screenshots" || a == "--tour" || a == "--data-dir") && i + 1 < args.size() && !args[i + 1].empty()) {
      (a == "--data-dir" ? dataDir : folder) = args[++i];
      if (a != "--data-dir") bad |= !mode.empty(), mode = a;
    } else if (a == "--sky") {
      sky = true;
    } else {
      std::fprintf(stderr, "orvdcm-demo: unknown option or missing folder: %s\n", a.c_str());
      bad = true;
    }
  }
  if (bad) {
    std::fprintf(stderr, "usage: orvdcm-demo [--sky | --screenshots DIR | --tour DIR] [--data-dir DIR] [--registry-dir DIR]\n");
    return 2;
  }
  if (!mode.empty()) {
    // No display needed: Qt's offscreen platform draws, unless told otherwise; the run keeps
    // its files and registry in its own folder.
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    if (dataDir.empty()) dataDir = folder + "/data";
    if (!ownRegistry) {
      std::vector<std::string> own{"--registry-dir", folder + "/registry"};
      std::filesystem::create_directories(folder + "/registry");
      orv::cli::ApplyRegistryOption(own, &error);
    }
  } else if (dataDir.empty()) {
    const char* xdg = std::getenv("XDG_DATA_HOME");
    const char* home = std::getenv("HOME");
    dataDir = (xdg != nullptr && xdg[0] == '/') ? std::string(xdg) + "/orvdcm-demo"
                                                : std::string(home != nullptr ? home : ".") + "/.local/share/orvdcm-demo";
  }
  orv::demo::DataFolder() = dataDir;
  orv::ResourceTable resources;
  resources.dialogs[orv::demo::kHostTemplate] = orv::demo::HostTemplate();
  HINSTANCE module = orv::RegisterResourceModule("orvdcm-demo", &resources);
  int result = 0;
  if (mode == "--screenshots") {
    result = orv::demo::WriteScreenshots(folder);
  } else if (mode == "--tour") {
    result = orv::demo::RunColourTour(folder);
  } else {
    int skyView = -1;
    for (size_t i = 0; sky && i < orv::demo::DemoDialogs().size(); ++i)
      if (std::string(orv::demo::DemoDialogs()[i].name) == "skyview") skyView = static_cast<int>(i);
    orv::demo::HostDialog host(skyView);
    host.DoModal();
  }
  orv::UnregisterResourceModule(module);
  return result;
}
