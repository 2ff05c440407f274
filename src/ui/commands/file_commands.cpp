#include "ui/commands/file_commands.h"

#include <QAction>
#include <QMenu>

#include "fileops/exporting.h"
#include "fileops/file_conversion.h"
#include "fileops/file_menu.h"
#include "fileops/renaming.h"
#include "fileops/saving.h"
#include "fileops/scaling.h"
#include "ui/qt_fileops_dialogs.h"

namespace vemora::ui {

FileCommands::FileCommands(WindowServices& window) : CommandGroup(window) {
  saveAs_ = MakeAction("dxBarButtonSpeichernUnter", QStringLiteral("Speichern unter..."));
  toBmp_ = MakeAction("dxBarButton4", QStringLiteral("Konvertieren in BMP"),
                      QStringLiteral("Konvertieren in BMP"));
  toJpeg_ = MakeAction("dxBarButton5", QStringLiteral("Konvertieren in JPEG"),
                       QStringLiteral("Konvertieren in JPEG"));
  rename_ = MakeAction("dxBarButton13", QStringLiteral("Ändere Name zu"));
  export_ = MakeAction("dxBarButton_Konvertieren", QStringLiteral("Exportieren..."));
  scale_ = MakeAction("scaleImagesAction", QStringLiteral("Bilder skalieren..."),
                      QStringLiteral("Bilder skalieren"));
  // Delivered hidden; their rules and handlers stay complete.
  for (QAction* hidden : {toBmp_, toJpeg_, rename_}) hidden->setVisible(false);

  connect(saveAs_, &QAction::triggered, this, &FileCommands::SaveAsClick);
  connect(toBmp_, &QAction::triggered, this, [this] { ConvertClick(false); });
  connect(toJpeg_, &QAction::triggered, this, [this] { ConvertClick(true); });
  connect(rename_, &QAction::triggered, this, &FileCommands::RenameClick);
  connect(export_, &QAction::triggered, this, &FileCommands::ExportClick);
  connect(scale_, &QAction::triggered, this, &FileCommands::ScaleClick);
}

FileCommands::~FileCommands() = default;

void FileCommands::AddTo(WindowChrome& chrome) {
  QMenu* file = chrome.fileMenu();
  file->setToolTip(QStringLiteral("Befehle bezüglich der Datei"));
  file->addAction(saveAs_);
  file->addSeparator();
  file->addActions({toBmp_, toJpeg_});
  file->addSeparator();
  file->addAction(rename_);
  file->addSeparator();
  file->addAction(export_);
  connect(file, &QMenu::aboutToShow, this, &FileCommands::FileMenuOpening);
  chrome.imageMenu()->addAction(scale_);
  chrome.AddToContextMenu({scale_});
}

void FileCommands::UpdateCommands(const CommandStates& states) {
  for (QAction* action : {saveAs_, export_}) action->setEnabled(states.recordCommands);
  scale_->setEnabled(states.wholeCatalogueCommands);
}

QtFileOpsDialogs& FileCommands::Dialogs() {
  if (!dialogs_)
    dialogs_ = std::make_unique<QtFileOpsDialogs>(window_.widget(), window_.prompter());
  return *dialogs_;
}

void FileCommands::FileMenuOpening() {
  const FileMenuState state = ComputeFileMenuState(window_.grid());
  toBmp_->setEnabled(state.convertToBmp);
  toJpeg_->setEnabled(state.convertToJpeg);
  rename_->setEnabled(state.rename);
  rename_->setText(QString::fromStdString(state.renameCaption));
}

void FileCommands::SaveAsClick() {
  window_.Guarded([this] { SaveFocusedImageAs(window_.session(), window_.grid(), Dialogs()); });
}

void FileCommands::ConvertClick(bool toJpeg) {
  window_.Guarded([&] {
    ConvertFocusedFile(window_.grid(), window_.prompter(),
                       toJpeg ? FileTarget::Jpeg : FileTarget::Bmp, *window_.session().files);
  });
  window_.ShowFocusedRecord();
}

void FileCommands::RenameClick() {
  window_.RunRecordsCommand(
      [this] { RenameFocusedFile(window_.grid(), window_.prompter(), window_.thumbs()); });
}

void FileCommands::ExportClick() {
  window_.Guarded(
      [this] { ExportImages(window_.session(), window_.grid(), window_.settings(), Dialogs()); });
  window_.ShowFocusedRecord();
}

void FileCommands::ScaleClick() {
  ScalingRun run;
  window_.Guarded(
      [&] { run = ScaleCatalogueImages(window_.session(), window_.grid(), Dialogs()); });
  if (run.exportRequested) ExportClick();
  if (run.updated > 0) window_.ShowFocusedRecord();
}

}  // namespace vemora::ui
