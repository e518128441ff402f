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
int WithCatalogue(const orv::cli::Arguments& args, orv::cli::Io& io, Action action) {
  std::string problem;
  if (!orv::cli::ApplyRegistryOption(args, &problem)) return io.Usage(problem);
  orv::cli::SkyViewSession session(args);
  if (!session.CheckFiles(&problem)) return io.Fail(problem);
  COrvColor catalogue(&session.View(), nullptr, session.ColourFontFile(), session.DefaultsFile());
  int rc = action(catalogue);
  if (rc != 0) return rc;
  // A failed file or registry write still leaves what the sky view took, which is kept below.
  if (!catalogue.GetLastFailure().IsEmpty()) rc = io.Fail(orv::WideToUtf8(catalogue.GetLastFailure().GetString()));
  if (!session.Save())
    return io.Fail("cannot write " + orv::WideToUtf8(session.StateFile().GetString()) + ": " + orv::SystemErrorText(errno));
  return rc;
}

int RunColours(const orv::cli::Arguments& args, orv::cli::Io& io) {
  const std::vector<std::string>& words = args.operands;
  std::string problem = orv::cli::ChoiceProblem(words, {"load", "save"});
  if (problem.empty()) problem = orv::cli::CountProblem(words, 1, 1, {});
  if (!problem.empty()) return io.Usage(problem);
  const bool defaults = args.Has("--defaults");
  if (defaults && words[0] != "load") return io.Usage("--defaults goes with load only");
  return WithCatalogue(args, io, [&](COrvColor& catalogue) {
    if (words[0] == "save")
      catalogue.Save();
    else
      catalogue.Load(defaults ? 1 : 0);
    return 0;
  });
}

int RunFonts(const orv::cli::Arguments& args, orv::cli::Io& io) {
  const std::vector<std::string>& words = args.operands;
  std::string problem = orv::cli::ChoiceProblem(words, {"larger", "default", "smaller"}, "step");
  if (problem.empty()) problem = orv::cli::CountProblem(words, 1, 1, {});
  if (!problem.empty()) return io.Usage(problem);
  const int mode = words[0] == "larger" ? 0 : words[0] == "default" ? 1 : 2;
  return WithCatalogue(args, io, [mode](COrvColor& catalogue) {
    catalogue.SetAllFontSize(mode);
    return 0;
  });
}

}  // namespace

ORV_CLI_COMMAND(colours, "colours", kColoursUsage,
                (std::vector<orv::cli::OptionSpec>{orv::cli::kDataDirOption, orv::cli::kPictureOption,
                                                   orv::cli::kRegistryDirOption, {"--defaults", false}}),
                RunColours);
ORV_CLI_COMMAND(fonts, "fonts", kFontsUsage,
                (std::vector<orv::cli::OptionSpec>{orv::cli::kDataDirOption, orv::cli::kRegistryDirOption}), RunFonts);
