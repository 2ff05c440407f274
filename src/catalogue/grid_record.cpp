#include "catalogue/grid_record.h"

#include <algorithm>
#include <stdexcept>

namespace vemora {
namespace {

// Tells an observer of the records whose previews came, once per run of neighbours: a load's
// previews come a thousand neighbours at a time.
class PreviewRuns {
 public:
  explicit PreviewRuns(GridObserver* observer) : observer_(observer) {}
  ~PreviewRuns() { Tell(); }
  PreviewRuns(const PreviewRuns&) = delete;
  PreviewRuns& operator=(const PreviewRuns&) = delete;

  void Add(int index) {
    if (first_ < 0 || index != last_ + 1) {
      Tell();
      first_ = index;
    }
    last_ = index;
  }

 private:
  void Tell() const {
    if (first_ >= 0 && observer_ != nullptr) observer_->PreviewsArrived(first_, last_);
  }

  GridObserver* observer_;
  int first_ = -1;
  int last_ = -1;
};

}  // namespace

std::string GridRecord::Text(int item) const {
  switch (item) {
    case kItemName:
      return name;
    case kItemBeschreibung:
      return beschreibung;
    case kItemTextTop:
      return textTop;
    case kItemTextBottom:
      return textBottom;
    case kItemTextLeft:
      return textLeft;
    case kItemTextRight:
      return textRight;
    case kItemFile:
    case kItemPath:
      return filePath.value_or("");
    case kItemKey:
      return std::to_string(key);
    case kItemSuchbegriffe:
      return suchbegriffe;
    case kItemSize:
      return sizeText;
    default:
      return {};
  }
}

std::vector<bool> CatalogueGrid::Marks() const {
  std::vector<bool> marks;
  marks.reserve(records_.size());
  for (const auto& record : records_) marks.push_back(record.marked);
  return marks;
}

std::vector<std::string> CatalogueGrid::MarkedNames() const {
  std::vector<std::string> names;
  for (const auto& record : records_)
    if (record.marked) names.push_back(record.name);
  return names;
}

int CatalogueGrid::Append(GridRecord record) {
  const int index = Count();
  if (observer_ != nullptr) observer_->RecordAboutToBeAppended(index);
  records_.push_back(std::move(record));
  if (observer_ != nullptr) observer_->RecordAppended(index);
  return index;
}

void CatalogueGrid::Insert(int index, GridRecord record) {
  if (index < 0 || index > Count()) throw std::out_of_range("grid record position");
  if (observer_ != nullptr) observer_->RecordAboutToBeAppended(index);
  records_.insert(records_.begin() + index, std::move(record));
  if (focused >= index) ++focused;
  if (observer_ != nullptr) observer_->RecordAppended(index);
}

void CatalogueGrid::Remove(int index) {
  if (!Contains(index)) return;
  if (observer_ != nullptr) observer_->RecordAboutToBeRemoved(index);
  records_.erase(records_.begin() + index);
  if (focused > index) --focused;
  if (focused >= Count()) focused = Count() - 1;
  if (observer_ != nullptr) observer_->RecordRemoved(index);
}

void CatalogueGrid::Replace(std::vector<GridRecord> records) {
  if (observer_ != nullptr) observer_->RecordsAboutToBeReset();
  records_ = std::move(records);
  focused = -1;
  pendingHint_ = 0;
  if (observer_ != nullptr) observer_->RecordsReset();
}

int CatalogueGrid::PendingRecordOf(int32_t key, int hint) const {
  // Previews come in the load's order, so the next waiting record is nearly always the one.
  const int count = Count();
  for (int step = 0; step < count; ++step) {
    const int index = (hint + step) % count;
    const GridRecord& record = records_[static_cast<size_t>(index)];
    if (record.previewPending && record.key == key) return index;
  }
  return -1;
}

void CatalogueGrid::FillPendingPreviews(std::vector<ArrivedPreview>& arrived) {
  PreviewRuns runs(observer_);
  for (ArrivedPreview& preview : arrived) {
    const int index = PendingRecordOf(preview.key, pendingHint_);
    if (index < 0) continue;  // a row this window does not hold, or one that changed since
    records_[static_cast<size_t>(index)].SetPreview(std::move(preview.bytes));
    pendingHint_ = index + 1;
    runs.Add(index);
  }
}

void CatalogueGrid::EndPendingPreviews() {
  PreviewRuns runs(observer_);
  for (int index = 0; index < Count(); ++index) {
    GridRecord& record = records_[static_cast<size_t>(index)];
    if (!record.previewPending) continue;
    record.previewPending = false;
    runs.Add(index);
  }
  pendingHint_ = 0;
}

bool CatalogueGrid::PreviewsPending() const {
  return std::any_of(records_.begin(), records_.end(),
                     [](const GridRecord& record) { return record.previewPending; });
}

void CatalogueGrid::SetMark(int index, bool marked) {
  records_.at(static_cast<size_t>(index)).marked = marked;
  if (observer_ != nullptr) observer_->MarksChanged(index, index);
}

template <typename Change>
void CatalogueGrid::ChangeAllMarks(Change&& change) {
  for (auto& record : records_) change(record.marked);
  if (observer_ != nullptr && !records_.empty()) observer_->MarksChanged(0, Count() - 1);
}

void CatalogueGrid::SetMarks(const std::vector<bool>& marks) {
  size_t index = 0;
  ChangeAllMarks([&](bool& marked) {
    marked = index < marks.size() && marks[index];
    ++index;
  });
}

void CatalogueGrid::MarkAll() {
  ChangeAllMarks([](bool& marked) { marked = true; });
}

void CatalogueGrid::UnmarkAll() {
  ChangeAllMarks([](bool& marked) { marked = false; });
}

void CatalogueGrid::InvertMarks() {
  ChangeAllMarks([](bool& marked) { marked = !marked; });
}

void FocusPreselectedKey(CatalogueGrid& grid, int32_t preselectKey) {
  if (preselectKey == -1) return;
  for (int i = 0; i < grid.Count(); ++i)
    if (grid.Record(i).key == preselectKey) grid.focused = i;
}

}  // namespace vemora
