// `vemora preview IN OUT`: writes the JPEG preview the catalogue would store for IN.

#include <cstdio>
#include <string>
#include <vector>

#include "codec/image_file.h"
#include "codec/image_kind.h"
#include "codec/preview.h"
#include "command.h"
#include "command_support.h"

namespace vemora::cli {
namespace {

constexpr const char* kHelp =
    "usage: vemora preview IN OUT\n"
    "\n"
    "Writes to OUT the JPEG preview the catalogue stores for the image file IN: 100 pixels\n"
    "high, the width in proportion. Like the catalogue, it knows IN by its first byte:\n"
    "'B' a bitmap, 'I' a TIFF, 0xFF a JPEG.\n";

int RunPreview(const std::vector<std::string>& args) {
  if (const auto status = HandleUsage(args, 2, kHelp)) return *status;
  const std::string& in = args[0];
  const std::string& out = args[1];
  try {
    const codec::MappedFile file(in);
    const std::span<const uint8_t> bytes = file.bytes();
    const std::string preview = codec::MakePreviewJpeg(
        std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
    if (preview.empty()) {
      std::fprintf(stderr,
                   "vemora preview: %s: not an image the catalogue knows (it must start with "
                   "'B', 'I' or 0xFF)\n",
                   in.c_str());
      return 1;
    }
    codec::WriteFileAtomically(out, codec::AsBytes(preview));
  } catch (const codec::CodecError& error) {
    const std::string message = error.what();
    // Decoder messages do not know the file; file errors already name theirs.
    const bool named = message.rfind(in + ":", 0) == 0 || message.rfind(out + ":", 0) == 0;
    std::fprintf(stderr, "vemora preview: %s%s\n", named ? "" : (in + ": ").c_str(),
                 message.c_str());
    return 1;
  }
  return 0;
}

const CommandRegistration kRegistration{
    "preview", "IN OUT", "write the catalogue's JPEG preview of IN to OUT", &RunPreview};

}  // namespace
}  // namespace vemora::cli
