#include "FitsSamples.h"

#include <fitsio.h>

#include <filesystem>

namespace orv::test {

int WriteFits(const std::string& path, const FitsSample& s) {
  int status = 0;
  fitsfile* f = nullptr;
  std::filesystem::remove(path);
  if (fits_create_diskfile(&f, path.c_str(), &status) != 0) return status;
  if (s.emptyPrimary) fits_create_img(f, 8, 0, nullptr, &status);
  long naxes[3] = {s.width, s.height, s.planes};
  fits_create_img(f, s.bitpix, s.planes == 1 ? 2 : 3, naxes, &status);
  if (s.writeScale) {
    double scaling[2] = {s.bscale, s.bzero};
    fits_update_key(f, TDOUBLE, "BSCALE", &scaling[0], nullptr, &status);
    fits_update_key(f, TDOUBLE, "BZERO", &scaling[1], nullptr, &status);
  }
  if (s.writeBlank) {
    long long blank = s.blank;
    fits_update_key(f, TLONGLONG, "BLANK", &blank, nullptr, &status);
  }
  // Store the values as given, not through the scaling just declared.
  fits_set_bscale(f, 1.0, 0.0, &status);
  std::vector<double> raw = s.raw;
  raw.resize(static_cast<std::size_t>(s.width) * s.height * s.planes, 0.0);
  fits_write_img(f, TDOUBLE, 1, static_cast<LONGLONG>(raw.size()), raw.data(), &status);
  int closeStatus = 0;
  fits_close_file(f, &closeStatus);
  return status != 0 ? status : closeStatus;
}

}  // namespace orv::test
