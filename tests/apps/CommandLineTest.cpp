// orvdcm as a shell user meets it: options refused or taken, "--" before operands that begin
// with "-", --help, and messages that name what is wrong, with their exit status.
#include <gtest/gtest.h>

#include <filesystem>

#include "support/FileBytes.h"
#include "support/RunProgram.h"
#include "support/TempDir.h"

namespace {

TEST(CommandLine, WrongInvocationsNameWhatIsWrong) {
  orv::test::TempDir dir;
  auto File = [&dir](const std::string& name) { return dir.File(name); };
  orv::test::WriteFileBytes(File("f.ini"), "[S]\r\nK=v\r\n");
  orv::test::WriteFileBytes(File("a.lst"), "# old\r\nx=1\r\n");
  std::filesystem::create_directories(File("folderfont/ColorFont.txt"));
  std::filesystem::create_directories(File("garbage"));
  orv::test::WriteFileBytes(File("garbage/ColorFont.txt"), std::string("\x7F" "ELF\x02\x01\x01\0\0\0\x03\x00", 12));
  const std::string store = "--registry-dir=" + File("store");
  struct Row {
    std::vector<std::string> args;
    int status;
    std::string text;  // in standard output for status 0, else in standard error
  } rows[] = {
      {{}, 2, "usage: orvdcm COMMAND"},
      {{"--version"}, 0, "orvdcm 1.0.0\n"},
      {{"help", "ini"}, 0, "usage: orvdcm ini get"},
      {{"--bogus"}, 2, "unknown option '--bogus'"},
      {{"ini", "get", File("f.ini"), "S", "K", "--verbose"}, 2, "unknown option --verbose"},
      {{"ini", "set", File("f.ini"), "S", "K2", "--", "--verbose"}, 0, ""},
      {{"ini", "get", File("f.ini"), "S", "K2"}, 0, "--verbose\n"},
      {{"ini", "get", File("f.ini"), "S"}, 2, "orvdcm ini: missing KEY"},
      {{"ini", "frob"}, 2, "orvdcm ini: unknown verb 'frob'"},
      {{"cfg", "describe", File("a.lst"), "--force"}, 2, "unknown option --force"},
      {{"cfg", "describe", File("a.lst"), "--", "--force"}, 0, ""},
      {{"cfg", "describe", File("a.lst")}, 0, "--force\n"},
      {{"cfg", "describe", File("missing.lst")}, 1, File("missing.lst") + ": no such file"},
      {{"colours", "save", store, "--data-dir", File("none")}, 1, File("none") + ": no such folder"},
      {{"colours", "load", store, "--data-dir", File("folderfont")}, 1, "ColorFont.txt: not a colour-font file"},
      {{"colours", "load", store, "--data-dir", File("garbage")}, 1, "ColorFont.txt: not a colour-font file"},
      {{"colours", "save", "--defaults"}, 2, "--defaults goes with load only"},
      {{"fonts", "bigger"}, 2, "orvdcm fonts: unknown step 'bigger'"},
      {{"render", "i.fits", "-o", "x.jpg"}, 2, "x.jpg: only PNG files are written"},
      {{"render", "i.fits", "--window", "0:0:1e400", "-o", "x.png"}, 2, "--window 0:0:1e400: 1e400 is out of range"},
      {{"render", "i.fits", "--window", "3:0:1", "-o", "x.png"}, 2, "plane 3 is not 0, 1 or 2"},
      {{"render", "i.fits", "-o"}, 2, "-o needs a value"},
      {{"reg", "set", store, "HKCU\\T", "N", "-5", "--dword"}, 0, ""},  // a negative number is an operand
      {{"reg", "get", store, "HKCU\\T", "N"}, 0, "4294967291\n"},
      {{"reg", "set", "HKCU\\T", "N", "1", "--dword", "--string"}, 2, "--dword and --string exclude each other"},
      {{"info", "a.fits", "b.fits"}, 2, "orvdcm info: unexpected 'b.fits'"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(testing::PrintToString(row.args));
    const auto result = orv::test::RunProgram(ORVDCM_CLI, row.args, dir.Path());
    EXPECT_EQ(result.status, row.status) << result.err;
    const std::string& shown = row.status == 0 ? result.out : result.err;
    EXPECT_NE(shown.find(row.text), std::string::npos) << result.out << result.err;
  }
}

}  // namespace
