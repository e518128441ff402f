// The one test main: every test runs without a display (Qt's offscreen platform for the
// tests that open windows) and with the message-box sink's default unless a test sets one.
#include <cstdlib>

#include <gtest/gtest.h>

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
