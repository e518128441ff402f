// orvdcm: the library's command line (catalogue, registry, colours and fonts, INI files,
// settings-file descriptions, image rendering).
#include <iostream>
#include <map>
#include <string>
#include <vector>

#include "apps/orvdcm/CliCommand.h"
#include "platform/base/CString.h"
#include "platform/base/Exception.h"
#include "platform/base/RegularFile.h"

extern "C" const char* OrvdcmVersion();  // liborvdcm's own version

namespace orv::cli {
namespace {
std::map<std::string, Command>& Commands() {
  static std::map<std::string, Command> commands;
  return commands;
}

void PrintUsage(std::ostream& os, const Command& cmd) { os << "usage: orvdcm " << cmd.usage << '\n'; }

// The text of "orvdcm help", which the manual page is also made from.
void PrintHelp(std::ostream& os) {
  os << "usage: orvdcm COMMAND [ARGS...]\n"
        "       orvdcm help [COMMAND] | --help | --version\n"
        "Every command answers --help with its usage; \"--\" ends the options, so that an\n"
        "operand may begin with \"-\".\n";
  for (const auto& [name, cmd] : Commands()) os << "  orvdcm " << cmd.usage << '\n';
}

int Run(const std::vector<std::string>& words) {
  if (words.empty()) {
    PrintHelp(std::cerr);
    return 2;
  }
  const std::string& name = words[0];
  if (name == "--version") {
    std::cout << "orvdcm " << OrvdcmVersion() << '\n';
    return 0;
  }
  if (name == "help" || name == "--help" || name == "-h") {
    if (words.size() == 1 || name != "help") {
      PrintHelp(std::cout);
      return 0;
    }
    auto it = Commands().find(words[1]);
    if (words.size() > 2 || it == Commands().end()) {
      std::cerr << "orvdcm help: no command '" << words[1] << "'\n";
      PrintHelp(std::cerr);
      return 2;
    }
    PrintUsage(std::cout, it->second);
    return 0;
  }
  auto it = Commands().find(name);
  if (it == Commands().end()) {
    std::cerr << "orvdcm: " << (name[0] == '-' ? "unknown option '" : "unknown command '") << name << "'\n";
    PrintHelp(std::cerr);
    return 2;
  }
  const Command& command = it->second;
  Io io{std::cout, std::cerr, &command};
  Arguments args;
  std::string problem;
  switch (ParseCommandLine({words.begin() + 1, words.end()}, command.options, &args, &problem)) {
    case ParseResult::Help:
      PrintUsage(std::cout, command);
      return 0;
    case ParseResult::Refused:
      return io.Usage(problem);
    case ParseResult::Ok:
      break;
  }
  // Whatever the library throws ends the command with its reason, not with an abort: the
  // files it was writing are discarded on the way out.
  try {
    return command.run(args, io);
  } catch (CFileException* e) {
    std::string where = e->m_strFileName.IsEmpty() ? std::string() : orv::WideToUtf8(e->m_strFileName.GetString()) + ": ";
    wchar_t text[256];
    e->GetErrorMessage(text, 256);
    std::string why = e->m_lOsError > 0 ? orv::SystemErrorText(static_cast<int>(e->m_lOsError)) : orv::WideToUtf8(text);
    e->Delete();
    return io.Fail(where + why);
  } catch (CException* e) {
    wchar_t text[256];
    std::string why = e->GetErrorMessage(text, 256) ? orv::WideToUtf8(text) : "failed";
    e->Delete();
    return io.Fail(why);
  } catch (const std::exception& e) {
    return io.Fail(e.what());
  }
}
}  // namespace

int Io::Usage(const std::string& problem) const {
  err << "orvdcm " << command->name << ": " << problem << '\n';
  PrintUsage(err, *command);
  return 2;
}

int Io::Fail(const std::string& problem) const {
  err << "orvdcm " << command->name << ": " << problem << '\n';
  return 1;
}

bool RegisterCommand(const Command& command) {
  Commands().emplace(command.name, command);
  return true;
}
}  // namespace orv::cli

int main(int argc, char** argv) { return orv::cli::Run(std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc)); }
