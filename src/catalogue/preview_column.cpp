#include "catalogue/preview_column.h"

#include <exception>

#include "catalogue/dispatcher.h"
#include "catalogue/statements.h"
#include "codec/preview.h"

namespace vemora {
namespace {

// A damaged image names its row's file in the error, so the report says which one it is.
std::string PreviewOf(TDBResultSet& rows) {
  try {
    return codec::MakePreviewJpeg(rows.FieldByName("Bild").AsString());
  } catch (const codec::CodecError& error) {
    TDBField* file = rows.FindField("File");
    const std::string name = file != nullptr ? file->AsString() : std::string();
    throw codec::CodecError(name.empty() ? error.what() : name + ": " + error.what());
  }
}

std::string StorePreviewOfCurrentRow(CatalogueSession& session, TDBResultSet& rows) {
  std::string preview = PreviewOf(rows);
  Execute(*session.gateway, "UPDATE Bilder SET VsBild=:p1 WHERE BildCtr2=:p2",
          {AsBlobParam(preview), TDBValue::Integer(rows.FieldByName("BildCtr2").AsInteger())});
  return preview;
}

}  // namespace

bool EnsureField(CatalogueSession& session, const std::string& table, const std::string& column) {
  if (session.gateway->FieldExists(table, column, 0, -1)) return true;
  session.previewColumnWasPresent = false;
  try {
    session.gateway->AddField(table, column, kFieldTypeBlob, 0, TDBValue());
    return true;
  } catch (const std::exception&) {
    session.prompter->ShowMessage("Es trat ein Fehler beim Initialisieren der Datenbank auf (" +
                                  table + "." + column + ").");
    return false;
  }
}

void CheckPreviewColumn(CatalogueSession& session) {
  session.previewColumnWasPresent = true;
  session.previewColumnAvailable = EnsureField(session, "Bilder", "VsBild");
  if (!session.previewColumnAvailable) {
    session.prompter->ShowMessage("Vorschaubild kann nicht hinzugefügt werden!");
  } else if (!session.previewColumnWasPresent) {
    RebuildPreviews(session, kRebuildAll);
  }
}

std::string RebuildPreviews(CatalogueSession& session, int mode, TDBResultSet* rows) {
  if (mode == kRebuildCurrentRow) return rows ? StorePreviewOfCurrentRow(session, *rows) : "";
  if (mode != kRebuildAll) return {};

  auto wait = session.prompter->OpenWaitWindow();
  wait->SetLabel("Alle Vorschaubilder werden erzeugt...");
  ResultSetGuard query = Query(*session.gateway, "Select BildCtr2,Bild,[File],VsBild from Bilder");
  const int32_t count = query->RecordCount();
  wait->SetMaximum(count > 0 ? count : 0);
  wait->SetPosition(0);
  query->First();
  std::string preview;
  while (!query->Eof()) {
    preview = StorePreviewOfCurrentRow(session, *query);
    query->Next();
    wait->Step();
  }
  return preview;
}

}  // namespace vemora
