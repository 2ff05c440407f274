#include "search/image_header_size.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <fstream>

#include "search/upper_case.h"

namespace vemora {
namespace {

enum class HeaderKind { Jpeg, Gif, Bitmap };

HeaderKind KindByEnding(const std::string& path) {
  const std::string upper = UpperCase(path);
  const auto endsWith = [&](std::string_view ending) { return upper.ends_with(ending); };
  if (endsWith(".JPG") || endsWith(".JPEG")) return HeaderKind::Jpeg;
  if (endsWith(".GIF")) return HeaderKind::Gif;
  return HeaderKind::Bitmap;
}

template <size_t N>
bool ReadExactly(std::ifstream& in, std::array<unsigned char, N>& bytes) {
  return static_cast<bool>(in.read(reinterpret_cast<char*>(bytes.data()), N));
}

int32_t BigEndian16(const unsigned char* p) { return (p[0] << 8) | p[1]; }
int32_t LittleEndian16(const unsigned char* p) { return p[0] | (p[1] << 8); }
int64_t LittleEndian32(const unsigned char* p) {
  return static_cast<int32_t>(uint32_t(p[0]) | (uint32_t(p[1]) << 8) | (uint32_t(p[2]) << 16) |
                              (uint32_t(p[3]) << 24));
}

std::optional<PixelSize> Valid(int64_t width, int64_t height) {
  if (width <= 0 || height <= 0 || width > INT32_MAX || height > INT32_MAX) return std::nullopt;
  return PixelSize{static_cast<int32_t>(width), static_cast<int32_t>(height)};
}

bool IsFrameHeader(unsigned char marker) {
  // SOF0-SOF15 without DHT (C4), JPG (C8) and DAC (CC).
  return marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
}

std::optional<PixelSize> JpegSize(std::ifstream& in) {
  std::array<unsigned char, 2> start{};
  if (!ReadExactly(in, start) || start[0] != 0xFF || start[1] != 0xD8) return std::nullopt;
  while (true) {
    int byte = in.get();
    if (byte != 0xFF) return std::nullopt;
    while (byte == 0xFF) byte = in.get();  // fill bytes
    if (byte == EOF) return std::nullopt;
    const auto marker = static_cast<unsigned char>(byte);
    if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7)) continue;  // no length
    if (marker == 0xD9 || marker == 0xDA) return std::nullopt;  // image data before a frame
    std::array<unsigned char, 2> length{};
    if (!ReadExactly(in, length) || BigEndian16(length.data()) < 2) return std::nullopt;
    if (IsFrameHeader(marker)) {
      std::array<unsigned char, 5> frame{};  // precision, height, width
      if (!ReadExactly(in, frame)) return std::nullopt;
      return Valid(BigEndian16(frame.data() + 3), BigEndian16(frame.data() + 1));
    }
    in.seekg(BigEndian16(length.data()) - 2, std::ios::cur);
  }
}

std::optional<PixelSize> GifSize(std::ifstream& in) {
  std::array<unsigned char, 10> header{};
  if (!ReadExactly(in, header)) return std::nullopt;
  if (!std::equal(header.begin(), header.begin() + 3, "GIF")) return std::nullopt;
  return Valid(LittleEndian16(header.data() + 6), LittleEndian16(header.data() + 8));
}

std::optional<PixelSize> BitmapSize(std::ifstream& in) {
  std::array<unsigned char, 26> header{};  // file header, info header size, width, height
  in.read(reinterpret_cast<char*>(header.data()), header.size());
  const auto got = in.gcount();
  if (got < 22 || header[0] != 'B' || header[1] != 'M') return std::nullopt;
  const int64_t infoSize = LittleEndian32(header.data() + 14);
  if (infoSize == 12) {  // OS/2 core header: 16-bit sizes
    return Valid(LittleEndian16(header.data() + 18), LittleEndian16(header.data() + 20));
  }
  if (infoSize < 16 || got < 26) return std::nullopt;  // OS/2 2.x headers start at 16
  // A negative height marks a top-down bitmap.
  return Valid(LittleEndian32(header.data() + 18), std::abs(LittleEndian32(header.data() + 22)));
}

}  // namespace

std::optional<PixelSize> ReadPixelSizeFromHeader(const std::string& path) {
  // A small buffer: the reader hops from segment to segment, and every hop refills it.
  char buffer[512];
  std::ifstream in;
  in.rdbuf()->pubsetbuf(buffer, sizeof buffer);
  in.open(path, std::ios::binary);
  if (!in) return std::nullopt;
  switch (KindByEnding(path)) {
    case HeaderKind::Jpeg:
      return JpegSize(in);
    case HeaderKind::Gif:
      return GifSize(in);
    case HeaderKind::Bitmap:
      return BitmapSize(in);
  }
  return std::nullopt;
}

}  // namespace vemora
