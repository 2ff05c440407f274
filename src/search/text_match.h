// Whether an entry's texts satisfy a search's text terms.
//
// Up to three terms: term 1 counts whenever its text is not empty (kind "nicht" negates
// it); terms 2 and 3 count only with a connector ("und", "oder", "und nicht") and a text.
// The results combine strictly left to right, "und" binding no tighter than "oder". A term
// is found when it occurs in one of the enabled fields; whole-word matching treats only
// ASCII letters and digits as word characters.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "search/search_options.h"

namespace vemora {

// One entry's fields in the order a term is tried: keywords, description, file path, name,
// then the captions left, right, top and bottom.
using EntryTexts = std::array<std::string_view, 8>;

// Whether `term` occurs in `text`, as given (no case folding). With wholeWords an
// occurrence needs no word character beside it; after a failed occurrence the search goes
// on in the text behind the occurrence's first character, where the first character
// counts as having nothing before it.
bool ContainsTerm(std::string_view text, std::string_view term, bool wholeWords);

// ContainsTerm after upper-casing both unless the set matches case.
bool TermInText(std::string_view text, std::string_view term, const SearchOptionSet& options);

// The text terms of one search, prepared once for every entry.
class TextCriteria {
 public:
  explicit TextCriteria(const SearchOptionSet& options);

  // False when no field is enabled: then every entry passes.
  bool Active() const { return active_; }
  // Whether texts must be upper-cased before Matches (the set ignores case).
  bool FoldsCase() const { return !caseSensitive_; }
  // `texts` upper-cased when FoldsCase().
  bool Matches(const EntryTexts& texts) const;

 private:
  bool TermInRecord(const std::string& term, const EntryTexts& texts) const;

  bool active_ = false;
  bool caseSensitive_ = false;
  bool wholeWords_ = false;
  std::array<bool, 8> fieldEnabled_{};
  std::array<std::string, 3> terms_;
  std::array<int32_t, 3> kinds_{};
};

// The text test of one entry (upper-casing as the set asks).
bool MatchesText(const EntryTexts& texts, const SearchOptionSet& options);

}  // namespace vemora
