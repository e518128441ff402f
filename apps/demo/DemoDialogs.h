#pragma once
// The dialogs the demo shows. Each demo file registers its dialogs:
//
//   ORV_DEMO_DIALOG(colourChooser, "colour-chooser", "Colour chooser", [](CWnd* owner) { ... });
//
// The function opens the dialog modally with the given owner (null for screenshots).
#include <functional>
#include <string>
#include <vector>

#include "platform/base/CString.h"

class CWnd;

namespace orv::demo {

// The folder of the demo's colour-font and defaults files (made when first asked for).
std::string& DataFolder();
CString DataFile(const char* name);

// Walks the colour road headless, writing a screenshot of each step into folder; 0 when
// every step did what it should.
int RunColourTour(const std::string& folder);

struct DemoDialog {
  const char* name;   // file name of its screenshot, without ".png"
  const wchar_t* title;  // the host window's button
  std::function<void(CWnd* owner)> open;
};

std::vector<DemoDialog>& DemoDialogs();
// Files named on the command line, for the demos that open one.
std::vector<std::string>& DemoFiles();

struct DemoRegistration {
  DemoRegistration(const char* name, const wchar_t* title, std::function<void(CWnd*)> open) {
    DemoDialogs().push_back(DemoDialog{name, title, std::move(open)});
  }
};

}  // namespace orv::demo

#define ORV_DEMO_DIALOG(id, name, title, ...) \
  static const ::orv::demo::DemoRegistration orvDemo_##id(name, title, __VA_ARGS__)
