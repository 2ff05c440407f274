#include "codec/jpeg.h"

#include <algorithm>
#include <csetjmp>
#include <cstdio>  // jpeglib.h needs FILE
#include <cstdlib>
#include <cstring>
#include <string>

#include <jpeglib.h>

static_assert(vemora::codec::kMaxJpegSide == JPEG_MAX_DIMENSION);

namespace vemora::codec {
namespace {

// Progressive files may hold at most this many scans, and fewer on large pictures (see
// kMaxScanPixels): each scan walks the whole coefficient buffer again.
constexpr int kMaxProgressiveScans = 500;

// libjpeg reports errors through a callback that must not return. We jump back to the
// trap with the formatted message; every libjpeg call runs inside RunTrapped below.
struct ErrorTrap {
  jpeg_error_mgr manager;  // first, so libjpeg's err pointer is the trap's address
  jpeg_progress_mgr progress;
  std::jmp_buf jump;
  char message[JMSG_LENGTH_MAX];
};

[[noreturn]] void JumpWithMessage(ErrorTrap* trap, const char* message) {
  std::snprintf(trap->message, sizeof trap->message, "%s", message);
  std::longjmp(trap->jump, 1);
}

[[noreturn]] void OnError(j_common_ptr cinfo) {
  auto* trap = reinterpret_cast<ErrorTrap*>(cinfo->err);
  char message[JMSG_LENGTH_MAX];
  cinfo->err->format_message(cinfo, message);
  JumpWithMessage(trap, message);
}

// Warnings (corrupt data, premature end) and traces are not errors for us: the picture
// decodes as far as it goes.
void OnMessage(j_common_ptr, int) {}

void OnProgress(j_common_ptr cinfo) {
  if (!cinfo->is_decompressor) return;
  auto* decompress = reinterpret_cast<j_decompress_ptr>(cinfo);
  const int64_t pixels =
      std::max<int64_t>(1, int64_t{decompress->image_width} * decompress->image_height);
  const int64_t allowed = std::min<int64_t>(kMaxProgressiveScans, kMaxScanPixels / pixels);
  if (decompress->input_scan_number > std::max<int64_t>(allowed, 1)) {
    JumpWithMessage(reinterpret_cast<ErrorTrap*>(cinfo->err), "too many progressive scans");
  }
}

void InstallTrap(ErrorTrap* trap, j_common_ptr cinfo) {
  jpeg_std_error(&trap->manager);
  trap->manager.error_exit = OnError;
  trap->manager.emit_message = OnMessage;
  trap->manager.output_message = [](j_common_ptr) {};
  trap->progress = {};
  trap->progress.progress_monitor = OnProgress;
  trap->message[0] = '\0';
  cinfo->err = &trap->manager;
}

// The only frame with a setjmp. It holds nothing with a destructor, so the jump from
// libjpeg back into it skips no cleanup; the step functions are plain C-style code.
bool RunTrapped(ErrorTrap* trap, void (*step)(void*), void* context) {
  if (setjmp(trap->jump) != 0) return false;
  step(context);
  return true;
}

// ---------------------------------------------------------------------------- decoding

struct DecodeJob {
  jpeg_decompress_struct cinfo;
  ErrorTrap trap;
  bool created = false;
  const uint8_t* data = nullptr;
  size_t size = 0;
  JpegDecodeOptions options;
  bool cmyk = false;
  uint8_t* pixels = nullptr;  // output_height rows of rowBytes
  size_t rowBytes = 0;
  uint8_t* cmykRow = nullptr;  // one row of four-channel samples
};

void ReadHeaderStep(void* context) {
  auto* job = static_cast<DecodeJob*>(context);
  jpeg_create_decompress(&job->cinfo);
  job->created = true;
  // Beyond this libjpeg would need a backing store, which it does not have: it fails
  // cleanly instead of allocating a hostile progressive file's coefficients.
  job->cinfo.mem->max_memory_to_use = static_cast<long>(kMaxLibraryBytes);
  job->cinfo.progress = &job->trap.progress;
  jpeg_mem_src(&job->cinfo, job->data, static_cast<unsigned long>(job->size));
  jpeg_read_header(&job->cinfo, TRUE);
}

void StartStep(void* context) {
  auto* job = static_cast<DecodeJob*>(context);
  jpeg_decompress_struct& cinfo = job->cinfo;
  switch (cinfo.jpeg_color_space) {
    case JCS_GRAYSCALE:
      cinfo.out_color_space = JCS_GRAYSCALE;
      break;
    case JCS_CMYK:
    case JCS_YCCK:
      cinfo.out_color_space = JCS_CMYK;
      job->cmyk = true;
      break;
    default:
      cinfo.out_color_space = JCS_RGB;
      break;
  }
  cinfo.scale_num = static_cast<unsigned>(job->options.scaleNumerator);
  cinfo.scale_denom = 8;
  if (job->options.fast) {
    cinfo.dct_method = JDCT_IFAST;
    cinfo.do_fancy_upsampling = FALSE;
    cinfo.do_block_smoothing = FALSE;
  }
  jpeg_start_decompress(&cinfo);
}

// Adobe writes CMYK inverted (0 is full ink) and says so with its APP14 marker.
void CmykRowToRgb(const uint8_t* cmyk, uint8_t* rgb, JDIMENSION width, bool inverted) {
  for (JDIMENSION x = 0; x < width; ++x, cmyk += 4, rgb += 3) {
    unsigned c = cmyk[0], m = cmyk[1], y = cmyk[2], k = cmyk[3];
    if (!inverted) {
      c = 255 - c, m = 255 - m, y = 255 - y, k = 255 - k;
    }
    rgb[0] = static_cast<uint8_t>((c * k + 127) / 255);
    rgb[1] = static_cast<uint8_t>((m * k + 127) / 255);
    rgb[2] = static_cast<uint8_t>((y * k + 127) / 255);
  }
}

void ReadRowsStep(void* context) {
  auto* job = static_cast<DecodeJob*>(context);
  jpeg_decompress_struct& cinfo = job->cinfo;
  constexpr int kBatch = 16;
  JSAMPROW rows[kBatch];
  while (cinfo.output_scanline < cinfo.output_height) {
    uint8_t* target = job->pixels + cinfo.output_scanline * job->rowBytes;
    if (job->cmyk) {
      rows[0] = job->cmykRow;
      if (jpeg_read_scanlines(&cinfo, rows, 1) != 1) break;
      CmykRowToRgb(job->cmykRow, target, cinfo.output_width, cinfo.saw_Adobe_marker);
      continue;
    }
    const JDIMENSION left = cinfo.output_height - cinfo.output_scanline;
    const int count = left < kBatch ? static_cast<int>(left) : kBatch;
    for (int i = 0; i < count; ++i) rows[i] = target + i * job->rowBytes;
    if (jpeg_read_scanlines(&cinfo, rows, static_cast<JDIMENSION>(count)) == 0) break;
  }
}

// Owns the libjpeg state outside the trapped frames.
class Decoder {
 public:
  Decoder(std::span<const uint8_t> bytes, const JpegDecodeOptions& options) {
    job_.data = bytes.data();
    job_.size = bytes.size();
    job_.options = options;
    InstallTrap(&job_.trap, reinterpret_cast<j_common_ptr>(&job_.cinfo));
  }
  ~Decoder() {
    if (job_.created) jpeg_destroy_decompress(&job_.cinfo);
  }
  Decoder(const Decoder&) = delete;
  Decoder& operator=(const Decoder&) = delete;

