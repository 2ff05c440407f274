// Adding image files to the catalogue: from the picture file dialog ("Hinzufügen") or
// dropped onto the window. Each file becomes a grid record and a row of Bilder, with its
// preview.
//
// The grid never shows a row the catalogue does not hold: when the insert of a new row
// fails, the record appended for it is removed again before the error goes on.
#pragma once

#include <chrono>
#include <cstdint>
#include <deque>
#include <future>
#include <string>
#include <vector>

#include "catalogue/catalogue_dialogs.h"
#include "catalogue/catalogue_session.h"
#include "catalogue/grid_record.h"
#include "catalogue/size_text.h"

namespace vemora {

// A file read and its preview built: the part of adding that needs neither the grid nor
// the catalogue, so it can run ahead of the inserts on another core.
struct PreparedImage {
  std::string path;
  std::string bytes;
  std::string preview;
};

// Throws when the file cannot be read or its picture cannot be decoded.
PreparedImage PrepareImageFile(const platform::FileSystem& files, const std::string& path);

// Appends the record, inserts the row and focuses the record; returns its index.
int AppendImage(CatalogueSession& session, CatalogueGrid& grid, PreparedImage image);

// Adds one file and focuses its record; returns the record's index. Throws when the file
// cannot be read or decoded, or the insert fails.
int AddImageFile(CatalogueSession& session, CatalogueGrid& grid, const std::string& path);

// Prepares files in their order, a few ahead of the one asked for, on worker threads:
// decoding previews is most of the work of adding, and it keeps every core busy while
// the window thread inserts.
class ImagePrefetcher {
 public:
  ImagePrefetcher(const platform::FileSystem& files, std::vector<std::string> paths);
  // The next file, prepared; rethrows that file's error. Call once per path.
  PreparedImage Next();

 private:
  void Refill();

  const platform::FileSystem& files_;
  std::vector<std::string> paths_;
  size_t nextToStart_ = 0;
  size_t ahead_;
  std::deque<std::future<PreparedImage>> pending_;
};

// "Hinzufügen": asks for files, adds them one by one behind the adding window; a file that
// fails shows "Unbekanntes Dateiformat" and the next one is tried. Focuses the last record.
// Returns how many were added.
int AddImagesFromDialog(CatalogueSession& session, CatalogueGrid& grid, CatalogueDialogs& dialogs);

// Files dropped onto the window, in the order given. The first failure ends the drop and
// passes on; the files before it stay added. Returns how many were added.
int AddDroppedFiles(CatalogueSession& session, CatalogueGrid& grid, CatalogueDialogs& dialogs,
                    const std::vector<std::string>& paths);

// The adding window's times: "1,5 Sekunden " for the last file (minutes and hours
// dropped), "2 Minuten 3,40 Sekunden" since the first (hours dropped).
std::string FileDurationText(std::chrono::milliseconds duration);
std::string ElapsedText(std::chrono::milliseconds elapsed);

}  // namespace vemora
