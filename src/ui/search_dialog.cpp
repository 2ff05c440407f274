#include "ui/search_dialog.h"

#include <QAction>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableView>
#include <QToolBar>
#include <QVBoxLayout>

#include "search/date_serial.h"
#include "search/result_details.h"
#include "search/saved_sets.h"
#include "settings/executable_folder.h"
#include "ui/filter_open_dialog.h"
#include "ui/picture.h"
#include "ui/qt_prompter.h"
#include "ui/search_criteria_panel.h"
#include "ui/search_result_model.h"

namespace vemora::ui {
namespace {

constexpr const char* kHintText =
    "Es wurde noch keine erfolgreiche Suche durchgeführt. Bitte stellen Sie die gewünschten "
    "Suchparameter ein und klicken Sie auf 'Suche starten'.";

// The yellow note over the preview; a click puts it away.
class HintPanel : public QLabel {
 public:
  explicit HintPanel(QWidget* parent) : QLabel(QString::fromUtf8(kHintText), parent) {
    setObjectName("hintPanel");
    setWordWrap(true);
    setAlignment(Qt::AlignCenter);
    setMargin(12);
    setStyleSheet(QStringLiteral(
        "background-color: #ffffc0; border: 1px solid #c0a000; border-radius: 10px;"));
  }

