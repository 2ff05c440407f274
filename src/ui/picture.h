// Pictures for widgets, decoded by the codec layer from the bytes the catalogue holds.
#pragma once

#include <QImage>
#include <string_view>

#include "codec/image.h"

namespace vemora::ui {

QImage ToQImage(const codec::Image& image);

// Decodes bytes by their first byte ("B" bitmap, "I" TIFF, 0xFF JPEG); a null image for
// anything else or for bytes that do not decode. The single image and thumbnails use it.
QImage PictureFromBytes(std::string_view bytes);

// As PictureFromBytes, but a large JPEG is decoded at the smallest DCT scale that keeps at
// least minHeight rows: a camera picture shown in a panel needs no more, and decodes
// several times faster.
QImage PictureForDisplay(std::string_view bytes, int minHeight);

// As PictureFromBytes, and a first byte 0x00 is a Windows icon: grid cells know icons.
QImage GridCellPicture(std::string_view bytes);

}  // namespace vemora::ui
