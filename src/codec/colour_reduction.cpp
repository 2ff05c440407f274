#include "codec/colour_reduction.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <vector>

namespace vemora::codec {
namespace {

using Rgb = std::array<uint8_t, 3>;

// The 16 colours every VGA card shows, the classic fixed 16-colour palette.
constexpr std::array<Rgb, 16> kVgaColours = {{{0, 0, 0},
                                              {128, 0, 0},
                                              {0, 128, 0},
                                              {128, 128, 0},
                                              {0, 0, 128},
                                              {128, 0, 128},
                                              {0, 128, 128},
                                              {192, 192, 192},
                                              {128, 128, 128},
                                              {255, 0, 0},
                                              {0, 255, 0},
                                              {255, 255, 0},
                                              {0, 0, 255},
                                              {255, 0, 255},
                                              {0, 255, 255},
                                              {255, 255, 255}}};

uint8_t Luma(const uint8_t* rgb) {
  return static_cast<uint8_t>((77 * rgb[0] + 150 * rgb[1] + 29 * rgb[2] + 128) >> 8);
}

Image ToGrey(const Image& source) {
  if (source.format == PixelFormat::Gray8) return source;
  Image out{source.width, source.height, PixelFormat::Gray8, {}};
  out.pixels.resize(static_cast<size_t>(source.width) * source.height);
  for (size_t i = 0; i < out.pixels.size(); ++i) out.pixels[i] = Luma(&source.pixels[3 * i]);
  return out;
}

Image ToRgb(const Image& source) {
  if (source.format == PixelFormat::Rgb24) return source;
  Image out{source.width, source.height, PixelFormat::Rgb24, {}};
  out.pixels.resize(static_cast<size_t>(source.width) * source.height * 3);
  for (size_t i = 0; i < source.pixels.size(); ++i)
    std::memset(&out.pixels[3 * i], source.pixels[i], 3);
  return out;
}

// Floyd-Steinberg error diffusion over a grey picture to `levels` evenly spaced levels.
void DitherGrey(Image& grey, int levels) {
  const int step = 255 / (levels - 1);
  const auto width = static_cast<size_t>(grey.width);
  // Errors for the current and the next row, with a guard pixel on each side.
  std::vector<int32_t> current(width + 2, 0), next(width + 2, 0);
  for (int32_t y = 0; y < grey.height; ++y) {
    uint8_t* row = grey.Row(y);
    for (size_t x = 0; x < width; ++x) {
      const int32_t wanted = std::clamp(row[x] + current[x + 1] / 16, 0, 255);
      const int32_t chosen = std::clamp((wanted + step / 2) / step * step, 0, 255);
      row[x] = static_cast<uint8_t>(chosen);
      const int32_t error = wanted - chosen;
      current[x + 2] += error * 7;
      next[x] += error * 3;
      next[x + 1] += error * 5;
      next[x + 2] += error;
    }
    std::swap(current, next);
    std::fill(next.begin(), next.end(), 0);
  }
}

template <size_t N>
size_t Nearest(const std::array<Rgb, N>& palette, size_t count, int32_t r, int32_t g, int32_t b) {
  size_t best = 0;
  int32_t bestDistance = INT32_MAX;
  for (size_t i = 0; i < count; ++i) {
    const int32_t dr = r - palette[i][0], dg = g - palette[i][1], db = b - palette[i][2];
    const int32_t distance = dr * dr + dg * dg + db * db;
    if (distance < bestDistance) {
      bestDistance = distance;
      best = i;
    }
  }
  return best;
}

void DitherToVga(Image& rgb) {
  const auto width = static_cast<size_t>(rgb.width);
  std::vector<int32_t> current(3 * (width + 2), 0), next(3 * (width + 2), 0);
  for (int32_t y = 0; y < rgb.height; ++y) {
    uint8_t* row = rgb.Row(y);
    for (size_t x = 0; x < width; ++x) {
      int32_t wanted[3];
      for (int c = 0; c < 3; ++c)
        wanted[c] = std::clamp(row[3 * x + c] + current[3 * (x + 1) + c] / 16, 0, 255);
      const Rgb& chosen = kVgaColours[Nearest(kVgaColours, 16, wanted[0], wanted[1], wanted[2])];
      for (int c = 0; c < 3; ++c) {
        row[3 * x + c] = chosen[c];
        const int32_t error = wanted[c] - chosen[c];
        current[3 * (x + 2) + c] += error * 7;
        next[3 * x + c] += error * 3;
        next[3 * (x + 1) + c] += error * 5;
        next[3 * (x + 2) + c] += error;
      }
    }
    std::swap(current, next);
    std::fill(next.begin(), next.end(), 0);
  }
}

// Median cut over a 5-bit-per-channel histogram: split the box holding the most pixels
// (weighted by its widest extent) at the median of its widest channel, until 256 boxes.
constexpr int kBits = 5;
constexpr int kSide = 1 << kBits;

size_t Cell(int r, int g, int b) {
  return (static_cast<size_t>(r) << (2 * kBits)) | (static_cast<size_t>(g) << kBits) |
         static_cast<size_t>(b);
}

struct Box {
  int low[3];
  int high[3];  // inclusive
  uint64_t pixels = 0;
};

void Shrink(Box& box, const std::vector<uint32_t>& histogram) {
  int low[3] = {kSide, kSide, kSide}, high[3] = {-1, -1, -1};
  box.pixels = 0;
  for (int r = box.low[0]; r <= box.high[0]; ++r)
    for (int g = box.low[1]; g <= box.high[1]; ++g)
      for (int b = box.low[2]; b <= box.high[2]; ++b) {
        const uint32_t count = histogram[Cell(r, g, b)];
        if (count == 0) continue;
        box.pixels += count;
        const int v[3] = {r, g, b};
        for (int c = 0; c < 3; ++c) {
          low[c] = std::min(low[c], v[c]);
          high[c] = std::max(high[c], v[c]);
        }
      }
  if (box.pixels == 0) return;
  std::copy(low, low + 3, box.low);
  std::copy(high, high + 3, box.high);
}

std::vector<Rgb> MedianCutPalette(const Image& rgb, std::vector<uint32_t>& histogram) {
  for (size_t i = 0; i < rgb.pixels.size(); i += 3)
    ++histogram[Cell(rgb.pixels[i] >> 3, rgb.pixels[i + 1] >> 3, rgb.pixels[i + 2] >> 3)];
  std::vector<Box> boxes(1, Box{{0, 0, 0}, {kSide - 1, kSide - 1, kSide - 1}, 0});
  Shrink(boxes[0], histogram);
  while (boxes.size() < 256) {
    // Pick the box worth splitting most: many pixels over a wide range.
    size_t pick = boxes.size();
    uint64_t bestScore = 0;
    int axis = 0;
    for (size_t i = 0; i < boxes.size(); ++i) {
      int widest = 0;
      for (int c = 1; c < 3; ++c)
        if (boxes[i].high[c] - boxes[i].low[c] > boxes[i].high[widest] - boxes[i].low[widest])
          widest = c;
      const int extent = boxes[i].high[widest] - boxes[i].low[widest];
      if (extent == 0) continue;
      const uint64_t score = boxes[i].pixels * static_cast<uint64_t>(extent);
      if (score > bestScore) {
        bestScore = score;
        pick = i;
        axis = widest;
      }
    }
    if (pick == boxes.size()) break;  // every box is a single cell
    Box& box = boxes[pick];
    // Pixel counts per slice along the axis, then the slice where half the pixels lie.
    std::vector<uint64_t> slices(kSide, 0);
    for (int r = box.low[0]; r <= box.high[0]; ++r)
      for (int g = box.low[1]; g <= box.high[1]; ++g)
        for (int b = box.low[2]; b <= box.high[2]; ++b) {
          const int v[3] = {r, g, b};
          slices[v[axis]] += histogram[Cell(r, g, b)];
        }
    uint64_t running = 0;
    int cut = box.low[axis];
    for (int s = box.low[axis]; s < box.high[axis]; ++s) {
      running += slices[s];
      cut = s;
      if (running * 2 >= box.pixels) break;
    }
    Box upper = box;
    upper.low[axis] = cut + 1;
    box.high[axis] = cut;
    Shrink(box, histogram);
    Shrink(upper, histogram);
    boxes.push_back(upper);
  }
  // Each box's colour is the mean of its pixels (cell centres, weighted by count).
  std::vector<Rgb> palette;
  for (const Box& box : boxes) {
    uint64_t sum[3] = {0, 0, 0}, total = 0;
    for (int r = box.low[0]; r <= box.high[0]; ++r)
      for (int g = box.low[1]; g <= box.high[1]; ++g)
        for (int b = box.low[2]; b <= box.high[2]; ++b) {
          const uint32_t count = histogram[Cell(r, g, b)];
          const int v[3] = {r, g, b};
          for (int c = 0; c < 3; ++c) sum[c] += static_cast<uint64_t>(count) * (v[c] * 8 + 4);
          total += count;
        }
    if (total == 0) continue;
    palette.push_back({static_cast<uint8_t>(sum[0] / total), static_cast<uint8_t>(sum[1] / total),
                       static_cast<uint8_t>(sum[2] / total)});
  }
  return palette;
}

void MapTo256(Image& rgb) {
  std::vector<uint32_t> histogram(static_cast<size_t>(kSide) * kSide * kSide, 0);
  const std::vector<Rgb> palette = MedianCutPalette(rgb, histogram);
  // Nearest palette entry per used histogram cell, then every pixel through its cell.
  std::vector<uint8_t> nearest(histogram.size(), 0);
  for (size_t cell = 0; cell < histogram.size(); ++cell) {
    if (histogram[cell] == 0) continue;
    const int32_t r = static_cast<int32_t>(cell >> (2 * kBits)) * 8 + 4;
    const int32_t g = static_cast<int32_t>((cell >> kBits) & (kSide - 1)) * 8 + 4;
    const int32_t b = static_cast<int32_t>(cell & (kSide - 1)) * 8 + 4;
    size_t best = 0;
    int32_t bestDistance = INT32_MAX;
    for (size_t i = 0; i < palette.size(); ++i) {
      const int32_t dr = r - palette[i][0], dg = g - palette[i][1], db = b - palette[i][2];
      const int32_t distance = dr * dr + dg * dg + db * db;
      if (distance < bestDistance) {
        bestDistance = distance;
        best = i;
      }
    }
    nearest[cell] = static_cast<uint8_t>(best);
  }
  for (size_t i = 0; i < rgb.pixels.size(); i += 3) {
    const Rgb& colour =
        palette[nearest[Cell(rgb.pixels[i] >> 3, rgb.pixels[i + 1] >> 3, rgb.pixels[i + 2] >> 3)]];
    std::memcpy(&rgb.pixels[i], colour.data(), 3);
  }
}

}  // namespace

std::optional<ColourFormat> ColourFormatFromCode(int code) {
  if (code < 0 || code > 5) return std::nullopt;
  return static_cast<ColourFormat>(code);
}

ColourFormat ColourFormatOf(const Image& image) {
  return image.format == PixelFormat::Gray8 ? ColourFormat::Grey256 : ColourFormat::TrueColour;
}

Image ReduceColours(const Image& source, ColourFormat format) {
  if (source.empty() || source.pixels.size() < source.RowBytes() * source.height)
    throw CodecError("colour reduction: the picture is empty");
  switch (format) {
    case ColourFormat::BlackWhite: {
      Image grey = ToGrey(source);
      DitherGrey(grey, 2);
      return grey;
    }
    case ColourFormat::Grey16: {
      Image grey = ToGrey(source);
      DitherGrey(grey, 16);
      return grey;
    }
    case ColourFormat::Grey256:
      return ToGrey(source);
    case ColourFormat::Colours16: {
      Image rgb = ToRgb(source);
      DitherToVga(rgb);
      return rgb;
    }
    case ColourFormat::Colours256: {
      Image rgb = ToRgb(source);
      MapTo256(rgb);
      return rgb;
    }
    case ColourFormat::TrueColour:
      return ToRgb(source);
  }
  throw CodecError("colour reduction: unknown colour format");
}

}  // namespace vemora::codec
