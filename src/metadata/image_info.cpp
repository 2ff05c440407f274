#include "metadata/image_info.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "metadata/format_number.h"
#include "metadata/img_data.h"
#include "metadata/maker_note.h"
#include "metadata/tag_tables.h"

namespace vemora::metadata {
namespace {

// Bounds for damaged or hostile files: directories nest a few levels at most, and a real file
// never comes near these totals. Values may share bytes (many entries can point at the same
// block), so what they copy and the tags they unpack into are capped in proportion to the
// bytes read: a small file cannot become a large tag list.
constexpr int kMaxDirectoryDepth = 8;
constexpr int kMaxEntriesPerFile = 10000;
constexpr std::int64_t kMaxRawBytesPerFile = 16 << 20;
constexpr std::int64_t kRawBytesPerByte = 4;
constexpr std::int64_t kRawAllowance = 64 << 10;
constexpr std::size_t kTagAllowance = 2000;
constexpr std::size_t kBytesPerTag = 8;
constexpr std::size_t kTypicalTagCount = 160;

std::string HeaderText(std::string_view raw, std::size_t limit) {
  return std::string(UntilZero(raw).substr(0, limit));
}

char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + ('a' - 'A')) : c; }

bool SameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
  }
  return true;
}

bool IsHeaderTag(int tag) {
  switch (tag) {
    case 0x9286:
    case 0x8825:
    case 0x8769:
    case 0xA005:
    case 0x014A:
    case 0x927C:
    case 0x9000:
    case 0x0132:
    case 0x9003:
    case 0x9004:
    case 0x010F:
    case 0x0110:
    case 0x0100:
    case 0xA002:
    case 0x0101:
    case 0xA003:
    case 0x9209:
      return true;
    default:
      return false;
  }
}

}  // namespace

bool TImageInfo::BuildsTagList() const {
  return owner_->BuildList == 4 || owner_->BuildList == 255;
}
bool TImageInfo::BuildsStrings() const {
  return owner_->BuildList == 2 || owner_->BuildList == 255;
}
bool TImageInfo::Decodes() const { return owner_->DecodeValues; }
int TImageInfo::TraceLevel() const { return owner_->TraceLevel; }
bool TImageInfo::ReadingTiff() const { return owner_->TiffFmt; }
void TImageInfo::SetError(std::string_view text) { owner_->ErrStr = text; }

void TImageInfo::AddTag(TTagEntry entry) {
  if (Tags.size() >= tagLimit_) return;
  // At least 25 more at a time; doubling beyond that keeps long maker-note lists linear.
  if (Tags.size() == Tags.capacity())
    Tags.reserve(Tags.size() + std::max<std::size_t>(25, Tags.size()));
  Tags.push_back(std::move(entry));
}

void TImageInfo::ProcessExif(std::string section) {
  llData = std::move(section);
  // Copy cuts at the buffer's end, so a section shorter than its header compares unequal
  // instead of reading past it.
  if (Copy(0, 5) != std::string_view("Exif\0", 5)) {
    SetError("Incorrect Exif header");
    return;
  }
  if (Copy(6, 2) == "II") {
    MotorolaOrder = false;
  } else if (Copy(6, 2) == "MM") {
    MotorolaOrder = true;
  } else {
    SetError("Invalid Exif alignment marker");
    return;
  }
  constexpr std::int64_t kTiffHeader = 6;
  std::int64_t first = Get32u(kTiffHeader + 4);
  if (first == 0) first = 8;
  // The section length counts its own two bytes, which `section` no longer holds.
  const std::int64_t length = Length() + 2 - 6;
  ProcessExifDir(kTiffHeader + first, kTiffHeader, length, kDirectoryMain);
  AddFocalLength35mm();
}

void TImageInfo::ProcessExifDir(std::int64_t start, std::int64_t offsetBase, std::int64_t length,
                                int kind) {
  if (visited_.empty()) {
    entryBudget_ = kMaxEntriesPerFile;
    rawBudget_ = std::min(kMaxRawBytesPerFile, kRawBytesPerByte * Length() + kRawAllowance);
    tagLimit_ = kTagAllowance + static_cast<std::size_t>(Length()) / kBytesPerTag;
    // A camera file lists one to two hundred tags; one allocation covers most of them.
    if (BuildsTagList()) Tags.reserve(kTypicalTagCount);
  }
  WalkDirectory(start, offsetBase, length, kind, 0);
}

std::string TImageInfo::FormatEntry(const TTagEntry& entry, std::size_t limit) const {
  if (entry.TType == 2) {
    if (entry.Raw.empty()) return {};
    return entry.Raw.substr(0, std::min(entry.Raw.size() - 1, limit));
  }
  if (entry.TType == 7) {
    std::string text = "\"";
    for (std::size_t i = 0; i < entry.Raw.size() && text.size() <= limit; ++i) {
      if (entry.Raw[i] != '\0') text += entry.Raw[i];
    }
    text += '"';
    return text;
  }
  return FormatNumber(entry.Raw, entry.TType, entry.Code, entry.FormatS, EntryMotorola(entry),
                      Decodes());
}

