// Two hosts on one PostgreSQL catalogue: how soon a row one host adds shows in the other's
// window, and what the update costs the window's thread.
//
// usage: bench_live [ROWS] [INSERTS]   (VEMORA_PG_CONNINFO names the server)
//   Fills a schema of its own with ROWS rows (default 10,000), each with a real JPEG image
//   and preview, opens the main window (TForm1, offscreen) over it, and lets a second host
//   on another thread and connection add INSERTS rows (default 20) one by one, as the
//   adding command does, a little apart. For each row it reports the time from the insert's
//   commit until the window's grid holds it, and the time the window's thread spent in the
//   poll that brought it (the whole poll: feed, reading the row, grid and view update).
//   The schema is dropped at the end.
#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QTimer>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <thread>
#include <vector>

#include "catalogue/dispatcher.h"
#include "codec/jpeg.h"
#include "codec/preview.h"
#include "postgres/postgres_gateway.h"
#include "ui/main_window.h"

namespace {

using Clock = std::chrono::steady_clock;
using vemora::TDBValue;

double Milliseconds(Clock::duration duration) {
  return std::chrono::duration<double, std::milli>(duration).count();
}

std::string Picture() {
  vemora::codec::Image image;
  image.width = 640;
  image.height = 480;
  image.pixels.resize(image.RowBytes() * static_cast<size_t>(image.height));
  for (size_t i = 0; i < image.pixels.size(); ++i) image.pixels[i] = static_cast<uint8_t>(i * 7);
  const auto bytes = vemora::codec::EncodeJpeg(image);
  return std::string(bytes.begin(), bytes.end());
}

void Fill(vemora::TDBGateway& gateway, int rows, const std::string& picture) {
  const std::string preview = vemora::codec::MakePreviewJpeg(picture);
  gateway.ExecSQLParams(
      "INSERT INTO Bilder (Name, Beschreibung, TextTop, TextBottom, TextLeft, TextRight, Path, "
      "[File], Suchbegriffe, Bild, VsBild, BildCtr2) SELECT 'bild' || g, 'Beschreibung ' || g, "
      "'oben', 'unten', 'links', 'rechts', '/home/bilder/', 'bild' || g || '.jpg', 'Urlaub', "
      ":p1, :p2, g FROM generate_series(1, " +
          std::to_string(rows) + ") AS g",
      {vemora::AsBlobParam(picture), vemora::AsBlobParam(preview)}, 1, 4);
}

struct Sample {
  double appearMs = 0;
  double pollMs = 0;
};

void Report(const char* what, std::vector<double> values) {
  std::sort(values.begin(), values.end());
  std::printf("%-46s median %7.1f ms   max %7.1f ms\n", what, values[values.size() / 2],
              values.back());
}

}  // namespace

