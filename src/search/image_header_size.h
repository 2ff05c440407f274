// The pixel size of an image file read from its header alone, for the search's size test.
//
// The reader is chosen by the path's ending as the catalogue names its files: ".JPG" and
// ".JPEG" (any case) are read as JPEG (the frame header), ".GIF" as GIF (the logical screen),
// every other ending as a bitmap (the info header). Only the bytes up to the size are read,
// seeking past everything else, so a camera file costs a few small reads. A file cut off
// after its size fields still reports that size, as a tolerant decoder would show the
// picture; a file cut off before them, or of another format, has no size.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace vemora {

struct PixelSize {
  int32_t width = -1;
  int32_t height = -1;
};

std::optional<PixelSize> ReadPixelSizeFromHeader(const std::string& path);

}  // namespace vemora
