// A JPEG's metadata carried into a TIFF this codec wrote: the Exif directory (with GPS and
// interoperability directories) and the camera's first-directory texts, the ICC profile,
// XMP and the Photoshop resources (IPTC) become TIFF tags.
//
// The TIFF keeps its pixels and strips where libtiff put them; a new first directory with
// the added tags is appended and the header points at it. Values of a big-endian Exif block
// are turned little-endian element by element; a maker note is copied as it is.
#pragma once

#include <cstdint>
#include <vector>

#include "codec/jpeg_metadata.h"

namespace vemora::codec {

// `tiff`: a little-endian TIFF with one directory. Returns it unchanged when there is
// nothing to add or it is not such a file. The Exif pixel dimensions become width x height.
std::vector<uint8_t> AddTiffMetadata(std::vector<uint8_t> tiff, const JpegMetadata& metadata,
                                     int32_t width, int32_t height);

}  // namespace vemora::codec
