// The page of "Einzelbild drucken": the picture at its natural size with its four captions
// around it, placed in pixels. A pure function, so the window only measures the captions in
// their fonts and draws what this places.
#pragma once

#include <array>
#include <cstdint>

namespace vemora {

struct PagePoint {
  int32_t left = 0;
  int32_t top = 0;
  bool operator==(const PagePoint&) const = default;
};

struct PageSize {
  int32_t width = 0;
  int32_t height = 0;
  bool operator==(const PageSize&) const = default;
};

// Sides in the order of CaptionSide (settings/option_values.h): left, right, top, bottom.
struct SingleImagePageInput {
  PageSize image;
  std::array<PageSize, 4> captions;   // an unprinted caption measures its empty text
  std::array<int32_t, 4> alignments;  // ALEFT, ARIGHT, ATOP, ABOTTOM: 0, 1 or 2
};

struct SingleImagePageLayout {
  PageSize panel;
  PagePoint image;
  std::array<PagePoint, 4> captions;
  bool shrinkToPageWidth = false;
  bool operator==(const SingleImagePageLayout&) const = default;
};

// Gap between the picture and each caption, in pixels.
inline constexpr int32_t kCaptionGap = 10;
// A panel wider than this is shrunk to the page width.
inline constexpr int32_t kPrintablePageWidth = 684;

// Places picture and captions. A caption whose alignment is not 0, 1 or 2 keeps its
// position along its side from `previous` (the last print's page).
SingleImagePageLayout LayOutSingleImagePage(const SingleImagePageInput& input,
                                            const SingleImagePageLayout& previous = {});

}  // namespace vemora