 protected:
  void mousePressEvent(QMouseEvent* event) override {
    hide();
    event->accept();
  }
};

QPushButton* Button(const QString& text, const char* name) {
  auto* button = new QPushButton(text);
  button->setObjectName(QString::fromLatin1(name));
  return button;
}

std::unique_ptr<SearchFileReader> DiskFilesBesideTheProgram() {
  std::filesystem::path folder;
  try {
    folder = ExecutableFolder();
  } catch (const std::exception&) {
    // Without the program's folder relative paths stay relative to the current one.
  }
  return std::make_unique<DiskFileReader>(folder);
}

}  // namespace

TFFilter::TFFilter(const CatalogueGrid& grid, Setup setup, QWidget* parent)
    : QDialog(parent), snapshot_(grid, -1), setup_(std::move(setup)) {
  if (!setup_.files) setup_.files = DiskFilesBesideTheProgram();
  if (setup_.prompter == nullptr) ownPrompter_ = std::make_unique<QtPrompter>(this);
  prompter_ = setup_.prompter != nullptr ? setup_.prompter : ownPrompter_.get();
  snapshot_.PrepareCaseFolding();
  model_ = new SearchResultModel(snapshot_, this);

  setObjectName("TFFilter");
  setWindowTitle(QStringLiteral("Galeriekasten durchsuchen"));
  auto* layout = new QVBoxLayout(this);

  optionsPanel_ = new QGroupBox(QStringLiteral("Suchoptionen"));
  optionsPanel_->setObjectName("optionsPanel");
  auto* optionsLayout = new QVBoxLayout(optionsPanel_);
  criteria_ = new SearchCriteriaPanel;
  optionsLayout->addWidget(criteria_);
  auto* buttons = new QHBoxLayout;
  QPushButton* start = Button(QStringLiteral("Suche starten"), "startSearchButton");
  QPushButton* load = Button(QStringLiteral("Suchoptionen laden"), "loadOptionsButton");
  QPushButton* save = Button(QStringLiteral("Suchoptionen speichern"), "saveOptionsButton");
  QPushButton* help = Button(QStringLiteral("Hilfe"), "helpButton");
  for (QPushButton* button : {start, load, save, help}) buttons->addWidget(button);
  buttons->addStretch();
  optionsLayout->addLayout(buttons);
  start->setDefault(true);
  layout->addWidget(optionsPanel_);
  layout->addWidget(BuildResultPanel(), 1);

  connect(start, &QPushButton::clicked, this, [this] { Guarded([this] { StartSearch(); }); });
  connect(load, &QPushButton::clicked, this, [this] { Guarded([this] { LoadOptions(); }); });
  connect(save, &QPushButton::clicked, this, [this] { Guarded([this] { SaveOptions(); }); });
  connect(help, &QPushButton::clicked, this, [this] {
    if (setup_.help) setup_.help();
  });

  selectionToolBar_->hide();
  hintPanel_->hide();
  resize(900, 700);
}

TFFilter::~TFFilter() = default;

QWidget* TFFilter::BuildResultPanel() {
  auto* panel = new QGroupBox(QStringLiteral("Suchergebnis"));
  panel->setObjectName("resultPanel");
  auto* layout = new QHBoxLayout(panel);

  auto* listSide = new QVBoxLayout;
  selectionToolBar_ = new QToolBar(QStringLiteral("Auswahl"));
  selectionToolBar_->setObjectName("selectionToolBar");
  const auto addAction = [&](const QString& text, const QString& hint, const char* name,
                             auto handler) {
    QAction* action = selectionToolBar_->addAction(text);
    action->setObjectName(QString::fromLatin1(name));
    action->setToolTip(hint);
    action->setStatusTip(hint);
    connect(action, &QAction::triggered, this, handler);
  };
  addAction(QStringLiteral("Auswahl Übernehmen"),
            QStringLiteral("Die Auswahl der Galeriekasten wird durch die Auswahl der Suche "
                           "ersetzt."),
            "takeOverAction", [this] { TakeOverSelection(); });
  addAction(QStringLiteral("Alles"), QStringLiteral("Alle Bilder der Suche auswählen"),
            "checkAllAction", [this] { model_->SetAllChecked(true); });
  addAction(QStringLiteral("Keines"), QStringLiteral("Alle Bilder der Suche abwählen"),
            "checkNoneAction", [this] { model_->SetAllChecked(false); });
  addAction(QStringLiteral("Invertieren"), QStringLiteral("Auswahl der Suche invertieren"),
            "invertChecksAction", [this] { model_->InvertChecks(); });
  listSide->addWidget(selectionToolBar_);

  resultList_ = new QTableView;
  resultList_->setObjectName("resultList");
  resultList_->setModel(model_);
  resultList_->setColumnHidden(SearchResultModel::kRowIndexColumn, true);
  resultList_->setSelectionBehavior(QAbstractItemView::SelectRows);
  resultList_->setSelectionMode(QAbstractItemView::SingleSelection);
  resultList_->verticalHeader()->hide();
  // Fixed row heights keep a list of 100,000 results as quick as a short one.
  resultList_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  resultList_->horizontalHeader()->setStretchLastSection(true);
  listSide->addWidget(resultList_);
  layout->addLayout(listSide, 3);
  connect(resultList_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
          [this](const QModelIndex& current) {
            Guarded([&] {
              ShowResultDetails(current.isValid() ? model_->EntryOf(current.row()) : -1);
            });
          });

  preview_ = new QLabel;
  preview_->setObjectName("resultPreview");
  preview_->setAlignment(Qt::AlignCenter);
  preview_->setMinimumSize(200, 200);
  hintPanel_ = new HintPanel(preview_);
  auto* previewLayout = new QVBoxLayout(preview_);
  previewLayout->addWidget(hintPanel_, 0, Qt::AlignCenter);
  layout->addWidget(preview_, 2);

  auto* details = new QGroupBox(QStringLiteral("Bilddaten"));
  details->setObjectName("detailPanel");
  auto* detailLayout = new QVBoxLayout(details);
  detailName_ = new QLabel;
  detailName_->setObjectName("detailName");
  detailDate_ = new QLabel;
  detailDate_->setObjectName("detailDate");
  detailSize_ = new QLabel;
  detailSize_->setObjectName("detailSize");
  detailDescription_ = new QPlainTextEdit;
  detailDescription_->setObjectName("detailDescription");
  detailKeywords_ = new QPlainTextEdit;
  detailKeywords_->setObjectName("detailKeywords");
  detailLayout->addWidget(detailName_);
  detailLayout->addWidget(new QLabel(QStringLiteral("Dateidatum:")));
  detailLayout->addWidget(detailDate_);
  detailLayout->addWidget(new QLabel(QStringLiteral("Größe:")));
  detailLayout->addWidget(detailSize_);
  detailLayout->addWidget(new QLabel(QStringLiteral("Beschreibung:")));
  detailLayout->addWidget(detailDescription_);
  detailLayout->addWidget(new QLabel(QStringLiteral("Suchbegriffe:")));
  detailLayout->addWidget(detailKeywords_);
  for (QPlainTextEdit* memo : {detailDescription_, detailKeywords_}) memo->setReadOnly(true);
  QPushButton* close = Button(QStringLiteral("Schließen"), "closeButton");
  detailLayout->addWidget(close);
  connect(close, &QPushButton::clicked, this, &QDialog::reject);
  layout->addWidget(details, 1);
  return panel;
}

void TFFilter::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  hintPanel_->show();
}