std::string TImageInfo::FinalText(TTagEntry& entry) {
  if (entry.CallBack != nullptr && Decodes()) {
    entry.Data = FormatEntry(entry);
    return entry.CallBack(*this, entry);
  }
  // Only the first 50 characters are kept, so long values (maker notes, thumbnails) are not
  // formatted beyond them.
  return MakePrintable(FormatEntry(entry, kPrintableLength));
}

void TImageInfo::TraceTag(const TTagEntry& entry, int tag) {
  if (TraceLevel() <= 0) return;
  char head[32];
  std::snprintf(head, sizeof head, "tag[$%04X]: ", static_cast<unsigned>(tag & 0xFFFF));
  TraceStr += head;
  TraceStr += entry.Name;
  TraceStr += " [size: " + std::to_string(entry.Raw.size()) + "]";
  TraceStr += " [raw: ";
  for (std::size_t i = 0; i < entry.Raw.size() && i < 16; ++i) {
    char hex[4];
    std::snprintf(hex, sizeof hex, "%02X", static_cast<unsigned char>(entry.Raw[i]));
    if (i > 0) TraceStr += ' ';
    TraceStr += hex;
  }
  if (entry.Raw.size() > 16) TraceStr += " ...";
  TraceStr += "]";
  TraceStr += " [start: " + std::to_string(entry.PRaw) + "]\n";
}

void TImageInfo::WalkDirectory(std::int64_t start, std::int64_t offsetBase, std::int64_t length,
                               int kind, int depth) {
  if (depth > kMaxDirectoryDepth) return;
  if (std::find(visited_.begin(), visited_.end(), start) != visited_.end()) return;
  visited_.push_back(start);

  const std::int64_t count = Get16u(start);
  if (start + 2 + 12 * count > start + offsetBase + length) {
    SetError("Illegally sized directory");
    return;
  }
  if (TraceLevel() > 0) {
    char line[96];
    std::snprintf(line, sizeof line, "Directory: Start, entries = %lld, %lld\n",
                  static_cast<long long>(start), static_cast<long long>(count));
    TraceStr += line;
  }
  if (kind == kDirectoryMain && ThumbStart == 0 && !ReadingTiff()) {
    ThumbStart = Get32u(start + 2 + 12 * count);
    ThumbLength = offsetBase + length - ThumbStart;
  }

  const auto table = kind == kDirectoryGps ? GpsTagTable() : MainTagTable();
  for (std::int64_t i = 0; i < count; ++i) {
    const std::int64_t entryPos = start + 2 + 12 * i;
    // Entries past the end of the buffer read as zeros, which describe nothing.
    if (entryPos + 12 > Length() || --entryBudget_ < 0) break;
    const int tag = Get16u(entryPos);
    const int format = Get16u(entryPos + 2);
    const std::uint64_t components = Get32u(entryPos + 4);
    const std::uint64_t byteCount = static_cast<std::uint64_t>(FormatSize(format)) * components;
    if (byteCount == 0) continue;  // also format codes above 13
    const std::int64_t valuePos =
        byteCount <= 4 ? entryPos + 8
                       : offsetBase + static_cast<std::int64_t>(Get32u(entryPos + 8));

    // Header fields alone need only the few tags that feed them.
    if (!BuildsStrings() && !BuildsTagList() && TraceLevel() <= 0 && !IsHeaderTag(tag)) continue;

    TTagEntry entry(LookupByTag(table, tag));
    entry.TType = format;
    const std::int64_t wanted = static_cast<std::int64_t>(
        std::min<std::uint64_t>(byteCount, std::max<std::int64_t>(rawBudget_, 0)));
    entry.Raw.assign(Copy(valuePos, wanted));
    rawBudget_ -= static_cast<std::int64_t>(entry.Raw.size());
    entry.PRaw = valuePos;
    entry.Size = static_cast<int>(entry.Raw.size());
    if (BuildsStrings()) entry.Data = FinalText(entry);
    TraceTag(entry, tag);

    if (kind == kDirectoryMain) HandleSpecialTag(tag, entry, valuePos, offsetBase, length, depth);
    if (BuildsTagList() && entry.Tag != 0) AddTag(std::move(entry));
  }
}

