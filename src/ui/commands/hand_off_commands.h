// Handing images to other programs: "MS Paint" (the paint program with the take-back),
// "Externe Anwendung" and "Versenden" (mail). Each handler calls one core function of
// src/fileops/editor_handoff.h or mailing.h.
#pragma once

#include "ui/commands/command_group.h"

namespace vemora::ui {

class HandOffCommands : public CommandGroup {
  Q_OBJECT

 public:
  explicit HandOffCommands(WindowServices& window);

  void AddTo(WindowChrome& chrome) override;
  void UpdateCommands(const CommandStates& states) override;

 private:
  void PaintClick();
  void ExternalApplicationClick();
  void MailClick();

  QAction* paint_;
  QAction* externalApplication_;
  QAction* mail_;
};

}  // namespace vemora::ui
