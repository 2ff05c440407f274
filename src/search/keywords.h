// Keywords of a catalogue record: the fixed tree a user picks from, and the two commands
// that put the picked keyword into the focused record.
//
// A record's keywords are one text, one keyword per line, lines separated by CR LF. Both
// commands write the new text at once with the single-field update, so the grid and the
// table never disagree; they act on the focused record only, never on the marked ones.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "catalogue/catalogue_session.h"
#include "catalogue/grid_record.h"

namespace vemora {

inline constexpr std::string_view kKeywordSeparator = "\r\n";

struct KeywordGroup {
  std::string name;
  std::vector<std::string> keywords;
};

// The predefined keywords, group by group, in the order the tree shows them.
const std::vector<KeywordGroup>& PredefinedKeywords();

// "durch Auswahl ersetzen": the focused record's keywords become `keyword` (an empty one
// empties them). Returns false when no record is focused.
bool ReplaceFocusedKeywords(CatalogueSession& session, CatalogueGrid& grid,
                            const std::string& keyword);

// "Auswahl hinzufügen": appends `keyword` on a line of its own (or makes it the only one
// when the keywords are empty). No duplicate check. Returns whether anything was written:
// nothing is for an empty keyword or without a focused record.
bool AddFocusedKeyword(CatalogueSession& session, CatalogueGrid& grid, const std::string& keyword);

// Every line break (LF, CR or CR LF) as CR LF: what a multi-line editor hands back before
// it is stored.
std::string WithCrLfLineBreaks(std::string_view text);

}  // namespace vemora
