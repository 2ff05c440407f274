// TImageInfo: what the EXIF/TIFF directories of one file say.
//
// Owns a copy of the bytes it reads (the Exif section of a JPEG, or the head of a TIFF file)
// and the tag list built from them. Its owner, TimgData, holds the reading options and the
// error text; TImageInfo keeps a non-owning pointer back to it for both.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "metadata/end_ind.h"
#include "metadata/tag_entry.h"

namespace vemora::metadata {

class TimgData;

enum TDirectoryKind : int { kDirectoryMain = 1, kDirectoryGps = 2 };

class TImageInfo : public tEndInd {
 public:
  explicit TImageInfo(TimgData& owner) : owner_(&owner) {}

  // Header fields.
  std::string CameraMake;   // up to 32 characters
  std::string CameraModel;  // up to 40
  std::string DateTime;     // up to 20
  std::string ExifVersion;  // up to 6
  int Width = 0;
  int Height = 0;
  int FlashUsed = 0;

  std::string Comments;
  std::int64_t CommentPosn = 0;
  std::int64_t CommentSize = 0;
  std::string_view MakerNote;  // the maker note's bytes inside llData
  std::int64_t MakerNotePosn = 0;
  bool msAvailable = false;  // a maker note was interpreted

  std::int64_t DateTimePos = 0;
  std::int64_t DateTimeOriginalPos = 0;
  std::int64_t DateTimeDigitizedPos = 0;
  std::int64_t WidthPos = 0;
  std::int64_t HeightPos = 0;

  std::int64_t ThumbStart = 0;
  std::int64_t ThumbLength = 0;

  std::vector<TTagEntry> Tags;
  std::string TraceStr;

  // Reads an Exif section: `section` starts with "Exif\0\0" (the bytes after the length) and
  // becomes this reader's buffer.
  void ProcessExif(std::string section);
  // Reads the directory at `start`; `offsetBase` is the buffer position of the TIFF header
  // that all offsets count from.
  void ProcessExifDir(std::int64_t start, std::int64_t offsetBase, std::int64_t length,
                      int kind = kDirectoryMain);
  // Adds FocalLengthIn35mmFilm when the file has none and it can be worked out.
  void AddFocalLength35mm();

  // Tag list lookups by name (case-insensitive, whole name).
  int LookupTag(std::string_view name) const;
  std::string LookupTagText(std::string_view name) const;
  double LookupTagNumber(std::string_view name, double fallback = 0.0) const;

  // Appends to the tag list (which grows 25 entries at a time); beyond the file's tag budget
  // further tags are dropped.
  void AddTag(TTagEntry entry);
  bool BuildsTagList() const;
  bool BuildsStrings() const;
  bool Decodes() const;
  int TraceLevel() const;
  bool ReadingTiff() const;
  // Byte order of an entry's raw value: the file's, except for layouts with a fixed order.
  bool EntryMotorola(const TTagEntry& entry) const {
    return entry.TID == kTableFuji ? false : MotorolaOrder;
  }
  void SetError(std::string_view text);

  // The generic text of a value (before any formatting function), per the entry's format.
  // `limit` cuts text values (ASCII, UNDEFINED) at about that many characters.
  std::string FormatEntry(const TTagEntry& entry, std::size_t limit = std::string::npos) const;
  // Generic text, then the entry's formatting function or the printable cut.
  std::string FinalText(TTagEntry& entry);
  void TraceTag(const TTagEntry& entry, int tag);

 private:
  void HandleSpecialTag(int tag, const TTagEntry& entry, std::int64_t valuePos,
                        std::int64_t offsetBase, std::int64_t length, int depth);
  void WalkDirectory(std::int64_t start, std::int64_t offsetBase, std::int64_t length, int kind,
                     int depth);

  TimgData* owner_;
  std::vector<std::int64_t> visited_;  // directory starts already walked (loops in damaged files)
  std::int64_t rawBudget_ = 0;         // bytes of raw values still allowed for this file
  int entryBudget_ = 0;                // directory entries still allowed for this file
  std::size_t tagLimit_ = 2000;        // the tag list's length for this file
  friend class TmsInfo;
};

}  // namespace vemora::metadata
