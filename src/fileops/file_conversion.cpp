#include "fileops/file_conversion.h"

#include <stdexcept>

#include "codec/bmp.h"
#include "codec/image_kind.h"
#include "codec/jpeg.h"
#include "fileops/file_menu.h"
#include "platform/file_io.h"

namespace vemora {

int ConvertFocusedFile(CatalogueGrid& grid, Prompter& prompter, FileTarget target) {
  if (grid.Focused() == nullptr) return -1;
  GridRecord& record = grid.records[static_cast<size_t>(grid.focused)];
  const std::string source = record.filePath.value_or("");
  const bool toBmp = target == FileTarget::Bmp;
  const std::string destination = WithFileExtension(source, toBmp ? ".bmp" : ".jpg");

  const std::string bytes = platform::ReadWholeFile(source);
  std::vector<uint8_t> converted;
  try {
    const auto span = codec::AsBytes(bytes);
    // Both encoders take the decoded picture as 24-bit colour (or grey) as it is.
    converted = toBmp ? codec::EncodeBmp(codec::DecodeJpeg(span))
                      : codec::EncodeJpeg(codec::DecodeBmp(span));
  } catch (const codec::CodecError& error) {
    throw std::runtime_error("Die Datei " + source + " kann nicht als " +
                             (toBmp ? "JPEG" : "Bitmap") + " gelesen werden. " + error.what());
  }
  platform::WriteWholeFile(destination, std::string(converted.begin(), converted.end()));

  record.filePath = destination;
  prompter.ShowMessage(source + " wurde zu " + destination + " konvertiert.");
  return grid.focused;
}

}  // namespace vemora
