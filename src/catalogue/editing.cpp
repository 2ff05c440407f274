#include "catalogue/editing.h"

#include <filesystem>
#include <stdexcept>

#include "catalogue/adding.h"
#include "catalogue/dispatcher.h"
#include "catalogue/overwrite_guard.h"
#include "codec/preview.h"
#include "platform/file_io.h"
#include "platform/paths.h"
#include "platform/utf8_path.h"

namespace vemora {
namespace {

// The record field an editable column shows, and the matching field of TRecDSBilder.
struct EditableColumn {
  std::string GridRecord::*recordField;
  std::string TRecDSBilder::*rowField;
};

EditableColumn ColumnFor(int32_t selector) {
  switch (selector) {
    case kFieldName:
      return {&GridRecord::name, &TRecDSBilder::Name};
    case kFieldBeschreibung:
      return {&GridRecord::beschreibung, &TRecDSBilder::Beschreibung};
    case kFieldTextTop:
      return {&GridRecord::textTop, &TRecDSBilder::TextTop};
    case kFieldTextBottom:
      return {&GridRecord::textBottom, &TRecDSBilder::TextBottom};
    case kFieldTextLeft:
      return {&GridRecord::textLeft, &TRecDSBilder::TextLeft};
    case kFieldTextRight:
      return {&GridRecord::textRight, &TRecDSBilder::TextRight};
    case kFieldSuchbegriffe:
      return {&GridRecord::suchbegriffe, &TRecDSBilder::Suchbegriffe};
    default:
      throw std::invalid_argument("column " + std::to_string(selector) + " is not editable");
  }
}

}  // namespace

std::optional<int32_t> EditSelectorForItem(int item) {
  switch (item) {
    case kItemName:
      return kFieldName;
    case kItemBeschreibung:
      return kFieldBeschreibung;
    case kItemTextTop:
      return kFieldTextTop;
    case kItemTextBottom:
      return kFieldTextBottom;
    case kItemTextLeft:
      return kFieldTextLeft;
    case kItemTextRight:
      return kFieldTextRight;
    case kItemSuchbegriffe:
      return kFieldSuchbegriffe;
    default:
      return std::nullopt;
  }
}

bool IsMultiLineItem(int item) { return item == kItemBeschreibung || item == kItemSuchbegriffe; }

void CommitCellEdit(CatalogueSession& session, CatalogueGrid& grid, int row, int32_t selector,
                    const std::string& text) {
  const EditableColumn column = ColumnFor(selector);
  for (int item = 0; item < kItemCount; ++item) {
    if (EditSelectorForItem(item) == selector &&
        !ConfirmCellOverwrite(session, grid.Record(row), item, text))
      return;
  }
  TRecDSBilder values;
  values.*column.rowField = text;
  TRecCmdMDB command;
  command.command = kCmdUpdateColumn;
  command.key = grid.Record(row).key;
  command.selector = selector;
  RunCmdMDB(session, command, values);
  grid.Update(row, [&](GridRecord& record) { record.*column.recordField = text; });
}

void ReplaceImageSource(CatalogueSession& session, CatalogueGrid& grid,
                        const std::string& newPath) {
  if (grid.Focused() == nullptr) return;
  const int index = grid.focused;
  const GridRecord& record = grid.Record(index);
  if (!ConfirmRecordOverwrite(session, record, OverwriteAction::ReplaceImage)) return;
  TRecDSBilder row;
  row.Bild = session.files->ReadWholeFile(newPath);
  row.VsBild = codec::MakePreviewJpeg(row.Bild);
  row.File = platform::FileNamePart(newPath);
  row.Path = platform::FolderPart(newPath);
  const std::string newName = platform::Utf8FromPath(platform::PathFromUtf8(newPath).stem());
  row.Name = record.name;
  if (record.name != newName &&
      session.prompter->Ask("Soll die Bildbeschreibung\r\nvon \"" + record.name + "\"\r\nin \"" +
                                newName + "\"\r\ngeändert werden ?",
                            false) == Answer::Yes) {
    row.Name = newName;
  }
  TRecCmdMDB command;
  command.command = kCmdReplaceImage;
  command.key = record.key;
  RunCmdMDB(session, command, row);

  grid.Update(index, [&](GridRecord& changed) {
    changed.filePath = newPath;
    changed.SetPreview(PreviewBytes(std::move(row.VsBild)));
    changed.sizeText = RoundedSizeText(row.Bild.size());
    changed.name = row.Name;
  });
}

bool ChangeImageSource(CatalogueSession& session, CatalogueGrid& grid, CatalogueDialogs& dialogs) {
  if (grid.Focused() == nullptr) return false;
  const std::vector<std::string> paths = dialogs.ChoosePictureFiles("Quelle ändern", false);
  if (paths.empty()) return false;
  ReplaceImageSource(session, grid, paths.front());
  return true;
}

}  // namespace vemora
