// Crash safety of every file the library replaces: a failure at each file-system call of a
// replacement leaves the old content or the new one whole, and a run that kept the old one
// says it failed; a font step killed at any call leaves a state that the next step repairs.
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <tuple>

#include "colour/OrvColor.h"
#include "platform/base/AtomicFile.h"
#include "platform/store/Profile.h"
#include "platform/store/RegFile.h"
#include "settings/CfgFile.h"
#include "sibling/orvreg/Registry.h"
#include "sibling/skyview/CorLum.h"
#include "sibling/skyview/SkyViewControl.h"
#include "support/FaultInjection.h"
#include "support/FileBytes.h"
#include "support/TempDir.h"
#include "support/TempRegistry.h"

namespace {
using orv::test::FaultInjector;
using orv::test::ReadFileBytes;

// Names in the folder other than the files the test made: leftovers of a replacement.
int Leftovers(const std::string& folder) {
  int count = 0;
  for (const auto& entry : std::filesystem::directory_iterator(folder))
    count += entry.path().filename().string().ends_with(".tmp") || entry.path().extension() == ".$$$";
  return count;
}

bool HasText(const std::string& path, const std::wstring& text) {
  return ReadFileBytes(path).find(orv::test::Utf16LeWithMark(text).substr(2)) != std::string::npos;
}

class CrashSafetyTest : public testing::Test {
protected:
  CrashSafetyTest() { view.SetPictureFile(L".\\constellation\\CnsPic\\CnsPic.lst"); }
  COrvColor Catalogue() { return COrvColor(&corlum, nullptr, dir.WFile("ColorFont.txt"), dir.WFile("Defaults.txt")); }

  orv::test::TempRegistry registry;
  orv::test::TempDir dir;
  CSkyViewControl view;
  CCorLum corlum{&view};
};

TEST_F(CrashSafetyTest, AFailureAtAnyStepOfAReplacementLeavesOldOrNew) {
  COrvColor catalogue = Catalogue();
  catalogue.Load(0);
  int size = 20;
  auto next = [&] {  // a new size for the sky view; its text for the other files
    corlum.Command(CString(L"Star.Name.Size = ") + std::to_wstring(++size).c_str());
    return std::to_wstring(size);
  };
  auto saved = [&] { return catalogue.Save(), catalogue.GetLastFailure().IsEmpty(); };
  // A name, the file replaced, and a call that writes a new content and says whether it did.
  const std::tuple<const char*, std::string, std::function<bool()>> replacements[] = {
      {"colour-font", "ColorFont.txt", [&] { return next(), saved(); }},
      {"defaults", "Defaults.txt",
       [&] { return next(), saved() && (catalogue.Load(1), catalogue.GetLastFailure().IsEmpty()); }},
      {"INI", "a.ini", [&] { return WritePrivateProfileStringW(L"S", L"k", next().c_str(), dir.WFile("a.ini")) != 0; }},
      {"settings file", "a.cfg", [&] { return CCfgFile(dir.WFile("a.cfg")).SetDescription(next().c_str()) != 0; }},
      {"sky-view state", "SkyView.state", [&] { return next(), view.SaveState(dir.WFile("SkyView.state")) != 0; }},
      {"exported .reg", "out.reg",
       [&] {
         std::wstring text;
         return CRegistry::Write(L"X", L"n", next()) != 0 &&
                orv::ExportRegText(HKEY_CURRENT_USER, L"Software", &text) == ERROR_SUCCESS &&
                orv::ReplaceFileAtomically(dir.File("out.reg"), orv::EncodeRegFile(text));
       }},
  };
  orv::test::WriteFileBytes(dir.File("a.cfg"), "# old\r\nkey=1\r\n");
  for (const auto& [name, file, replace] : replacements) {
    SCOPED_TRACE(name);
    ASSERT_TRUE(replace());
    int at = 0;
    for (bool fired = true; fired; ++at) {
      const std::string old = ReadFileBytes(dir.File(file));
      auto fault = std::make_unique<FaultInjector>(at);
      const bool reported = replace();
      fired = fault->Fired();
      fault.reset();  // disarmed before the files are looked at
      const std::string now = ReadFileBytes(dir.File(file));
      ASSERT_EQ(Leftovers(dir.Path()), 0) << "failing call " << at;
      EXPECT_FALSE(now == old && reported) << "failing call " << at << " lost the change silently";
      // The new content is whole: the same replacement without a fault writes the same bytes.
      if (now != old) {
        --size;
        ASSERT_TRUE(replace());
        EXPECT_EQ(ReadFileBytes(dir.File(file)), now) << "failing call " << at;
      }
    }
    EXPECT_GE(at, 5) << "a replacement takes at least open, write, fsync, close and rename";
  }
}

TEST_F(CrashSafetyTest, AFontStepKilledAtAnyStepIsRepairedByTheNext) {
  Catalogue().Load(0);
  int at = 0;
  for (bool killed = true; killed; ++at) {
    Catalogue().SetAllFontSize(1);
    pid_t child = fork();
    ASSERT_NE(child, -1);
    if (child == 0) {
      COrvColor catalogue = Catalogue();
      FaultInjector kill(at, FaultInjector::Action::Kill);
      catalogue.SetAllFontSize(0);
      _exit(catalogue.GetLastFailure().IsEmpty() ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    killed = WEXITSTATUS(status) == FaultInjector::kKilledStatus;
    ASSERT_TRUE(killed || WEXITSTATUS(status) == 0) << "kill at call " << at;
    // The next step sets the files from the registry's size alone, and clears what was left.
    COrvColor catalogue = Catalogue();
    catalogue.SetAllFontSize(0);
    ASSERT_TRUE(catalogue.GetLastFailure().IsEmpty()) << orv::WideToUtf8(catalogue.GetLastFailure().GetString());
    int delta = -1;
    CRegistry::Read(L"Fonts", L"DeltaSize", -1, &delta, CRegistry::DT_INT);
    const std::wstring line = L"Star.Name.Size = " + std::to_wstring(14 + delta);
    EXPECT_TRUE(HasText(dir.File("ColorFont.txt"), line + L"\r\n")) << "kill at call " << at;
    EXPECT_TRUE(HasText(dir.File("Defaults.txt"), line + L";default " + line + L"\r\n")) << "kill at call " << at;
    EXPECT_EQ(Leftovers(dir.Path()), 0) << "kill at call " << at;
  }
  EXPECT_GE(at, 10) << "a step writes the registry and two files";
}
}  // namespace
