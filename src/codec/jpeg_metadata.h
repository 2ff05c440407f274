// The metadata segments of a JPEG file, taken out and put into another JPEG: how a picture
// re-encoded by scaling or conversion keeps its camera data.
//
// Kept are APP1 (Exif and XMP), APP2 ICC profile chunks and APP13 (Photoshop resources with
// IPTC), byte for byte. Other APP2 segments (multi-picture indexes point into the old file)
// and everything else are left behind. The walk stops at the first scan or at the first
// damaged length, so hostile bytes cost no more than one pass over the headers.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace vemora::codec {

struct JpegMetadata {
  // Whole segments, marker included, in file order.
  std::vector<std::vector<uint8_t>> segments;
  bool empty() const { return segments.empty(); }

  // The TIFF-structured Exif block (after "Exif\0\0"), or empty.
  std::span<const uint8_t> Exif() const;
  // The XMP packet, or empty.
  std::span<const uint8_t> Xmp() const;
  // The Photoshop resource block (after "Photoshop 3.0\0"), or empty.
  std::span<const uint8_t> PhotoshopResources() const;
  // The ICC profile, its chunks put together in sequence order; empty when incomplete.
  std::vector<uint8_t> IccProfile() const;
};

// The metadata segments of a JPEG's header; none for anything that is not a JPEG.
JpegMetadata ExtractJpegMetadata(std::span<const uint8_t> jpeg);

// `encoded` (a JPEG this codec wrote) with the segments inserted after its JFIF header.
// The Exif pixel dimensions (and an Exif image width and height) become width x height.
std::vector<uint8_t> InsertJpegMetadata(std::span<const uint8_t> encoded,
                                        const JpegMetadata& metadata, int32_t width,
                                        int32_t height);

}  // namespace vemora::codec
