#include "ui/resize_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "codec/colour_reduction.h"
#include "codec/resample_filters.h"

namespace vemora::ui {
namespace {

constexpr int kWidth = 430;
constexpr const char* kFilterNames[] = {"Triangle", "Hermite",  "Bell",
                                        "B-Spline", "Lanczos3", "Mitchell"};

QLineEdit* LimitField(QWidget* parent, const char* name) {
  auto* field = new QLineEdit(parent);
  field->setObjectName(name);
  field->setMaxLength(10);
  return field;
}

}  // namespace

TResizeForm::TResizeForm(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint) {
  setObjectName("TResizeForm");
  setWindowTitle(QStringLiteral("Einstellungen zur Skalierung"));
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);

  QFrame* panel = AddPanel("Panel1", 80);
  suggestions_ = new QComboBox(panel);
  suggestions_->setObjectName("suggestionList");
  suggestions_->addItem(QStringLiteral("stark"), 800);
  suggestions_->addItem(QStringLiteral("mittel"), 1200);
  suggestions_->addItem(QStringLiteral("schwach"), 1600);
  allImages_ = new QRadioButton(QStringLiteral("alle Bilder"), panel);
  allImages_->setObjectName("allImages");
  markedImages_ = new QRadioButton(QStringLiteral("markierte Bilder"), panel);
  markedImages_->setObjectName("markedImages");
  auto* grid = new QGridLayout(panel);
  grid->addWidget(new QLabel(QStringLiteral("Reduzieren der Bildgrößen"), panel), 0, 0);
  grid->addWidget(suggestions_, 1, 0);
  grid->addWidget(allImages_, 0, 1);
  grid->addWidget(markedImages_, 1, 1);

  panel = AddPanel("Panel2", 50);
  combined_ = LimitField(panel, "combinedEdit");
  auto* row = new QHBoxLayout(panel);
  auto* combinedLabel = new QLabel(QStringLiteral("&Obergrenzen für Bilder "), panel);
  combinedLabel->setBuddy(combined_);
  row->addWidget(combinedLabel);
  row->addWidget(new QLabel(QStringLiteral("Länge und Breite"), panel));
  row->addWidget(combined_);
  row->addWidget(new QLabel(QStringLiteral("Pixel"), panel));

  panel = AddPanel("Panel3", 80);
  width_ = LimitField(panel, "widthEdit");
  height_ = LimitField(panel, "heightEdit");
  grid = new QGridLayout(panel);
  grid->addWidget(new QLabel(QStringLiteral("Obergrenzen für Bilder"), panel), 0, 0, 1, 3);
  auto* widthLabel = new QLabel(QStringLiteral("&Weite"), panel);
  widthLabel->setBuddy(width_);
  auto* heightLabel = new QLabel(QStringLiteral("&Höhe"), panel);
  heightLabel->setBuddy(height_);
  grid->addWidget(widthLabel, 1, 0);
  grid->addWidget(width_, 1, 1);
  grid->addWidget(new QLabel(QStringLiteral("Pixel"), panel), 1, 2);
  grid->addWidget(heightLabel, 2, 0);
  grid->addWidget(height_, 2, 1);
  grid->addWidget(new QLabel(QStringLiteral("Pixel"), panel), 2, 2);

  panel = AddPanel("Panel4", 50);
  printQuality_ = new QComboBox(panel);
  printQuality_->setObjectName("printQualityList");
  printQuality_->addItem(QStringLiteral("300 DPI"), 300);
  printQuality_->addItem(QStringLiteral("600 DPI"), 600);
  sizeText_ = new QLabel(panel);
  sizeText_->setObjectName("sizeText");
  row = new QHBoxLayout(panel);
  row->addWidget(new QLabel(QStringLiteral("entspricht bei einer Druckqualität"), panel));
  row->addWidget(printQuality_);
  row->addWidget(new QLabel(QStringLiteral("von"), panel));
  row->addWidget(new QLabel(QStringLiteral("der Bildgröße von"), panel));
  row->addWidget(sizeText_);

