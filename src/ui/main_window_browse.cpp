// TForm1's browsing: loading the catalogue into the grid, following the focus, the marks
// list, thumbnails and their size.
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QMetaObject>
#include <filesystem>

#include "catalogue/catalogue_load.h"
#include "catalogue/preview_feed.h"
#include "catalogue/stored_picture.h"
#include "catalogue/window_rules.h"
#include "host/selection_file.h"
#include "metadata/img_data.h"
#include "settings/settings_keys.h"
#include "ui/commands/view_commands.h"
#include "ui/grid_model.h"
#include "ui/grid_view.h"
#include "ui/information_panel.h"
#include "ui/live_refresh.h"
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
  previewFeed_.reset();
  LoadOptions options;
  options.markedKeys = ReadSelectionFile(call_.SelectionFile());
  options.previewsApart = true;
  {
    PaintingSuspended suspended{cxGrid1_, thumbnailStrip_->view()};
    recordsChanging_ = true;
    try {
      LoadCatalogue(session_, grid_, options);
    } catch (...) {
      // The records read so far stay; the grid shows them.
      recordsChanging_ = false;
      SetCount();
      StartPreviewFeed();
      throw;
    }
    recordsChanging_ = false;
  }
  StartPreviewFeed();
  RebuildThumbnails();
  if (!call_.multiSelect) FocusPreselectedKey(grid_, call_.preselectKey);
  FocusRecord(grid_.focused);
  SetCount();
  liveRefresh_->Restart();
}

void TForm1::StartPreviewFeed() {
  if (!grid_.PreviewsPending()) return;
  try {
    previewFeed_ = PreviewFeed::Start(*call_.gateway, static_cast<size_t>(grid_.Count()), [this] {
      QMetaObject::invokeMethod(
          this, [this] { TakeArrivedPreviews(); }, Qt::QueuedConnection);
    });
  } catch (...) {
    grid_.EndPendingPreviews();
    throw;
  }
}

void TForm1::TakeArrivedPreviews() {
  if (!previewFeed_) return;
  std::vector<ArrivedPreview> arrived = previewFeed_->Take();
  grid_.FillPendingPreviews(arrived);
  if (!previewFeed_->Ended()) return;
  const std::string error = previewFeed_->Error();
  previewFeed_.reset();
  grid_.EndPendingPreviews();
  if (!error.empty()) Guarded([&] { throw TDBError(error); });
}

void TForm1::AwaitPreviews() {
  if (!previewFeed_) return;
  previewFeed_->Wait();
  TakeArrivedPreviews();
}

void TForm1::ReloadCatalogue() {
  grid_.Clear();
  LoadCatalogueIntoGrid();
}

void TForm1::GridFocusMoved(int row) {
  if (recordsChanging_) return;
  grid_.focused = row;
  Guarded([this] { ShowFocusedRecord(); });
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

void TForm1::PutKeyboardFocusOnGrid() { cxGrid1_->setFocus(); }

void TForm1::ShowFocusedRecord() {
  singleImagePanel_->ShowPictureArea();
  if (call_.gateway == nullptr) return emit focusOrMarksChanged();
  const FocusedRecordView view = vemora::ShowFocusedRecord(
      *call_.gateway, grid_, singleImage_, call_.selectedFileName, call_.openedByHost);
  switch (view.kind) {
    case FocusedRecordView::Kind::None:
      singleImagePanel_->ClearPicture();
      gridModel_->SetHighlightedColumn(-1);
      informationPanel_->SetTexts({}, {});
      informationPanel_->SetExifShown(false);
      break;
    case FocusedRecordView::Kind::MissingImage:
      singleImagePanel_->ClearPicture();
      singleImagePanel_->ShowMissingImage(Q(view.missingPath));
      informationPanel_->SetTexts(Q(view.fileText), {});
      informationPanel_->SetExifShown(false);
      break;
    case FocusedRecordView::Kind::Picture:
      if (view.imageBytes) {
        // A damaged image says so; it never leaves the previous record's picture standing.
        const StoredPicture stored = DecodeStoredPicture(*view.imageBytes, kSingleImageRows);
        const std::string& error = view.pictureError.empty() ? stored.error : view.pictureError;
        if (!error.empty()) {
          singleImagePanel_->ShowUnreadable(Q(error));
        } else {
          const QImage picture = ToQImage(stored.image);
          singleImagePanel_->SetPicture(picture);
          if (!call_.multiSelect) selectionPanel_->ShowPreview(picture);
        }
      }
      informationPanel_->SetTexts(Q(view.fileText), Q(view.sizeText));
      informationPanel_->SetExifShown(metadata::HasMetaData(view.metadataPath));
      break;
  }
  emit focusOrMarksChanged();
}

void TForm1::SetCount() {
  countLabel_->setText(QStringLiteral("Anzahl Bilder: %1").arg(grid_.Count()));
}

void TForm1::RefreshMarksList() { selectionPanel_->ShowMarkedNames(grid_.MarkedNames()); }

void TForm1::RebuildThumbnails() {
  if (settingsIni_->ReadBool(kSectionSettings, kKeyHideThumbs, kDefaultHideThumbs)) return;
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

void TForm1::ApplyStoredThumbnailSize() {
  ApplyThumbnailSize(kThumbnailSizeFromSettings, 0, false);
}

void TForm1::ApplyThumbnailSize(int mode, int size, bool save) {
  const int stored =
      settingsIni_->ReadInteger(kSectionSettings, kKeyThumbsSize, kDefaultThumbsSize);
  thumbnailSize_ = ResolveThumbnailSize(mode, size, stored, thumbnailSize_);
  if (mode == kThumbnailSizeFromSettings)
    viewCommands_->SetThumbnailPanelWidth(thumbnailSize_ + kThumbnailPanelMargin);
  thumbnailStrip_->ShowSize(thumbnailSize_);
  thumbnailModel_->SetThumbnailSize(thumbnailSize_);
  thumbnailStrip_->view()->SetThumbnailSize(thumbnailSize_);
  if (save) settingsIni_->WriteInteger(kSectionSettings, kKeyThumbsSize, thumbnailSize_);
}

void TForm1::FocusedColumnChanged(int item) {
  gridModel_->SetHighlightedColumn(HeaderTakesFocusStyle(item) ? item : -1);
}

}  // namespace vemora::ui
