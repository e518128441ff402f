#pragma once
// The global option "--registry-dir DIR" (or "--registry-dir=DIR"): both registry roots use
// files in DIR (user.db, machine.db) instead of the default locations, so a command can work
// on a store of its own.
#include <string>
#include <vector>

namespace orv::cli {
// Takes the option out of args, wherever it stands, and points the roots at DIR. False,
// with a message in *error, when the option is given without a folder.
bool ApplyRegistryOption(std::vector<std::string>& args, std::string* error);
}  // namespace orv::cli
