// `vemora scale`: shrinks an image file to fit inside a width and height limit, with the
// catalogue's fit rule, the interpolation switch, the six filters and the colour formats.

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "codec/convert.h"
#include "codec/decode.h"
#include "codec/fit.h"
#include "codec/image_file.h"
#include "codec/image_kind.h"
#include "codec/jpeg.h"
#include "codec/resample.h"
#include "command.h"
#include "command_support.h"

namespace vemora::cli {
namespace {

constexpr const char* kHelp =
    "usage: vemora scale --width W --height H [--filter NAME] [--interpolate]\n"
    "                    [--colours CODE] IN OUT\n"
    "\n"
    "Shrinks the image file IN (BMP, JPEG, TIFF, icon or GIF) so that it fits inside W x H\n"
    "pixels, keeping its aspect ratio, and writes it to OUT in the format OUT's extension\n"
    "names (.bmp, .jpg/.jpeg, .tif/.tiff). Pictures at most half as wide as high keep their\n"
    "size. Without --interpolate the picture is stretched plainly; with it, the filter\n"
    "(Triangle, Hermite, Bell, B-Spline, Lanczos3, Mitchell; default Triangle) resamples\n"
    "it, also when it already fits, and --colours reduces its colours:\n"
    "  0 black and white, 1 16 greys, 2 256 greys, 3 16 colours, 4 256 colours,\n"
    "  5 24-bit colour (default).\n"
    "A JPEG at least 2.5 times the target is decoded at a reduced DCT scale first (1/2, 1/4\n"
    "or 1/8; never below 1.25 times the target); --full-decode turns that off.\n"
    "OUT is replaced only on success.\n";

struct Options {
  int32_t width = 0;
  int32_t height = 0;
  codec::ResampleFilter filter = codec::ResampleFilter::Triangle;
  bool interpolate = false;
  codec::ColourFormat colours = codec::ColourFormat::TrueColour;
  bool fullDecode = false;
  std::string in;
  std::string out;
};

std::optional<int32_t> ParseNumber(const std::string& text) {
  int32_t value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

// Returns an error text, or nothing when the options are complete.
std::optional<std::string> ParseOptions(const std::vector<std::string>& args, Options& options) {
  std::vector<std::string> files;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    const bool hasValue = i + 1 < args.size();
    if (arg == "--interpolate") {
      options.interpolate = true;
    } else if (arg == "--full-decode") {
      options.fullDecode = true;
    } else if (arg == "--width" || arg == "--height" || arg == "--colours") {
      if (!hasValue) return arg + " needs a number";
      const auto value = ParseNumber(args[++i]);
      if (!value) return arg + " needs a whole number, not '" + args[i] + "'";
      if (arg == "--colours") {
        const auto format = codec::ColourFormatFromCode(*value);
        if (!format) return "--colours takes a code from 0 to 5";
        options.colours = *format;
      } else {
        if (*value <= 0) return arg + " must be positive";
        (arg == "--width" ? options.width : options.height) = *value;
      }
    } else if (arg == "--filter") {
      if (!hasValue) return "--filter needs a name";
      const auto filter = codec::ResampleFilterFromName(args[++i]);
      if (!filter) return "unknown filter '" + args[i] + "'";
      options.filter = *filter;
    } else if (arg.size() > 1 && arg[0] == '-') {
      return "unknown option '" + arg + "'";
    } else {
      files.push_back(arg);
    }
  }
  if (options.width == 0 || options.height == 0) return "--width and --height are required";
  if (files.size() != 2) return "give one input and one output file";
  options.in = files[0];
  options.out = files[1];
  return std::nullopt;
}

// A JPEG well larger than the target decodes at a reduced DCT scale first: the DCT
// reduction is itself a clean low-pass, and the filter does the rest, where its shape shows.
// Only the halving scales (1/2, 1/4, 1/8) have SIMD code in libjpeg-turbo; the others are
// slower than a full decode. The decoded picture stays at least 1.25 times the target.
codec::Image DecodeForTarget(std::span<const uint8_t> bytes, codec::ImageKind kind,
                             const Options& options, const std::optional<codec::FitSize>& fit) {
  if (kind != codec::ImageKind::Jpeg || options.fullDecode || !fit)
    return codec::DecodeImage(bytes, kind);
  const codec::ImageInfo info = codec::ReadJpegInfo(bytes);
  int numerator = 8;
  while (numerator > 1) {
    const int64_t w = (static_cast<int64_t>(info.width) * (numerator / 2) + 7) / 8;
    const int64_t h = (static_cast<int64_t>(info.height) * (numerator / 2) + 7) / 8;
    if (4 * w < 5 * static_cast<int64_t>(fit->width) ||
        4 * h < 5 * static_cast<int64_t>(fit->height))
      break;
    numerator /= 2;
  }
  codec::JpegDecodeOptions decode;
  decode.scaleNumerator = numerator;
  return codec::DecodeJpeg(bytes, decode);
}

int RunScale(const std::vector<std::string>& args) {
  if (IsHelpRequest(args)) {
    std::fputs(kHelp, stdout);
    return 0;
  }
  Options options;
  if (const auto error = ParseOptions(args, options)) {
    std::fprintf(stderr, "vemora scale: %s\n\n%s", error->c_str(), kHelp);
    return 2;
  }
  const codec::ImageKind target = KindByExtension(options.out);
  if (target == codec::ImageKind::Unknown)
    return Fail("scale", options.out,
                "unknown target format (use .bmp, .jpg, .jpeg, .tif or .tiff)");
  try {
    const std::vector<uint8_t> bytes = codec::ReadFileBytes(options.in);
    const codec::ImageKind source = codec::SniffImageKind(bytes);
    if (source == codec::ImageKind::Unknown)
      return Fail("scale", options.in, "not an image format we read");
    std::vector<uint8_t> result;
    try {
      // The fit counts on the file's own size; only JPEG headers tell it without decoding.
      codec::ImageInfo size;
      if (source == codec::ImageKind::Jpeg) size = codec::ReadJpegInfo(bytes);
      codec::Image image;
      if (size.width == 0) {
        image = codec::DecodeImage(bytes, source);
        size = {image.width, image.height, 0};
      }
      const auto fit = codec::ComputeFit(size.width, size.height, options.width, options.height,
                                         options.interpolate);
      if (!fit && source == target) {
        result = bytes;  // nothing to do: the file as it was, like the catalogue's run
      } else {
        if (image.empty()) image = DecodeForTarget(bytes, source, options, fit);
        if (fit) {
          codec::ResampleParameters parameters;
          parameters.targetWidth = fit->width;
          parameters.targetHeight = fit->height;
          parameters.interpolate = options.interpolate;
          parameters.filter = options.filter;
          parameters.colourFormat = options.colours;
          parameters.changeColourFormat =
              options.interpolate && codec::ColourFormatOf(image) != options.colours;
          image = codec::ResampleWith(image, parameters);
        }
        result = codec::EncodeImage(image, target);
      }
    } catch (const codec::CodecError& error) {
      return Fail("scale", options.in, error.what());
    }
    codec::WriteFileAtomically(options.out, result);
  } catch (const codec::CodecError& error) {
    std::fprintf(stderr, "vemora scale: %s\n", error.what());
    return 1;
  }
  return 0;
}

const CommandRegistration kRegistration{
    "scale", "--width W --height H [--filter NAME] [--interpolate] [--colours CODE] IN OUT",
    "shrink an image file to fit inside W x H with the scaling's filters", &RunScale};

}  // namespace
}  // namespace vemora::cli
