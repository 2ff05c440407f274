#include "ui/search_criteria_panel.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QVBoxLayout>
#include <charconv>
#include <optional>

#include "search/date_serial.h"

namespace vemora::ui {
namespace {

template <typename T>
T* Named(T* widget, const char* name) {
  widget->setObjectName(QString::fromLatin1(name));
  return widget;
}

QCheckBox* CheckBox(const char* name, const QString& text) {
  return Named(new QCheckBox(text), name);
}

QComboBox* Choice(const char* name, const QStringList& items) {
  auto* box = Named(new QComboBox, name);
  box->addItems(items);
  return box;
}

// An integer typed in a field; none for anything else.
std::optional<int32_t> ReadInteger(const QString& text) {
  const std::string digits = text.trimmed().toStdString();
  int32_t value = 0;
  const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
  if (digits.empty() || error != std::errc() || end != digits.data() + digits.size()) {
    return std::nullopt;
  }
  return value;
}

std::optional<int32_t> ReadDate(const QLineEdit* field) {
  return ParseDate(field->text().toStdString());
}

QString DateText(int32_t day) {
  return day > 0 ? QString::fromStdString(FormatDate(day)) : QString();
}

}  // namespace

SearchCriteriaPanel::SearchCriteriaPanel(QWidget* parent) : QTabWidget(parent) {
  setObjectName("searchCriteriaPages");
  addTab(BuildTextPage(), QStringLiteral("Textsuche"));
  addTab(BuildExtendedPage(), QStringLiteral("Erweitert"));
  // Fresh lists: the width, age-kind and unit lists start on their first item, the term
  // kinds on none.
  for (QComboBox* kind : kinds_) kind->setCurrentIndex(-1);
  ShowOptionsInDialog(SearchOptionSet{});
}

QWidget* SearchCriteriaPanel::BuildTextPage() {
  auto* page = new QWidget;
  auto* layout = new QHBoxLayout(page);

  auto* fields = new QGroupBox(QStringLiteral("Felder"));
  auto* fieldLayout = new QVBoxLayout(fields);
  fieldKeywords_ = CheckBox("CFeldSuchbegriffe", QStringLiteral("Suchbegriffe"));
  fieldDescription_ = CheckBox("CFeldBeschreibung", QStringLiteral("Beschreibung"));
  fieldPath_ = CheckBox("CFeldDateiname", QStringLiteral("Pfad-/Dateiname"));
  fieldName_ = CheckBox("CFeldBezeichnung", QStringLiteral("Bildbezeichnung"));
  fieldCaptions_ = CheckBox("CFeldBeschriftung", QStringLiteral("Beschriftung"));
  for (QCheckBox* box :
       {fieldKeywords_, fieldDescription_, fieldPath_, fieldName_, fieldCaptions_}) {
    fieldLayout->addWidget(box);
  }
  layout->addWidget(fields);

  auto* text = new QGroupBox(QStringLiteral("Enthaltener Text"));
  auto* textLayout = new QGridLayout(text);
  static const char* const kKindNames[] = {"CTextArt1", "CTextArt2", "CTextArt3"};
  static const char* const kTermNames[] = {"eText1", "eText2", "eText3"};
  const QStringList connectors = {QStringLiteral("und"), QStringLiteral("oder"),
                                  QStringLiteral("und nicht")};
  for (int i = 0; i < 3; ++i) {
    kinds_[i] =
        Choice(kKindNames[i],
               i == 0 ? QStringList{QStringLiteral(" "), QStringLiteral("nicht")} : connectors);
    terms_[i] = Named(new QLineEdit, kTermNames[i]);
    textLayout->addWidget(kinds_[i], i, 0);
    textLayout->addWidget(terms_[i], i, 1);
  }
  layout->addWidget(text, 1);

  auto* search = new QGroupBox(QStringLiteral("Suchen"));
  auto* searchLayout = new QVBoxLayout(search);
  wholeWords_ = CheckBox("CGanzeWoerter", QStringLiteral("nur ganze Wörter"));
  matchCase_ = CheckBox("cGrossKlein", QStringLiteral("Groß-/Kleinschreibung beachten"));
  searchLayout->addWidget(wholeWords_);
  searchLayout->addWidget(matchCase_);
  searchLayout->addStretch();
  layout->addWidget(search);
  return page;
}

QWidget* SearchCriteriaPanel::BuildExtendedPage() {
  auto* page = new QWidget;
  auto* layout = new QHBoxLayout(page);
  const QStringList comparisons = {QStringLiteral("größer"), QStringLiteral("kleiner"),
                                   QStringLiteral("gleich")};

  auto* size = new QGroupBox(QStringLiteral("Bildgröße"));
  auto* sizeLayout = new QGridLayout(size);
  width_ = CheckBox("cErwBreite", QStringLiteral("Breite"));
  widthKind_ = Choice("cBreiteArt", comparisons);
  widthValue_ = Named(new QLineEdit, "eBreiteWert");
  height_ = CheckBox("cErwHoehe", QStringLiteral("Höhe"));
  heightKind_ = Choice("cHoeheArt", comparisons);
  heightValue_ = Named(new QLineEdit, "eHoeheWert");
  sizeLayout->addWidget(width_, 0, 0);
  sizeLayout->addWidget(widthKind_, 0, 1);
  sizeLayout->addWidget(widthValue_, 0, 2);
  sizeLayout->addWidget(new QLabel(QStringLiteral("Pixel")), 0, 3);
  sizeLayout->addWidget(height_, 1, 0);
  sizeLayout->addWidget(heightKind_, 1, 1);
  sizeLayout->addWidget(heightValue_, 1, 2);
  sizeLayout->addWidget(new QLabel(QStringLiteral("Pixel")), 1, 3);
  layout->addWidget(size);

  auto* file = new QGroupBox(QStringLiteral("Datei"));
  auto* fileLayout = new QGridLayout(file);
  dateRange_ = CheckBox("CErwZwischen", QStringLiteral(" Dateidatum zwischen"));
  dateFrom_ = Named(new QLineEdit, "eDatumVon");
  dateTo_ = Named(new QLineEdit, "eDatumBis");
  for (QLineEdit* date : {dateFrom_, dateTo_}) {
    date->setPlaceholderText(QStringLiteral("TT.MM.JJJJ"));
    connect(date, &QLineEdit::editingFinished, this, &SearchCriteriaPanel::OrderDates);
  }
  fileLayout->addWidget(dateRange_, 0, 0);
  fileLayout->addWidget(dateFrom_, 0, 1);
  fileLayout->addWidget(new QLabel(QStringLiteral("und")), 0, 2);
  fileLayout->addWidget(dateTo_, 0, 3);
  age_ = Named(new QCheckBox, "cErwAelter");
  ageKind_ = Choice("cDatumArt", {QStringLiteral("nicht älter als"), QStringLiteral("älter als")});
  ageCount_ = Named(new QSpinBox, "eDatumAnzahl");
  ageCount_->setRange(1, 300);
  ageUnit_ = Choice("CDatumZeit", {QStringLiteral("Tag(e)"), QStringLiteral("Woche(n)"),
                                   QStringLiteral("Monat(e)"), QStringLiteral("Jahr(e)")});
  auto* ageRow = new QHBoxLayout;
  for (QWidget* widget : std::initializer_list<QWidget*>{age_, ageKind_, ageCount_, ageUnit_}) {
    ageRow->addWidget(widget);
  }
  ageRow->addStretch();
  fileLayout->addLayout(ageRow, 1, 0, 1, 4);
  layout->addWidget(file, 1);
  return page;
}

void SearchCriteriaPanel::OrderDates() {
  const auto from = ReadDate(dateFrom_);
  const auto to = ReadDate(dateTo_);
  if (from && to && *from > *to) {
    const QString later = dateFrom_->text();
    dateFrom_->setText(dateTo_->text());
    dateTo_->setText(later);
  }
}

SearchOptionSet SearchCriteriaPanel::ReadOptionsFromDialog() const {
  SearchOptionSet options;
  options.AlleProjekte = true;
  options.Feldsuchbegriffe = fieldKeywords_->isChecked();
  options.FeldBeschreibung = fieldDescription_->isChecked();
  options.FeldDateiname = fieldPath_->isChecked();
  options.FeldBezeichnung = fieldName_->isChecked();
  options.FeldBeschriftung = fieldCaptions_->isChecked();
  options.TextArt1 = kinds_[0]->currentIndex();
  options.Text1 = terms_[0]->text().toStdString();
  options.TextArt2 = kinds_[1]->currentIndex();
  options.Text2 = terms_[1]->text().toStdString();
  options.TextArt3 = kinds_[2]->currentIndex();
  options.Text3 = terms_[2]->text().toStdString();
  options.GanzeWoerter = wholeWords_->isChecked();
  options.GrossKlein = matchCase_->isChecked();
  options.DatumZwischen = dateRange_->isChecked();
  // A date that does not read switches the range off; the dates read so far stay.
  options.DatumVon = options.DatumBis = 0;
  if (const auto from = ReadDate(dateFrom_)) {
    options.DatumVon = *from;
    if (const auto to = ReadDate(dateTo_)) {
      options.DatumBis = *to;
    } else {
      options.DatumZwischen = false;
    }
  } else {
    options.DatumZwischen = false;
  }
  options.DatumAlter = age_->isChecked();
  options.DatumArt = ageKind_->currentIndex();
  options.DatumAnzahl = ageCount_->value();
  options.DatumZeit = ageUnit_->currentIndex();
  options.Breite = width_->isChecked();
  options.BreiteArt = widthKind_->currentIndex();
  options.Hoehe = height_->isChecked();
  options.HoeheArt = heightKind_->currentIndex();
  const auto widthValue = ReadInteger(widthValue_->text());
  options.BreiteWert = widthValue.value_or(0);
  if (!widthValue) options.Breite = false;
  const auto heightValue = ReadInteger(heightValue_->text());
  options.HoeheWert = heightValue.value_or(0);
  if (!heightValue) options.Hoehe = false;
  return options;
}

void SearchCriteriaPanel::ShowOptionsInDialog(const SearchOptionSet& options) {
  fieldKeywords_->setChecked(options.Feldsuchbegriffe);
  fieldDescription_->setChecked(options.FeldBeschreibung);
  fieldPath_->setChecked(options.FeldDateiname);
  fieldName_->setChecked(options.FeldBezeichnung);
  fieldCaptions_->setChecked(options.FeldBeschriftung);
  const int32_t kinds[] = {options.TextArt1, options.TextArt2, options.TextArt3};
  const std::string* texts[] = {&options.Text1, &options.Text2, &options.Text3};
  for (int i = 0; i < 3; ++i) {
    kinds_[i]->setCurrentIndex(kinds[i] < kinds_[i]->count() ? kinds[i] : -1);
    terms_[i]->setText(QString::fromStdString(*texts[i]));
  }
  wholeWords_->setChecked(options.GanzeWoerter);
  matchCase_->setChecked(options.GrossKlein);
  dateRange_->setChecked(options.DatumZwischen);
  dateFrom_->setText(DateText(options.DatumVon));
  dateTo_->setText(DateText(options.DatumBis));
  age_->setChecked(options.DatumAlter);
  ageKind_->setCurrentIndex(options.DatumArt);
  ageCount_->setValue(options.DatumAnzahl);
  ageUnit_->setCurrentIndex(options.DatumZeit);
  width_->setChecked(options.Breite);
  widthKind_->setCurrentIndex(options.BreiteArt);
  widthValue_->setText(QString::number(options.BreiteWert));
  height_->setChecked(options.Hoehe);
  heightKind_->setCurrentIndex(options.HoeheArt);
  heightValue_->setText(QString::number(options.HoeheWert));
}

}  // namespace vemora::ui
