// Resolving fonts: the engine comes from the text engine's library (liborvgdiqt), which is
// loaded the first time a font is needed unless the window layer already brought it in.
#include "platform/gdi/detail/FontEngine.h"

#include <dlfcn.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <string>

#include "platform/gdi/detail/GdiObjectData.h"

namespace orv::gdi {

namespace {

// A zero height asks for the face's default: the cell of the classic system font.
constexpr LONG kDefaultCellHeight = 16;
constexpr LONG kMaxHeight = 1024;

std::atomic<FontEngineFactory>& Factory() {
  static std::atomic<FontEngineFactory> factory{nullptr};
  return factory;
}

// Without a text engine: the requested cell, and no text.
class NoTextEngine final : public FontEngine {
public:
  explicit NoTextEngine(const LOGFONT& lf) {
    const LONG height = std::clamp<LONG>(lf.lfHeight, -kMaxHeight, kMaxHeight);
    metrics_.tmHeight = height < 0 ? -height : height == 0 ? kDefaultCellHeight : height;
    metrics_.tmAscent = metrics_.tmHeight;
    metrics_.tmWeight = lf.lfWeight == FW_DONTCARE ? FW_NORMAL : lf.lfWeight;
    metrics_.tmCharSet = lf.lfCharSet;
  }
  std::wstring FamilyName() const override { return {}; }
  int TextWidth(std::wstring_view) const override { return 0; }
  TextLineMask Render(std::wstring_view, int, int) const override { return {}; }
};

// The text engine's library sits beside this one (in the build tree and when installed),
// where this library's search path ("$ORIGIN") finds it by name. A sanitizer's dlopen
// interceptor hides which library asked, and with it that search path: then the folder of
// this library, found from its own address, is named outright.
void LoadTextEngineLibrary() {
  static const bool attempted = [] {
    // Stays loaded for the rest of the process, as its fonts and application object do.
    if (dlopen(ORV_GDI_TEXT_LIBRARY, RTLD_NOW | RTLD_GLOBAL) != nullptr) return true;
    Dl_info self{};
    if (dladdr(reinterpret_cast<void*>(&SetFontEngineFactory), &self) != 0 && self.dli_fname != nullptr) {
      const std::string own = self.dli_fname;
      const std::string path = own.substr(0, own.rfind('/') + 1) + ORV_GDI_TEXT_LIBRARY;
      if (dlopen(path.c_str(), RTLD_NOW | RTLD_GLOBAL) != nullptr) return true;
    }
    std::fprintf(stderr, "orvgdi: no text engine (%s); text draws nothing\n", dlerror());
    return true;
  }();
  (void)attempted;
}

}  // namespace

FontEngine::~FontEngine() = default;

void SetFontEngineFactory(FontEngineFactory factory) { Factory().store(factory); }

std::unique_ptr<FontEngine> CreateFontEngine(const LOGFONT& request) {
  if (Factory().load() == nullptr) LoadTextEngineLibrary();
  FontEngineFactory factory = Factory().load();
  if (factory != nullptr) return factory(request);
  return std::make_unique<NoTextEngine>(request);
}

FontData::FontData() : GdiObjectData(GdiKind::Font) {}
FontData::~FontData() = default;

std::shared_ptr<FontEngine> EngineOf(FontData& font) {
  if (!font.engine) font.engine = CreateFontEngine(font.logFont);
  return font.engine;
}

}  // namespace orv::gdi
