// The text decoder in every encoding: any bytes decode without overrun; text that encodes
// without loss decodes back to itself; the piecewise UTF-8 check agrees with the whole one.
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz/FuzzSupport.h"
#include "platform/base/TextEncoding.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  const auto encoding = static_cast<orv::TextEncoding>(data[0] % 5);
  const std::string_view bytes(reinterpret_cast<const char*>(data + 2), size - 2);
  const std::wstring text = orv::TextDecoder(encoding).Decode(bytes);
  bool lossless = true;
  const std::string again = orv::EncodeText(text, encoding, &lossless);
  if (lossless) FUZZ_CHECK(orv::TextDecoder(encoding).Decode(again) == text, "encoded text decodes back to itself");

  orv::Utf8Validator whole, pieces;
  whole.Feed(bytes);
  const std::size_t cut = data[1] % (bytes.size() + 1);
  pieces.Feed(bytes.substr(0, cut));
  pieces.Feed(bytes.substr(cut));
  FUZZ_CHECK(whole.Finish() == pieces.Finish(), "UTF-8 validity does not depend on the pieces");
  orv::DetectEncoding(bytes);
  return 0;
}
