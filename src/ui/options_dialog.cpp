#include "ui/options_dialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QFontDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QSpinBox>
#include <QStackedWidget>
#include <QVBoxLayout>

#include "catalogue/prompter.h"
#include "settings/ini_plus.h"
#include "settings/settings_keys.h"
#include "ui/color_box.h"
#include "ui/qt_font.h"

namespace vemora::ui {
namespace {

struct PageText {
  const char* group;
  const char* objectName;
  const char* hint;
};

constexpr std::array<PageText, kOptionsPageCount> kPages = {{
    {"Einzelbild drucken", "pageDrucken",
     "Stellen Sie hier für den Einzelbilddruck die Beschriftungsparameter ein. Es kann jeweils "
     "getrennt für Links, Rechts, Oben und Unten der Schriftfont sowie die Ausrichtung "
     "eingestellt werden."},
    {"Thumbnails", "pageThumbnails",
     "Stellen Sie hier die Art und Weise der Darstellung der Thumbnails ein. Bei "
     "kontextsensitiver Visualisierung öffnen sich die Thumbnails nur wenn Sie mit dem "
     "Mauszeiger über die Schaltfläche Thumbnails fahren. Bei permanenter Visualierung sind die "
     "Tumbnails immer sichtbar."},
    {"Performance/Qualität", "pagePerformance",
     "Stellen Sie hier das Verhältnis zwischen Performance und Bildqualität ein. Bei sehr "
     "vielen oder sehr großen Bildern sollten sie eventuell die Performance auf hoch stellen. "
     "Für zusätzliche Leistung besonders bei hoher Bildqualität können Sie die Thumbnails "
     "deaktivieren."},
    {"Tabelle", "pageTabelle",
     "Stellen Sie hier verschiedene Parameter bezüglich der Darstellung der Tabelle ein."},
    {"Externe Anwendung", "pageExterneAnwendung",
     "Bestimmen Sie eine beliebige externe Anwendung z.B. ein Bildbearbeitungsprogramm, mit "
     "welcher Sie das aktuelle Bild weiterbearbeiten können."},
}};

constexpr const char* kResetQuestion =
    "Wollen Sie wirklich die Einstellungen auf die Standardwerte \r\nzurücksetzen?";
constexpr const char* kRestartMessage =
    "Die Änderung der Performance/Qualität wird erst beim nächsten Start berücksichtigt.\r\n"
    "Bitte starten Sie die Galeriekasten neu...";

QLabel* WrappedLabel(const QString& text, QWidget* parent) {
  auto* label = new QLabel(text, parent);
  label->setWordWrap(true);
  return label;
}

}  // namespace

PerformanceTexts PerformanceTextsFor(int position, int levelAtOpening) {
  static const std::array<PerformanceTexts, 3> kLevels = {{
      {QStringLiteral("hoch"), QStringLiteral("niedrig"),
       QStringLiteral("Zu Lasten der angezeigten Bildqualität wird die beste Performance "
                      "erreicht.\nBenutzen Sie diese Einstellungen bei sehr alten Rechnern oder "
                      "sehr großen Bildern.")},
      {QStringLiteral("normal"), QStringLiteral("normal"),
       QStringLiteral("Ein ausgewogenes Verhältnis zwischen Performance und Qualität.\nDiese "
                      "Einstellung ist optimal für die meisten Rechner sowie Bilder.")},
      {QStringLiteral("niedrig"), QStringLiteral("hoch"),
       QStringLiteral("Zu Lasten der Performance wird die beste Qualität erreicht.\nDiese "
                      "Einstellung ist optimal für schnelle Rechner sowie kleine Bilder.\nEs "
                      "wird empfohlen die Thumbnails zu deaktivieren.")},
  }};
  PerformanceTexts texts = kLevels[static_cast<std::size_t>(std::clamp(position, 0, 2))];
  if (levelAtOpening == 2 && position < 2) {
    texts.explanation = QStringLiteral(
                            "Achtung: Ein Neustart der Galeriekasten ist für die Änderungen "
                            "erforderlich\n") +
                        texts.explanation;
  }
  return texts;
}

TFOptionen::TFOptionen(QWidget* parent, TIniPlus& settings, Prompter& prompter,
                       std::filesystem::path helpFolder)
    : QDialog(parent),
      settings_(settings),
      prompter_(prompter),
      helpFolder_(std::move(helpFolder)) {
  setObjectName("TFOptionen");
  setWindowTitle(QStringLiteral("Einstellungen"));

  navigation_ = new QListWidget(this);
  navigation_->setObjectName("navigationBar");
  for (const PageText& page : kPages) navigation_->addItem(QString::fromUtf8(page.group));
  navigation_->setFixedWidth(160);

  hint_ = WrappedLabel(QString(), this);
  hint_->setObjectName("hintLabel");
  hint_->setMinimumHeight(hint_->fontMetrics().lineSpacing() * 3);
  hint_->setAlignment(Qt::AlignTop | Qt::AlignLeft);

  pages_ = new QStackedWidget(this);
  pages_->setObjectName("pages");
  pages_->addWidget(WithButtons(BuildPrintPage(), OptionsPage::kPrint));
  pages_->addWidget(WithButtons(BuildThumbnailsPage(), OptionsPage::kThumbnails));
  pages_->addWidget(WithButtons(BuildPerformancePage(), OptionsPage::kPerformance));
  pages_->addWidget(WithButtons(BuildTablePage(), OptionsPage::kTable));
  pages_->addWidget(WithButtons(BuildExternalAppPage(), OptionsPage::kExternalApp));

  auto* right = new QVBoxLayout;
  right->addWidget(hint_);
  right->addWidget(pages_, 1);
  auto* layout = new QHBoxLayout(this);
  layout->addWidget(navigation_);
  layout->addLayout(right, 1);

  connect(navigation_, &QListWidget::currentRowChanged, this, &TFOptionen::ShowPage);

  const OptionValues values = ReadOptionValues(settings_);
  performanceAtOpening_ = values.performance;
  Load(values);
  navigation_->setCurrentRow(0);
  ShowPage(0);
}

QWidget* TFOptionen::WithButtons(QWidget* content, OptionsPage page) {
  auto* frame = new QWidget(this);
  frame->setObjectName(kPages[static_cast<std::size_t>(page)].objectName);
  auto* help = new QPushButton(QStringLiteral("Hilfe"), frame);
  help->setObjectName("helpButton");
  auto* reset = new QPushButton(QStringLiteral("Zurücksetzen"), frame);
  reset->setObjectName("resetButton");
  auto* ok = new QPushButton(QStringLiteral("OK"), frame);
  ok->setObjectName("okButton");
  ok->setDefault(true);
  auto* cancel = new QPushButton(QStringLiteral("Abbrechen"), frame);
  cancel->setObjectName("cancelButton");
  connect(help, &QPushButton::clicked, this, &TFOptionen::OpenHelp);
  connect(reset, &QPushButton::clicked, this, [this, page] { Reset(page); });
  connect(ok, &QPushButton::clicked, this, [this, page] { Confirm(page); });
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

  auto* buttons = new QHBoxLayout;
  buttons->addWidget(help);
  buttons->addWidget(reset);
  buttons->addStretch(1);
  buttons->addWidget(ok);
  buttons->addWidget(cancel);
  auto* layout = new QVBoxLayout(frame);
  content->setParent(frame);
  layout->addWidget(content, 1);
  layout->addLayout(buttons);
  return frame;
}

QWidget* TFOptionen::BuildPrintPage() {
  auto* group = new QGroupBox(QStringLiteral(" Einzelbild drucken - Bildbeschriftungen "), this);
  const QStringList vertical = {QStringLiteral("oben"), QStringLiteral("mitte"),
                                QStringLiteral("unten")};
  const QStringList horizontal = {QStringLiteral("links"), QStringLiteral("zentriert"),
                                  QStringLiteral("rechts")};
  auto* grid = new QGridLayout(group);
  grid->addWidget(BuildCaptionBox(kSideLeft, QStringLiteral("Links"), vertical), 0, 0);
  grid->addWidget(BuildCaptionBox(kSideRight, QStringLiteral("Rechts"), vertical), 0, 1);
  grid->addWidget(BuildCaptionBox(kSideTop, QStringLiteral("Oben"), horizontal), 1, 0);
  grid->addWidget(BuildCaptionBox(kSideBottom, QStringLiteral("Unten"), horizontal), 1, 1);
  return group;
}

QWidget* TFOptionen::BuildCaptionBox(CaptionSide side, const QString& title,
                                     const QStringList& alignments) {
  auto* box = new QGroupBox(title, this);
  box->setObjectName("box" + title);
  CaptionControls& controls = captions_[static_cast<std::size_t>(side)];
  controls.printed = new QCheckBox(QStringLiteral("Bildbeschriftung drucken"), box);
  controls.printed->setObjectName("printCaption");
  controls.sample = new QLabel(QStringLiteral("AaBbCc"), box);
  controls.sample->setObjectName("fontSample");
  controls.sample->setFrameShape(QFrame::StyledPanel);
  controls.sample->setAlignment(Qt::AlignCenter);
  controls.sample->setMinimumHeight(36);
  auto* fontButton = new QPushButton(QStringLiteral("Schriftfont"), box);
  fontButton->setObjectName("fontButton");
  controls.alignment = new QComboBox(box);
  controls.alignment->setObjectName("alignment");
  controls.alignment->addItems(alignments);
  connect(fontButton, &QPushButton::clicked, this, [this, side] { ChooseFont(side); });

  auto* layout = new QGridLayout(box);
  layout->addWidget(controls.printed, 0, 0, 1, 2);
  layout->addWidget(controls.sample, 1, 0);
  layout->addWidget(fontButton, 1, 1);
  layout->addWidget(new QLabel(QStringLiteral("Ausrichtung"), box), 2, 0);
  layout->addWidget(controls.alignment, 2, 1);
  return box;
}

QWidget* TFOptionen::BuildThumbnailsPage() {
  auto* group = new QGroupBox(QStringLiteral(" Thumbnails "), this);
  auto* visualisation = new QGroupBox(QStringLiteral("Visualisierung"), group);
  thumbsCollapsed_ =
      new QRadioButton(QStringLiteral("Kontextsensitiv (Eingeklappt)"), visualisation);
  thumbsCollapsed_->setObjectName("thumbsCollapsed");
  thumbsPermanent_ = new QRadioButton(QStringLiteral("Permanent"), visualisation);
  thumbsPermanent_->setObjectName("thumbsPermanent");
  auto* radios = new QVBoxLayout(visualisation);
  radios->addWidget(thumbsCollapsed_);
  radios->addWidget(thumbsPermanent_);

  thumbsSize_ = new QSpinBox(group);
  thumbsSize_->setObjectName("thumbsSize");
  thumbsSize_->setRange(kMinThumbsSize, kMaxThumbsSize);
  auto* size = new QHBoxLayout;
  size->addWidget(new QLabel(QStringLiteral("Thumbnailgröße"), group));
  size->addWidget(thumbsSize_);
  size->addWidget(new QLabel(QStringLiteral("Pixel"), group));
  size->addStretch(1);

  auto* captionGroup = new QGroupBox(QStringLiteral("Thumbnailbeschriftung"), group);
  thumbsCaption_ = new QCheckBox(QStringLiteral("Beschriftung sichtbar"), captionGroup);
  thumbsCaption_->setObjectName("thumbsCaption");
  (new QVBoxLayout(captionGroup))->addWidget(thumbsCaption_);

  auto* layout = new QVBoxLayout(group);
  layout->addWidget(visualisation);
  layout->addLayout(size);
  layout->addWidget(captionGroup);
  layout->addStretch(1);
  return group;
}

QWidget* TFOptionen::BuildPerformancePage() {
  auto* page = new QWidget(this);
  performance_ = new QSlider(Qt::Horizontal, page);
  performance_->setObjectName("performanceSlider");
  performance_->setRange(0, 2);
  performance_->setPageStep(1);
  performance_->setTickPosition(QSlider::TicksBelow);
  performanceValue_ = new QLabel(page);
  performanceValue_->setObjectName("performanceValue");
  qualityValue_ = new QLabel(page);
  qualityValue_->setObjectName("qualityValue");
  performanceExplanation_ = WrappedLabel(QString(), page);
  performanceExplanation_->setObjectName("performanceExplanation");
  performanceExplanation_->setAlignment(Qt::AlignTop | Qt::AlignLeft);
  performanceExplanation_->setMinimumHeight(performanceExplanation_->fontMetrics().lineSpacing() *
                                            4);
  connect(performance_, &QSlider::valueChanged, this, &TFOptionen::UpdatePerformanceTexts);

  auto* scale = new QGridLayout;
  scale->addWidget(new QLabel(QStringLiteral("Performance"), page), 0, 0, Qt::AlignCenter);
  scale->addWidget(performance_, 0, 1);
  scale->addWidget(new QLabel(QStringLiteral("Qualität"), page), 0, 2, Qt::AlignCenter);
  scale->addWidget(performanceValue_, 1, 0, Qt::AlignCenter);
  scale->addWidget(qualityValue_, 1, 2, Qt::AlignCenter);
  scale->setColumnStretch(1, 1);

  auto* thumbs = new QGroupBox(QStringLiteral("Thumbnails"), page);
  hideThumbs_ = new QCheckBox(QStringLiteral("Deaktivieren"), thumbs);
  hideThumbs_->setObjectName("hideThumbs");
  auto* thumbsLayout = new QVBoxLayout(thumbs);
  thumbsLayout->addWidget(hideThumbs_);
  thumbsLayout->addWidget(WrappedLabel(
      QStringLiteral("deaktivierte Thumbnails bringen zusätzliche Performance"), thumbs));

  // The frame's own reset: no question, as it only moves the slider back.
  auto* quickReset = new QPushButton(QStringLiteral("Zurücksetzen"), page);
  quickReset->setObjectName("performanceReset");
  connect(quickReset, &QPushButton::clicked, this, [this] {
    performance_->setValue(kDefaultPerformance);
    hideThumbs_->setChecked(kDefaultHideThumbs);
  });

  auto* frame = new QGroupBox(QStringLiteral("Performance/Qualität"), page);
  auto* frameLayout = new QVBoxLayout(frame);
  frameLayout->addLayout(scale);
  frameLayout->addWidget(performanceExplanation_);
  frameLayout->addWidget(quickReset, 0, Qt::AlignRight);

  auto* layout = new QVBoxLayout(page);
  layout->addWidget(frame);
  layout->addWidget(thumbs);
  layout->addStretch(1);
  return page;
}

QWidget* TFOptionen::BuildTablePage() {
  auto* page = new QGroupBox(QStringLiteral("Tabelle"), this);
  gridStyle_ = new QComboBox(page);
  gridStyle_->setObjectName("gridStyle");
  gridStyle_->addItems(
      {QStringLiteral("ultra-flach"), QStringLiteral("flach"), QStringLiteral("standard")});
  autoWidth_ = new QCheckBox(QStringLiteral("Breite der Tabelle automatisch anpassen"), page);
  autoWidth_->setObjectName("autoWidth");
  gridLines_ = new QComboBox(page);
  gridLines_->setObjectName("gridLines");
  gridLines_->addItems({QStringLiteral("beide"), QStringLiteral("horizontal"),
                        QStringLiteral("vertikal"), QStringLiteral("keine")});
  gridColor_ = new ColorBox(page);
  gridColor_->setObjectName("gridColor");
  navigator_ = new QCheckBox(QStringLiteral("Navigationsleiste sichtbar"), page);
  navigator_->setObjectName("navigator");

  auto* layout = new QGridLayout(page);
  layout->addWidget(new QLabel(QStringLiteral("Darstellung"), page), 0, 0);
  layout->addWidget(gridStyle_, 0, 1);
  layout->addWidget(autoWidth_, 1, 0, 1, 3);
  layout->addWidget(new QLabel(QStringLiteral("Gitterlinien"), page), 2, 0);
  layout->addWidget(gridLines_, 2, 1);
  layout->addWidget(new QLabel(QStringLiteral("Farbe"), page), 3, 0);
  layout->addWidget(gridColor_, 3, 1);
  layout->addWidget(navigator_, 4, 0, 1, 3);
  layout->setColumnStretch(2, 1);
  layout->setRowStretch(5, 1);
  return page;
}

QWidget* TFOptionen::BuildExternalAppPage() {
  auto* page = new QGroupBox(QStringLiteral("Externe Anwendung"), this);
  externalApp_ = new QLineEdit(page);
  externalApp_->setObjectName("externalApp");
  auto* browse = new QPushButton(QStringLiteral("..."), page);
  browse->setObjectName("browseButton");
  browse->setFixedWidth(32);
  connect(browse, &QPushButton::clicked, this, &TFOptionen::ChooseExternalApp);
  parameterDefault_ = new QRadioButton(QStringLiteral("Pfad zur Bilddatei (empfohlen)"), page);
  parameterDefault_->setObjectName("parameterDefault");
  parameterCustom_ = new QRadioButton(QStringLiteral("Benutzerdefinierter Parameter:"), page);
  parameterCustom_->setObjectName("parameterCustom");
  parameter_ = new QLineEdit(page);
  parameter_->setObjectName("parameter");
  connect(parameterDefault_, &QRadioButton::toggled, this, &TFOptionen::UpdateParameterField);

  auto* path = new QHBoxLayout;
  path->addWidget(externalApp_, 1);
  path->addWidget(browse);
  auto* layout = new QVBoxLayout(page);
  layout->addWidget(new QLabel(QStringLiteral("Pfad zur externen Anwendung"), page));
  layout->addLayout(path);
  layout->addWidget(parameterDefault_);
  layout->addWidget(parameterCustom_);
  layout->addWidget(parameter_);
  layout->addStretch(1);
  return page;
}

void TFOptionen::Load(const OptionValues& values) {
  for (std::size_t side = 0; side < captions_.size(); ++side) {
    const CaptionOptions& caption = values.captions[side];
    captions_[side].printed->setChecked(caption.printed);
    captions_[side].sample->setFont(ToQFont(caption.font));
    QPalette palette = captions_[side].sample->palette();
    palette.setColor(QPalette::WindowText, ToQColor(caption.font.color));
    captions_[side].sample->setPalette(palette);
    captionColors_[side] = caption.font.color;
    captions_[side].alignment->setCurrentIndex(caption.alignment);
  }
  (values.thumbsVisible == 0 ? thumbsCollapsed_ : thumbsPermanent_)->setChecked(true);
  thumbsSize_->setValue(values.thumbsSize);
  thumbsCaption_->setChecked(values.thumbsCaption);
  performance_->setValue(values.performance);
  hideThumbs_->setChecked(values.hideThumbs);
  gridStyle_->setCurrentIndex(values.gridStyle);
  autoWidth_->setChecked(values.autoWidth);
  gridLines_->setCurrentIndex(values.gridLines);
  gridColor_->SetColor(values.gridColor);
  navigator_->setChecked(values.navigator);
  externalApp_->setText(QString::fromStdString(values.externalApp));
  (values.parameterDefault ? parameterDefault_ : parameterCustom_)->setChecked(true);
  parameter_->setText(QString::fromStdString(values.parameter));
  UpdatePerformanceTexts();
  UpdateParameterField();
}

OptionValues TFOptionen::Values() const {
  OptionValues values;
  for (std::size_t side = 0; side < captions_.size(); ++side) {
    values.captions[side] = {captions_[side].printed->isChecked(),
                             FromQFont(captions_[side].sample->font(), captionColors_[side]),
                             captions_[side].alignment->currentIndex()};
  }
  values.thumbsVisible = thumbsPermanent_->isChecked() ? 1 : 0;
  values.thumbsSize = thumbsSize_->value();
  values.thumbsCaption = thumbsCaption_->isChecked();
  values.performance = performance_->value();
  values.hideThumbs = hideThumbs_->isChecked();
  values.gridStyle = gridStyle_->currentIndex();
  values.autoWidth = autoWidth_->isChecked();
  values.gridLines = gridLines_->currentIndex();
  values.gridColor = gridColor_->Color();
  values.navigator = navigator_->isChecked();
  values.externalApp = externalApp_->text().toStdString();
  values.parameterDefault = parameterDefault_->isChecked();
  values.parameter = parameter_->text().toStdString();
  return values;
}

void TFOptionen::ShowPage(int page) {
  if (page < 0 || page >= kOptionsPageCount) return;
  pages_->setCurrentIndex(page);
  hint_->setText(QString::fromUtf8(kPages[static_cast<std::size_t>(page)].hint));
  if (navigation_->currentRow() != page) navigation_->setCurrentRow(page);
}

void TFOptionen::UpdatePerformanceTexts() {
  const PerformanceTexts texts = PerformanceTextsFor(performance_->value(), performanceAtOpening_);
  performanceValue_->setText(texts.performance);
  qualityValue_->setText(texts.quality);
  performanceExplanation_->setText(texts.explanation);
}

void TFOptionen::UpdateParameterField() { parameter_->setEnabled(parameterCustom_->isChecked()); }

void TFOptionen::ChooseFont(CaptionSide side) {
  QLabel* sample = captions_[static_cast<std::size_t>(side)].sample;
  bool confirmed = false;
  const QFont font =
      QFontDialog::getFont(&confirmed, sample->font(), this, QStringLiteral("Schriftfont"));
  if (confirmed) sample->setFont(font);
}

void TFOptionen::ChooseExternalApp() {
  const QString file = QFileDialog::getOpenFileName(
      this, QStringLiteral("Externe Anwendung auswählen"), externalApp_->text());
  if (!file.isEmpty()) externalApp_->setText(file);
}

void TFOptionen::Reset(OptionsPage page) {
  if (prompter_.Ask(kResetQuestion, true) != Answer::Yes) return;
  OptionValues values = Values();
  ResetOptionsPage(values, page);
  Load(values);
}

void TFOptionen::Confirm(OptionsPage page) {
  try {
    WriteOptionValues(settings_, Values());
  } catch (const std::exception& error) {
    // The dialog stays open, so the user's choices are not lost with the failed write.
    prompter_.ShowMessage(error.what());
    return;
  }
  const bool announcesRestart = page == OptionsPage::kPrint || page == OptionsPage::kThumbnails ||
                                page == OptionsPage::kPerformance;
  if (announcesRestart && performanceAtOpening_ == 2 && performance_->value() < 2) {
    prompter_.ShowMessage(kRestartMessage);
  }
  accept();
}

void TFOptionen::OpenHelp() {
  try {
    platform::OpenHelpTopic(
        settings_.ReadInteger(kSectionHelp, kKeyHelpTopicOptions, kDefaultHelpTopicOptions),
        helpFolder_);
  } catch (const platform::DesktopError& error) {
    prompter_.ShowMessage(error.what());
  }
}

}  // namespace vemora::ui
