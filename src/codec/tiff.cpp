#include "codec/tiff.h"

#include <tiffio.h>

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

namespace vemora::codec {
namespace {

// libtiff's own buffers (a whole uncompressed strip, say) are capped separately from the
// picture size, so a lying strip size cannot talk it into a huge allocation either.
constexpr tmsize_t kMaxLibraryAllocation = kMaxLibraryBytes;

// Rows of RGBA decoded at a time on the general path, so its 4-byte-per-pixel buffer
// stays small for big pictures.
constexpr size_t kBandBytes = size_t{16} << 20;

// The bytes libtiff reads from or writes to, with the position it seeks.
struct MemoryFile {
  const uint8_t* data = nullptr;  // reading
  size_t size = 0;
  std::vector<uint8_t>* output = nullptr;  // writing
  uint64_t position = 0;
  std::string firstError;
};

MemoryFile& FileOf(thandle_t handle) { return *static_cast<MemoryFile*>(handle); }

tmsize_t ReadProc(thandle_t handle, void* buffer, tmsize_t count) {
  MemoryFile& file = FileOf(handle);
  if (count <= 0 || file.position >= file.size) return 0;
  const size_t n =
      std::min(static_cast<size_t>(count), static_cast<size_t>(file.size - file.position));
  std::memcpy(buffer, file.data + file.position, n);
  file.position += n;
  return static_cast<tmsize_t>(n);
}

tmsize_t WriteProc(thandle_t handle, void* buffer, tmsize_t count) {
  MemoryFile& file = FileOf(handle);
  if (file.output == nullptr || count < 0) return -1;
  const size_t end = static_cast<size_t>(file.position) + static_cast<size_t>(count);
  if (end > file.output->size()) file.output->resize(end);
  std::memcpy(file.output->data() + file.position, buffer, static_cast<size_t>(count));
  file.position = end;
  return count;
}

uint64_t CurrentSize(const MemoryFile& file) {
  return file.output != nullptr ? file.output->size() : file.size;
}

toff_t SeekProc(thandle_t handle, toff_t offset, int whence) {
  MemoryFile& file = FileOf(handle);
  uint64_t base = 0;
  if (whence == SEEK_CUR) base = file.position;
  if (whence == SEEK_END) base = CurrentSize(file);
  const uint64_t target = base + offset;
  if (target < base) return static_cast<toff_t>(-1);  // wrapped: a hostile offset
  file.position = target;
  return target;
}

int CloseProc(thandle_t) { return 0; }

toff_t SizeProc(thandle_t handle) { return CurrentSize(FileOf(handle)); }

// Reading maps the caller's bytes, so libtiff decodes straight from them without copies.
int MapProc(thandle_t handle, void** base, toff_t* size) {
  MemoryFile& file = FileOf(handle);
  if (file.output != nullptr) return 0;
  *base = const_cast<uint8_t*>(file.data);
  *size = file.size;
  return 1;
}

void UnmapProc(thandle_t, void*, toff_t) {}

int OnError(TIFF*, void* user, const char* module, const char* format, va_list args) {
  auto* file = static_cast<MemoryFile*>(user);
  if (file->firstError.empty()) {
    char message[512];
    std::vsnprintf(message, sizeof message, format, args);
    file->firstError = (module != nullptr && *module != '\0') ? std::string(module) + ": " + message
                                                              : std::string(message);
  }
  return 1;  // handled: keep libtiff from printing to stderr
}

int OnWarning(TIFF*, void*, const char*, const char*, va_list) { return 1; }

struct TiffCloser {
  void operator()(TIFF* tiff) const { TIFFClose(tiff); }
};
using TiffHandle = std::unique_ptr<TIFF, TiffCloser>;

struct OptionsDeleter {
  void operator()(TIFFOpenOptions* options) const { TIFFOpenOptionsFree(options); }
};

TiffHandle Open(MemoryFile& file, const char* mode) {
  std::unique_ptr<TIFFOpenOptions, OptionsDeleter> options(TIFFOpenOptionsAlloc());
  TIFFOpenOptionsSetMaxSingleMemAlloc(options.get(), kMaxLibraryAllocation);
  TIFFOpenOptionsSetErrorHandlerExtR(options.get(), OnError, &file);
  TIFFOpenOptionsSetWarningHandlerExtR(options.get(), OnWarning, &file);
  return TiffHandle(TIFFClientOpenExt("memory", mode, &file, ReadProc, WriteProc, SeekProc,
                                      CloseProc, SizeProc, MapProc, UnmapProc, options.get()));
}

[[noreturn]] void Fail(const MemoryFile& file, const std::string& what) {
  throw CodecError("TIFF: " + what + (file.firstError.empty() ? "" : " (" + file.firstError + ")"));
}

TiffHandle OpenForReading(MemoryFile& file, std::span<const uint8_t> bytes) {
  file.data = bytes.data();
  file.size = bytes.size();
  // "Mapped" reading is the default; "h" reads only the header's first directory.
  TiffHandle tiff = Open(file, "r");
  if (!tiff) Fail(file, "not a readable TIFF file");
  return tiff;
}

struct Layout {
  uint32_t width = 0;
  uint32_t height = 0;
  uint16_t samplesPerPixel = 1;
  uint16_t bitsPerSample = 1;
  uint16_t photometric = 0;
  uint16_t planar = PLANARCONFIG_CONTIG;
  uint16_t orientation = ORIENTATION_TOPLEFT;
  uint16_t extraSamples = 0;
  uint16_t compression = COMPRESSION_NONE;
  bool tiled = false;
};

Layout ReadLayout(TIFF* tiff, const MemoryFile& file) {
  Layout layout;
  if (!TIFFGetField(tiff, TIFFTAG_IMAGEWIDTH, &layout.width) ||
      !TIFFGetField(tiff, TIFFTAG_IMAGELENGTH, &layout.height) || layout.width == 0 ||
      layout.height == 0) {
    Fail(file, "no picture size in the first directory");
  }
  TIFFGetFieldDefaulted(tiff, TIFFTAG_SAMPLESPERPIXEL, &layout.samplesPerPixel);
  TIFFGetFieldDefaulted(tiff, TIFFTAG_BITSPERSAMPLE, &layout.bitsPerSample);
  TIFFGetFieldDefaulted(tiff, TIFFTAG_PLANARCONFIG, &layout.planar);
  TIFFGetFieldDefaulted(tiff, TIFFTAG_ORIENTATION, &layout.orientation);
  TIFFGetFieldDefaulted(tiff, TIFFTAG_COMPRESSION, &layout.compression);
  uint16_t* extraTypes = nullptr;
  TIFFGetFieldDefaulted(tiff, TIFFTAG_EXTRASAMPLES, &layout.extraSamples, &extraTypes);
  if (!TIFFGetField(tiff, TIFFTAG_PHOTOMETRIC, &layout.photometric)) {
    layout.photometric = layout.samplesPerPixel >= 3 ? PHOTOMETRIC_RGB : PHOTOMETRIC_MINISBLACK;
  }
  layout.tiled = TIFFIsTiled(tiff) != 0;
  return layout;
}

// Uncompressed data holds at least its bits per pixel; compressed data at best what the
// strongest of libtiff's codecs (LZW, the fax codes) pack into a byte.
void CheckSize(const Layout& layout, size_t inputBytes) {
  int64_t pixelsPerByte = kLzwPixelsPerByte;
  if (layout.compression == COMPRESSION_NONE) {
    const int64_t bits =
        int64_t{layout.bitsPerSample} * std::max<uint16_t>(layout.samplesPerPixel, 1);
    pixelsPerByte = std::max<int64_t>(1, 8 / std::max<int64_t>(bits, 1));
  }
  CheckPictureBudget("TIFF", layout.width, layout.height, inputBytes, pixelsPerByte);
}

bool IsGrey(const Layout& layout) {
  return (layout.photometric == PHOTOMETRIC_MINISBLACK ||
          layout.photometric == PHOTOMETRIC_MINISWHITE) &&
         layout.samplesPerPixel - layout.extraSamples == 1;
}

Image Allocate(const Layout& layout, PixelFormat format) {
  Image image;
  image.width = static_cast<int32_t>(layout.width);
  image.height = static_cast<int32_t>(layout.height);
  image.format = format;
  image.pixels.resize(image.RowBytes() * static_cast<size_t>(image.height));
  return image;
}

// The common case, 8-bit RGB or grey in strips, decodes each strip straight into the
// picture: no RGBA detour, which halves the memory traffic.
bool FitsDirectPath(const Layout& layout) {
  const bool rgb = layout.photometric == PHOTOMETRIC_RGB && layout.samplesPerPixel == 3;
  const bool grey = layout.photometric == PHOTOMETRIC_MINISBLACK && layout.samplesPerPixel == 1;
  return !layout.tiled && layout.bitsPerSample == 8 && layout.planar == PLANARCONFIG_CONTIG &&
         layout.orientation == ORIENTATION_TOPLEFT && (rgb || grey);
}

Image DecodeDirect(TIFF* tiff, const Layout& layout, const MemoryFile& file) {
  Image image =
      Allocate(layout, layout.samplesPerPixel == 1 ? PixelFormat::Gray8 : PixelFormat::Rgb24);
  uint32_t rowsPerStrip = 0;
  TIFFGetFieldDefaulted(tiff, TIFFTAG_ROWSPERSTRIP, &rowsPerStrip);
  rowsPerStrip = std::clamp<uint32_t>(rowsPerStrip, 1, layout.height);
  const size_t rowBytes = image.RowBytes();
  for (uint32_t row = 0; row < layout.height; row += rowsPerStrip) {
    const uint32_t rows = std::min(rowsPerStrip, layout.height - row);
    const tmsize_t want = static_cast<tmsize_t>(rowBytes * rows);
    const tstrip_t strip = TIFFComputeStrip(tiff, row, 0);
    if (TIFFReadEncodedStrip(tiff, strip, image.Row(static_cast<int32_t>(row)), want) < 0) {
      Fail(file, "damaged strip " + std::to_string(strip));
    }
  }
  return image;
}

struct RgbaImage {
  TIFFRGBAImage state{};
  bool begun = false;
  ~RgbaImage() {
    if (begun) TIFFRGBAImageEnd(&state);
  }
};

struct Flips {
  bool vertical = false;
  bool horizontal = false;
};

// What libtiff's RGBA reader does to reach a top-left picture. It has no transposition:
// the orientations that swap the axes are taken as their unswapped neighbours, and we keep
// its reading.
Flips FlipsToTopLeft(uint16_t orientation) {
  switch (orientation) {
    case ORIENTATION_TOPRIGHT:
    case ORIENTATION_RIGHTTOP:
      return {false, true};
    case ORIENTATION_BOTRIGHT:
    case ORIENTATION_RIGHTBOT:
      return {true, true};
    case ORIENTATION_BOTLEFT:
    case ORIENTATION_LEFTBOT:
      return {true, false};
    default:
      return {};
  }
}

void StoreBand(const std::vector<uint32_t>& band, uint32_t rows, uint32_t firstRow, bool alpha,
               Flips flips, Image& image) {
  const size_t width = static_cast<size_t>(image.width);
  const bool grey = image.format == PixelFormat::Gray8;
  for (uint32_t r = 0; r < rows; ++r) {
    const uint32_t* source = band.data() + r * width;
    const uint32_t fileRow = firstRow + r;
    uint8_t* target = image.Row(static_cast<int32_t>(
        flips.vertical ? static_cast<uint32_t>(image.height) - 1 - fileRow : fileRow));
    for (size_t column = 0; column < width; ++column) {
      const size_t x = flips.horizontal ? width - 1 - column : column;
      const uint32_t pixel = source[column];
      // Colours are premultiplied by alpha; adding the uncovered part lays them on white.
      const uint32_t uncovered = alpha ? 255 - TIFFGetA(pixel) : 0;
      const auto channel = [&](uint32_t value) {
        return static_cast<uint8_t>(std::min<uint32_t>(255, value + uncovered));
      };
      if (grey) {
        target[x] = channel(TIFFGetR(pixel));
      } else {
        target[3 * x] = channel(TIFFGetR(pixel));
        target[3 * x + 1] = channel(TIFFGetG(pixel));
        target[3 * x + 2] = channel(TIFFGetB(pixel));
      }
    }
  }
}

// Everything else goes through libtiff's RGBA reader, which knows every photometric,
// depth, palette and plane layout, in bands of whole strips or tile rows.
Image DecodeRgba(TIFF* tiff, const Layout& layout, const MemoryFile& file) {
  char reason[1024] = "";
  if (!TIFFRGBAImageOK(tiff, reason)) Fail(file, reason);
  RgbaImage rgba;
  // Stop at the first damaged strip or tile: going on would read every other one of a file
  // whose directory promises strips it does not hold.
  if (!TIFFRGBAImageBegin(&rgba.state, tiff, /*stop_on_error=*/1, reason)) Fail(file, reason);
  rgba.begun = true;
  // Rows come out in file order, one band at a time, and are flipped into place here: a
  // whole-picture RGBA buffer would cost four bytes a pixel at once.
  rgba.state.req_orientation = rgba.state.orientation;
  const Flips flips = FlipsToTopLeft(rgba.state.orientation);

  Image image = Allocate(layout, IsGrey(layout) ? PixelFormat::Gray8 : PixelFormat::Rgb24);
  uint32_t unit = 0;
  if (layout.tiled) {
    TIFFGetField(tiff, TIFFTAG_TILELENGTH, &unit);
  } else {
    TIFFGetFieldDefaulted(tiff, TIFFTAG_ROWSPERSTRIP, &unit);
  }
  unit = std::clamp<uint32_t>(unit, 1, layout.height);
  const size_t rowsWanted = std::max<size_t>(1, kBandBytes / (size_t{4} * layout.width));
  const auto bandRows = static_cast<uint32_t>(
      std::min<size_t>(layout.height, std::max<size_t>(1, rowsWanted / unit) * unit));
  std::vector<uint32_t> band(static_cast<size_t>(layout.width) * bandRows);
  const bool alpha = rgba.state.alpha != 0;
  for (uint32_t row = 0; row < layout.height; row += bandRows) {
    const uint32_t rows = std::min(bandRows, layout.height - row);
    rgba.state.row_offset = static_cast<int>(row);
    rgba.state.col_offset = 0;
    if (!TIFFRGBAImageGet(&rgba.state, band.data(), layout.width, rows)) {
      Fail(file, "damaged image data");
    }
    StoreBand(band, rows, row, alpha, flips, image);
  }
  return image;
}

}  // namespace

Image DecodeTiff(std::span<const uint8_t> bytes) {
  MemoryFile file;
  TiffHandle tiff = OpenForReading(file, bytes);
  const Layout layout = ReadLayout(tiff.get(), file);
  CheckSize(layout, bytes.size());
  return FitsDirectPath(layout) ? DecodeDirect(tiff.get(), layout, file)
                                : DecodeRgba(tiff.get(), layout, file);
}

ImageInfo ReadTiffInfo(std::span<const uint8_t> bytes) {
  MemoryFile file;
  TiffHandle tiff = OpenForReading(file, bytes);
  const Layout layout = ReadLayout(tiff.get(), file);
  if (static_cast<int64_t>(layout.width) * layout.height > kMaxPixels)
    Fail(file, "picture of " + std::to_string(layout.width) + " x " +
                   std::to_string(layout.height) + " pixels is too large");
  ImageInfo info;
  info.width = static_cast<int32_t>(layout.width);
  info.height = static_cast<int32_t>(layout.height);
  info.bitsPerPixel = layout.bitsPerSample * layout.samplesPerPixel;
  return info;
}

std::vector<uint8_t> EncodeTiff(const Image& image) {
  if (image.empty() || image.pixels.size() < image.RowBytes() * static_cast<size_t>(image.height)) {
    throw CodecError("TIFF: nothing to encode (empty or incomplete picture)");
  }
  std::vector<uint8_t> output;
  output.reserve(image.pixels.size() / 2);
  MemoryFile file;
  file.output = &output;
  TiffHandle tiff = Open(file, "wl");  // little-endian: "II", which the catalogue knows
  if (!tiff) Fail(file, "cannot start writing");
  const bool grey = image.format == PixelFormat::Gray8;
  TIFF* t = tiff.get();
  TIFFSetField(t, TIFFTAG_IMAGEWIDTH, static_cast<uint32_t>(image.width));
  TIFFSetField(t, TIFFTAG_IMAGELENGTH, static_cast<uint32_t>(image.height));
  TIFFSetField(t, TIFFTAG_SAMPLESPERPIXEL, static_cast<uint16_t>(grey ? 1 : 3));
  TIFFSetField(t, TIFFTAG_BITSPERSAMPLE, static_cast<uint16_t>(8));
  TIFFSetField(t, TIFFTAG_PHOTOMETRIC, grey ? PHOTOMETRIC_MINISBLACK : PHOTOMETRIC_RGB);
  TIFFSetField(t, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG);
  TIFFSetField(t, TIFFTAG_ORIENTATION, ORIENTATION_TOPLEFT);
  TIFFSetField(t, TIFFTAG_COMPRESSION, COMPRESSION_ADOBE_DEFLATE);
  TIFFSetField(t, TIFFTAG_PREDICTOR, PREDICTOR_HORIZONTAL);
  const uint32_t rowsPerStrip = TIFFDefaultStripSize(t, 0);
  TIFFSetField(t, TIFFTAG_ROWSPERSTRIP, rowsPerStrip);

  const size_t rowBytes = image.RowBytes();
  const uint32_t height = static_cast<uint32_t>(image.height);
  for (uint32_t row = 0, strip = 0; row < height; row += rowsPerStrip, ++strip) {
    const uint32_t rows = std::min(rowsPerStrip, height - row);
    // libtiff differences a copy of the strip, never the caller's pixels.
    auto* data = const_cast<uint8_t*>(image.Row(static_cast<int32_t>(row)));
    if (TIFFWriteEncodedStrip(t, strip, data, static_cast<tmsize_t>(rowBytes * rows)) < 0) {
      Fail(file, "cannot write strip " + std::to_string(strip));
    }
  }
  if (!TIFFWriteDirectory(t)) Fail(file, "cannot write the directory");
  tiff.reset();
  return output;
}

}  // namespace vemora::codec
