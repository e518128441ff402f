// The FITS path: any file is loaded as an image or refused with a message; a loaded image
// has the size its header gives.
#include <cstdint>
#include <string>

#include "fuzz/FuzzSupport.h"
#include "sibling/orvcim/FitsReader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size > 65536) return 0;
  const CString path(orv::fuzz::ScratchFile("image.fits", data, size).c_str());
  FitsInfo info;
  CString error;
  const bool described = CFitsReader::ReadInfo(path, &info, &error) != 0;
  // Sizes this large are refused or paged; the campaign keeps to small ones for speed.
  if (described && static_cast<long long>(info.width) * info.height * info.planes > (1 << 22)) return 0;
  std::unique_ptr<CLumImage> image = CFitsReader::Read(path, &error);
  if (image == nullptr) {
    FUZZ_CHECK(!error.IsEmpty(), "a refusal says why");
    return 0;
  }
  FUZZ_CHECK(described, "a file that loads also describes itself");
  return 0;
}
