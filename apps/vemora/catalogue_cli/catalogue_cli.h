// `vemora catalogue`: the catalogue's commands on a SQLite file or a PostgreSQL catalogue,
// without the window.
//
//   vemora catalogue (--db FILE | --pg CONNINFO) [--images DIR] SUBCOMMAND [ARGS...]
//
// Each subcommand runs the core function the window's command runs; only the answers to
// its questions and dialogs come from the command line. Bad input (a file that is not a
// SQLite catalogue, a server that refuses, a table without the catalogue's columns, an
// unknown key, a bad option) is one line on `err` and a non-zero status, before anything
// was changed.
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace vemora::cli {

// Exit statuses: 0 done, 1 failed (or, for check, problems found), 2 bad usage.
inline constexpr int kExitFailed = 1;
inline constexpr int kExitUsage = 2;

// `args` are the arguments after "catalogue". `progress` receives the progress line of long
// runs (the terminal), or is nullptr.
int RunCatalogue(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                 std::ostream* progress);

}  // namespace vemora::cli
