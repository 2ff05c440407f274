// A catalogue on one engine, ready for commands: a session over the test's gateway (through
// a FailingGateway, so a test can make any statement fail) with a scripted prompter, an
// empty grid, and a fresh folder for image files.
#pragma once

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "catalogue/catalogue_session.h"
#include "catalogue/grid_record.h"
#include "failing_gateway.h"
#include "gateways/gateway_engines.h"
#include "scripted_prompter.h"

namespace vemora::testing {

class CatalogueEngineFixture : public GatewayEngineTest {
 protected:
  void SetUp() override {
    GatewayEngineTest::SetUp();
    if (IsSkipped() || HasFatalFailure()) return;
    failing = std::make_unique<FailingGateway>(gateway());
    session.gateway = failing.get();
    session.prompter = &prompter;
    std::random_device seed;
    folder = std::filesystem::temp_directory_path() /
             ("vemora-catalogue-" + std::to_string(seed()) + std::to_string(seed()));
    std::filesystem::create_directories(folder);
    session.imageFolder = folder.string();
  }
  void TearDown() override {
    std::filesystem::remove_all(folder);
    failing.reset();
    GatewayEngineTest::TearDown();
  }

  std::string WriteFile(const std::string& name, const std::string& bytes) const {
    const auto path = folder / name;
    std::ofstream(path, std::ios::binary) << bytes;
    return path.string();
  }
  std::string WriteFile(const std::string& name, const std::vector<uint8_t>& bytes) const {
    return WriteFile(name, std::string(bytes.begin(), bytes.end()));
  }
  std::string ReadFile(const std::filesystem::path& path) const {
    std::ifstream in(folder / path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }

  std::unique_ptr<FailingGateway> failing;
  ScriptedPrompter prompter;
  CatalogueSession session;
  CatalogueGrid grid;
  std::filesystem::path folder;
};

}  // namespace vemora::testing
