#include "catalogue_cli/catalogue_cli.h"

#include <algorithm>
#include <charconv>
#include <exception>
#include <filesystem>
#include <string_view>

#include "catalogue/catalogue_load.h"
#include "catalogue/result_set_guard.h"
#include "catalogue/statements.h"
#include "catalogue_cli/catalogue_context.h"
#include "postgres/postgres_gateway.h"
#include "sqlite/sqlite_gateway.h"

namespace vemora::cli {
namespace {

constexpr const char* kHelp =
    "usage: vemora catalogue (--db FILE | --pg CONNINFO) [--images DIR] SUBCOMMAND [ARGS...]\n"
    "\n"
    "Works on the table Bilder of a SQLite catalogue file (--db) or of a PostgreSQL\n"
    "catalogue (--pg \"host=/tmp dbname=bilder\"), with the same rules as the window.\n"
    "--images DIR is the image folder the catalogue's file names are relative to (default:\n"
    "the current folder). With import, --create makes the catalogue's tables (and the file)\n"
    "if missing.\n"
    "\n"
    "subcommands:\n"
    "  list [--json]                       keys, names, files and stored sizes\n"
    "  import FILE|DIR...                  adds image files (a folder: its image files, also\n"
    "                                      in subfolders)\n"
    "  export --to DIR [--format bmp|jpg|tif|original] [--write-back] [--settings DIR]\n"
    "         [KEY...]                     writes the stored images (all, or the keys) to DIR;\n"
    "                                      --write-back stores the converted ones in their rows\n"
    "  search [OPTIONS] [nicht] TERM [und|oder|und-nicht TERM]...\n"
    "                                      lists the matching images; OPTIONS are\n"
    "                                      --fields keywords,description,file,name,captions\n"
    "                                      --whole-words --case --from DATE --to DATE\n"
    "                                      --newer N[d|w|m|y] --older N[d|w|m|y]\n"
    "                                      --width >N|<N|=N --height >N|<N|=N\n"
    "  scale --width W --height H [--filter NAME] [--interpolate] [--colours CODE] [KEY...]\n"
    "                                      shrinks the stored images (all, or the keys);\n"
    "                                      filters and colour codes as 'vemora scale'\n"
    "  previews --rebuild                  builds and stores every row's preview again\n"
    "  check                               rows whose image does not decode, rows without\n"
    "                                      preview, image files missing on disk\n"
    "\n"
    "export, search and scale load the catalogue as the window does: a row without a\n"
    "preview gets one stored. Status: 0 done, 1 failed (check: problems found), 2 bad usage.\n";

struct Subcommand {
  std::string_view name;
  SubcommandFunction run;
  PrepareFunction prepare = nullptr;
  bool mayCreate = false;  // --create applies
};

constexpr Subcommand kSubcommands[] = {
    {"list", &RunList},        {"check", &RunCheck},   {"import", &RunImport, &PrepareImport, true},
    {"export", &RunExport},    {"search", &RunSearch}, {"scale", &RunScale},
    {"previews", &RunPreviews}};

// The columns every catalogue row has; the file name is "File" or "XFile".
constexpr std::string_view kRequiredColumns[] = {"BildCtr2",     "Bild",      "Name",
                                                 "Beschreibung", "TextTop",   "TextBottom",
                                                 "TextLeft",     "TextRight", "Suchbegriffe"};

std::unique_ptr<TDBGateway> OpenCatalogue(const std::string& database, const std::string& conninfo,
                                          bool create) {
  if (!conninfo.empty()) {
    auto gateway = std::make_unique<gateways::PostgresGateway>(conninfo);
    if (create) gateway->CreateCatalogueTables();
    return gateway;
  }
  if (!create && !std::filesystem::is_regular_file(database))
    throw std::runtime_error(database + ": no such catalogue file");
  try {
    auto gateway = std::make_unique<gateways::SqliteGateway>(database);
    if (create) gateway->CreateCatalogueTables();
    return gateway;
  } catch (const TDBError& error) {
    throw std::runtime_error(database + ": not a SQLite catalogue (" + error.what() + ")");
  }
}

// Fails unless Bilder has the catalogue's columns; settles the file-name column.
void CheckColumns(CatalogueContext& context) {
  TDBGateway& gateway = *context.gateway;
  std::string missing;
  for (std::string_view column : kRequiredColumns) {
    if (!gateway.FieldExists("Bilder", std::string(column), 0, -1))
      missing += (missing.empty() ? "" : ", ") + std::string(column);
  }
  if (gateway.FieldExists("Bilder", "File", 0, -1)) {
    context.session.fileColumn = "File";
  } else if (gateway.FieldExists("Bilder", "XFile", 0, -1)) {
    context.session.fileColumn = "XFile";
  } else {
    missing += (missing.empty() ? "" : ", ") + std::string("File");
  }
  if (!missing.empty())
    throw std::runtime_error("table Bilder is missing or lacks the column(s) " + missing);
}

// Server messages come in several lines (libpq adds hints); the report is one.
std::string OneLine(std::string_view text) {
  std::string line;
  bool space = false;
  for (const char c : text) {
    if (c == '\n' || c == '\r' || c == '\t') {
      space = true;
      continue;
    }
    if (space && !line.empty() && line.back() != ' ') line += ' ';
    space = false;
    line += c;
  }
  return line;
}

}  // namespace

bool TakeFlag(std::vector<std::string>& args, const std::string& flag) {
  const auto found = std::find(args.begin(), args.end(), flag);
  if (found == args.end()) return false;
  args.erase(found);
  return true;
}

std::string TakeOption(std::vector<std::string>& args, const std::string& option) {
  const auto found = std::find(args.begin(), args.end(), option);
  if (found == args.end()) return {};
  if (found + 1 == args.end() || found[1].empty()) throw UsageError(option + " needs a value");
  std::string value = found[1];
  args.erase(found, found + 2);
  return value;
}

void RejectUnknownOptions(const std::vector<std::string>& args) {
  for (const std::string& arg : args) {
    if (arg.size() > 1 && arg[0] == '-') throw UsageError("unknown option '" + arg + "'");
  }
}

std::set<int32_t> ExistingKeys(CatalogueContext& context, const std::vector<std::string>& keys) {
  std::set<int32_t> wanted;
  for (const std::string& text : keys) {
    int32_t key = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), key);
    if (error != std::errc() || end != text.data() + text.size())
      throw UsageError("'" + text + "' is no key (a whole number)");
    wanted.insert(key);
  }
  if (wanted.empty()) return wanted;
  std::set<int32_t> present;
  ResultSetGuard rows = Query(*context.gateway, "SELECT BildCtr2 FROM Bilder");
  for (rows->First(); !rows->Eof(); rows->Next())
    present.insert(rows->FieldByName("BildCtr2").AsInteger());
  for (int32_t key : wanted) {
    if (!present.contains(key))
      throw std::runtime_error("no image with key " + std::to_string(key));
  }
  return wanted;
}

