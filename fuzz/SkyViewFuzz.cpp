// The sky view's command texts and command files: every line is answered or ignored, and a
// setting that was taken reads back through a query.
#include <cstdint>
#include <string>

#include "fuzz/FuzzSupport.h"
#include "platform/base/CString.h"
#include "platform/base/TextEncoding.h"
#include "sibling/skyview/CorLum.h"
#include "sibling/skyview/SkyKeys.h"
#include "sibling/skyview/SkyViewControl.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0 || size > 8192) return 0;
  CSkyViewControl control({{L"Star.Name.Size", {orv::SkyValueKind::Size, 14}},
                           {L"Star.Name.Color", {orv::SkyValueKind::Color, 0xFFC0C0}},
                           {L"Grid.Color", {orv::SkyValueKind::Color, 0x807000}}});
  CCorLum view(&control);
  const std::string bytes(reinterpret_cast<const char*>(data + 1), size - 1);
  if (data[0] & 1) {
    // As a command file, in whatever encoding it is read.
    view.RunCommandFile(CString(orv::fuzz::ScratchFile("commands.txt", bytes.data(), bytes.size()).c_str()));
    return 0;
  }
  const std::wstring text = orv::TextDecoder(orv::TextEncoding::Utf8).Decode(bytes);
  std::size_t start = 0;
  while (start <= text.size()) {
    std::size_t end = text.find(L'\n', start);
    if (end == std::wstring::npos) end = text.size();
    view.Command(CString(text.substr(start, end - start).c_str()));
    start = end + 1;
  }
  // A known setting still reads back after whatever came before.
  view.Command(L"Star.Name.Size = 17");
  FUZZ_CHECK(view.Command(L"? Star.Name.Size") == CString(L"17"), "a setting reads back");
  return 0;
}
