// The catalogue row and the command record that every change to the catalogue goes
// through.
//
// A TRecDSBilder is one row of table Bilder in memory; its field numbers double as the
// column selectors of the update command. A TRecCmdMDB says what the dispatcher
// (dispatcher.h) is to do with it. Byte fields (Bild, VsBild) hold the bytes one per char.
#pragma once

#include <cstdint>
#include <string>

namespace vemora {

// Field numbers of TRecDSBilder, in record order.
enum BildField : int32_t {
  kFieldBildCtr = 0,
  kFieldProjektNr = 1,
  kFieldBild = 2,
  kFieldName = 3,
  kFieldBeschreibung = 4,
  kFieldTyp = 5,
  kFieldFile = 6,
  kFieldPath = 7,
  kFieldFilePath = 8,
  kFieldTextTop = 9,
  kFieldTextBottom = 10,
  kFieldTextLeft = 11,
  kFieldTextRight = 12,
  kFieldBildCtr2 = 13,
  kFieldSuchbegriffe = 14,
  kFieldVsBild = 15,
};

struct TRecDSBilder {
  int32_t BildCtr = -1;
  int32_t ProjektNr = 0;
  std::string Bild;
  std::string Name;
  std::string Beschreibung;
  std::string Typ;
  std::string File;
  std::string Path;
  std::string FilePath;
  std::string TextTop;
  std::string TextBottom;
  std::string TextLeft;
  std::string TextRight;
  int32_t BildCtr2 = -1;  // -1: the database's counter decides
  std::string Suchbegriffe;
  std::string VsBild;
};

// Target formats of the conversion command.
enum ConvertTarget : int32_t {
  kConvertToBmp = 1,
  kConvertToJpeg = 2,
  kConvertToTiff = 3,
  kConvertUnchanged = 4,
};

struct TRecConvertPic {
  int32_t unused = 0;
  int32_t key = 0;
  int32_t targetFormat = kConvertUnchanged;
  bool writeBack = false;
  std::string unusedText;
  std::string targetFolder;
  // Caller-owned byte streams the conversion works in.
  std::string* sourceStream = nullptr;
  std::string* destinationStream = nullptr;
};

enum CommandCode : int32_t {
  kCmdNothing = 0,
  kCmdInsert = 1,
  kCmdDelete = 2,
  kCmdUpdateColumn = 3,
  kCmdEnsurePreviewColumn = 4,
  kCmdExport = 5,
  kCmdReplaceImage = 6,
  kCmdConvert = 7,
};

struct TRecCmdMDB {
  int32_t command = kCmdNothing;
  int32_t key = 0;
  int32_t selector = 0;
  std::string folder;
  std::string fileName;
  TRecConvertPic convert;
};

}  // namespace vemora