void LoadGrid(CatalogueContext& context) {
  LoadCatalogue(context.session, context.grid, LoadOptions{});
}

void MarkKeys(CatalogueGrid& grid, const std::set<int32_t>& keys) {
  std::vector<bool> marks;
  for (const GridRecord& record : grid.records())
    marks.push_back(keys.empty() || keys.contains(record.key));
  grid.SetMarks(marks);
}

int RunCatalogue(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err,
                 std::ostream* progress) {
  std::vector<std::string> args = arguments;
  std::string name = "catalogue";
  CatalogueContext context(out, err, progress);
  try {
    if (args.empty() || args == std::vector<std::string>{"--help"} ||
        args == std::vector<std::string>{"-h"}) {
      (args.empty() ? err : out) << kHelp;
      return args.empty() ? kExitUsage : 0;
    }
    const std::string database = TakeOption(args, "--db");
    const std::string conninfo = TakeOption(args, "--pg");
    const std::string images = TakeOption(args, "--images");
    const bool create = TakeFlag(args, "--create");
    const auto subcommand =
        std::find_if(args.begin(), args.end(), [](const std::string& a) { return a[0] != '-'; });
    if (subcommand == args.end()) throw UsageError("which subcommand?");
    name = *subcommand;
    const auto* found = std::find_if(std::begin(kSubcommands), std::end(kSubcommands),
                                     [&](const Subcommand& s) { return s.name == name; });
    if (found == std::end(kSubcommands)) throw UsageError("unknown subcommand");
    args.erase(subcommand);
    context.args = args;
    const bool wantsHelp = std::find(args.begin(), args.end(), "--help") != args.end();
    if (wantsHelp) {
      out << kHelp;
      return 0;
    }
    if (database.empty() == conninfo.empty())
      throw UsageError("give the catalogue as either --db FILE or --pg CONNINFO");

    if (found->prepare != nullptr) found->prepare(context);
    context.gateway = OpenCatalogue(database, conninfo, create && found->mayCreate);
    CheckColumns(context);
    context.session.gateway = context.gateway.get();
    context.session.prompter = &context.dialogs;
    context.session.imageFolder =
        std::filesystem::absolute(images.empty() ? "." : images).lexically_normal().string();
    return found->run(context);
  } catch (const UsageError& error) {
    err << "vemora catalogue " << name << ": " << error.what() << " (see --help)\n";
    return kExitUsage;
  } catch (const std::exception& error) {
    err << "vemora catalogue " << name << ": " << OneLine(error.what()) << '\n';
    return kExitFailed;
  }
}

}  // namespace vemora::cli
