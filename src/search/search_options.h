// The criteria of one search, field by field in the order of the saved-set table BildFilt.
//
// A fresh dialog shows the values the members start with (the set named "default"). Dates
// are whole days of the date serial (day 0 is 30 December 1899), 0 for none.
#pragma once

#include <cstdint>
#include <string>

namespace vemora {

// Kinds of term 1, and connectors of terms 2 and 3.
enum TermKind : int32_t { kTermNone = -1, kTermPlain = 0, kTermNot = 1 };
enum TermConnector : int32_t {
  kConnectNone = -1,
  kConnectAnd = 0,
  kConnectOr = 1,
  kConnectAndNot = 2
};
// DatumArt, DatumZeit and the size comparisons.
enum AgeKind : int32_t { kAgeNotOlderThan = 0, kAgeOlderThan = 1 };
enum AgeUnit : int32_t { kAgeDays = 0, kAgeWeeks = 1, kAgeMonths = 2, kAgeYears = 3 };
enum SizeComparison : int32_t { kSizeGreater = 0, kSizeSmaller = 1, kSizeEqual = 2 };

struct SearchOptionSet {
  std::string Name = "default";
  bool AlleProjekte = true;
  bool Feldsuchbegriffe = true;
  bool FeldBeschreibung = true;
  bool FeldDateiname = true;
  bool FeldBezeichnung = true;
  bool FeldBeschriftung = true;
  int32_t TextArt1 = kTermNone;
  std::string Text1;
  int32_t TextArt2 = kConnectNone;
  std::string Text2;
  int32_t TextArt3 = kConnectNone;
  std::string Text3;
  bool GanzeWoerter = false;
  bool GrossKlein = false;
  bool DatumZwischen = false;
  int32_t DatumVon = 0;
  int32_t DatumBis = 0;
  bool DatumAlter = false;
  int32_t DatumArt = kAgeNotOlderThan;
  int32_t DatumAnzahl = 1;
  int32_t DatumZeit = kAgeDays;
  bool Breite = false;
  int32_t BreiteArt = kSizeGreater;
  int32_t BreiteWert = 800;
  bool Hoehe = false;
  int32_t HoeheArt = kSizeGreater;
  int32_t HoeheWert = 600;

  friend bool operator==(const SearchOptionSet&, const SearchOptionSet&) = default;
};

}  // namespace vemora
