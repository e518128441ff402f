#include "sibling/skyview/Automation.h"

namespace orv {

CString AutomationValue::ToString() const {
  if (const auto* s = std::get_if<CString>(&m_value)) return *s;
  if (const auto* n = std::get_if<LONG>(&m_value)) {
    CString text;
    text.Format(L"%d", *n);
    return text;
  }
  return CString();
}

const CString& AutomationValue::GetString() const {
  static const CString empty;
  const auto* s = std::get_if<CString>(&m_value);
  return s != nullptr ? *s : empty;
}

IAutomationTarget::~IAutomationTarget() = default;

}  // namespace orv
