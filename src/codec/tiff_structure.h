// Reading and patching TIFF-structured blocks (a TIFF file, or the Exif block of a JPEG)
// with every read bounded by the block: offsets come from the file and are not trusted.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace vemora::codec {

// Field types by their number: the size of one element, 0 for an unknown type.
size_t TiffTypeSize(uint16_t type);

struct TiffEntry {
  uint16_t tag = 0;
  uint16_t type = 0;
  uint32_t count = 0;
  size_t position = 0;  // of the 12-byte entry in the block
};

class TiffBlock {
 public:
  // Nothing for a block without a valid "II*\0" or "MM\0*" header.
  static std::optional<TiffBlock> Open(std::span<const uint8_t> bytes);

  bool littleEndian() const { return little_; }
  std::span<const uint8_t> bytes() const { return bytes_; }
  uint32_t firstIfd() const { return Read32(4).value_or(0); }

  std::optional<uint16_t> Read16(size_t at) const;
  std::optional<uint32_t> Read32(size_t at) const;

  // The directory's entries (at most kMaxEntries); none when it does not fit the block.
  static constexpr size_t kMaxEntries = 1000;
  std::span<const TiffEntry> Entries(uint32_t ifd);
  // Where the entry's value lies (inline or at its offset), or nothing when it does not fit.
  std::optional<std::span<const uint8_t>> Value(const TiffEntry& entry) const;

 private:
  TiffBlock(std::span<const uint8_t> bytes, bool little) : bytes_(bytes), little_(little) {}
  std::span<const uint8_t> bytes_;
  bool little_ = true;
  TiffEntry entries_[kMaxEntries];
};

// Sets the picture size an Exif block states (ImageWidth/ImageLength of the first directory,
// PixelXDimension/PixelYDimension of the Exif directory) where the entries hold it; a value
// that does not fit its entry's type stays.
void SetExifPictureSize(std::span<uint8_t> exif, int32_t width, int32_t height);

}  // namespace vemora::codec
