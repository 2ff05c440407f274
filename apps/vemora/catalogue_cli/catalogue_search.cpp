// `search`: the search dialog's criteria from the command line, run by the dialog's search
// over the loaded grid; the matching images are listed.
//
//   search [--fields LIST] [--whole-words] [--case] [--from DATE] [--to DATE]
//          [--newer N[d|w|m|y]] [--older N[d|w|m|y]] [--width >N|<N|=N] [--height ...]
//          [nicht] TERM [und|oder|und-nicht TERM] [und|oder|und-nicht TERM]

#include <charconv>
#include <sstream>
#include <string_view>

#include "catalogue_cli/catalogue_context.h"
#include "search/date_serial.h"
#include "search/search_snapshot.h"

namespace vemora::cli {
namespace {

int32_t WholeNumber(const std::string& text, const std::string& option) {
  int32_t value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || error != std::errc() || end != text.data() + text.size() || value < 0)
    throw UsageError(option + " takes a whole number, not '" + text + "'");
  return value;
}

int32_t Date(const std::string& text, const std::string& option) {
  const std::optional<int32_t> day = ParseDate(text);
  if (!day) throw UsageError(option + " takes a date like 24.12.2024, not '" + text + "'");
  return *day;
}

void Fields(const std::string& list, SearchOptionSet& options) {
  options.Feldsuchbegriffe = options.FeldBeschreibung = options.FeldDateiname =
      options.FeldBezeichnung = options.FeldBeschriftung = false;
  std::istringstream in(list);
  std::string field;
  while (std::getline(in, field, ',')) {
    if (field == "keywords") {
      options.Feldsuchbegriffe = true;
    } else if (field == "description") {
      options.FeldBeschreibung = true;
    } else if (field == "file") {
      options.FeldDateiname = true;
    } else if (field == "name") {
      options.FeldBezeichnung = true;
    } else if (field == "captions") {
      options.FeldBeschriftung = true;
    } else {
      throw UsageError("--fields takes keywords,description,file,name,captions, not '" + field +
                       "'");
    }
  }
}

// "30d", "2w", "6m", "1y" (days when no unit).
void Age(const std::string& text, int32_t kind, SearchOptionSet& options) {
  static constexpr std::string_view kUnits = "dwmy";  // in the order of AgeUnit
  std::string number = text;
  int32_t unit = kAgeDays;
  if (const size_t found = kUnits.find(number.empty() ? ' ' : number.back());
      found != std::string_view::npos) {
    unit = static_cast<int32_t>(found);
    number.pop_back();
  }
  options.DatumAlter = true;
  options.DatumArt = kind;
  options.DatumZeit = unit;
  options.DatumAnzahl = WholeNumber(number, "--newer/--older");
}

// ">800", "<600", "=1024".
void Size(const std::string& text, const std::string& option, bool& on, int32_t& comparison,
          int32_t& value) {
  if (text.empty()) throw UsageError(option + " takes >N, <N or =N");
  switch (text[0]) {
    case '>':
      comparison = kSizeGreater;
      break;
    case '<':
      comparison = kSizeSmaller;
      break;
    case '=':
      comparison = kSizeEqual;
      break;
    default:
      throw UsageError(option + " takes >N, <N or =N, not '" + text + "'");
  }
  value = WholeNumber(text.substr(1), option);
  on = true;
}

// The terms: [nicht] TERM, then up to two of (und|oder|und-nicht) TERM.
void Terms(std::vector<std::string> words, SearchOptionSet& options) {
  size_t i = 0;
  if (words.empty()) return;
  options.TextArt1 = kTermPlain;
  if (words[0] == "nicht") {
    options.TextArt1 = kTermNot;
    ++i;
  }
  if (i >= words.size()) throw UsageError("a search term must follow 'nicht'");
  options.Text1 = words[i++];
  int32_t* connectors[] = {&options.TextArt2, &options.TextArt3};
  std::string* texts[] = {&options.Text2, &options.Text3};
  for (int term = 0; i < words.size(); ++term) {
    if (term == 2) throw UsageError("at most three search terms");
    const std::string& word = words[i++];
    if (word == "und" && i < words.size() && words[i] == "nicht") {
      ++i;
      *connectors[term] = kConnectAndNot;
    } else if (word == "und") {
      *connectors[term] = kConnectAnd;
    } else if (word == "oder") {
      *connectors[term] = kConnectOr;
    } else if (word == "und-nicht") {
      *connectors[term] = kConnectAndNot;
    } else {
      throw UsageError("terms are joined by und, oder or und-nicht, not '" + word + "'");
    }
    if (i >= words.size()) throw UsageError("a search term must follow '" + word + "'");
    *texts[term] = words[i++];
  }
}

}  // namespace

int RunSearch(CatalogueContext& context) {
  SearchOptionSet options;
  std::vector<std::string>& args = context.args;
  if (const std::string fields = TakeOption(args, "--fields"); !fields.empty())
    Fields(fields, options);
  options.GanzeWoerter = TakeFlag(args, "--whole-words");
  options.GrossKlein = TakeFlag(args, "--case");
  const std::string from = TakeOption(args, "--from");
  const std::string to = TakeOption(args, "--to");
  if (!from.empty() || !to.empty()) {
    options.DatumZwischen = true;
    options.DatumVon = from.empty() ? 0 : Date(from, "--from");
    options.DatumBis = to.empty() ? DaySerial(9999, 12, 31) : Date(to, "--to");
  }
  if (const std::string newer = TakeOption(args, "--newer"); !newer.empty())
    Age(newer, kAgeNotOlderThan, options);
  if (const std::string older = TakeOption(args, "--older"); !older.empty())
    Age(older, kAgeOlderThan, options);
  if (const std::string width = TakeOption(args, "--width"); !width.empty())
    Size(width, "--width", options.Breite, options.BreiteArt, options.BreiteWert);
  if (const std::string height = TakeOption(args, "--height"); !height.empty())
    Size(height, "--height", options.Hoehe, options.HoeheArt, options.HoeheWert);
  RejectUnknownOptions(args);
  Terms(args, options);

  LoadGrid(context);
  SearchSnapshot snapshot(context.grid, -1);
  DiskFileReader files(context.session.imageFolder);
  const int found = vemora::RunSearch(snapshot, options, files, TodaySerial());
  for (const SearchRow& row : snapshot.Rows()) {
    if (row.matches) context.out << row.counter << '\t' << row.name << '\n';
  }
  context.out << found << " of " << snapshot.Rows().size() << " image(s) match\n";
  return 0;
}

}  // namespace vemora::cli
