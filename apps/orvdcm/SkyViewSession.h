#pragma once
// The sky view as the command line sees it: a sky-view control whose values persist in a
// state file between commands (each command is its own process), with the colour-font and
// defaults files beside it in one data folder.
#include <string>

#include "apps/orvdcm/CommandLine.h"
#include "sibling/skyview/CorLum.h"
#include "sibling/skyview/SkyViewControl.h"

namespace orv::cli {

inline const OptionSpec kDataDirOption{"--data-dir", true};  // default: the current folder
inline const OptionSpec kPictureOption{"--picture", true};   // the picture file used from now on

class SkyViewSession {
public:
  // Loads the state of the data folder, if there is one; the picture option, when given,
  // replaces its file.
  explicit SkyViewSession(const Arguments& args);
  // Writes the state back; false (with the old state kept) when it cannot.
  bool Save() const;

  // Whether the data folder is one and its colour-font file, when there is one, a text
  // file; false with the reason in *problem, naming the folder or file.
  bool CheckFiles(std::string* problem) const;

  const std::string& DataDir() const { return dataDir_; }
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
