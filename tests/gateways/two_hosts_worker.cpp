// One host adding images to a shared catalogue through the catalogue dispatcher, as the
// library adds them. Started twice at once by the two-hosts test.
//
// usage: gateway_two_hosts_worker ADDRESS HOST COUNT GO_FILE KEYS_FILE
//   waits until GO_FILE exists, adds COUNT images, writes "name key" lines to KEYS_FILE.
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <thread>

#include "catalogue/dispatcher.h"
#include "gateways/gateway_engines.h"
#include "gateways/two_hosts_images.h"

int main(int argc, char** argv) {
  if (argc != 6) {
    std::cerr << "usage: " << argv[0] << " ADDRESS HOST COUNT GO_FILE KEYS_FILE\n";
    return 2;
  }
  try {
    const int host = std::atoi(argv[2]);
    const int count = std::atoi(argv[3]);
    auto gateway = vemora::testing::ConnectToAddress(argv[1]);
    // Both workers start adding at the same moment.
    while (!std::filesystem::exists(argv[4])) {
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    vemora::CatalogueSession session;
    session.gateway = gateway.get();
    session.fileColumn = "FILE";
    std::ofstream keys(argv[5]);
    for (int i = 0; i < count; ++i) {
      vemora::TRecDSBilder record;
      record.Name = vemora::testing::TwoHostsImageName(host, i);
      record.File = record.Name + ".jpg";
      record.Path = "/host" + std::to_string(host) + "/";
      record.Bild = vemora::testing::TwoHostsImageBytes(host, i);
      record.VsBild = record.Bild.substr(0, 100);
      vemora::TRecCmdMDB command;
      command.command = vemora::kCmdInsert;
      keys << record.Name << ' ' << vemora::RunCmdMDB(session, command, record) << '\n';
    }
    keys.close();
    return keys ? 0 : 1;
  } catch (const std::exception& error) {
    std::cerr << "host " << argv[2] << ": " << error.what() << '\n';
    return 1;
  }
}
