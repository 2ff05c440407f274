// The search's own copy of the catalogue grid, and the search over it.
//
// The search dialog takes a snapshot of every grid row when it opens and keeps it for its
// lifetime: file dates and pixel sizes, once read, serve every later search, and the user's
// check marks survive from one search to the next. RunSearch filters the snapshot in
// passes (text, date range, age, height, width); the file passes touch only entries still
// matching, through a SearchFileReader, so a test can count and fake the reads.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "catalogue/grid_record.h"
#include "search/image_header_size.h"
#include "search/search_options.h"
#include "search/text_match.h"

namespace vemora {

struct SearchRow {
  int rowIndex = 0;    // the grid row it was taken from
  int projectNo = -1;  // the grid has no project column: every row counts as the current one
  std::string name;
  std::string description;
  std::string filePath;
  std::string keywords;
  std::string captionLeft;
  std::string captionRight;
  std::string captionTop;
  std::string captionBottom;
  bool dateRead = false;
  double fileDate = 0;  // date serial, local time; 0 when the file is missing
  bool sizeRead = false;
  int32_t width = -1;  // -1: unknown
  int32_t height = -1;
  bool matches = true;
  bool checked = false;
  int32_t counter = 0;  // BildCtr2

  EntryTexts Texts() const {
    return {keywords,    description,  filePath,   name,
            captionLeft, captionRight, captionTop, captionBottom};
  }
};

// Where the file passes get their facts: the disk, or a test's fake.
class SearchFileReader {
 public:
  virtual ~SearchFileReader() = default;
  // The file's modification time as a date serial; 0 when it does not exist.
  virtual double FileDate(const std::string& path) = 0;
  // None when the file is missing or its size cannot be read.
  virtual std::optional<PixelSize> ImageSize(const std::string& path) = 0;
};

// Reads the files themselves. Relative paths resolve against `baseFolder` (the host
// program's folder), not against the process's current folder.
class DiskFileReader : public SearchFileReader {
 public:
  explicit DiskFileReader(std::filesystem::path baseFolder = {});
  double FileDate(const std::string& path) override;
  std::optional<PixelSize> ImageSize(const std::string& path) override;

 private:
  std::string Resolve(const std::string& path) const;
  std::filesystem::path baseFolder_;
};

class SearchSnapshot {
 public:
  // One entry per grid record, in grid order.
  SearchSnapshot(const CatalogueGrid& grid, int currentProject);
  explicit SearchSnapshot(std::vector<SearchRow> rows, int currentProject = -1);

  std::vector<SearchRow>& Rows() { return rows_; }
  const std::vector<SearchRow>& Rows() const { return rows_; }
  int CurrentProject() const { return currentProject_; }

  // Makes the upper-cased texts now (when the dialog opens), so the first search is as
  // quick as the next.
  void PrepareCaseFolding() {
    if (!rows_.empty()) Texts(0, true);
  }
  // The joined texts of entry i, upper-cased or as they are. Each form is made for all
  // entries at once on its first use and kept: the texts never change.
  JoinedTexts Texts(size_t i, bool upperCase);

 private:
  struct Joined {
    std::string buffer;
    std::vector<size_t> bases;
    std::vector<std::array<uint32_t, 9>> starts;
  };

  std::vector<SearchRow> rows_;
  int currentProject_;
  std::array<Joined, 2> joined_;  // as they are, upper-cased
};

// Reads the entry's file date or pixel size unless already read.
void EnsureFileDate(SearchRow& row, SearchFileReader& files);
void EnsureImageSize(SearchRow& row, SearchFileReader& files);

// Sets `matches` of every entry by the set; `today` (whole days) anchors the age test.
// Returns the number of matching entries.
int RunSearch(SearchSnapshot& snapshot, const SearchOptionSet& options, SearchFileReader& files,
              int32_t today);

}  // namespace vemora
