// The search over a snapshot: the date, age and size passes with a fixed "today" and a fake
// file reader that counts what it reads, and the take-over of the checked results by path.
#include <gtest/gtest.h>

#include <map>

#include "search/date_serial.h"
#include "search/search_snapshot.h"
#include "search/search_take_over.h"

namespace vemora {
namespace {

// 15 March 2024.
const int32_t kToday = DaySerial(2024, 3, 15);

double At(int year, int month, int day, int hour = 0, int minute = 0) {
  return DateTimeSerial({year, month, day, hour, minute, 0});
}

// Files by path; a path it does not know is a missing file.
class FakeFiles : public SearchFileReader {
 public:
  struct File {
    double date;
    std::optional<PixelSize> size;
  };
  std::map<std::string, File> files;
  std::map<std::string, int> dateReads, sizeReads;

  double FileDate(const std::string& path) override {
    ++dateReads[path];
    const auto file = files.find(path);
    return file == files.end() ? 0 : file->second.date;
  }
  std::optional<PixelSize> ImageSize(const std::string& path) override {
    ++sizeReads[path];
    const auto file = files.find(path);
    return file == files.end() ? std::nullopt : file->second.size;
  }
};

SearchSnapshot Snapshot(const std::vector<std::string>& paths) {
  CatalogueGrid grid;
  for (const std::string& path : paths) {
    GridRecord record;
    record.name = path;
    record.filePath = path;
    grid.Append(record);
  }
  return SearchSnapshot(grid, -1);
}

std::vector<std::string> Matching(const SearchSnapshot& snapshot) {
  std::vector<std::string> names;
  for (const SearchRow& row : snapshot.Rows()) {
    if (row.matches) names.push_back(row.name);
  }
  return names;
}

TEST(RunSearchTest, DateRangeComparesWholeDaysWithTheFileTime) {
  FakeFiles files;
  files.files = {{"today-0000", {At(2024, 3, 15), {}}},
                 {"today-1000", {At(2024, 3, 15, 10), {}}},
                 {"yesterday", {At(2024, 3, 14, 23, 59), {}}}};
  SearchSnapshot snapshot = Snapshot({"today-0000", "today-1000", "yesterday", "missing"});
  SearchOptionSet options;
  options.DatumZwischen = true;
  options.DatumVon = options.DatumBis = kToday;
  EXPECT_EQ(RunSearch(snapshot, options, files, kToday), 1);
  EXPECT_EQ(Matching(snapshot), std::vector<std::string>{"today-0000"});

  options.DatumVon = kToday - 1;
  RunSearch(snapshot, options, files, kToday);
  EXPECT_EQ(Matching(snapshot), (std::vector<std::string>{"today-0000", "yesterday"}));
}

TEST(RunSearchTest, AgeCutoffKeepsOrDropsFilesAroundTheDay) {
  struct Case {
    const char* what;
    int32_t kind, unit, count;
    std::vector<std::string> expected;
  };
  FakeFiles files;
  files.files = {{"14.02. 23:59", {At(2024, 2, 14, 23, 59), {}}},
                 {"15.02. 00:00", {At(2024, 2, 15), {}}},
                 {"15.02. 12:00", {At(2024, 2, 15, 12), {}}},
                 {"08.03.", {At(2024, 3, 8, 12), {}}}};
  const std::vector<std::string> paths = {"14.02. 23:59", "15.02. 00:00", "15.02. 12:00", "08.03.",
                                          "missing"};
  const Case cases[] = {
      {"nicht älter als 1 Monat",
       kAgeNotOlderThan,
       kAgeMonths,
       1,
       {"15.02. 00:00", "15.02. 12:00", "08.03."}},
      {"älter als 1 Monat", kAgeOlderThan, kAgeMonths, 1, {"14.02. 23:59", "15.02. 00:00"}},
      {"nicht älter als 1 Woche", kAgeNotOlderThan, kAgeWeeks, 1, {"08.03."}},
      {"älter als 29 Tage",
       kAgeOlderThan,
       kAgeDays,
       29,
       {"14.02. 23:59", "15.02. 00:00"}},  // 15 February: 2024 is a leap year
      {"älter als 1 Jahr", kAgeOlderThan, kAgeYears, 1, {}},
  };
  for (const Case& c : cases) {
    SearchSnapshot snapshot = Snapshot(paths);
    SearchOptionSet options;
    options.DatumAlter = true;
    options.DatumArt = c.kind;
    options.DatumZeit = c.unit;
    options.DatumAnzahl = c.count;
    RunSearch(snapshot, options, files, kToday);
    EXPECT_EQ(Matching(snapshot), c.expected) << c.what;
  }
}

TEST(RunSearchTest, AgeCutoffForDaysTheTargetMonthLacks) {
  EXPECT_EQ(AgeCutoffDate(DaySerial(2023, 3, 31), kAgeMonths, 1), DaySerial(2023, 2, 28));
  EXPECT_EQ(AgeCutoffDate(DaySerial(2024, 2, 29), kAgeYears, 1), DaySerial(2023, 2, 28));
  EXPECT_EQ(AgeCutoffDate(DaySerial(2024, 1, 10), kAgeMonths, 13), DaySerial(2022, 12, 10));
}

TEST(RunSearchTest, SizePassesReadEachFileOnceAndOnlyForEntriesStillMatching) {
  FakeFiles files;
  files.files = {{"gross.jpg", {At(2024, 1, 1), PixelSize{1024, 768}}},
                 {"klein.jpg", {At(2024, 1, 1), PixelSize{640, 480}}},
                 {"kaputt.jpg", {At(2024, 1, 1), std::nullopt}},
                 {"alt.jpg", {At(2020, 1, 1), PixelSize{4000, 3000}}}};
  SearchSnapshot snapshot = Snapshot({"gross.jpg", "klein.jpg", "kaputt.jpg", "alt.jpg", "weg"});
  SearchOptionSet options;
  options.DatumZwischen = true;
  options.DatumVon = DaySerial(2023, 1, 1);
  options.DatumBis = kToday;
  options.Hoehe = true;  // height > 600
  options.Breite = true;
  options.BreiteArt = kSizeSmaller;
  options.BreiteWert = 2000;
  RunSearch(snapshot, options, files, kToday);
  EXPECT_EQ(Matching(snapshot), std::vector<std::string>{"gross.jpg"});

  options.BreiteArt = kSizeEqual;
  options.BreiteWert = 640;
  options.Hoehe = false;
  RunSearch(snapshot, options, files, kToday);
  EXPECT_EQ(Matching(snapshot), std::vector<std::string>{"klein.jpg"});

  // Two searches: every date read once; sizes only for files inside the date range.
  for (const char* path : {"gross.jpg", "klein.jpg", "kaputt.jpg", "alt.jpg", "weg"}) {
    EXPECT_EQ(files.dateReads[path], 1) << path;
  }
  EXPECT_EQ(files.sizeReads,
            (std::map<std::string, int>{{"gross.jpg", 1}, {"klein.jpg", 1}, {"kaputt.jpg", 1}}));
  EXPECT_EQ(snapshot.Rows()[2].width, -1);
  EXPECT_EQ(snapshot.Rows()[4].fileDate, 0);
}

TEST(RunSearchTest, TextPassRunsFirstAndChecksSurvive) {
  FakeFiles files;
  SearchSnapshot snapshot = Snapshot({"Haus.jpg", "Garten.jpg"});
  snapshot.Rows()[0].checked = true;
  SearchOptionSet options;
  options.Text1 = "garten";
  options.Hoehe = true;
  EXPECT_EQ(RunSearch(snapshot, options, files, kToday), 0);
  EXPECT_EQ(files.sizeReads, (std::map<std::string, int>{{"Garten.jpg", 1}}));
  options.Hoehe = false;
  options.Text1 = "haus";
  EXPECT_EQ(RunSearch(snapshot, options, files, kToday), 1);
  EXPECT_TRUE(snapshot.Rows()[0].checked);
}

TEST(TakeOverSearchSelectionTest, MarksEveryRecordSharingACheckedPath) {
  struct Case {
    const char* what;
    std::vector<std::string> checked;
    std::vector<bool> marks;
  };
  CatalogueGrid grid;
  for (const char* path : {"/b/a.jpg", "/b/B.jpg", "/b/a.jpg", "/b/b.jpg"}) {
    GridRecord record;
    record.filePath = path;
    record.marked = true;
    grid.Append(record);
  }
  grid.Append({});  // a record without a file
  const Case cases[] = {
      {"shared path marks both", {"/b/a.jpg"}, {true, false, true, false, false}},
      {"case-sensitive", {"/b/b.jpg"}, {false, false, false, true, false}},
      {"nothing checked unmarks all", {}, {false, false, false, false, false}},
      {"unknown path", {"/b/c.jpg"}, {false, false, false, false, false}},
  };
  for (const Case& c : cases) {
    TakeOverSearchSelection(grid, c.checked);
    EXPECT_EQ(grid.Marks(), c.marks) << c.what;
  }
}

TEST(DateSerialTest, TextsAndSerials) {
  EXPECT_EQ(DaySerial(2010, 1, 1), 40179);
  EXPECT_EQ(DaySerial(1899, 12, 30), 0);
  EXPECT_EQ(FormatDate(40179), "01.01.2010");
  EXPECT_EQ(FormatDateTime(At(2024, 3, 15, 10, 5) + 7 / 86400.0), "15.03.2024 10:05:07");
  EXPECT_EQ(ParseDate("1.1.2010"), 40179);
  EXPECT_EQ(ParseDate("01.01.10"), 40179);
  EXPECT_EQ(ParseDate("01.01.2010 12:30"), 40179);
  for (const char* bad : {"", "abc", "31.02.2024", "1.13.2020", "1.1.", "1/1/2020", "1.1.2020x"}) {
    EXPECT_EQ(ParseDate(bad), std::nullopt) << bad;
  }
}

}  // namespace
}  // namespace vemora
