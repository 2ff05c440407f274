#include "codec/bmp_dib.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <limits>

namespace vemora::codec::dib {
namespace {

constexpr uint32_t kCoreHeaderSize = 12;
// No scanner or screen reaches a million pixels per metre (25,400 dpi); a header that
// claims more is garbage, and we would rather say so than trust its other fields.
constexpr uint32_t kMaxPixelsPerMetre = 1'000'000;

[[noreturn]] void Fail(const char* reason) { throw CodecError(std::string("BMP: ") + reason); }

uint16_t U16(std::span<const uint8_t> b, size_t at) {
  if (at + 2 > b.size()) Fail("header runs past the end of the data");
  return static_cast<uint16_t>(b[at] | (b[at + 1] << 8));
}

uint32_t U32(std::span<const uint8_t> b, size_t at) {
  if (at + 4 > b.size()) Fail("header runs past the end of the data");
  return static_cast<uint32_t>(b[at]) | (static_cast<uint32_t>(b[at + 1]) << 8) |
         (static_cast<uint32_t>(b[at + 2]) << 16) | (static_cast<uint32_t>(b[at + 3]) << 24);
}

bool IsWindowsHeaderSize(uint32_t size) {
  return size == 40 || size == 52 || size == 56 || size == 108 || size == 124;
}

// OS/2 2.x headers are 64 bytes, but writers may cut them after any field from 16 on.
bool IsOs2HeaderSize(uint32_t size) { return size >= 16 && size <= 64 && size % 2 == 0; }

void CheckMasks(const std::array<uint32_t, 3>& masks, int bitsPerPixel) {
  const uint64_t limit = bitsPerPixel == 32 ? 0xFFFFFFFFull : (1ull << bitsPerPixel) - 1;
  uint32_t seen = 0;
  for (uint32_t mask : masks) {
    if (mask == 0) Fail("a colour bit field is empty");
    if (mask > limit) Fail("a colour bit field lies outside the pixel");
    if (seen & mask) Fail("colour bit fields overlap");
    const uint32_t shifted = mask >> std::countr_zero(mask);
    if ((shifted & (shifted + 1)) != 0) Fail("a colour bit field is not contiguous");
    seen |= mask;
  }
}

}  // namespace

Layout ParseDib(std::span<const uint8_t> bytes, size_t headerOffset, size_t pixelOffset,
                bool iconLayout) {
  Layout layout;
  const uint32_t headerSize = U32(bytes, headerOffset);
  const bool core = headerSize == kCoreHeaderSize;
  const bool windows = IsWindowsHeaderSize(headerSize);
  const bool os2 = !windows && !core && IsOs2HeaderSize(headerSize);
  if (!core && !windows && !os2) Fail("unknown info header size");
  if (headerOffset + headerSize > bytes.size()) Fail("info header runs past the end of the data");
  const size_t h = headerOffset;

  int64_t width = 0;
  int64_t height = 0;
  uint16_t planes = 0;
  uint32_t compression = 0;
  uint32_t imageSize = 0;
  uint32_t coloursUsed = 0;
  if (core) {
    width = U16(bytes, h + 4);
    height = U16(bytes, h + 6);
    planes = U16(bytes, h + 8);
    layout.bitsPerPixel = U16(bytes, h + 10);
  } else {
    width = static_cast<int32_t>(U32(bytes, h + 4));
    height = static_cast<int32_t>(U32(bytes, h + 8));
    planes = U16(bytes, h + 12);
    layout.bitsPerPixel = U16(bytes, h + 14);
    if (headerSize >= 20) compression = U32(bytes, h + 16);
    if (headerSize >= 24) imageSize = U32(bytes, h + 20);
    if (headerSize >= 32 &&
        (U32(bytes, h + 24) > kMaxPixelsPerMetre || U32(bytes, h + 28) > kMaxPixelsPerMetre))
      Fail("implausible resolution");
    if (headerSize >= 36) coloursUsed = U32(bytes, h + 32);
  }
  if (planes != 1) Fail("plane count is not 1");
  if (width <= 0) Fail("width is not positive");
  if (height == 0) Fail("height is zero");
  if (height < 0) {
    layout.topDown = true;
    height = -height;
  }
  if (iconLayout) height /= 2;
  if (height == 0) Fail("height is zero");
  if (width * height > kMaxPixels) Fail("picture is larger than the decoder accepts");
  layout.width = static_cast<int32_t>(width);
  layout.height = static_cast<int32_t>(height);

  const int bpp = layout.bitsPerPixel;
  if (bpp != 1 && bpp != 2 && bpp != 4 && bpp != 8 && bpp != 16 && bpp != 24 && bpp != 32)
    Fail("unsupported bits per pixel");

  size_t afterHeader = h + headerSize;
  switch (compression) {
    case 0:
      layout.compression = (bpp == 16 || bpp == 32) ? Compression::BitFields : Compression::None;
      layout.masks = bpp == 16 ? std::array<uint32_t, 3>{0x7C00, 0x03E0, 0x001F}
                               : std::array<uint32_t, 3>{0xFF0000, 0xFF00, 0xFF};
      break;
    case 1:
      if (bpp != 8) Fail("RLE8 needs 8 bits per pixel");
      layout.compression = Compression::Rle8;
      break;
    case 2:
      if (bpp != 4) Fail("RLE4 needs 4 bits per pixel");
      layout.compression = Compression::Rle4;
      break;
    case 3:
    case 6:
      if (os2) Fail("Huffman-coded bitmaps are not supported");
      if (compression == 3 && bpp != 16 && bpp != 32) Fail("bit fields need 16 or 32 bits");
      if (compression == 6 && bpp != 16 && bpp != 32) Fail("bit fields need 16 or 32 bits");
      layout.compression = Compression::BitFields;
      if (headerSize == 40) {
        // The masks follow a plain info header (a fourth one for alpha, which we ignore).
        for (size_t i = 0; i < 3; ++i) layout.masks[i] = U32(bytes, afterHeader + 4 * i);
        afterHeader += compression == 6 ? 16 : 12;
      } else {
        for (size_t i = 0; i < 3; ++i) layout.masks[i] = U32(bytes, h + 40 + 4 * i);
      }
      CheckMasks(layout.masks, bpp);
      break;
    case 4:
      if (!os2) Fail("embedded JPEG data is not supported");
      if (bpp != 24) Fail("RLE24 needs 24 bits per pixel");
      layout.compression = Compression::Rle24;
      break;
    case 5:
      Fail("embedded PNG data is not supported");
    default:
      Fail("unknown compression");
  }
  const bool runLength = layout.compression == Compression::Rle8 ||
                         layout.compression == Compression::Rle4 ||
                         layout.compression == Compression::Rle24;
  if (runLength && layout.topDown) Fail("run-length data cannot be top-down");

  // Colour table: 3-byte entries after a core header, 4-byte entries otherwise.
  const size_t entrySize = core ? 3 : 4;
  uint64_t declared = coloursUsed != 0 ? coloursUsed : (bpp <= 8 ? (1u << bpp) : 0);
  if (core) declared = bpp <= 8 ? (1u << bpp) : 0;
  if (afterHeader + declared * entrySize > bytes.size())
    Fail("colour table runs past the end of the data");
  size_t entries = bpp <= 8 ? std::min<uint64_t>(declared, 1u << bpp) : 0;
  if (pixelOffset != 0 && pixelOffset >= afterHeader)
    entries = std::min(entries, (pixelOffset - afterHeader) / entrySize);
  if (bpp <= 8 && entries == 0) Fail("palette picture without a colour table");
  layout.palette.resize(entries);
  for (size_t i = 0; i < entries; ++i) {
    const uint8_t* entry = bytes.data() + afterHeader + i * entrySize;
    layout.palette[i] = {entry[2], entry[1], entry[0]};
  }

  layout.pixelOffset = pixelOffset != 0 ? pixelOffset : afterHeader + declared * entrySize;
  if (layout.pixelOffset > bytes.size()) Fail("pixel data starts past the end of the data");
  const size_t available = bytes.size() - layout.pixelOffset;
  if (imageSize != 0 && imageSize > available && !iconLayout)
    Fail("pixel data size runs past the end of the data");

  const uint64_t rowBits = static_cast<uint64_t>(width) * bpp;
  layout.rowBytes = static_cast<size_t>((rowBits + 31) / 32 * 4);
  if (runLength) {
    // Delta and end-of-line codes skip pixels for free; the budget keeps a few hostile
    // bytes from allocating gigabytes.
    if (width * height >
        kRunLengthPixelsPerByte * static_cast<int64_t>(available) + kPixelAllowance)
      Fail("run-length data too short for the picture size");
    CheckPictureBudget("BMP", width, height, available, kRunLengthPixelsPerByte);
  } else {
    const uint64_t needed = layout.rowBytes * static_cast<uint64_t>(height - 1) + (rowBits + 7) / 8;
    if (needed > available) Fail("pixel data is truncated");
  }
  return layout;
}

namespace {

struct Channel {
  uint32_t mask = 0;
  int shift = 0;
  uint32_t max = 0;
  uint8_t Value(uint32_t pixel) const {
    const uint32_t v = (pixel & mask) >> shift;
    if (max == 255) return static_cast<uint8_t>(v);  // the common 8-bit fields: no scaling
    return static_cast<uint8_t>((static_cast<uint64_t>(v) * 255 + max / 2) / max);
  }
};

Channel MakeChannel(uint32_t mask) {
  Channel c;
  c.mask = mask;
  c.shift = std::countr_zero(mask);
  c.max = mask >> c.shift;
  return c;
}

class PaletteWriter {
 public:
  explicit PaletteWriter(const Layout& layout) : palette_(layout.palette) {}
  void Put(uint8_t* out, unsigned index) const {
    if (index >= palette_.size()) Fail("pixel refers past the end of the colour table");
    std::memcpy(out, palette_[index].data(), 3);
  }

