// vemora: headless use of the catalogue's image and metadata code from a shell.

#include <algorithm>
#include <cstdio>
#include <exception>
#include <string>
#include <vector>

#include "command.h"

namespace vemora::cli {
namespace {

std::vector<Command>& Registry() {
  static std::vector<Command> commands;
  return commands;
}

void PrintHelp(std::FILE* out) {
  std::fprintf(out, "usage: vemora COMMAND [ARGS...]\n\ncommands:\n");
  for (const Command& command : Commands()) {
    std::fprintf(out, "  %.*s %.*s\n      %.*s\n", static_cast<int>(command.name.size()),
                 command.name.data(), static_cast<int>(command.usage.size()), command.usage.data(),
                 static_cast<int>(command.summary.size()), command.summary.data());
  }
  std::fprintf(out, "\n'vemora COMMAND --help' shows a command's options.\n");
}

}  // namespace

const std::vector<Command>& Commands() { return Registry(); }

CommandRegistration::CommandRegistration(std::string_view name, std::string_view usage,
                                         std::string_view summary, CommandFunction run) {
  auto& commands = Registry();
  commands.push_back({name, usage, summary, run});
  std::sort(commands.begin(), commands.end(),
            [](const Command& a, const Command& b) { return a.name < b.name; });
}

}  // namespace vemora::cli

int main(int argc, char** argv) {
  using vemora::cli::Commands;
  if (argc < 2 || std::string(argv[1]) == "--help" || std::string(argv[1]) == "-h") {
    vemora::cli::PrintHelp(argc < 2 ? stderr : stdout);
    return argc < 2 ? 2 : 0;
  }
  const std::string name = argv[1];
  for (const auto& command : Commands()) {
    if (command.name == name) {
      try {
        return command.run(std::vector<std::string>(argv + 2, argv + argc));
      } catch (const std::exception& error) {
        std::fprintf(stderr, "vemora %s: %s\n", name.c_str(), error.what());
        return 1;
      }
    }
  }
  std::fprintf(stderr, "vemora: unknown command '%s' (see 'vemora --help')\n", name.c_str());
  return 2;
}
