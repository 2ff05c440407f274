#include "fileops/print_layout.h"

namespace vemora {
namespace {

constexpr int kLeft = 0, kRight = 1, kTop = 2, kBottom = 3;

}  // namespace

SingleImagePageLayout LayOutSingleImagePage(const SingleImagePageInput& input,
                                            const SingleImagePageLayout& previous) {
  const int32_t g = kCaptionGap;
  const int32_t w = input.image.width;
  const int32_t h = input.image.height;
  const auto& caption = input.captions;
  const int32_t left = caption[kLeft].width + g;
  const int32_t right = caption[kRight].width + g;
  const int32_t top = caption[kTop].height + g;
  const int32_t bottom = caption[kBottom].height + g;

  SingleImagePageLayout layout;
  layout.captions = previous.captions;
  layout.image = {left, top};

  // Down the left and right sides: top, middle or bottom of the picture. Integer division
  // rounds toward zero, as the halves must.
  const auto alongSide = [&](int side, int32_t fallback) {
    switch (input.alignments[side]) {
      case 0:
        return top;
      case 1:
        return h / 2 + top - g;
      case 2:
        return h + top - g;
      default:
        return fallback;
    }
  };
  // Along the top and bottom: left, centre or right edge of the picture.
  const auto alongEdge = [&](int side, int32_t fallback) {
    switch (input.alignments[side]) {
      case 0:
        return left;
      case 1:
        return (w - caption[side].width) / 2 + left;
      case 2:
        return w + left - caption[side].width;
      default:
        return fallback;
    }
  };
  layout.captions[kLeft] = {0, alongSide(kLeft, previous.captions[kLeft].top)};
  layout.captions[kRight] = {w + left + g, alongSide(kRight, previous.captions[kRight].top)};
  layout.captions[kTop] = {alongEdge(kTop, previous.captions[kTop].left), 0};
  layout.captions[kBottom] = {alongEdge(kBottom, previous.captions[kBottom].left), h + top + g};
  layout.panel = {w + left + right, h + top + bottom};
  layout.shrinkToPageWidth = layout.panel.width > kPrintablePageWidth;
  return layout;
}

}  // namespace vemora
