// Adding 100 full-size camera photos to a SQLite catalogue (read, preview, insert), against
// vipsthumbnail making 100-pixel-high thumbnails of the same files, in the same run.

#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "bench_support.h"
#include "catalogue/adding.h"
#include "catalogue/catalogue_session.h"
#include "sqlite/sqlite_gateway.h"

namespace {

class SilentPrompter : public vemora::Prompter {
 public:
  void ShowMessage(const std::string& text) override {
    std::fprintf(stderr, "message: %s\n", text.c_str());
  }
  vemora::Answer Ask(const std::string&, bool) override { return vemora::Answer::Yes; }
  std::unique_ptr<vemora::ProgressWindow> OpenWaitWindow() override { return nullptr; }
};

}  // namespace

int main() {
  using namespace vemora;
  const auto photos = bench::RequireBenchPhotos();
  constexpr int kFiles = 100;
  std::vector<std::string> files;
  for (int i = 0; i < kFiles; ++i) files.push_back(photos[i % photos.size()].string());

  const auto work = bench::ScratchFolder("adding");
  std::filesystem::create_directories(work / "thumbs");

  SilentPrompter prompter;
  int round = 0;
  const double ours = bench::BestMs(3, [&] {
    gateways::SqliteGateway gateway(
        (work / ("catalogue" + std::to_string(round++) + ".db")).string());
    gateway.CreateCatalogueTables();
    CatalogueSession session;
    session.gateway = &gateway;
    session.prompter = &prompter;
    CatalogueGrid grid;
    // As the adding loop does it: previews built ahead on the other cores, inserts in order.
    ImagePrefetcher prefetcher(vemora::platform::LocalFileSystem(), files);
    for (size_t i = 0; i < files.size(); ++i) AppendImage(session, grid, prefetcher.Next());
  });

  double peer = -1;
  if (bench::HaveTool("vipsthumbnail")) {
    std::string command =
        "vipsthumbnail --size x100 -o " + bench::Quote(work / "thumbs") + "/%s_t.jpg";
    for (const std::string& file : files) command.append(" ").append(bench::Quote(file));
    peer = bench::BestMs(3, [&] { bench::RunCommand(command); });
  }
  std::filesystem::remove_all(work);

  std::printf("adding %d photos (read + preview + insert into SQLite): %.0f ms, %.1f ms/photo\n",
              kFiles, ours, ours / kFiles);
  if (peer > 0) {
    std::printf("vipsthumbnail --size x100 over the same files:        %.0f ms, %.1f ms/photo\n",
                peer, peer / kFiles);
    std::printf("ratio (vipsthumbnail time / our time): %.2fx\n", peer / ours);
  } else {
    std::printf("vipsthumbnail not found (scripts/install-deps.sh --bench installs it)\n");
  }
  return 0;
}
