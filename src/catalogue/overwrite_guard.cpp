#include "catalogue/overwrite_guard.h"

#include <optional>

#include "catalogue/live_changes.h"

namespace vemora {
namespace {

constexpr const char* kDeletedElsewhere =
    "Das Bild wurde inzwischen an einem anderen Arbeitsplatz gelöscht.";

// Items a user sees, with the captions of their columns.
constexpr std::pair<int, const char*> kShownItems[] = {
    {kItemName, "Bezeichnung"},
    {kItemBeschreibung, "Beschreibung"},
    {kItemTextTop, "Oben"},
    {kItemTextBottom, "Unten"},
    {kItemTextLeft, "Links"},
    {kItemTextRight, "Rechts"},
    {kItemSuchbegriffe, "Suchbegriffe"},
};

const char* CaptionOf(int item) {
  for (const auto& [shown, caption] : kShownItems)
    if (shown == item) return caption;
  return "";
}

std::string BothValues(const char* caption, const std::string& there, const std::string& here) {
  return std::string(caption) + "\r\n  anderer Arbeitsplatz: \"" + there + "\"\r\n  hier: \"" +
         here + "\"\r\n";
}

std::optional<GridRecord> CurrentRow(CatalogueSession& session, const GridRecord& seen) {
  return ReadCurrentRecord(session, seen);
}

}  // namespace

bool ConfirmCellOverwrite(CatalogueSession& session, const GridRecord& seen, int item,
                          const std::string& newText) {
  if (!session.guardOverwrites) return true;
  const std::optional<GridRecord> current = CurrentRow(session, seen);
  if (!current) {
    session.prompter->ShowMessage(kDeletedElsewhere);
    return false;
  }
  if (current->Text(item) == seen.Text(item) || current->Text(item) == newText) return true;
  const std::string question =
      "Das Bild \"" + current->name + "\" wurde inzwischen an einem anderen Arbeitsplatz " +
      "geändert.\r\n\r\n" + BothValues(CaptionOf(item), current->Text(item), newText) +
      "\r\nTrotzdem mit Ihrer Eingabe überschreiben?";
  return session.prompter->Ask(question, false) == Answer::Yes;
}

bool ConfirmRecordOverwrite(CatalogueSession& session, const GridRecord& seen,
                            OverwriteAction action) {
  if (!session.guardOverwrites) return true;
  const std::optional<GridRecord> current = CurrentRow(session, seen);
  if (!current) {
    if (action == OverwriteAction::Delete) return true;
    session.prompter->ShowMessage(kDeletedElsewhere);
    return false;
  }
  std::string differences;
  for (const auto& [item, caption] : kShownItems) {
    if (current->Text(item) != seen.Text(item))
      differences += BothValues(caption, current->Text(item), seen.Text(item));
  }
  // The shown path depends on where this window found the file; the preview tells whether
  // the image itself was replaced.
  if (!current->SamePreviewAs(seen)) differences += "Bild\r\n  am anderen Arbeitsplatz ersetzt\r\n";
  if (differences.empty()) return true;
  const std::string question =
      "Das Bild \"" + seen.name +
      "\" wurde inzwischen an einem anderen Arbeitsplatz geändert.\r\n\r\n" + differences + "\r\n" +
      (action == OverwriteAction::Delete ? "Trotzdem löschen?" : "Trotzdem ersetzen?");
  return session.prompter->Ask(question, false) == Answer::Yes;
}

}  // namespace vemora
