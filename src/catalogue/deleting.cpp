#include "catalogue/deleting.h"

#include "catalogue/dispatcher.h"
#include "catalogue/overwrite_guard.h"

namespace vemora {
namespace {

// Deletes the row behind record `row`, then the record, keeping the focus on the record
// that was focused or on the one that takes its place. False when the user kept a row that
// another host changed meanwhile.
bool DeleteRecord(CatalogueSession& session, CatalogueGrid& grid, int row) {
  if (!ConfirmRecordOverwrite(session, grid.Record(row), OverwriteAction::Delete)) return false;
  TRecCmdMDB command;
  command.command = kCmdDelete;
  command.key = grid.Record(row).key;
  RunCmdMDB(session, command, TRecDSBilder{});
  grid.Remove(row);
  return true;
}

}  // namespace

std::vector<int> MarkedRowsDescending(const CatalogueGrid& grid) {
  std::vector<int> rows;
  for (int row = grid.Count() - 1; row >= 0; --row)
    if (grid.Record(row).marked) rows.push_back(row);
  return rows;
}

std::string ListedDesignation(const std::string& name) {
  return name.empty() ? "<keine Bezeichnung>" : name;
}

int DeleteImages(CatalogueSession& session, CatalogueGrid& grid, CatalogueDialogs& dialogs) {
  if (grid.Count() == 0) return 0;
  std::vector<int> marked = MarkedRowsDescending(grid);
  if (marked.size() == 1 && marked.front() == grid.focused) marked.clear();

  DeleteChoice choice;
  if (!marked.empty()) {
    std::vector<std::string> names;
    for (const int row : marked) names.push_back(ListedDesignation(grid.Record(row).name));
    const GridRecord* focused = grid.Focused();
    choice = dialogs.ChooseDeleteMode(focused ? ListedDesignation(focused->name) : "", names);
  } else {
    choice.cancelled =
        session.prompter->Ask("Wollen Sie wirklich das Bild löschen?", false) != Answer::Yes;
  }
  if (choice.cancelled) return 0;

  if (!choice.deleteMarked) {
    if (grid.Focused() == nullptr) return 0;
    return DeleteRecord(session, grid, grid.focused) ? 1 : 0;
  }
  int deleted = 0;
  for (const int row : marked) {
    if (DeleteRecord(session, grid, row)) ++deleted;
  }
  return deleted;
}

int DeleteFocusedImage(CatalogueSession& session, CatalogueGrid& grid) {
  if (grid.Focused() == nullptr) return 0;
  return DeleteRecord(session, grid, grid.focused) ? 1 : 0;
}

}  // namespace vemora
