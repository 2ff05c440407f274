#include "catalogue/dispatcher.h"

#include <chrono>
#include <filesystem>
#include <random>
#include <vector>

#include "catalogue/preview_column.h"
#include "catalogue/statements.h"
#include "codec/convert.h"
#include "codec/image_format.h"
#include "platform/file_io.h"
#include "platform/paths.h"

namespace vemora {
namespace {

// A provisional key for a row between its insert and the update that gives it its final
// key. Final keys are database counters (positive) or keys a caller supplies, so drawing
// from the negative range keeps the provisional key apart from every key a row carries;
// the 31 random bits keep two hosts inserting at the same moment apart from each other.
int32_t DrawProvisionalKey() {
  std::random_device device;
  const auto clock =
      static_cast<uint64_t>(std::chrono::high_resolution_clock::now().time_since_epoch().count());
  std::mt19937_64 generator((static_cast<uint64_t>(device()) << 32) ^ clock);
  std::uniform_int_distribution<int32_t> distribution(INT32_MIN + 1, -1);
  return distribution(generator);
}

int32_t InsertRow(CatalogueSession& session, const TRecDSBilder& record) {
  const int32_t provisionalKey = DrawProvisionalKey();
  const std::string& column = session.fileColumn;
  Execute(
      *session.gateway,
      "INSERT INTO [Bilder] (Name, Beschreibung, TextTop, TextLeft, TextRight, "
      "TextBottom, Path, [" +
          column +
          "], Suchbegriffe, Bild, VsBild, ProjektNr, Typ, FilePath, BildCtr2) "
          "values (:Name, :Beschreibung, :TextTop, :TextLeft, :TextRight, :TextBottom, "
          ":Path, :" +
          column + ", :Suchbegriffe, :Bild, :VsBild,:ProjektNr,:Typ,:FilePath, :BildCtr2)",
      {TDBValue::Text(record.Name), TDBValue::Text(record.Beschreibung),
       TDBValue::Text(record.TextTop), TDBValue::Text(record.TextLeft),
       TDBValue::Text(record.TextRight), TDBValue::Text(record.TextBottom),
       TDBValue::Text(record.Path), TDBValue::Text(record.File),
       TDBValue::Text(record.Suchbegriffe), AsBlobParam(record.Bild), AsBlobParam(record.VsBild),
       TDBValue::Integer(record.ProjektNr), TDBValue::Text(record.Typ),
       TDBValue::Text(record.FilePath), TDBValue::Integer(provisionalKey)});

  // Until its final key is set, the row exists only under the provisional key. When that
  // fails, take the row out again (as far as the connection still allows), so the
  // catalogue does not keep a row that nobody sees being added.
  try {
    int32_t counter = 0;
    {
      ResultSetGuard query =
          Query(*session.gateway,
                "SELECT BildCtr FROM Bilder WHERE BildCtr2 = " + std::to_string(provisionalKey));
      if (query->Eof())
        throw TDBError("the row just inserted was not found again (key " +
                       std::to_string(provisionalKey) + ")");
      counter = query->FieldByName("BildCtr").AsInteger();
    }
    const int32_t key = record.BildCtr2 != -1 ? record.BildCtr2 : counter;
    Execute(*session.gateway, "UPDATE Bilder SET BildCtr2 = " + std::to_string(key) +
                                  " WHERE BildCtr = " + std::to_string(counter));
    return key;
  } catch (...) {
    try {
      Execute(*session.gateway,
              "DELETE FROM Bilder WHERE BildCtr2 = " + std::to_string(provisionalKey));
    } catch (...) {  // the original error is the one to report
    }
    throw;
  }
}

TDBValue FieldValue(const TRecDSBilder& record, int32_t selector) {
  switch (selector) {
    case kFieldProjektNr:
      return TDBValue::Integer(record.ProjektNr);
    case kFieldBild:
      return AsBlobParam(record.Bild);
    case kFieldName:
      return TDBValue::Text(record.Name);
    case kFieldBeschreibung:
      return TDBValue::Text(record.Beschreibung);
    case kFieldTyp:
      return TDBValue::Text(record.Typ);
    case kFieldFile:
      return TDBValue::Text(record.File);
    case kFieldPath:
      return TDBValue::Text(record.Path);
    case kFieldFilePath:
      return TDBValue::Text(record.FilePath);
    case kFieldTextTop:
      return TDBValue::Text(record.TextTop);
    case kFieldTextBottom:
      return TDBValue::Text(record.TextBottom);
    case kFieldTextLeft:
      return TDBValue::Text(record.TextLeft);
    case kFieldTextRight:
      return TDBValue::Text(record.TextRight);
    case kFieldSuchbegriffe:
      return TDBValue::Text(record.Suchbegriffe);
    case kFieldVsBild:
      return AsBlobParam(record.VsBild);
    default:
      return {};
  }
}

void UpdateColumn(CatalogueSession& session, const TRecCmdMDB& command,
                  const TRecDSBilder& record) {
  const std::string sql = UpdateColumnStatement(command.selector);
  if (sql.empty()) return;
  Execute(*session.gateway, sql,
          {FieldValue(record, command.selector), TDBValue::Integer(command.key)});
}

void ReplaceImage(CatalogueSession& session, const TRecCmdMDB& command,
                  const TRecDSBilder& record) {
  Execute(
      *session.gateway,
      " UPDATE Bilder SET VsBild=:p1,Bild=:p2,Name=:p3,[File]=:p4,Path=:p5 WHERE "
      "BildCtr2=:p6",
      {AsBlobParam(record.VsBild), AsBlobParam(record.Bild), TDBValue::Text(record.Name),
       TDBValue::Text(record.File), TDBValue::Text(record.Path), TDBValue::Integer(command.key)});
}

std::string StoredImageQuery(int32_t key) {
  return "SELECT Bild,[File] FROM Bilder WHERE BildCtr2=" + std::to_string(key);
}

int32_t ExportImage(CatalogueSession& session, const TRecCmdMDB& command) {
  ResultSetGuard query = Query(*session.gateway, StoredImageQuery(command.key));
  if (query->Eof()) return 1;
  const std::string storedName = query->FieldByName("File").AsString();
  const std::string folder = platform::WithTrailingSeparator(
      !command.folder.empty() && session.files->IsFolder(command.folder) ? command.folder
                                                                         : session.imageFolder);
  TDBField& image = query->FieldByName("Bild");
  if (!command.fileName.empty()) {
    const std::string target = folder + command.fileName;
    image.SaveToFile(target);
    return session.files->Exists(target) ? 0 : 1;
  }
  image.SaveToFile(folder + (storedName.empty() ? std::string("tmpFile1") : storedName));
  return 1;
}

std::string WithExtension(const std::string& fileName, std::string_view extension) {
  const auto dot = fileName.find_last_of('.');
  return (dot == std::string::npos ? fileName : fileName.substr(0, dot)) + std::string(extension);
}

// The conversion command's target codes, mapped to the codec's formats here and nowhere else.
const codec::ImageFormat& ConversionTarget(int32_t targetFormat) {
  const codec::ImageKind kind = targetFormat == kConvertToBmp    ? codec::ImageKind::Bmp
                                : targetFormat == kConvertToJpeg ? codec::ImageKind::Jpeg
                                                                 : codec::ImageKind::Tiff;
  return *codec::FormatOf(kind);
}

int32_t ConvertImage(CatalogueSession& session, const TRecCmdMDB& command) {
  const TRecConvertPic& convert = command.convert;
  ResultSetGuard query = Query(*session.gateway, StoredImageQuery(convert.key));
  if (query->Eof()) return 1;
  const std::string storedName = query->FieldByName("File").AsString();
  const std::string folder = platform::WithTrailingSeparator(convert.targetFolder);
  std::string sourceBytes;
  std::string destinationBytes;
  std::string& source = convert.sourceStream ? *convert.sourceStream : sourceBytes;
  std::string& destination =
      convert.destinationStream ? *convert.destinationStream : destinationBytes;
  source = query->FieldByName("Bild").AsString();
  destination.clear();

  switch (convert.targetFormat) {
    case kConvertToBmp:
    case kConvertToJpeg:
    case kConvertToTiff: {
      const codec::ImageFormat& target = ConversionTarget(convert.targetFormat);
      codec::ConvertStoredImage(target.kind, source, destination);
      // Bytes of no known kind convert to nothing. They are exported as they are, under
      // their stored name, and the row keeps them: it must never get an empty image.
      if (destination.empty()) {
        session.files->WriteWholeFile(folder + (storedName.empty() ? "tmpFile1" : storedName),
                                      source);
        return 1;
      }
      const std::string newName = WithExtension(storedName, target.extension);
      session.files->WriteWholeFile(folder + newName, destination);
      if (convert.writeBack) {
        Execute(
            *session.gateway, "UPDATE Bilder SET Bild=:p1, File=:p2 WHERE BildCtr2=:p3",
            {AsBlobParam(destination), TDBValue::Text(newName), TDBValue::Integer(convert.key)});
      }
      return 1;
    }
    case kConvertUnchanged: {
      const std::string target = folder + storedName;
      session.files->WriteWholeFile(target, source);
      return session.files->Exists(target) ? 0 : 1;
    }
    default:
      return 1;
  }
}

}  // namespace

TDBValue AsBlobParam(std::string_view bytes) {
  std::string value;
  value.reserve(kBlobMarker.size() + bytes.size());
  value.append(kBlobMarker).append(bytes);
  return TDBValue::Bytes(std::move(value));
}

std::string UpdateColumnStatement(int32_t selector) {
  static constexpr const char* kColumns[] = {
      nullptr,     "ProjektNr", "Bild",         "Name",    "Beschreibung", "Typ",
      "File",      "Path",      "FilePath",     "TextTop", "TextBottom",   "TextLeft",
      "TextRight", nullptr,     "Suchbegriffe", "VsBild"};
  if (selector < 0 || selector > kFieldVsBild || kColumns[selector] == nullptr) return {};
  return std::string("UPDATE Bilder SET ") + kColumns[selector] + "=:p1 WHERE BildCtr2=:p2";
}

int32_t RunCmdMDB(CatalogueSession& session, const TRecCmdMDB& command,
                  const TRecDSBilder& record) {
  switch (command.command) {
    case kCmdInsert:
      return InsertRow(session, record);
    case kCmdDelete:
      Execute(*session.gateway,
              "DELETE FROM Bilder WHERE BildCtr2 = " + std::to_string(command.key));
      return 0;
    case kCmdUpdateColumn:
      UpdateColumn(session, command, record);
      return 0;
    case kCmdEnsurePreviewColumn:
      if (command.selector == kFieldVsBild) CheckPreviewColumn(session);
      return 0;
    case kCmdExport:
      return ExportImage(session, command);
    case kCmdReplaceImage:
      ReplaceImage(session, command, record);
      return 0;
    case kCmdConvert:
      return ConvertImage(session, command);
    default:
      return 0;
  }
}

}  // namespace vemora
