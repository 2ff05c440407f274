// The catalogue load and the main window on a large catalogue with previews.
//
// usage: bench_window [ROWS] [FOLDER] [headless|window|all] [sqlite|postgres]
//   Builds (once) a catalogue of ROWS rows (default 10,000), every row with a real JPEG
//   image and a real JPEG preview: a SQLite file in FOLDER (default /tmp/vemora_bench_window),
//   or, with "postgres", schema vemora_bench_window on the server VEMORA_PG_CONNINFO names.
//   Then measures:
//   - the headless load path (LoadCatalogue) against the engine's own client reading the
//     same columns to /dev/null (the sqlite3 shell; psql with a binary COPY), median of nine
//     runs each in a row and by turns, in wall time and in this process's CPU time against
//     the client's (the PostgreSQL server's share is in neither), and its memory growth
//     against the preview bytes;
//   - the wait window's step with the event loop run every row and at most every 16 ms;
//   - the whole window (TForm1) until it is usable and until every preview is in (on a
//     shared catalogue they come after the rows), its memory growth then, whether the wait
//     window advanced during the load, and scrolling the grid and the thumbnail strip
//     from the first record to the last, page by page.
// Runs offscreen unless QT_QPA_PLATFORM says otherwise (DISPLAY=:99 QT_QPA_PLATFORM=xcb
// under Xvfb measures a real X server).
#include <malloc.h>
#include <sys/resource.h>
#include <time.h>

#include <QApplication>
#include <QLabel>
#include <QPixmapCache>
#include <QProgressBar>
#include <QScrollBar>
#include <QTableView>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "catalogue/catalogue_load.h"
#include "codec/jpeg.h"
#include "codec/preview.h"
#include "gateways/catalogue_rows.h"
#include "host/take_over.h"
#include "postgres/postgres_gateway.h"
#include "settings/ini_plus.h"
#include "settings/settings_keys.h"
#include "sqlite/sqlite_gateway.h"
#include "ui/main_window.h"
#include "ui/thumbnail_strip.h"
#include "ui/wait_window.h"

