// orvdcm reg: the registry store from the command line, in regedit's .reg form.
#include <cerrno>
#include <charconv>
#include <cstdint>
#include <cstring>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "apps/orvdcm/CliCommand.h"
#include "apps/orvdcm/RegistryOption.h"
#include "platform/base/AtomicFile.h"
#include "platform/base/CString.h"
#include "platform/base/RegularFile.h"
#include "platform/store/RegFile.h"
#include "platform/store/WinReg.h"

namespace {

constexpr const char* kUsage =
    "reg import FILE.reg                  apply a .reg file (UTF-16LE or UTF-8): all of it, or nothing when it\n"
    "                                         is invalid or the store fails\n"
    "  orvdcm reg export KEY [-o FILE]        print KEY and everything below it as a .reg file (to FILE: UTF-16LE;\n"
    "                                         -o - prints it)\n"
    "  orvdcm reg get KEY [NAME]              print a value (all values of KEY without NAME; \"\" is the default value)\n"
    "  orvdcm reg set KEY NAME VALUE [--dword|--string]  store a value, creating the key\n"
    "  (KEY is HKEY_CURRENT_USER\\... or HKEY_LOCAL_MACHINE\\..., also HKCU\\..., HKLM\\...;\n"
    "   --registry-dir DIR uses DIR/user.db and DIR/machine.db as the two roots)";

std::wstring Wide(const std::string& s) { return orv::Utf8ToWide(s); }

// .reg text with regedit's CR LF line ends, for a terminal.
std::string ForTerminal(const std::wstring& text) {
  std::wstring lf;
  for (size_t i = 0; i < text.size(); ++i)
    if (!(text[i] == L'\r' && i + 1 < text.size() && text[i + 1] == L'\n')) lf += text[i];
  return orv::WideToUtf8(lf);
}

bool ParseKey(const std::string& text, HKEY* root, std::wstring* path, orv::cli::Io& io) {
  if (orv::ParseRegistryPath(Wide(text), root, path)) return true;
  io.err << "orvdcm reg: '" << text << "' does not start with HKEY_CURRENT_USER or HKEY_LOCAL_MACHINE\n";
  return false;
}

int Import(const std::string& file, orv::cli::Io& io) {
  std::string bytes;
  if (!orv::ReadRegularFile(file, &bytes)) {
    io.err << "orvdcm reg: cannot read " << file << ": " << orv::SystemErrorText(errno) << '\n';
    return 1;
  }
  orv::RegImportReport report = orv::ImportRegBytes(bytes);
  if (report.status != ERROR_SUCCESS) {
    io.err << "orvdcm reg: " << file << ':' << report.line << ": " << orv::WideToUtf8(report.message) << '\n';
    return 1;
  }
  io.out << "imported " << report.keys << " keys, " << report.values << " values from " << file << '\n';
  return 0;
}

int Export(const std::string& keyText, const std::optional<std::string>& output, orv::cli::Io& io) {
  HKEY root;
  std::wstring path, text;
  if (!ParseKey(keyText, &root, &path, io)) return 1;
  LSTATUS st = orv::ExportRegText(root, path, &text);
  if (st != ERROR_SUCCESS) return io.Fail(keyText + ": " + orv::RegistryErrorText(st));
  if (!output || *output == "-") {
    io.out << ForTerminal(text) << std::flush;
    return io.out ? 0 : io.Fail("cannot write the standard output");
  }
  if (!orv::ReplaceFileAtomically(*output, orv::EncodeRegFile(text)))
    return io.Fail("cannot write " + *output + ": " + orv::SystemErrorText(errno));
  return 0;
}

// A value for a script: strings as they are, numbers in decimal, other data as .reg hex.
std::string PlainValue(DWORD type, const std::vector<BYTE>& data) {
  if ((type == REG_SZ || type == REG_EXPAND_SZ) && data.size() % sizeof(wchar_t) == 0) {
    std::wstring text(reinterpret_cast<const wchar_t*>(data.data()), data.size() / sizeof(wchar_t));
    return orv::WideToUtf8(text.substr(0, text.find(L'\0')));
  }
  if (type == REG_DWORD && data.size() == 4) {
    DWORD value;
    std::memcpy(&value, data.data(), 4);
    return std::to_string(value);
  }
  std::wstring line = orv::FormatRegValue(L"", type, data);
  return ForTerminal(line.substr(line.find(L'=') + 1));
}

int Get(const std::vector<std::string>& args, orv::cli::Io& io) {
  HKEY root, key = nullptr;
  std::wstring path;
  if (!ParseKey(args[1], &root, &path, io)) return 1;
  LSTATUS st = RegOpenKeyExW(root, path.c_str(), 0, KEY_READ, &key);
  std::vector<wchar_t> name(ORV_REG_MAX_VALUE_NAME + 1);
  std::vector<BYTE> data(4096);
  for (DWORD index = 0; st == ERROR_SUCCESS;) {
    DWORD nameSize = static_cast<DWORD>(name.size()), dataSize = static_cast<DWORD>(data.size()), type = 0;
    if (args.size() == 3) {
      st = RegQueryValueExW(key, Wide(args[2]).c_str(), nullptr, &type, data.data(), &dataSize);
    } else {
      st = RegEnumValueW(key, index, name.data(), &nameSize, nullptr, &type, data.data(), &dataSize);
    }
    if (st == ERROR_MORE_DATA && dataSize > data.size()) {
      data.resize(dataSize);
      st = ERROR_SUCCESS;
      continue;
    }
    if (st == ERROR_NO_MORE_ITEMS) {
      st = ERROR_SUCCESS;
      break;
    }
    if (st != ERROR_SUCCESS) break;
    std::vector<BYTE> value(data.begin(), data.begin() + dataSize);
    if (args.size() == 3) {
      io.out << PlainValue(type, value) << '\n';
      break;
    }
    io.out << ForTerminal(orv::FormatRegValue(std::wstring(name.data(), nameSize), type, value)) << '\n';
    ++index;
  }
  if (key != nullptr) RegCloseKey(key);
  if (st != ERROR_SUCCESS) {
    io.err << "orvdcm reg: " << args[1] << (args.size() == 3 ? " " + args[2] : "") << ": " << orv::RegistryErrorText(st) << '\n';
    return 1;
  }
  return 0;
}

// Decimal (negative numbers are their 32-bit two's complement) or 0x-prefixed hex.
bool ParseDword(const std::string& text, DWORD* value) {
  const char* first = text.data();
  const char* last = first + text.size();
  bool hex = text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
  long long parsed = 0;
  auto [end, ec] = std::from_chars(first + (hex ? 2 : 0), last, parsed, hex ? 16 : 10);
  if (text.empty() || ec != std::errc() || end != last || parsed < INT32_MIN || parsed > UINT32_MAX) return false;
  if (hex && parsed < 0) return false;
  *value = static_cast<DWORD>(parsed);
  return true;
}

int Set(const std::vector<std::string>& args, bool dword, orv::cli::Io& io) {
  HKEY root, key = nullptr;
  std::wstring path;
  if (!ParseKey(args[1], &root, &path, io)) return 1;
  DWORD number = 0;
  if (dword && !ParseDword(args[3], &number)) return io.Usage("'" + args[3] + "' is not a 32-bit number");
  LSTATUS st = RegCreateKeyExW(root, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_SET_VALUE, nullptr, &key,
                               nullptr);
  if (st == ERROR_SUCCESS) {
    std::wstring text = Wide(args[3]);
    st = dword ? RegSetValueExW(key, Wide(args[2]).c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number), 4)
               : RegSetValueExW(key, Wide(args[2]).c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                                static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(key);
  }
  if (st != ERROR_SUCCESS) {
    io.err << "orvdcm reg: " << args[1] << ' ' << args[2] << ": " << orv::RegistryErrorText(st) << '\n';
    return 1;
  }
  return 0;
}

int RunReg(const orv::cli::Arguments& parsed, orv::cli::Io& io) {
  const std::vector<std::string>& args = parsed.operands;
  std::string problem;
  if (!orv::cli::ApplyRegistryOption(parsed, &problem)) return io.Usage(problem);
  problem = orv::cli::ChoiceProblem(args, {"import", "export", "get", "set"});
  if (problem.empty()) {
    const std::string& verb = args[0];
    const std::size_t min = verb == "set" ? 4 : 2, max = verb == "get" ? 3 : min;
    problem = orv::cli::CountProblem(args, min, max, {"verb", verb == "import" ? "FILE.reg" : "KEY", "NAME", "VALUE"});
    if (problem.empty() && parsed.Has("-o") && verb != "export") problem = "-o goes with export only";
    if (problem.empty() && (parsed.Has("--dword") || parsed.Has("--string")) && verb != "set")
      problem = "--dword and --string go with set only";
    if (problem.empty() && parsed.Has("--dword") && parsed.Has("--string")) problem = "--dword and --string exclude each other";
  }
  if (!problem.empty()) return io.Usage(problem);
  if (args[0] == "import") return Import(args[1], io);
  if (args[0] == "export") return Export(args[1], parsed.Value("-o"), io);
  if (args[0] == "get") return Get(args, io);
  return Set(args, parsed.Has("--dword"), io);
}

}  // namespace

ORV_CLI_COMMAND(reg, "reg", kUsage,
                (std::vector<orv::cli::OptionSpec>{
                    orv::cli::kRegistryDirOption, {"-o", true}, {"--dword", false}, {"--string", false}}),
                RunReg);
