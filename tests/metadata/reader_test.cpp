// The reader on files built here byte by byte: the JPEG section walk, the directory walk in
// both byte orders, the header fields, the 35 mm focal length, options and the TIFF path.
#include <gtest/gtest.h>

#include "exif_builder.h"
#include "metadata/img_data.h"
#include "support/temp_folder.h"

namespace vemora::metadata {
namespace {

using testing::ExifSection;
using testing::MakeJpeg;
using testing::TiffBuilder;

// A camera-like Exif block: IFD0 with make, model, date and a link to the EXIF directory,
// which holds exposure values, the original date, the image size and a GPS link.
std::string CameraTiff(bool motorola) {
  TiffBuilder b(motorola);
  const int exif = b.AddIfd();
  const int gps = b.AddIfd();
  b.Long(0, 0x0100, 4000);
  b.Ascii(0, 0x010F, "TESTCAM");
  b.Ascii(0, 0x0110, "Model One");
  b.Short(0, 0x0112, {6});
  b.Rational(0, 0x011A, {{72, 1}});
  b.Ascii(0, 0x0132, "2020:01:01 10:00:00");
  b.Link(0, 0x8769, exif);
  b.Link(0, 0x8825, gps);
  b.Rational(exif, 0x829A, {{1, 250}});
  b.Rational(exif, 0x829D, {{28, 10}});
  b.Short(exif, 0x8827, {200});
  b.Undefined(exif, 0x9000, "0220");
  b.Ascii(exif, 0x9003, "2021:06:15 12:30:45");
  b.Rational(exif, 0x9201, {{6, 1}}, 10);
  b.Short(exif, 0x9209, {0x19});
  b.Rational(exif, 0x920A, {{62, 10}});
  b.Undefined(exif, 0x9286, std::string("ASCII\0\0\0A comment  ", 19));
  b.Short(exif, 0xA002, {640});
  b.Short(exif, 0xA003, {480});
  b.Rational(gps, 0x0002, {{48, 1}, {3050, 100}, {0, 1}});
  b.Short(gps, 0x0005, {0});
  return b.Build();
}

class ByteOrderTest : public ::testing::TestWithParam<bool> {};

TEST_P(ByteOrderTest, HeaderFieldsAndTagsReadTheSameInBothOrders) {
  TimgData data;
  ASSERT_TRUE(
      data.ProcessBytes(MakeJpeg({{0xE1, ExifSection(CameraTiff(GetParam()))}}), TFileKind::kJpeg));
  EXPECT_EQ(data.ErrStr, "<none>");
  ASSERT_TRUE(data.ImageInfo);
  const TImageInfo& info = *data.ImageInfo;
  EXPECT_EQ(info.MotorolaOrder, GetParam());
  EXPECT_EQ(info.CameraMake, "TESTCAM");
  EXPECT_EQ(info.CameraModel, "Model One");
  EXPECT_EQ(info.DateTime, "2021:06:15 12:30:45");  // the EXIF original date wins
  EXPECT_EQ(info.ExifVersion, "0220");
  EXPECT_EQ(info.Width, 640);  // the EXIF size replaces IFD0's
  EXPECT_EQ(info.Height, 480);
  EXPECT_EQ(info.FlashUsed, 0x19);
  EXPECT_EQ(info.Comments, "A comment");
  EXPECT_GT(info.DateTimeOriginalPos, info.DateTimePos);

  EXPECT_EQ(info.LookupTagText("ExposureTime"), "1/250 sec");
  EXPECT_EQ(info.LookupTagText("fnumber"), "F2.8");  // lookups ignore case
  EXPECT_EQ(info.LookupTagText("Orientation"), "CounterClockwise 90°");
  EXPECT_EQ(info.LookupTagText("ShutterSpeedValue"), "0.0156 sec (1/64)");
  EXPECT_EQ(info.LookupTagText("Flash"), "On, auto mode");
  EXPECT_EQ(info.LookupTagText("ExifVersion"), "\"0220\"");
  EXPECT_EQ(info.LookupTagText("UserComment"), "A comment");
  EXPECT_EQ(info.LookupTagText("GPSLatitude"), "48 Degrees 30 Minutes 30 Seconds");
  EXPECT_LT(info.LookupTag("NoSuchTag"), 0);
}

INSTANTIATE_TEST_SUITE_P(IntelAndMotorola, ByteOrderTest, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "Motorola" : "Intel"; });

TEST(JpegSectionTest, MetadataMustAppearEarly) {
  const std::string exif = ExifSection(CameraTiff(false));
  const std::string filler(10, 'x');
  TimgData data;
  // No APP1, APP13 or comment among the first four sections: not read at all.
  EXPECT_FALSE(data.ProcessBytes(
      MakeJpeg({{0xE0, filler}, {0xDB, filler}, {0xDB, filler}, {0xC4, filler}, {0xE1, exif}}),
      TFileKind::kJpeg));
  EXPECT_EQ(data.ErrStr, "Not an EXIF file");
  EXPECT_FALSE(data.ImageInfo);

  // The same APP1 fourth is read, and so is a comment that follows a metadata section.
  ASSERT_TRUE(data.ProcessBytes(
      MakeJpeg({{0xE0, filler}, {0xDB, filler}, {0xDB, filler}, {0xE1, exif}, {0xFE, "note"}}),
      TFileKind::kJpeg));
  ASSERT_TRUE(data.ImageInfo);
  EXPECT_EQ(data.ImageInfo->CameraMake, "TESTCAM");
  EXPECT_EQ(data.JfifSection, 0);
  EXPECT_EQ(data.ExifSection, 3);
  EXPECT_EQ(data.Comment(), "note");
  EXPECT_EQ(data.Sections[0].Marker, 0xE0);
  EXPECT_EQ(data.Sections[0].Size, 12);
}

TEST(JpegSectionTest, OnlyTheFirstApp1IsInterpreted) {
  TiffBuilder second(false);
  second.Ascii(0, 0x010F, "OTHER");
  TimgData data;
  ASSERT_TRUE(data.ProcessBytes(MakeJpeg({{0xE1, ExifSection(CameraTiff(false))},
                                          {0xE1, "http://ns.adobe.com/xap/1.0/\0<x/>"},
                                          {0xE1, ExifSection(second.Build())}}),
                                TFileKind::kJpeg));
  EXPECT_EQ(data.ImageInfo->CameraMake, "TESTCAM");
  EXPECT_EQ(data.Sections.size(), 1u);  // later APP1 sections are not kept

  // An XMP APP1 first takes the Exif slot and is rejected; the real one after it is ignored.
  ASSERT_TRUE(data.ProcessBytes(
      MakeJpeg({{0xE1, "http://ns.adobe.com/xap/1.0/"}, {0xE1, ExifSection(CameraTiff(false))}}),
      TFileKind::kJpeg));
  EXPECT_EQ(data.ErrStr, "<none>");
  EXPECT_EQ(data.ImageInfo->CameraMake, "");
}

TEST(JpegSectionTest, AtMostTwentySectionsAreStored) {
  std::vector<std::pair<int, std::string>> sections = {{0xFE, "comment"}};
  for (int i = 0; i < 30; ++i) sections.push_back({0xE2, "icc"});
  sections.push_back({0xED, testing::IptcSection({{2, 25, "late"}})});
  TimgData data;
  ASSERT_TRUE(data.ProcessBytes(MakeJpeg(sections), TFileKind::kJpeg));
  EXPECT_EQ(data.Sections.size(), 20u);
  EXPECT_EQ(data.IptcSection, -1);
}

// The shared camera files derived/err_*.JPG carry these faults whole; the oracle test reads
// them. Here: nothing false is listed, and the error texts the reader sets.
TEST(JpegSectionTest, DamagedExifSectionsEndWithNoneAndEmptyFields) {
  const std::string tiff = CameraTiff(false);
  std::string badOrder = ExifSection(tiff);
  badOrder[6] = badOrder[7] = 'X';
  TimgData data;
  ASSERT_TRUE(data.ProcessBytes(MakeJpeg({{0xE1, badOrder}}), TFileKind::kJpeg));
  EXPECT_EQ(data.ErrStr, "<none>");  // the path returned true, so the error text is replaced
  EXPECT_EQ(data.ImageInfo->CameraMake, "");
  EXPECT_TRUE(data.ImageInfo->Tags.empty());

  // The error texts themselves, straight from the Exif reader.
  TImageInfo info(data);
  info.ProcessExif("Exig");
  EXPECT_EQ(data.ErrStr, "Incorrect Exif header");
  info.ProcessExif(badOrder);
  EXPECT_EQ(data.ErrStr, "Invalid Exif alignment marker");

  // A cut file and a section length below two end the walk without reading the section.
  const std::string jpeg = MakeJpeg({{0xE1, ExifSection(tiff)}});
  EXPECT_FALSE(data.ProcessBytes(jpeg.substr(0, 40), TFileKind::kJpeg));
  EXPECT_FALSE(data.ProcessBytes(std::string("\xFF\xD8\xFF\xE1\x00\x01", 6), TFileKind::kJpeg));
  EXPECT_FALSE(data.ProcessBytes("GIF89a", TFileKind::kJpeg));
  EXPECT_FALSE(data.ProcessBytes("", TFileKind::kJpeg));
}

TEST(DirectoryTest, IllegallySizedDirectoryIsSkippedAndOthersStillRead) {
  TiffBuilder b(false);
  const int exif = b.AddIfd();
  const int broken = b.AddIfd();
  b.Ascii(0, 0x010F, "MAKER");
  b.Link(0, 0x8769, exif);
  b.Link(exif, 0xA005, broken);
  b.Short(exif, 0xA002, {320});
  std::string tiff = b.Build();
  // Give the interoperability directory (after IFD0 with its make, and the EXIF directory) an
  // entry count far beyond the section.
  const std::size_t brokenStart = 8 + (2 + 2 * 12 + 4 + 6) + (2 + 2 * 12 + 4);
  ASSERT_EQ(tiff.size(), brokenStart + 6);
  tiff[brokenStart] = '\xFF';
  tiff[brokenStart + 1] = '\x7F';
  TimgData data;
  ASSERT_TRUE(data.ProcessBytes(MakeJpeg({{0xE1, ExifSection(tiff)}}), TFileKind::kJpeg));
  EXPECT_EQ(data.ImageInfo->CameraMake, "MAKER");
  EXPECT_EQ(data.ImageInfo->Width, 320);
  EXPECT_EQ(data.ErrStr, "<none>");

  TImageInfo info(data);
  info.ProcessExif(ExifSection(tiff));
  EXPECT_EQ(data.ErrStr, "Illegally sized directory");
}

TEST(DirectoryTest, LoopsOutOfRangeOffsetsAndUnknownFormatsAreHarmless) {
  TiffBuilder b(true);
  const int exif = b.AddIfd();
  b.Ascii(0, 0x010F, "LOOP");
  b.Link(0, 0x8769, exif);
  b.Link(exif, 0x8769, 0);             // back to IFD0
  b.Link(exif, 0xA005, exif);          // to itself
  b.Raw(exif, 0x829A, 5, 1, "");       // value offset 0 is the TIFF header, not a rational
  b.Raw(exif, 0x9000, 99, 4, "0220");  // format code beyond the table: skipped
  b.Raw(exif, 0x9003, 2, 0x40000000, std::string("\x7F\xFF\xFF\xF0", 4));  // far outside
  TimgData data;
  ASSERT_TRUE(data.ProcessBytes(MakeJpeg({{0xE1, ExifSection(b.Build())}}), TFileKind::kJpeg));
  const TImageInfo& info = *data.ImageInfo;
  EXPECT_EQ(info.CameraMake, "LOOP");
  EXPECT_EQ(info.ExifVersion, "");
  EXPECT_EQ(info.DateTime, "");
  EXPECT_EQ(info.LookupTagText("DateTimeOriginal"), "");
}

TEST(DirectoryTest, UnknownTagsAndGpsVersionAreNotListed) {
  TiffBuilder b(false);
  const int gps = b.AddIfd();
  b.Short(0, 0x7777, {1});
  b.Link(0, 0x8825, gps);
  b.Raw(gps, 0x0000, 1, 4, std::string("\2\2\0\0", 4));
  b.Ascii(gps, 0x0001, "N");
  TimgData data;
  ASSERT_TRUE(data.ProcessBytes(MakeJpeg({{0xE1, ExifSection(b.Build())}}), TFileKind::kJpeg));
  std::vector<std::string> names;
  for (const auto& tag : data.ImageInfo->Tags) names.emplace_back(tag.Name);
  EXPECT_EQ(names, (std::vector<std::string>{"GPSLatitudeRef", "GPSInfo"}));
}

TEST(OptionsTest, BuildListLevelsAndTrace) {
  const std::string jpeg = MakeJpeg({{0xE1, ExifSection(CameraTiff(false))}});
  TimgData data;
  data.BuildList = 0;
  ASSERT_TRUE(data.ProcessBytes(jpeg, TFileKind::kJpeg));
  EXPECT_EQ(data.ImageInfo->CameraModel, "Model One");
  EXPECT_TRUE(data.ImageInfo->Tags.empty());

  data.BuildList = 4;
  ASSERT_TRUE(data.ProcessBytes(jpeg, TFileKind::kJpeg));
  ASSERT_GE(data.ImageInfo->LookupTag("FNumber"), 0);
  EXPECT_EQ(data.ImageInfo->LookupTagText("FNumber"), "");  // listed, not formatted

  data.BuildList = 255;
  data.DecodeValues = false;
  data.TraceLevel = 1;
  ASSERT_TRUE(data.ProcessBytes(jpeg, TFileKind::kJpeg));
  EXPECT_EQ(data.ImageInfo->LookupTagText("Orientation"), "6");
  EXPECT_EQ(data.ImageInfo->LookupTagText("Flash"), "25");
  const std::string& trace = data.ImageInfo->TraceStr;
  EXPECT_EQ(trace.rfind("Directory: Start, entries = 14, 8\n", 0), 0u) << trace;
  EXPECT_NE(trace.find("tag[$010F]: Make [size: 8] [raw: 54 45 53 54 43 41 4D 00] [start: "),
            std::string::npos);
}

TEST(FocalLength35mmTest, ComputedFromTheSensorResolution) {
  const auto read = [](bool withFilmTag, int unit, bool estimate, bool withPlane) {
    TiffBuilder b(false);
    const int exif = b.AddIfd();
    b.Short(0, 0x0128, {2});
    b.Link(0, 0x8769, exif);
    b.Rational(exif, 0x920A, {{71, 10}});
    b.Short(exif, 0xA002, {2272});
    b.Short(exif, 0xA003, {1704});
    if (withPlane) {
      b.Rational(exif, 0xA20E, {{3200, 1}});  // pixels per unit
      b.Rational(exif, 0xA20F, {{3200, 1}});
    }
    if (unit > 0) b.Short(exif, 0xA210, {static_cast<std::uint16_t>(unit)});
    if (withFilmTag) b.Short(exif, 0xA405, {35});
    TimgData data;
    data.Estimate35mm = estimate;
    data.ProcessBytes(MakeJpeg({{0xE1, ExifSection(b.Build())}}), TFileKind::kJpeg);
    return data.ImageInfo->LookupTagText("FocalLengthIn35mmFilm");
  };
  // Sensor 7.1 x 5.325 mm (diagonal 8.875): factor 4.875.
  EXPECT_EQ(read(false, 3, false, true), "34.61 mm");
  // Without a focal-plane unit the resolution unit (inch) is used: 2.54 times larger sensor.
  EXPECT_EQ(read(false, 0, false, true), "13.63 mm");
  EXPECT_EQ(read(true, 3, false, true), "35");         // the file's own value stays
  EXPECT_EQ(read(false, 3, false, false), "");         // sensor size unknown
  EXPECT_EQ(read(false, 3, true, false), "31.95 mm");  // estimated with factor 4.5
  EXPECT_EQ(read(false, 4, true, true), "");           // unit without a millimetre factor
}

TEST(TiffPathTest, DirectoriesOfATiffFile) {
  for (const bool motorola : {false, true}) {
    std::string tiff = CameraTiff(motorola);
    TimgData data;
    ASSERT_TRUE(data.ProcessBytes(tiff, TFileKind::kTiff));
    EXPECT_TRUE(data.TiffFmt);
    EXPECT_EQ(data.ImageInfo->LookupTagText("GPSLatitude"), "48 Degrees 30 Minutes 30 Seconds");
    EXPECT_EQ(data.ImageInfo->ThumbStart, 0);  // TIFF files have no EXIF thumbnail link

    // The header's IFD0 offset is not consulted: IFD0 is always at offset 8.
    tiff[motorola ? 7 : 4] = 100;
    ASSERT_TRUE(data.ProcessBytes(tiff, TFileKind::kTiff));
    EXPECT_EQ(data.ImageInfo->CameraMake, "TESTCAM");
  }
  TimgData data;
  EXPECT_FALSE(data.ProcessBytes("\xFF\xD8\xFF\xE1", TFileKind::kTiff));
  EXPECT_FALSE(data.ProcessBytes("I", TFileKind::kTiff));
}

TEST(TiffPathTest, OnlyTheFirst256000BytesAfterTheHeaderAreRead) {
  TiffBuilder b(false);
  b.Ascii(0, 0x010F, "NEAR");
  b.Ascii(0, 0x0110, "Far away");
  std::string tiff = b.Build();
  // Move the model's value far behind the limit and point its entry (the second) at it.
  const std::uint32_t far = 256000 + 8 + 100;
  tiff.replace(8 + 2 + 12 + 8, 4, b.U32(far));
  tiff.resize(far, '\0');
  tiff += std::string("Far away\0", 9);
  TimgData data;
  ASSERT_TRUE(data.ProcessBytes(tiff, TFileKind::kTiff));
  EXPECT_EQ(data.ImageInfo->CameraMake, "NEAR");
  EXPECT_EQ(data.ImageInfo->CameraModel, "");
  EXPECT_EQ(data.ImageInfo->Length(), TimgData::kMaxTiffBytes);
}

class FileTest : public testing::TempFolderTest {
 protected:
  std::string Write(const std::string& name, const std::string& bytes) {
    PutFile(name, bytes);
    return PathOf(name);
  }
};

// The camera files of the shared test data cover .jpg, .JPG, .jpeg, .tif, .TIF and .nef.
TEST_F(FileTest, ExtensionsChooseThePath) {
  const std::string jpeg = MakeJpeg({{0xE1, ExifSection(CameraTiff(false))}});
  const std::string tiff = CameraTiff(true);
  const struct {
    const char* name;
    const std::string& bytes;
    bool read;
  } cases[] = {{"a.jpe", jpeg, true},
               {"b.TIFF", tiff, true},
               {"c.png", jpeg, false},
               {"d.nef", jpeg, false}};  // JPEG bytes under a TIFF name
  TimgData data;
  for (const auto& c : cases) {
    EXPECT_EQ(data.ProcessFile(Write(c.name, c.bytes)), c.read) << c.name;
    EXPECT_EQ(data.ErrStr, c.read ? "<none>" : "Not an EXIF file") << c.name;
  }
  ASSERT_TRUE(data.ProcessFile(Write("e.jpg", jpeg)));
  EXPECT_EQ(data.FileSize, jpeg.size());
  EXPECT_FALSE(data.ProcessFile(PathOf("missing.jpg")));
  EXPECT_EQ(data.ErrStr, "");
  EXPECT_TRUE(data.Filename.empty());
}

TEST_F(FileTest, HasMetaDataForTheExifButton) {
  EXPECT_TRUE(HasMetaData(Write("exif.jpg", MakeJpeg({{0xE1, ExifSection(CameraTiff(false))}}))));
  EXPECT_TRUE(HasMetaData(Write("comment.jpg", MakeJpeg({{0xFE, "hello"}}))));
  EXPECT_TRUE(HasMetaData(Write("camera.tif", CameraTiff(false))));
  EXPECT_FALSE(HasMetaData(Write("plain.jpg", MakeJpeg({{0xE0, "JFIF"}}))));
  EXPECT_FALSE(HasMetaData(Write("exif.bmp", "BM")));
  EXPECT_FALSE(HasMetaData(PathOf("missing.jpg")));
}

}  // namespace
}  // namespace vemora::metadata
