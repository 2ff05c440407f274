#include "codec/icon.h"

#include <png.h>

#include <algorithm>
#include <climits>
#include <cstring>
#include <optional>
#include <tuple>
#include <vector>

#include "codec/bmp_dib.h"

namespace vemora::codec {
namespace {

constexpr size_t kDirectorySize = 6;
constexpr size_t kEntrySize = 16;
constexpr uint8_t kPngSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};

[[noreturn]] void Fail(const std::string& reason) { throw CodecError("icon: " + reason); }

uint32_t Le32(const uint8_t* p) {
  return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<uint32_t>(p[3]) << 24);
}
uint32_t Be32(const uint8_t* p) {
  return (static_cast<uint32_t>(p[0]) << 24) | (p[1] << 16) | (p[2] << 8) | p[3];
}

bool IsPng(std::span<const uint8_t> entry) {
  return entry.size() >= 8 && std::memcmp(entry.data(), kPngSignature, 8) == 0;
}

// What an entry really holds, read from its own header: the directory's size and depth
// fields are often wrong (0 for 256, or simply stale).
struct Candidate {
  std::span<const uint8_t> bytes;
  int64_t pixels = 0;
  int depth = 0;
  int directoryDepth = 0;  // breaks ties: PNG entries all read as 32 bits whatever they hold
};

std::optional<Candidate> Inspect(std::span<const uint8_t> entry) {
  if (IsPng(entry)) {
    // IHDR follows the signature: length, "IHDR", width, height, bit depth, colour type.
    if (entry.size() < 8 + 8 + 13 || std::memcmp(entry.data() + 12, "IHDR", 4) != 0)
      return std::nullopt;
    const uint32_t w = Be32(entry.data() + 16);
    const uint32_t h = Be32(entry.data() + 20);
    // PNG sides are at most 2^31 - 1; larger ones are damage, and their product would not
    // fit the rank.
    if (w > INT32_MAX || h > INT32_MAX) return std::nullopt;
    const int bits = entry[24];
    const int colourType = entry[25];
    const int channels = colourType == 2 ? 3 : colourType == 4 ? 2 : colourType == 6 ? 4 : 1;
    return Candidate{entry, int64_t{w} * h, bits * channels};
  }
  if (entry.size() < 16) return std::nullopt;
  const auto w = static_cast<int32_t>(Le32(entry.data() + 4));
  const auto h = static_cast<int32_t>(Le32(entry.data() + 8));
  const int bits = entry[14] | (entry[15] << 8);
  if (w <= 0 || h == 0) return std::nullopt;
  return Candidate{entry, static_cast<int64_t>(w) * (h < 0 ? -(h / 2) : h / 2), bits};
}

Image DecodePngEntry(std::span<const uint8_t> bytes) {
  png_image png;
  std::memset(&png, 0, sizeof png);
  png.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_memory(&png, bytes.data(), bytes.size()))
    Fail(std::string("PNG entry: ") + png.message);
  // Deflate packs at most 1032 bytes into one, so a header claiming more than that is a lie
  // we refuse before allocating.
  const int64_t pixels = static_cast<int64_t>(png.width) * png.height;
  if (png.width == 0 || png.height == 0 || pixels > kMaxPixels ||
      pixels > kDeflatePixelsPerByte * static_cast<int64_t>(bytes.size()) + kPixelAllowance) {
    png_image_free(&png);
    Fail("PNG entry is larger than the decoder accepts");
  }
  try {
    CheckPictureBudget("icon", png.width, png.height, bytes.size(), kDeflatePixelsPerByte);
  } catch (...) {
    png_image_free(&png);
    throw;
  }
  png.format = PNG_FORMAT_RGB;
  Image image{
      static_cast<int32_t>(png.width), static_cast<int32_t>(png.height), PixelFormat::Rgb24, {}};
  image.pixels.resize(image.RowBytes() * image.height);
  // Without an alpha channel in the output, libpng lays transparent pixels over this colour.
  const png_color white = {255, 255, 255};
  if (!png_image_finish_read(&png, &white, image.pixels.data(),
                             static_cast<png_int_32>(image.RowBytes()), nullptr)) {
    const std::string message = png.message;
    png_image_free(&png);
    Fail("PNG entry: " + message);
  }
  return image;
}

