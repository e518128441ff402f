#pragma once
// The application's images. CImage holds pixels of any FITS pixel type (BITPIX 8, 16, 32,
// -32, -64) in paged storage, plane by plane, with one level window (minimum, maximum,
// range = maximum - minimum) per plane. CLumImage is the working image: 32-bit float planes.
//
// This module builds, copies and levels images (constructors, assignment, CopyImage,
// SetLevel). The per-pixel and per-image members used by other modules (accessors, address
// arithmetic, level conversions, sampling, brightness) are compiled into liborvdcm.
#include <memory>
#include <vector>

#include "platform/base/CString.h"
#include "platform/base/Export.h"
#include "platform/base/Object.h"
#include "sibling/orvcim/CfPoint.h"
#include "sibling/orvcim/Header.h"
#include "sibling/orvcim/VmImage.h"

class CWnd;
class CFitsReader;

class ORV_API CImage : public CObject {
public:
  // An empty image: no pixels, no planes.
  CImage();
  // width x height pixels of bitsPixel (FITS BITPIX) in planes planes, all stored values 0,
  // level windows 0 ... 0. progress and progressText name a window that may show the
  // progress of long work; this module draws nothing into it.
  CImage(int bitsPixel, int width, int height, int planes, double bscale = 1.0, double bzero = 0.0,
         BOOL isSigned = TRUE, CWnd* progress = nullptr, LPCTSTR progressText = nullptr);
  CImage(const CImage& other);
  CImage& operator=(const CImage& other);
  ~CImage() override;

  // Copies pixels and level windows of src into this image over the part both share (the
  // smaller width, height and plane count). FALSE when the pixel types differ.
  BOOL CopyImage(const CImage* src);
  // Sets the level window of plane; range becomes maximum - minimum. A plane out of range
  // is ignored.
  void SetLevel(int plane, double minimum, double maximum);
  // The paged storage (null for an image without pixels).
  CVmImage* GetVmImage() const { return m_pVmImage.get(); }

  // Header and geometry.
  int GetBitsPixel() const;
  void SetBitsPixel(int bits);
  BOOL IsSigned() const;
  void SetSigned(BOOL isSigned);
  int GetDimension() const;
  int GetWidth() const;
  void SetWidth(int width);
  int GetHeight() const;
  void SetHeight(int height);
  int GetPlanes() const;
  void SetPlanes(int planes);
  double GetBscale() const;
  void SetBscale(double bscale);
  double GetBzero() const;
  void SetBzero(double bzero);
  double GetLevelMin(int plane) const;
  double GetLevelMax(int plane) const;
  double GetLevelRange(int plane) const;
  BOOL HasOwnLevel() const;
  void SetOwnLevel(BOOL own);
  BOOL IsSaveableFormat() const;
  void SetSaveableFormat(BOOL saveable);
  BOOL IsSaveableFile() const;
  void SetSaveableFile(BOOL saveable);
  LPCTSTR GetOrgFileName() const;
  void SetOrgFileName(LPCTSTR name);
  LPCTSTR GetOrgFileFormat() const;
  void SetOrgFileFormat(LPCTSTR format);
  int GetOrgBitsPixel() const;
  void SetOrgBitsPixel(int bits);
  int GetOrgPlanes() const;
  void SetOrgPlanes(int planes);
  BOOL IsOrgBayerImage() const;
  void SetOrgBayerImage(BOOL bayer);
  BOOL IsOrgHoneyCombImage() const;
  void SetOrgHoneyCombImage(BOOL honeyComb);
  BOOL IsOrgDevelopmentImage() const;
  void SetOrgDevelopmentImage(BOOL development);
  int GetOrgWidth() const;
  void SetOrgWidth(int width);
  int GetOrgHeight() const;
  void SetOrgHeight(int height);
  BOOL IsBayerImage() const;
  void SetBayerImage(BOOL bayer);
  BOOL IsHoneyCombImage() const;
  void SetHoneyCombImage(BOOL honeyComb);
  int GetRawImageBits() const;
  void SetRawImageBits(int bits);
  BOOL IsDevelopmentImage() const;
  void SetDevelopmentImage(BOOL development);
  CHeader* GetHeader() const { return m_pHeader.get(); }
  // Whether row 0 is the bottom of the picture (as in FITS files) rather than its top. Pixel
  // addresses do not change with it; it tells a viewer which way up to show the rows.
  BOOL IsBottomUp() const { return m_bBottomUp; }
  void SetBottomUp(BOOL bottomUp) { m_bBottomUp = bottomUp ? TRUE : FALSE; }

  int GetBytesPixel() const;
  DWORD GetPixelCount() const;
  DWORD GetImageSize() const;
  BOOL IsColor() const;
  BOOL IsCcd() const;
  BOOL IsOnMemory() const;

