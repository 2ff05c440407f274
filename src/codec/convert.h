// Turning image bytes of one format into another: the export's and the conversion
// commands' stream conversion, and its building blocks.
//
// A conversion always decodes the source first, so damaged bytes fail even where the
// result would be a plain copy. When source and target format agree (or the target is
// "unchanged") the source bytes are copied as they are; otherwise the decoded picture is
// encoded with the target encoder's default settings.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "codec/image.h"
#include "codec/image_kind.h"

namespace vemora::codec {

// Encodes with the default settings of the format: BMP 24 bits, JPEG quality 75, TIFF
// Deflate. Throws CodecError for a kind there is no encoder for.
std::vector<uint8_t> EncodeImage(const Image& image, ImageKind kind);

// Decodes source as sourceKind, then copies it (same kind) or encodes it as targetKind,
// keeping a JPEG source's metadata where the target carries it (metadata_carry.h).
std::vector<uint8_t> ConvertImage(std::span<const uint8_t> source, ImageKind sourceKind,
                                  ImageKind targetKind);

// The catalogue's conversion of stored bytes: the source kind by its first byte ("B", "I",
// 0xFF); no target means the source's own kind. A source of any other first byte leaves
// destination as it was. Decoding or encoding failures throw CodecError.
void ConvertStoredImage(std::optional<ImageKind> target, std::string_view source,
                        std::string& destination);

// The same with the numeric target codes the export hands over: 1 unchanged, 2 BMP,
// 3 JPEG, 4 TIFF. Any other code still decodes the source and leaves destination alone.
// The result is always 0.
int ConvertImageStream(int targetCode, std::string_view source, std::string& destination);

}  // namespace vemora::codec
