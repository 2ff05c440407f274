// Printing in window tests: a print preview that prints straight into a PDF file instead of
// opening its modal window, and poppler's tools to read the file back (pdfinfo, pdftotext,
// pdftoppm from poppler-utils).
#pragma once

#include <gtest/gtest.h>

#include <QImage>
#include <QPrinter>
#include <filesystem>
#include <memory>
#include <string>

#include "support/run_tool.h"
#include "ui/commands/print_commands.h"
#include "ui/print_job.h"

namespace vemora::testing {

class PdfPreview : public ui::PrintPreview {
 public:
  explicit PdfPreview(std::filesystem::path file, bool printerInstalled = false)
      : file_(std::move(file)), printerInstalled_(printerInstalled) {}

  bool PrinterInstalled() override { return printerInstalled_; }
  void Show(QPrinter& printer, QWidget*,
            const std::function<void(QPrinter& printer)>& paint) override {
    ++*shown;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString(file_.string()));
    paint(printer);
  }

  // Counts the previews even after the window took the object over.
  std::shared_ptr<int> shown = std::make_shared<int>(0);

 private:
  std::filesystem::path file_;
  bool printerInstalled_;
};

// Makes `window`'s print commands print into `pdf`; returns the count of previews shown.
inline std::shared_ptr<int> PrintIntoPdf(const QWidget& window, const std::filesystem::path& pdf,
                                         bool printerInstalled) {
  auto preview = std::make_unique<PdfPreview>(pdf, printerInstalled);
  std::shared_ptr<int> shown = preview->shown;
  window.findChild<ui::PrintCommands*>()->SetPreview(std::move(preview));
  return shown;
}

inline std::string PdfInfo(const std::filesystem::path& pdf) {
  const std::string info = RunTool("pdfinfo " + Quoted(pdf) + " 2>&1").output;
  EXPECT_NE(info.find("Pages:"), std::string::npos)
      << "pdfinfo (poppler-utils) cannot read " << pdf << ": " << info;
  return info;
}

inline std::string PdfText(const std::filesystem::path& pdf) {
  return RunTool("pdftotext -enc UTF-8 " + Quoted(pdf) + " -").output;
}

// Page `page` rendered at 96 dpi, one layout pixel per image pixel.
inline QImage PdfPage(const std::filesystem::path& pdf, int page) {
  const std::filesystem::path stem = pdf.parent_path() / ("page" + std::to_string(page));
  RunTool("pdftoppm -r 96 -png -singlefile -f " + std::to_string(page) + " -l " +
          std::to_string(page) + " " + Quoted(pdf) + " " + Quoted(stem));
  return QImage(QString::fromStdString(stem.string() + ".png"));
}

// A field of pdfinfo's answer ("Title", "Pages", "Page size").
inline std::string PdfField(const std::string& info, const std::string& field) {
  const size_t at = info.find(field + ":");
  if (at == std::string::npos) return {};
  const size_t value = info.find_first_not_of(' ', at + field.size() + 1);
  return info.substr(value, info.find('\n', value) - value);
}

inline int Occurrences(const std::string& text, const std::string& word) {
  int count = 0;
  for (size_t at = text.find(word); at != std::string::npos; at = text.find(word, at + 1)) ++count;
  return count;
}

}  // namespace vemora::testing
