#include "platform/gdi/GuiApplication.h"

#include <fontconfig/fontconfig.h>

#include <QGuiApplication>

namespace orv::gdi {

extern const char kFontAliases[];

namespace {
GuiApplicationFactory& Factory() {
  static GuiApplicationFactory factory = nullptr;
  return factory;
}
}  // namespace

GuiApplicationFactory SetGuiApplicationFactory(GuiApplicationFactory factory) {
  GuiApplicationFactory previous = Factory();
  Factory() = factory;
  return previous;
}

void InstallFontAliases() {
  static const bool installed = [] {
    // Into the current configuration, which the GUI toolkit's font database also uses.
    return FcConfigParseAndLoadFromMemory(FcConfigGetCurrent(), reinterpret_cast<const FcChar8*>(kFontAliases),
                                          FcTrue) == FcTrue;
  }();
  (void)installed;
}

bool EnsureGuiApplication() {
  InstallFontAliases();
  if (QCoreApplication::instance() == nullptr && Factory() != nullptr) Factory()();
  if (QCoreApplication::instance() == nullptr) {
    static int argc = 3;
    static char name[] = "orvdcm";
    static char platformOption[] = "-platform";
    static char platform[] = "offscreen";
    static char* argv[] = {name, platformOption, platform, nullptr};
    new QGuiApplication(argc, argv);  // lives for the rest of the process
  }
  return qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr;
}

}  // namespace orv::gdi
