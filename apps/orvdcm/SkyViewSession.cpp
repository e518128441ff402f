#include "apps/orvdcm/SkyViewSession.h"

#include <cerrno>
#include <filesystem>

#include "platform/base/AtomicFile.h"
#include "platform/base/RegularFile.h"
#include "platform/base/TextEncoding.h"

namespace orv::cli {
namespace {
// Text as a colour-font file holds it: no control characters but tabs and line ends, and
// nothing that failed to decode.
bool LooksLikeText(const std::string& bytes) {
  const TextEncoding encoding = DetectEncoding(bytes);
  const std::wstring text = TextDecoder(encoding).Decode(std::string_view(bytes).substr(ByteOrderMark(encoding).size()));
  for (wchar_t c : text)
    if ((c < 0x20 && c != L'\t' && c != L'\r' && c != L'\n') || c == 0x7F || c == 0xFFFD) return false;
  return true;
}
}  // namespace

SkyViewSession::SkyViewSession(const Arguments& args) : dataDir_(args.Value(kDataDirOption.name).value_or(".")) {
  control_.LoadState(StateFile());
  if (std::optional<std::string> picture = args.Value(kPictureOption.name); picture && !picture->empty())
    control_.SetPictureFile(CString(orv::WidePath(*picture)));
}

bool SkyViewSession::Save() const { return control_.SaveState(StateFile()) != 0; }

bool SkyViewSession::CheckFiles(std::string* problem) const {
  namespace fs = std::filesystem;
  std::error_code ec;
  if (!fs::is_directory(dataDir_, ec)) {
    *problem = dataDir_ + (fs::exists(dataDir_, ec) ? ": not a folder" : ": no such folder");
    return false;
  }
  const std::string file = dataDir_ + "/ColorFont.txt";
  if (!fs::exists(file, ec)) return true;  // made from the catalogue when needed
  if (fs::is_directory(file, ec)) {
    *problem = file + ": not a colour-font file (a folder)";
    return false;
  }
  std::string bytes;
  if (!orv::ReadRegularFile(file, &bytes)) {
    *problem = file + ": " + orv::SystemErrorText(errno);
    return false;
  }
  if (!LooksLikeText(bytes)) {
    *problem = file + ": not a colour-font file (binary data, not text)";
    return false;
  }
  return true;
}

CString SkyViewSession::Path(const char* name) const { return CString(orv::WidePath(dataDir_ + "/" + name)); }

}  // namespace orv::cli
