// What every catalogue subcommand works with: the opened catalogue, a session over it with
// the command line's dialogs, the grid the window would show, and the subcommand's own
// arguments. Subcommands are functions over it, registered in catalogue_cli.cpp.
#pragma once

#include <cstdint>
#include <memory>
#include <ostream>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "catalogue/catalogue_session.h"
#include "catalogue/grid_record.h"
#include "catalogue_cli/catalogue_cli.h"
#include "catalogue_cli/terminal_dialogs.h"
#include "vemora/gateway.h"

namespace vemora::cli {

// A bad command line: reported with the subcommand's usage hint, status 2.
class UsageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

struct CatalogueContext {
  CatalogueContext(std::ostream& out, std::ostream& err, std::ostream* progress)
      : out(out), dialogs(err, progress) {}

  std::ostream& out;
  std::unique_ptr<TDBGateway> gateway;
  TerminalDialogs dialogs;
  CatalogueSession session;
  CatalogueGrid grid;
  std::vector<std::string> args;  // after the subcommand's name
};

using SubcommandFunction = int (*)(CatalogueContext& context);

// Checks a subcommand's arguments before the catalogue is opened (or created).
using PrepareFunction = void (*)(CatalogueContext& context);

// Subcommands, each in the file that implements it.
int RunList(CatalogueContext& context);
int RunCheck(CatalogueContext& context);
void PrepareImport(CatalogueContext& context);  // the files to add
int RunImport(CatalogueContext& context);
int RunExport(CatalogueContext& context);
int RunScale(CatalogueContext& context);
int RunPreviews(CatalogueContext& context);
int RunSearch(CatalogueContext& context);

// Removes "--flag" from args; true when it was there.
bool TakeFlag(std::vector<std::string>& args, const std::string& flag);
// Removes "--option VALUE" from args and returns VALUE; "" when absent. Throws UsageError
// when the value is missing.
std::string TakeOption(std::vector<std::string>& args, const std::string& option);
// Throws UsageError when an argument that starts with "-" is left.
void RejectUnknownOptions(const std::vector<std::string>& args);

// Keys as given on the command line; throws UsageError for one that is no whole number and
// std::runtime_error for one the catalogue does not hold. Reads only the keys.
std::set<int32_t> ExistingKeys(CatalogueContext& context, const std::vector<std::string>& keys);

// The window's load: the grid gets one record per row (previews missing from rows are
// built and stored, as the window does).
void LoadGrid(CatalogueContext& context);

// Marks the records with the given keys; all records when `keys` is empty.
void MarkKeys(CatalogueGrid& grid, const std::set<int32_t>& keys);

}  // namespace vemora::cli
