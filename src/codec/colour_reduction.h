// Colour reduction to the six colour formats of the scaling dialog.
//
// The codes are the dialog's list order. Grey formats come out as Gray8 with at most 2, 16
// or 256 distinct values; the 16- and 256-colour formats come out as Rgb24 with at most that
// many distinct colours; 24-bit colour is the picture unchanged (grey expanded to Rgb24).
// Two levels, 16 levels and the 16 colours are error-diffused (Floyd-Steinberg): without
// it they band badly. 256 colours come from a median-cut palette and are mapped to the
// nearest entry without dithering: the palette is close enough that dither only adds noise.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

#include "codec/image.h"

namespace vemora::codec {

enum class ColourFormat : uint8_t {
  BlackWhite = 0,
  Grey16 = 1,
  Grey256 = 2,
  Colours16 = 3,
  Colours256 = 4,
  TrueColour = 5,
};

inline constexpr std::array<std::string_view, 6> kColourFormatNames = {
    "schwarz/weiß", "16 Graustufen", "256 Graustufen", "16 Farben", "256 Farben", "16 Mio Farben"};

inline constexpr std::string_view ColourFormatName(ColourFormat format) {
  return kColourFormatNames[static_cast<size_t>(format)];
}

// The format of a code 0..5; nothing for any other number.
std::optional<ColourFormat> ColourFormatFromCode(int code);

// What a decoded picture is: Gray8 is 256 grey levels, Rgb24 is 24-bit colour.
ColourFormat ColourFormatOf(const Image& image);

// Throws CodecError for an empty picture.
Image ReduceColours(const Image& source, ColourFormat format);

}  // namespace vemora::codec