namespace {

using Clock = std::chrono::steady_clock;
using vemora::TDBValue;

// The machine's speed drifts by a tenth and more from one run to the next; nine runs keep the
// medians steady.
constexpr int kRuns = 9;
constexpr int kDistinctImages = 32;

double Seconds(Clock::time_point since) {
  return std::chrono::duration<double>(Clock::now() - since).count();
}

// CPU seconds of this process, and of its finished children.
double ProcessCpuSeconds() {
  timespec now{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) + now.tv_nsec / 1e9;
}

double ChildrenCpuSeconds() {
  rusage usage{};
  getrusage(RUSAGE_CHILDREN, &usage);
  auto seconds = [](const timeval& time) { return time.tv_sec + time.tv_usec / 1e6; };
  return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

struct Timing {
  double wall = 0;
  double cpu = 0;
};

// A contender in a timed comparison: what it runs and the clock its CPU time is read from.
struct Contender {
  std::function<void()> run;
  double (*cpuClock)() = ProcessCpuSeconds;
};

// Medians of wall time and of CPU time of both contenders, run five times each: all of the
// first's runs, then the second's, or by turns. Run in a row, a load finds the memory the
// previous one freed still at hand; by turns, each run follows the other contender's, as a
// load follows other work.
enum class Order { InARow, ByTurns };
std::pair<Timing, Timing> Medians(const Contender& first, const Contender& second, Order order) {
  std::vector<double> walls[2], cpus[2];
  auto runOnce = [&](int which) {
    const Contender& contender = which == 0 ? first : second;
    const auto start = Clock::now();
    const double cpuStart = contender.cpuClock();
    contender.run();
    cpus[which].push_back(contender.cpuClock() - cpuStart);
    walls[which].push_back(Seconds(start));
  };
  for (int i = 0; i < 2 * kRuns; ++i) runOnce(order == Order::ByTurns ? i % 2 : i / kRuns);
  auto median = [](std::vector<double>& values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
  };
  return {{median(walls[0]), median(cpus[0])}, {median(walls[1]), median(cpus[1])}};
}

// One engine's catalogue: how to open it and how its own client reads the load's columns.
struct Engine {
  std::string name;  // "SQLite", "PostgreSQL"
  std::function<std::unique_ptr<vemora::TDBGateway>()> open;
  std::string peerName;  // as the summary line names it
  std::function<void()> runPeer;
};

// The columns the load reads, as the engines' clients read them.
constexpr const char* kPeerQuery =
    "SELECT BildCtr2, Name, Beschreibung, TextTop, TextBottom, TextLeft, TextRight, File, "
    "Suchbegriffe, VsBild, Bild IS NULL FROM Bilder";

void RunCommand(const std::string& command) {
  if (std::system(command.c_str()) != 0) throw std::runtime_error("failed: " + command);
}

long ResidentKiB() {
  std::ifstream statm("/proc/self/statm");
  long pages = 0, resident = 0;
  statm >> pages >> resident;
  return resident * 4;
}

// A landscape of one of a few shades: real JPEG bytes as a camera would leave them.
std::string Picture(int width, int height, int seed) {
  vemora::codec::Image image;
  image.width = width;
  image.height = height;
  image.pixels.resize(image.RowBytes() * static_cast<size_t>(height));
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      uint8_t* pixel = image.Row(y) + x * 3;
      pixel[0] = static_cast<uint8_t>(seed * 37 + y);
      pixel[1] = static_cast<uint8_t>(seed * 11 + x + (y > height / 2 ? 80 : 0));
      pixel[2] = static_cast<uint8_t>(200 - y / 2 + seed);
    }
  const auto bytes = vemora::codec::EncodeJpeg(image);
  return std::string(bytes.begin(), bytes.end());
}

int CountRows(vemora::TDBGateway& gateway) {
  try {
    vemora::TDBResultSet* rows = gateway.OpenSQL("SELECT * FROM Bilder", 0, 0);
    const int count = rows->RecordCount();
    rows->Close();
    return count;
  } catch (const std::exception&) {
    return -1;
  }
}

void Fill(vemora::TDBGateway& gateway, int rows) {
  std::vector<std::string> images, previews;
  for (int i = 0; i < kDistinctImages; ++i) {
    images.push_back(Picture(240, 160, i));
    previews.push_back(vemora::codec::MakePreviewJpeg(images.back()));
  }
  gateway.ExecSQL("BEGIN", 4);
  for (int i = 0; i < rows; ++i) {
    const std::string name = "Bild " + std::to_string(i);
    const size_t which = static_cast<size_t>(i % kDistinctImages);
    vemora::testing::InsertCatalogueRow(gateway, name, images[which], previews[which], i + 1);
  }
  gateway.ExecSQL("COMMIT", 4);
}

class SilentPrompter : public vemora::Prompter {
 public:
  void ShowMessage(const std::string&) override {}
  vemora::Answer Ask(const std::string&, bool) override { return vemora::Answer::Yes; }
  std::unique_ptr<vemora::ProgressWindow> OpenWaitWindow() override {
    return std::make_unique<Window>();
  }

