// orvdcm ini: read and edit INI files with the private-profile semantics of the library.
#include <cerrno>
#include <ostream>
#include <string>
#include <vector>

#include "apps/orvdcm/CliCommand.h"
#include "platform/base/AtomicFile.h"
#include "platform/base/CString.h"
#include "platform/base/RegularFile.h"
#include "platform/store/IniFile.h"
#include "platform/store/Profile.h"

namespace {

constexpr const char* kUsage =
    "ini get FILE SECTION KEY [DEFAULT]   print a value (or DEFAULT; exit 1 when absent without one)\n"
    "  orvdcm ini set FILE SECTION KEY VALUE   store a value, creating file, section and key\n"
    "  orvdcm ini remove-section FILE SECTION  delete a section with all its keys";

std::wstring Wide(const std::string& s) { return orv::Utf8ToWide(s); }

int Get(const std::vector<std::string>& args, orv::cli::Io& io) {
  std::optional<orv::ini::IniDocument> document = orv::ini::Load(args[1]);
  std::optional<std::wstring> value = document ? document->Value(Wide(args[2]), Wide(args[3])) : std::nullopt;
  if (!value && args.size() < 5) {
    io.err << "orvdcm ini: no key '" << args[3] << "' in section '" << args[2] << "' of " << args[1] << '\n';
    return 1;
  }
  io.out << (value ? orv::WideToUtf8(*value) : args[4]) << '\n';
  return 0;
}

int Write(const std::string& file, const wchar_t* section, const wchar_t* key, const wchar_t* value,
          orv::cli::Io& io) {
  using orv::ini::IniDocument;
  const char* refused = !IniDocument::IsWritableSection(section) ? "the section name holds a line break or NUL"
                        : key != nullptr && !IniDocument::IsWritableKey(key)
                            ? "the key holds '=' or a line break or NUL, or starts with '[' or ';'"
                        : value != nullptr && !IniDocument::IsWritableValue(value) ? "the value holds a line break or NUL"
                                                                                  : nullptr;
  if (refused != nullptr) {
    io.err << "orvdcm ini: " << file << ": " << refused << '\n';
    return 1;
  }
  errno = 0;
  if (WritePrivateProfileStringW(section, key, value, orv::WidePath(file).c_str())) return 0;
  io.err << "orvdcm ini: cannot write " << file << ": " << (errno != 0 ? orv::SystemErrorText(errno) : "failed") << '\n';
  return 1;
}

int RunIni(const orv::cli::Arguments& parsed, orv::cli::Io& io) {
  const std::vector<std::string>& args = parsed.operands;
  std::string problem = orv::cli::ChoiceProblem(args, {"get", "set", "remove-section"});
  if (problem.empty()) {
    const std::size_t min = args[0] == "get" ? 4 : args[0] == "set" ? 5 : 3;
    const std::size_t max = args[0] == "get" ? 5 : min;
    problem = orv::cli::CountProblem(args, min, max, {"verb", "FILE", "SECTION", "KEY", "VALUE"});
  }
  if (!problem.empty()) return io.Usage(problem);
  if (args[0] == "get") return Get(args, io);
  if (args[0] == "set") return Write(args[1], Wide(args[2]).c_str(), Wide(args[3]).c_str(), Wide(args[4]).c_str(), io);
  return Write(args[1], Wide(args[2]).c_str(), nullptr, nullptr, io);
}

}  // namespace

ORV_CLI_COMMAND(ini, "ini", kUsage, {}, RunIni);
