#include "fileops/scaling.h"

#include <algorithm>
#include <charconv>
#include <deque>
#include <future>
#include <memory>
#include <optional>
#include <stdexcept>
#include <thread>
#include <unordered_set>

#include "catalogue/dispatcher.h"
#include "catalogue/statements.h"
#include "codec/image_kind.h"

namespace vemora {
namespace {

// The new bytes of one row, or nothing when they stay as they are.
std::optional<std::string> ScaleRow(const std::string& bytes,
                                    const codec::ScaleSettings& settings) {
  const auto span = codec::AsBytes(bytes);
  const codec::ImageKind kind = codec::CatalogueImageKind(span);
  if (kind == codec::ImageKind::Unknown) return std::nullopt;
  const auto scaled = codec::ScaleImageBytes(span, kind, kind, settings);
  if (!scaled) return std::nullopt;
  return std::string(scaled->begin(), scaled->end());
}

struct PendingRow {
  int32_t key = 0;
  // Shared with the worker, which may still read it when a failure ends the run.
  std::shared_ptr<const std::string> bytes;
  std::future<std::optional<std::string>> scaled;
};

}  // namespace

int32_t ParseLimit(const std::string& text) {
  int32_t value = 0;
  const char* end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), end, value);
  if (text.empty() || error != std::errc() || stop != end)
    throw std::runtime_error("'" + text + "' ist kein gültiger Integerwert");
  return value;
}

codec::ScaleSettings ScaleSettingsOf(const ResizeDialogResult& choice) {
  codec::ScaleSettings settings;
  settings.maxWidth = ParseLimit(choice.widthText);
  settings.maxHeight = ParseLimit(choice.heightText);
  settings.interpolate = choice.interpolate;
  settings.filter = static_cast<codec::ResampleFilter>(std::clamp(choice.filter, 0, 5));
  settings.colours =
      codec::ColourFormatFromCode(choice.colourFormat).value_or(codec::ColourFormat::TrueColour);
  return settings;
}

int ScaleStoredImages(CatalogueSession& session, const CatalogueGrid& grid,
                      const ResizeDialogResult& choice) {
  const codec::ScaleSettings settings = ScaleSettingsOf(choice);
  std::unordered_set<int32_t> markedKeys;
  for (const GridRecord& record : grid.records())
    if (record.marked) markedKeys.insert(record.key);

  auto wait = session.prompter->OpenWaitWindow();
  wait->SetLabel("Bilder werden skaliert...");
  ResultSetGuard query = Query(*session.gateway, "SELECT * FROM Bilder");
  query->First();
  wait->SetMaximum(std::max(0, query->RecordCount()));
  wait->SetPosition(0);

  int updated = 0;
  std::deque<PendingRow> pending;
  const auto writeOldest = [&] {
    PendingRow row = std::move(pending.front());
    pending.pop_front();
    const std::optional<std::string> scaled = row.scaled.get();
    Execute(*session.gateway, "UPDATE Bilder SET Bild=:p1 WHERE BildCtr2=:p2",
            {AsBlobParam(scaled ? *scaled : *row.bytes), TDBValue::Integer(row.key)});
    ++updated;
  };
  // Enough rows ahead to keep every core decoding while this thread reads and writes.
  const size_t ahead = std::max(2u, std::thread::hardware_concurrency());
  for (; !query->Eof(); query->Next()) {
    wait->Step();
    const int32_t key = query->FieldByName("BildCtr2").AsInteger();
    if (choice.markedOnly && !markedKeys.contains(key)) continue;
    PendingRow row;
    row.key = key;
    row.bytes = std::make_shared<const std::string>(query->FieldByName("Bild").AsString());
    row.scaled = std::async(std::launch::async,
                            [bytes = row.bytes, &settings] { return ScaleRow(*bytes, settings); });
    pending.push_back(std::move(row));
    if (pending.size() >= ahead) writeOldest();
  }
  while (!pending.empty()) writeOldest();
  return updated;
}

ScalingRun ScaleCatalogueImages(CatalogueSession& session, const CatalogueGrid& grid,
                                FileOpsDialogs& dialogs) {
  ScalingRun run;
  const ResizeDialogResult choice = dialogs.ChooseResize();
  if (choice.outcome != ResizeOutcome::Ok) {
    run.exportRequested = choice.outcome == ResizeOutcome::ExportRequested;
    return run;
  }
  run.updated = ScaleStoredImages(session, grid, choice);
  return run;
}

}  // namespace vemora
