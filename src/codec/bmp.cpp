#include "codec/bmp.h"

#include <cstring>

#include "codec/bmp_dib.h"
#include "codec/little_endian.h"

namespace vemora::codec {
namespace {

constexpr size_t kFileHeaderSize = 14;
constexpr size_t kInfoHeaderSize = 40;

// Checks the file header and returns where the pixel rows start.
size_t CheckFileHeader(std::span<const uint8_t> bytes) {
  if (bytes.size() < kFileHeaderSize + 4 || bytes[0] != 'B' || bytes[1] != 'M')
    throw CodecError("BMP: not a bitmap file");
  auto u32 = [&](size_t at) {
    return static_cast<uint32_t>(bytes[at]) | (static_cast<uint32_t>(bytes[at + 1]) << 8) |
           (static_cast<uint32_t>(bytes[at + 2]) << 16) |
           (static_cast<uint32_t>(bytes[at + 3]) << 24);
  };
  // A file shorter than its own header says has lost data somewhere we cannot see.
  if (u32(2) > bytes.size()) throw CodecError("BMP: file is shorter than its header says");
  const uint32_t pixelOffset = u32(10);
  if (pixelOffset < kFileHeaderSize + 12 || pixelOffset > bytes.size())
    throw CodecError("BMP: pixel data offset lies outside the file");
  return pixelOffset;
}

}  // namespace

Image DecodeBmp(std::span<const uint8_t> bytes) {
  const size_t pixelOffset = CheckFileHeader(bytes);
  const dib::Layout layout = dib::ParseDib(bytes, kFileHeaderSize, pixelOffset, false);
  return dib::DecodeDibPixels(bytes, layout);
}

ImageInfo ReadBmpInfo(std::span<const uint8_t> bytes) {
  const size_t pixelOffset = CheckFileHeader(bytes);
  const dib::Layout layout = dib::ParseDib(bytes, kFileHeaderSize, pixelOffset, false);
  return {layout.width, layout.height, layout.bitsPerPixel};
}

std::vector<uint8_t> EncodeBmp(const Image& image) {
  if (image.empty()) throw CodecError("BMP: cannot encode an empty picture");
  if (static_cast<int64_t>(image.width) * image.height > kMaxPixels)
    throw CodecError("BMP: picture is too large to encode");
  const size_t rowBytes = (static_cast<size_t>(image.width) * 3 + 3) / 4 * 4;
  const size_t dataBytes = rowBytes * static_cast<size_t>(image.height);
  const size_t headers = kFileHeaderSize + kInfoHeaderSize;
  std::vector<uint8_t> out(headers + dataBytes);  // zero: reserved fields and row padding
  uint8_t* p = out.data();
  p[0] = 'B';
  p[1] = 'M';
  Put32(p + 2, static_cast<uint32_t>(out.size()));
  Put32(p + 10, static_cast<uint32_t>(headers));
  Put32(p + 14, kInfoHeaderSize);
  Put32(p + 18, static_cast<uint32_t>(image.width));
  Put32(p + 22, static_cast<uint32_t>(image.height));
  Put16(p + 26, 1);
  Put16(p + 28, 24);
  Put32(p + 34, static_cast<uint32_t>(dataBytes));
  Put32(p + 38, 2835);  // 72 dpi, what most writers put
  Put32(p + 42, 2835);

  const bool gray = image.format == PixelFormat::Gray8;
  for (int32_t y = 0; y < image.height; ++y) {
    const uint8_t* in = image.Row(y);
    uint8_t* row = p + headers + rowBytes * static_cast<size_t>(image.height - 1 - y);
    if (gray) {
      for (int32_t x = 0; x < image.width; ++x) std::memset(row + 3 * x, in[x], 3);
    } else {
      for (int32_t x = 0; x < image.width; ++x) {
        row[3 * x] = in[3 * x + 2];
        row[3 * x + 1] = in[3 * x + 1];
        row[3 * x + 2] = in[3 * x];
      }
    }
  }
  return out;
}

}  // namespace vemora::codec
