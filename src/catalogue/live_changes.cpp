#include "catalogue/live_changes.h"

#include <algorithm>
#include <unordered_map>

#include "catalogue/row_reader.h"
#include "catalogue/statements.h"

namespace vemora {
namespace {

constexpr size_t kRowsPerQuery = 500;

// The grid as the plan goes along: each record's counter, key and where it came from
// (its index in the original records, or -1 for a row the plan put in).
struct Slot {
  int64_t rowId;
  int32_t key;
  int origin;
};

// The current row as the grid shows it, with the preview as stored.
GridRecord StoredRecord(RowReader& reader) {
  GridRecord record = reader.Read();
  if (reader.preview() != nullptr) record.preview = PreviewBytes(reader.preview()->AsString());
  return record;
}

std::string Pictures(int count) {
  return std::to_string(count) + (count == 1 ? " Bild" : " Bilder");
}

}  // namespace

bool SameShownValues(const GridRecord& a, const GridRecord& b) {
  return a.SamePreviewAs(b) && a.name == b.name && a.beschreibung == b.beschreibung &&
         a.textTop == b.textTop && a.textBottom == b.textBottom && a.textLeft == b.textLeft &&
         a.textRight == b.textRight && a.filePath == b.filePath && a.key == b.key &&
         a.suchbegriffe == b.suchbegriffe && a.sizeText == b.sizeText;
}

GridPlan PlanGridChanges(const std::vector<GridRecord>& records,
                         const std::vector<ChangedRow>& rows) {
  GridPlan plan;
  std::vector<Slot> slots;
  slots.reserve(records.size());
  std::unordered_map<int64_t, int> position;
  for (size_t i = 0; i < records.size(); ++i) {
    slots.push_back({records[i].rowId, records[i].key, static_cast<int>(i)});
    if (records[i].rowId != 0) position.emplace(records[i].rowId, static_cast<int>(i));
  }

  // A record this window added learns its counter from its row, found by key; when a row of
  // another host came in between, it no longer sits in order and moves.
  std::vector<int> removals;
  std::vector<const ChangedRow*> present;
  for (const ChangedRow& row : rows) {
    const auto at = position.find(row.rowId);
    if (!row.record) {
      if (at != position.end()) {
        removals.push_back(at->second);
        ++plan.deleted;
      }
      continue;
    }
    present.push_back(&row);
    if (at != position.end()) continue;
    for (size_t i = 0; i < slots.size(); ++i) {
      if (slots[i].rowId == 0 && slots[i].key == row.record->key) {
        slots[i].rowId = row.rowId;
        position.emplace(row.rowId, static_cast<int>(i));
        break;
      }
    }
  }
  auto knownNeighbourInOrder = [&](int index) {
    const int64_t id = slots[static_cast<size_t>(index)].rowId;
    for (int i = index - 1; i >= 0; --i) {
      if (slots[static_cast<size_t>(i)].rowId != 0) {
        if (slots[static_cast<size_t>(i)].rowId > id) return false;
        break;
      }
    }
    for (size_t i = static_cast<size_t>(index) + 1; i < slots.size(); ++i) {
      if (slots[i].rowId != 0) return slots[i].rowId > id;
    }
    return true;
  };
  for (const ChangedRow* row : present) {
    const auto at = position.find(row->rowId);
    if (at != position.end() && records[static_cast<size_t>(at->second)].rowId == 0 &&
        !knownNeighbourInOrder(at->second))
      removals.push_back(at->second);
  }

  std::sort(removals.begin(), removals.end(), std::greater<>());
  std::vector<int> moved;  // origins of records that leave and come back elsewhere
  for (int index : removals) {
    plan.edits.push_back({GridEdit::Kind::Remove, index, {}});
    moved.push_back(slots[static_cast<size_t>(index)].origin);
    slots.erase(slots.begin() + index);
  }
  position.clear();
  for (size_t i = 0; i < slots.size(); ++i)
    if (slots[i].rowId != 0) position.emplace(slots[i].rowId, static_cast<int>(i));

  std::vector<const ChangedRow*> insertions;
  for (const ChangedRow* row : present) {
    const auto at = position.find(row->rowId);
    if (at == position.end()) {
      insertions.push_back(row);
      continue;
    }
    const GridRecord& old =
        records[static_cast<size_t>(slots[static_cast<size_t>(at->second)].origin)];
    const bool differs = !SameShownValues(old, *row->record);
    if (!differs && old.rowId == row->rowId) continue;
    GridRecord record = *row->record;
    record.marked = old.marked;
    plan.edits.push_back({GridEdit::Kind::Update, at->second, std::move(record)});
    // A record this window added is only read back: its path and size as a load shows them.
    if (differs && old.rowId != 0) ++plan.changed;
  }

  std::sort(insertions.begin(), insertions.end(),
            [](const ChangedRow* a, const ChangedRow* b) { return a->rowId < b->rowId; });
  size_t cursor = 0;
  for (const ChangedRow* row : insertions) {
    while (cursor < slots.size() && (slots[cursor].rowId == 0 || slots[cursor].rowId < row->rowId))
      ++cursor;
    // A record that moved keeps its mark; only a row new to this window is news.
    GridRecord record = *row->record;
    const auto origin = std::find_if(moved.begin(), moved.end(), [&](int index) {
      return records[static_cast<size_t>(index)].key == record.key &&
             records[static_cast<size_t>(index)].rowId == 0;
    });
    if (origin != moved.end()) {
      const GridRecord& old = records[static_cast<size_t>(*origin)];
      record.marked = old.marked;
      moved.erase(origin);
    } else {
      ++plan.added;
    }
    plan.edits.push_back({GridEdit::Kind::Insert, static_cast<int>(cursor), std::move(record)});
    slots.insert(slots.begin() + static_cast<std::ptrdiff_t>(cursor), {row->rowId, 0, -1});
    ++cursor;
  }
  return plan;
}

void ApplyGridPlan(CatalogueGrid& grid, const GridPlan& plan) {
  for (const GridEdit& edit : plan.edits) {
    switch (edit.kind) {
      case GridEdit::Kind::Remove:
        grid.Remove(edit.index);
        break;
      case GridEdit::Kind::Insert:
        grid.Insert(edit.index, edit.record);
        break;
      case GridEdit::Kind::Update:
        grid.Update(edit.index, [&](GridRecord& record) { record = edit.record; });
        break;
    }
  }
}

std::vector<ChangedRow> ReadChangedRows(CatalogueSession& session,
                                        const std::set<int64_t>& rowIds) {
  std::unordered_map<int64_t, GridRecord> found;
  auto next = rowIds.begin();
  while (next != rowIds.end()) {
    std::string list;
    for (size_t n = 0; n < kRowsPerQuery && next != rowIds.end(); ++n, ++next)
      list += (list.empty() ? "" : ",") + std::to_string(*next);
    ResultSetGuard rows =
        Query(*session.gateway, "SELECT * FROM Bilder WHERE BildCtr IN (" + list + ")");
    rows->First();
    RowReader reader(session, *rows);
    for (; !rows->Eof(); rows->Next()) {
      GridRecord record = StoredRecord(reader);
      found.emplace(record.rowId, std::move(record));
    }
  }
  std::vector<ChangedRow> changed;
  changed.reserve(rowIds.size());
  for (int64_t rowId : rowIds) {
    const auto at = found.find(rowId);
    changed.push_back({rowId, at == found.end()
                                  ? std::nullopt
                                  : std::optional<GridRecord>(std::move(at->second))});
  }
  return changed;
}

std::optional<GridRecord> ReadCurrentRecord(CatalogueSession& session, const GridRecord& record) {
  const std::string where = record.rowId != 0 ? "BildCtr = " + std::to_string(record.rowId)
                                              : "BildCtr2 = " + std::to_string(record.key);
  ResultSetGuard rows = Query(*session.gateway, "SELECT * FROM Bilder WHERE " + where);
  rows->First();
  if (rows->Eof()) return std::nullopt;
  RowReader reader(session, *rows);
  return StoredRecord(reader);
}

std::string ChangeNote(const GridPlan& plan) {
  std::vector<std::pair<int, const char*>> parts;
  for (const auto& part :
       {std::pair{plan.added, "hinzugefügt"}, std::pair{plan.changed, "geändert"},
        std::pair{plan.deleted, "gelöscht"}})
    if (part.first > 0) parts.push_back(part);
  if (parts.empty()) return {};
  if (parts.size() == 1)
    return Pictures(parts[0].first) + " von einem anderen Arbeitsplatz " + parts[0].second;
  std::string note = "Von einem anderen Arbeitsplatz: ";
  for (size_t i = 0; i < parts.size(); ++i)
    note += (i == 0 ? "" : ", ") + Pictures(parts[i].first) + " " + parts[i].second;
  return note;
}

}  // namespace vemora
