#include "codec/scale_image.h"

#include "codec/bmp.h"
#include "codec/decode.h"
#include "codec/jpeg.h"
#include "codec/metadata_carry.h"
#include "codec/resample.h"
#include "codec/tiff.h"

namespace vemora::codec {
namespace {

Image DecodeForTarget(std::span<const uint8_t> bytes, ImageKind kind, const ScaleSettings& settings,
                      const ScalePlan& plan) {
  if (kind != ImageKind::Jpeg || settings.fullDecode || !plan.fit) return DecodeImage(bytes, kind);
  int numerator = 8;
  while (numerator > 1) {
    const int64_t w = (static_cast<int64_t>(plan.width) * (numerator / 2) + 7) / 8;
    const int64_t h = (static_cast<int64_t>(plan.height) * (numerator / 2) + 7) / 8;
    if (4 * w < 5 * static_cast<int64_t>(plan.fit->width) ||
        4 * h < 5 * static_cast<int64_t>(plan.fit->height))
      break;
    numerator /= 2;
  }
  JpegDecodeOptions decode;
  decode.scaleNumerator = numerator;
  return DecodeJpeg(bytes, decode);
}

std::vector<uint8_t> Scale(std::span<const uint8_t> bytes, ImageKind kind, ImageKind targetKind,
                           const ScaleSettings& settings, const ScalePlan& plan) {
  Image image = DecodeForTarget(bytes, kind, settings, plan);
  if (plan.fit) {
    ResampleParameters parameters;
    parameters.targetWidth = plan.fit->width;
    parameters.targetHeight = plan.fit->height;
    parameters.interpolate = settings.interpolate;
    parameters.filter = settings.filter;
    parameters.colourFormat = settings.colours;
    parameters.changeColourFormat =
        settings.interpolate && ColourFormatOf(image) != settings.colours;
    image = ResampleWith(image, parameters);
  }
  return EncodeKeepingMetadata(image, targetKind, bytes, kind);
}

}  // namespace

ScalePlan PlanScale(std::span<const uint8_t> bytes, ImageKind kind, const ScaleSettings& settings) {
  ScalePlan plan;
  ImageInfo info;
  switch (kind) {
    case ImageKind::Jpeg:
      info = ReadJpegInfo(bytes);
      break;
    case ImageKind::Bmp:
      info = ReadBmpInfo(bytes);
      break;
    case ImageKind::Tiff:
      info = ReadTiffInfo(bytes);
      break;
    default: {
      const Image image = DecodeImage(bytes, kind);
      info = {image.width, image.height, 0};
    }
  }
  plan.width = info.width;
  plan.height = info.height;
  plan.fit = ComputeFit(plan.width, plan.height, settings.maxWidth, settings.maxHeight,
                        settings.interpolate);
  return plan;
}

std::optional<std::vector<uint8_t>> ScaleImageBytes(std::span<const uint8_t> bytes, ImageKind kind,
                                                    ImageKind targetKind,
                                                    const ScaleSettings& settings) {
  const ScalePlan plan = PlanScale(bytes, kind, settings);
  if (!plan.fit) return std::nullopt;
  return Scale(bytes, kind, targetKind, settings, plan);
}

std::optional<std::vector<uint8_t>> ScaleOrConvertImageBytes(std::span<const uint8_t> bytes,
                                                             ImageKind kind, ImageKind targetKind,
                                                             const ScaleSettings& settings) {
  const ScalePlan plan = PlanScale(bytes, kind, settings);
  if (!plan.fit && kind == targetKind) return std::nullopt;
  return Scale(bytes, kind, targetKind, settings, plan);
}

}  // namespace vemora::codec
