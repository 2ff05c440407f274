#include "codec/tiff_metadata.h"

#include <algorithm>
#include <array>
#include <map>

#include "codec/little_endian.h"
#include "codec/tiff_structure.h"

namespace vemora::codec {
namespace {

constexpr uint16_t kTypeByte = 1;
constexpr uint16_t kTypeLong = 4;
constexpr uint16_t kTypeUndefined = 7;

constexpr uint16_t kTagExifIfd = 34665;
constexpr uint16_t kTagGpsIfd = 34853;
constexpr uint16_t kTagInteropIfd = 40965;
constexpr uint16_t kTagPixelX = 40962;
constexpr uint16_t kTagPixelY = 40963;
constexpr uint16_t kTagXmp = 700;
constexpr uint16_t kTagPhotoshop = 34377;
constexpr uint16_t kTagIcc = 34675;

// First-directory tags of a camera's Exif block that describe the picture, not its layout:
// description, make, model, orientation, resolution, software, date, artist, copyright.
constexpr std::array<uint16_t, 11> kCopiedFirstTags = {270, 271, 272, 274, 282,  283,
                                                       296, 305, 306, 315, 33432};
constexpr int kMaxDepth = 2;

using RawEntry = std::array<uint8_t, 12>;

// Bytes of one element that swap as a unit: rationals are two 32-bit numbers.
size_t SwapUnit(uint16_t type) {
  switch (type) {
    case 3:
    case 8:
      return 2;
    case 4:
    case 5:
    case 9:
    case 10:
    case 11:
    case 13:
      return 4;
    case 12:
      return 8;
    default:
      return 1;
  }
}

class Writer {
 public:
  explicit Writer(std::vector<uint8_t>& out) : out_(out) {}

  // Appends data (little-endian already); returns the entry that points at it or holds it.
  RawEntry Entry(uint16_t tag, uint16_t type, uint32_t count, std::span<const uint8_t> data) {
    RawEntry entry{};
    Put16(&entry[0], tag);
    Put16(&entry[2], type);
    Put32(&entry[4], count);
    if (data.size() <= 4) {
      std::copy(data.begin(), data.end(), entry.begin() + 8);
    } else {
      Put32(&entry[8], Append(data));
    }
    return entry;
  }
  RawEntry Long(uint16_t tag, uint32_t value) {
    uint8_t data[4];
    Put32(data, value);
    return Entry(tag, kTypeLong, 1, data);
  }
  // Appends a directory; returns its offset.
  uint32_t Directory(const std::map<uint16_t, RawEntry>& entries) {
    std::vector<uint8_t> ifd(2 + 12 * entries.size() + 4, 0);
    Put16(ifd.data(), static_cast<uint32_t>(entries.size()));
    size_t at = 2;
    for (const auto& [tag, entry] : entries) {
      std::copy(entry.begin(), entry.end(), ifd.begin() + static_cast<ptrdiff_t>(at));
      at += 12;
    }
    return Append(ifd);
  }

 private:
  uint32_t Append(std::span<const uint8_t> data) {
    if (out_.size() % 2 != 0) out_.push_back(0);  // values start on a word boundary
    const auto offset = static_cast<uint32_t>(out_.size());
    out_.insert(out_.end(), data.begin(), data.end());
    return offset;
  }
  std::vector<uint8_t>& out_;
};

struct Carrier {
  TiffBlock& source;
  Writer& writer;
  int32_t width;
  int32_t height;
  // Entries may share their values; a hostile block pointing a thousand entries at its
  // whole length must not grow the file a thousandfold.
  size_t budget = 2 * source.bytes().size();

  std::optional<RawEntry> Copy(const TiffEntry& entry) {
    const auto value = source.Value(entry);
    if (!value || value->size() > budget) return std::nullopt;
    budget -= value->size();
    std::vector<uint8_t> data(value->begin(), value->end());
    const size_t unit = SwapUnit(entry.type);
    if (!source.littleEndian() && unit > 1) {
      // Rationals swap each of their two numbers; the rest swap whole elements.
      for (size_t at = 0; at + unit <= data.size(); at += unit)
        std::reverse(data.begin() + static_cast<ptrdiff_t>(at),
                     data.begin() + static_cast<ptrdiff_t>(at + unit));
    }
    return writer.Entry(entry.tag, entry.type, entry.count, data);
  }

