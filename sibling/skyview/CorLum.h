#pragma once
// CCorLum: the window class that wraps a sky-view control. Everything the library changes in
// the sky view or reads from it goes through one text channel, Command: a command or query
// text in, the reply text out.
//
// The wrapper keeps, and does not own, the control's automation target. Without a target
// (no control created yet) every call does nothing and answers with an empty result.
//
// Command and RunCommandFile belong to the orvdcm library and are defined there; the rest of
// the class lives in this module.
#include <initializer_list>

#include "platform/base/CString.h"
#include "platform/base/Object.h"
#include "sibling/skyview/Automation.h"

class ORV_API CCorLum : public CObject {
  DECLARE_DYNAMIC(CCorLum)
public:
  CCorLum() = default;
  explicit CCorLum(orv::IAutomationTarget* target) : m_pTarget(target) {}
  CCorLum(const CCorLum&) = delete;
  CCorLum& operator=(const CCorLum&) = delete;
  ~CCorLum() override;

  // Attaches the control (null detaches); the target must outlive its attachment.
  void SetTarget(orv::IAutomationTarget* target) { m_pTarget = target; }
  orv::IAutomationTarget* GetTarget() const { return m_pTarget; }

  // Calls member `dispid` of the control. The result is empty when there is no control or
  // the control refuses the call (unknown member, wrong arguments); the code of the last
  // call is kept for GetLastInvokeResult.
  orv::AutomationValue InvokeHelper(DISPID dispid, WORD flags,
                                    std::initializer_list<orv::AutomationValue> args);
  HRESULT GetLastInvokeResult() const { return m_hrLast; }

  // Sends one command or query text; returns the control's reply.
  CString Command(LPCTSTR text);
  // Sends every command line of a text file; 1 if the file could be opened, else 0.
  int RunCommandFile(LPCTSTR path);

private:
  orv::IAutomationTarget* m_pTarget = nullptr;
  HRESULT m_hrLast = S_OK;
};