 private:
  const std::vector<std::array<uint8_t, 3>>& palette_;
};

void DecodeUncompressedRow(const uint8_t* in, uint8_t* out, const Layout& layout,
                           const PaletteWriter& palette, const Channel* channels,
                           uint8_t* alphaRow) {
  const int32_t width = layout.width;
  const int bpp = layout.bitsPerPixel;
  switch (bpp) {
    case 1:
    case 2:
    case 4: {
      const int perByte = 8 / bpp;
      const unsigned valueMask = (1u << bpp) - 1;
      for (int32_t x = 0; x < width; ++x) {
        const int shift = 8 - bpp * (x % perByte + 1);
        palette.Put(out + 3 * x, (in[x / perByte] >> shift) & valueMask);
      }
      break;
    }
    case 8:
      for (int32_t x = 0; x < width; ++x) palette.Put(out + 3 * x, in[x]);
      break;
    case 24:
      for (int32_t x = 0; x < width; ++x) {
        out[3 * x] = in[3 * x + 2];
        out[3 * x + 1] = in[3 * x + 1];
        out[3 * x + 2] = in[3 * x];
      }
      break;
    case 16:
      for (int32_t x = 0; x < width; ++x) {
        const uint32_t p = in[2 * x] | (in[2 * x + 1] << 8);
        for (int c = 0; c < 3; ++c) out[3 * x + c] = channels[c].Value(p);
      }
      break;
    case 32:
      for (int32_t x = 0; x < width; ++x) {
        const uint8_t* p = in + 4 * x;
        const uint32_t value =
            p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<uint32_t>(p[3]) << 24);
        for (int c = 0; c < 3; ++c) out[3 * x + c] = channels[c].Value(value);
        if (alphaRow) alphaRow[x] = p[3];
      }
      break;
  }
}

// Run-length rows: a run is (count, value); a zero count starts an escape: 0 end of line,
// 1 end of bitmap, 2 delta (dx, dy), 3..255 that many literal pixels padded to 16 bits.
// Pixels the codes skip keep the first palette colour.
void DecodeRunLength(std::span<const uint8_t> bytes, const Layout& layout, Image& image) {
  const PaletteWriter palette(layout);
  const bool rle4 = layout.compression == Compression::Rle4;
  const bool rle24 = layout.compression == Compression::Rle24;
  const int32_t width = layout.width;
  const int32_t height = layout.height;
  size_t pos = layout.pixelOffset;
  int32_t x = 0;
  int32_t row = 0;  // stored order: bottom row first
  auto need = [&](size_t n) {
    if (pos + n > bytes.size()) Fail("run-length data ends before the end-of-bitmap code");
  };
  auto target = [&](int32_t count) {
    if (row >= height) Fail("run-length data runs past the last row");
    if (count > width - x) Fail("run-length data runs past the end of a row");
    return image.Row(height - 1 - row) + 3 * static_cast<size_t>(x);
  };
  for (;;) {
    need(2);
    const uint8_t count = bytes[pos];
    const uint8_t value = bytes[pos + 1];
    pos += 2;
    if (count > 0) {
      uint8_t* out = target(count);
      if (rle24) {
        // A 24-bit run is four bytes: the count, then blue, green and red.
        need(2);
        const uint8_t blue = value;
        const uint8_t green = bytes[pos];
        const uint8_t red = bytes[pos + 1];
        pos += 2;
        for (int i = 0; i < count; ++i) {
          out[3 * i] = red;
          out[3 * i + 1] = green;
          out[3 * i + 2] = blue;
        }
      } else if (rle4) {
        for (int i = 0; i < count; ++i)
          palette.Put(out + 3 * i, i % 2 == 0 ? value >> 4 : value & 15);
      } else {
        for (int i = 0; i < count; ++i) palette.Put(out + 3 * i, value);
      }
      x += count;
      continue;
    }
    if (value == 0) {
      x = 0;
      ++row;
    } else if (value == 1) {
      return;
    } else if (value == 2) {
      need(2);
      x += bytes[pos];
      row += bytes[pos + 1];
      pos += 2;
      if (x > width || row > height) Fail("run-length delta moves outside the picture");
    } else {
      const size_t literalBytes = rle24 ? 3u * value : rle4 ? (value + 1u) / 2 : value;
      need(literalBytes);
      uint8_t* out = target(value);
      const uint8_t* in = bytes.data() + pos;
      for (int i = 0; i < value; ++i) {
        if (rle24) {
          out[3 * i] = in[3 * i + 2];
          out[3 * i + 1] = in[3 * i + 1];
          out[3 * i + 2] = in[3 * i];
        } else if (rle4) {
          palette.Put(out + 3 * i, i % 2 == 0 ? in[i / 2] >> 4 : in[i / 2] & 15);
        } else {
          palette.Put(out + 3 * i, in[i]);
        }
      }
      pos += literalBytes + (literalBytes & 1);
      x += value;
    }
  }
}

}  // namespace

