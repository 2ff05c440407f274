// The grid following another host's changes: the plan keeps grid order equal to query order
// and marks with their records; on both engines a second process's writes reach the grid.
#include <gtest/gtest.h>
#include <map>
#include <random>

#include "catalogue/catalogue_engine_fixture.h"
#include "catalogue/catalogue_load.h"
#include "catalogue/dispatcher.h"
#include "catalogue/live_catalogue.h"
#include "gateways/catalogue_rows.h"
#include "support/wait_until.h"

namespace vemora::testing {
namespace {

GridRecord Row(int64_t rowId, int32_t key, const std::string& name) {
  GridRecord record;
  record.rowId = rowId;
  record.key = key;
  record.name = name;
  return record;
}

// A catalogue in memory (counter -> row) against a grid, changed at random by "another
// host" and by this window, as the window would see it.
TEST(LiveChangesPlanTest, GridFollowsAMixedSequenceInQueryOrderKeepingMarks) {
  std::mt19937 random(19);
  std::map<int64_t, GridRecord> catalogue;
  CatalogueGrid grid;
  int64_t counter = 0;
  for (int i = 0; i < 20; ++i) {
    ++counter;
    catalogue[counter] = Row(counter, static_cast<int32_t>(counter), "r" + std::to_string(counter));
  }
  std::vector<GridRecord> loaded;
  for (const auto& [id, row] : catalogue) loaded.push_back(row);
  grid.Replace(loaded);

  for (int round = 0; round < 200; ++round) {
    std::set<int64_t> touched;
    int expectedAdded = 0;
    for (int step = 0, steps = 1 + static_cast<int>(random() % 4); step < steps; ++step) {
      const auto pick = [&] {
        auto at = catalogue.begin();
        std::advance(at, random() % catalogue.size());
        return at;
      };
      switch (random() % 5) {
        case 0: {  // another host adds
          ++counter;
          catalogue[counter] = Row(counter, static_cast<int32_t>(counter), "neu");
          touched.insert(counter);
          ++expectedAdded;
          break;
        }
        case 1:  // this window adds: the record knows its key, not yet its counter
          ++counter;
          catalogue[counter] = Row(counter, static_cast<int32_t>(counter), "hier");
          grid.Append(Row(0, static_cast<int32_t>(counter), "hier"));
          touched.insert(counter);
          break;
        case 2:
          if (catalogue.size() > 5) {
            const auto at = pick();
            touched.insert(at->first);
            catalogue.erase(at);
          }
          break;
        case 3: {
          const auto at = pick();
          at->second.beschreibung = "runde " + std::to_string(round);
          touched.insert(at->first);
          break;
        }
        default:
          grid.SetMark(static_cast<int>(random() % grid.Count()), true);
          break;
      }
    }
    std::map<int32_t, bool> marksBefore;
    for (const GridRecord& record : grid.records()) marksBefore[record.key] = record.marked;

    std::vector<ChangedRow> rows;
    for (int64_t id : touched) {
      const auto at = catalogue.find(id);
      rows.push_back({id, at == catalogue.end() ? std::nullopt : std::optional(at->second)});
    }
    const GridPlan plan = PlanGridChanges(grid.records(), rows);
    ApplyGridPlan(grid, plan);
    EXPECT_LE(plan.added, expectedAdded);

    ASSERT_EQ(grid.Count(), static_cast<int>(catalogue.size())) << "round " << round;
    auto row = catalogue.begin();
    for (const GridRecord& record : grid.records()) {
      ASSERT_EQ(record.rowId, row->first) << "round " << round;
      EXPECT_TRUE(SameShownValues(record, row->second));
      EXPECT_EQ(record.marked, marksBefore[record.key]);
      ++row;
    }
  }

  const std::pair<GridPlan, std::string> cases[] = {
      {{{}, 2, 0, 0}, "2 Bilder von einem anderen Arbeitsplatz hinzugefügt"},
      {{{}, 0, 1, 0}, "1 Bild von einem anderen Arbeitsplatz geändert"},
      {{{}, 1, 0, 3}, "Von einem anderen Arbeitsplatz: 1 Bild hinzugefügt, 3 Bilder gelöscht"},
      {{{}, 0, 0, 0}, ""},
  };
  for (const auto& [plan, note] : cases) EXPECT_EQ(ChangeNote(plan), note);
}

std::optional<LiveCatalogue::Result> PollUntilNews(LiveCatalogue& live,
                                                   const std::set<int64_t>& held = {}) {
  std::optional<LiveCatalogue::Result> result;
  WaitUntil([&] { return (result = live.Poll(held)).has_value(); });
  return result;
}

using LiveCatalogueTest = CatalogueEngineFixture;

TEST_P(LiveCatalogueTest, AnotherProcessesWritesReachTheGridAsALoadWouldShowThem) {
  for (int key = 1; key <= 4; ++key)
    InsertCatalogueRow(gateway(), "bild" + std::to_string(key), "\377b", "", key);
  LoadCatalogue(session, grid, {});
  CatalogueChangeFeed* feed = ChangeFeedOf(&gateway());
  ASSERT_NE(feed, nullptr);
  LiveCatalogue live(session, grid, *feed);
  live.Start();
  grid.SetMark(2, true);
  grid.focused = 3;

  InAnotherProcess(catalogue().Address(), [](TDBGateway& other) {
    InsertCatalogueRow(other, "fremd", "\377f", "", 10);
    other.ExecSQL("UPDATE Bilder SET Name = 'umbenannt' WHERE BildCtr2 = 3", 4);
    other.ExecSQL("DELETE FROM Bilder WHERE BildCtr2 = 2", 4);
  });

  std::optional<LiveCatalogue::Result> result = PollUntilNews(live);
  ASSERT_TRUE(result);
  // Changes the feed reported in pieces may take a second poll.
  while (result->plan.added + result->plan.changed + result->plan.deleted < 3) {
    auto more = PollUntilNews(live);
    ASSERT_TRUE(more);
    result->plan.added += more->plan.added;
    result->plan.changed += more->plan.changed;
    result->plan.deleted += more->plan.deleted;
  }
  EXPECT_EQ(ChangeNote(result->plan),
            "Von einem anderen Arbeitsplatz: 1 Bild hinzugefügt, 1 Bild geändert, 1 Bild gelöscht");

  CatalogueGrid fresh;
  LoadCatalogue(session, fresh, {});
  ASSERT_EQ(grid.Count(), fresh.Count());
  for (int i = 0; i < grid.Count(); ++i)
    EXPECT_TRUE(SameShownValues(grid.Record(i), fresh.Record(i))) << i;
  EXPECT_TRUE(grid.Record(1).marked);  // "umbenannt", marked before, one place up
  EXPECT_EQ(grid.Record(1).name, "umbenannt");
  EXPECT_EQ(grid.focused, 2);  // still "bild4"
}

TEST_P(LiveCatalogueTest, ThisWindowsOwnWritesAreNoNewsAndHeldRowsWait) {
  InsertCatalogueRow(gateway(), "eins", "\377e", "", 1);
  LoadCatalogue(session, grid, {});
  LiveCatalogue live(session, grid, *ChangeFeedOf(&gateway()));
  live.Start();

  TRecDSBilder row;
  row.Name = "hier";
  row.Bild = "\377h";
  TRecCmdMDB insert;
  insert.command = kCmdInsert;
  GridRecord added;
  added.name = "hier";
  added.key = RunCmdMDB(session, insert, row);
  added.filePath = folder.string() + "/";
  grid.Append(added);
  const int64_t first = grid.Record(0).rowId;

  auto other = catalogue().Connect();
  other->ExecSQL("UPDATE Bilder SET Name = 'dort' WHERE BildCtr2 = 1", 4);
  // The record being edited keeps what the user saw; the window's own row is only matched.
  auto result = PollUntilNews(live, {first});
  ASSERT_TRUE(result);
  EXPECT_EQ(result->plan.added + result->plan.changed, 0);
  EXPECT_NE(grid.Record(1).rowId, 0);
  EXPECT_EQ(grid.Record(0).name, "eins");
  // Released, the held change arrives, counted once.
  int changed = 0;
  WaitUntil([&] {
    if (auto released = live.Poll()) changed += released->plan.changed;
    return grid.Record(0).name == "dort";
  });
  EXPECT_EQ(grid.Record(0).name, "dort");
  EXPECT_EQ(changed, 1);
}

VEMORA_INSTANTIATE_FOR_ALL_ENGINES(LiveCatalogueTest);

}  // namespace
}  // namespace vemora::testing
