// The file commands against their peers, in the same run:
//  - scaling 100 stored camera photos to 1600 pixels (Lanczos3) through a SQLite catalogue,
//    against `vips resize` doing the same files from disk;
//  - exporting 1,000 stored images "wie Original", against reading the same blobs through
//    the gateway and writing them with plain file writes.

#include <sys/resource.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "bench_support.h"
#include "catalogue/dispatcher.h"
#include "catalogue/result_set_guard.h"
#include "codec/image_file.h"
#include "codec/jpeg.h"
#include "codec/scale_image.h"
#include "fileops/exporting.h"
#include "fileops/scaling.h"
#include "settings/ini_plus.h"
#include "sqlite/sqlite_gateway.h"

namespace {

using namespace vemora;

class SilentPrompter : public Prompter {
 public:
  void ShowMessage(const std::string& text) override {
    std::fprintf(stderr, "message: %s\n", text.c_str());
  }
  Answer Ask(const std::string&, bool) override { return Answer::Yes; }
  std::unique_ptr<ProgressWindow> OpenWaitWindow() override { return std::make_unique<Window>(); }

 private:
  class Window : public ProgressWindow {
   public:
    void SetLabel(const std::string&) override {}
    void SetMaximum(int) override {}
    void SetPosition(int) override {}
    void Step() override {}
  };
};

class ExportEverything : public FileOpsDialogs {
 public:
  explicit ExportEverything(std::string folder) : folder_(std::move(folder)) {}
  std::optional<std::string> ChooseSaveFile(const std::string&, const std::string&) override {
    return std::nullopt;
  }
  ExportDialogResult ChooseExport(const ExportDialogRequest&) override {
    return {ExportOutcome::Marked, kConvertUnchanged, false, folder_};
  }
  ResizeDialogResult ChooseResize() override { return {}; }

 private:
  std::string folder_;
};

CatalogueSession SessionOver(TDBGateway& gateway, Prompter& prompter) {
  CatalogueSession session;
  session.gateway = &gateway;
  session.prompter = &prompter;
  return session;
}

// Processor time of this process so far (all threads), in milliseconds.
double CpuMs() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  const auto ms = [](const timeval& time) { return time.tv_sec * 1e3 + time.tv_usec / 1e3; };
  return ms(usage.ru_utime) + ms(usage.ru_stime);
}

