#include "codec/gif.h"

#include <gif_lib.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace vemora::codec {
namespace {

[[noreturn]] void Fail(const std::string& reason) { throw CodecError("GIF: " + reason); }

struct MemoryReader {
  std::span<const uint8_t> bytes;
  size_t position = 0;
};

int ReadFromMemory(GifFileType* gif, GifByteType* out, int length) {
  auto* reader = static_cast<MemoryReader*>(gif->UserData);
  const size_t available = reader->bytes.size() - reader->position;
  const size_t count = std::min(available, static_cast<size_t>(std::max(length, 0)));
  std::memcpy(out, reader->bytes.data() + reader->position, count);
  reader->position += count;
  return static_cast<int>(count);
}

struct GifCloser {
  void operator()(GifFileType* gif) const {
    int error = 0;
    DGifCloseFile(gif, &error);
  }
};
using GifHandle = std::unique_ptr<GifFileType, GifCloser>;

void Check(int result, const GifHandle& gif) {
  if (result == GIF_ERROR) {
    const char* message = GifErrorString(gif->Error);
    Fail(message ? message : "damaged data");
  }
}

// The transparent index from a graphic control extension, or -1.
int TransparentIndex(GifByteType* block) {
  if (block == nullptr || block[0] < 4) return -1;
  return (block[1] & 1) ? block[4] : -1;
}

}  // namespace

Image DecodeGif(std::span<const uint8_t> bytes) {
  if (bytes.size() < 6 || std::memcmp(bytes.data(), "GIF8", 4) != 0) Fail("not a GIF file");
  MemoryReader reader{bytes, 0};
  int error = 0;
  GifHandle gif(DGifOpen(&reader, &ReadFromMemory, &error));
  if (!gif) {
    const char* message = GifErrorString(error);
    Fail(message ? message : "cannot read the header");
  }

  int transparent = -1;
  for (;;) {
    GifRecordType record = UNDEFINED_RECORD_TYPE;
    Check(DGifGetRecordType(gif.get(), &record), gif);
    if (record == TERMINATE_RECORD_TYPE) Fail("the file holds no picture");
    if (record == EXTENSION_RECORD_TYPE) {
      int code = 0;
      GifByteType* block = nullptr;
      Check(DGifGetExtension(gif.get(), &code, &block), gif);
      if (code == GRAPHICS_EXT_FUNC_CODE) transparent = TransparentIndex(block);
      while (block != nullptr) Check(DGifGetExtensionNext(gif.get(), &block), gif);
      continue;
    }
    if (record != IMAGE_DESC_RECORD_TYPE) continue;

    Check(DGifGetImageDesc(gif.get()), gif);
    const GifImageDesc& frame = gif->Image;
    const ColorMapObject* colours = frame.ColorMap ? frame.ColorMap : gif->SColorMap;
    if (colours == nullptr || colours->Colors == nullptr) Fail("no colour table");
    if (frame.Width <= 0 || frame.Height <= 0) Fail("empty frame");
    // The logical screen, grown to the frame when a writer left it too small.
    const int64_t width = std::max<int64_t>(gif->SWidth, int64_t{frame.Left} + frame.Width);
    const int64_t height = std::max<int64_t>(gif->SHeight, int64_t{frame.Top} + frame.Height);
    if (frame.Left < 0 || frame.Top < 0 || width * height > kMaxPixels)
      Fail("picture is larger than the decoder accepts");
    // LZW at its best packs a few thousand pixels into a byte; a screen or frame beyond
    // that from this many bytes is a lying header, refused before allocating.
    const int64_t plausible =
        kLzwPixelsPerByte * static_cast<int64_t>(bytes.size()) + kPixelAllowance;
    if (width * height > plausible) Fail("picture is larger than its data can describe");
    CheckPictureBudget("GIF", width, height, bytes.size(), kLzwPixelsPerByte);

    // The indices first, in file order, into a buffer that grows only as data decodes:
    // damaged data fails before the canvas exists.
    std::vector<GifPixelType> indices;
    for (int32_t row = 0; row < frame.Height; ++row) {
      const size_t at = indices.size();
      indices.resize(at + static_cast<size_t>(frame.Width));
      Check(DGifGetLine(gif.get(), indices.data() + at, frame.Width), gif);
    }

    Image image{static_cast<int32_t>(width), static_cast<int32_t>(height), PixelFormat::Rgb24, {}};
    // Uncovered screen in the background colour when it is a real colour, white otherwise.
    uint8_t background[3] = {255, 255, 255};
    if (gif->SColorMap && gif->SBackGroundColor < gif->SColorMap->ColorCount &&
        gif->SBackGroundColor != transparent) {
      const GifColorType& c = gif->SColorMap->Colors[gif->SBackGroundColor];
      background[0] = c.Red;
      background[1] = c.Green;
      background[2] = c.Blue;
    }
    image.pixels.resize(image.RowBytes() * image.height);
    if (frame.Left != 0 || frame.Top != 0 || frame.Width != width || frame.Height != height) {
      for (size_t i = 0; i < image.pixels.size(); i += 3)
        std::memcpy(&image.pixels[i], background, 3);
    }

    // Interlaced frames store rows in four passes: every 8th from 0, every 8th from 4,
    // every 4th from 2, every 2nd from 1.
    std::vector<int32_t> order;
    order.reserve(static_cast<size_t>(frame.Height));
    if (frame.Interlace) {
      const int32_t starts[] = {0, 4, 2, 1}, steps[] = {8, 8, 4, 2};
      for (int pass = 0; pass < 4; ++pass)
        for (int32_t y = starts[pass]; y < frame.Height; y += steps[pass]) order.push_back(y);
    } else {
      for (int32_t y = 0; y < frame.Height; ++y) order.push_back(y);
    }
    const GifPixelType* line = indices.data();
    for (const int32_t y : order) {
      uint8_t* out = image.Row(frame.Top + y) + 3 * static_cast<size_t>(frame.Left);
      for (int32_t x = 0; x < frame.Width; ++x, out += 3) {
        const int index = line[x];
        if (index == transparent) {
          std::memset(out, 255, 3);
        } else if (index < colours->ColorCount) {
          const GifColorType& c = colours->Colors[index];
          out[0] = c.Red;
          out[1] = c.Green;
          out[2] = c.Blue;
        } else {
          std::memset(out, 0, 3);  // an index past the table: black, as most viewers show
        }
      }
      line += frame.Width;
    }
    return image;
  }
}

}  // namespace vemora::codec
