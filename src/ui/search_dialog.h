// TFFilter, "Galeriekasten durchsuchen": searches a snapshot of the main window's grid by
// text, file date and pixel size, lists the matches, shows one in a detail pane, and
// hands the checked matches back to the window ("Auswahl Übernehmen").
//
// The dialog takes the snapshot when it is built and keeps it for its lifetime. It borrows
// the gateway (stored images, saved sets) and the prompter; it never touches the grid:
// "Auswahl Übernehmen" emits the checked paths, and the window marks its records with
// TakeOverSearchSelection while the dialog stays open.
#pragma once

#include <QDialog>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "catalogue/grid_record.h"
#include "catalogue/prompter.h"
#include "search/search_snapshot.h"
#include "vemora/gateway.h"

class QGroupBox;
class QLabel;
class QPlainTextEdit;
class QTableView;
class QToolBar;

namespace vemora::ui {

class SearchCriteriaPanel;
class SearchResultModel;

class TFFilter : public QDialog {
  Q_OBJECT

 public:
  struct Setup {
    TDBGateway* gateway = nullptr;
    // Messages, the name prompt and the delete question; none: message boxes over the
    // dialog.
    Prompter* prompter = nullptr;
    // "Hilfe": opens the help at the search's topic.
    std::function<void()> help;
    // Where file dates and sizes come from; none: the files themselves, relative paths
    // taken from the host program's folder.
    std::unique_ptr<SearchFileReader> files;
    // Today as whole days, for the age test; none: the local date at each search.
    std::optional<int32_t> today;
  };

  TFFilter(const CatalogueGrid& grid, Setup setup, QWidget* parent = nullptr);
  ~TFFilter() override;

  SearchOptionSet ReadOptionsFromDialog() const;
  void ShowOptionsInDialog(const SearchOptionSet& options);
  // Filters the snapshot by the set and refills the result list.
  void RunSearch(const SearchOptionSet& options);
  // "Suche starten".
  void StartSearch();
  // "Suchoptionen speichern".
  void SaveOptions();
  // "Suchoptionen laden": the picker, then ApplySavedSet with the chosen name.
  void LoadOptions();
  // Shows and runs the stored set `name` (nothing when it no longer exists) and names it
  // in the options panel's caption.
  void ApplySavedSet(const std::string& name);
  // "Auswahl Übernehmen".
  void TakeOverSelection();

  SearchSnapshot& Snapshot() { return snapshot_; }
  SearchResultModel* ResultModel() const { return model_; }

 signals:
  // The window replaces its marks: every record whose file path is one of these.
  void SelectionTakenOver(const std::vector<std::string>& checkedPaths);

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  QWidget* BuildResultPanel();
  void ShowResultDetails(int entry);
  void ShowSelectionToolBar();
  // Runs a handler; a failure is reported and the dialog carries on.
  void Guarded(const std::function<void()>& handler);

  SearchSnapshot snapshot_;
  Setup setup_;
  std::unique_ptr<Prompter> ownPrompter_;
  Prompter* prompter_;
  SearchResultModel* model_;
  SearchCriteriaPanel* criteria_;
  QGroupBox* optionsPanel_;
  QTableView* resultList_;
  QToolBar* selectionToolBar_;
  QLabel* hintPanel_;
  QLabel* preview_;
  QLabel* detailName_;
  QLabel* detailDate_;
  QLabel* detailSize_;
  QPlainTextEdit* detailDescription_;
  QPlainTextEdit* detailKeywords_;
};

}  // namespace vemora::ui
