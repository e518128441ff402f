// orvdcm-demo: opens the dialogs of the library from a small host window, or, with
// --screenshots DIR, writes a PNG of each into DIR and ends.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "apps/demo/DemoDialogs.h"
#include "platform/base/Resources.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/TemplateBuilder.h"
#include "platform/ui/TestDriver.h"

namespace orv::demo {

namespace {

constexpr UINT kHostTemplate = 100;
constexpr int kFirstButton = 1000;

// The host: one button per demo dialog, and Close.
class HostDialog : public CDialog {
public:
  HostDialog() : CDialog(kHostTemplate) {}

protected:
  void OnOpen(UINT id) { DemoDialogs()[id - kFirstButton].open(this); }
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
  std::string screenshots;
  bool usage = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--screenshots" && i + 1 < args.size() && screenshots.empty()) {
      screenshots = args[++i];
    } else if (!args[i].empty() && args[i][0] != '-') {
      orv::demo::DemoFiles().push_back(args[i]);  // a FITS file for the viewer
    } else {
      usage = true;
    }
  }
  if (usage || orv::demo::DemoFiles().size() > 1) {
    std::fprintf(stderr, "usage: orvdcm-demo [IMAGE.fits] [--screenshots DIR]\n");
    return 2;
  }
  // Screenshots need no display: Qt's offscreen platform draws them, unless told otherwise.
  if (!screenshots.empty()) setenv("QT_QPA_PLATFORM", "offscreen", 0);
  orv::ResourceTable resources;
  resources.dialogs[orv::demo::kHostTemplate] = orv::demo::HostTemplate();
  HINSTANCE module = orv::RegisterResourceModule("orvdcm-demo", &resources);
  int result = 0;
  if (!screenshots.empty()) {
    result = orv::demo::WriteScreenshots(screenshots);
  } else if (!orv::demo::DemoFiles().empty()) {
    for (const orv::demo::DemoDialog& demo : orv::demo::DemoDialogs())  // the image goes straight to its viewer
      if (std::string(demo.name) == "fits-viewer") demo.open(nullptr);
  } else {
    orv::demo::HostDialog host;
    host.DoModal();
  }
  orv::UnregisterResourceModule(module);
  return result;
}
