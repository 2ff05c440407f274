// The change feed of both gateways: another process writes, this one's feed tells which rows.
#include <gtest/gtest.h>

#include "common/change_log.h"
#include "gateways/catalogue_rows.h"
#include "gateways/gateway_engines.h"
#include "support/wait_until.h"
#include "vemora/change_feed.h"

namespace vemora::testing {
namespace {

using Kind = CatalogueChange::Kind;

CatalogueChangeFeed& FeedOf(TDBGateway& gateway) {
  auto* feed = dynamic_cast<CatalogueChangeFeed*>(&gateway);
  if (feed == nullptr) throw std::logic_error("gateway without a change feed");
  return *feed;
}

bool WaitForPending(CatalogueChangeFeed& feed) {
  return WaitUntil([&] { return feed.ChangesPending(); });
}

int64_t RowIdOf(TDBGateway& gateway, const std::string& name) {
  const auto ids =
      ColumnValues(gateway, "BildCtr", "SELECT BildCtr FROM Bilder WHERE Name = '" + name + "'");
  return ids.empty() ? -1 : std::stoll(ids.front());
}

using ChangeFeedTest = GatewayEngineTest;

TEST_P(ChangeFeedTest, InsertUpdateAndDeleteByAnotherHostReachTheFeed) {
  CatalogueChangeFeed& feed = FeedOf(gateway());
  InsertCatalogueRow(gateway(), "alt", "\377a", "", 1);
  InsertCatalogueRow(gateway(), "geht", "\377g", "", 2);
  const uint64_t start = feed.StartFeed();
  EXPECT_FALSE(feed.ChangesPending());
  const int64_t old = RowIdOf(gateway(), "alt");
  const int64_t going = RowIdOf(gateway(), "geht");

  InAnotherProcess(catalogue().Address(), [](TDBGateway& other) {
    FeedOf(other).StartFeed();  // installing again changes nothing
    InsertCatalogueRow(other, "neu", "\377n", "", 3);
    other.ExecSQL("UPDATE Bilder SET Name = 'neu2' WHERE BildCtr2 = 3", 4);
    other.ExecSQL("UPDATE Bilder SET Beschreibung = 'anders' WHERE BildCtr2 = 1", 4);
    other.ExecSQL("DELETE FROM Bilder WHERE BildCtr2 = 2", 4);
  });
  ASSERT_TRUE(WaitForPending(feed));
  const CatalogueChanges changes = feed.ChangesSince(start);
  EXPECT_TRUE(changes.complete);
  const std::vector<CatalogueChange> expected = {
      {RowIdOf(gateway(), "neu2"), Kind::Added}, {old, Kind::Changed}, {going, Kind::Deleted}};
  EXPECT_EQ(changes.rows, expected);

  // Nothing new after the returned token; this host's own write is news as well.
  EXPECT_TRUE(feed.ChangesSince(changes.token).rows.empty());
  gateway().ExecSQL("UPDATE Bilder SET Name = 'wieder' WHERE BildCtr2 = 1", 4);
  EXPECT_EQ(feed.ChangesSince(changes.token).rows,
            (std::vector<CatalogueChange>{{old, Kind::Changed}}));
}

VEMORA_INSTANTIATE_FOR_ALL_ENGINES(ChangeFeedTest);

TEST(ChangeLogTest, EntriesBecomeOneChangePerRowAndPrunedTokensAskForEverything) {
  using gateways::ChangeEntry;
  const std::vector<ChangeEntry> entries = {{5, 10, 1}, {6, 10, 2}, {7, 11, 2},
                                            {8, 12, 1}, {9, 12, 3}, {10, 11, 2}};
  const CatalogueChanges changes = gateways::CoalesceChanges(4, entries, 1, 10);
  EXPECT_TRUE(changes.complete);
  EXPECT_EQ(changes.token, 10u);
  EXPECT_EQ(changes.rows, (std::vector<CatalogueChange>{
                              {10, Kind::Added}, {11, Kind::Changed}, {12, Kind::Deleted}}));

  struct Case {
    uint64_t token;
    int64_t oldest, newest;
    bool complete;
  };
  for (const Case& c : {Case{4, 5, 9, true}, Case{4, 0, 4, true}, Case{0, 0, 0, true},
                        Case{4, 6, 9, false}, Case{9, 1, 3, false}}) {
    EXPECT_EQ(gateways::CoalesceChanges(c.token, {}, c.oldest, c.newest).complete, c.complete)
        << c.token << " " << c.oldest << " " << c.newest;
  }
}

}  // namespace
}  // namespace vemora::testing
