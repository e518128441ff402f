#pragma once
// Shooting metadata of an image: ISO speed, light source, camera and the white-balance gains
// recorded by the camera. The accessors are compiled into liborvdcm; this module builds,
// copies and destroys the object.
#include "platform/base/CString.h"
#include "platform/base/Export.h"
#include "platform/base/Object.h"

class ORV_API CHeader : public CObject {
public:
  static constexpr int kBayerGains = 4;
  static constexpr int kHoneyCombGains = 8;

  CHeader();
  CHeader(const CHeader& other);
  CHeader& operator=(const CHeader& other);
  ~CHeader() override;

  WORD GetISO() const;
  void SetISO(WORD iso);
  // The string getters return the stored text, valid until that string next changes.
  LPCTSTR GetLightSource() const;
  void SetLightSource(CString text);
  LPCTSTR GetCameraMaker() const;
  void SetCameraMaker(LPCTSTR text);  // null stores an empty text
  LPCTSTR GetCameraModel() const;
  void SetCameraModel(LPCTSTR text);
  BOOL IsWBShootingGain() const;
  void SetWBShootingGain(BOOL present);
  double GetWBShootingGainBayer(int index) const;
  void SetWBShootingGainBayer(int index, double gain);
  void GetWBShootingGainBayer(double gains[kBayerGains]) const;
  void SetWBShootingGainBayer(const double gains[kBayerGains]);
  double GetWBShootingGainHoneyComb(int index) const;
  void SetWBShootingGainHoneyComb(int index, double gain);
  void GetWBShootingGainHoneyComb(double gains[kHoneyCombGains]) const;
  void SetWBShootingGainHoneyComb(const double gains[kHoneyCombGains]);

private:
  WORD m_nISO = 0;
  CString m_strLightSource;
  CString m_strCameraMaker;
  CString m_strCameraModel;
  BOOL m_bWBShootingGain = FALSE;
  double m_dWBShootingGainBayer[kBayerGains] = {};
  double m_dWBShootingGainHoneyComb[kHoneyCombGains] = {};
};