 private:
  struct Window : vemora::ProgressWindow {
    void SetLabel(const std::string&) override {}
    void SetMaximum(int) override {}
    void SetPosition(int) override {}
    void Step() override {}
  };
};

size_t PreviewBytes(const vemora::CatalogueGrid& grid) {
  size_t bytes = 0;
  for (const auto& record : grid.records()) bytes += record.preview.size();
  return bytes;
}

void BenchHeadlessLoad(const Engine& engine) {
  const std::unique_ptr<vemora::TDBGateway> gateway = engine.open();
  SilentPrompter prompter;
  vemora::CatalogueSession session;
  session.gateway = gateway.get();
  session.prompter = &prompter;
  session.imageFolder = "/home/bilder";
  const long before = ResidentKiB();
  vemora::CatalogueGrid grid;
  vemora::LoadCatalogue(session, grid, {});
  const long growth = ResidentKiB() - before;
  const size_t previews = PreviewBytes(grid);
  auto loadAgain = [&] {
    vemora::CatalogueGrid fresh;
    vemora::LoadCatalogue(session, fresh, {});
  };
  const Contender ours{loadAgain}, theirs{engine.runPeer, ChildrenCpuSeconds};
  const auto [load, peer] = Medians(ours, theirs, Order::InARow);
  // The SQLite line keeps the words it has always printed, so figures stay comparable.
  const std::string what = engine.name == "SQLite" ? "" : " (" + engine.name + ")";
  std::printf("headless load%s: %8.1f ms   %s %8.1f ms   ratio %.2f\n", what.c_str(),
              load.wall * 1000, engine.peerName.c_str(), peer.wall * 1000, load.wall / peer.wall);
  std::printf("headless load%s cpu: %8.1f ms   %s cpu %8.1f ms   ratio %.2f\n", what.c_str(),
              load.cpu * 1000, engine.peerName.c_str(), peer.cpu * 1000, load.cpu / peer.cpu);
  const auto [loadByTurns, peerByTurns] = Medians(ours, theirs, Order::ByTurns);
  std::printf("headless load%s by turns: %8.1f ms   %s %8.1f ms   ratio %.2f\n", what.c_str(),
              loadByTurns.wall * 1000, engine.peerName.c_str(), peerByTurns.wall * 1000,
              loadByTurns.wall / peerByTurns.wall);
  std::printf("headless load memory: +%ld KiB for %zu KiB of previews (%.2fx)\n", growth,
              previews / 1024, growth / (previews / 1024.0));
}

void BenchWaitWindowStep(int rows) {
  for (int interval : {0, 16}) {
    vemora::ui::TFWaitLoad wait(nullptr);
    wait.SetEventInterval(interval);
    wait.progressBar()->setMaximum(rows);
    wait.progressBar()->setValue(0);
    wait.show();
    QApplication::processEvents();
    const auto start = Clock::now();
    for (int i = 0; i < rows; ++i) wait.Step();
    std::printf("wait window, %d steps, events %s: %8.1f ms\n", rows,
                interval == 0 ? "every row     " : "every 16 ms at most", Seconds(start) * 1000);
  }
}

void BenchWindow(const Engine& engine, const std::filesystem::path& folder) {
  const std::unique_ptr<vemora::TDBGateway> gateway = engine.open();
  const std::string settings = (folder / "settings").string() + "/";
  std::filesystem::create_directories(settings + "Temp/Vemora");
  {
    // A first window over an empty catalogue warms up what every window costs (fonts,
    // styles, the platform plugin), so the growth below is what the catalogue brings.
    vemora::gateways::SqliteGateway empty((folder / "empty.db").string());
    if (CountRows(empty) < 0) empty.CreateCatalogueTables();
    vemora::CallOptions options;
    options.settingsFolder = settings;
    options.imageFolder = "/home/bilder";
    options.tempFolder = settings + "Temp/Vemora/";
    options.gateway = &empty;
    vemora::ui::TForm1 warmUp(nullptr, options);
    warmUp.show();
    auto* label = warmUp.findChild<QLabel*>("countLabel");
    while (label->text().isEmpty()) QApplication::processEvents(QEventLoop::AllEvents, 5);
    warmUp.close();
  }
  QApplication::processEvents();
  const long before = ResidentKiB();
  const auto start = Clock::now();
  const double cpuStart = ProcessCpuSeconds();
  vemora::CallOptions options;
  options.settingsFolder = settings;
  options.imageFolder = "/home/bilder";
  options.tempFolder = settings + "Temp/Vemora/";
  options.gateway = gateway.get();
  options.hostId = 0;
  options.multiSelect = true;
  vemora::ui::TForm1 form(nullptr, options);

  // Samples the wait window's bar while the load runs.
  std::vector<int> progress;
  QTimer sampler;
  QObject::connect(&sampler, &QTimer::timeout, [&] {
    for (QWidget* widget : QApplication::topLevelWidgets())
      if (widget->objectName() == "TFWaitLoad" && widget->isVisible())
        if (auto* bar = widget->findChild<QProgressBar*>()) progress.push_back(bar->value());
  });
  sampler.start(50);
  form.show();
  auto* count = form.findChild<QLabel*>("countLabel");
  while (count->text().isEmpty()) QApplication::processEvents(QEventLoop::AllEvents, 5);
  const double usable = Seconds(start);
  const double usableCpu = ProcessCpuSeconds() - cpuStart;
  sampler.stop();
  // Previews read apart from the rows come while the window is already in use.
  while (form.grid().PreviewsPending()) QApplication::processEvents(QEventLoop::AllEvents, 5);
  const double previewsIn = Seconds(start);
  QApplication::processEvents();
  const long growth = ResidentKiB() - before;
  const size_t previews = PreviewBytes(form.grid());
  std::printf("window usable after %8.1f ms (%s%s)\n", usable * 1000,
              QApplication::platformName().toUtf8().constData(),
              engine.name == "SQLite" ? "" : (", " + engine.name).c_str());
  std::printf("window usable after %8.1f ms of CPU time\n", usableCpu * 1000);
  std::printf("window previews all in after %8.1f ms\n", previewsIn * 1000);
  std::printf("window memory: +%ld KiB for %zu KiB of previews (%.2fx)\n", growth, previews / 1024,
              growth / (previews / 1024.0));
  std::printf("wait window bar sampled %zu times while loading, first %d, last %d\n",
              progress.size(), progress.empty() ? -1 : progress.front(),
              progress.empty() ? -1 : progress.back());

  // "Übernehmen" pairs a fresh query's rows with the records to hand the marked keys back.
  {
    std::vector<bool> marks(static_cast<size_t>(form.grid().Count()), false);
    marks.back() = true;
    const auto takeOver = Clock::now();
    const std::vector<int32_t> keys = vemora::CollectMarkedKeys(*gateway, marks);
    std::printf("take-over of the last of %zu records: %8.1f ms\n", marks.size(),
                Seconds(takeOver) * 1000);
    if (keys.size() != 1) std::printf("take-over found %zu keys, not 1\n", keys.size());
  }

  // Scrolling: every page from the first record to the last, painted at once. BENCH_NO_SCROLL
  // leaves it out, so that a profile of the load is not drowned by painting.
  if (std::getenv("BENCH_NO_SCROLL")) {
    form.close();
    return;
  }
  auto scroll = [&](QAbstractScrollArea* view, const char* what) {
    QScrollBar* bar = view->verticalScrollBar();
    bar->setValue(0);
    QApplication::processEvents();
    std::vector<double> pages;
    for (int value = 0;; value += bar->pageStep()) {
      const auto page = Clock::now();
      bar->setValue(std::min(value, bar->maximum()));
      view->viewport()->repaint();
      QApplication::processEvents();
      pages.push_back(Seconds(page) * 1000);
      if (value >= bar->maximum()) break;
    }
    std::sort(pages.begin(), pages.end());
    double total = 0;
    for (double page : pages) total += page;
    std::printf("%s scroll: %zu pages, mean %.2f ms, median %.2f ms, max %.2f ms\n", what,
                pages.size(), total / pages.size(), pages[pages.size() / 2], pages.back());
  };
  scroll(form.findChild<QTableView*>("cxGrid1"), "grid");
  {
    // The strip shown for good while it scrolls: folded, as it starts, it holds one page.
    vemora::TIniPlus ini(settings + std::string(vemora::kSettingsFileName));
    ini.WriteInteger(vemora::kSectionSettings, vemora::kKeyThumbsVisible, 1);
    form.ApplySettings();
    scroll(form.findChild<vemora::ui::ThumbnailListView*>("thumbnailStrip"), "thumbnails");
    ini.DeleteKey(vemora::kSectionSettings, vemora::kKeyThumbsVisible);
  }
  std::printf("memory after scrolling: +%ld KiB\n", ResidentKiB() - before);
  if (std::getenv("BENCH_TRIM")) {
    malloc_trim(0);
    std::printf("memory after scrolling, heap trimmed: +%ld KiB\n", ResidentKiB() - before);
  }
  form.close();
}

// The SQLite catalogue in `folder`, built when it does not hold `rows` rows.
Engine SqliteEngine(const std::filesystem::path& folder, int rows) {
  const std::string file = (folder / ("catalogue_" + std::to_string(rows) + ".db")).string();
  {
    vemora::gateways::SqliteGateway gateway(file);
    if (CountRows(gateway) != rows) {
      std::printf("building a catalogue of %d rows in %s...\n", rows, file.c_str());
      gateway.CreateCatalogueTables();
      Fill(gateway, rows);
    }
  }
  return {"SQLite", [file] { return std::make_unique<vemora::gateways::SqliteGateway>(file); },
          "sqlite3 shell",
          [file] { RunCommand("sqlite3 '" + file + "' '" + kPeerQuery + "' > /dev/null"); }};
}

// The PostgreSQL catalogue in schema vemora_bench_window, built when it does not hold `rows`
// rows.
Engine PostgresEngine(const std::string& base, int rows) {
  const std::string conninfo = base + " options='-c search_path=vemora_bench_window'";
  {
    vemora::gateways::PostgresGateway admin(base);
    admin.ExecSQL("CREATE SCHEMA IF NOT EXISTS vemora_bench_window", 4);
    vemora::gateways::PostgresGateway gateway(conninfo);
    if (CountRows(gateway) != rows) {
      std::printf("building a catalogue of %d rows in schema vemora_bench_window...\n", rows);
      gateway.ExecSQL("DROP TABLE IF EXISTS Bilder; DROP TABLE IF EXISTS BildFilt", 4);
      gateway.CreateCatalogueTables();
      Fill(gateway, rows);
      gateway.ExecSQL("VACUUM ANALYZE Bilder", 4);
    }
  }
  return {"PostgreSQL",
          [conninfo] { return std::make_unique<vemora::gateways::PostgresGateway>(conninfo); },
          "psql COPY binary",
          [conninfo] {
            RunCommand("psql \"" + conninfo + "\" -X -q -c 'COPY (" + kPeerQuery +
                       ") TO STDOUT (FORMAT binary)' > /dev/null");
          }};
}

}  // namespace

