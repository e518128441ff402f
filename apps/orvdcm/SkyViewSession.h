#pragma once
// The sky view as the command line sees it: a sky-view control whose values persist in a
// state file between commands (each command is its own process), with the colour-font and
// defaults files beside it in one data folder.
#include <string>
#include <vector>

#include "sibling/skyview/CorLum.h"
#include "sibling/skyview/SkyViewControl.h"

namespace orv::cli {

class SkyViewSession {
public:
  // Takes "--data-dir DIR" (default: the current folder) and "--picture FILE" (the
  // constellation-picture file the sky view uses from now on) out of args.
  static bool TakeOptions(std::vector<std::string>& args, std::string& dataDir, std::string& picture,
                          std::string* error);

  // Loads the state of dataDir, if there is one; `picture`, when given, replaces its file.
  SkyViewSession(const std::string& dataDir, const std::string& picture);
  // Writes the state back; false (with the old state kept) when it cannot.
  bool Save() const;

  CCorLum& View() { return corlum_; }
  CSkyViewControl& Control() { return control_; }
  CString ColourFontFile() const { return Path("ColorFont.txt"); }
  CString DefaultsFile() const { return Path("ColorFontDefault.txt"); }
  CString StateFile() const { return Path("SkyView.state"); }

private:
  CString Path(const char* name) const;

  std::string dataDir_;
  CSkyViewControl control_;
  CCorLum corlum_{&control_};
};

}  // namespace orv::cli