  void Run(void (*step)(void*)) {
    if (!RunTrapped(&job_.trap, step, &job_)) {
      throw CodecError(std::string("JPEG: ") + job_.trap.message);
    }
  }

  void ReadHeader() {
    if (job_.size < 2 || job_.data[0] != 0xFF || job_.data[1] != 0xD8) {
      throw CodecError("JPEG: not a JPEG file (no start-of-image marker)");
    }
    Run(ReadHeaderStep);
    const int64_t pixels = static_cast<int64_t>(job_.cinfo.image_width) * job_.cinfo.image_height;
    if (pixels > kMaxPixels) {
      throw CodecError("JPEG: picture of " + std::to_string(job_.cinfo.image_width) + " x " +
                       std::to_string(job_.cinfo.image_height) + " pixels is too large");
    }
  }

  jpeg_decompress_struct& cinfo() { return job_.cinfo; }

  Image Decode() {
    CheckPictureBudget("JPEG", job_.cinfo.image_width, job_.cinfo.image_height, job_.size,
                       kJpegPixelsPerByte);
    Run(StartStep);
    Image image;
    image.width = static_cast<int32_t>(job_.cinfo.output_width);
    image.height = static_cast<int32_t>(job_.cinfo.output_height);
    image.format =
        job_.cinfo.out_color_space == JCS_GRAYSCALE ? PixelFormat::Gray8 : PixelFormat::Rgb24;
    if (job_.cinfo.output_components != (job_.cmyk ? 4 : BytesPerPixel(image.format))) {
      throw CodecError("JPEG: unexpected number of colour components");
    }
    image.pixels.resize(image.RowBytes() * static_cast<size_t>(image.height));
    std::vector<uint8_t> cmykRow(job_.cmyk ? static_cast<size_t>(image.width) * 4 : 0);
    job_.pixels = image.pixels.data();
    job_.rowBytes = image.RowBytes();
    job_.cmykRow = cmykRow.data();
    Run(ReadRowsStep);
    return image;
  }

