#include "ui/text_cell_delegate.h"

#include <QPlainTextEdit>

namespace vemora::ui {

TextCellDelegate::TextCellDelegate(bool multiLine, QObject* parent)
    : QStyledItemDelegate(parent), multiLine_(multiLine) {}

QWidget* TextCellDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                                        const QModelIndex& index) const {
  if (!multiLine_) return QStyledItemDelegate::createEditor(parent, option, index);
  auto* editor = new QPlainTextEdit(parent);
  editor->setObjectName("multiLineCellEditor");
  // Tab leaves the cell (and commits) as it does in the single-line editors.
  editor->setTabChangesFocus(true);
  return editor;
}

void TextCellDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const {
  if (auto* text = qobject_cast<QPlainTextEdit*>(editor)) {
    QString value = index.data(Qt::EditRole).toString();
    value.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text->setPlainText(value);
    text->document()->setModified(false);
    text->moveCursor(QTextCursor::End);
    return;
  }
  QStyledItemDelegate::setEditorData(editor, index);
}

void TextCellDelegate::setModelData(QWidget* editor, QAbstractItemModel* model,
                                    const QModelIndex& index) const {
  if (auto* text = qobject_cast<QPlainTextEdit*>(editor)) {
    // A text the user left alone stays byte for byte as stored; an edited one takes CR LF,
    // the line break every host of a shared catalogue reads.
    if (!text->document()->isModified()) return;
    QString value = text->toPlainText();
    value.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    model->setData(index, value, Qt::EditRole);
    return;
  }
  QStyledItemDelegate::setModelData(editor, model, index);
}

void TextCellDelegate::updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                                            const QModelIndex& index) const {
  if (!multiLine_) return QStyledItemDelegate::updateEditorGeometry(editor, option, index);
  // A cell may be one line high; the editor needs room for a few.
  QRect area = option.rect;
  area.setHeight(std::max(area.height(), 4 * option.fontMetrics.height()));
  editor->setGeometry(area);
}

}  // namespace vemora::ui
