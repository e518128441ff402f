#pragma once
// Runs a modal dialog with one script, then closes it (Cancel) if the script left it open, and
// checks that no dialog went unanswered. Returns what DoModal returned.
//
//   RunModal(dialog, [&](DialogDriver& d) { d.ReplaceText(kField, L"12"); ... });
#include <gtest/gtest.h>

#include <functional>

#include "platform/ui/Dialog.h"
#include "platform/ui/TestDriver.h"

namespace orv::test {

inline INT_PTR RunModal(CDialog& dialog, const std::function<void(ui::test::DialogDriver&)>& script) {
  ui::test::ModalScripts scripts;
  scripts.Add([&](ui::test::DialogDriver& d) {
    script(d);
    if (d.IsOpen()) d.Close();  // the title bar's close button: Cancel
  });
  INT_PTR result = dialog.DoModal();
  EXPECT_TRUE(scripts.Problems().empty());
  return result;
}

}  // namespace orv::test