Image DecodeDibPixels(std::span<const uint8_t> bytes, const Layout& layout,
                      std::vector<uint8_t>* alpha) {
  Image image;
  image.width = layout.width;
  image.height = layout.height;
  image.format = PixelFormat::Rgb24;
  const size_t pixelCount = static_cast<size_t>(layout.width) * layout.height;
  image.pixels.resize(pixelCount * 3);
  if (alpha) alpha->clear();

  if (layout.compression == Compression::Rle8 || layout.compression == Compression::Rle4 ||
      layout.compression == Compression::Rle24) {
    if (!layout.palette.empty()) {
      const auto& background = layout.palette[0];
      for (size_t i = 0; i < pixelCount; ++i)
        std::memcpy(&image.pixels[3 * i], background.data(), 3);
    }
    DecodeRunLength(bytes, layout, image);
    return image;
  }

  const bool wantAlpha = alpha && layout.bitsPerPixel == 32;
  if (wantAlpha) alpha->resize(pixelCount);
  const Channel channels[3] = {MakeChannel(layout.masks[0] ? layout.masks[0] : 1),
                               MakeChannel(layout.masks[1] ? layout.masks[1] : 1),
                               MakeChannel(layout.masks[2] ? layout.masks[2] : 1)};
  const PaletteWriter palette(layout);
  for (int32_t stored = 0; stored < layout.height; ++stored) {
    const int32_t y = layout.topDown ? stored : layout.height - 1 - stored;
    const uint8_t* in = bytes.data() + layout.pixelOffset + layout.rowBytes * stored;
    uint8_t* alphaRow = wantAlpha ? alpha->data() + static_cast<size_t>(y) * layout.width : nullptr;
    DecodeUncompressedRow(in, image.Row(y), layout, palette, channels, alphaRow);
  }
  return image;
}

}  // namespace vemora::codec::dib
