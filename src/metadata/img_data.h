// TimgData: the metadata of one image file - its JPEG sections, the EXIF/TIFF directories
// (TImageInfo) and the IPTC datasets (TIPTCdata) - read by ProcessFile.
//
// A TimgData is reused from file to file: ProcessFile resets everything first. It owns the
// section bytes and both readers; the readers point back to it for the options and ErrStr.
//
// Typical use:
//   TimgData data;
//   if (data.ProcessFile(path) && data.ImageInfo) use(data.ImageInfo->CameraModel);
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "metadata/end_ind.h"
#include "metadata/image_info.h"
#include "metadata/iptc_data.h"

namespace vemora::metadata {

struct TSection {
  int Marker = 0;
  int Size = 0;  // the length field as stored: counts its own two bytes
  // The two length bytes followed by the section's data. The Exif section keeps only its
  // length bytes here: its data are held once, by TimgData::ImageInfo (llData).
  std::string Data;
};

enum class TFileKind { kJpeg, kTiff };

class TimgData : public tEndInd {
 public:
  static constexpr int kMaxSections = 20;
  static constexpr std::int64_t kMaxTiffBytes = 256000;

  TimgData() = default;
  // The readers point back to their TimgData, so it stays where it was made.
  TimgData(const TimgData&) = delete;
  TimgData& operator=(const TimgData&) = delete;

  // Options. BuildList: 0 header fields only, 2 formatted strings, 4 the tag list,
  // 255 everything.
  int BuildList = 255;
  int TraceLevel = 0;
  bool DecodeValues = true;
  bool Estimate35mm = false;  // guess the 35 mm focal length when the sensor size is unknown

  std::string Filename;
  std::filesystem::file_time_type FileDateTime{};
  std::uintmax_t FileSize = 0;

  std::vector<TSection> Sections;
  int ExifSection = -1;  // indices into Sections, -1 when absent
  int IptcSection = -1;
  int CommentSection = -1;
  int JfifSection = -1;

  std::unique_ptr<TImageInfo> ImageInfo;
  std::unique_ptr<TIPTCdata> IptcData;
  bool TiffFmt = false;
  std::string ErrStr;

  // Reads the metadata of a file, choosing the JPEG or TIFF path by its extension.
  bool ProcessFile(const std::string& fileName);
  // The same on bytes in memory (for callers that already hold the file).
  bool ProcessBytes(std::string_view bytes, TFileKind kind);

  // An Exif, comment or IPTC section was found (or, for a TIFF file, its directories).
  bool HasMetaData() const;
  // The text of the comment section, or "".
  std::string Comment() const;

  void Reset();

 private:
  class Source;
  bool ReadJpegSections(Source& source);
  bool ReadTiff(Source& source);
};

// Accepted extensions, compared in lower case: the JPEG path or the TIFF path; false otherwise.
bool IsJpegExtension(const std::filesystem::path& path);
bool IsTiffExtension(const std::filesystem::path& path);

// Whether the main window should offer its EXIF button for this file: the file reads as
// EXIF/TIFF metadata (or a comment or IPTC section) without building any tag list. Never
// throws: an unreadable or damaged file has no metadata.
bool HasMetaData(const std::string& path) noexcept;

}  // namespace vemora::metadata
