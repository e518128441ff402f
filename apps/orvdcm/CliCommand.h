#pragma once
// The command line's commands register themselves by name with the options they take;
// main() parses every command's words the same way (CommandLine.h) and dispatches.
#include <iosfwd>
#include <string>
#include <vector>

#include "apps/orvdcm/CommandLine.h"

namespace orv::cli {

struct Command;

// Where a command writes, and the two ways it reports a problem: both name the command.
struct Io {
  std::ostream& out;
  std::ostream& err;
  const Command* command = nullptr;

  // Says what is wrong with the invocation, then the command's usage; returns 2.
  int Usage(const std::string& problem) const;
  // Says what went wrong while running; returns 1.
  int Fail(const std::string& problem) const;
};

// args: the command's operands and options. Returns the process exit code.
using CommandFn = int (*)(const Arguments& args, Io& io);

struct Command {
  const char* name;
  const char* usage;  // one or more lines, the first starting with the command's name
  std::vector<OptionSpec> options;
  CommandFn run;
};

// Adds a command at static-initialisation time; returns true so it can seed a static.
bool RegisterCommand(const Command& command);

}  // namespace orv::cli

#define ORV_CLI_COMMAND(id, name, usage, options, fn) \
  static const bool orv_cli_registered_##id = ::orv::cli::RegisterCommand({name, usage, options, fn})
