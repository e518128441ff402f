// orvdcm colours / fonts: the catalogue's Load, Save and SetAllFontSize against the command
// line's sky view.
#include <cerrno>
#include <ostream>
#include <string>
#include <vector>

#include "apps/orvdcm/CliCommand.h"
#include "apps/orvdcm/RegistryOption.h"
#include "apps/orvdcm/SkyViewSession.h"
#include "colour/OrvColor.h"
#include "platform/base/CString.h"
#include "platform/base/RegularFile.h"

namespace {

constexpr const char* kColoursUsage =
    "colours load [--defaults] | save  [--data-dir DIR] [--picture FILE] [--registry-dir DIR]\n"
    "                                         apply ColorFont.txt of DIR to the sky view (with --defaults also\n"
    "                                         as its defaults), or save the sky view's values into it";
constexpr const char* kFontsUsage =
    "fonts larger | smaller | default  [--data-dir DIR] [--registry-dir DIR]\n"
    "                                         all label sizes one step larger, smaller, or back to the defaults";

// Runs `action` on a catalogue over the session's sky view, then keeps the sky view's state.
template <typename Action>
int WithCatalogue(const char* name, std::vector<std::string>& args, orv::cli::Io& io, Action action) {
  std::string error, dataDir, picture;
  if (!orv::cli::ApplyRegistryOption(args, &error) ||
      !orv::cli::SkyViewSession::TakeOptions(args, dataDir, picture, &error)) {
    io.err << "orvdcm " << name << ": " << error << '\n';
    return 2;
  }
  orv::cli::SkyViewSession session(dataDir, picture);
  COrvColor catalogue(&session.View(), nullptr, session.ColourFontFile(), session.DefaultsFile());
  int rc = action(catalogue, args);
  if (rc != 0) return rc;
  if (!catalogue.GetLastFailure().IsEmpty()) {
    io.err << "orvdcm " << name << ": " << orv::WideToUtf8(catalogue.GetLastFailure().GetString()) << '\n';
    rc = 1;  // what the sky view took is still kept below
  }
  if (!session.Save()) {
    io.err << "orvdcm " << name << ": cannot write " << orv::WideToUtf8(session.StateFile().GetString()) << ": "
           << orv::SystemErrorText(errno) << '\n';
    return 1;
  }
  return rc;
}

int RunColours(const std::vector<std::string>& given, orv::cli::Io& io) {
  std::vector<std::string> args = given;
  return WithCatalogue("colours", args, io, [&](COrvColor& catalogue, std::vector<std::string>& rest) {
    if (rest.size() == 1 && rest[0] == "save") {
      catalogue.Save();
      return 0;
    }
    if (!rest.empty() && rest[0] == "load" && rest.size() <= 2) {
      bool defaults = rest.size() == 2 && rest[1] == "--defaults";
      if (rest.size() == 2 && !defaults) return io.err << "usage: orvdcm " << kColoursUsage << '\n', 2;
      catalogue.Load(defaults ? 1 : 0);
      return 0;
    }
    io.err << "usage: orvdcm " << kColoursUsage << '\n';
    return 2;
  });
}

int RunFonts(const std::vector<std::string>& given, orv::cli::Io& io) {
  std::vector<std::string> args = given;
  return WithCatalogue("fonts", args, io, [&](COrvColor& catalogue, std::vector<std::string>& rest) {
    const std::pair<const char*, int> modes[] = {{"larger", 0}, {"default", 1}, {"smaller", 2}};
    for (const auto& [word, mode] : modes) {
      if (rest.size() == 1 && rest[0] == word) {
        catalogue.SetAllFontSize(mode);
        return 0;
      }
    }
    io.err << "usage: orvdcm " << kFontsUsage << '\n';
    return 2;
  });
}

}  // namespace

ORV_CLI_COMMAND(colours, "colours", kColoursUsage, RunColours);
ORV_CLI_COMMAND(fonts, "fonts", kFontsUsage, RunFonts);
