#pragma once
// Writes small FITS files with CFITSIO for the reader's tests: stored values exactly as
// given, with BSCALE, BZERO and BLANK keywords as asked.
#include <string>
#include <vector>

namespace orv::test {

struct FitsSample {
  int bitpix = 16;
  int width = 1;
  int height = 1;
  int planes = 1;            // 1 writes NAXIS = 2; anything else NAXIS = 3
  std::vector<double> raw;   // stored values, plane by plane, row by row
  double bscale = 1.0;
  double bzero = 0.0;
  bool writeScale = false;   // write the BSCALE and BZERO keywords
  long long blank = 0;
  bool writeBlank = false;   // write a BLANK keyword (integer images)
  bool emptyPrimary = false; // put the image in an extension after an empty primary HDU
};

// Returns the CFITSIO status (0 on success).
int WriteFits(const std::string& path, const FitsSample& sample);

}  // namespace orv::test
