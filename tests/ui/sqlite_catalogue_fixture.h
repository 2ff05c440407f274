// A dialog test's catalogue: an empty SQLite file with `Bilder` and `BildFilt` in a fresh
// folder, a gateway over it, a scripted prompter, and the application the widgets need.
#pragma once

#include <memory>

#include "catalogue/scripted_prompter.h"
#include "sqlite/sqlite_gateway.h"
#include "support/qt_application.h"
#include "support/temp_folder.h"

namespace vemora::testing {

class SqliteCatalogueTest : public TempFolderTest {
 protected:
  static void SetUpTestSuite() { EnsureApplication(); }
  void SetUp() override {
    TempFolderTest::SetUp();
    gateway = std::make_unique<gateways::SqliteGateway>(PathOf("catalogue.db"));
    gateway->CreateCatalogueTables();
  }

  std::unique_ptr<gateways::SqliteGateway> gateway;
  ScriptedPrompter prompter;
};

}  // namespace vemora::testing
