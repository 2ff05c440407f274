#include "catalogue/adding.h"

#include <algorithm>
#include <filesystem>
#include <stdexcept>
#include <thread>

#include "catalogue/dispatcher.h"
#include "codec/preview.h"
#include "platform/file_io.h"
#include "platform/paths.h"
#include "platform/utf8_path.h"

namespace vemora {
namespace {

using Clock = std::chrono::steady_clock;

// The preview a new row stores. An icon keeps its own bytes, which the grid shows as they
// are; other bytes of no known kind get none.
std::string PreviewForNewRow(const std::string& bytes) {
  if (!bytes.empty() && bytes.front() == '\0') return bytes;
  return codec::MakePreviewJpeg(bytes);
}

std::chrono::milliseconds Since(Clock::time_point start) {
  return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start);
}

}  // namespace

PreparedImage PrepareImageFile(const platform::FileSystem& files, const std::string& path) {
  PreparedImage image{path, files.ReadWholeFile(path), {}};
  image.preview = PreviewForNewRow(image.bytes);
  return image;
}

int AddImageFile(CatalogueSession& session, CatalogueGrid& grid, const std::string& path) {
  return AppendImage(session, grid, PrepareImageFile(*session.files, path));
}

int AppendImage(CatalogueSession& session, CatalogueGrid& grid, PreparedImage image) {
  const std::string& path = image.path;
  TRecDSBilder row;
  row.Bild = std::move(image.bytes);
  row.VsBild = std::move(image.preview);
  row.Name = platform::Utf8FromPath(platform::PathFromUtf8(path).stem());
  row.File = platform::FileNamePart(path);
  row.Path = platform::FolderPart(path);

  GridRecord record;
  record.preview = PreviewBytes(row.VsBild);
  record.name = row.Name;
  record.filePath = path;
  record.key = -1;
  record.sizeText = RoundedSizeText(row.Bild.size());
  const int index = grid.Append(std::move(record));
  grid.focused = index;

  TRecCmdMDB insert;
  insert.command = kCmdInsert;
  try {
    const int32_t key = RunCmdMDB(session, insert, row);
    grid.Update(index, [key](GridRecord& added) { added.key = key; });
  } catch (...) {
    grid.Remove(index);
    grid.focused = grid.Count() - 1;
    throw;
  }
  return index;
}

int AddImagesFromDialog(CatalogueSession& session, CatalogueGrid& grid, CatalogueDialogs& dialogs) {
  const std::vector<std::string> paths = dialogs.ChoosePictureFiles("Bilder hinzufügen", true);
  if (paths.empty()) return 0;
  auto window = dialogs.OpenAddWindow(static_cast<int>(paths.size()), false);
  const Clock::time_point start = Clock::now();
  ImagePrefetcher prefetcher(*session.files, paths);
  int added = 0;
  for (const std::string& path : paths) {
    const Clock::time_point fileStart = Clock::now();
    try {
      const int index = AppendImage(session, grid, prefetcher.Next());
      window->FileAdded(path, grid.Record(index).preview);
      ++added;
    } catch (const std::exception&) {
      window->FileFailed(path);
      session.prompter->ShowMessage("Unbekanntes Dateiformat");
    }
    window->ShowTimes(FileDurationText(Since(fileStart)), ElapsedText(Since(start)));
  }
  if (grid.Count() > 0) grid.focused = grid.Count() - 1;
  return added;
}

int AddDroppedFiles(CatalogueSession& session, CatalogueGrid& grid, CatalogueDialogs& dialogs,
                    const std::vector<std::string>& paths) {
  auto window = dialogs.OpenAddWindow(static_cast<int>(paths.size()), true);
  ImagePrefetcher prefetcher(*session.files, paths);
  int added = 0;
  for (const std::string& path : paths) {
    const int index = AppendImage(session, grid, prefetcher.Next());
    window->FileAdded(path, grid.Record(index).preview);
    ++added;
  }
  return added;
}

ImagePrefetcher::ImagePrefetcher(const platform::FileSystem& files, std::vector<std::string> paths)
    : files_(files),
      paths_(std::move(paths)),
      ahead_(std::max(2u, std::thread::hardware_concurrency())) {
  Refill();
}

PreparedImage ImagePrefetcher::Next() {
  if (pending_.empty()) throw std::logic_error("no more files to prepare");
  std::future<PreparedImage> next = std::move(pending_.front());
  pending_.pop_front();
  Refill();
  return next.get();
}

void ImagePrefetcher::Refill() {
  while (pending_.size() < ahead_ && nextToStart_ < paths_.size()) {
    pending_.push_back(std::async(std::launch::async, PrepareImageFile, std::cref(files_),
                                  std::cref(paths_[nextToStart_++])));
  }
}

std::string FileDurationText(std::chrono::milliseconds duration) {
  const auto count = duration.count();
  return std::to_string(count / 1000 % 60) + "," + std::to_string(count % 1000) + " Sekunden ";
}

std::string ElapsedText(std::chrono::milliseconds elapsed) {
  const auto count = elapsed.count();
  return std::to_string(count / 60000 % 60) + " Minuten " + std::to_string(count / 1000 % 60) +
         "," + std::to_string(count % 1000) + " Sekunden";
}

}  // namespace vemora
