#pragma once
// The FITS viewer's default picture: a star field made here, so a new user sees the viewer
// work without a file of their own.
#include <memory>

#include "sibling/orvcim/Image.h"

namespace orv::demo {

// width x height pixels of a 16-bit camera's counts: a sky background with a gentle
// gradient, a few hundred stars of magnitudes 4 to 13 as blurred points (the brightest
// saturated at 65535), an emission nebula, and read and photon noise. Rows run bottom-up,
// as a FITS file's do. The same seed gives the same picture.
std::unique_ptr<CLumImage> MakeStarField(int width, int height, unsigned seed = 2026);

}  // namespace orv::demo
