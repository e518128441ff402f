// CHeader's accessors: the camera metadata that other modules read and write.
#include <algorithm>

#include "sibling/orvcim/Header.h"

WORD CHeader::GetISO() const { return m_nISO; }
void CHeader::SetISO(WORD iso) { m_nISO = iso; }
LPCTSTR CHeader::GetLightSource() const { return m_strLightSource; }
void CHeader::SetLightSource(CString text) { m_strLightSource = std::move(text); }
LPCTSTR CHeader::GetCameraMaker() const { return m_strCameraMaker; }
void CHeader::SetCameraMaker(LPCTSTR text) { m_strCameraMaker = CString(text); }
LPCTSTR CHeader::GetCameraModel() const { return m_strCameraModel; }
void CHeader::SetCameraModel(LPCTSTR text) { m_strCameraModel = CString(text); }
BOOL CHeader::IsWBShootingGain() const { return m_bWBShootingGain; }
void CHeader::SetWBShootingGain(BOOL present) { m_bWBShootingGain = present; }

double CHeader::GetWBShootingGainBayer(int index) const { return m_dWBShootingGainBayer[index]; }
void CHeader::SetWBShootingGainBayer(int index, double gain) { m_dWBShootingGainBayer[index] = gain; }
void CHeader::GetWBShootingGainBayer(double gains[kBayerGains]) const {
  std::copy_n(m_dWBShootingGainBayer, kBayerGains, gains);
}
void CHeader::SetWBShootingGainBayer(const double gains[kBayerGains]) {
  std::copy_n(gains, kBayerGains, m_dWBShootingGainBayer);
}

double CHeader::GetWBShootingGainHoneyComb(int index) const { return m_dWBShootingGainHoneyComb[index]; }
void CHeader::SetWBShootingGainHoneyComb(int index, double gain) { m_dWBShootingGainHoneyComb[index] = gain; }
void CHeader::GetWBShootingGainHoneyComb(double gains[kHoneyCombGains]) const {
  std::copy_n(m_dWBShootingGainHoneyComb, kHoneyCombGains, gains);
}
void CHeader::SetWBShootingGainHoneyComb(const double gains[kHoneyCombGains]) {
  std::copy_n(gains, kHoneyCombGains, m_dWBShootingGainHoneyComb);
}