void TFFilter::Guarded(const std::function<void()>& handler) {
  try {
    handler();
  } catch (const std::exception& error) {
    ShowErrorReport(this, error.what());
  }
}

SearchOptionSet TFFilter::ReadOptionsFromDialog() const {
  return criteria_->ReadOptionsFromDialog();
}

void TFFilter::ShowOptionsInDialog(const SearchOptionSet& options) {
  criteria_->ShowOptionsInDialog(options);
}

void TFFilter::RunSearch(const SearchOptionSet& options) {
  vemora::RunSearch(snapshot_, options, *setup_.files, setup_.today.value_or(TodaySerial()));
  model_->Fill();
  ShowResultDetails(-1);
}

void TFFilter::ShowSelectionToolBar() { selectionToolBar_->setVisible(model_->rowCount() > 0); }

void TFFilter::StartSearch() {
  RunSearch(ReadOptionsFromDialog());
  hintPanel_->hide();
  ShowSelectionToolBar();
  if (model_->rowCount() == 0) prompter_->ShowMessage("Die Suche war leider erfolglos.");
}

void TFFilter::SaveOptions() {
  SaveSearchOptions(*setup_.gateway, *prompter_, ReadOptionsFromDialog());
}

void TFFilter::LoadOptions() {
  TFFilterOpen picker(*setup_.gateway, setup_.prompter, this);
  if (picker.exec() == QDialog::Accepted) {
    ApplySavedSet(picker.ChosenName());
  } else {
    hintPanel_->hide();
    ShowSelectionToolBar();
  }
}

void TFFilter::ApplySavedSet(const std::string& name) {
  if (const auto options = LoadSearchOptions(*setup_.gateway, name)) {
    ShowOptionsInDialog(*options);
    RunSearch(*options);  // as stored: its own AlleProjekte applies
  }
  if (!name.empty()) {
    optionsPanel_->setTitle(QStringLiteral("Suchoptionen [") + QString::fromStdString(name) +
                            QStringLiteral("]"));
  }
  hintPanel_->hide();
  ShowSelectionToolBar();
}

void TFFilter::TakeOverSelection() {
  if (model_->rowCount() == 0) return;
  emit SelectionTakenOver(model_->CheckedPaths());
}

void TFFilter::ShowResultDetails(int entry) {
  detailName_->clear();
  detailDate_->clear();
  detailSize_->clear();
  detailDescription_->clear();
  detailKeywords_->clear();
  preview_->setPixmap({});
  if (entry < 0) return;
  SearchRow& row = snapshot_.Rows().at(static_cast<size_t>(entry));
  const ResultDetails details = DescribeResult(row, *setup_.files);
  detailName_->setText(QString::fromStdString(details.name));
  detailDate_->setText(QString::fromStdString(details.dateText));
  detailSize_->setText(QString::fromStdString(details.sizeText));
  detailDescription_->setPlainText(QString::fromStdString(details.description));
  detailKeywords_->setPlainText(QString::fromStdString(details.keywords));
  if (const auto bytes = StoredImageBytes(*setup_.gateway, row.counter)) {
    const QImage picture = PictureForDisplay(*bytes, preview_->height());
    if (!picture.isNull()) {
      // Large pictures shrink to the pane; small ones keep their size.
      const bool fits =
          picture.width() <= preview_->width() && picture.height() <= preview_->height();
      preview_->setPixmap(QPixmap::fromImage(
          fits ? picture
               : picture.scaled(preview_->size(), Qt::KeepAspectRatio, Qt::SmoothTransformation)));
    }
  }
}

}  // namespace vemora::ui
