#include "sibling/skyview/CorLum.h"

#include <span>

IMPLEMENT_DYNAMIC(CCorLum, CObject)

CCorLum::~CCorLum() = default;

orv::AutomationValue CCorLum::InvokeHelper(DISPID dispid, WORD flags,
                                           std::initializer_list<orv::AutomationValue> args) {
  orv::AutomationValue result;
  if (m_pTarget == nullptr) {
    m_hrLast = DISP_E_MEMBERNOTFOUND;
    return result;
  }
  m_hrLast = m_pTarget->Invoke(dispid, flags, std::span<const orv::AutomationValue>(args.begin(), args.size()),
                               &result);
  if (FAILED(m_hrLast)) return orv::AutomationValue();
  return result;
}
