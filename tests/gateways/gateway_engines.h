// Runs one test suite against every catalogue engine: SQLite and PostgreSQL.
//
// A suite derives its fixture from GatewayEngineTest and instantiates it with
// VEMORA_INSTANTIATE_FOR_ALL_ENGINES(SuiteName). Each test gets a fresh catalogue (a temp
// SQLite file, or a PostgreSQL schema of its own) with empty `Bilder` and `BildFilt` tables,
// and a gateway over it; both are removed when the test ends.
// PostgreSQL runs when VEMORA_PG_CONNINFO names a server (scripts/pg-test-server.sh starts
// one); without it those cases are skipped with a message, unless VEMORA_PG_REQUIRED=1, which
// turns the missing server into a failure. The connection string is in key=value form and
// carries no `options` or `application_name` of its own: each test sets them (search_path to
// its schema; the schema's name as application name, so a test can find its connections).
#pragma once

#include <gtest/gtest.h>
#ifdef _WIN32
#include <thread>
#else
#include <sys/wait.h>
#include <unistd.h>
#endif

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <iostream>
#include <memory>
#include <random>
#include <string>

#if VEMORA_HAVE_POSTGRES
#include "postgres/postgres_gateway.h"
#endif
#include "sqlite/sqlite_gateway.h"
#include "vemora/gateway.h"

namespace vemora::testing {

// Opens a gateway from a ScratchCatalogue::Address(), e.g. in a worker process.
inline std::unique_ptr<TDBGateway> ConnectToAddress(const std::string& address) {
  if (address.starts_with("sqlite:"))
    return std::make_unique<gateways::SqliteGateway>(address.substr(7));
#if VEMORA_HAVE_POSTGRES
  if (address.starts_with("postgres:"))
    return std::make_unique<gateways::PostgresGateway>(address.substr(9));
#endif
  throw TDBError("unknown catalogue address: " + address);
}

// One fresh, empty database on one engine ("SQLite" or "PostgreSQL"); dropped when destroyed.
class ScratchCatalogue {
 public:
  // `serverConninfo` is the PostgreSQL server's; empty for SQLite.
  explicit ScratchCatalogue(std::string serverConninfo) : server_(std::move(serverConninfo)) {
    static std::atomic<int> counter{0};
    std::random_device random;
    const std::string suffix = std::to_string(::getpid()) + "_" + std::to_string(counter++) + "_" +
                               std::to_string(random() % 1000000);
    if (server_.empty()) {
      folder_ = std::filesystem::temp_directory_path() / ("vemora_gw_" + suffix);
      std::filesystem::create_directories(folder_);
      address_ = "sqlite:" + (folder_ / "catalogue.db").string();
    } else {
#if VEMORA_HAVE_POSTGRES
      schema_ = "vemora_t" + suffix;
      gateways::PostgresGateway(server_).ExecSQL("CREATE SCHEMA " + schema_, 4);
      address_ = "postgres:" + server_ + " options='-c search_path=" + schema_ +
                 "' application_name=" + schema_;
#endif
    }
  }
  ~ScratchCatalogue() {
    try {
#if VEMORA_HAVE_POSTGRES
      if (!schema_.empty()) {
        gateways::PostgresGateway(server_).ExecSQL("DROP SCHEMA IF EXISTS " + schema_ + " CASCADE",
                                                   4);
      }
#endif
    } catch (const std::exception&) {
      // A test that stopped the server leaves the schema; the server is a scratch one too.
    }
    std::error_code ignored;
    if (!folder_.empty()) std::filesystem::remove_all(folder_, ignored);
  }
  ScratchCatalogue(const ScratchCatalogue&) = delete;
  ScratchCatalogue& operator=(const ScratchCatalogue&) = delete;

  // A new gateway over this database; every call is a connection of its own.
  std::unique_ptr<TDBGateway> Connect() const { return ConnectToAddress(address_); }
  // Creates `Bilder` and `BildFilt` through a connection of its own.
  void CreateCatalogueTables() const {
    if (schema_.empty()) {
      gateways::SqliteGateway(address_.substr(7)).CreateCatalogueTables();
    } else {
#if VEMORA_HAVE_POSTGRES
      gateways::PostgresGateway(address_.substr(9)).CreateCatalogueTables();
#endif
    }
  }
  // What another process passes to ConnectToAddress to reach the same database.
  const std::string& Address() const { return address_; }

 private:
  std::string server_;
  std::filesystem::path folder_;
  std::string schema_;
  std::string address_;
};

// A fresh catalogue on `engine`, or nullptr with `why` set when the engine cannot run here.
inline std::unique_ptr<ScratchCatalogue> CreateScratchCatalogue(const std::string& engine,
                                                                std::string& why) {
  if (engine == "SQLite") return std::make_unique<ScratchCatalogue>("");
  const char* conninfo = std::getenv("VEMORA_PG_CONNINFO");
  if (conninfo == nullptr || *conninfo == '\0') {
    why =
        "PostgreSQL cases skipped: VEMORA_PG_CONNINFO is not set (start a server with "
        "scripts/pg-test-server.sh start DIR and export its output)";
    return nullptr;
  }
  return std::make_unique<ScratchCatalogue>(conninfo);
}

inline bool PostgresRequired() {
  const char* required = std::getenv("VEMORA_PG_REQUIRED");
  return required != nullptr && std::string(required) == "1";
}

// Runs `write` against the catalogue at `address` in a child process, as another host would.
// Windows has no fork: there the other host is a connection of its own on another thread.
inline void InAnotherProcess(const std::string& address,
                             const std::function<void(TDBGateway&)>& write) {
#ifdef _WIN32
  std::string failure;
  std::thread other([&] {
    try {
      write(*ConnectToAddress(address));
    } catch (const std::exception& error) {
      failure = error.what();
    }
  });
  other.join();
  ASSERT_EQ(failure, "") << "other host";
#else
  const pid_t pid = ::fork();
  ASSERT_GE(pid, 0);
  if (pid == 0) {
    int status = 0;
    try {
      write(*ConnectToAddress(address));
    } catch (const std::exception& error) {
      std::cerr << "other host: " << error.what() << std::endl;
      status = 1;
    }
    ::_exit(status);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(pid, &status, 0), pid);
  ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
#endif
}

// Fixture: a fresh catalogue with empty tables and one gateway over it, per test. The
// parameter is the engine's name.
class GatewayEngineTest : public ::testing::TestWithParam<std::string> {
 protected:
  void SetUp() override {
    std::string why;
    catalogue_ = CreateScratchCatalogue(GetParam(), why);
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
  bool IsPostgres() const { return GetParam() == "PostgreSQL"; }

  std::unique_ptr<ScratchCatalogue> catalogue_;
  std::unique_ptr<TDBGateway> gateway_;
};

}  // namespace vemora::testing

#if VEMORA_HAVE_POSTGRES
#define VEMORA_INSTANTIATE_FOR_ALL_ENGINES(suite)                                     \
  INSTANTIATE_TEST_SUITE_P(Engines, suite, ::testing::Values("SQLite", "PostgreSQL"), \
                           [](const auto& info) { return info.param; })
#else
// A build without libpq (the Windows cross builds) has the embedded engine only.
#define VEMORA_INSTANTIATE_FOR_ALL_ENGINES(suite)                       \
  INSTANTIATE_TEST_SUITE_P(Engines, suite, ::testing::Values("SQLite"), \
                           [](const auto& info) { return info.param; })
#endif
