// The Qt model over the grid records: one row per record, one column per item (0-14), so
// a column number is the item index every command uses. The mark (item 10) is a check box
// that commits at once; pictures (item 0) come from the shared preview cache. The records
// stay the core's: the model observes them and announces each change to its views as it
// happens. It writes back only the mark, and hands edited texts to the window's
// committer, which writes them to the catalogue and into the record.
#pragma once

#include <QAbstractTableModel>
#include <functional>
#include <string>

#include "catalogue/grid_record.h"

namespace vemora::ui {

class PreviewCache;

class GridModel : public QAbstractTableModel, public GridObserver {
  Q_OBJECT

 public:
  // headerData role giving a column's identifier ("FT_Bild", "sec_file", ...).
  static constexpr int kColumnNameRole = Qt::UserRole + 1;

  // Writes an edited text of record `row`, column `item`; false when it was not written
  // (the cell then shows the record's text again).
  using TextCommitter = std::function<bool(int row, int item, const std::string& text)>;

  GridModel(CatalogueGrid& grid, PreviewCache& pictures, QObject* parent = nullptr);

  void SetTextCommitter(TextCommitter committer) { committer_ = std::move(committer); }

  // GridObserver
  void RecordsAboutToBeReset() override;
  void RecordsReset() override;
  void RecordAboutToBeAppended(int index) override;
  void RecordAppended(int index) override;
  void RecordAboutToBeRemoved(int index) override;
  void RecordRemoved(int index) override;
  void RecordChanged(int index) override;
  void MarksChanged(int first, int last) override;
  void PreviewsArrived(int first, int last) override;
  // The header shown in the selection style (-1: none).
  void SetHighlightedColumn(int item);
  int highlightedColumn() const { return highlighted_; }

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  bool setData(const QModelIndex& index, const QVariant& value, int role) override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

 signals:
  // Marks changed, by a click in the grid or by a command.
  void marksChanged();

 private:
  CatalogueGrid& grid_;
  PreviewCache& pictures_;
  TextCommitter committer_;
  int highlighted_ = -1;
};

// Column identifiers and captions by item index.
const char* GridColumnName(int item);
QString GridColumnCaption(int item);

}  // namespace vemora::ui
