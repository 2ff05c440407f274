// What the EXIF dialog shows for one image file: the German summary of the camera data and
// the full list of every tag the metadata reader found.
//
// The reader is run once per file with every list built; the report owns plain UTF-8 texts
// and keeps nothing of the reader.
#pragma once

#include <string>
#include <vector>

namespace vemora {

namespace metadata {
class TimgData;
}

struct MetadataTag {
  std::string group;  // "EXIF", "GPS", "Hersteller", "IPTC", "JPEG", "Kommentar"
  std::string name;
  std::string value;
};

struct ExifReport {
  // Empty when the file has no Exif data at all; two lines naming the reader's error when
  // it refused the data; else the summary lines.
  std::vector<std::string> summary;
  std::vector<MetadataTag> tags;
};

ExifReport ReadExifReport(const std::string& path);

// The summary of a file the reader has processed; `fileName` is the name without folder.
std::vector<std::string> ExifSummaryLines(const metadata::TimgData& data,
                                          const std::string& fileName);

// Every tag in reading order: the Exif/TIFF list (main, GPS, maker note), the IPTC list,
// then the comment section.
std::vector<MetadataTag> AllMetadataTags(const metadata::TimgData& data);

}  // namespace vemora
