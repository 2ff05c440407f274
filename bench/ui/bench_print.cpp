// "Alles Drucken" of a large catalogue into a PDF file: time and memory.
//
// usage: bench_print [ROWS] [FILE]
//   Fills the grid records with ROWS rows (default 1,000), each with its own real JPEG
//   preview and the texts of every column, and prints the grid report in the grid's default
//   view into FILE (default /tmp/vemora_bench_print.pdf). Prints the time of the print, the
//   peak growth of the resident memory during it against the previews' bytes, and the
//   pages written. Goals: under 5 s, and under 2x the previews' bytes.
#include <malloc.h>

#include <QApplication>
#include <QPrinter>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "codec/jpeg.h"
#include "codec/preview.h"
#include "ui/grid_model.h"
#include "ui/grid_report.h"
#include "ui/grid_view.h"
#include "ui/preview_cache.h"
#include "ui/print_job.h"

namespace {

using Clock = std::chrono::steady_clock;

// A field of /proc/self/status in KiB ("VmRSS", "VmHWM").
long StatusKiB(const std::string& field) {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line))
    if (line.rfind(field + ":", 0) == 0)
      return std::strtol(line.c_str() + field.size() + 1, nullptr, 10);
  return -1;
}

// Starts a new peak: the kernel sets the high-water mark back to the current size.
bool ResetPeak() {
  std::ofstream clear("/proc/self/clear_refs");
  clear << "5";
  return static_cast<bool>(clear.flush());
}

std::string Preview(int seed) {
  vemora::codec::Image image;
  image.width = 320;
  image.height = 240;
  image.pixels.resize(image.RowBytes() * static_cast<size_t>(image.height));
  for (int y = 0; y < image.height; ++y)
    for (int x = 0; x < image.width; ++x) {
      uint8_t* pixel = image.Row(y) + x * 3;
      // Some fine detail, so a preview weighs what a photograph's does.
      const uint32_t noise =
          (static_cast<uint32_t>(x * 73856093) ^ static_cast<uint32_t>(y * 19349663) ^
           static_cast<uint32_t>(seed * 83492791)) %
          48;
      pixel[0] = static_cast<uint8_t>(seed * 37 + y + noise);
      pixel[1] = static_cast<uint8_t>(seed * 11 + x);
      pixel[2] = static_cast<uint8_t>(200 - y / 2 + seed);
    }
  const auto bytes = vemora::codec::EncodeJpeg(image);
  return vemora::codec::MakePreviewJpeg(std::string(bytes.begin(), bytes.end()));
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  const int rows = argc > 1 ? std::atoi(argv[1]) : 1000;
  const std::string file = argc > 2 ? argv[2] : "/tmp/vemora_bench_print.pdf";

  vemora::CatalogueGrid grid;
  std::vector<vemora::GridRecord> records;
  size_t previewBytes = 0;
  for (int i = 0; i < rows; ++i) {
    vemora::GridRecord record;
    record.name = "Bild " + std::to_string(i);
    record.beschreibung =
        "Ein Hafen am Morgen, aufgenommen von der Mole aus, Nummer " + std::to_string(i);
    record.textTop = "oben";
    record.textBottom = "unten";
    record.textLeft = "links";
    record.textRight = "rechts";
    record.suchbegriffe = "Urlaub; Hafen; Meer";
    record.filePath = "/bilder/bild" + std::to_string(i) + ".jpg";
    record.key = i;
    record.preview = Preview(i);
    previewBytes += record.preview.size();
    records.push_back(std::move(record));
  }
  grid.Replace(std::move(records));
  vemora::ui::PreviewCache previews(grid);
  vemora::ui::GridModel model(grid, previews);
  vemora::ui::GridView view;
  view.setModel(&model);
  view.resize(1200, 800);
  const vemora::ui::GridReportView report = vemora::ui::ReportViewOf(view);
  bool peakReset = false;

  // Prints the report into `path`: seconds, and the peak growth of the resident memory.
  const auto print = [&](const std::string& path, const vemora::CatalogueGrid& records) {
    malloc_trim(0);
    const long before = StatusKiB("VmRSS");
    peakReset = ResetPeak();
    const auto start = Clock::now();
    {
      QPrinter printer(QPrinter::HighResolution);
      const QString title = QString::fromUtf8(vemora::ui::kGridReportTitle);
      vemora::ui::SetUpPrintJob(printer, title);
      printer.setOutputFormat(QPrinter::PdfFormat);
      printer.setOutputFileName(QString::fromStdString(path));
      vemora::ui::PrintGridReport(printer, title, records, report);
    }
    return std::pair{std::chrono::duration<double>(Clock::now() - start).count(),
                     StatusKiB("VmHWM") - before};
  };
  // The first print of a process also loads fonts and the PDF writer: measured apart.
  vemora::CatalogueGrid one;
  one.Replace({grid.Record(0)});
  const auto [coldSeconds, coldKiB] = print(file + ".first.pdf", one);
  const auto [seconds, growth] = print(file, grid);
  const double previewKiB = static_cast<double>(previewBytes) / 1024.0;
  std::printf("rows %d, previews %.0f KiB, PDF %.0f KiB\n", rows, previewKiB,
              static_cast<double>(std::filesystem::file_size(file)) / 1024.0);
  std::printf("first print of the process (1 row): %.2f s, %ld KiB\n", coldSeconds, coldKiB);
  std::printf("Alles Drucken: %.2f s (goal < 5 s)\n", seconds);
  std::printf("peak memory growth: %ld KiB = %.2fx the previews' bytes (goal < 2x)%s\n", growth,
              static_cast<double>(growth) / previewKiB,
              peakReset ? "" : " [peak not reset: growth is an upper bound of the run]");
  return 0;
}
