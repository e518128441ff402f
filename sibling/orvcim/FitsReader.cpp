#include "sibling/orvcim/FitsReader.h"

#include <fitsio.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "platform/base/Exception.h"
#include "sibling/orvcim/FloatConvert.h"

namespace {

// Closes the file on every way out.
struct FitsFile {
  fitsfile* fptr = nullptr;
  ~FitsFile() {
    int status = 0;
    if (fptr != nullptr) fits_close_file(fptr, &status);
  }
};

CString FitsError(const CString& path, int status) {
  char text[FLEN_STATUS] = {};
  fits_get_errstatus(status, text);
  fits_clear_errmsg();
  CString message;
  message.Format(L"%s: %S", path.GetString(), text);
  return message;
}

void SetError(CString* error, const CString& message) {
  if (error != nullptr) *error = message;
}

// Opens path (as a plain file name: no extended syntax) and moves to the first image HDU
// with data; fills info. Returns the CFITSIO status, or -1 when the image is unsupported.
int OpenImage(const CString& path, FitsFile* file, FitsInfo* info) {
  int status = 0;
  std::string name = path.ToUtf8();
  if (fits_open_diskfile(&file->fptr, name.c_str(), READONLY, &status) != 0) return status;
  for (;;) {
    int type = 0;
    int naxis = 0;
    fits_get_hdu_type(file->fptr, &type, &status);
    if (type == IMAGE_HDU) fits_get_img_dim(file->fptr, &naxis, &status);
    if (status != 0) return status;
    if (type == IMAGE_HDU && naxis > 0) break;
    if (fits_movrel_hdu(file->fptr, 1, nullptr, &status) != 0) return status;
  }
  int bitpix = 0;
  int naxis = 0;
  long naxes[3] = {1, 1, 1};
  fits_get_img_param(file->fptr, 3, &bitpix, &naxis, naxes, &status);
  if (status != 0) return status;
  if (naxis < 2 || naxis > 3) return -1;
  if (naxes[0] <= 0 || naxes[1] <= 0 || (naxes[2] != 1 && naxes[2] != 3)) return -1;
  if (naxes[0] > std::numeric_limits<int>::max() || naxes[1] > std::numeric_limits<int>::max())
    return -1;
  info->bitsPixel = bitpix;
  info->width = static_cast<int>(naxes[0]);
  info->height = static_cast<int>(naxes[1]);
  info->planes = static_cast<int>(naxes[2]);
  double value = 0.0;
  info->bscale = fits_read_key(file->fptr, TDOUBLE, "BSCALE", &value, nullptr, &status) == 0 ? value : 1.0;
  status = 0;
  info->bzero = fits_read_key(file->fptr, TDOUBLE, "BZERO", &value, nullptr, &status) == 0 ? value : 0.0;
  status = 0;
  fits_clear_errmsg();
  return 0;
}

CString UnsupportedMessage(const CString& path) {
  CString message;
  message.Format(L"%s: not a FITS image of one or three planes", path.GetString());
  return message;
}

}  // namespace

BOOL CFitsReader::ReadInfo(const CString& path, FitsInfo* info, CString* error) {
  FitsFile file;
  FitsInfo found;
  int status = OpenImage(path, &file, &found);
  if (status != 0) {
    SetError(error, status < 0 ? UnsupportedMessage(path) : FitsError(path, status));
    return FALSE;
  }
  if (info != nullptr) *info = found;
  return TRUE;
}

std::unique_ptr<CLumImage> CFitsReader::Read(const CString& path, CString* error, CVmManager* manager) {
  FitsFile file;
  FitsInfo info;
  int status = OpenImage(path, &file, &info);
  if (status != 0) {
    SetError(error, status < 0 ? UnsupportedMessage(path) : FitsError(path, status));
    return nullptr;
  }

  auto image = std::make_unique<CLumImage>();
  image->m_nBitsPixel = -32;
  image->m_nWidth = info.width;
  image->m_nHeight = info.height;
  image->m_nPlanes = info.planes;
  image->m_nDimension = info.planes > 1 ? 3 : 2;
  image->m_dLevelMin.assign(static_cast<std::size_t>(info.planes), 0.0);
  image->m_dLevelMax.assign(static_cast<std::size_t>(info.planes), 0.0);
  image->m_dLevelRange.assign(static_cast<std::size_t>(info.planes), 0.0);
  try {
    image->Allocate(manager);
  } catch (CException* e) {
    e->Delete();
    CString message;
    message.Format(L"%s: not enough memory for %d x %d x %d pixels", path.GetString(), info.width,
                   info.height, info.planes);
    SetError(error, message);
    return nullptr;
  }

  // Row by row in double, so that BSCALE and BZERO apply in double and out-of-range values
  // become infinities rather than being clipped. Undefined pixels become NaN: in integer
  // images those equal to BLANK. Float images are read without CFITSIO's null checking,
  // which would also turn infinities into NaN and flush denormal values to 0; their NaN
  // pixels stay NaN by themselves.
  std::vector<double> row(static_cast<std::size_t>(info.width));
  double nan = std::numeric_limits<double>::quiet_NaN();
  double* nulval = info.bitsPixel < 0 ? nullptr : &nan;
  for (int p = 0; p < info.planes; ++p) {
    double lo = std::numeric_limits<double>::infinity();
    double hi = -lo;
    for (int y = 0; y < info.height; ++y) {
      long first[3] = {1, y + 1L, p + 1L};
      int anyNull = 0;
      if (fits_read_pix(file.fptr, TDOUBLE, first, info.width, nulval, row.data(), &anyNull, &status) != 0) {
        SetError(error, FitsError(path, status));
        return nullptr;
      }
      float* out = reinterpret_cast<float*>(image->m_pVmImage->GetImageAdr(0, y, p, 0));
      for (int x = 0; x < info.width; ++x) {
        float v = orv::DoubleToFloat(row[static_cast<std::size_t>(x)]);
        out[x] = v;
        if (std::isfinite(v)) {
          if (v < lo) lo = v;
          if (v > hi) hi = v;
        }
      }
    }
    if (lo > hi) lo = hi = 0.0;
    image->SetLevel(p, lo, hi);
  }
  image->m_bOwnLevel = TRUE;
  image->m_bBottomUp = TRUE;
  image->m_strOrgFileName = path;
  image->m_strOrgFileFormat = L"FITS";
  image->m_nOrgBitsPixel = info.bitsPixel;
  image->m_nOrgPlanes = info.planes;
  image->m_nOrgWidth = info.width;
  image->m_nOrgHeight = info.height;
  return image;
}
