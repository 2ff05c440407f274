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

std::array<uint32_t, 9> AppendJoinedTexts(std::string& buffer, const EntryTexts& texts,
                                          bool upperCase) {
  const size_t base = buffer.size();
  std::array<uint32_t, 9> starts{};
  for (size_t field = 0; field < texts.size(); ++field) {
    starts[field] = static_cast<uint32_t>(buffer.size() - base);
    if (upperCase) {
      AppendUpperCase(buffer, texts[field]);
    } else {
      buffer += texts[field];
    }
    buffer += '\0';
  }
  starts[8] = static_cast<uint32_t>(buffer.size() - base);
  return starts;
}

TextCriteria::TextCriteria(const SearchOptionSet& options)
    : caseSensitive_(options.GrossKlein), wholeWords_(options.GanzeWoerter) {
  const bool captions = options.FeldBeschriftung;
  const bool enabled[8] = {options.Feldsuchbegriffe,
                           options.FeldBeschreibung,
                           options.FeldDateiname,
                           options.FeldBezeichnung,
                           captions,
                           captions,
                           captions,
                           captions};
  for (int field = 0; field < 8; ++field) {
    if (!enabled[field]) continue;
    if (!fieldRuns_.empty() && fieldRuns_.back().second == field - 1) {
      fieldRuns_.back().second = field;
    } else {
      fieldRuns_.emplace_back(field, field);
    }
  }
  active_ = !fieldRuns_.empty();
  const std::array<const std::string*, 3> texts = {&options.Text1, &options.Text2, &options.Text3};
  const std::array<int32_t, 3> kinds = {options.TextArt1, options.TextArt2, options.TextArt3};
  for (size_t i = 0; i < 3; ++i) {
    // A kind whose term is empty counts as none.
    kinds_[i] = texts[i]->empty() ? kTermNone : kinds[i];
    terms_[i] = caseSensitive_ ? *texts[i] : UpperCase(*texts[i]);
    // Fields are joined by NULs: a term ends at its first one.
    terms_[i] = terms_[i].substr(0, terms_[i].find('\0'));
  }
}

bool TextCriteria::TermInRecord(const std::string& term, const JoinedTexts& texts) const {
  for (const auto& [first, last] : fieldRuns_) {
    const uint32_t begin = texts.starts[first];
    const std::string_view run = texts.joined.substr(begin, texts.starts[last + 1] - 1 - begin);
    if (ContainsTerm(run, term, wholeWords_)) return true;
  }
  return false;
}

bool TextCriteria::Matches(const JoinedTexts& texts) const {
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
  std::string buffer;
  JoinedTexts joined;
  joined.starts = AppendJoinedTexts(buffer, texts, criteria.FoldsCase());
  joined.joined = buffer;
  return criteria.Matches(joined);
}

}  // namespace vemora
