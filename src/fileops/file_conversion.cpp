#include "fileops/file_conversion.h"

#include <stdexcept>

#include "codec/bmp.h"
#include "codec/image_kind.h"
#include "codec/jpeg.h"
#include "fileops/file_menu.h"

namespace vemora {

int ConvertFocusedFile(CatalogueGrid& grid, Prompter& prompter, FileTarget target,
                       const platform::FileSystem& files) {
  if (grid.Focused() == nullptr) return -1;
  const int index = grid.focused;
  const std::string source = grid.Focused()->filePath.value_or("");
  const bool toBmp = target == FileTarget::Bmp;
  const std::string destination = WithFileExtension(source, toBmp ? ".bmp" : ".jpg");

  const std::string bytes = files.ReadWholeFile(source);
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
  files.WriteWholeFile(destination, std::string(converted.begin(), converted.end()));

  grid.Update(index, [&](GridRecord& record) { record.filePath = destination; });
  prompter.ShowMessage(source + " wurde zu " + destination + " konvertiert.");
  return index;
}

}  // namespace vemora
