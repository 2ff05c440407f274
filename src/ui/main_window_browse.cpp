// TForm1's browsing: loading the catalogue into the grid, following the focus, marks,
// thumbnails, "Aktualisieren" and the diagnostics buttons.
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QSpinBox>
#include <filesystem>

#include "catalogue/catalogue_load.h"
#include "catalogue/diagnostics.h"
#include "catalogue/preview_column.h"
#include "catalogue/window_rules.h"
#include "host/selection_file.h"
#include "metadata/img_data.h"
#include "settings/settings_keys.h"
#include "ui/grid_model.h"
#include "ui/grid_view.h"
#include "ui/information_panel.h"
#include "ui/main_window.h"
#include "ui/painting_suspended.h"
#include "ui/picture.h"
#include "ui/selection_panel.h"
#include "ui/single_image_panel.h"
#include "ui/thumbnail_model.h"
#include "ui/thumbnail_strip.h"

namespace vemora::ui {
namespace {

QString Q(const std::string& text) { return QString::fromStdString(text); }

// Rows the single image is decoded with at least: a screen's worth.
constexpr int kSingleImageRows = 1600;

}  // namespace

void TForm1::LoadCatalogueIntoGrid() {
  if (call_.gateway == nullptr) return;
  LoadOptions options;
  options.markedKeys = ReadSelectionFile(call_.SelectionFile());
  {
    PaintingSuspended suspended{cxGrid1_, thumbnailStrip_->view()};
    gridModel_->BeginReload();
    try {
      LoadCatalogue(session_, grid_, options);
    } catch (...) {
      // The records read so far stay; the grid shows them.
      gridModel_->EndReload();
      SetCount();
      throw;
    }
    RefreshMarksList();
    gridModel_->EndReload();
  }
  RebuildThumbnails();
  if (!call_.multiSelect) FocusPreselectedKey(grid_, call_.preselectKey);
  FocusRecord(grid_.focused);
  SetCount();
}

void TForm1::FocusRecord(int index) {
  if (!grid_.Contains(index)) {
    cxGrid1_->selectionModel()->clearCurrentIndex();
    grid_.focused = -1;
    Guarded([this] { ShowFocusedRecord(); });
    return;
  }
  const QModelIndex target = gridModel_->index(index, kItemName);
  if (cxGrid1_->currentIndex().row() == index) {
    grid_.focused = index;
    Guarded([this] { ShowFocusedRecord(); });
  } else {
    // The view's focus signal shows the record.
    cxGrid1_->setCurrentIndex(target);
  }
  cxGrid1_->scrollTo(target);
}

void TForm1::SetMark(int index, bool marked) {
  gridModel_->setData(gridModel_->index(index, kItemMark), marked ? Qt::Checked : Qt::Unchecked,
                      Qt::CheckStateRole);
}

void TForm1::ShowFocusedRecord() {
  singleImagePanel_->ShowPictureArea();
  if (call_.gateway == nullptr) return UpdateCommands();
  const FocusedRecordView view = vemora::ShowFocusedRecord(
      *call_.gateway, grid_, singleImage_, call_.selectedFileName, call_.openedByHost);
  switch (view.kind) {
    case FocusedRecordView::Kind::None:
      singleImagePanel_->ClearPicture();
      gridModel_->SetHighlightedColumn(-1);
      informationPanel_->SetTexts({}, {});
      break;
    case FocusedRecordView::Kind::MissingImage:
      singleImagePanel_->ClearPicture();
      singleImagePanel_->ShowMissingImage(Q(view.missingPath));
      informationPanel_->SetTexts(Q(view.fileText), {});
      break;
    case FocusedRecordView::Kind::Picture:
      if (view.imageBytes) {
        const QImage picture = PictureForDisplay(*view.imageBytes, kSingleImageRows);
        singleImagePanel_->SetPicture(picture);
        if (!call_.multiSelect && !picture.isNull())
          selectionPanel_->preview()->setPixmap(QPixmap::fromImage(
              picture.scaled(selectionPanel_->preview()->size().expandedTo(QSize(1, 1)),
                             Qt::KeepAspectRatio, Qt::SmoothTransformation)));
      }
      informationPanel_->SetTexts(Q(view.fileText), Q(view.sizeText));
      informationPanel_->exifButton()->setVisible(metadata::HasMetaData(view.metadataPath));
      break;
  }
  UpdateCommands();
}

void TForm1::UpdateCommands() {
  const CommandStates states = CommandStatesFor(grid_);
  for (QAction* action : actions_.RecordActions())
    action->setEnabled(states.recordCommands && IsAvailable(action));
  for (QComboBox* combo : {actions_.keywordCombo, actions_.zoomCombo})
    combo->setEnabled(states.recordCommands && combo->property("vemoraAvailable").toBool());
  for (QMenu* menu : {actions_.fileMenu, actions_.keywordsMenu, actions_.marksMenu})
    menu->menuAction()->setEnabled(states.recordCommands);
  informationPanel_->exifButton()->setEnabled(states.recordCommands);
  actions_.search->setEnabled(states.wholeCatalogueCommands && IsAvailable(actions_.search));
  actions_.printAll->setEnabled(states.wholeCatalogueCommands && IsAvailable(actions_.printAll));
  selectionPanel_->takeOverButton()->setEnabled(call_.multiSelect || states.recordCommands);
}

void TForm1::SetCount() {
  countLabel_->setText(QStringLiteral("Anzahl Bilder: %1").arg(grid_.Count()));
}

void TForm1::RefreshMarksList() {
  if (grid_.records.empty()) return;
  QListWidget* list = selectionPanel_->markedList();
  list->clear();
  for (const std::string& name : grid_.MarkedNames())
    if (!name.empty()) list->addItem(Q(name));
}

void TForm1::ChangeMarks(const std::function<void(CatalogueGrid&)>& change) {
  {
    PaintingSuspended suspended{cxGrid1_};
    change(grid_);
    gridModel_->MarksChanged();
  }
  RefreshMarksList();
}

void TForm1::RebuildThumbnails() {
  if (settingsIni_ && settingsIni_->ReadBool(kSectionSettings, kKeyHideThumbs, kDefaultHideThumbs))
    return;
  const int remembered = thumbnailStrip_->HighestSelectedRow();
  const std::string placeholderPath = PlaceholderPath(call_.tempFolder);
  std::error_code error;
  const bool placeholderExists =
      !placeholderPath.empty() && std::filesystem::is_regular_file(placeholderPath, error);
  QImage placeholder;
  if (placeholderExists) {
    QFile file(Q(placeholderPath));
    if (file.open(QIODevice::ReadOnly))
      placeholder = PictureFromBytes(file.readAll().toStdString());
  }
  thumbnailModel_->Rebuild(ThumbnailEntries(grid_, placeholderExists), placeholder);
  thumbnailStrip_->SelectRow(remembered);
}

void TForm1::ApplyThumbnailSize(int mode, int size, bool save) {
  const int stored =
      settingsIni_ ? settingsIni_->ReadInteger(kSectionSettings, kKeyThumbsSize, kDefaultThumbsSize)
                   : kDefaultThumbsSize;
  thumbnailSize_ = ResolveThumbnailSize(mode, size, stored, thumbnailSize_);
  if (mode == kThumbnailSizeFromSettings)
    resizeDocks({thumbnailStrip_}, {thumbnailSize_ + kThumbnailPanelMargin}, Qt::Horizontal);
  thumbnailStrip_->ShowSize(thumbnailSize_);
  thumbnailModel_->SetThumbnailSize(thumbnailSize_);
  thumbnailStrip_->view()->SetThumbnailSize(thumbnailSize_);
  if (save && settingsIni_)
    settingsIni_->WriteInteger(kSectionSettings, kKeyThumbsSize, thumbnailSize_);
}

void TForm1::FocusedColumnChanged(int item) {
  gridModel_->SetHighlightedColumn(HeaderTakesFocusStyle(item) ? item : -1);
  // In a text cell Delete and Insert belong to the cell.
  const bool keysInCell = EditKeysStayInCell(item);
  actions_.deleteImage->setShortcut(keysInCell ? QKeySequence() : QKeySequence(Qt::Key_Delete));
  actions_.add->setShortcut(keysInCell ? QKeySequence() : QKeySequence(Qt::Key_Insert));
}

void TForm1::RefreshClick() {
  if (grid_.Focused() == nullptr) return;
  const int remembered = grid_.focused;
  Guarded([this] {
    gridModel_->BeginReload();
    grid_.records.clear();
    grid_.focused = -1;
    gridModel_->EndReload();
    LoadCatalogueIntoGrid();
  });
  cxGrid1_->setFocus();
  FocusRecord(remembered);
}

void TForm1::TestDbClick() {
  Guarded([this] { prompter_.ShowMessage(TestPreviewColumn(session_)); });
}

void TForm1::RebuildPreviewsClick() {
  Guarded([this] {
    RebuildPreviews(session_, kRebuildAll);
    gridModel_->BeginReload();
    grid_.records.clear();
    grid_.focused = -1;
    gridModel_->EndReload();
    LoadCatalogueIntoGrid();
  });
}

}  // namespace vemora::ui