std::string ReadAll(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// A catalogue file with one row per entry of `images`; returns the grid over it.
CatalogueGrid FillCatalogue(const std::filesystem::path& file,
                            const std::vector<std::string>& images, Prompter& prompter) {
  gateways::SqliteGateway gateway(file.string());
  gateway.CreateCatalogueTables();
  CatalogueSession session = SessionOver(gateway, prompter);
  CatalogueGrid grid;
  for (size_t i = 0; i < images.size(); ++i) {
    TRecDSBilder row;
    row.Bild = images[i];
    row.File = "bild" + std::to_string(i) + ".jpg";
    TRecCmdMDB insert;
    insert.command = kCmdInsert;
    GridRecord record;
    record.key = RunCmdMDB(session, insert, row);
    record.marked = true;
    grid.Append(record);
  }
  return grid;
}

void Scaling(const std::vector<std::filesystem::path>& photos, const std::filesystem::path& work) {
  constexpr int kPhotos = 100;
  SilentPrompter prompter;
  std::vector<std::string> files;
  std::vector<std::string> images;
  for (int i = 0; i < kPhotos; ++i) {
    files.push_back(photos[i % photos.size()].string());
    images.push_back(ReadAll(files.back()));
  }
  const auto original = work / "scaling.db";
  const CatalogueGrid grid = FillCatalogue(original, images, prompter);
  images.clear();

  ResizeDialogResult choice;
  choice.widthText = choice.heightText = "1600";
  choice.interpolate = true;
  choice.filter = 4;  // Lanczos3
  int round = 0;
  double ours = 1e300;
  double cores = 0;
  for (int run = 0; run < 2; ++run) {
    const auto copy = work / ("scaling" + std::to_string(round++) + ".db");
    std::filesystem::copy_file(original, copy);
    gateways::SqliteGateway gateway(copy.string());
    CatalogueSession session = SessionOver(gateway, prompter);
    const double cpuBefore = CpuMs();
    const double took = bench::BestMs(1, [&] { ScaleStoredImages(session, grid, choice); });
    if (took < ours) {
      ours = took;
      cores = (CpuMs() - cpuBefore) / took;
    }
    std::filesystem::remove(copy);
  }

  double peer = -1;
  if (bench::HaveTool("vips")) {
    std::string script;
    for (size_t i = 0; i < files.size(); ++i) {
      const codec::ImageInfo info = codec::ReadJpegInfo(codec::ReadFileBytes(files[i]));
      const double scale = 1600.0 / std::max(info.width, info.height);
      script.append("vips resize ").append(bench::Quote(files[i])).append(" ");
      script.append(bench::Quote(work / ("v" + std::to_string(i) + ".jpg")));
      script.append(" ").append(std::to_string(scale)).append(" --kernel lanczos3 && ");
    }
    script.append("true");
    peer = bench::BestMs(2, [&] { bench::RunCommand(script); });
  }
  std::printf("scaling %d stored photos to 1600 px (Lanczos3, SQLite): %.0f ms, %.1f ms/photo\n",
              kPhotos, ours, ours / kPhotos);
  std::printf("processor time / wall time of the run: %.2f\n", cores);
  if (peer > 0) {
    std::printf("vips resize of the same files from disk:               %.0f ms, %.1f ms/photo\n",
                peer, peer / kPhotos);
    std::printf("ratio (our time / vips time): %.2f\n", ours / peer);
  }
}

void Exporting(const std::vector<std::filesystem::path>& photos,
               const std::filesystem::path& work) {
  constexpr int kImages = 1000;
  SilentPrompter prompter;
  // Photos of a size catalogues hold after scaling: 1600 pixels, a few hundred KiB each.
  std::vector<std::string> sizes;
  codec::ScaleSettings settings;
  settings.maxWidth = settings.maxHeight = 1600;
  for (const auto& photo : photos) {
    const auto bytes = codec::ReadFileBytes(photo);
    const auto scaled =
        codec::ScaleImageBytes(bytes, codec::ImageKind::Jpeg, codec::ImageKind::Jpeg, settings);
    sizes.emplace_back(scaled->begin(), scaled->end());
  }
  std::vector<std::string> images;
  for (int i = 0; i < kImages; ++i) images.push_back(sizes[i % sizes.size()]);
  const auto file = work / "export.db";
  CatalogueGrid grid = FillCatalogue(file, images, prompter);
  gateways::SqliteGateway gateway(file.string());
  CatalogueSession session = SessionOver(gateway, prompter);
  TIniPlus settingsIni((work / "settings.ini").string());

  // Each run writes into a new, empty folder, as an export into a new folder does: replacing
  // a thousand files costs the file system more than creating them, whoever writes.
  const auto ourFolder = work / "ours";
  const auto plainFolder = work / "plain";
  double ours = 1e300;
  double plain = 1e300;
  for (int run = 0; run < 4; ++run) {
    std::filesystem::remove_all(ourFolder);
    std::filesystem::remove_all(plainFolder);
    std::filesystem::create_directories(ourFolder);
    std::filesystem::create_directories(plainFolder);
    ExportEverything dialogs(ourFolder.string());
    const auto runOurs = [&] {
      ours = std::min(ours,
                      bench::BestMs(1, [&] { ExportImages(session, grid, settingsIni, dialogs); }));
    };
    const auto runPlain = [&] {
      plain = std::min(
          plain, bench::BestMs(1, [&] {
            for (const GridRecord& record : grid.records()) {
              ResultSetGuard query(gateway.OpenSQL(
                  "SELECT Bild,[File] FROM Bilder WHERE BildCtr2=" + std::to_string(record.key), 0,
                  0));
              const std::string name = query->FieldByName("File").AsString();
              const std::string bytes = query->FieldByName("Bild").AsString();
              std::ofstream(plainFolder / name, std::ios::binary)
                  .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
            }
          }));
    };
    // Whoever writes second meets the first one's pages still being written out: take turns.
    if (run % 2 == 0) {
      runOurs();
      runPlain();
    } else {
      runPlain();
      runOurs();
    }
  }
  int identical = 0;
  for (int i = 0; i < kImages; ++i)
    identical += ReadAll(ourFolder / ("bild" + std::to_string(i) + ".jpg")) ==
                 images[static_cast<size_t>(i)];
  std::printf("exporting %d stored images as they are:   %.0f ms (%d of %d byte-identical)\n",
              kImages, ours, identical, kImages);
  std::printf("reading the blobs and plain file writes:  %.0f ms\n", plain);
  std::printf("ratio (our time / plain time): %.2f\n", ours / plain);
}

}  // namespace

int main(int argc, char** argv) {
  const auto photos = bench::RequireBenchPhotos();
  const auto work = bench::ScratchFolder("fileops");
  const std::string which = argc > 1 ? argv[1] : "all";
  if (which == "all" || which == "export") Exporting(photos, work);
  if (which == "all" || which == "scale") Scaling(photos, work);
  std::filesystem::remove_all(work);
  return 0;
}
