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

// The weights of every output index along one axis: output i reads count[i] source
// indices from start[i], with weights[i * stride ...].
struct Contributions {
  std::vector<int32_t> start;
  std::vector<int32_t> count;
  std::vector<int16_t> weights;
  size_t stride = 0;
  int64_t totalTaps = 0;
};

Contributions ComputeContributions(int32_t source, int32_t target, ResampleFilter filter) {
  const double scale = static_cast<double>(source) / target;
  const double filterScale = std::max(scale, 1.0);  // widen the kernel when shrinking
  const double support = FilterSupport(filter) * filterScale;
  Contributions result;
  result.stride = static_cast<size_t>(std::ceil(2.0 * support)) + 2;
  result.start.resize(target);
  result.count.resize(target);
  result.weights.assign(static_cast<size_t>(target) * result.stride, 0);
  std::vector<double> weights(result.stride);
  for (int32_t i = 0; i < target; ++i) {
    const double centre = (i + 0.5) * scale;
    int32_t first = std::max(static_cast<int32_t>(std::floor(centre - support + 0.5)), 0);
    int32_t last = std::min(static_cast<int32_t>(std::floor(centre + support + 0.5)), source);
    if (last - first > static_cast<int32_t>(result.stride))
      last = first + static_cast<int32_t>(result.stride);
    double sum = 0;
    for (int32_t j = first; j < last; ++j) {
      weights[j - first] = FilterWeight(filter, (j + 0.5 - centre) / filterScale);
      sum += weights[j - first];
    }
    // Trim zero weights at both ends: they cost a multiplication each and add nothing.
    int32_t begin = 0;
    int32_t end = last - first;
    while (begin < end && weights[begin] == 0.0) ++begin;
    while (end > begin && weights[end - 1] == 0.0) --end;
    if (begin == end || sum == 0.0) {
      // A kernel that misses every sample (only at extreme enlargements): take the nearest.
      const int32_t nearest = std::clamp(static_cast<int32_t>(centre), 0, source - 1);
      result.start[i] = nearest;
      result.count[i] = 1;
      result.weights[i * result.stride] = kWeightOne;
      result.totalTaps += 1;
      continue;
    }
    // Fixed-point weights that add up to exactly one, so flat areas stay flat.
    int16_t* out = &result.weights[i * result.stride];
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
    std::fill(out + taps, out + result.stride, int16_t{0});
    result.start[i] = first + begin + lead;
    result.count[i] = taps;
    result.totalTaps += taps;
  }
  return result;
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
  const Contributions rows = ComputeContributions(in.height, height, filter);
  Image out{in.width, height, in.format, {}};
  out.pixels.resize(out.RowBytes() * out.height);
  const size_t rowBytes = in.RowBytes();
  const int64_t operations = rows.totalTaps * static_cast<int64_t>(rowBytes);
  ParallelRows(height, operations, [&](int32_t begin, int32_t end) {
    // Whole rows at a time: the inner loop runs along contiguous bytes and vectorises.
    std::vector<int32_t> accumulator(rowBytes);
    for (int32_t y = begin; y < end; ++y) {
      std::fill(accumulator.begin(), accumulator.end(), kRounding);
      const int16_t* weight = &rows.weights[y * rows.stride];
      // Two source rows per sweep halve the loads and stores of the accumulator row.
      const int32_t taps = rows.count[y];
      int32_t k = 0;
      for (; k + 1 < taps; k += 2) {
        const uint8_t* first = in.Row(rows.start[y] + k);
        const uint8_t* second = in.Row(rows.start[y] + k + 1);
        const int32_t w0 = weight[k];
        const int32_t w1 = weight[k + 1];
        int32_t* acc = accumulator.data();
        for (size_t i = 0; i < rowBytes; ++i) acc[i] += w0 * first[i] + w1 * second[i];
      }
      if (k < taps) {
        const uint8_t* src = in.Row(rows.start[y] + k);
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
// turned on its side, the same work runs through the column pass, which does.
Image HorizontalPass(const Image& in, int32_t width, ResampleFilter filter) {
  return Transpose(VerticalPass(Transpose(in), width, filter));
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
  if (rowPassFirst < columnPassFirst)
    return VerticalPass(HorizontalPass(source, width, filter), height, filter);
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
