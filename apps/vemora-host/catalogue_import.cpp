#include "catalogue_import.h"

#include <algorithm>
#include <iostream>
#include <vector>

#include "catalogue/dispatcher.h"
#include "catalogue/result_set_guard.h"
#include "codec/preview.h"
#include "platform/file_io.h"
#include "platform/paths.h"

namespace vemora::demo {
namespace {

bool IsImageFile(const std::filesystem::path& file) {
  std::string extension = file.extension().string();
  std::transform(extension.begin(), extension.end(), extension.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return extension == ".jpg" || extension == ".jpeg" || extension == ".bmp" ||
         extension == ".tif" || extension == ".tiff";
}

}  // namespace

int32_t ImportFile(TDBGateway& gateway, const std::filesystem::path& file,
                   const std::string& description, const std::string& keywords) {
  CatalogueSession session;
  session.gateway = &gateway;
  TRecDSBilder record;
  record.Bild = platform::ReadWholeFile(file.string());
  record.VsBild = codec::MakePreviewJpeg(record.Bild);
  record.Name = file.stem().string();
  record.Beschreibung = description;
  record.Suchbegriffe = keywords;
  record.File = file.filename().string();
  record.Path = platform::WithTrailingSeparator(file.parent_path().string());
  TRecCmdMDB command;
  command.command = kCmdInsert;
  return RunCmdMDB(session, command, record);
}

int ImportFolder(TDBGateway& gateway, const std::filesystem::path& folder,
                 const std::filesystem::path& imageFolder) {
  std::vector<std::filesystem::path> files;
  for (const auto& entry : std::filesystem::directory_iterator(folder))
    if (entry.is_regular_file() && IsImageFile(entry.path())) files.push_back(entry.path());
  std::sort(files.begin(), files.end());
  int added = 0;
  for (const auto& file : files) {
    try {
      // The catalogue names a file within the image folder: the picture goes there too,
      // unless a file of that name is there already.
      const std::filesystem::path kept = imageFolder / file.filename();
      if (!std::filesystem::exists(kept)) std::filesystem::copy_file(file, kept);
      ImportFile(gateway, file);
      ++added;
    } catch (const std::exception& error) {
      std::cerr << "vemora-host: skipped " << file.string() << ": " << error.what() << '\n';
    }
  }
  return added;
}

int CountRows(TDBGateway& gateway) {
  ResultSetGuard rows(gateway.OpenSQL("SELECT BildCtr2 FROM Bilder", 0, 0));
  return std::max(0, rows->RecordCount());
}

}  // namespace vemora::demo
