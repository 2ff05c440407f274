#include "ui/detail_dialog.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/paths.h"

namespace vemora::ui {
namespace {

QString Q(const std::string& text) { return QString::fromStdString(text); }

QPlainTextEdit* Memo(const std::string& text, const char* name, QWidget* parent) {
  auto* memo = new QPlainTextEdit(Q(text), parent);
  memo->setObjectName(name);
  memo->setLineWrapMode(QPlainTextEdit::NoWrap);
  memo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  return memo;
}

QLineEdit* Field(const std::string& text, const char* name, QWidget* parent) {
  auto* field = new QLineEdit(Q(text), parent);
  field->setObjectName(name);
  return field;
}

// A group box holding a label above its control.
QGroupBox* Labelled(const QString& title, QWidget* control, QWidget* parent) {
  auto* box = new QGroupBox(title, parent);
  auto* layout = new QVBoxLayout(box);
  layout->addWidget(new QLabel(title, box));
  control->setParent(box);
  layout->addWidget(control);
  return box;
}

}  // namespace

TFDetail::TFDetail(QWidget* parent, const GridRecord& record, int32_t pictureWidth,
                   int32_t pictureHeight)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
  setObjectName("TFDetail");
  setWindowTitle(QStringLiteral("Detailansicht"));

  name_ = Field(record.name, "nameEdit", this);
  beschreibung_ = Memo(record.beschreibung, "beschreibungMemo", this);
  top_ = Field(record.textTop, "obenEdit", this);
  bottom_ = Field(record.textBottom, "untenEdit", this);
  left_ = Field(record.textLeft, "linksEdit", this);
  right_ = Field(record.textRight, "rechtsEdit", this);
  suchbegriffe_ = Memo(record.suchbegriffe, "suchbegriffeMemo", this);

  auto* captions = new QGroupBox(QStringLiteral("Beschriftung"), this);
  auto* captionGrid = new QGridLayout(captions);
  const std::pair<const char*, QLineEdit*> captionFields[] = {
      {"oben", top_}, {"unten", bottom_}, {"links", left_}, {"rechts", right_}};
  int row = 0;
  for (const auto& [label, field] : captionFields) {
    captionGrid->addWidget(new QLabel(QString::fromUtf8(label), captions), row, 0);
    field->setParent(captions);
    captionGrid->addWidget(field, row++, 1);
  }

  auto* information = new QGroupBox(QStringLiteral("Bildinformationen"), this);
  const QString fileName = Q(platform::FileNamePart(record.filePath.value_or("")));
  auto* file = new QLabel(fileName, information);
  file->setObjectName("fileLabel");
  file->setWordWrap(true);
  // The name may be cut by the wrap; the hint always holds it whole.
  file->setToolTip(QStringLiteral("Originaldateiname: %1").arg(fileName));
  auto* size =
      new QLabel(Q(DetailSizeText(pictureWidth, pictureHeight, record.sizeText)), information);
  size->setObjectName("sizeLabel");
  auto* infoGrid = new QGridLayout(information);
  infoGrid->addWidget(new QLabel(QStringLiteral("Bild"), information), 0, 0, Qt::AlignTop);
  infoGrid->addWidget(file, 0, 1);
  infoGrid->addWidget(new QLabel(QStringLiteral("Bildgröße"), information), 1, 0);
  infoGrid->addWidget(size, 1, 1);
  infoGrid->setColumnStretch(1, 1);

  auto* ok = new QPushButton(QStringLiteral("OK"), this);
  ok->setObjectName("okButton");
  ok->setDefault(true);
  auto* cancel = new QPushButton(QStringLiteral("Abbrechen"), this);
  cancel->setObjectName("cancelButton");
  connect(ok, &QPushButton::clicked, this, &TFDetail::Confirm);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(ok);
  buttons->addWidget(cancel);

  auto* left = new QVBoxLayout;
  left->addWidget(Labelled(QStringLiteral("Bezeichnung"), name_, this));
  left->addWidget(Labelled(QStringLiteral("Beschreibung"), beschreibung_, this), 1);
  left->addWidget(captions);
  auto* right = new QVBoxLayout;
  right->addWidget(Labelled(QStringLiteral("Suchbegriffe"), suchbegriffe_, this), 1);
  right->addWidget(information);
  auto* columns = new QHBoxLayout;
  columns->addLayout(left, 1);
  columns->addLayout(right, 1);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(columns, 1);
  layout->addLayout(buttons);
  resize(640, 460);
}

void TFDetail::Confirm() {
  accepted_ = true;
  texts_ = {name_->text().toStdString(),
            beschreibung_->toPlainText().toStdString(),
            top_->text().toStdString(),
            bottom_->text().toStdString(),
            left_->text().toStdString(),
            right_->text().toStdString(),
            suchbegriffe_->toPlainText().toStdString()};
  accept();
}

bool RunDetailCommand(QWidget* parent, CatalogueSession& session, CatalogueGrid& grid,
                      int32_t pictureWidth, int32_t pictureHeight) {
  const GridRecord* focused = grid.Focused();
  if (focused == nullptr) return false;
  TFDetail dialog(parent, *focused, pictureWidth, pictureHeight);
  dialog.exec();
  if (!dialog.Accepted()) return false;
  return WriteRecordTexts(session, grid, grid.focused, dialog.Texts()) > 0;
}

}  // namespace vemora::ui
