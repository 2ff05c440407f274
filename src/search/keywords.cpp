#include "search/keywords.h"

#include "catalogue/editing.h"
#include "catalogue/records.h"

namespace vemora {

const std::vector<KeywordGroup>& PredefinedKeywords() {
  static const std::vector<KeywordGroup> groups = {
      {"Kategorie", {"Urlaub", "Arbeit", "Hobby"}},
      {"Typ", {"Foto", "Bild", "Bild - BMP", "Bild - JPG", "Scan"}},
      {"Programm", {"Oddlin", "Tessmar", "Kelvaro", "Brevik"}},
      {"Inhalt",
       {"Legendenbild", "Lageplan", "Grundriss", "Skizze", "Zeichnung", "techn. Zeichnung",
        "Firmenlogo"}},
      {"Status", {"bearbeitet", "unbearbeitet", "abgeschlossen", "wichtig", "unwichtig"}},
  };
  return groups;
}

bool ReplaceFocusedKeywords(CatalogueSession& session, CatalogueGrid& grid,
                            const std::string& keyword) {
  if (grid.Focused() == nullptr) return false;
  CommitCellEdit(session, grid, grid.focused, kFieldSuchbegriffe, keyword);
  return true;
}

bool AddFocusedKeyword(CatalogueSession& session, CatalogueGrid& grid, const std::string& keyword) {
  const GridRecord* record = grid.Focused();
  if (record == nullptr || keyword.empty()) return false;
  std::string keywords = record->suchbegriffe;
  if (!keywords.empty()) keywords += kKeywordSeparator;
  keywords += keyword;
  CommitCellEdit(session, grid, grid.focused, kFieldSuchbegriffe, keywords);
  return true;
}

std::string WithCrLfLineBreaks(std::string_view text) {
  std::string result;
  result.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' || text[i] == '\n') {
      if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
      result += kKeywordSeparator;
    } else {
      result += text[i];
    }
  }
  return result;
}

}  // namespace vemora