int main(int argc, char** argv) {
  const int rows = argc > 1 ? std::atoi(argv[1]) : 10000;
  const std::filesystem::path folder = argc > 2 ? argv[2] : "/tmp/vemora_bench_window";
  // Memory is measured best in a process of its own: pass one part to run only it.
  const std::string part = argc > 3 ? argv[3] : "";
  const std::string engineName = argc > 4 ? argv[4] : "sqlite";
  if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QApplication application(argc, argv);
  if (const char* limit = std::getenv("BENCH_PIXMAPCACHE"))
    QPixmapCache::setCacheLimit(std::atoi(limit));
  try {
    std::filesystem::create_directories(folder);
    Engine engine;
    if (engineName == "postgres") {
      const char* conninfo = std::getenv("VEMORA_PG_CONNINFO");
      if (conninfo == nullptr || *conninfo == '\0')
        throw std::runtime_error("postgres needs VEMORA_PG_CONNINFO");
      engine = PostgresEngine(conninfo, rows);
    } else {
      engine = SqliteEngine(folder, rows);
    }
    std::printf("%d rows, median of %d runs where repeated\n", rows, kRuns);
    if (part != "window") {
      BenchHeadlessLoad(engine);
      BenchWaitWindowStep(rows);
    }
    if (part != "headless") BenchWindow(engine, folder);
  } catch (const std::exception& error) {
    std::fprintf(stderr, "bench_window: %s\n", error.what());
    return 1;
  }
  return 0;
}
