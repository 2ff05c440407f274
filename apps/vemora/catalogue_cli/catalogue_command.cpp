// `vemora catalogue`: registers the catalogue's subcommands (catalogue/catalogue_cli.h).

#include <unistd.h>

#include <iostream>

#include "catalogue_cli/catalogue_cli.h"
#include "command.h"

namespace vemora::cli {
namespace {

int RunCatalogueCommand(const std::vector<std::string>& args) {
  // The progress line only where someone watches it.
  std::ostream* progress = ::isatty(STDOUT_FILENO) ? &std::cout : nullptr;
  return RunCatalogue(args, std::cout, std::cerr, progress);
}

const CommandRegistration kRegistration{
    "catalogue", "(--db FILE | --pg CONNINFO) SUBCOMMAND [ARGS...]",
    "list, import, export, search, scale, rebuild previews or check a catalogue",
    &RunCatalogueCommand};

}  // namespace
}  // namespace vemora::cli
