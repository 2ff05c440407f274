// Printing: "Einzelbild drucken" (the focused image at its natural size with its four
// captions) and "Alles Drucken" (the grid in its current view), in the "Drucken" submenu
// of "&Bild" and of the grid's context menu, in the toolbar, and "Drucken" in the small
// context menu. Both open the print preview; the page set-up and the printer are chosen
// there.
//
// The group remembers the last single-image page: without a focused record the preview
// shows that layout again. Tests replace the preview (SetPreview) to print into a file.
#pragma once

#include <QImage>
#include <memory>

#include "ui/commands/command_group.h"
#include "ui/print_job.h"
#include "ui/single_image_print.h"

class QMenu;

namespace vemora::ui {

class GridView;

class PrintCommands : public CommandGroup {
  Q_OBJECT

 public:
  PrintCommands(WindowServices& window, GridView* grid);

  void AddTo(WindowChrome& chrome) override;
  void UpdateCommands(const CommandStates& states) override;

  void SetPreview(std::unique_ptr<PrintPreview> preview) { preview_ = std::move(preview); }

 private:
  void SingleImageClick();
  void AllImagesClick();
  // The notice when no printer is installed, then the preview.
  void Preview(QPrinter& printer, const std::function<void(QPrinter& printer)>& paint);

  GridView* grid_;
  std::unique_ptr<PrintPreview> preview_;
  QMenu* menu_;  // "Drucken"
  QAction* singleImage_;
  QAction* allImages_;
  QAction* smallMenuPrint_;
  // The last single-image page.
  PrintedCaptions captions_;
  SingleImagePageLayout layout_;
};

}  // namespace vemora::ui
