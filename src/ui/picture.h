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

// As PictureFromBytes, and a first byte 0x00 is a Windows icon: grid cells know icons.
QImage GridCellPicture(std::string_view bytes);

}  // namespace vemora::ui
