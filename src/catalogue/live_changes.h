// Following what other hosts do to the catalogue while the window is open.
//
// The gateway's change feed (vemora/change_feed.h) names the rows that changed; this unit
// reads just those rows again and works out what the grid must do so that it shows the
// catalogue as it is now, with record order still equal to the order of "SELECT * FROM
// Bilder" (ascending BildCtr). Marks and focus stay with their records. The plan is a pure
// function of the records and the rows read, so it is tested without a database.
#pragma once

#include <cstdint>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "catalogue/catalogue_session.h"
#include "catalogue/grid_record.h"

namespace vemora {

// A changed row as it is in the catalogue now; `record` is empty when the row is gone.
struct ChangedRow {
  int64_t rowId = 0;
  std::optional<GridRecord> record;
};

// One step of bringing the grid up to date. Indices are valid at the moment the step runs,
// after the steps before it.
struct GridEdit {
  enum class Kind { Insert, Remove, Update };
  Kind kind = Kind::Update;
  int index = 0;
  GridRecord record;  // Insert and Update: the record to show (its mark is already carried)
};

struct GridPlan {
  std::vector<GridEdit> edits;
  // What another host did, as far as this window can tell: rows that appeared, whose shown
  // values changed, and that went. This window's own writes count nowhere.
  int added = 0;
  int changed = 0;
  int deleted = 0;
};

// Whether two records show the same (marks aside).
bool SameShownValues(const GridRecord& a, const GridRecord& b);

// The edits that turn `records` into what `rows` say. A record whose row counter is not
// known yet is matched to a row by its key (BildCtr2). Records of rows not in `rows` stay
// as they are.
GridPlan PlanGridChanges(const std::vector<GridRecord>& records,
                         const std::vector<ChangedRow>& rows);

// Runs the edits through the grid, so that its observer hears of each one.
void ApplyGridPlan(CatalogueGrid& grid, const GridPlan& plan);

// Reads the rows with these counters again through the gateway, a few hundred per query.
std::vector<ChangedRow> ReadChangedRows(CatalogueSession& session, const std::set<int64_t>& rowIds);

// The row behind a record as it is in the catalogue now (by its counter, or by its key while
// the counter is not known); none when the row is gone.
std::optional<GridRecord> ReadCurrentRecord(CatalogueSession& session, const GridRecord& record);

// The status bar's note on what another host did: "2 Bilder von einem anderen Arbeitsplatz
// hinzugefügt", parts joined with ", "; empty when nothing happened.
std::string ChangeNote(const GridPlan& plan);

}  // namespace vemora
