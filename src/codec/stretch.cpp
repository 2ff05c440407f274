#include "codec/stretch.h"

#include <algorithm>
#include <vector>

namespace vemora::codec {
namespace {

// The source span [begin, end) that output index i covers along one axis. Shrinking gives
// every output pixel at least one source pixel; enlarging repeats the nearest one.
struct Span {
  int32_t begin;
  int32_t end;
};

std::vector<Span> Spans(int32_t source, int32_t target) {
  std::vector<Span> spans(static_cast<size_t>(target));
  for (int32_t i = 0; i < target; ++i) {
    if (target <= source) {
      const auto begin = static_cast<int32_t>(static_cast<int64_t>(i) * source / target);
      const auto end = static_cast<int32_t>(static_cast<int64_t>(i + 1) * source / target);
      spans[i] = {begin, std::max(end, begin + 1)};
    } else {
      const auto nearest =
          static_cast<int32_t>((static_cast<int64_t>(2 * i + 1) * source) / (2 * target));
      spans[i] = {nearest, nearest + 1};
    }
  }
  return spans;
}

}  // namespace

Image Stretch(const Image& source, int32_t width, int32_t height) {
  if (source.empty() || source.pixels.size() < source.RowBytes() * source.height)
    throw CodecError("stretch: the source picture is empty");
  if (width <= 0 || height <= 0 || static_cast<int64_t>(width) * height > kMaxPixels)
    throw CodecError("stretch: target size out of range");

  const int channels = BytesPerPixel(source.format);
  const std::vector<Span> columns = Spans(source.width, width);
  const std::vector<Span> rows = Spans(source.height, height);

  Image out{width, height, PixelFormat::Rgb24, {}};
  out.pixels.resize(out.RowBytes() * height);
  // Column sums of the current output row's source rows, one per output pixel and channel.
  std::vector<uint64_t> sums(static_cast<size_t>(width) * channels);
  for (int32_t y = 0; y < height; ++y) {
    std::fill(sums.begin(), sums.end(), 0);
    for (int32_t sy = rows[y].begin; sy < rows[y].end; ++sy) {
      const uint8_t* in = source.Row(sy);
      uint64_t* sum = sums.data();
      for (const Span& column : columns) {
        for (int c = 0; c < channels; ++c) {
          uint64_t total = 0;
          for (int32_t sx = column.begin; sx < column.end; ++sx) total += in[sx * channels + c];
          sum[c] += total;
        }
        sum += channels;
      }
    }
    const uint64_t rowCount = static_cast<uint64_t>(rows[y].end - rows[y].begin);
    uint8_t* dest = out.Row(y);
    for (int32_t x = 0; x < width; ++x) {
      const uint64_t count = rowCount * static_cast<uint64_t>(columns[x].end - columns[x].begin);
      for (int c = 0; c < 3; ++c) {
        const uint64_t sum = sums[static_cast<size_t>(x) * channels + (channels == 1 ? 0 : c)];
        dest[3 * x + c] = static_cast<uint8_t>((sum + count / 2) / count);
      }
    }
  }
  return out;
}

}  // namespace vemora::codec
