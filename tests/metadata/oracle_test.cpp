// Every camera file of the shared test data, read by us and compared with exiftool's numeric
// (-n) reading of the same file: header fields, the main EXIF and GPS values, IPTC and a few
// values from each maker layout. Values are compared, never display texts.
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <map>
#include <set>
#include <sstream>

#include "metadata/format_number.h"
#include "metadata/img_data.h"
#include "metadata/mini_json.h"
#include "support/testdata.h"

namespace vemora::metadata {
namespace {

using testing::JsonValue;

// Files whose reading differs from exiftool's on purpose, with the reason.
const std::map<std::string, std::string> kByDesign = {
    {"nomake/no_exif_xp_iptc.jpg", "an XMP APP1 comes first: only the first APP1 is read"},
};

struct IndexRow {
  std::string path;
  std::map<std::string, std::string> fields;
};

std::vector<IndexRow> ReadIndex() {
  std::vector<IndexRow> rows;
  std::ifstream in(vemora::testing::TestDataDir() / "images" / "exif" / "INDEX.tsv");
  std::string line;
  std::vector<std::string> header;
  while (std::getline(in, line)) {
    std::vector<std::string> cells;
    std::stringstream stream(line);
    std::string cell;
    while (std::getline(stream, cell, '\t')) cells.push_back(cell);
    if (header.empty()) {
      header = cells;
      continue;
    }
    IndexRow row;
    for (std::size_t i = 0; i < cells.size() && i < header.size(); ++i)
      row.fields[header[i]] = cells[i];
    row.path = row.fields["path"];
    rows.push_back(std::move(row));
  }
  return rows;
}

JsonValue ReadOracle(const std::string& path) {
  std::ifstream in(vemora::testing::TestDataDir() / "oracle" / "exiftool" / (path + ".num.json"),
                   std::ios::binary);
  std::stringstream buffer;
  buffer << in.rdbuf();
  const JsonValue all = testing::ParseJson(buffer.str());
  return all.items.empty() ? JsonValue{} : all.items.front();
}

const TTagEntry* FindTag(const TImageInfo& info, int table, std::string_view name) {
  for (const TTagEntry& tag : info.Tags) {
    if (tag.TID == table && tag.Name == name) return &tag;
  }
  return nullptr;
}

double Number(const TImageInfo& info, const TTagEntry& tag, std::size_t index = 0) {
  return ElementValue(tag.Raw, tag.TType, index, info.EntryMotorola(tag));
}

// exiftool writes multi-value numbers as one string of blank-separated numbers.
double OracleNumber(const JsonValue& value, std::size_t index = 0) {
  if (value.kind == JsonValue::Kind::kNumber) return value.number;
  if (value.kind == JsonValue::Kind::kArray) {
    return index < value.items.size() ? OracleNumber(value.items[index]) : 0;
  }
  std::stringstream tokens(value.text);
  std::string token;
  for (std::size_t i = 0; tokens >> token; ++i) {
    if (i == index) return std::strtod(token.c_str(), nullptr);
  }
  return 0;
}

std::string OracleText(const JsonValue& value) {
  if (value.kind == JsonValue::Kind::kArray) {
    std::string joined;
    for (const JsonValue& item : value.items) {
      if (!joined.empty()) joined += ',';
      joined += OracleText(item);
    }
    return joined;
  }
  return value.text;
}

std::string FirstText(const JsonValue& oracle, std::initializer_list<std::string_view> keys) {
  for (const auto key : keys) {
    if (const JsonValue* value = oracle.Find(key)) return Trim(OracleText(*value));
  }
  return {};
}

bool Near(double ours, double theirs) {
  return std::fabs(ours - theirs) <= 1e-4 * std::max(1.0, std::fabs(theirs));
}

class OracleComparison {
 public:
  OracleComparison(const std::string& path, const TImageInfo& info, const JsonValue& oracle)
      : path_(path), info_(info), oracle_(oracle) {}

