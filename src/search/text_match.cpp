#include "search/text_match.h"

#include "search/upper_case.h"

namespace vemora {
namespace {

bool IsWordCharacter(char c) {
  return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// Bytes of the UTF-8 character that starts with `lead`.
size_t CharacterLength(char lead) {
  const auto byte = static_cast<unsigned char>(lead);
  if (byte >= 0xF0) return 4;
  if (byte >= 0xE0) return 3;
  if (byte >= 0xC0) return 2;
  return 1;
}

}  // namespace

bool ContainsTerm(std::string_view text, std::string_view term, bool wholeWords) {
  if (term.empty()) return false;
  size_t start = 0;  // the text "after removing the first characters" begins here
  while (true) {
    const size_t found = text.find(term, start);
    if (found == std::string_view::npos) return false;
    if (!wholeWords) return true;
    const size_t end = found + term.size();
    const bool freeBefore = found == start || !IsWordCharacter(text[found - 1]);
    const bool freeAfter = end == text.size() || !IsWordCharacter(text[end]);
    if (freeBefore && freeAfter) return true;
    start = found + CharacterLength(text[found]);
  }
}

bool TermInText(std::string_view text, std::string_view term, const SearchOptionSet& options) {
  if (options.GrossKlein) return ContainsTerm(text, term, options.GanzeWoerter);
  return ContainsTerm(UpperCase(text), UpperCase(term), options.GanzeWoerter);
}

TextCriteria::TextCriteria(const SearchOptionSet& options)
    : caseSensitive_(options.GrossKlein), wholeWords_(options.GanzeWoerter) {
  const bool captions = options.FeldBeschriftung;
  fieldEnabled_ = {options.Feldsuchbegriffe,
                   options.FeldBeschreibung,
                   options.FeldDateiname,
                   options.FeldBezeichnung,
                   captions,
                   captions,
                   captions,
                   captions};
  for (const bool enabled : fieldEnabled_) active_ = active_ || enabled;
  const std::array<const std::string*, 3> texts = {&options.Text1, &options.Text2, &options.Text3};
  const std::array<int32_t, 3> kinds = {options.TextArt1, options.TextArt2, options.TextArt3};
  for (size_t i = 0; i < 3; ++i) {
    // A kind whose term is empty counts as none.
    kinds_[i] = texts[i]->empty() ? kTermNone : kinds[i];
    terms_[i] = caseSensitive_ ? *texts[i] : UpperCase(*texts[i]);
  }
}

bool TextCriteria::TermInRecord(const std::string& term, const EntryTexts& texts) const {
  for (size_t field = 0; field < texts.size(); ++field) {
    if (fieldEnabled_[field] && ContainsTerm(texts[field], term, wholeWords_)) return true;
  }
  return false;
}

bool TextCriteria::Matches(const EntryTexts& texts) const {
  if (!active_) return true;
  // Term 1 counts whenever it has a text, even with no kind chosen.
  bool result = true;
  if (!terms_[0].empty()) {
    result = TermInRecord(terms_[0], texts);
    if (kinds_[0] == kTermNot) result = !result;
  }
  for (size_t i = 1; i < 3; ++i) {
    if (kinds_[i] < 0) continue;
    const bool isOr = kinds_[i] == kConnectOr;
    if (result == isOr) continue;  // "oder" on true, "und" on false: the result stands
    bool found = TermInRecord(terms_[i], texts);
    if (kinds_[i] == kConnectAndNot) found = !found;
    result = found;
  }
  return result;
}

bool MatchesText(const EntryTexts& texts, const SearchOptionSet& options) {
  const TextCriteria criteria(options);
  if (!criteria.FoldsCase()) return criteria.Matches(texts);
  std::array<std::string, 8> upper;
  EntryTexts views;
  for (size_t i = 0; i < texts.size(); ++i) {
    upper[i] = UpperCase(texts[i]);
    views[i] = upper[i];
  }
  return criteria.Matches(views);
}

}  // namespace vemora
