// Decoding a catalogue row's stored image for the window, without letting a damaged one
// escape as an exception.
//
// The window paints whatever this returns: a picture, nothing (bytes of no kind the
// catalogue knows), or the German text of why the bytes cannot be read, which it shows in
// place of the picture. The result owns its pixels.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "codec/image.h"

namespace vemora {

// "Das Bild konnte nicht gelesen werden: " + detail: what the user sees for a damaged image.
std::string UnreadableImageText(std::string_view detail);

struct StoredPicture {
  codec::Image image;  // empty when there is nothing to show
  std::string error;   // UnreadableImageText(...) when the bytes are damaged, "" otherwise
};

// Decodes by the first byte ("B", "I", 0xFF). A JPEG decodes at the smallest DCT scale
// that is still at least minHeight rows high (full size for minHeight <= 0).
StoredPicture DecodeStoredPicture(std::string_view bytes, int32_t minHeight = 0) noexcept;

}  // namespace vemora
