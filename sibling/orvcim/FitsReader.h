#pragma once
// Loads FITS images through CFITSIO: the first image with data (the primary array or the
// first image extension), any BITPIX, scaled by BSCALE and BZERO, with one plane or three
// (NAXIS3 = 3: red, green, blue). Pixel (x, y) of plane p is the file's pixel
// (x + 1, y + 1, p + 1): row 0 is the file's first row, which FITS puts at the bottom of the
// picture, so the images read are marked bottom-up (CImage::IsBottomUp).
#include <memory>

#include "platform/base/CString.h"
#include "platform/base/Export.h"
#include "sibling/orvcim/Image.h"

struct FitsInfo {
  int bitsPixel = 0;  // BITPIX
  int width = 0;
  int height = 0;
  int planes = 0;
  double bscale = 1.0;
  double bzero = 0.0;
};

class ORV_API CFitsReader {
public:
  // The geometry and scaling of path's image. FALSE with a message in error when the file
  // cannot be read or holds no image this module can load.
  static BOOL ReadInfo(const CString& path, FitsInfo* info, CString* error);
  // The image of path as physical values in float planes (BITPIX -32, BSCALE 1, BZERO 0;
  // undefined pixels, NaN or BLANK, NaN; infinities and denormal values as they are), each plane's level window the minimum and maximum of its finite
  // pixels (0 ... 0 when it has none); the file's BITPIX, planes and size are kept as the
  // image's source values. Null with a message in error on failure.
  static std::unique_ptr<CLumImage> Read(const CString& path, CString* error,
                                         CVmManager* manager = nullptr);
};
