#pragma once
// A modeless dialog shown for one test and driven as a user would drive it. Create the
// dialog, then keep a ShownDialog for as long as the test drives it; it shows the dialog as
// the active window and, when it goes, destroys the window and lets the events that follow
// be handled. In a fixture, hold it in a std::optional declared after the dialog (so that it
// goes first) and emplace it in SetUp once the dialog is created.
//
// A modal dialog driven by one script is run with RunModal; several scripts (nested dialogs)
// or a look at their problems take ModalScripts (platform/ui/TestDriver.h) directly.
#include <utility>

#include <gtest/gtest.h>

#include "platform/ui/Dialog.h"
#include "platform/ui/TestDriver.h"
#include "platform/ui/Wnd.h"

namespace orv::test {

class ShownDialog {
public:
  explicit ShownDialog(CWnd& dialog) : m_dialog(dialog), m_driver(dialog.m_hWnd) {
    dialog.ShowWindow(SW_SHOW);
    ui::test::ProcessEvents();
  }
  ~ShownDialog() {
    m_dialog.DestroyWindow();
    ui::test::ProcessEvents();
  }
  ShownDialog(const ShownDialog&) = delete;
  ShownDialog& operator=(const ShownDialog&) = delete;

  ui::test::DialogDriver& Driver() { return m_driver; }

private:
  CWnd& m_dialog;
  ui::test::DialogDriver m_driver;
};

// Runs `dialog` modally with `script` driving it and returns what DoModal returned; a dialog
// that came without a script or that the script left open fails the test.
inline INT_PTR RunModal(CDialog& dialog, ui::test::ModalScripts::Script script) {
  ui::test::ModalScripts scripts;
  scripts.Add(std::move(script));
  const INT_PTR result = dialog.DoModal();
  for (const CString& problem : scripts.Problems()) ADD_FAILURE() << problem.ToUtf8();
  return result;
}

}  // namespace orv::test
