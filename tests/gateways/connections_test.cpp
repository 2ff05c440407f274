// Connections: the change feed of both gateways (another process writes, this one's feed
// tells which rows); what a host sees when its catalogue cannot be opened or its server goes
// away, and how the feed reports a lost connection once and catches up.
#include <gtest/gtest.h>

#include "common/change_log.h"
#include "gateways/catalogue_rows.h"
#include "gateways/gateway_engines.h"
#include "postgres/postgres_gateway.h"
#include "sqlite/sqlite_gateway.h"
#include "support/wait_until.h"
#include "vemora/change_feed.h"

namespace vemora::testing {
namespace {

using gateways::PostgresGateway;
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

// The message a failed open raises.
template <typename Open>
std::string OpenError(Open open) {
  try {
    open();
  } catch (const TDBError& error) {
    return error.what();
  }
  return "(opened)";
}

std::string PostgresError(const char* conninfo) {
  return OpenError([&] { PostgresGateway(conninfo, 2); });
}

TEST(OpenFailureTest, MessagesNameTheCatalogueAndTheReason) {
  const std::pair<std::string, std::vector<std::string>> cases[] = {
      {OpenError([] { gateways::SqliteGateway("/nonexistent/vemora/katalog.db"); }),
       {"/nonexistent/vemora/katalog.db", "unable to open"}},
      {PostgresError("host=/nonexistent/vemora dbname=katalog user=postgres"),
       {"/nonexistent/vemora", "katalog", "No such file or directory"}},
      // A closed TCP port is refused at once.
      {PostgresError("host=127.0.0.1 port=9 dbname=katalog"), {"127.0.0.1", "port 9"}},
      // A non-routable address: the packets go nowhere, so only the timeout ends the attempt.
      {PostgresError("host=10.255.255.1 dbname=katalog"), {"10.255.255.1"}},
      {PostgresError("host="), {"cannot connect"}},
  };
  for (const auto& [message, parts] : cases) {
    for (const std::string& part : parts)
      EXPECT_NE(message.find(part), std::string::npos) << message;
  }
}

class PostgresServerGoneTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string why;
    catalogue_ = CreateScratchCatalogue("PostgreSQL", why);
    if (!catalogue_) {
      if (PostgresRequired()) GTEST_FAIL() << why;
      GTEST_SKIP() << why;
    }
    catalogue_->CreateCatalogueTables();
    address_ = catalogue_->Address().substr(std::string("postgres:").size());
  }

  // Ends every server process of this test's gateways, as an administrator would.
  void TerminateBackends(int keepPid = 0) {
    PostgresGateway admin(address_);
    TDBResultSet* rows = admin.OpenSQL(
        "SELECT pg_terminate_backend(pid) AS t FROM pg_stat_activity WHERE application_name = "
        "current_setting('application_name') AND pid <> pg_backend_pid() AND pid <> " +
            std::to_string(keepPid),
        0, 0);
    for (; !rows->Eof(); rows->Next()) {
    }
    rows->Close();
  }

  std::unique_ptr<ScratchCatalogue> catalogue_;
  std::string address_;
};

TEST_F(PostgresServerGoneTest, NextCallAndReadingOnRaiseAndEarlierRowsStay) {
  PostgresGateway gateway(address_);
  InsertCatalogueRow(gateway, "vorher", "\xFFimage1", "", 1);
  TerminateBackends();

  EXPECT_THROW(InsertCatalogueRow(gateway, "danach", "\xFFimage2", "", 2), TDBError);
  // The call after the failure connects again; the earlier row is there, the failed one not.
  EXPECT_EQ(ColumnValues(gateway, "Name"), std::vector<std::string>{"vorher"});
  InsertCatalogueRow(gateway, "wieder", "\xFFimage3", "", 3);
  EXPECT_EQ(ColumnValues(gateway, "Name", "SELECT Name FROM Bilder ORDER BY BildCtr2"),
            (std::vector<std::string>{"vorher", "wieder"}));

  // A query whose connection dies midway.
  PostgresGateway reading(address_);
  reading.ExecSQL("DELETE FROM Bilder", 4);
  // More rows than the first batch and the one read ahead of it hold.
  reading.ExecSQL(
      "INSERT INTO Bilder (BildCtr2, Name) SELECT g, g::text FROM generate_series(1, 5000) g", 4);
  TDBResultSet* rows = reading.OpenSQL("SELECT * FROM Bilder", 0, 0);
  TerminateBackends(reading.CommandBackendPid());

  // Rows already fetched may still be read; reading on raises once the cursor is needed.
  EXPECT_THROW(
      {
        for (; !rows->Eof(); rows->Next()) rows->FieldByName("Name").AsString();
      },
      TDBError);
  rows->Close();
  EXPECT_EQ(ColumnValues(reading, "Name").size(), 5000u);
}

TEST_F(PostgresServerGoneTest, TheFeedReportsALostConnectionOnceThenCatchesUp) {
  PostgresGateway gateway(address_);
  CatalogueChangeFeed& feed = gateway;
  const uint64_t start = feed.StartFeed();
  TerminateBackends();
  PostgresGateway admin(address_);
  InsertCatalogueRow(admin, "waehrenddessen", "\377w", "", 7);

  int reports = 0;
  // The ended connections close a moment later.
  const bool caughtUp = WaitUntil([&] {
    try {
      return feed.ChangesPending();
    } catch (const TDBError&) {
      ++reports;
      return false;
    }
  });
  EXPECT_EQ(reports, 1);
  ASSERT_TRUE(caughtUp);
  const CatalogueChanges changes = feed.ChangesSince(start);
  ASSERT_EQ(changes.rows.size(), 1u);
  EXPECT_EQ(changes.rows[0].kind, CatalogueChange::Kind::Added);
  // Listening again: the next write is noticed without asking the table.
  InsertCatalogueRow(admin, "danach", "\377d", "", 8);
  EXPECT_TRUE(WaitUntil([&] { return feed.ChangesPending(); }));
}

}  // namespace
}  // namespace vemora::testing