 private:
  DecodeJob job_{};
};

// ---------------------------------------------------------------------------- encoding

struct EncodeJob {
  jpeg_compress_struct cinfo;
  ErrorTrap trap;
  bool created = false;
  const Image* image = nullptr;
  unsigned char* buffer = nullptr;  // malloc'ed by libjpeg's memory destination
  unsigned long size = 0;
};

void EncodeStep(void* context) {
  auto* job = static_cast<EncodeJob*>(context);
  jpeg_compress_struct& cinfo = job->cinfo;
  jpeg_create_compress(&cinfo);
  job->created = true;
  jpeg_mem_dest(&cinfo, &job->buffer, &job->size);
  const Image& image = *job->image;
  cinfo.image_width = static_cast<JDIMENSION>(image.width);
  cinfo.image_height = static_cast<JDIMENSION>(image.height);
  const bool gray = image.format == PixelFormat::Gray8;
  cinfo.input_components = gray ? 1 : 3;
  cinfo.in_color_space = gray ? JCS_GRAYSCALE : JCS_RGB;
  jpeg_set_defaults(&cinfo);
  jpeg_start_compress(&cinfo, TRUE);
  while (cinfo.next_scanline < cinfo.image_height) {
    JSAMPROW row = const_cast<JSAMPROW>(image.Row(static_cast<int32_t>(cinfo.next_scanline)));
    jpeg_write_scanlines(&cinfo, &row, 1);
  }
  jpeg_finish_compress(&cinfo);
}

class Encoder {
 public:
  explicit Encoder(const Image& image) {
    job_.image = &image;
    InstallTrap(&job_.trap, reinterpret_cast<j_common_ptr>(&job_.cinfo));
  }
  ~Encoder() {
    if (job_.created) jpeg_destroy_compress(&job_.cinfo);
    std::free(job_.buffer);
  }
  Encoder(const Encoder&) = delete;
  Encoder& operator=(const Encoder&) = delete;

  std::vector<uint8_t> Encode() {
    if (!RunTrapped(&job_.trap, EncodeStep, &job_)) {
      throw CodecError(std::string("JPEG: ") + job_.trap.message);
    }
    return std::vector<uint8_t>(job_.buffer, job_.buffer + job_.size);
  }

 private:
  EncodeJob job_{};
};

}  // namespace

Image DecodeJpeg(std::span<const uint8_t> bytes, const JpegDecodeOptions& options) {
  if (options.scaleNumerator < 1 || options.scaleNumerator > 16) {
    throw CodecError("JPEG: scale must be between 1/8 and 16/8");
  }
  Decoder decoder(bytes, options);
  decoder.ReadHeader();
  return decoder.Decode();
}

int JpegScaleForHeight(int32_t height, int32_t minHeight) {
  for (int numerator = 1; numerator < 8; ++numerator) {
    // libjpeg rounds a scaled size up.
    const int64_t scaled = (static_cast<int64_t>(height) * numerator + 7) / 8;
    if (scaled >= minHeight) return numerator;
  }
  return 8;
}

ImageInfo ReadJpegInfo(std::span<const uint8_t> bytes) {
  Decoder decoder(bytes, {});
  decoder.ReadHeader();
  ImageInfo info;
  info.width = static_cast<int32_t>(decoder.cinfo().image_width);
  info.height = static_cast<int32_t>(decoder.cinfo().image_height);
  info.bitsPerPixel = 8 * decoder.cinfo().num_components;
  return info;
}

std::vector<uint8_t> EncodeJpeg(const Image& image) {
  if (image.empty() || image.pixels.size() < image.RowBytes() * static_cast<size_t>(image.height)) {
    throw CodecError("JPEG: nothing to encode (empty or incomplete picture)");
  }
  if (image.width > kMaxJpegSide || image.height > kMaxJpegSide) {
    throw CodecError("JPEG: picture too large for the format (65500 pixels a side at most)");
  }
  Encoder encoder(image);
  return encoder.Encode();
}

}  // namespace vemora::codec
