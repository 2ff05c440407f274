// `vemora convert IN OUT`: re-encodes an image file as BMP, JPEG or TIFF.

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "codec/convert.h"
#include "codec/image_file.h"
#include "codec/image_kind.h"
#include "command.h"
#include "command_support.h"

namespace vemora::cli {
namespace {

constexpr const char* kHelp =
    "usage: vemora convert IN OUT\n"
    "\n"
    "Converts the image file IN (BMP, JPEG, TIFF, icon or GIF, known by its content) to\n"
    "the format OUT's extension names: .bmp (24 bits), .jpg or .jpeg (quality 75),\n"
    ".tif or .tiff (Deflate, lossless). When IN already has that format it is copied\n"
    "unchanged. A JPEG's Exif, XMP, IPTC and ICC data go with it into a JPEG or TIFF OUT.\n"
    "OUT is replaced only when the conversion succeeds.\n";

int RunConvert(const std::vector<std::string>& args) {
  if (const auto status = HandleUsage(args, 2, kHelp)) return *status;
  const std::string& in = args[0];
  const std::string& out = args[1];
  const codec::ImageKind target = KindByExtension(out);
  if (target == codec::ImageKind::Unknown) {
    return Fail("convert", out, "unknown target format (use .bmp, .jpg, .jpeg, .tif or .tiff)");
  }
  try {
    const codec::MappedFile file(in);
    const std::span<const uint8_t> bytes = file.bytes();
    const codec::ImageKind source = codec::SniffImageKind(bytes);
    if (source == codec::ImageKind::Unknown)
      return Fail("convert", in, "not an image format we read");
    std::vector<uint8_t> result;
    try {
      result = codec::ConvertImage(bytes, source, target);
    } catch (const codec::CodecError& error) {
      return Fail("convert", in, error.what());
    }
    codec::WriteFileAtomically(out, result);
  } catch (const codec::CodecError& error) {
    // File errors name their file already.
    std::fprintf(stderr, "vemora convert: %s\n", error.what());
    return 1;
  }
  return 0;
}

const CommandRegistration kRegistration{
    "convert", "IN OUT", "convert an image file to the format of OUT's extension (bmp, jpg, tif)",
    &RunConvert};

}  // namespace
}  // namespace vemora::cli
