#include "ui/grid_view.h"

#include <QPainter>
#include <QScrollBar>

#include "catalogue/editing.h"
#include "catalogue/grid_record.h"
#include "ui/banded_header.h"
#include "ui/picture_delegate.h"
#include "ui/text_cell_delegate.h"

namespace vemora::ui {
namespace {

std::vector<GridBand> CatalogueBands() {
  return {
      {QStringLiteral("BILD"), {kItemMark, kItemPreview}},
      {QStringLiteral("INFORMATIONEN"), {kItemName, kItemBeschreibung}},
      {QStringLiteral("BESCHRIFTUNG"),
       {kItemTextTop, kItemTextBottom, kItemTextLeft, kItemTextRight}},
      {QStringLiteral("SUCHBEGRIFFE"), {kItemSuchbegriffe}},
      {QStringLiteral("DETAILS"), {kItemPath, kItemSize}},
      {QString(), {kItemSpacer}},
  };
}

constexpr int kPreviewRowHeight = 104;  // previews are 100 pixels high

}  // namespace

GridView::GridView(QWidget* parent)
    : QTableView(parent), header_(new BandedHeader(CatalogueBands(), this)) {
  setObjectName("cxGrid1");
  setHorizontalHeader(header_);
  setSelectionBehavior(QAbstractItemView::SelectRows);
  setSelectionMode(QAbstractItemView::SingleSelection);
  // Text cells edit in place: typing, F2, a double click or a click on the focused cell.
  setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                  QAbstractItemView::AnyKeyPressed | QAbstractItemView::SelectedClicked);
  setSortingEnabled(false);
  setWordWrap(true);
  setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
  setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
  verticalHeader()->hide();
  // The grid draws its own lines (see SetLook).
  setShowGrid(false);
  verticalHeader()->setSectionResizeMode(QHeaderView::Interactive);
  verticalHeader()->setDefaultSectionSize(kPreviewRowHeight);
  setIconSize(QSize(160, 100));
  setContextMenuPolicy(Qt::CustomContextMenu);
  setItemDelegateForColumn(kItemPreview, new PictureDelegate(this));
  auto* singleLine = new TextCellDelegate(false, this);
  auto* multiLine = new TextCellDelegate(true, this);
  for (int item = 0; item < kItemCount; ++item)
    if (EditSelectorForItem(item))
      setItemDelegateForColumn(item, IsMultiLineItem(item) ? multiLine : singleLine);
  connect(horizontalScrollBar(), &QScrollBar::valueChanged, header_, &BandedHeader::RepaintBands);
}

void GridView::setModel(QAbstractItemModel* model) {
  QTableView::setModel(model);
  // Display order: the bands left to right; the key, the hidden path and item 14 stay out.
  const std::vector<int> order = {kItemMark,         kItemPreview,   kItemName,
                                  kItemBeschreibung, kItemTextTop,   kItemTextBottom,
                                  kItemTextLeft,     kItemTextRight, kItemSuchbegriffe,
                                  kItemPath,         kItemSize,      kItemSpacer};
  for (int visual = 0; visual < static_cast<int>(order.size()); ++visual)
    header_->moveSection(header_->visualIndex(order[static_cast<size_t>(visual)]), visual);
  for (int hidden : {kItemFile, kItemKey, kItemUnused}) setColumnHidden(hidden, true);
  // "DETAILS" starts hidden; the layout settings may show it.
  SetBandVisible(kBandDetails, false);
  header_->setMinimumSectionSize(1);
  setColumnWidth(kItemMark, 22);
  setColumnWidth(kItemPreview, 140);
  setColumnWidth(kItemName, 160);
  setColumnWidth(kItemBeschreibung, 200);
  for (int item : {kItemTextTop, kItemTextBottom, kItemTextLeft, kItemTextRight})
    setColumnWidth(item, 80);
  setColumnWidth(kItemSuchbegriffe, 140);
  setColumnWidth(kItemPath, 240);
  setColumnWidth(kItemSize, 80);
  setColumnWidth(kItemSpacer, 1);
  header_->setSectionResizeMode(kItemMark, QHeaderView::Fixed);
  header_->setSectionResizeMode(kItemSpacer, QHeaderView::Fixed);
  connect(model, &QAbstractItemModel::modelReset, this, &GridView::ForgetFittedRows);
  connect(model, &QAbstractItemModel::rowsInserted, this, &GridView::ForgetFittedRows);
  connect(model, &QAbstractItemModel::rowsRemoved, this, &GridView::ForgetFittedRows);
  // An edited text may need more lines: its row is fitted again when next painted.
  connect(
      model, &QAbstractItemModel::dataChanged, this,
      [this](const QModelIndex& topLeft, const QModelIndex& bottomRight, const QList<int>& roles) {
        if (roles.contains(Qt::CheckStateRole)) return;
        for (int row = topLeft.row(); row <= bottomRight.row(); ++row)
          if (row < static_cast<int>(fitted_.size())) fitted_[static_cast<size_t>(row)] = false;
        viewport()->update();
      });
}

