// Whether an entry's texts satisfy a search's text terms.
//
// Up to three terms: term 1 counts whenever its text is not empty (kind "nicht" negates
// it); terms 2 and 3 count only with a connector ("und", "oder", "und nicht") and a text.
// The results combine strictly left to right, "und" binding no tighter than "oder". A term
// is found when it occurs in one of the enabled fields; whole-word matching treats only
// ASCII letters and digits as word characters.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "search/search_options.h"

namespace vemora {

// One entry's fields in the order a term is tried: keywords, description, file path, name,
// then the captions left, right, top and bottom.
using EntryTexts = std::array<std::string_view, 8>;

// The eight fields of one entry one after the other, each followed by a NUL, so that a run
// of neighbouring enabled fields is searched in one pass: a NUL is no word character and no
// term holds one, so no occurrence spans two fields and each field edge still counts as
// an edge of a word.
struct JoinedTexts {
  std::string_view joined;
  // Field f is joined.substr(starts[f], starts[f + 1] - starts[f] - 1).
  std::array<uint32_t, 9> starts{};
};

// Appends the fields (upper-cased when asked) to `buffer`; the starts are relative to the
// buffer's size before the call.
std::array<uint32_t, 9> AppendJoinedTexts(std::string& buffer, const EntryTexts& texts,
                                          bool upperCase);

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
  bool Matches(const JoinedTexts& texts) const;

 private:
  bool TermInRecord(const std::string& term, const JoinedTexts& texts) const;

  bool active_ = false;
  bool caseSensitive_ = false;
  bool wholeWords_ = false;
  // Runs of neighbouring enabled fields, as [first, last] field numbers.
  std::vector<std::pair<int, int>> fieldRuns_;
  std::array<std::string, 3> terms_;
  std::array<int32_t, 3> kinds_{};
};

// The text test of one entry (upper-casing as the set asks).
bool MatchesText(const EntryTexts& texts, const SearchOptionSet& options);

}  // namespace vemora
