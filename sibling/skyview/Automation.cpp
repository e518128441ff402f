#include "sibling/skyview/Automation.h"

namespace orv {

CString AutomationValue::ToString() const {
  if (const auto* s = std::get_if<CString>(&value_)) return *s;
  if (const auto* n = std::get_if<LONG>(&value_)) {
    CString text;
    text.Format(L"%d", *n);
    return text;
  }
  return CString();
}

const CString& AutomationValue::GetString() const {
  static const CString empty;
  const auto* s = std::get_if<CString>(&value_);
  return s != nullptr ? *s : empty;
}

IAutomationTarget::~IAutomationTarget() = default;

}  // namespace orv