  // A main-table value exiftool reports must be present here with the same numeric value.
  void Required(int table, std::string_view ours, std::string_view theirs) {
    const JsonValue* expected = oracle_.Find(theirs);
    if (expected == nullptr) return;
    const TTagEntry* tag = FindTag(info_, table, ours);
    ++compared_;
    if (tag == nullptr) {
      ADD_FAILURE() << path_ << ": missing " << ours << " (exiftool " << theirs << ")";
      return;
    }
    EXPECT_PRED2(Near, Number(info_, *tag), OracleNumber(*expected)) << path_ << ": " << ours;
  }

  // A maker-note element compared wherever both readings have it.
  void Element(int table, std::string_view ours, std::size_t index, std::string_view theirs) {
    const JsonValue* expected = oracle_.Find(theirs);
    const TTagEntry* tag = FindTag(info_, table, ours);
    if (expected == nullptr || tag == nullptr || index >= ElementCount(tag->Raw, tag->TType))
      return;
    ++compared_;
    const std::size_t theirIndex = expected->kind == JsonValue::Kind::kString ? index : 0;
    EXPECT_PRED2(Near, Number(info_, *tag, index), OracleNumber(*expected, theirIndex))
        << path_ << ": " << ours << "[" << index << "] vs " << theirs;
  }

  void Text(int table, std::string_view ours, std::string_view theirs) {
    const JsonValue* expected = oracle_.Find(theirs);
    const TTagEntry* tag = FindTag(info_, table, ours);
    if (expected == nullptr || tag == nullptr) return;
    ++compared_;
    EXPECT_EQ(Trim(UntilZero(tag->Raw)), Trim(OracleText(*expected))) << path_ << ": " << ours;
  }

  int compared() const { return compared_; }

