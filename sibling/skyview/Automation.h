#pragma once
// Automation calls to a control: a dispatch id, call flags, arguments and a result, the way
// the framework's InvokeHelper reaches a control's methods. A control implements
// IAutomationTarget; the window class that wraps it dispatches through it.
#include <span>
#include <variant>

#include "platform/base/CString.h"
#include "platform/base/Export.h"
#include "platform/base/WinError.h"
#include "platform/base/WinTypes.h"

using DISPID = LONG;

// Call flags (several may be combined, as a property may also be a method).
inline constexpr WORD DISPATCH_METHOD = 0x1;
inline constexpr WORD DISPATCH_PROPERTYGET = 0x2;
inline constexpr WORD DISPATCH_PROPERTYPUT = 0x4;


namespace orv {

// One argument or result of an automation call: nothing, a 32-bit number or a string.
class ORV_API AutomationValue {
public:
  AutomationValue() = default;
  AutomationValue(LONG value) : value_(value) {}
  AutomationValue(const CString& value) : value_(value) {}
  AutomationValue(const wchar_t* value) : value_(CString(value)) {}

  bool IsEmpty() const { return std::holds_alternative<std::monostate>(value_); }
  bool IsString() const { return std::holds_alternative<CString>(value_); }
  bool IsLong() const { return std::holds_alternative<LONG>(value_); }
  // The value as a string result: a string as it is, a number in decimal, nothing as "".
  CString ToString() const;
  // The string, or "" when the value is not a string.
  const CString& GetString() const;

private:
  std::variant<std::monostate, LONG, CString> value_;
};

// A control's dispatch interface.
class ORV_API IAutomationTarget {
public:
  virtual ~IAutomationTarget();
  // Calls member `dispid` with `args`; *result receives its result (result may be null).
  // A failure code (DISP_E_...) leaves *result untouched.
  virtual HRESULT Invoke(DISPID dispid, WORD flags, std::span<const AutomationValue> args,
                         AutomationValue* result) = 0;
};

// Dispatch ids of the sky-view control's interface.
inline constexpr DISPID kSkyViewDispidCommand = 2;  // method: string command in, string reply out

}  // namespace orv
