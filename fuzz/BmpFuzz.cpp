// The two BMP decoders: the framework's (CBitmap) and the resource generator's. Any bytes
// decode or are refused without a read outside the buffer; a decoded image has the pixels
// its header promises.
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "fuzz/FuzzSupport.h"
#include "platform/gdi/GdiObject.h"
#include "platform/gdi/Surface.h"
#include "res/tools/BmpFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // An exact copy, so that a read past the input's end is a read past an allocation.
  const std::vector<BYTE> bytes(data, data + size);
  CBitmap bitmap;
  if (bitmap.LoadBitmapFromBmp(bytes.data(), bytes.size())) {
    const auto* surface = bitmap.GetSurface();
    FUZZ_CHECK(surface != nullptr && surface->Width() > 0 && surface->Height() > 0, "a loaded bitmap has pixels");
  }
  std::string error;
  if (auto image = orv::rc::DecodeBmp(std::span<const std::uint8_t>(data, size), &error)) {
    FUZZ_CHECK(image->pixels.size() == static_cast<std::size_t>(image->width) * static_cast<std::size_t>(image->height),
               "a decoded image has width * height pixels");
  } else {
    FUZZ_CHECK(!error.empty(), "a refusal says why");
  }
  return 0;
}