void GridView::SetBandVisible(int band, bool visible) {
  const auto& bands = header_->bands();
  if (band < 0 || band >= static_cast<int>(bands.size())) return;
  for (int column : bands[static_cast<size_t>(band)].columns) setColumnHidden(column, !visible);
  header_->RepaintBands();
}

void GridView::ForgetFittedRows() {
  fitted_.assign(model() ? static_cast<size_t>(model()->rowCount()) : 0, false);
}

void GridView::CommitPendingEdit() {
  if (state() != QAbstractItemView::EditingState) return;
  if (QWidget* editor = indexWidget(currentIndex())) {
    commitData(editor);
    closeEditor(editor, QAbstractItemDelegate::NoHint);
  }
}

void GridView::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
  QTableView::currentChanged(current, previous);
  if (current.column() != previous.column() || !previous.isValid())
    emit focusedColumnChanged(current.isValid() ? current.column() : -1);
}

void GridView::paintEvent(QPaintEvent* event) {
  FitVisibleRows();
  QTableView::paintEvent(event);
  QPainter painter(viewport());
  PaintGridLines(*this, painter, look_.lines, look_.colour);
}

void GridView::SetLook(const GridLook& look) {
  look_ = look;
  switch (look.style) {
    case GridStyle::UltraFlat:
      setFrameStyle(QFrame::NoFrame);
      break;
    case GridStyle::Flat:
      setFrameStyle(QFrame::Box | QFrame::Plain);
      break;
    case GridStyle::Standard:
      setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
      break;
  }
  header_->setStyleSheet(HeaderStyleSheet(look.style));
  // Fitted: the text columns share the width; otherwise they keep their widths and the
  // grid scrolls sideways.
  const QHeaderView::ResizeMode mode =
      look.autoWidth ? QHeaderView::Stretch : QHeaderView::Interactive;
  for (int item : {kItemName, kItemBeschreibung, kItemTextTop, kItemTextBottom, kItemTextLeft,
                   kItemTextRight, kItemSuchbegriffe, kItemPath, kItemSize})
    header_->setSectionResizeMode(item, mode);
  viewport()->update();
}

void GridView::FitVisibleRows() {
  if (fitting_ || model() == nullptr) return;
  const int rows = model()->rowCount();
  if (static_cast<int>(fitted_.size()) != rows) ForgetFittedRows();
  int first = rowAt(0);
  if (first < 0) return;
  fitting_ = true;
  // A fitted row may grow and push others out of view; each row is fitted once.
  for (int row = first; row < rows && rowViewportPosition(row) < viewport()->height(); ++row) {
    if (fitted_[static_cast<size_t>(row)]) continue;
    fitted_[static_cast<size_t>(row)] = true;
    const int wanted = std::max(kPreviewRowHeight, sizeHintForRow(row));
    if (wanted != rowHeight(row)) setRowHeight(row, wanted);
  }
  fitting_ = false;
}

}  // namespace vemora::ui
