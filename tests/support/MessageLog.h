#pragma once
// Records every message box asked for while it lives and answers each with IDOK, without
// any window (the window layer's MessageBoxRecorder does the same for GUI tests).
#include <vector>

#include "platform/base/MessageBox.h"

namespace orv::test {

class MessageLog {
public:
  MessageLog()
      : m_previous(orv::SetMessageBoxSink([this](const orv::MessageBoxRequest& request) {
          boxes.push_back(request);
          return IDOK;
        })) {}
  ~MessageLog() { orv::SetMessageBoxSink(m_previous); }
  MessageLog(const MessageLog&) = delete;
  MessageLog& operator=(const MessageLog&) = delete;

  std::vector<orv::MessageBoxRequest> boxes;

private:
  orv::MessageBoxSink m_previous;
};

}  // namespace orv::test