void OverWhite(uint8_t* rgb, unsigned alpha) {
  for (int c = 0; c < 3; ++c)
    rgb[c] = static_cast<uint8_t>((rgb[c] * alpha + 255 * (255 - alpha) + 127) / 255);
}

// A classic entry: the colour bitmap, then a 1-bit mask of the same size where set bits
// are transparent. 32-bit entries carry alpha instead, and then the mask is not needed.
Image DecodeDibEntry(std::span<const uint8_t> bytes) {
  const dib::Layout layout = dib::ParseDib(bytes, 0, 0, true);
  std::vector<uint8_t> alpha;
  Image image = dib::DecodeDibPixels(bytes, layout, &alpha);
  const bool hasAlpha =
      !alpha.empty() && std::any_of(alpha.begin(), alpha.end(), [](uint8_t a) { return a != 0; });
  if (hasAlpha) {
    for (size_t i = 0; i < alpha.size(); ++i) OverWhite(&image.pixels[3 * i], alpha[i]);
    return image;
  }
  if (layout.compression != dib::Compression::None &&
      layout.compression != dib::Compression::BitFields)
    return image;
  const size_t maskOffset = layout.pixelOffset + layout.rowBytes * layout.height;
  const size_t maskRow = (static_cast<size_t>(layout.width) + 31) / 32 * 4;
  if (maskOffset > bytes.size() ||
      (bytes.size() - maskOffset) / maskRow < static_cast<size_t>(layout.height))
    return image;  // no mask: every pixel opaque
  for (int32_t stored = 0; stored < layout.height; ++stored) {
    const int32_t y = layout.topDown ? stored : layout.height - 1 - stored;
    const uint8_t* mask = bytes.data() + maskOffset + maskRow * stored;
    uint8_t* row = image.Row(y);
    for (int32_t x = 0; x < layout.width; ++x) {
      if (mask[x / 8] & (0x80 >> (x % 8))) std::memset(row + 3 * x, 255, 3);
    }
  }
  return image;
}

}  // namespace

Image DecodeIcon(std::span<const uint8_t> bytes) {
  if (bytes.size() < kDirectorySize || bytes[0] != 0 || bytes[1] != 0 ||
      (bytes[2] != 1 && bytes[2] != 2) || bytes[3] != 0)
    Fail("not a Windows icon");
  const size_t count = bytes[4] | (bytes[5] << 8);
  if (count == 0) Fail("the icon holds no pictures");
  if (kDirectorySize + count * kEntrySize > bytes.size()) Fail("directory runs past the end");

  std::optional<Candidate> best;
  for (size_t i = 0; i < count; ++i) {
    const uint8_t* entry = bytes.data() + kDirectorySize + i * kEntrySize;
    const uint32_t size = Le32(entry + 8);
    const uint32_t offset = Le32(entry + 12);
    if (offset > bytes.size() || size > bytes.size() - offset || size == 0) continue;
    auto candidate = Inspect(bytes.subspan(offset, size));
    if (!candidate) continue;
    candidate->directoryDepth = entry[6] | (entry[7] << 8);
    const auto rank = [](const Candidate& c) {
      return std::tuple(c.pixels, c.depth, c.directoryDepth);
    };
    if (!best || rank(*candidate) > rank(*best)) best = candidate;
  }
  if (!best) Fail("no picture in the icon is readable");
  return IsPng(best->bytes) ? DecodePngEntry(best->bytes) : DecodeDibEntry(best->bytes);
}

}  // namespace vemora::codec
