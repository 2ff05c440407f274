// Runs one test suite against every catalogue engine: SQLite and PostgreSQL.
//
// A suite derives its fixture from GatewayEngineTest and instantiates it with
// VEMORA_INSTANTIATE_FOR_ALL_ENGINES(SuiteName). Each test gets a fresh catalogue (a temp
// SQLite file, or a PostgreSQL schema of its own) with empty `Bilder` and `BildFilt` tables,
// and a gateway over it; both are removed when the test ends.
//
// PostgreSQL runs when VEMORA_PG_CONNINFO names a server (scripts/pg-test-server.sh starts
// one); without it those cases are skipped with a message, unless VEMORA_PG_REQUIRED=1, which
// turns the missing server into a failure. The connection string is in key=value form and
// carries no `options` or `application_name` of its own: each test sets them (search_path to
// its schema; the schema's name as application name, so a test can find its connections).
//
// Link: vemora_gateway_sqlite vemora_gateway_postgres.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <memory>
#include <ostream>
#include <random>
#include <string>
#include <vector>

#include "postgres/postgres_gateway.h"
#include "sqlite/sqlite_gateway.h"
#include "vemora/gateway.h"

namespace vemora::testing {

// One fresh, empty database on one engine; dropped when destroyed.
class ScratchCatalogue {
 public:
  virtual ~ScratchCatalogue() = default;
  // A new gateway over this database; every call is a connection of its own.
  virtual std::unique_ptr<TDBGateway> Connect() const = 0;
  // Creates `Bilder` and `BildFilt` through a connection of its own.
  virtual void CreateCatalogueTables() const = 0;
  // What another process passes to ConnectToAddress to reach the same database.
  virtual std::string Address() const = 0;
};

struct GatewayEngine {
  std::string name;  // "SQLite" or "PostgreSQL"; also the test name suffix
  // A fresh catalogue, or nullptr with `why` set when the engine cannot run here.
  std::function<std::unique_ptr<ScratchCatalogue>(std::string& why)> createCatalogue;
};

// Failure messages name the engine, not the parameter's bytes.
inline void PrintTo(const GatewayEngine& engine, std::ostream* out) { *out << engine.name; }

namespace engines_detail {

inline std::string UniqueSuffix() {
  static std::atomic<int> counter{0};
  std::random_device random;
  return std::to_string(::getpid()) + "_" + std::to_string(counter++) + "_" +
         std::to_string(random() % 1000000);
}

class SqliteScratch final : public ScratchCatalogue {
 public:
  SqliteScratch()
      : folder_(std::filesystem::temp_directory_path() / ("vemora_gw_" + UniqueSuffix())) {
    std::filesystem::create_directories(folder_);
  }
  ~SqliteScratch() override {
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
  }
  std::unique_ptr<TDBGateway> Connect() const override {
    return std::make_unique<gateways::SqliteGateway>(File());
  }
  void CreateCatalogueTables() const override {
    gateways::SqliteGateway(File()).CreateCatalogueTables();
  }
  std::string Address() const override { return "sqlite:" + File(); }

 private:
  std::string File() const { return (folder_ / "catalogue.db").string(); }
  std::filesystem::path folder_;
};

class PostgresScratch final : public ScratchCatalogue {
 public:
  explicit PostgresScratch(std::string baseConninfo)
      : base_(std::move(baseConninfo)), schema_("vemora_t" + UniqueSuffix()) {
    gateways::PostgresGateway(base_).ExecSQL("CREATE SCHEMA " + schema_, 4);
  }
  ~PostgresScratch() override {
    try {
      gateways::PostgresGateway(base_).ExecSQL("DROP SCHEMA IF EXISTS " + schema_ + " CASCADE", 4);
    } catch (const std::exception&) {
      // A test that stopped the server leaves the schema; the server is a scratch one too.
    }
  }
  std::unique_ptr<TDBGateway> Connect() const override {
    return std::make_unique<gateways::PostgresGateway>(Conninfo());
  }
  void CreateCatalogueTables() const override {
    gateways::PostgresGateway(Conninfo()).CreateCatalogueTables();
  }
  std::string Address() const override { return "postgres:" + Conninfo(); }

 private:
  // The schema doubles as application_name, so a test can find this catalogue's backends.
  std::string Conninfo() const {
    return base_ + " options='-c search_path=" + schema_ + "' application_name=" + schema_;
  }
  std::string base_;
  std::string schema_;
};

}  // namespace engines_detail

// Opens a gateway from a ScratchCatalogue::Address(), e.g. in a worker process.
inline std::unique_ptr<TDBGateway> ConnectToAddress(const std::string& address) {
  if (address.starts_with("sqlite:")) {
    return std::make_unique<gateways::SqliteGateway>(address.substr(7));
  }
  if (address.starts_with("postgres:")) {
    return std::make_unique<gateways::PostgresGateway>(address.substr(9));
  }
  throw TDBError("unknown catalogue address: " + address);
}

inline std::vector<GatewayEngine> AllGatewayEngines() {
  return {
      {"SQLite",
       [](std::string&) -> std::unique_ptr<ScratchCatalogue> {
         return std::make_unique<engines_detail::SqliteScratch>();
       }},
      {"PostgreSQL",
       [](std::string& why) -> std::unique_ptr<ScratchCatalogue> {
         const char* conninfo = std::getenv("VEMORA_PG_CONNINFO");
         if (conninfo == nullptr || *conninfo == '\0') {
           why =
               "PostgreSQL cases skipped: VEMORA_PG_CONNINFO is not set (start a server with "
               "scripts/pg-test-server.sh start DIR and export its output)";
           return nullptr;
         }
         return std::make_unique<engines_detail::PostgresScratch>(conninfo);
       }},
  };
}

inline bool PostgresRequired() {
  const char* required = std::getenv("VEMORA_PG_REQUIRED");
  return required != nullptr && std::string(required) == "1";
}

inline std::string GatewayEngineName(const ::testing::TestParamInfo<GatewayEngine>& info) {
  return info.param.name;
}

// Fixture: a fresh catalogue with empty tables and one gateway over it, per test.
class GatewayEngineTest : public ::testing::TestWithParam<GatewayEngine> {
 protected:
  void SetUp() override {
    std::string why;
    catalogue_ = GetParam().createCatalogue(why);
    if (!catalogue_) {
      if (PostgresRequired()) GTEST_FAIL() << why << " (VEMORA_PG_REQUIRED=1)";
      GTEST_SKIP() << why;
    }
    catalogue_->CreateCatalogueTables();
    gateway_ = catalogue_->Connect();
  }

  void TearDown() override {
    gateway_.reset();
    catalogue_.reset();
  }

  TDBGateway& gateway() { return *gateway_; }
  ScratchCatalogue& catalogue() { return *catalogue_; }
  bool IsPostgres() const { return GetParam().name == "PostgreSQL"; }

  std::unique_ptr<ScratchCatalogue> catalogue_;
  std::unique_ptr<TDBGateway> gateway_;
};

}  // namespace vemora::testing

#define VEMORA_INSTANTIATE_FOR_ALL_ENGINES(suite)                                       \
  INSTANTIATE_TEST_SUITE_P(Engines, suite,                                              \
                           ::testing::ValuesIn(::vemora::testing::AllGatewayEngines()), \
                           ::vemora::testing::GatewayEngineName)
