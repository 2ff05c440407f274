// Every camera file of the shared test data, read by us and compared with exiftool's numeric
// (-n) reading of the same file: header fields, the main EXIF and GPS values, IPTC and a few
// values from each maker layout. Values are compared, never display texts.
#include <gtest/gtest.h>

#include <cctype>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>

#include "metadata/format_number.h"
#include "metadata/img_data.h"
#include "support/testdata.h"

namespace vemora::metadata {
namespace {

// The camera files, by their path under images/exif: every one has exiftool's reading beside it.
std::vector<std::string> CameraFiles() {
  const std::filesystem::path root = vemora::testing::TestDataDir() / "oracle" / "exiftool";
  const std::string suffix = ".num.json";
  std::vector<std::string> paths;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(root)) {
    const std::string path = entry.path().lexically_relative(root).generic_string();
    if (path.ends_with(suffix)) paths.push_back(path.substr(0, path.size() - suffix.size()));
  }
  return paths;
}

// A value of exiftool's JSON: a number (its source text), a string, or an array of those
// joined by ','. A string may hold several blank-separated numbers.
struct OracleValue {
  std::string text;
  bool quoted = false;
};
using Oracle = std::map<std::string, OracleValue, std::less<>>;

// The JSON string whose opening quote is at `pos`; exiftool escapes control characters only.
std::string JsonString(std::string_view line, std::size_t& pos) {
  std::string out;
  for (++pos; pos < line.size() && line[pos] != '"'; ++pos) {
    if (line[pos] != '\\' || pos + 1 >= line.size()) {
      out += line[pos];
    } else if (line[++pos] == 'u') {
      out += static_cast<char>(std::stoul(std::string(line.substr(pos + 1, 4)), nullptr, 16));
      pos += 4;
    } else {
      const char e = line[pos];
      out += e == 'n' ? '\n' : e == 't' ? '\t' : e == 'r' ? '\r' : e;
    }
  }
  ++pos;
  return out;
}

// exiftool writes one member per line ("Group:Tag": value); the first of duplicate keys counts.
Oracle ReadOracle(const std::string& path) {
  std::ifstream in(vemora::testing::TestDataDir() / "oracle" / "exiftool" / (path + ".num.json"));
  Oracle oracle;
  for (std::string line; std::getline(in, line);) {
    std::size_t pos = line.find('"');
    if (pos == std::string::npos) continue;
    const std::string key = JsonString(line, pos);
    pos = line.find_first_not_of(": ", pos);
    if (pos == std::string::npos) continue;
    OracleValue value;
    const bool array = line[pos] == '[';
    while (pos < line.size() && line[pos] != ']') {
      if (array) ++pos;  // past '[' or ','
      if (pos < line.size() && line[pos] == '"') {
        value.quoted = !array;
        value.text += JsonString(line, pos);
      } else {
        const std::size_t end = line.find_first_of(",]", pos);
        value.text += line.substr(pos, end - pos);
        pos = end;
      }
      if (!array || pos >= line.size() || line[pos] != ',') break;
      value.text += ',';
    }
    oracle.emplace(key, std::move(value));
  }
  return oracle;
}

const OracleValue* Find(const Oracle& oracle, std::string_view key) {
  const auto found = oracle.find(key);
  return found == oracle.end() ? nullptr : &found->second;
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

// Element `index` of a string of blank-separated numbers; other values are one number (an
// array gives its first).
double OracleNumber(const OracleValue& value, std::size_t index = 0) {
  if (!value.quoted) return std::strtod(value.text.c_str(), nullptr);
  std::stringstream tokens(value.text);
  std::string token;
  for (std::size_t i = 0; tokens >> token; ++i) {
    if (i == index) return std::strtod(token.c_str(), nullptr);
  }
  return 0;
}

std::string FirstText(const Oracle& oracle, std::initializer_list<std::string_view> keys) {
  for (const auto key : keys) {
    if (const OracleValue* value = Find(oracle, key)) return Trim(value->text);
  }
  return {};
}

bool Near(double ours, double theirs) {
  return std::fabs(ours - theirs) <= 1e-4 * std::max(1.0, std::fabs(theirs));
}

struct OracleComparison {
  const TImageInfo& info;
  const Oracle& oracle;
  int compared = 0;

  // A main-table value exiftool reports must be present here with the same numeric value.
  void Required(int table, std::string_view ours, std::string_view theirs) {
    const OracleValue* expected = Find(oracle, theirs);
    if (expected == nullptr) return;
    const TTagEntry* tag = FindTag(info, table, ours);
    ++compared;
    if (tag == nullptr) {
      ADD_FAILURE() << "missing " << ours << " (exiftool " << theirs << ")";
      return;
    }
    EXPECT_PRED2(Near, Number(info, *tag), OracleNumber(*expected)) << ours;
  }

  // A maker-note element compared wherever both readings have it.
  void Element(int table, std::string_view ours, std::size_t index, std::string_view theirs) {
    const OracleValue* expected = Find(oracle, theirs);
    const TTagEntry* tag = FindTag(info, table, ours);
    if (expected == nullptr || tag == nullptr || index >= ElementCount(tag->Raw, tag->TType))
      return;
    ++compared;
    const std::size_t theirIndex = expected->quoted ? index : 0;
    EXPECT_PRED2(Near, Number(info, *tag, index), OracleNumber(*expected, theirIndex))
        << ours << "[" << index << "] vs " << theirs;
  }

  void Text(int table, std::string_view ours, std::string_view theirs) {
    const OracleValue* expected = Find(oracle, theirs);
    const TTagEntry* tag = FindTag(info, table, ours);
    if (expected == nullptr || tag == nullptr) return;
    ++compared;
    EXPECT_EQ(Trim(UntilZero(tag->Raw)), Trim(expected->text)) << ours;
  }
};

void CompareHeader(const TImageInfo& info, const Oracle& oracle) {
  EXPECT_EQ(Trim(info.CameraMake), FirstText(oracle, {"IFD0:Make"}));
  EXPECT_EQ(Trim(info.CameraModel), FirstText(oracle, {"IFD0:Model"}));
  // An EXIF original date replaces the IFD0 date; dates are kept to 20 characters.
  EXPECT_EQ(Trim(info.DateTime),
            Trim(FirstText(oracle, {"ExifIFD:DateTimeOriginal", "IFD0:ModifyDate"}).substr(0, 20)));
  const auto number = [&](std::initializer_list<std::string_view> keys) {
    return std::atoi(FirstText(oracle, keys).c_str());
  };
  EXPECT_EQ(info.Width, number({"ExifIFD:ExifImageWidth", "SubIFD:ImageWidth", "IFD0:ImageWidth"}));
  EXPECT_EQ(info.Height,
            number({"ExifIFD:ExifImageHeight", "SubIFD:ImageHeight", "IFD0:ImageHeight"}));
  EXPECT_EQ(info.FlashUsed, number({"ExifIFD:Flash"}));
}

void CompareMainTags(OracleComparison& compare, const TImageInfo& info, const Oracle& oracle) {
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
  if (const OracleValue* expected = Find(oracle, "ExifIFD:ShutterSpeedValue")) {
    const TTagEntry* tag = FindTag(info, kTableMain, "ShutterSpeedValue");
    ASSERT_NE(tag, nullptr);
    EXPECT_NEAR(std::pow(2.0, -Number(info, *tag)), OracleNumber(*expected),
                1e-4 * OracleNumber(*expected));
  }
  for (const auto& [ours, theirs] : {std::pair{"GPSLatitude", "GPS:GPSLatitude"},
                                     std::pair{"GPSLongitude", "GPS:GPSLongitude"}}) {
    const OracleValue* expected = Find(oracle, theirs);
    if (expected == nullptr) continue;
    const TTagEntry* tag = FindTag(info, kTableGps, ours);
    ASSERT_NE(tag, nullptr) << ours;
    const double degrees =
        Number(info, *tag, 0) + Number(info, *tag, 1) / 60 + Number(info, *tag, 2) / 3600;
    EXPECT_NEAR(degrees, OracleNumber(*expected), 1e-6) << ours;
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

void CompareIptc(const TimgData& data, const Oracle& oracle) {
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
    const OracleValue* expected = Find(oracle, theirs);
    if (expected == nullptr) continue;
    EXPECT_EQ(data.IptcData->LookupTagText(ours), expected->text) << ours;
  }
}

TEST(OracleTest, EveryCameraFileAgreesWithExiftool) {
  VEMORA_REQUIRE_TESTDATA();
  const auto paths = CameraFiles();
  ASSERT_GT(paths.size(), 100u);
  int files = 0, values = 0;
  std::set<std::string> interpretedMakes;
  for (const std::string& path : paths) {
    // Read differently from exiftool on purpose: an XMP APP1 comes first, and only the first
    // APP1 is read.
    if (path == "nomake/no_exif_xp_iptc.jpg") continue;
    SCOPED_TRACE(path);
    const auto file = vemora::testing::TestDataDir() / "images" / "exif" / path;
    TimgData data;
    const Oracle oracle = ReadOracle(path);
    const bool ok = data.ProcessFile(file.string());
    if (!ok) {
      // Only files without any metadata we read may fail: JPEG bytes under a TIFF name, or
      // JPEGs without Exif, comment or IPTC sections.
      EXPECT_FALSE(Find(oracle, "IFD0:Make") != nullptr &&
                   FirstText(oracle, {"File:FileType"}) == "JPEG" && IsJpegExtension(file))
          << "not read";
      continue;
    }
    ++files;
    EXPECT_EQ(data.ErrStr, "<none>");
    if (!data.ImageInfo) {
      EXPECT_EQ(Find(oracle, "IFD0:Make"), nullptr);
      CompareIptc(data, oracle);
      continue;
    }
    const TImageInfo& info = *data.ImageInfo;
    CompareHeader(info, oracle);
    OracleComparison compare{info, oracle};
    CompareMainTags(compare, info, oracle);
    CompareMakerNotes(compare);
    CompareIptc(data, oracle);
    values += compare.compared;
    if (info.msAvailable) {
      std::string make = info.CameraMake.substr(0, 5);
      for (char& c : make) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
      interpretedMakes.insert(make);
    }
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
