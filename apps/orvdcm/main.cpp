// orvdcm: the library's command line (catalogue, registry, colours and fonts, INI files,
// settings-file descriptions, image rendering).
#include <algorithm>
#include <iostream>
#include <map>
#include <string>
#include <vector>

#include "apps/orvdcm/CliCommand.h"
#include "platform/base/CString.h"
#include "platform/base/Exception.h"
#include "platform/base/RegularFile.h"

namespace orv::cli {
namespace {
std::map<std::string, Command>& Commands() {
  static std::map<std::string, Command> commands;
  return commands;
}

int Usage(std::ostream& os) {
  os << "usage: orvdcm COMMAND [ARGS...]\n";
  for (const auto& [name, cmd] : Commands()) os << "  orvdcm " << cmd.usage << '\n';
  return 2;
}
}  // namespace

bool RegisterCommand(const Command& command) {
  Commands().emplace(command.name, command);
  return true;
}
}  // namespace orv::cli

int main(int argc, char** argv) {
  using namespace orv::cli;
  std::vector<std::string> args(argv + std::min(argc, 2), argv + argc);
  if (argc < 2) return Usage(std::cerr);
  std::string name = argv[1];
  if (name == "help" || name == "--help" || name == "-h") {
    Usage(std::cout);
    return 0;
  }
  auto it = Commands().find(name);
  if (it == Commands().end()) {
    std::cerr << "orvdcm: unknown command '" << name << "'\n";
    return Usage(std::cerr);
  }
  Io io{std::cout, std::cerr};
  // Whatever the library throws ends the command with its reason, not with an abort: the
  // files it was writing are discarded on the way out.
  const std::string prefix = "orvdcm " + name + ": ";
  try {
    return it->second.run(args, io);
  } catch (CFileException* e) {
    std::string where = e->m_strFileName.IsEmpty() ? std::string() : orv::WideToUtf8(e->m_strFileName.GetString()) + ": ";
    wchar_t text[256];
    e->GetErrorMessage(text, 256);
    std::string why = e->m_lOsError > 0 ? orv::SystemErrorText(static_cast<int>(e->m_lOsError)) : orv::WideToUtf8(text);
    e->Delete();
    io.err << prefix << where << why << '\n';
  } catch (CException* e) {
    wchar_t text[256];
    std::string why = e->GetErrorMessage(text, 256) ? orv::WideToUtf8(text) : "failed";
    e->Delete();
    io.err << prefix << why << '\n';
  } catch (const std::exception& e) {
    io.err << prefix << e.what() << '\n';
  }
  return 1;
}