  panel = AddPanel("Panel5", 80);
  interpolate_ = new QCheckBox(QStringLiteral("&Interpolieren"), panel);
  interpolate_->setObjectName("interpolateBox");
  filters_ = new QComboBox(panel);
  filters_->setObjectName("filterList");
  for (const char* name : kFilterNames) filters_->addItem(QString::fromLatin1(name));
  colourFormats_ = new QComboBox(panel);
  colourFormats_->setObjectName("colourFormatList");
  for (const std::string_view name : codec::kColourFormatNames)
    colourFormats_->addItem(QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())));
  filterLabel_ = new QLabel(QStringLiteral("&Filter"), panel);
  filterLabel_->setBuddy(filters_);
  colourLabel_ = new QLabel(QStringLiteral("&Zielformat"), panel);
  colourLabel_->setBuddy(colourFormats_);
  grid = new QGridLayout(panel);
  grid->addWidget(interpolate_, 0, 0);
  grid->addWidget(filterLabel_, 1, 0);
  grid->addWidget(filters_, 1, 1);
  grid->addWidget(colourLabel_, 2, 0);
  grid->addWidget(colourFormats_, 2, 1);

  panel = AddPanel("Panel6", 130);
  auto* warning = new QLabel(
      QStringLiteral("Achtung !\nDie Skalierung wird mit den in der Datenbank gespeicherterten "
                     "Bildern vorgenommen.\nWenn Sie die Bilder in der ursprünglichen Auflösung "
                     "erhalten wollen, so brechen Sie diese Funktion ab und speichern Sie die "
                     "Bilder über"),
      panel);
  warning->setWordWrap(true);
  auto* exportButton = new QPushButton(QStringLiteral("\"Bild->Datei->Exportieren..\""), panel);
  exportButton->setObjectName("cxButton1");
  auto* column = new QVBoxLayout(panel);
  column->addWidget(warning);
  column->addWidget(exportButton, 0, Qt::AlignLeft);

  panel = AddPanel("Panel7", 45);
  auto* ok = new QPushButton(QStringLiteral("OK"), panel);
  ok->setObjectName("okButton");
  ok->setDefault(true);
  auto* cancel = new QPushButton(QStringLiteral("Abbrechen"), panel);
  cancel->setObjectName("cancelButton");
  row = new QHBoxLayout(panel);
  row->addStretch(1);
  row->addWidget(ok);
  row->addWidget(cancel);

  for (QFrame* each : panels_) layout->addWidget(each);
  panels_[0]->installEventFilter(this);

  connect(interpolate_, &QCheckBox::toggled, this, &TResizeForm::ApplyInterpolation);
  connect(suggestions_, &QComboBox::currentIndexChanged, this, &TResizeForm::ApplySuggestion);
  connect(combined_, &QLineEdit::textChanged, this, [this](const QString& text) {
    width_->setText(text);
    height_->setText(text);
  });
  connect(width_, &QLineEdit::textChanged, this, [this] { LimitEdited(width_, widthLimit_); });
  connect(height_, &QLineEdit::textChanged, this, [this] { LimitEdited(height_, heightLimit_); });
  connect(printQuality_, &QComboBox::currentIndexChanged, this, [this] {
    dpi_ = printQuality_->currentData().toInt();
    UpdateSizeText();
  });
  connect(exportButton, &QPushButton::clicked, this, [this] {
    exportRequested_ = true;
    done(QDialog::Rejected);
  });
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

  allImages_->setChecked(true);
  filters_->setCurrentIndex(0);
  colourFormats_->setCurrentIndex(colourFormats_->count() - 1);
  ApplyInterpolation();
  suggestions_->setCurrentIndex(0);
  ApplySuggestion();
  printQuality_->setCurrentIndex(0);
  UpdateSizeText();
  SetLayout(Layout::Normal);
}

QFrame* TResizeForm::AddPanel(const char* name, int height) {
  auto* panel = new QFrame(this);
  panel->setObjectName(name);
  panel->setFrameShape(QFrame::StyledPanel);
  panel->setFixedSize(kWidth, height);
  panels_.push_back(panel);
  return panel;
}

void TResizeForm::SetLayout(Layout layout) {
  // Panels 3 (separate limits) and 5 (filter) are the expert ones.
  panels_[2]->setVisible(layout == Layout::Expert);
  panels_[4]->setVisible(layout != Layout::Normal);
  int height = 0;
  for (const QFrame* panel : panels_)
    if (!panel->isHidden()) height += panel->height();
  setFixedSize(kWidth, height);
}

bool TResizeForm::eventFilter(QObject* watched, QEvent* event) {
  if (watched == panels_[0] && event->type() == QEvent::MouseButtonPress) {
    const auto* mouse = static_cast<QMouseEvent*>(event);
    if (mouse->button() == Qt::RightButton) {
      const Qt::KeyboardModifiers modifiers = mouse->modifiers();
      if (!(modifiers & Qt::ControlModifier))
        SetLayout(Layout::Normal);
      else
        SetLayout(modifiers & Qt::AltModifier ? Layout::Expert : Layout::FilterExpert);
      return true;
    }
  }
  return QDialog::eventFilter(watched, event);
}

void TResizeForm::ApplyInterpolation() {
  const bool on = interpolate_->isChecked();
  for (QWidget* widget :
       {static_cast<QWidget*>(filters_), static_cast<QWidget*>(filterLabel_),
        static_cast<QWidget*>(colourFormats_), static_cast<QWidget*>(colourLabel_)})
    widget->setEnabled(on);
}

void TResizeForm::ApplySuggestion() {
  combined_->setEnabled(true);
  combined_->setText(QString::number(suggestions_->currentData().toInt()));
}

void TResizeForm::LimitEdited(QLineEdit* field, int& limit) {
  bool whole = false;
  const int value = field->text().toInt(&whole);
  if (whole) limit = value;
  UpdateSizeText();
}

QString TResizeForm::PrintSizeText(int width, int height, int dpiX, int dpiY) {
  if (width <= 0 || height <= 0 || dpiX <= 0 || dpiY <= 0)
    return QStringLiteral("<Keine Angabe möglich>");
  return QString::asprintf("%6.2f x %6.2f cm", height / static_cast<double>(dpiY) * 2.54,
                           width / static_cast<double>(dpiX) * 2.54);
}

void TResizeForm::UpdateSizeText() {
  sizeText_->setText(PrintSizeText(widthLimit_, heightLimit_, dpi_, dpi_));
}

ResizeDialogResult TResizeForm::Result() const {
  ResizeDialogResult result;
  if (exportRequested_)
    result.outcome = ResizeOutcome::ExportRequested;
  else
    result.outcome =
        this->result() == QDialog::Accepted ? ResizeOutcome::Ok : ResizeOutcome::Cancelled;
  result.widthText = width_->text().toStdString();
  result.heightText = height_->text().toStdString();
  result.markedOnly = markedImages_->isChecked();
  result.interpolate = interpolate_->isChecked();
  result.filter = filters_->currentIndex();
  result.colourFormat = colourFormats_->currentIndex();
  return result;
}

}  // namespace vemora::ui
