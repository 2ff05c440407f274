// TFFilterOpen, "Suchoptionen laden": lists the stored search sets by name, opens one
// (the dialog's result and ChosenName) or deletes one after asking. It borrows the gateway
// and the prompter; the list is read afresh every time the dialog is shown.
#pragma once

#include <QDialog>
#include <memory>
#include <optional>
#include <string>

#include "catalogue/prompter.h"
#include "vemora/gateway.h"

class QListWidget;

namespace vemora::ui {

class TFFilterOpen : public QDialog {
  Q_OBJECT

 public:
  // `prompter` none: message boxes over the dialog.
  TFFilterOpen(TDBGateway& gateway, Prompter* prompter, QWidget* parent = nullptr);
  ~TFFilterOpen() override;

  // The name opened; empty until "Öffnen" and after "Abbrechen".
  const std::string& ChosenName() const { return chosenName_; }

  void Open();
  void Delete();
  void Cancel();
  // Reads the names again.
  void FillList();

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  // The selected name; none (after the notice) when nothing is selected.
  std::optional<std::string> SelectedName();

  TDBGateway& gateway_;
  std::unique_ptr<Prompter> ownPrompter_;
  Prompter* prompter_;
  QListWidget* list_;
  std::string chosenName_;
};

}  // namespace vemora::ui