  bool IsPointer(const TiffEntry& entry) const {
    return (entry.tag == kTagExifIfd || entry.tag == kTagGpsIfd || entry.tag == kTagInteropIfd) &&
           entry.count == 1 && (entry.type == kTypeLong || entry.type == 13);
  }

  std::optional<RawEntry> Pointer(const TiffEntry& entry, int depth) {
    if (depth >= kMaxDepth) return std::nullopt;
    const auto offset = source.Read32(entry.position + 8);
    if (!offset) return std::nullopt;
    const auto ifd = Directory(*offset, depth + 1);
    if (!ifd) return std::nullopt;
    return writer.Long(entry.tag, *ifd);
  }

  std::optional<uint32_t> Directory(uint32_t offset, int depth) {
    // Entries() reuses one buffer, and nested directories read theirs in between.
    const auto span = source.Entries(offset);
    const std::vector<TiffEntry> entries(span.begin(), span.end());
    if (entries.empty()) return std::nullopt;
    std::map<uint16_t, RawEntry> written;
    for (const TiffEntry& entry : entries) {
      std::optional<RawEntry> raw;
      if (IsPointer(entry)) {
        raw = Pointer(entry, depth);
      } else if (entry.tag == kTagPixelX || entry.tag == kTagPixelY) {
        raw =
            writer.Long(entry.tag, static_cast<uint32_t>(entry.tag == kTagPixelX ? width : height));
      } else {
        raw = Copy(entry);
      }
      if (raw) written[entry.tag] = *raw;
    }
    return writer.Directory(written);
  }
};

}  // namespace

std::vector<uint8_t> AddTiffMetadata(std::vector<uint8_t> tiff, const JpegMetadata& metadata,
                                     int32_t width, int32_t height) {
  if (metadata.empty()) return tiff;
  std::map<uint16_t, RawEntry> first;
  {
    auto target = TiffBlock::Open(tiff);
    if (!target || !target->littleEndian()) return tiff;
    for (const TiffEntry& entry : target->Entries(target->firstIfd())) {
      RawEntry raw;
      std::copy_n(tiff.begin() + static_cast<ptrdiff_t>(entry.position), 12, raw.begin());
      first[entry.tag] = raw;
    }
    if (first.empty()) return tiff;
  }
  // From here on the vector grows: the block above must not be used any more.
  const std::vector<uint8_t> exifCopy(metadata.Exif().begin(), metadata.Exif().end());
  Writer writer(tiff);
  if (auto source = TiffBlock::Open(exifCopy)) {
    Carrier carrier{*source, writer, width, height};
    const auto span = source->Entries(source->firstIfd());
    const std::vector<TiffEntry> entries(span.begin(), span.end());
    for (const TiffEntry& entry : entries) {
      std::optional<RawEntry> raw;
      if (entry.tag == kTagExifIfd || entry.tag == kTagGpsIfd) {
        if (carrier.IsPointer(entry)) raw = carrier.Pointer(entry, 0);
      } else if (std::find(kCopiedFirstTags.begin(), kCopiedFirstTags.end(), entry.tag) !=
                 kCopiedFirstTags.end()) {
        raw = carrier.Copy(entry);
      }
      if (raw) first[entry.tag] = *raw;
    }
  }
  const auto add = [&](uint16_t tag, uint16_t type, std::span<const uint8_t> data) {
    if (!data.empty())
      first[tag] = writer.Entry(tag, type, static_cast<uint32_t>(data.size()), data);
  };
  const std::vector<uint8_t> xmp(metadata.Xmp().begin(), metadata.Xmp().end());
  const std::vector<uint8_t> photoshop(metadata.PhotoshopResources().begin(),
                                       metadata.PhotoshopResources().end());
  add(kTagXmp, kTypeByte, xmp);
  add(kTagPhotoshop, kTypeByte, photoshop);
  add(kTagIcc, kTypeUndefined, metadata.IccProfile());
  Put32(tiff.data() + 4, writer.Directory(first));
  return tiff;
}

}  // namespace vemora::codec
