#pragma once
// The command line's commands register themselves by name; main() dispatches.
#include <iosfwd>
#include <string>
#include <vector>

namespace orv::cli {

struct Io {
  std::ostream& out;
  std::ostream& err;
};

// args: the words after the command's name. Returns the process exit code.
using CommandFn = int (*)(const std::vector<std::string>& args, Io& io);

struct Command {
  const char* name;
  const char* usage;  // one or more lines, each starting with the command's name
  CommandFn run;
};

// Adds a command at static-initialisation time; returns true so it can seed a static.
bool RegisterCommand(const Command& command);

}  // namespace orv::cli

#define ORV_CLI_COMMAND(id, name, usage, fn) \
  static const bool orv_cli_registered_##id = ::orv::cli::RegisterCommand({name, usage, fn})
