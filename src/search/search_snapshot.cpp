#include "search/search_snapshot.h"

#include "platform/file_times.h"
#include "search/date_serial.h"
#include "search/upper_case.h"

namespace vemora {
namespace {

bool SizeKeeps(int32_t value, int32_t comparison, int32_t limit) {
  if (value == -1) return false;
  switch (comparison) {
    case kSizeGreater:
      return value > limit;
    case kSizeSmaller:
      return value < limit;
    case kSizeEqual:
      return value == limit;
    default:
      return false;
  }
}

}  // namespace

DiskFileReader::DiskFileReader(std::filesystem::path baseFolder)
    : baseFolder_(std::move(baseFolder)) {}

std::string DiskFileReader::Resolve(const std::string& path) const {
  const std::filesystem::path file(path);
  if (baseFolder_.empty() || file.is_absolute()) return path;
  return (baseFolder_ / file).string();
}

double DiskFileReader::FileDate(const std::string& path) {
  const auto moment = platform::LastWriteLocalTime(Resolve(path));
  return moment ? DateTimeSerial(*moment) : 0;
}

std::optional<PixelSize> DiskFileReader::ImageSize(const std::string& path) {
  return ReadPixelSizeFromHeader(Resolve(path));
}

SearchSnapshot::SearchSnapshot(const CatalogueGrid& grid, int currentProject)
    : currentProject_(currentProject) {
  rows_.reserve(grid.records().size());
  for (size_t i = 0; i < grid.records().size(); ++i) {
    const GridRecord& record = grid.records()[i];
    SearchRow row;
    row.rowIndex = static_cast<int>(i);
    row.projectNo = currentProject;
    row.name = record.name;
    row.description = record.beschreibung;
    row.filePath = record.Text(kItemFile);
    row.keywords = record.suchbegriffe;
    row.captionLeft = record.textLeft;
    row.captionRight = record.textRight;
    row.captionTop = record.textTop;
    row.captionBottom = record.textBottom;
    row.counter = record.key;
    rows_.push_back(std::move(row));
  }
}

SearchSnapshot::SearchSnapshot(std::vector<SearchRow> rows, int currentProject)
    : rows_(std::move(rows)), currentProject_(currentProject) {}

JoinedTexts SearchSnapshot::Texts(size_t i, bool upperCase) {
  Joined& joined = joined_[upperCase ? 1 : 0];
  if (joined.bases.size() != rows_.size()) {
    size_t total = 0;  // upper-casing keeps the byte count: one allocation for all
    for (const SearchRow& row : rows_) {
      for (const std::string_view text : row.Texts()) total += text.size() + 1;
    }
    joined.buffer.reserve(total);
    joined.bases.reserve(rows_.size());
    joined.starts.reserve(rows_.size());
    for (const SearchRow& row : rows_) {
      joined.bases.push_back(joined.buffer.size());
      joined.starts.push_back(AppendJoinedTexts(joined.buffer, row.Texts(), upperCase));
    }
  }
  const std::array<uint32_t, 9>& starts = joined.starts[i];
  return {std::string_view(joined.buffer).substr(joined.bases[i], starts[8]), starts};
}

void EnsureFileDate(SearchRow& row, SearchFileReader& files) {
  if (row.dateRead) return;
  row.fileDate = files.FileDate(row.filePath);
  row.dateRead = true;
}

void EnsureImageSize(SearchRow& row, SearchFileReader& files) {
  if (row.sizeRead) return;
  row.width = -1;
  row.height = -1;
  row.sizeRead = true;
  if (const auto size = files.ImageSize(row.filePath)) {
    row.width = size->width;
    row.height = size->height;
  }
}

int RunSearch(SearchSnapshot& snapshot, const SearchOptionSet& options, SearchFileReader& files,
              int32_t today) {
  std::vector<SearchRow>& rows = snapshot.Rows();
  for (SearchRow& row : rows) {
    row.matches = options.AlleProjekte || row.projectNo == snapshot.CurrentProject();
  }

  const TextCriteria text(options);
  if (text.Active()) {
    for (size_t i = 0; i < rows.size(); ++i) {
      if (!rows[i].matches) continue;
      rows[i].matches = text.Matches(snapshot.Texts(i, text.FoldsCase()));
    }
  }

  if (options.DatumZwischen) {
    for (SearchRow& row : rows) {
      if (!row.matches) continue;
      EnsureFileDate(row, files);
      // Whole days against the full time: a file of the last day after midnight fails.
      row.matches =
          row.fileDate != 0 && options.DatumVon <= row.fileDate && row.fileDate <= options.DatumBis;
    }
  }

  if (options.DatumAlter) {
    const double cutoff = AgeCutoffDate(today, options.DatumZeit, options.DatumAnzahl);
    for (SearchRow& row : rows) {
      if (!row.matches) continue;
      EnsureFileDate(row, files);
      const bool olderThan = options.DatumArt == kAgeOlderThan;
      row.matches =
          row.fileDate != 0 && (olderThan ? row.fileDate <= cutoff : row.fileDate >= cutoff);
    }
  }

  if (options.Hoehe) {
    for (SearchRow& row : rows) {
      if (!row.matches) continue;
      EnsureImageSize(row, files);
      row.matches = SizeKeeps(row.height, options.HoeheArt, options.HoeheWert);
    }
  }
  if (options.Breite) {
    for (SearchRow& row : rows) {
      if (!row.matches) continue;
      EnsureImageSize(row, files);
      row.matches = SizeKeeps(row.width, options.BreiteArt, options.BreiteWert);
    }
  }

  int count = 0;
  for (const SearchRow& row : rows) count += row.matches ? 1 : 0;
  return count;
}

}  // namespace vemora