void TImageInfo::HandleSpecialTag(int tag, const TTagEntry& entry, std::int64_t valuePos,
                                  std::int64_t offsetBase, std::int64_t length, int depth) {
  const std::string_view raw = entry.Raw;
  const auto number = [&] { return ElementValue(raw, entry.TType, 0, MotorolaOrder); };
  switch (tag) {
    case 0x9286:
      if (raw.size() > 8) {
        Comments = Trim(UntilZero(raw.substr(8)));
        CommentPosn = valuePos + 8;
        CommentSize = static_cast<std::int64_t>(raw.size()) - 8;
      }
      break;
    case 0x8825:
      WalkDirectory(offsetBase + static_cast<std::int64_t>(number()), offsetBase, length,
                    kDirectoryGps, depth + 1);
      break;
    case 0x8769:
    case 0xA005:
    case 0x014A:
      WalkDirectory(offsetBase + static_cast<std::int64_t>(number()), offsetBase, length,
                    kDirectoryMain, depth + 1);
      break;
    case 0x927C:
      MakerNote = Copy(valuePos, static_cast<std::int64_t>(raw.size()));
      MakerNotePosn = valuePos;
      if (BuildsTagList()) TmsInfo(*this, offsetBase).ReadMSData();
      break;
    case 0x9000:
      ExifVersion = HeaderText(raw, 6);
      break;
    case 0x0132:
      DateTime = HeaderText(raw, 20);
      DateTimePos = valuePos;
      break;
    case 0x9003:
      DateTime = HeaderText(raw, 20);
      DateTimeOriginalPos = valuePos;
      break;
    case 0x9004:
      DateTimeDigitizedPos = valuePos;
      break;
    case 0x010F:
      CameraMake = HeaderText(raw, 32);
      break;
    case 0x0110:
      CameraModel = HeaderText(raw, 40);
      break;
    case 0x0100:
    case 0xA002:
      Width = static_cast<int>(std::lround(std::clamp(number(), -2e9, 2e9)));
      WidthPos = valuePos;
      break;
    case 0x0101:
    case 0xA003:
      Height = static_cast<int>(std::lround(std::clamp(number(), -2e9, 2e9)));
      HeightPos = valuePos;
      break;
    case 0x9209:
      FlashUsed = static_cast<int>(std::lround(std::clamp(number(), -2e9, 2e9)));
      break;
    default:
      break;
  }
}

void TImageInfo::AddFocalLength35mm() {
  if (LookupTag("FocalLengthin35mmFilm") >= 0) return;
  double unit = LookupTagNumber("FocalPlaneResolutionUnit");
  if (unit < 1) unit = LookupTagNumber("ResolutionUnit");
  double millimetres;
  if (unit == 2) {
    millimetres = 25.4;
  } else if (unit == 3) {
    millimetres = 10;
  } else {
    return;
  }
  const double focal = LookupTagNumber("FocalLength");
  if (focal == 0) return;
  const double xResolution = LookupTagNumber("FocalPlaneXResolution");
  const double yResolution = LookupTagNumber("FocalPlaneYResolution");
  const double sensorWidth = xResolution > 0 ? Width * millimetres / xResolution : 0;
  const double sensorHeight = yResolution > 0 ? Height * millimetres / yResolution : 0;
  double factor;
  if (sensorWidth * sensorHeight > 0) {
    // The 35 mm film diagonal over the sensor diagonal.
    factor = 43.26661531 / std::sqrt(sensorWidth * sensorWidth + sensorHeight * sensorHeight);
  } else if (owner_->Estimate35mm) {
    factor = 4.5;
  } else {
    return;
  }
  TTagEntry entry;
  entry.TID = kTableMain;
  entry.Tag = 0xA405;
  entry.Name = "FocalLengthIn35mmFilm";
  entry.Desc = "Focal Length in 35mm Film";
  entry.FormatS = "%s mm";
  entry.Data = ApplyFormat(entry.FormatS, FormatDouble("%5.2f", focal * factor), 0);
  AddTag(std::move(entry));
}

int TImageInfo::LookupTag(std::string_view name) const {
  for (std::size_t i = 0; i < Tags.size(); ++i) {
    if (SameName(Tags[i].Name, name)) return static_cast<int>(i);
  }
  return -1;
}

std::string TImageInfo::LookupTagText(std::string_view name) const {
  const int index = LookupTag(name);
  return index < 0 ? std::string() : Tags[static_cast<std::size_t>(index)].Data;
}

double TImageInfo::LookupTagNumber(std::string_view name, double fallback) const {
  const int index = LookupTag(name);
  if (index < 0) return fallback;
  const TTagEntry& entry = Tags[static_cast<std::size_t>(index)];
  if (!entry.Raw.empty() && FormatSize(entry.TType) > 0 && entry.TType != 2 && entry.TType != 7) {
    return ElementValue(entry.Raw, entry.TType, 0, EntryMotorola(entry));
  }
  const std::string text = Trim(entry.Data);
  char* end = nullptr;
  const double value = std::strtod(text.c_str(), &end);
  return end == text.c_str() ? fallback : value;
}

}  // namespace vemora::metadata
