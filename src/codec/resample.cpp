#include "codec/resample.h"

#include <algorithm>
#include <cmath>
#include <thread>
#include <vector>

#include "codec/stretch.h"

namespace vemora::codec {
namespace {

constexpr int kWeightBits = 14;
constexpr int32_t kWeightOne = 1 << kWeightBits;
constexpr int32_t kRounding = 1 << (kWeightBits - 1);
// Below this many multiply-adds a pass is not worth a second thread.
constexpr int64_t kParallelThreshold = 4'000'000;

// The filter along one axis. Output i reads `count` source indices from `start` with the
// weights Weights() fills in. Weights are made per output index when it is computed, never
// as a table for the whole axis: the table grows with the source side times the kernel,
// which for a very long sliver of a picture would cost far more than its pixels.
struct Kernel {
  int32_t source = 0;
  ResampleFilter filter{};
  double scale = 1;
  double filterScale = 1;
  double support = 0;
  size_t stride = 0;  // most weights any output index takes
};

Kernel MakeKernel(int32_t source, int32_t target, ResampleFilter filter) {
  Kernel kernel;
  kernel.source = source;
  kernel.filter = filter;
  kernel.scale = static_cast<double>(source) / target;
  kernel.filterScale = std::max(kernel.scale, 1.0);  // widen the kernel when shrinking
  kernel.support = FilterSupport(filter) * kernel.filterScale;
  // No output index reads more than the whole source.
  kernel.stride = static_cast<size_t>(
      std::min(std::ceil(2.0 * kernel.support) + 2, static_cast<double>(source) + 2));
  return kernel;
}

struct Taps {
  int32_t start = 0;
  int32_t count = 0;
};

// `out` and `weights` hold kernel.stride entries each.
Taps Weights(const Kernel& kernel, int32_t i, int16_t* out, double* weights) {
  const double centre = (i + 0.5) * kernel.scale;
  const int32_t first =
      std::max(static_cast<int32_t>(std::floor(centre - kernel.support + 0.5)), 0);
  int32_t last =
      std::min(static_cast<int32_t>(std::floor(centre + kernel.support + 0.5)), kernel.source);
  if (last - first > static_cast<int32_t>(kernel.stride))
    last = first + static_cast<int32_t>(kernel.stride);
  double sum = 0;
  for (int32_t j = first; j < last; ++j) {
    weights[j - first] = FilterWeight(kernel.filter, (j + 0.5 - centre) / kernel.filterScale);
    sum += weights[j - first];
  }
  // Trim zero weights at both ends: they cost a multiplication each and add nothing.
  int32_t begin = 0;
  int32_t end = last - first;
  while (begin < end && weights[begin] == 0.0) ++begin;
  while (end > begin && weights[end - 1] == 0.0) --end;
  if (begin == end || sum == 0.0) {
    // A kernel that misses every sample (only at extreme enlargements): take the nearest.
    out[0] = kWeightOne;
    return {std::clamp(static_cast<int32_t>(centre), 0, kernel.source - 1), 1};
  }
  // Fixed-point weights that add up to exactly one, so flat areas stay flat.
  int32_t fixedSum = 0;
  int32_t largest = 0;
  for (int32_t k = begin; k < end; ++k) {
    out[k - begin] = static_cast<int16_t>(std::lround(weights[k] / sum * kWeightOne));
    fixedSum += out[k - begin];
    if (out[k - begin] > out[largest]) largest = k - begin;
  }
  out[largest] = static_cast<int16_t>(out[largest] + kWeightOne - fixedSum);
  // Weights that rounded to nothing (a sinc's zero crossings at scale 1) cost a
  // multiplication each and add nothing: drop them from both ends.
  int32_t lead = 0;
  int32_t taps = end - begin;
  while (taps > 1 && out[lead] == 0) ++lead, --taps;
  while (taps > 1 && out[lead + taps - 1] == 0) --taps;
  if (lead > 0) std::copy(out + lead, out + lead + taps, out);
  return {first + begin + lead, taps};
}

uint8_t Clamp(int32_t accumulator) {
  return static_cast<uint8_t>(std::clamp(accumulator >> kWeightBits, 0, 255));
}

// Runs work(begin, end) over [0, count) split across the cores when the work is big enough.
template <typename Work>
void ParallelRows(int32_t count, int64_t operations, Work work) {
  const unsigned cores = std::max(1u, std::min(std::thread::hardware_concurrency(), 8u));
  const unsigned threads = operations < kParallelThreshold ? 1u : std::min<unsigned>(cores, count);
  if (threads <= 1) {
    work(0, count);
    return;
  }
  std::vector<std::thread> helpers;
  const int32_t chunk = (count + static_cast<int32_t>(threads) - 1) / static_cast<int32_t>(threads);
  for (unsigned t = 1; t < threads; ++t) {
    const int32_t begin = std::min(count, static_cast<int32_t>(t) * chunk);
    const int32_t end = std::min(count, begin + chunk);
    helpers.emplace_back([&work, begin, end] { work(begin, end); });
  }
  work(0, std::min(count, chunk));
  for (auto& helper : helpers) helper.join();
}

Image VerticalPass(const Image& in, int32_t height, ResampleFilter filter) {
  const Kernel kernel = MakeKernel(in.height, height, filter);
  Image out{in.width, height, in.format, {}};
  out.pixels.resize(out.RowBytes() * out.height);
  const size_t rowBytes = in.RowBytes();
  const int64_t taps = std::min<int64_t>(static_cast<int64_t>(kernel.stride), in.height);
  const int64_t operations = taps * height * static_cast<int64_t>(rowBytes);
  ParallelRows(height, operations, [&](int32_t begin, int32_t end) {
    // Whole rows at a time: the inner loop runs along contiguous bytes and vectorises.
    std::vector<int32_t> accumulator(rowBytes);
    std::vector<int16_t> weight(kernel.stride);
    std::vector<double> scratch(kernel.stride);
    for (int32_t y = begin; y < end; ++y) {
      std::fill(accumulator.begin(), accumulator.end(), kRounding);
      const Taps row = Weights(kernel, y, weight.data(), scratch.data());
      // Two source rows per sweep halve the loads and stores of the accumulator row.
      int32_t k = 0;
      for (; k + 1 < row.count; k += 2) {
        const uint8_t* first = in.Row(row.start + k);
        const uint8_t* second = in.Row(row.start + k + 1);
        const int32_t w0 = weight[k];
        const int32_t w1 = weight[k + 1];
        int32_t* acc = accumulator.data();
        for (size_t i = 0; i < rowBytes; ++i) acc[i] += w0 * first[i] + w1 * second[i];
      }
      if (k < row.count) {
        const uint8_t* src = in.Row(row.start + k);
        const int32_t w = weight[k];
        int32_t* acc = accumulator.data();
        for (size_t i = 0; i < rowBytes; ++i) acc[i] += w * src[i];
      }
      uint8_t* dst = out.Row(y);
      for (size_t i = 0; i < rowBytes; ++i) dst[i] = Clamp(accumulator[i]);
    }
  });
  return out;
}

// Rows become columns. Blocks of 64 x 64 pixels keep both sides in the cache.
template <int Channels>
void TransposeRows(const Image& in, Image& out, int32_t begin, int32_t end) {
  constexpr int32_t kBlock = 64;
  for (int32_t y0 = begin; y0 < end; y0 += kBlock) {
    const int32_t y1 = std::min(end, y0 + kBlock);
    for (int32_t x0 = 0; x0 < out.width; x0 += kBlock) {
      const int32_t x1 = std::min(out.width, x0 + kBlock);
      for (int32_t y = y0; y < y1; ++y) {
        uint8_t* dst = out.Row(y);
        for (int32_t x = x0; x < x1; ++x) {
          const uint8_t* src = in.Row(x) + static_cast<size_t>(y) * Channels;
          for (int c = 0; c < Channels; ++c) dst[x * Channels + c] = src[c];
        }
      }
    }
  }
}

Image Transpose(const Image& in) {
  Image out{in.height, in.width, in.format, {}};
  out.pixels.resize(out.RowBytes() * out.height);
  ParallelRows(out.height, static_cast<int64_t>(out.pixels.size()),
               [&](int32_t begin, int32_t end) {
                 if (in.format == PixelFormat::Gray8)
                   TransposeRows<1>(in, out, begin, end);
                 else
                   TransposeRows<3>(in, out, begin, end);
               });
  return out;
}

// Along rows, the weights apply to pixels next to each other, which does not vectorise;
// turned on its side, the same work runs through the column pass, which does. Each
// intermediate picture is released as soon as the next exists; a picture handed over as
// an rvalue is released after it is turned.
Image HorizontalPass(const Image& in, int32_t width, ResampleFilter filter) {
  Image filtered;
  {
    const Image turned = Transpose(in);
    filtered = VerticalPass(turned, width, filter);
  }
  return Transpose(filtered);
}

Image HorizontalPass(Image&& in, int32_t width, ResampleFilter filter) {
  Image filtered;
  {
    Image turned = Transpose(in);
    in = {};
    filtered = VerticalPass(turned, width, filter);
  }
  return Transpose(filtered);
}

}  // namespace

Image Resample(const Image& source, int32_t width, int32_t height, ResampleFilter filter) {
  if (source.empty() || source.pixels.size() < source.RowBytes() * source.height)
    throw CodecError("resample: the source picture is empty");
  if (width <= 0 || height <= 0 || static_cast<int64_t>(width) * height > kMaxPixels)
    throw CodecError("resample: target size out of range");
  // Both passes cost their taps per output byte; the row pass also turns its input and
  // its output on their side, which costs about as much as a few taps per byte.
  constexpr double kTransposeCost = 4.0;
  const double tapsX = 2 * FilterSupport(filter) * std::max(double(source.width) / width, 1.0);
  const double tapsY = 2 * FilterSupport(filter) * std::max(double(source.height) / height, 1.0);
  const double rowPassFirst = kTransposeCost * (double(source.width) + width) * source.height +
                              tapsX * width * source.height + tapsY * double(width) * height;
  const double columnPassFirst = tapsY * double(source.width) * height +
                                 kTransposeCost * (double(source.width) + width) * height +
                                 tapsX * double(width) * height;
  if (rowPassFirst < columnPassFirst) {
    const Image rows = HorizontalPass(source, width, filter);
    return VerticalPass(rows, height, filter);
  }
  return HorizontalPass(VerticalPass(source, height, filter), width, filter);
}

Image ResampleWith(const Image& source, const ResampleParameters& parameters) {
  if (!parameters.interpolate)
    return Stretch(source, parameters.targetWidth, parameters.targetHeight);
  Image result =
      Resample(source, parameters.targetWidth, parameters.targetHeight, parameters.filter);
  if (parameters.changeColourFormat) result = ReduceColours(result, parameters.colourFormat);
  return result;
}

}  // namespace vemora::codec
