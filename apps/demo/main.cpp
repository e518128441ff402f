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
  constexpr const char* kUsage =
      "usage: orvdcm-demo [IMAGE.fits | --sky | --screenshots DIR | --tour DIR] [--data-dir DIR] [--registry-dir DIR]\n";
  orv::cli::Arguments args;
  std::string error;
  const orv::cli::ParseResult parsed = orv::cli::ParseCommandLine(
      std::vector<std::string>(argv + 1, argv + argc),
      {{"--screenshots", true}, {"--tour", true}, {"--data-dir", true}, {"--sky", false}, orv::cli::kRegistryDirOption},
      &args, &error);
  if (parsed == orv::cli::ParseResult::Help) {
    std::fputs(kUsage, stdout);
    return 0;
  }
  const bool ownRegistry = args.Has(orv::cli::kRegistryDirOption.name);
  if (parsed == orv::cli::ParseResult::Refused || !orv::cli::ApplyRegistryOption(args, &error)) {
    std::fprintf(stderr, "orvdcm-demo: %s\n%s", error.c_str(), kUsage);
    return 2;
  }
  // One mode at most, each folder named, and at most one picture for the viewer.
  const std::vector<std::string> screenshots = args.Values("--screenshots"), tour = args.Values("--tour");
  std::string mode = screenshots.empty() ? (tour.empty() ? "" : "--tour") : "--screenshots";
  std::string folder = screenshots.empty() ? (tour.empty() ? "" : tour.back()) : screenshots.back();
  std::string dataDir = args.Value("--data-dir").value_or("");
  const bool sky = args.Has("--sky");
  std::string fault;
  if (screenshots.size() + tour.size() > 1) fault = "--screenshots and --tour: one of them, once";
  else if (!mode.empty() && folder.empty()) fault = mode + " needs a folder";
  else if (args.Has("--data-dir") && dataDir.empty()) fault = "--data-dir needs a folder";
  else if (args.operands.size() > 1) fault = "more than one image given ('" + args.operands[1] + "')";
  if (!fault.empty()) {
    std::fprintf(stderr, "orvdcm-demo: %s\n%s", fault.c_str(), kUsage);
    return 2;
  }
  if (!args.operands.empty()) orv::demo::DemoFiles().push_back(args.operands[0]);  // a FITS file for the viewer
  if (!mode.empty()) {
    // No display needed: Qt's offscreen platform draws, unless told otherwise; the run keeps
    // its files and registry in its own folder.
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    if (dataDir.empty()) dataDir = folder + "/data";
    if (!ownRegistry) {
      orv::cli::Arguments own;
      own.Add(orv::cli::kRegistryDirOption.name, folder + "/registry");
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
  } else if (!orv::demo::DemoFiles().empty()) {
    for (const orv::demo::DemoDialog& demo : orv::demo::DemoDialogs())  // the image goes straight to its viewer
      if (std::string(demo.name) == "fits-viewer") demo.open(nullptr);
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
