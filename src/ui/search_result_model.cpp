#include "ui/search_result_model.h"

namespace vemora::ui {

SearchResultModel::SearchResultModel(SearchSnapshot& snapshot, QObject* parent)
    : QAbstractTableModel(parent), snapshot_(snapshot) {}

void SearchResultModel::Fill() {
  beginResetModel();
  entries_.clear();
  checks_.clear();
  const std::vector<SearchRow>& rows = snapshot_.Rows();
  for (size_t i = 0; i < rows.size(); ++i) {
    if (!rows[i].matches) continue;
    entries_.push_back(static_cast<int>(i));
    checks_.push_back(rows[i].checked ? 1 : 0);
  }
  endResetModel();
}

void SearchResultModel::SetAllChecked(bool checked) {
  std::fill(checks_.begin(), checks_.end(), checked ? 1 : 0);
  ChecksChanged();
}

void SearchResultModel::InvertChecks() {
  for (char& check : checks_) check = check != 0 ? 0 : 1;
  ChecksChanged();
}

void SearchResultModel::ChecksChanged() {
  if (entries_.empty()) return;
  emit dataChanged(index(0, kCheckColumn), index(rowCount() - 1, kCheckColumn),
                   {Qt::CheckStateRole});
}

std::vector<std::string> SearchResultModel::CheckedPaths() const {
  std::vector<std::string> paths;
  for (size_t row = 0; row < entries_.size(); ++row) {
    if (checks_[row] != 0) paths.push_back(snapshot_.Rows()[entries_[row]].filePath);
  }
  return paths;
}

int SearchResultModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(entries_.size());
}

int SearchResultModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : 4;
}

QVariant SearchResultModel::data(const QModelIndex& index, int role) const {
  if (!checkIndex(index, CheckIndexOption::IndexIsValid)) return {};
  const size_t row = static_cast<size_t>(index.row());
  const SearchRow& entry = snapshot_.Rows()[entries_[row]];
  if (index.column() == kCheckColumn) {
    if (role == Qt::CheckStateRole) return checks_[row] != 0 ? Qt::Checked : Qt::Unchecked;
    return {};
  }
  if (role != Qt::DisplayRole && role != Qt::ToolTipRole) return {};
  switch (index.column()) {
    case kNameColumn:
      return QString::fromStdString(entry.name);
    case kFileColumn:
      return QString::fromStdString(entry.filePath);
    case kRowIndexColumn:
      return QString::number(entry.rowIndex);
    default:
      return {};
  }
}

QVariant SearchResultModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
  switch (section) {
    case kCheckColumn:
      return QStringLiteral("Auswahl");
    case kNameColumn:
      return QStringLiteral("Bezeichnung");
    case kFileColumn:
      return QStringLiteral("Dateiname");
    default:
      return {};
  }
}

Qt::ItemFlags SearchResultModel::flags(const QModelIndex& index) const {
  if (!index.isValid()) return Qt::NoItemFlags;
  Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
  if (index.column() == kCheckColumn) flags |= Qt::ItemIsUserCheckable;
  return flags;
}

bool SearchResultModel::setData(const QModelIndex& index, const QVariant& value, int role) {
  if (role != Qt::CheckStateRole || index.column() != kCheckColumn ||
      !checkIndex(index, CheckIndexOption::IndexIsValid)) {
    return false;
  }
  const bool checked = value.toInt() == Qt::Checked;
  const size_t row = static_cast<size_t>(index.row());
  checks_[row] = checked ? 1 : 0;
  // The user's own click: every entry taken from the same grid row follows.
  const int rowIndex = snapshot_.Rows()[entries_[row]].rowIndex;
  for (SearchRow& entry : snapshot_.Rows()) {
    if (entry.rowIndex == rowIndex) entry.checked = checked;
  }
  emit dataChanged(index, index, {Qt::CheckStateRole});
  return true;
}

}  // namespace vemora::ui
