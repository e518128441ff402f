#pragma once
// The option "--registry-dir DIR" of the commands that use the registry: both roots use
// files in DIR (user.db, machine.db) instead of the default locations, so a command can work
// on a store of its own.
#include <string>

#include "apps/orvdcm/CommandLine.h"

namespace orv::cli {
inline const OptionSpec kRegistryDirOption{"--registry-dir", true};

// Points the roots at DIR when the option was given. False, with the reason in *problem,
// when it was given an empty folder name.
bool ApplyRegistryOption(const Arguments& args, std::string* problem);
}  // namespace orv::cli
