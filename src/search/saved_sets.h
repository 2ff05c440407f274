// Search criteria stored under a name in table BildFilt, one row per set.
//
// Sets are written as SQL text (names and terms through QuoteSqlText, booleans as 1/0,
// dates as whole days) and read back by column name. A set is never updated: saving under
// a name that exists is refused. The table belongs to the host's database; when it is
// missing or lacks a column the functions throw SavedSetError with a German message.
#pragma once

#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "catalogue/prompter.h"
#include "search/search_options.h"
#include "vemora/gateway.h"

namespace vemora {

class SavedSetError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The text with every apostrophe doubled, for use between apostrophes in SQL text.
std::string QuoteSqlText(std::string_view text);

// The INSERT statement that stores the set under its Name.
std::string InsertSavedSetStatement(const SearchOptionSet& options);

// "Suchoptionen speichern": asks for a name until it is neither empty nor taken, then
// stores `options` under it. Returns the name, or none when the user cancelled.
std::optional<std::string> SaveSearchOptions(TDBGateway& gateway, Prompter& prompter,
                                             SearchOptionSet options);

// The set stored under `name`; none when there is no such row (any more).
std::optional<SearchOptionSet> LoadSearchOptions(TDBGateway& gateway, const std::string& name);

// The names of all stored sets in the database's order.
std::vector<std::string> SavedSetNames(TDBGateway& gateway);

// Asks whether the set is to be deleted and deletes it on Yes. Returns whether it did.
bool DeleteSavedSet(TDBGateway& gateway, Prompter& prompter, const std::string& name);

}  // namespace vemora
