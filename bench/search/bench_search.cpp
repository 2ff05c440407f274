// The search on a large snapshot: a three-term, whole-word, case-insensitive search over
// 100,000 rows of German texts; filling the result list with 100,000 matches; and a size
// search over 1,000 camera JPEGs (files opened, bytes read).
#include <QApplication>
#include <QHeaderView>
#include <QTableView>
#include <cstdio>
#include <ctime>
#include <fstream>
#include <random>

#include "bench_support.h"
#include "search/search_snapshot.h"
#include "ui/search_result_model.h"

namespace {

using vemora::SearchOptionSet;
using vemora::SearchRow;

const char* const kWords[] = {
    "Urlaub",  "Garten",    "Haus",      "Straße",   "Müller",    "Grüße",  "Köln",
    "München", "Baustelle", "Übersicht", "Lageplan", "Grundriss", "Dach",   "Fenster",
    "Tür",     "Küche",     "Bäume",     "Wiese",    "Brücke",    "Fluss",  "Ansicht",
    "Süd",     "Nord",      "Familie",   "Feier",    "Hochzeit",  "Hund",   "Katze",
    "Auto",    "Werkstatt", "Büro",      "Planung",  "Entwurf",   "Skizze", "Zeichnung",
    "Firma",   "Logo",      "Sommer",    "Winter",   "Schnee",    "Strand", "Meer"};

std::string Words(std::mt19937& random, int count, const char* separator) {
  std::string text;
  for (int i = 0; i < count; ++i) {
    if (i > 0) text += separator;
    text += kWords[random() % std::size(kWords)];
    if (random() % 4 == 0) text += "-" + std::to_string(random() % 100);
  }
  return text;
}

std::vector<SearchRow> GermanRows(int count) {
  std::mt19937 random(7);
  std::vector<SearchRow> rows(static_cast<size_t>(count));
  for (int i = 0; i < count; ++i) {
    SearchRow& row = rows[static_cast<size_t>(i)];
    row.rowIndex = i;
    row.name = Words(random, 2, " ");
    row.description = Words(random, 12, " ");
    row.filePath =
        "/bilder/projekte/" + Words(random, 2, "_") + "/IMG_" + std::to_string(i) + ".JPG";
    row.keywords = Words(random, 3, "\r\n");
    row.captionTop = Words(random, 2, " ");
    row.captionBottom = Words(random, 1, " ");
  }
  return rows;
}

long ReadBytesSoFar() {
  std::ifstream io("/proc/self/io");
  std::string key;
  long value = 0;
  while (io >> key >> value) {
    if (key == "rchar:") return value;
  }
  return -1;
}

// The machine is shared: besides the wall time (BestMs) the thread's own CPU time shows
// what the work costs without the other jobs' waiting.
struct Timing {
  double wall = 1e300;
  double cpu = 1e300;
  std::string Text() const {
    char text[64];
    std::snprintf(text, sizeof text, "%.1f ms (CPU %.1f ms)", wall, cpu);
    return text;
  }
};

double ThreadCpuMs() {
  timespec now{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return now.tv_sec * 1e3 + now.tv_nsec / 1e6;
}

// Fastest of `runs`, by wall time and by CPU time.
Timing Measure(int runs, const std::function<void()>& step) {
  Timing best;
  for (int i = 0; i < runs; ++i) {
    const double cpuStart = ThreadCpuMs();
    best.wall = std::min(best.wall, vemora::bench::BestMs(1, step));
    best.cpu = std::min(best.cpu, ThreadCpuMs() - cpuStart);
  }
  return best;
}

class CountingFiles : public vemora::SearchFileReader {
 public:
  double FileDate(const std::string& path) override { return disk_.FileDate(path); }
  std::optional<vemora::PixelSize> ImageSize(const std::string& path) override {
    ++opened;
    return disk_.ImageSize(path);
  }
  int opened = 0;

 private:
  vemora::DiskFileReader disk_;
};

}  // namespace

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  const int kRows = 100000;

