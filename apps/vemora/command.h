// Subcommands of the `vemora` command-line tool.
//
// Each subcommand lives in its own *_command.cpp and registers itself with a static
// CommandRegistration, so adding one touches no other file:
//
//   static const vemora::cli::CommandRegistration kRegistration{
//       "preview", "IN OUT", "write the catalogue preview of IN to OUT", &RunPreview};
//
// A command gets the arguments after its name and returns the process exit status.
// Errors go to stderr as one line naming the file and the reason; status 1.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace vemora::cli {

using CommandFunction = int (*)(const std::vector<std::string>& args);

struct Command {
  std::string_view name;
  std::string_view usage;
  std::string_view summary;
  CommandFunction run;
};

// All registered commands, sorted by name.
const std::vector<Command>& Commands();

struct CommandRegistration {
  CommandRegistration(std::string_view name, std::string_view usage, std::string_view summary,
                      CommandFunction run);
};

}  // namespace vemora::cli
