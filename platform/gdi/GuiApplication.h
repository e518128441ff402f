#pragma once
// Fonts need the GUI application object and the project's font aliases ("MS UI Gothic" and
// the other Japanese Windows faces mapped to installed ones). When the host has no
// application object, the first use of a font creates one: through the factory the window
// layer installs (so that windows can follow), else a QGuiApplication on the offscreen
// platform, which needs no display. These functions belong to liborvgdiqt, the GDI's text
// engine; link it to call them.
#include "platform/base/Export.h"

namespace orv::gdi {

using GuiApplicationFactory = void (*)();

// Installs the factory; returns the previous one.
ORV_API GuiApplicationFactory SetGuiApplicationFactory(GuiApplicationFactory factory);
// Adds the font aliases to the font configuration (once); call before making fonts.
ORV_API void InstallFontAliases();
// Installs the aliases and makes sure an application object exists; it then lives for the
// rest of the process. False when the host's application object cannot draw text (a
// console-only application): text then draws nothing.
ORV_API bool EnsureGuiApplication();

}  // namespace orv::gdi
