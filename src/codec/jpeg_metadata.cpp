#include "codec/jpeg_metadata.h"

#include <algorithm>
#include <map>
#include <string_view>

#include "codec/tiff_structure.h"

namespace vemora::codec {
namespace {

constexpr uint8_t kApp0 = 0xE0;
constexpr uint8_t kApp1 = 0xE1;
constexpr uint8_t kApp2 = 0xE2;
constexpr uint8_t kApp13 = 0xED;
constexpr size_t kMaxSegments = 1024;

constexpr std::string_view kExifHeader("Exif\0\0", 6);
constexpr std::string_view kXmpHeader("http://ns.adobe.com/xap/1.0/\0", 29);
constexpr std::string_view kIccHeader("ICC_PROFILE\0", 12);
constexpr std::string_view kPhotoshopHeader("Photoshop 3.0\0", 14);

// A segment's payload: the bytes after marker and length.
std::span<const uint8_t> Payload(const std::vector<uint8_t>& segment) {
  return std::span<const uint8_t>(segment).subspan(4);
}

bool StartsWith(std::span<const uint8_t> bytes, std::string_view prefix) {
  return bytes.size() >= prefix.size() &&
         std::equal(prefix.begin(), prefix.end(), bytes.begin(),
                    [](char a, uint8_t b) { return static_cast<uint8_t>(a) == b; });
}

std::span<const uint8_t> FindPayload(const JpegMetadata& metadata, uint8_t marker,
                                     std::string_view header) {
  for (const auto& segment : metadata.segments) {
    if (segment[1] != marker) continue;
    const auto payload = Payload(segment);
    if (StartsWith(payload, header)) return payload.subspan(header.size());
  }
  return {};
}

// Calls visit(marker, start, end) for each header segment; stops at the scan.
template <typename Visit>
size_t WalkSegments(std::span<const uint8_t> jpeg, Visit visit) {
  if (jpeg.size() < 4 || jpeg[0] != 0xFF || jpeg[1] != 0xD8) return 0;
  size_t position = 2;
  while (position + 4 <= jpeg.size() && jpeg[position] == 0xFF) {
    const uint8_t marker = jpeg[position + 1];
    if (marker == 0xDA || marker == 0xD9 || marker == 0xFF || marker == 0x00) break;
    const size_t length = static_cast<size_t>(jpeg[position + 2]) << 8 | jpeg[position + 3];
    if (length < 2 || position + 2 + length > jpeg.size()) break;
    if (!visit(marker, position, position + 2 + length)) break;
    position += 2 + length;
  }
  return position;
}

bool Keep(uint8_t marker, std::span<const uint8_t> payload) {
  if (marker == kApp1 || marker == kApp13) return true;
  return marker == kApp2 && StartsWith(payload, kIccHeader);
}

}  // namespace

std::span<const uint8_t> JpegMetadata::Exif() const {
  return FindPayload(*this, kApp1, kExifHeader);
}
std::span<const uint8_t> JpegMetadata::Xmp() const { return FindPayload(*this, kApp1, kXmpHeader); }
std::span<const uint8_t> JpegMetadata::PhotoshopResources() const {
  return FindPayload(*this, kApp13, kPhotoshopHeader);
}

std::vector<uint8_t> JpegMetadata::IccProfile() const {
  // Each chunk: header, its 1-based number, the count of chunks, then its part.
  std::map<int, std::span<const uint8_t>> chunks;
  int count = 0;
  for (const auto& segment : segments) {
    const auto payload = Payload(segment);
    if (segment[1] != kApp2 || payload.size() < kIccHeader.size() + 2) continue;
    const int number = payload[kIccHeader.size()];
    count = payload[kIccHeader.size() + 1];
    chunks[number] = payload.subspan(kIccHeader.size() + 2);
  }
  std::vector<uint8_t> profile;
  if (count == 0 || static_cast<int>(chunks.size()) != count) return profile;
  for (int number = 1; number <= count; ++number) {
    const auto found = chunks.find(number);
    if (found == chunks.end()) return {};
    profile.insert(profile.end(), found->second.begin(), found->second.end());
  }
  return profile;
}

JpegMetadata ExtractJpegMetadata(std::span<const uint8_t> jpeg) {
  JpegMetadata metadata;
  WalkSegments(jpeg, [&](uint8_t marker, size_t start, size_t end) {
    const auto segment = jpeg.subspan(start, end - start);
    if (Keep(marker, segment.subspan(4)))
      metadata.segments.emplace_back(segment.begin(), segment.end());
    return metadata.segments.size() < kMaxSegments;
  });
  return metadata;
}

std::vector<uint8_t> InsertJpegMetadata(std::span<const uint8_t> encoded,
                                        const JpegMetadata& metadata, int32_t width,
                                        int32_t height) {
  if (metadata.empty() || encoded.size() < 4) return {encoded.begin(), encoded.end()};
  // After the start-of-image marker and the encoder's own JFIF header.
  size_t insertAt = 2;
  WalkSegments(encoded, [&](uint8_t marker, size_t, size_t end) {
    if (marker != kApp0) return false;
    insertAt = end;
    return true;
  });
  std::vector<uint8_t> result(encoded.begin(), encoded.begin() + static_cast<ptrdiff_t>(insertAt));
  for (const auto& segment : metadata.segments) {
    const size_t start = result.size();
    result.insert(result.end(), segment.begin(), segment.end());
    const std::span<uint8_t> payload = std::span<uint8_t>(result).subspan(start + 4);
    if (segment[1] == kApp1 && StartsWith(payload, kExifHeader))
      SetExifPictureSize(payload.subspan(kExifHeader.size()), width, height);
  }
  result.insert(result.end(), encoded.begin() + static_cast<ptrdiff_t>(insertAt), encoded.end());
  return result;
}

}  // namespace vemora::codec
