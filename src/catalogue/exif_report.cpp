#include "catalogue/exif_report.h"

#include "metadata/format_number.h"
#include "metadata/img_data.h"
#include "platform/paths.h"

namespace vemora {
namespace {

using metadata::ToUtf8Text;

std::string GroupOf(int table) {
  switch (table) {
    case metadata::kTableMain:
      return "EXIF";
    case metadata::kTableGps:
      return "GPS";
    case metadata::kTableIptc:
      return "IPTC";
    default:
      return "Hersteller";
  }
}

void AppendTags(const std::vector<metadata::TTagEntry>& entries, std::vector<MetadataTag>& out) {
  for (const metadata::TTagEntry& entry : entries) {
    if (metadata::IsSkipName(entry.Name)) continue;
    out.push_back({GroupOf(entry.TID), std::string(entry.Name), ToUtf8Text(entry.Data)});
  }
}

}  // namespace

std::vector<std::string> ExifSummaryLines(const metadata::TimgData& data,
                                          const std::string& fileName) {
  const metadata::TImageInfo* info = data.ImageInfo.get();
  const bool failed = data.ErrStr != "<none>";
  // An APP1 section that held no readable directory gives an info without tags: as good as
  // no Exif data, unless the reader said why.
  if (info == nullptr || (info->Tags.empty() && !failed)) return {};
  if (failed) {
    return {"File Name: " + fileName, "Exif Error: " + data.ErrStr};
  }
  std::vector<std::string> lines = {
      "Dateiname : " + fileName,
      "Kamera : " + ToUtf8Text(info->CameraMake) + " (" + ToUtf8Text(info->CameraModel) + ")",
      "Foto Datum : " + ToUtf8Text(info->DateTime)};
  const auto addWhenPresent = [&](const char* label, const char* tag) {
    const std::string value = ToUtf8Text(info->LookupTagText(tag));
    if (value.empty()) return false;
    lines.push_back(label + value);
    return true;
  };
  if (!addWhenPresent("Auslösezeit : ", "ExposureTime")) {
    addWhenPresent("Verschlusszeit : ", "ShutterSpeedValue");
  }
  addWhenPresent("Brennweite : ", "FocalLength");
  addWhenPresent("Brennweite (35mm) : ", "FocalLengthIn35mmFilm");
  addWhenPresent("Blende : ", "FNumber");
  addWhenPresent("ISO : ", "ISOSpeedRatings");
  lines.push_back(std::string("Blitz : ") + ((info->FlashUsed & 1) != 0 ? "JA" : "NEIN"));
  return lines;
}

std::vector<MetadataTag> AllMetadataTags(const metadata::TimgData& data) {
  std::vector<MetadataTag> tags;
  if (data.ImageInfo) AppendTags(data.ImageInfo->Tags, tags);
  if (data.IptcData) AppendTags(data.IptcData->Tags, tags);
  if (const std::string comment = data.Comment(); !comment.empty()) {
    tags.push_back({"Kommentar", "Comment", ToUtf8Text(comment)});
  }
  return tags;
}

ExifReport ReadExifReport(const std::string& path) {
  metadata::TimgData data;
  data.BuildList = 255;
  data.ProcessFile(path);
  return {ExifSummaryLines(data, platform::FileNamePart(path)), AllMetadataTags(data)};
}

}  // namespace vemora
