// The two places where catalogue commands hand image bytes to the codec layer.
#pragma once

#include <string>
#include <string_view>

namespace vemora {

// The stored preview of an image: JPEG bytes 100 pixels high, or "" when the bytes are of
// no recognised kind.
std::string MakePreviewBytes(std::string_view imageBytes);

// Converts image bytes for the conversion command. Target codes: 1 unchanged, 2 BMP,
// 3 JPEG, 4 TIFF. Leaves destination as it was for bytes of no recognised kind.
void ConvertStoredImage(int targetCode, std::string_view source, std::string& destination);

}  // namespace vemora