  // Pixel addresses. flags: VM_ADR_READ when the caller only reads, VM_ADR_PREFETCH to read
  // ahead; lock as for CVmImage::GetImageAdr. Null for an image without storage.
  BYTE* GetImageAdr(int x, int y, int plane, UINT flags = VM_ADR_READ, int* lock = nullptr) const;
  BYTE* GetNextAdr(BYTE* p) const;
  BYTE* GetPrevAdr(BYTE* p) const;
  BOOL Unlock(const void* p) const;
  void UnlockAll() const;

  // Physical value BSCALE x stored + BZERO of the pixel at p, or at (x, y) of plane.
  double GetPixel(const BYTE* p) const;
  double GetPixel(int x, int y, int plane) const;

  // Display level (v - min) / range x 255 of plane, unclamped.
  float To256(float v, int plane) const;
  // Display byte of the float at q through plane's window, in-range values rounded to
  // nearest even.
  BYTE GetPixelGray256(const float* q, int plane) const;
  float GetPixelGrayRaw(const float* q) const;

protected:
  friend class CFitsReader;
  void Allocate(CVmManager* manager);
  void CopyFrom(const CImage& other);

  int m_nBitsPixel = 0;
  BOOL m_bSigned = TRUE;
  int m_nDimension = 2;
  int m_nWidth = 0;
  int m_nHeight = 0;
  int m_nPlanes = 0;
  double m_dBscale = 1.0;
  double m_dBzero = 0.0;
  std::unique_ptr<CVmImage> m_pVmImage;
  std::vector<double> m_dLevelMin;
  std::vector<double> m_dLevelMax;
  std::vector<double> m_dLevelRange;
  BOOL m_bOwnLevel = FALSE;
  BOOL m_bSaveableFormat = FALSE;
  BOOL m_bSaveableFile = FALSE;
  CString m_strOrgFileName;
  CString m_strOrgFileFormat;
  int m_nOrgBitsPixel = 0;
  int m_nOrgPlanes = 0;
  BOOL m_bOrgBayerImage = FALSE;
  BOOL m_bOrgHoneyCombImage = FALSE;
  BOOL m_bOrgDevelopmentImage = FALSE;
  int m_nOrgWidth = 0;
  int m_nOrgHeight = 0;
  BOOL m_bBayerImage = FALSE;
  BOOL m_bHoneyCombImage = FALSE;
  int m_nRawImageBits = 0;
  BOOL m_bDevelopmentImage = FALSE;
  BOOL m_bBottomUp = FALSE;
  std::unique_ptr<CHeader> m_pHeader;
};

class ORV_API CLumImage : public CImage {
public:
  CLumImage() = default;
  // The pixels are 32-bit floats: the pixel type is -32 whatever bitsPixel says (callers
  // pass the type of the image they sample, which is -32 for a CLumImage).
  CLumImage(int bitsPixel, int width, int height, int planes, double bscale = 1.0,
            double bzero = 0.0, BOOL isSigned = TRUE, CWnd* progress = nullptr,
            LPCTSTR progressText = nullptr);
  CLumImage(const CLumImage& other);
  CLumImage& operator=(const CLumImage& other);
  ~CLumImage() override;

  float* GetImageAdr(int x, int y, int plane, UINT flags = VM_ADR_READ, int* lock = nullptr) const;
  float* GetNextAdr(float* p) const { return p + 1; }
  float* GetPrevAdr(float* p) const { return p - 1; }

  float ToRaw(float v, int plane) const;
  double ToRaw(double v, int plane) const;

  // Display bytes through plane's window (in-range values truncated). The float form takes
  // fmin = (float) min, fmax = (float) max and scale = (float)(255.0 / range).
  BYTE GetPixelGray256(int x, int y, int plane) const;
  BYTE GetPixelGray256(const float* q, int plane) const;
  BYTE GetPixelGray256(const float* q, float fmin, float fmax, float scale) const;
  BYTE GetPixelGray256(double x, double y, int plane) const;
  // Unclamped display levels.
  float GetPixelGray256f(int x, int y, int plane) const;
  float GetPixelGray256f(const float* q, int plane) const;
  float GetPixelGray256f(const float* q, float fmin, float scale) const;
  float GetPixelGrayRaw(int x, int y, int plane) const;
  float GetPixelGrayRaw(const float* q) const;
  // Bilinear sample at a fractional position.
  float GetPixelGrayRaw(double x, double y, int plane) const;
  void SetPixelGray256f(float* q, float v, int plane) const;
  void SetPixelGrayRaw(float* q, float v) const;

  static double CalcBright(double r, double g, double b);
  float GetPixelBright256f(int x, int y) const;
  float GetPixelBright256f(const float* r, const float* g, const float* b) const;
  float GetPixelBrightRaw(const float* r, const float* g, const float* b) const;

  const CfPoint& GetPoint(int index) const { return m_fPoints[index]; }
  void SetPoint(int index, const CfPoint& point) { m_fPoints[index] = point; }
  const CfPoint& GetSinglePoint() const { return m_fPoint; }
  void SetSinglePoint(const CfPoint& point) { m_fPoint = point; }

private:
  CfPoint m_fPoints[2];
  CfPoint m_fPoint;
};
