#include "codec/budget.h"

#include "codec/image.h"

namespace vemora::codec {

void CheckPictureBudget(const char* format, int64_t width, int64_t height, size_t inputBytes,
                        int64_t pixelsPerByte) {
  const std::string size = std::to_string(width) + " x " + std::to_string(height) + " pixels";
  if (width <= 0 || height <= 0) throw CodecError(std::string(format) + ": no picture size");
  // Each side is checked first so that the product cannot overflow.
  if (width > kMaxPixels || height > kMaxPixels || width * height > kMaxPixels)
    throw CodecError(std::string(format) + ": picture of " + size + " is too large");
  const auto bytes = static_cast<int64_t>(inputBytes);
  if (width * height > bytes * pixelsPerByte + kPixelAllowance ||
      width * height > kLargePictureFloor + bytes * kLargePicturePixelsPerByte)
    throw CodecError(std::string(format) + ": file too small for a picture of " + size);
}

}  // namespace vemora::codec
