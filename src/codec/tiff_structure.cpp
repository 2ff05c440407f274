#include "codec/tiff_structure.h"

namespace vemora::codec {

size_t TiffTypeSize(uint16_t type) {
  static constexpr size_t kSizes[] = {0, 1, 1, 2, 4, 8, 1, 1, 2, 4, 8, 4, 8, 4};
  return type < std::size(kSizes) ? kSizes[type] : 0;
}

std::optional<TiffBlock> TiffBlock::Open(std::span<const uint8_t> bytes) {
  if (bytes.size() < 8) return std::nullopt;
  if (bytes[0] == 'I' && bytes[1] == 'I' && bytes[2] == 42 && bytes[3] == 0)
    return TiffBlock(bytes, true);
  if (bytes[0] == 'M' && bytes[1] == 'M' && bytes[2] == 0 && bytes[3] == 42)
    return TiffBlock(bytes, false);
  return std::nullopt;
}

std::optional<uint16_t> TiffBlock::Read16(size_t at) const {
  if (at > bytes_.size() || bytes_.size() - at < 2) return std::nullopt;
  const uint16_t a = bytes_[at], b = bytes_[at + 1];
  return static_cast<uint16_t>(little_ ? a | b << 8 : a << 8 | b);
}

std::optional<uint32_t> TiffBlock::Read32(size_t at) const {
  const auto low = Read16(at + (little_ ? 0 : 2));
  const auto high = Read16(at + (little_ ? 2 : 0));
  if (!low || !high) return std::nullopt;
  return static_cast<uint32_t>(*high) << 16 | *low;
}

std::span<const TiffEntry> TiffBlock::Entries(uint32_t ifd) {
  const auto count = Read16(ifd);
  if (!count || *count > kMaxEntries) return {};
  const size_t end = static_cast<size_t>(ifd) + 2 + size_t{12} * *count;
  if (end > bytes_.size()) return {};
  for (size_t i = 0; i < *count; ++i) {
    const size_t at = ifd + 2 + 12 * i;
    entries_[i] = {*Read16(at), *Read16(at + 2), *Read32(at + 4), at};
  }
  return {entries_, *count};
}

std::optional<std::span<const uint8_t>> TiffBlock::Value(const TiffEntry& entry) const {
  const size_t unit = TiffTypeSize(entry.type);
  if (unit == 0 || entry.count > bytes_.size() / unit) return std::nullopt;
  const size_t size = unit * entry.count;
  if (size <= 4) return bytes_.subspan(entry.position + 8, size);
  const uint32_t offset = *Read32(entry.position + 8);
  if (offset > bytes_.size() || bytes_.size() - offset < size) return std::nullopt;
  return bytes_.subspan(offset, size);
}

namespace {

constexpr uint16_t kTypeShort = 3;
constexpr uint16_t kTypeLong = 4;

void Write(std::span<uint8_t> block, bool little, size_t at, uint32_t value, size_t size) {
  for (size_t i = 0; i < size; ++i) {
    const size_t shift = 8 * (little ? i : size - 1 - i);
    block[at + i] = static_cast<uint8_t>(value >> shift);
  }
}

void SetSize(std::span<uint8_t> block, bool little, const TiffEntry& entry, int32_t value) {
  if (entry.count != 1 || value < 0) return;
  if (entry.type == kTypeLong)
    Write(block, little, entry.position + 8, static_cast<uint32_t>(value), 4);
  if (entry.type == kTypeShort && value <= 0xFFFF)
    Write(block, little, entry.position + 8, static_cast<uint32_t>(value), 2);
}

}  // namespace

void SetExifPictureSize(std::span<uint8_t> exif, int32_t width, int32_t height) {
  auto block = TiffBlock::Open(exif);
  if (!block) return;
  const bool little = block->littleEndian();
  std::optional<uint32_t> exifIfd;
  for (const TiffEntry& entry : block->Entries(block->firstIfd())) {
    if (entry.tag == 0x0100) SetSize(exif, little, entry, width);
    if (entry.tag == 0x0101) SetSize(exif, little, entry, height);
    if (entry.tag == 0x8769 && entry.count == 1) exifIfd = block->Read32(entry.position + 8);
  }
  if (!exifIfd) return;
  for (const TiffEntry& entry : block->Entries(*exifIfd)) {
    if (entry.tag == 0xA002) SetSize(exif, little, entry, width);
    if (entry.tag == 0xA003) SetSize(exif, little, entry, height);
  }
}

}  // namespace vemora::codec
