// The resource-script reader of the resource generator: any text is read or refused with a
// ScriptError, never a crash.
#include <cstdint>
#include <string>

#include "fuzz/FuzzSupport.h"
#include "res/tools/RcScript.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size > 16384) return 0;
  const std::string text(reinterpret_cast<const char*>(data), size);
  try {
    orv::rc::Script script = orv::rc::ParseScriptText(text, "fuzz.rc", orv::fuzz::ScratchFolder(), {});
    for (const auto& [id, dialog] : script.dialogs) FUZZ_CHECK(id <= 0xFFFF, "a dialog id fits a resource id");
  } catch (const orv::rc::ScriptError&) {
  }
  return 0;
}