  // Text search.
  {
    vemora::SearchSnapshot snapshot(GermanRows(kRows));
    SearchOptionSet options;
    options.TextArt1 = vemora::kTermPlain;
    options.Text1 = "garten";
    options.TextArt2 = vemora::kConnectAnd;
    options.Text2 = "HAUS";
    options.TextArt3 = vemora::kConnectOr;
    options.Text3 = "brücke";
    options.GanzeWoerter = true;
    CountingFiles files;
    int matches = 0;
    vemora::CatalogueGrid grid;
    for (const SearchRow& row : snapshot.Rows()) {
      vemora::GridRecord record;
      record.name = row.name;
      record.beschreibung = row.description;
      record.filePath = row.filePath;
      record.suchbegriffe = row.keywords;
      record.textTop = row.captionTop;
      record.textBottom = row.captionBottom;
      grid.Append(std::move(record));
    }
    const Timing take = Measure(1, [&] { vemora::SearchSnapshot(grid, -1); });
    const Timing prepare = Measure(1, [&] { snapshot.PrepareCaseFolding(); });
    std::printf("dialog opening, %d rows: snapshot of the grid %s, its upper-cased texts %s\n",
                kRows, take.Text().c_str(), prepare.Text().c_str());
    const Timing first =
        Measure(1, [&] { matches = vemora::RunSearch(snapshot, options, files, 0); });
    const Timing again = Measure(5, [&] { vemora::RunSearch(snapshot, options, files, 0); });
    std::printf(
        "text search, 3 terms, whole words, any case, %d rows: first %s, then %s; %d matches\n",
        kRows, first.Text().c_str(), again.Text().c_str(), matches);
    options.GrossKlein = true;
    const Timing matchCase = Measure(5, [&] { vemora::RunSearch(snapshot, options, files, 0); });
    std::printf("same search, matching case: %s\n", matchCase.Text().c_str());
  }

  // Result list with every row matching.
  {
    vemora::SearchSnapshot snapshot(GermanRows(kRows));
    vemora::ui::SearchResultModel model(snapshot);
    QTableView view;
    view.verticalHeader()->hide();
    view.verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    view.setModel(&model);
    view.resize(600, 400);
    view.show();
    QApplication::processEvents();
    const Timing fill = Measure(5, [&] {
      model.Fill();
      QApplication::processEvents();
    });
    std::printf("result list filled with %d matches and shown: %s\n", model.rowCount(),
                fill.Text().c_str());
  }

  // Size search over camera files, twice.
  {
    const auto photos = vemora::bench::RequireBenchPhotos();
    const auto folder = vemora::bench::ScratchFolder("search");
    std::vector<SearchRow> rows(1000);
    for (size_t i = 0; i < rows.size(); ++i) {
      rows[i].rowIndex = static_cast<int>(i);
      rows[i].filePath = (folder / ("photo" + std::to_string(i) + ".JPG")).string();
      std::filesystem::create_symlink(photos[i % photos.size()], rows[i].filePath);
    }
    vemora::SearchSnapshot snapshot(std::move(rows));
    SearchOptionSet options;
    options.Breite = true;
    options.BreiteWert = 4500;
    CountingFiles files;
    const long before = ReadBytesSoFar();
    int first = 0, second = 0;
    const Timing firstMs =
        Measure(1, [&] { first = vemora::RunSearch(snapshot, options, files, 0); });
    const long afterFirst = ReadBytesSoFar();
    options.Hoehe = true;
    options.HoeheWert = 3500;
    const Timing secondMs =
        Measure(1, [&] { second = vemora::RunSearch(snapshot, options, files, 0); });
    std::printf(
        "size search over 1000 camera JPEGs: %s (%d wider than 4500), then %s "
        "(%d also higher than 3500); files opened %d; read %.1f KiB per file\n",
        firstMs.Text().c_str(), first, secondMs.Text().c_str(), second, files.opened,
        (afterFirst - before) / 1024.0 / 1000.0);
    std::filesystem::remove_all(folder);
  }
  return 0;
}
