// The grid's records: one per catalogue row, in the order the load query returned them.
//
// Commands act on the focused record and on the marked records; the Qt grid is only a view
// of these. Record i pairs with row i of a fresh "Select * from Bilder" (the take-over
// relies on it), so nothing ever sorts them. The grid owns its records and announces every
// change to its observer (the Qt model); views read records by index.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "catalogue/preview_bytes.h"

namespace vemora {

// Item indices of a grid record: how every command addresses a value, and the grid's
// column numbers.
enum GridItem : int {
  kItemPreview = 0,       // FT_Bild
  kItemName = 1,          // FT_Name
  kItemBeschreibung = 2,  // FT_Beschreibung
  kItemTextTop = 3,       // FT_Oben
  kItemTextBottom = 4,    // FT_Unten
  kItemTextLeft = 5,      // FT_Links
  kItemTextRight = 6,     // FT_Rechts
  kItemFile = 7,          // sec_file (hidden)
  kItemKey = 8,           // sec_ctr (hidden)
  kItemSuchbegriffe = 9,  // FT_Suchbegriffe
  kItemMark = 10,         // FT_Auswahl
  kItemSpacer = 11,
  kItemPath = 12,  // FT_Path
  kItemSize = 13,  // FT_SIZE
  kItemUnused = 14,
  kItemCount = 15
};

struct GridRecord {
  PreviewBytes preview;  // JPEG bytes of VsBild, or empty
  // The row has a preview that is still on its way (PreviewFeed): `preview` is empty
  // until it comes.
  bool previewPending = false;
  std::string name;
  std::string beschreibung;
  std::string textTop;
  std::string textBottom;
  std::string textLeft;
  std::string textRight;
  // Full path of the image file; none ("unassigned") when the row has no image bytes.
  std::optional<std::string> filePath;
  int32_t key = 0;  // BildCtr2
  std::string suchbegriffe;
  bool marked = false;
  std::string sizeText;  // "<KiB> KByte" when the file exists
  // The row's database counter BildCtr, which orders "SELECT * FROM Bilder"; 0 when not
  // known (a record this window added and has not read back).
  int64_t rowId = 0;

  // The text a column shows: the path for "unassigned" is empty.
  std::string Text(int item) const;
  // Whether the row has a preview, here or on its way.
  bool HasPreview() const { return previewPending || !preview.empty(); }
  // A preview set now, which ends any wait for one.
  void SetPreview(PreviewBytes bytes) {
    preview = std::move(bytes);
    previewPending = false;
  }
  // Whether two records' previews agree; one still on its way tells nothing.
  bool SamePreviewAs(const GridRecord& other) const {
    return previewPending || other.previewPending || preview == other.preview;
  }
};

// A preview read apart from its row, and the row's key.
struct ArrivedPreview {
  int32_t key = 0;
  PreviewBytes bytes;
};

// Told about every change of the grid's records, so that a view of them can follow even
// while a command is still running (a message box of the command lets the view repaint).
// Each "about to" call comes before the change, the other one after it.
class GridObserver {
 public:
  virtual ~GridObserver() = default;
  virtual void RecordsAboutToBeReset() = 0;
  virtual void RecordsReset() = 0;
  // A record appears at `index`: at the end, or between others (Insert).
  virtual void RecordAboutToBeAppended(int index) = 0;
  virtual void RecordAppended(int index) = 0;
  virtual void RecordAboutToBeRemoved(int index) = 0;
  virtual void RecordRemoved(int index) = 0;
  // Texts, path, preview or key of one record changed.
  virtual void RecordChanged(int index) = 0;
  // Marks of the records first..last changed.
  virtual void MarksChanged(int first, int last) = 0;
  // Previews of the records first..last came after the load.
  virtual void PreviewsArrived(int first, int last) = 0;
};

class CatalogueGrid {
 public:
  int focused = -1;  // -1: no record focused

  const std::vector<GridRecord>& records() const { return records_; }
  const GridRecord& Record(int index) const { return records_.at(static_cast<size_t>(index)); }
  int Count() const { return static_cast<int>(records_.size()); }
  bool Contains(int index) const { return index >= 0 && index < Count(); }
  const GridRecord* Focused() const {
    return Contains(focused) ? &records_[static_cast<size_t>(focused)] : nullptr;
  }
  std::vector<bool> Marks() const;
  // The selection panel's list: names of the marked records in record order.
  std::vector<std::string> MarkedNames() const;

  // The one view that follows the records (nullptr: none). The grid does not own it.
  void SetObserver(GridObserver* observer) { observer_ = observer; }

  // Every change goes through these, so that the observer hears of it.
  int Append(GridRecord record);
  // Puts a record at `index` (0..Count()); the focus stays on its record.
  void Insert(int index, GridRecord record);
  // Removes a record; the focus stays on its record or moves to the one taking its place.
  void Remove(int index);
  // Replaces all records at once (the load); the focus is cleared.
  void Replace(std::vector<GridRecord> records);
  void Clear() { Replace({}); }
  // Changes one record in place through `change(GridRecord&)`.
  template <typename Change>
  void Update(int index, Change&& change) {
    change(records_.at(static_cast<size_t>(index)));
    if (observer_ != nullptr) observer_->RecordChanged(index);
  }
  // Gives previews read after the load to the records still waiting for them, matched by
  // key; a record that was not waiting keeps what it has.
  void FillPendingPreviews(std::vector<ArrivedPreview>& arrived);
  // No more previews come: a record still waiting for one (its row went meanwhile) has none.
  void EndPendingPreviews();
  // Whether any record still waits for its preview.
  bool PreviewsPending() const;
  void SetMark(int index, bool marked);
  // Every record's mark at once (a shorter list leaves the records after it unmarked).
  void SetMarks(const std::vector<bool>& marks);
  // "Alles", "Keine" and "Invertieren".
  void MarkAll();
  void UnmarkAll();
  void InvertMarks();

 private:
  template <typename Change>
  void ChangeAllMarks(Change&& change);

  // The record index of a waiting record with `key`, looked for at `hint` first; -1: none.
  int PendingRecordOf(int32_t key, int hint) const;

  std::vector<GridRecord> records_;
  GridObserver* observer_ = nullptr;
  int pendingHint_ = 0;  // where the next arriving preview's record is likely to be
};

// In single-selection mode: focuses the last record with the key (no change when none, or
// for the key -1).
void FocusPreselectedKey(CatalogueGrid& grid, int32_t preselectKey);

}  // namespace vemora
