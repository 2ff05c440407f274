#include "ui/exif_dialog.h"

#include <QApplication>
#include <QClipboard>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSortFilterProxyModel>
#include <QStandardItemModel>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>

namespace vemora::ui {

TFExif::TFExif(QWidget* parent, const std::string& filePath) : QDialog(parent) {
  setObjectName("TFExif");
  setWindowTitle(QStringLiteral("EXIF Informationen"));
  const ExifReport report = ReadExifReport(filePath);

  QStringList lines;
  for (const std::string& line : report.summary) lines << QString::fromStdString(line);
  summary_ = new QPlainTextEdit(this);
  summary_->setObjectName("summaryMemo");
  summary_->setReadOnly(true);
  summary_->setPlainText(lines.join('\n'));
  summary_->moveCursor(QTextCursor::Start);

  tags_ = new QStandardItemModel(0, 3, this);
  tags_->setHorizontalHeaderLabels(
      {QStringLiteral("Gruppe"), QStringLiteral("Tag"), QStringLiteral("Wert")});
  for (const MetadataTag& tag : report.tags) {
    QList<QStandardItem*> row;
    for (const std::string* text : {&tag.group, &tag.name, &tag.value}) {
      auto* item = new QStandardItem(QString::fromStdString(*text));
      item->setEditable(false);
      row << item;
    }
    tags_->appendRow(row);
  }
  filter_ = new QSortFilterProxyModel(this);
  filter_->setSourceModel(tags_);
  filter_->setFilterKeyColumn(-1);  // a match in any column lists the row
  filter_->setFilterCaseSensitivity(Qt::CaseInsensitive);

  auto* information = new QWidget(this);
  information->setObjectName("pageDateiinformationen");
  search_ = new QLineEdit(information);
  search_->setObjectName("searchField");
  search_->setPlaceholderText(QStringLiteral("Suchen (Gruppe, Tag oder Wert)"));
  search_->setClearButtonEnabled(true);
  table_ = new QTableView(information);
  table_->setObjectName("tagTable");
  table_->setModel(filter_);
  table_->setSortingEnabled(true);
  table_->sortByColumn(-1, Qt::AscendingOrder);  // reading order until the user sorts
  table_->setSelectionBehavior(QAbstractItemView::SelectRows);
  table_->verticalHeader()->hide();
  table_->horizontalHeader()->setStretchLastSection(true);
  table_->resizeColumnsToContents();
  count_ = new QLabel(information);
  count_->setObjectName("countLabel");
  auto* copy = new QPushButton(QStringLiteral("Kopieren"), information);
  copy->setObjectName("copyButton");
  copy->setToolTip(QStringLiteral("Die angezeigten Einträge in die Zwischenablage kopieren."));
  connect(search_, &QLineEdit::textChanged, this, [this](const QString& text) {
    filter_->setFilterFixedString(text);
    UpdateCount();
  });
  connect(copy, &QPushButton::clicked, this,
          [this] { QApplication::clipboard()->setText(ListedRowsText()); });

  auto* searchRow = new QHBoxLayout;
  searchRow->addWidget(search_, 1);
  searchRow->addWidget(copy);
  auto* informationLayout = new QVBoxLayout(information);
  informationLayout->addLayout(searchRow);
  informationLayout->addWidget(table_, 1);
  informationLayout->addWidget(count_);

  auto* tabs = new QTabWidget(this);
  tabs->setObjectName("pages");
  tabs->addTab(summary_, QStringLiteral("Zusammenfassung"));
  tabs->addTab(information, QStringLiteral("Dateiinformationen"));

  auto* ok = new QPushButton(QStringLiteral("OK"), this);
  ok->setObjectName("okButton");
  ok->setDefault(true);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(ok);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(tabs, 1);
  layout->addLayout(buttons);
  UpdateCount();
  resize(560, 480);
}

QString TFExif::ListedRowsText() const {
  QStringList rows;
  for (int row = 0; row < filter_->rowCount(); ++row) {
    QStringList cells;
    for (int column = 0; column < filter_->columnCount(); ++column) {
      cells << filter_->index(row, column).data().toString();
    }
    rows << cells.join('\t');
  }
  return rows.join('\n');
}

void TFExif::UpdateCount() {
  count_->setText(
      QStringLiteral("%1 von %2 Einträgen").arg(filter_->rowCount()).arg(tags_->rowCount()));
}

}  // namespace vemora::ui
