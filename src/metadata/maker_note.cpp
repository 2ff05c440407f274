#include "metadata/maker_note.h"

#include "metadata/format_number.h"
#include "metadata/image_info.h"
#include "metadata/tag_tables.h"

namespace vemora::metadata {
namespace {

struct TLayout {
  std::span<const TTagDef> table;
  std::int64_t directory = 0;  // byte of the maker note where its directory starts
  bool ownHeader = false;      // offsets count from a TIFF header at the note's byte 10
  bool startOrigin = false;    // offsets count from the start of the note
  bool intel = false;          // always little-endian, whatever the file says
};

bool NikonModelIsD(const std::string& model) {
  const std::size_t blank = model.find(' ');
  return blank != std::string::npos && blank + 1 < model.size() && model[blank + 1] == 'D';
}

}  // namespace

bool TmsInfo::ReadMSData() {
  const std::string make = ToUpper(info_.CameraMake).substr(0, 5);
  const std::string_view note = info_.MakerNote;
  TLayout layout;
  if (make == "NIKON") {
    if (info_.ExifVersion > "0210" ||
        (info_.ExifVersion.empty() && NikonModelIsD(info_.CameraModel) && info_.ReadingTiff())) {
      layout = {Nikon2TagTable(), 18, true};
    } else if (note.compare(0, 5, "Nikon") == 0) {
      layout = {Nikon1TagTable(), 8};
    } else {
      layout = {Nikon2TagTable(), 0};
    }
  } else if (make == "OLYMP") {
    layout = {OlympusTagTable(), 8};
  } else if (make == "CASIO") {
    layout = {CasioTagTable(), 0};
  } else if (make == "FUJIF") {
    layout = {FujiTagTable(), 12, false, true, true};
  } else if (make == "CANON") {
    layout = {CanonTagTable(), 0};
  } else if (make == "SEIKO") {
    layout = {SeikoTagTable(), 8};
  } else if (make == "SANYO") {
    layout = {SanyoTagTable(), 8};
  } else if (make == "MINOL") {
    layout = {MinoltaTagTable(), 0};
  } else {
    return false;
  }

  const std::int64_t notePos = info_.MakerNotePosn;
  std::int64_t origin = tiffHeader_;
  if (layout.ownHeader) origin = notePos + 10;
  if (layout.startOrigin) origin = notePos;

  const bool fileOrder = info_.MotorolaOrder;
  if (layout.intel) info_.MotorolaOrder = false;
  if (layout.ownHeader) {
    // The note's own header states its byte order; it matches the file's in every camera
    // file seen, and following it keeps an odd file readable.
    const std::string_view mark = info_.Copy(origin, 2);
    if (mark == "II") info_.MotorolaOrder = false;
    if (mark == "MM") info_.MotorolaOrder = true;
  }
  ReadDirectory(layout.table, notePos + layout.directory, origin);
  info_.MotorolaOrder = fileOrder;
  info_.msAvailable = true;
  return true;
}

void TmsInfo::ReadDirectory(std::span<const TTagDef> table, std::int64_t start,
                            std::int64_t origin) {
  const std::int64_t count = info_.Get16u(start);
  if (start + 2 + 12 * count > info_.Length()) return;  // damaged note: leave it unread
  const std::int64_t noteStart = info_.MakerNotePosn;
  const std::int64_t noteEnd = noteStart + static_cast<std::int64_t>(info_.MakerNote.size());
  for (std::int64_t i = 0; i < count; ++i) {
    if (--info_.entryBudget_ < 0) break;
    const std::int64_t entryPos = start + 2 + 12 * i;
    const int tag = info_.Get16u(entryPos);
    const int format = info_.Get16u(entryPos + 2);
    const std::uint64_t components = info_.Get32u(entryPos + 4);
    const std::uint64_t byteCount = static_cast<std::uint64_t>(FormatSize(format)) * components;
    if (byteCount == 0) continue;
    std::int64_t valuePos = entryPos + 8;
    if (byteCount > 4) {
      const std::int64_t offset = info_.Get32u(entryPos + 8);
      valuePos = origin + offset;
      // A value outside the note itself is taken relative to the file's TIFF header.
      if (valuePos < noteStart || valuePos + static_cast<std::int64_t>(byteCount) > noteEnd) {
        valuePos = tiffHeader_ + offset;
      }
    }
    const TTagDef& def = LookupByTag(table, tag);
    if (IsSkipName(def.Name)) continue;

    TTagEntry entry(def);
    entry.Tag = tag;
    entry.TType = format;
    const auto wanted = static_cast<std::int64_t>(std::min<std::uint64_t>(
        byteCount, static_cast<std::uint64_t>(std::max<std::int64_t>(info_.rawBudget_, 0))));
    entry.Raw.assign(info_.Copy(valuePos, wanted));
    info_.rawBudget_ -= static_cast<std::int64_t>(entry.Raw.size());
    entry.PRaw = valuePos;
    entry.Size = static_cast<int>(entry.Raw.size());
    if (info_.BuildsStrings()) entry.Data = info_.FinalText(entry);
    info_.TraceTag(entry, tag);
    info_.AddTag(std::move(entry));
  }
}

}  // namespace vemora::metadata
