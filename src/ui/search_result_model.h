// The search dialog's result list as a model over the snapshot: one row per matching
// entry, in snapshot order, with columns "Auswahl" (check box), "Bezeichnung", "Dateiname"
// and a hidden column holding the entry's row index.
//
// The list keeps its own check marks. A user's click on a check box also goes into the
// snapshot entry, so a later search shows it checked again; "Alles", "Keines" and
// "Invertieren" change the list only. The dialog owns the snapshot and the model.
#pragma once

#include <QAbstractTableModel>
#include <string>
#include <vector>

#include "search/search_snapshot.h"

namespace vemora::ui {

class SearchResultModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  enum Column { kCheckColumn = 0, kNameColumn = 1, kFileColumn = 2, kRowIndexColumn = 3 };

  explicit SearchResultModel(SearchSnapshot& snapshot, QObject* parent = nullptr);

  // FillResultList: one row per matching entry, check marks from the entries.
  void Fill();
  // The snapshot entry of a list row.
  int EntryOf(int row) const { return entries_.at(static_cast<size_t>(row)); }

  void SetAllChecked(bool checked);
  void InvertChecks();
  // "Dateiname" of every checked row, in list order.
  std::vector<std::string> CheckedPaths() const;

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;
  bool setData(const QModelIndex& index, const QVariant& value, int role) override;

 private:
  void ChecksChanged();

  SearchSnapshot& snapshot_;
  std::vector<int> entries_;
  std::vector<char> checks_;
};

}  // namespace vemora::ui
