// Loading a 10,000-row catalogue's texts and previews through each gateway, against the
// engine's own command-line client reading the same columns to /dev/null.
//
// usage: bench_gateways [ROWS] [FOLDER]
//   SQLite: a catalogue file in FOLDER (default /tmp/vemora_bench_gateways), built once.
//   PostgreSQL: when VEMORA_PG_CONNINFO names a server; the catalogue lives in schema
//   vemora_bench there, built once.
// Each measurement is the median of five runs; the ratio is gateway time / client time.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "gateways/catalogue_rows.h"
#include "postgres/postgres_gateway.h"
#include "sqlite/sqlite_gateway.h"

namespace {

using vemora::TDBGateway;
using vemora::TDBResultSet;
using vemora::testing::InsertCatalogueRow;

constexpr int kRuns = 5;
constexpr size_t kImageBytes = 64 << 10;
constexpr size_t kPreviewBytes = 4 << 10;

// What the catalogue load reads of each row: every text column and the preview.
const char* const kTextColumns[] = {"Name",       "Beschreibung", "TextTop",
                                    "TextBottom", "TextLeft",     "TextRight",
                                    "File",       "Path",         "Suchbegriffe"};
constexpr const char* kPeerQuery =
    "SELECT BildCtr2, Name, Beschreibung, TextTop, TextBottom, TextLeft, TextRight, File, Path, "
    "Suchbegriffe, VsBild FROM Bilder";

std::string Bytes(size_t size, unsigned seed) {
  std::string bytes(size, '\0');
  for (size_t i = 0; i < size; ++i) {
    seed = seed * 1103515245u + 12345u;
    bytes[i] = static_cast<char>(seed >> 16);
  }
  bytes[0] = static_cast<char>(0xFF);
  return bytes;
}

int CountRows(TDBGateway& gateway) {
  try {
    TDBResultSet* rows = gateway.OpenSQL("SELECT * FROM Bilder", 0, 0);
    const int count = rows->RecordCount();
    rows->Close();
    return count;
  } catch (const std::exception&) {
    return -1;
  }
}

void Fill(TDBGateway& gateway, int rows) {
  gateway.ExecSQL("BEGIN", 4);
  for (int i = 0; i < rows; ++i) {
    const std::string name = "Bild " + std::to_string(i);
    InsertCatalogueRow(gateway, name, Bytes(kImageBytes, i), Bytes(kPreviewBytes, i + 7), i + 1);
  }
  gateway.ExecSQL("COMMIT", 4);
}

// Reads what the catalogue load reads; returns the bytes seen so nothing is optimised away.
size_t LoadTextsAndPreviews(TDBGateway& gateway, const std::string& query) {
  size_t seen = 0;
  TDBResultSet* rows = gateway.OpenSQL(query, 0, 0);
  for (; !rows->Eof(); rows->Next()) {
    seen += static_cast<size_t>(rows->FieldByName("BildCtr2").AsInteger() & 1);
    for (const char* column : kTextColumns) seen += rows->FieldByName(column).AsString().size();
    seen += rows->FieldByName("VsBild").AsString().size();
  }
  rows->Close();
  return seen;
}

double MedianSeconds(const std::function<void()>& run) {
  std::vector<double> times;
  for (int i = 0; i < kRuns; ++i) {
    const auto start = std::chrono::steady_clock::now();
    run();
    times.push_back(
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
  }
  std::sort(times.begin(), times.end());
  return times[times.size() / 2];
}

void RunCommand(const std::string& command) {
  if (std::system(command.c_str()) != 0) throw std::runtime_error("failed: " + command);
}

void Report(const std::string& what, double gateway, double peer, const std::string& peerName) {
  std::printf("%-44s gateway %8.1f ms   %-8s %8.1f ms   ratio %.2f\n", what.c_str(), gateway * 1000,
              peerName.c_str(), peer * 1000, gateway / peer);
}

void BenchSqlite(const std::filesystem::path& folder, int rows) {
  const std::string file = (folder / "catalogue.db").string();
  {
    vemora::gateways::SqliteGateway gateway(file);
    if (CountRows(gateway) != rows) {
      std::filesystem::remove(file);
      vemora::gateways::SqliteGateway fresh(file);
      fresh.CreateCatalogueTables();
      Fill(fresh, rows);
    }
  }
  vemora::gateways::SqliteGateway gateway(file);
  LoadTextsAndPreviews(gateway, "SELECT * FROM Bilder");  // warm the page cache
  const double star = MedianSeconds([&] { LoadTextsAndPreviews(gateway, "SELECT * FROM Bilder"); });
  const double columns = MedianSeconds([&] { LoadTextsAndPreviews(gateway, kPeerQuery); });
  const double shell =
      MedianSeconds([&] { RunCommand("sqlite3 '" + file + "' '" + kPeerQuery + "' > /dev/null"); });
  Report("SQLite, SELECT * (what the load runs)", star, shell, "sqlite3");
  Report("SQLite, the same columns as the shell", columns, shell, "sqlite3");
}

void BenchPostgres(const std::string& base, int rows) {
  const std::string conninfo = base + " options='-c search_path=vemora_bench'";
  {
    vemora::gateways::PostgresGateway admin(base);
    admin.ExecSQL("CREATE SCHEMA IF NOT EXISTS vemora_bench", 4);
    vemora::gateways::PostgresGateway gateway(conninfo);
    if (CountRows(gateway) != rows) {
      gateway.ExecSQL("DROP TABLE IF EXISTS Bilder; DROP TABLE IF EXISTS BildFilt", 4);
      gateway.CreateCatalogueTables();
      Fill(gateway, rows);
      gateway.ExecSQL("VACUUM ANALYZE Bilder", 4);
    }
  }
  vemora::gateways::PostgresGateway gateway(conninfo);
  LoadTextsAndPreviews(gateway, "SELECT * FROM Bilder");
  const double star = MedianSeconds([&] { LoadTextsAndPreviews(gateway, "SELECT * FROM Bilder"); });
  const double columns = MedianSeconds([&] { LoadTextsAndPreviews(gateway, kPeerQuery); });
  const double psql = MedianSeconds([&] {
    RunCommand("psql \"" + conninfo + "\" -X -A -t -q -c '" + kPeerQuery + "' > /dev/null");
  });
  // psql prints bytea as hex text; COPY in binary is the server's cheapest way out, so the
  // second comparison shows what the gateway adds to the bare transfer.
  const double copy = MedianSeconds([&] {
    RunCommand("psql \"" + conninfo + "\" -X -q -c 'COPY (" + kPeerQuery +
               ") TO STDOUT (FORMAT binary)' > /dev/null");
  });
  Report("PostgreSQL, SELECT * (what the load runs)", star, psql, "psql");
  Report("PostgreSQL, the same columns as psql", columns, psql, "psql");
  Report("PostgreSQL, SELECT * (what the load runs)", star, copy, "COPY bin");
  Report("PostgreSQL, the same columns as COPY", columns, copy, "COPY bin");
}

}  // namespace

int main(int argc, char** argv) {
  const int rows = argc > 1 ? std::atoi(argv[1]) : 10000;
  const std::filesystem::path folder = argc > 2 ? argv[2] : "/tmp/vemora_bench_gateways";
  std::filesystem::create_directories(folder);
  try {
    std::printf("%d rows, image %zu bytes, preview %zu bytes, median of %d runs\n", rows,
                kImageBytes, kPreviewBytes, kRuns);
    BenchSqlite(folder, rows);
    if (const char* conninfo = std::getenv("VEMORA_PG_CONNINFO"); conninfo && *conninfo) {
      BenchPostgres(conninfo, rows);
    } else {
      std::printf("PostgreSQL skipped: VEMORA_PG_CONNINFO is not set\n");
    }
  } catch (const std::exception& error) {
    std::fprintf(stderr, "bench_gateways: %s\n", error.what());
    return 1;
  }
  return 0;
}
