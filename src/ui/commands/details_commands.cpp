#include "ui/commands/details_commands.h"

#include <QAction>

#include "ui/detail_dialog.h"
#include "ui/exif_dialog.h"
#include "ui/information_panel.h"

namespace vemora::ui {

DetailsCommands::DetailsCommands(WindowServices& window, InformationPanel* information)
    : CommandGroup(window) {
  details_ = MakeAction("dxBarLargeButton13", QStringLiteral("Details"),
                        QStringLiteral("Es wird eine Detailmaske der Bilddaten aufgerufen."));
  connect(details_, &QAction::triggered, this, &DetailsCommands::DetailsClick);
  connect(information, &InformationPanel::exifRequested, this, &DetailsCommands::ExifClick);
}

void DetailsCommands::AddTo(WindowChrome& chrome) {
  chrome.AddToToolbar(ToolbarSection::Records, {details_});
  chrome.AddToContextMenu({details_});
}

void DetailsCommands::UpdateCommands(const CommandStates& states) {
  details_->setEnabled(states.recordCommands);
}

void DetailsCommands::DetailsClick() {
  if (window_.grid().Focused() == nullptr) return;
  const SingleImageState& picture = window_.singleImage();
  window_.RunRecordsCommand([&] {
    RunDetailCommand(window_.widget(), window_.session(), window_.grid(), picture.width,
                     picture.height);
  });
}

void DetailsCommands::ExifClick() {
  const GridRecord* focused = window_.grid().Focused();
  if (focused == nullptr) return;
  TFExif dialog(window_.widget(), focused->filePath.value_or(""));
  dialog.exec();
}

}  // namespace vemora::ui
