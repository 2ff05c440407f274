// The in-place editors of the grid's text columns: a multi-line editor for "Beschreibung"
// and "Suchbegriffe" (Return starts a new line; leaving the cell commits), the usual
// single-line editor for the others. The model decides what a commit means.
#pragma once

#include <QStyledItemDelegate>

namespace vemora::ui {

class TextCellDelegate : public QStyledItemDelegate {
  Q_OBJECT

 public:
  TextCellDelegate(bool multiLine, QObject* parent = nullptr);

  QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                        const QModelIndex& index) const override;
  void setEditorData(QWidget* editor, const QModelIndex& index) const override;
  void setModelData(QWidget* editor, QAbstractItemModel* model,
                    const QModelIndex& index) const override;
  void updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                            const QModelIndex& index) const override;

 private:
  bool multiLine_;
};

}  // namespace vemora::ui
