// The one test main: every test runs without a display (Qt's offscreen platform for the
// tests that open windows) and with the message-box sink's default unless a test sets one.
// Tests of non-GUI code also check, after running, that nothing loaded Qt.
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include <gtest/gtest.h>

#ifdef ORV_TEST_WITHOUT_QT
namespace {
// The first Qt library mapped into this process, or "" when there is none.
std::string LoadedQtLibrary() {
  std::ifstream maps("/proc/self/maps");
  for (std::string line; std::getline(maps, line);)
    if (line.find("/libQt6") != std::string::npos) return line.substr(line.find('/'));
  return {};
}
}  // namespace
#endif

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  testing::InitGoogleTest(&argc, argv);
  int result = RUN_ALL_TESTS();
#ifdef ORV_TEST_WITHOUT_QT
  if (std::string qt = LoadedQtLibrary(); !qt.empty()) {
    std::fprintf(stderr, "non-GUI tests loaded Qt: %s\n", qt.c_str());
    return 1;
  }
#endif
  return result;
}
