#include "search/saved_sets.h"

#include <functional>

#include "catalogue/result_set_guard.h"

namespace vemora {
namespace {

constexpr const char* kEmptyNameMessage = "Bitte geben Sie einen Namen für die Suchoption ein.";
constexpr const char* kDuplicateNameMessage = "Suchoptionen mit diesem Namen existiert bereits.";

std::string Flag(bool value) { return value ? "1" : "0"; }
std::string Number(int32_t value) { return std::to_string(value); }

std::string SelectByName(const std::string& name) {
  return "SELECT * FROM BildFilt WHERE Name = '" + QuoteSqlText(name) + "'";
}

// Runs a statement against BildFilt; a failure becomes a German message with the
// gateway's own text behind it.
template <typename Work>
auto OnSavedSets(const char* what, Work work) -> decltype(work()) {
  try {
    return work();
  } catch (const SavedSetError&) {
    throw;
  } catch (const std::exception& error) {
    throw SavedSetError(std::string(what) +
                        " (Tabelle BildFilt fehlt oder ist unvollständig): " + error.what());
  }
}

bool NameTaken(TDBGateway& gateway, const std::string& name) {
  ResultSetGuard rows(gateway.OpenSQL(SelectByName(name), 0, 0));
  rows->First();
  return !rows->Eof();
}

SearchOptionSet ReadSet(TDBResultSet& row) {
  const auto flag = [&](const char* column) { return row.FieldByName(column).AsInteger() != 0; };
  const auto number = [&](const char* column) { return row.FieldByName(column).AsInteger(); };
  const auto text = [&](const char* column) { return row.FieldByName(column).AsString(); };
  SearchOptionSet set;
  set.Name = text("Name");
  set.AlleProjekte = flag("AlleProjekte");
  set.Feldsuchbegriffe = flag("Feldsuchbegriffe");
  set.FeldBeschreibung = flag("FeldBeschreibung");
  set.FeldDateiname = flag("FeldDateiname");
  set.FeldBezeichnung = flag("FeldBezeichnung");
  set.FeldBeschriftung = flag("FeldBeschriftung");
  set.TextArt1 = number("TextArt1");
  set.Text1 = text("Text1");
  set.TextArt2 = number("TextArt2");
  set.Text2 = text("Text2");
  set.TextArt3 = number("TextArt3");
  set.Text3 = text("Text3");
  set.GanzeWoerter = flag("GanzeWoerter");
  set.GrossKlein = flag("GrossKlein");
  set.DatumZwischen = flag("DatumZwischen");
  set.DatumVon = number("DatumVon");
  set.DatumBis = number("DatumBis");
  set.DatumAlter = flag("DatumAlter");
  set.DatumArt = number("DatumArt");
  set.DatumAnzahl = number("DatumAnzahl");
  set.DatumZeit = number("DatumZeit");
  set.Breite = flag("Breite");
  set.BreiteArt = number("BreiteArt");
  set.BreiteWert = number("BreiteWert");
  set.Hoehe = flag("Hoehe");
  set.HoeheArt = number("HoeheArt");
  set.HoeheWert = number("HoeheWert");
  return set;
}

}  // namespace

std::string QuoteSqlText(std::string_view text) {
  std::string quoted;
  quoted.reserve(text.size() + 2);
  for (const char c : text) {
    quoted += c;
    if (c == '\'') quoted += '\'';
  }
  return quoted;
}

std::string InsertSavedSetStatement(const SearchOptionSet& o) {
  std::string sql =
      "INSERT INTO BildFilt (Name,AlleProjekte,Feldsuchbegriffe,FeldBeschreibung,FeldDateiname,"
      "FeldBezeichnung,FeldBeschriftung,TextArt1,Text1,TextArt2,Text2,TextArt3,Text3,"
      "GanzeWoerter,GrossKlein,DatumZwischen,DatumVon,DatumBis,DatumAlter,DatumArt,DatumAnzahl,"
      "DatumZeit,Breite,BreiteArt,BreiteWert,Hoehe,HoeheArt,HoeheWert) values ( '";
  sql += QuoteSqlText(o.Name) + "',";
  for (const bool field : {o.AlleProjekte, o.Feldsuchbegriffe, o.FeldBeschreibung, o.FeldDateiname,
                           o.FeldBezeichnung, o.FeldBeschriftung}) {
    sql += Flag(field) + ",";
  }
  sql += Number(o.TextArt1) + ", '" + QuoteSqlText(o.Text1) + "',";
  sql += Number(o.TextArt2) + ", '" + QuoteSqlText(o.Text2) + "',";
  sql += Number(o.TextArt3) + ", '" + QuoteSqlText(o.Text3) + "',";
  const std::string tail[] = {Flag(o.GanzeWoerter), Flag(o.GrossKlein),    Flag(o.DatumZwischen),
                              Number(o.DatumVon),   Number(o.DatumBis),    Flag(o.DatumAlter),
                              Number(o.DatumArt),   Number(o.DatumAnzahl), Number(o.DatumZeit),
                              Flag(o.Breite),       Number(o.BreiteArt),   Number(o.BreiteWert),
                              Flag(o.Hoehe),        Number(o.HoeheArt),    Number(o.HoeheWert)};
  for (size_t i = 0; i < std::size(tail); ++i) sql += (i == 0 ? "" : ",") + tail[i];
  return sql + ")";
}

std::optional<std::string> SaveSearchOptions(TDBGateway& gateway, Prompter& prompter,
                                             SearchOptionSet options) {
  std::string name;
  while (true) {
    const std::optional<std::string> typed =
        prompter.AskText("Suchoptionen speichern", "Name", name);
    if (!typed) return std::nullopt;
    name = *typed;
    const char* error = nullptr;
    if (name.empty()) {
      error = kEmptyNameMessage;
    } else if (OnSavedSets("Die Suchoptionen können nicht gelesen werden",
                           [&] { return NameTaken(gateway, name); })) {
      error = kDuplicateNameMessage;
    }
    if (error == nullptr) break;
    prompter.ShowMessage(error);
  }
  options.Name = name;
  OnSavedSets("Die Suchoptionen können nicht gespeichert werden",
              [&] { gateway.ExecSQL(InsertSavedSetStatement(options), 4); });
  return name;
}

std::optional<SearchOptionSet> LoadSearchOptions(TDBGateway& gateway, const std::string& name) {
  return OnSavedSets("Die Suchoptionen können nicht geladen werden",
                     [&]() -> std::optional<SearchOptionSet> {
                       ResultSetGuard rows(gateway.OpenSQL(SelectByName(name), 0, 0));
                       rows->First();
                       if (rows->Eof()) return std::nullopt;
                       return ReadSet(*rows);
                     });
}

std::vector<std::string> SavedSetNames(TDBGateway& gateway) {
  return OnSavedSets("Die Liste der Suchoptionen kann nicht gelesen werden", [&] {
    std::vector<std::string> names;
    ResultSetGuard rows(gateway.OpenSQL("SELECT * FROM BildFilt", 0, 0));
    for (rows->First(); !rows->Eof(); rows->Next()) {
      names.push_back(rows->FieldByName("Name").AsString());
    }
    return names;
  });
}

bool DeleteSavedSet(TDBGateway& gateway, Prompter& prompter, const std::string& name) {
  if (prompter.Ask("Möchten Sie die Suchoptionen \"" + name + "\" löschen ?'", false) !=
      Answer::Yes) {
    return false;
  }
  OnSavedSets("Die Suchoptionen können nicht gelöscht werden", [&] {
    gateway.ExecSQL("DELETE FROM BildFilt WHERE Name='" + QuoteSqlText(name) + "'", 4);
  });
  return true;
}

}  // namespace vemora