 private:
  const std::string& path_;
  const TImageInfo& info_;
  const JsonValue& oracle_;
  int compared_ = 0;
};

void CompareHeader(const std::string& path, const TImageInfo& info, const JsonValue& oracle) {
  EXPECT_EQ(Trim(info.CameraMake), FirstText(oracle, {"IFD0:Make"})) << path;
  EXPECT_EQ(Trim(info.CameraModel), FirstText(oracle, {"IFD0:Model"})) << path;
  // An EXIF original date is read after the IFD0 date and replaces it.
  // Dates are kept to 20 characters.
  EXPECT_EQ(Trim(info.DateTime),
            Trim(FirstText(oracle, {"ExifIFD:DateTimeOriginal", "IFD0:ModifyDate"}).substr(0, 20)))
      << path;
  const auto number = [&](std::initializer_list<std::string_view> keys) {
    for (const auto key : keys) {
      if (const JsonValue* value = oracle.Find(key)) return static_cast<int>(OracleNumber(*value));
    }
    return 0;
  };
  EXPECT_EQ(info.Width, number({"ExifIFD:ExifImageWidth", "SubIFD:ImageWidth", "IFD0:ImageWidth"}))
      << path;
  EXPECT_EQ(info.Height,
            number({"ExifIFD:ExifImageHeight", "SubIFD:ImageHeight", "IFD0:ImageHeight"}))
      << path;
  EXPECT_EQ(info.FlashUsed, number({"ExifIFD:Flash"})) << path;
}

void CompareMainTags(OracleComparison& compare, const TImageInfo& info, const JsonValue& oracle,
                     const std::string& path) {
  compare.Required(kTableMain, "ExposureTime", "ExifIFD:ExposureTime");
  compare.Required(kTableMain, "FNumber", "ExifIFD:FNumber");
  compare.Required(kTableMain, "FocalLength", "ExifIFD:FocalLength");
  compare.Required(kTableMain, "ISOSpeedRatings", "ExifIFD:ISO");
  compare.Required(kTableMain, "Orientation", "IFD0:Orientation");
  compare.Required(kTableMain, "XResolution", "IFD0:XResolution");
  compare.Required(kTableMain, "YResolution", "IFD0:YResolution");
  compare.Required(kTableMain, "ResolutionUnit", "IFD0:ResolutionUnit");
  compare.Required(kTableMain, "ExposureProgram", "ExifIFD:ExposureProgram");
  compare.Required(kTableMain, "MeteringMode", "ExifIFD:MeteringMode");
  compare.Required(kTableMain, "ColorSpace", "ExifIFD:ColorSpace");
  compare.Required(kTableMain, "FocalPlaneXResolution", "ExifIFD:FocalPlaneXResolution");
  compare.Required(kTableMain, "FocalLengthin35mmFilm", "ExifIFD:FocalLengthIn35mmFormat");
  compare.Required(kTableMain, "ExposureMode", "ExifIFD:ExposureMode");
  compare.Required(kTableMain, "SceneCaptureType", "ExifIFD:SceneCaptureType");
  compare.Required(kTableGps, "GPSAltitude", "GPS:GPSAltitude");
  compare.Text(kTableMain, "Software", "IFD0:Software");
  compare.Text(kTableGps, "GPSLatitudeRef", "GPS:GPSLatitudeRef");

  // exiftool -n gives the APEX shutter speed as seconds and coordinates as decimal degrees.
  if (const JsonValue* expected = oracle.Find("ExifIFD:ShutterSpeedValue")) {
    const TTagEntry* tag = FindTag(info, kTableMain, "ShutterSpeedValue");
    ASSERT_NE(tag, nullptr) << path;
    EXPECT_NEAR(std::pow(2.0, -Number(info, *tag)), OracleNumber(*expected),
                1e-4 * OracleNumber(*expected))
        << path;
  }
  for (const auto& [ours, theirs] : {std::pair{"GPSLatitude", "GPS:GPSLatitude"},
                                     std::pair{"GPSLongitude", "GPS:GPSLongitude"}}) {
    const JsonValue* expected = oracle.Find(theirs);
    if (expected == nullptr) continue;
    const TTagEntry* tag = FindTag(info, kTableGps, ours);
    ASSERT_NE(tag, nullptr) << path << ": " << ours;
    const double degrees =
        Number(info, *tag, 0) + Number(info, *tag, 1) / 60 + Number(info, *tag, 2) / 3600;
    EXPECT_NEAR(degrees, OracleNumber(*expected), 1e-6) << path << ": " << ours;
  }
}

void CompareMakerNotes(OracleComparison& compare) {
  // Canon packs its settings into arrays; the positions are the camera's own.
  compare.Element(kTableCanon, "ExposureInfo1", 1, "Canon:MacroMode");
  compare.Element(kTableCanon, "ExposureInfo1", 2, "Canon:SelfTimer");
  compare.Element(kTableCanon, "ExposureInfo1", 4, "Canon:CanonFlashMode");
  compare.Element(kTableCanon, "ExposureInfo1", 5, "Canon:ContinuousDrive");
  compare.Element(kTableCanon, "ExposureInfo1", 7, "Canon:FocusMode");
  compare.Element(kTableCanon, "ExposureInfo1", 11, "Canon:EasyMode");
  compare.Element(kTableCanon, "ExposureInfo2", 7, "Canon:WhiteBalance");
  compare.Element(kTableCanon, "ExposureInfo2", 9, "Canon:SequenceNumber");
  compare.Text(kTableCanon, "ImageType", "Canon:CanonImageType");
  compare.Text(kTableCanon, "FirmwareVersion", "Canon:CanonFirmwareVersion");
  compare.Text(kTableCanon, "OwnerName", "Canon:OwnerName");

  compare.Element(kTableNikon1, "Quality", 0, "Nikon:Quality");
  compare.Element(kTableNikon1, "WhiteBalance", 0, "Nikon:WhiteBalance");
  compare.Text(kTableNikon2, "Quality", "Nikon:Quality");
  compare.Text(kTableNikon2, "WhiteBalance", "Nikon:WhiteBalance");
  compare.Text(kTableNikon2, "FocusMode", "Nikon:FocusMode");
  compare.Element(kTableNikon2, "ISOSetting", 1, "Nikon:ISO");
  compare.Element(kTableNikon2, "LensInformation", 0, "Nikon:Lens");

  compare.Element(kTableOlympus, "JpegQual", 0, "Olympus:Quality");
  compare.Element(kTableOlympus, "Macro", 0, "Olympus:Macro");
  compare.Element(kTableOlympus, "DigiZoom", 0, "Olympus:DigitalZoom");

  compare.Element(kTableFuji, "Sharpness", 0, "FujiFilm:Sharpness");
  compare.Element(kTableFuji, "WhiteBalance", 0, "FujiFilm:WhiteBalance");
  compare.Element(kTableFuji, "FocusMode", 0, "FujiFilm:FocusMode");
  compare.Element(kTableFuji, "PictureMode", 0, "FujiFilm:PictureMode");
  compare.Text(kTableFuji, "Quality", "FujiFilm:Quality");

  compare.Element(kTableCasio, "RecordingMode", 0, "Casio:RecordingMode");
  compare.Element(kTableCasio, "Quality", 0, "Casio:Quality");
  compare.Element(kTableCasio, "WhiteBalance", 0, "Casio:WhiteBalance");

  compare.Element(kTableSeiko, "JpegQual", 0, "Olympus:Quality");
  compare.Element(kTableSeiko, "Macro", 0, "Olympus:Macro");
  compare.Element(kTableSanyo, "Macro", 0, "Sanyo:Macro");
  compare.Element(kTableSanyo, "DigitalZoom", 0, "Sanyo:DigitalZoom");
}

void CompareIptc(const std::string& path, const TimgData& data, const JsonValue& oracle) {
  if (!data.IptcData) return;
  const std::pair<std::string_view, std::string_view> fields[] = {
      {"Keywords", "IPTC:Keywords"},
      {"City", "IPTC:City"},
      {"ObjectName", "IPTC:ObjectName"},
      {"ByLine", "IPTC:By-line"},
      {"Copyright", "IPTC:CopyrightNotice"},
      {"SuppCategory", "IPTC:SupplementalCategories"},
      {"ImageCaption", "IPTC:Caption-Abstract"}};
  for (const auto& [ours, theirs] : fields) {
    const JsonValue* expected = oracle.Find(theirs);
    if (expected == nullptr) continue;
    EXPECT_EQ(data.IptcData->LookupTagText(ours), OracleText(*expected)) << path << ": " << ours;
  }
}

TEST(OracleTest, EveryCameraFileAgreesWithExiftool) {
  VEMORA_REQUIRE_TESTDATA();
  const auto rows = ReadIndex();
  ASSERT_GT(rows.size(), 100u);
  int files = 0, values = 0;
  std::set<std::string> interpretedMakes;
  for (const IndexRow& row : rows) {
    if (kByDesign.count(row.path) != 0) continue;
    SCOPED_TRACE(row.path);
    const auto file = vemora::testing::TestDataDir() / "images" / "exif" / row.path;
    TimgData data;
    const JsonValue oracle = ReadOracle(row.path);
    const bool ok = data.ProcessFile(file.string());
    const bool hasExif = !row.fields.at("byteorder").empty();
    if (!ok) {
      // Only files without any metadata we read may fail: JPEG bytes under a TIFF name, or
      // JPEGs without Exif, comment or IPTC sections.
      EXPECT_FALSE(oracle.Find("IFD0:Make") != nullptr && row.fields.at("type") == "JPEG" &&
                   IsJpegExtension(file))
          << "not read";
      continue;
    }
    ++files;
    EXPECT_EQ(data.ErrStr, "<none>");
    if (!hasExif || !data.ImageInfo) {
      EXPECT_EQ(oracle.Find("IFD0:Make"), nullptr);
      CompareIptc(row.path, data, oracle);
      continue;
    }
    const TImageInfo& info = *data.ImageInfo;
    CompareHeader(row.path, info, oracle);
    OracleComparison compare(row.path, info, oracle);
    CompareMainTags(compare, info, oracle, row.path);
    CompareMakerNotes(compare);
    CompareIptc(row.path, data, oracle);
    values += compare.compared();
    if (info.msAvailable) interpretedMakes.insert(row.fields.at("make5"));
  }
  EXPECT_GT(files, 90);
  EXPECT_GT(values, 800);
  // Every maker layout was exercised by at least one real file.
  for (const char* make :
       {"NIKON", "OLYMP", "CASIO", "FUJIF", "CANON", "SEIKO", "SANYO", "MINOL"}) {
    EXPECT_EQ(interpretedMakes.count(make), 1u) << make;
  }
}

}  // namespace
}  // namespace vemora::metadata
