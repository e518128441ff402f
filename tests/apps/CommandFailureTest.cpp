// Failures of the command line: each is named on stderr with the file and the system's
// reason, the command exits non-zero, and nothing is left behind or half changed.
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "support/FileBytes.h"
#include "support/RunProgram.h"
#include "support/TempDir.h"

namespace {
using orv::test::ReadFileBytes;
using Result = orv::test::ProgramResult;

class CommandFailureTest : public testing::Test {
protected:
  // Runs orvdcm with args (and --registry-dir, --data-dir where the command takes them);
  // fileSizeLimit > 0 makes every write beyond that many bytes fail (EFBIG).
  Result Run(std::vector<std::string> args, long fileSizeLimit = 0) {
    if (args[0] == "colours" || args[0] == "fonts") args.insert(args.end(), {"--data-dir", dir.Path()});
    if (args[0] == "reg" || args[0] == "colours" || args[0] == "fonts")
      args.insert(args.end(), {"--registry-dir", dir.File("reg")});
    return orv::test::RunProgram(ORVDCM_CLI, args, dir.Path(), fileSizeLimit);
  }
  long Leftovers() const {
    return std::ranges::count_if(std::filesystem::directory_iterator(dir.Path()),
                                 [](const auto& entry) { return entry.path().filename().string().ends_with(".tmp"); });
  }
  std::string Reg(const std::string& name) {
    return Run({"reg", "get", "HKCU\\Software\\Orrelab\\Skyweave\\10.0\\Fonts", name}).out;
  }

  orv::test::TempDir dir;
};

TEST_F(CommandFailureTest, AFailedWriteIsNamedAndLeavesTheOldFile) {
  ASSERT_EQ(Run({"colours", "load"}).status, 0);
  const std::string colours = ReadFileBytes(dir.File("ColorFont.txt"));
  Result r = Run({"colours", "save"}, 1024);  // the file is larger; the message is not
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("ColorFont.txt: File too large"), std::string::npos) << r.err;
  EXPECT_EQ(ReadFileBytes(dir.File("ColorFont.txt")), colours);
  EXPECT_EQ(Leftovers(), 0);
}

TEST_F(CommandFailureTest, WhatIsNotARegularFileIsRefusedNotWaitedFor) {
  ASSERT_EQ(Run({"colours", "load"}).status, 0);
  ASSERT_EQ(Run({"fonts", "larger"}).status, 0);
  ASSERT_EQ(Reg("DeltaSize"), "2\n");
  ASSERT_EQ(0, unlink(dir.File("ColorFont.txt").c_str()));
  for (const char* name : {"ColorFont.txt", "a.ini", "b.reg"}) ASSERT_EQ(0, mkfifo(dir.File(name).c_str(), 0600));
  struct Row {
    std::vector<std::string> args;
    const char* message;
  } rows[] = {
      {{"fonts", "larger"}, "ColorFont.txt: Not a regular file"},
      {{"colours", "save"}, "ColorFont.txt: Not a regular file"},
      {{"ini", "set", dir.File("a.ini"), "S", "k", "v"}, "a.ini: Not a regular file"},
      {{"reg", "import", dir.File("b.reg")}, "b.reg: Not a regular file"},
      {{"reg", "import", dir.Path()}, "Is a directory"},
      {{"reg", "export", "HKCU\\Software", "-o", dir.File("b.reg")}, "b.reg: Not a regular file"},
  };
  for (const Row& row : rows) {
    Result r = Run(row.args);
    EXPECT_EQ(r.status, 1) << row.args[0] << ' ' << row.args[1];
    EXPECT_NE(r.err.find(row.message), std::string::npos) << r.err;
  }
  EXPECT_EQ(Reg("DeltaSize"), "2\n") << "a font step that changed no file keeps its size";
  EXPECT_TRUE(std::filesystem::is_fifo(dir.File("b.reg")));
}

TEST_F(CommandFailureTest, ADestructiveRegFileChangesNothing) {
  ASSERT_EQ(Run({"reg", "set", "HKCU\\Software\\Victim", "v", "1"}).status, 0);
  const std::string text = std::string("REGEDIT4\r\n[HKEY_CURRENT_USER\\Software\\A]\r\n\"x\"=dword:1\r\n") +
                           "[-HKEY_CURRENT_USER\\Software" + std::string(1, '\0') + "\\Victim]\r\n";
  ASSERT_TRUE(orv::test::WriteFileBytes(dir.File("bad.reg"), text));
  Result r = Run({"reg", "import", dir.File("bad.reg")});
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("bad.reg:4: the key path holds"), std::string::npos) << r.err;
  EXPECT_EQ(Run({"reg", "get", "HKCU\\Software\\Victim", "v"}).out, "1\n");
  EXPECT_NE(Run({"reg", "get", "HKCU\\Software\\A", "x"}).status, 0);
  // Exported to standard output with "-o -"; through a link the link's target is replaced.
  EXPECT_NE(Run({"reg", "export", "HKCU\\Software\\Victim", "-o", "-"}).out.find("\n\"v\"=\"1\"\n"), std::string::npos);
  ASSERT_TRUE(orv::test::WriteFileBytes(dir.File("target.reg"), "old"));
  ASSERT_EQ(0, symlink("target.reg", dir.File("link.reg").c_str()));
  EXPECT_EQ(Run({"reg", "export", "HKCU\\Software\\Victim", "-o", dir.File("link.reg")}).status, 0);
  EXPECT_TRUE(std::filesystem::is_symlink(dir.File("link.reg")));
  EXPECT_EQ(ReadFileBytes(dir.File("target.reg")).substr(0, 2), "\xFF\xFE");
}

}  // namespace