int main(int argc, char** argv) {
  const int rows = argc > 1 ? std::atoi(argv[1]) : 10000;
  const int inserts = argc > 2 ? std::atoi(argv[2]) : 20;
  const char* server = std::getenv("VEMORA_PG_CONNINFO");
  if (server == nullptr || *server == '\0') {
    std::fprintf(stderr, "bench_live: set VEMORA_PG_CONNINFO (scripts/pg-test-server.sh)\n");
    return 2;
  }
  if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QApplication application(argc, argv);
  const std::string schema = "vemora_bench_live";
  const std::string conninfo = std::string(server) + " options='-c search_path=" + schema + "'";
  const std::filesystem::path settings =
      std::filesystem::temp_directory_path() / "vemora_bench_live";
  std::filesystem::create_directories(settings / "Temp" / "Vemora");
  int status = 0;
  try {
    {
      vemora::gateways::PostgresGateway admin(server);
      admin.ExecSQL("DROP SCHEMA IF EXISTS " + schema + " CASCADE; CREATE SCHEMA " + schema, 4);
    }
    const std::string picture = Picture();
    vemora::gateways::PostgresGateway windowGateway(conninfo);
    windowGateway.CreateCatalogueTables();
    Fill(windowGateway, rows, picture);

    vemora::CallOptions options;
    options.settingsFolder = settings.string() + "/";
    options.imageFolder = "/home/bilder";
    options.tempFolder = options.settingsFolder + "Temp/Vemora/";
    options.gateway = &windowGateway;
    options.multiSelect = true;
    vemora::ui::TForm1 form(nullptr, options);
    const auto openStart = Clock::now();
    form.show();
    auto* count = form.findChild<QLabel*>("countLabel");
    while (count->text().isEmpty()) QApplication::processEvents(QEventLoop::AllEvents, 10);
    std::printf("%d rows, window usable after %.0f ms\n", form.grid().Count(),
                Milliseconds(Clock::now() - openStart));

    // The poll's time on the window's thread: from the timer's event to the end of its slot.
    auto* timer = form.findChild<QTimer*>("liveRefreshTimer");
    Clock::time_point pollStart;
    Clock::duration lastPoll{};
    struct PollStart : QObject {
      Clock::time_point* start;
      explicit PollStart(Clock::time_point* s) : start(s) {}
      bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Timer) *start = Clock::now();
        return false;
      }
    } filter(&pollStart);
    timer->installEventFilter(&filter);
    QObject::connect(timer, &QTimer::timeout, [&] { lastPoll = Clock::now() - pollStart; });

    std::atomic<int> committed{0};
    std::vector<Clock::time_point> commitTimes(static_cast<size_t>(inserts));
    std::thread otherHost([&] {
      vemora::gateways::PostgresGateway gateway(conninfo);
      vemora::CatalogueSession session;
      session.gateway = &gateway;
      session.fileColumn = "FILE";
      const std::string preview = vemora::codec::MakePreviewJpeg(picture);
      for (int i = 0; i < inserts; ++i) {
        // Apart by more than a poll, at a moment unrelated to the window's timer.
        std::this_thread::sleep_for(std::chrono::milliseconds(700 + 37 * (i % 7)));
        vemora::TRecDSBilder row;
        row.Name = "fremd" + std::to_string(i);
        row.File = row.Name + ".jpg";
        row.Path = "/home/bilder/";
        row.Bild = picture;
        row.VsBild = preview;
        vemora::TRecCmdMDB insert;
        insert.command = vemora::kCmdInsert;
        vemora::RunCmdMDB(session, insert, row);
        commitTimes[static_cast<size_t>(i)] = Clock::now();
        committed.store(i + 1);
      }
    });

    std::vector<Sample> samples;
    const int base = form.grid().Count();
    while (static_cast<int>(samples.size()) < inserts) {
      QApplication::processEvents(QEventLoop::AllEvents, 5);
      const int seen = form.grid().Count() - base;
      while (static_cast<int>(samples.size()) < seen &&
             static_cast<int>(samples.size()) < committed.load()) {
        const auto now = Clock::now();
        samples.push_back(
            {Milliseconds(now - commitTimes[samples.size()]), Milliseconds(lastPoll)});
      }
    }
    otherHost.join();

    std::vector<double> appear, poll;
    for (const Sample& sample : samples) {
      appear.push_back(sample.appearMs);
      poll.push_back(sample.pollMs);
    }
    std::printf("%d rows added by the other host, one by one\n", inserts);
    Report("insert committed -> row in the window's grid", appear);
    Report("window thread: the poll that brought the row", poll);
    form.close();
  } catch (const std::exception& error) {
    std::fprintf(stderr, "bench_live: %s\n", error.what());
    status = 1;
  }
  try {
    vemora::gateways::PostgresGateway(server).ExecSQL(
        "DROP SCHEMA IF EXISTS " + schema + " CASCADE", 4);
  } catch (const std::exception&) {
  }
  std::filesystem::remove_all(settings);
  return status;
}
