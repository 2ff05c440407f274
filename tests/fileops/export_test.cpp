// Stored images out to files on both engines: "Exportieren..." in every format with write
// back, its failures, "Speichern unter..." and SaveImageToFile; and the scaling run: which rows
// are taken, what each becomes, the statements it sends, and a connection lost midway.
// Camera data survives scaling and conversion, as exiftool reads it: a JPEG scaled to a JPEG
// or converted to a TIFF keeps its Exif (with the new pixel size), GPS, XMP, IPTC and ICC.
#include <gtest/gtest.h>

#include <cctype>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <sstream>

#include "codec/bmp.h"
#include "codec/convert.h"
#include "codec/decode.h"
#include "codec/image_file.h"
#include "codec/jpeg.h"
#include "codec/jpeg_metadata.h"
#include "codec/metadata_carry.h"
#include "codec/scale_image.h"
#include "codec/tiff.h"
#include "fileops/exporting.h"
#include "fileops/saving.h"
#include "fileops/scaling.h"
#include "platform/file_io.h"
#include "platform/paths.h"
#include "settings/ini_plus.h"
#include "settings/settings_keys.h"
#include "stored_images_fixture.h"
#include "support/pictures.h"
#include "support/run_tool.h"
#include "support/temp_folder.h"
#include "support/testdata.h"

namespace vemora {
namespace {

std::string Text(const std::vector<uint8_t>& bytes) { return {bytes.begin(), bytes.end()}; }

codec::Image Decode(const std::string& bytes) { return codec::DecodeImage(codec::AsBytes(bytes)); }

// The message of the std::runtime_error `work` throws; "" when it throws none.
template <typename Work>
std::string ErrorOf(Work work) {
  try {
    work();
  } catch (const std::runtime_error& error) {
    return error.what();
  }
  return "";
}

class ExportTest : public testing::StoredImagesFixture {
 protected:
  void SetUp() override {
    StoredImagesFixture::SetUp();
    if (IsSkipped() || HasFatalFailure()) return;
    settings = std::make_unique<TIniPlus>((folder / "settings.ini").string());
    target = folder / "export" / "neu";
    std::filesystem::create_directories(target);
    jpeg = testing::TestJpeg(64, 48, 1);
    bmp = Text(codec::EncodeBmp(picture));
    tiff = Text(codec::EncodeTiff(picture));
    AddRow("a.jpg", jpeg, "erstes");
    AddRow("b.bmp", bmp, "");
    AddRow("c.tif", tiff, "drittes");
    grid.MarkAll();
    grid.focused = 0;
  }
  ExportRun Export(ExportOutcome outcome, int32_t format, bool writeBack = false) {
    dialogs.exportChoice = {outcome, format, writeBack, target.string()};
    return ExportImages(session, grid, *settings, dialogs);
  }
  std::string Exported(const std::string& name) const { return ReadFile(target / name); }

  const codec::Image picture = testing::TestPicture(30, 20, 2);
  std::string jpeg, bmp, tiff;
  std::unique_ptr<TIniPlus> settings;
  std::filesystem::path target;
};

// Which kinds copy and which encode is the codec's table (decode_test.cpp); here each format
// code must reach its kind.
TEST_P(ExportTest, EveryFormatCodeReachesItsKind) {
  const codec::Image jpegPixels = Decode(jpeg);
  EXPECT_EQ(Export(ExportOutcome::Marked, kConvertToBmp).exported, 3);
  ASSERT_TRUE(dialogs.exportShown);
  EXPECT_EQ(dialogs.exportShown->focusedName, "erstes");
  EXPECT_EQ(dialogs.exportShown->markedNames,
            (std::vector<std::string>{"drittes", "<keine Bezeichnung>", "erstes"}));
  EXPECT_EQ(Decode(Exported("a.BMP")).pixels, jpegPixels.pixels);
  EXPECT_TRUE(Exported("b.BMP") == bmp);
  EXPECT_EQ(Decode(Exported("c.BMP")).pixels, picture.pixels);

  Export(ExportOutcome::Marked, kConvertToTiff);
  EXPECT_TRUE(Exported("c.TIF") == tiff);
  Export(ExportOutcome::Marked, kConvertToJpeg);
  EXPECT_TRUE(Exported("a.JPG") == jpeg);

  Export(ExportOutcome::Marked, kConvertUnchanged);
  EXPECT_TRUE(Exported("a.jpg") == jpeg);
  EXPECT_TRUE(Exported("b.bmp") == bmp);
  EXPECT_TRUE(Exported("c.tif") == tiff);
  EXPECT_TRUE(Stored(0).bild == jpeg);  // no write-back asked
  EXPECT_EQ(prompter.shown, std::vector<std::string>(4, "Konvertierung läuft..."));
}

TEST_P(ExportTest, WriteBackAsksFirstAndReplacesBytesAndName) {
  prompter.answers = {Answer::No};
  EXPECT_EQ(Export(ExportOutcome::Focused, kConvertToBmp, true).exported, 0);
  EXPECT_EQ(prompter.shown.back(),
            "Achtung Sie ändern Ihren Datenbestand\r\nMöchten Sie die Operation fortsetzen?");
  EXPECT_FALSE(std::filesystem::exists(target / "a.BMP"));
  EXPECT_TRUE(Stored(0).bild == jpeg);

  // What a write-back stores is the dispatcher's (catalogue_engines_test.cpp).
  EXPECT_TRUE(Export(ExportOutcome::Focused, kConvertToBmp, true).wroteBack);
  EXPECT_EQ(Stored(0).file, "a.BMP");
  EXPECT_TRUE(Stored(1).bild == bmp);  // only the focused one

  // "wie Original" never writes back, whatever the flag says.
  prompter.shown.clear();
  Export(ExportOutcome::Focused, kConvertUnchanged, true);
  EXPECT_TRUE(prompter.shown.empty());
}

TEST_P(ExportTest, TheFolderShownIsRememberedAndAMissingOneStartsAtHome) {
  settings->WriteString(kSectionLayout, kKeyExportPath, (folder / "weg").string());
  dialogs.exportChoice = {ExportOutcome::Cancelled, kConvertToBmp, false, ""};
  EXPECT_EQ(ExportImages(session, grid, *settings, dialogs).exported, 0);
  EXPECT_EQ(dialogs.exportShown->targetFolder, platform::HomeFolder());
  EXPECT_EQ(settings->ReadString(kSectionLayout, kKeyExportPath, "-"), "");

  Export(ExportOutcome::Cancelled, kConvertToBmp);
  EXPECT_EQ(settings->ReadString(kSectionLayout, kKeyExportPath, "-"), target.string());
  EXPECT_TRUE(std::filesystem::is_empty(target));
  Export(ExportOutcome::Marked, kConvertToBmp);
  EXPECT_EQ(dialogs.exportShown->targetFolder, target.string());
}

// Bytes of no known kind are the dispatcher's (catalogue_engines_test.cpp).
TEST_P(ExportTest, AFailedFileEndsTheRunAndLeavesNoTemporaryFile) {
  // A folder in the way of the second file (the marked run goes last record first).
  std::filesystem::create_directory(target / "b.BMP");
  const std::string error = ErrorOf([&] { Export(ExportOutcome::Marked, kConvertToBmp); });
  EXPECT_TRUE(error.starts_with("Die Datei")) << error;
  EXPECT_NE(error.find((target / "b.BMP").string()), std::string::npos) << error;
  EXPECT_TRUE(std::filesystem::exists(target / "c.BMP"));
  EXPECT_FALSE(std::filesystem::exists(target / "a.BMP"));
  int files = 0;
  for (const auto& entry : std::filesystem::directory_iterator(target))
    files += entry.is_regular_file();
  EXPECT_EQ(files, 1);
}

TEST_P(ExportTest, SavingWritesTheStoredBytesWhereverTheUserAgrees) {
  EXPECT_EQ(SaveImageToFile(session, grid, -1, (target / "kopie.xyz").string()), 0);
  EXPECT_TRUE(Exported("kopie.xyz") == jpeg);  // the extension changes nothing
  // A missing folder gives way to the image folder, an empty name to the fallback name.
  EXPECT_EQ(SaveImageToFile(session, grid, KeyOf(1), (folder / "fehlt" / "x.bmp").string()), 0);
  EXPECT_TRUE(ReadFile("x.bmp") == bmp);
  EXPECT_EQ(SaveImageToFile(session, grid, KeyOf(2), target.string() + "/"), 0);
  bool fallback = false;
  for (const auto& entry : std::filesystem::directory_iterator(target))
    fallback |= entry.path().filename().string().starts_with("ExpBild_");
  EXPECT_TRUE(fallback);

  // "Speichern unter...": an existing file is replaced only on Yes.
  dialogs.saveFile = (target / "kopie.xyz").string();
  grid.focused = 1;
  prompter.answers = {Answer::No, Answer::Yes};
  EXPECT_FALSE(SaveFocusedImageAs(session, grid, dialogs));
  EXPECT_EQ(dialogs.saveFolderShown, folder.string() + platform::kPathSeparator);
  EXPECT_EQ(dialogs.saveNameShown, "b.bmp");
  EXPECT_EQ(prompter.shown.back(),
            "Die Datei \"" + *dialogs.saveFile +
                "\" existiert bereits!\r\nMöchten Sie die Datei überschreiben?");
  EXPECT_TRUE(Exported("kopie.xyz") == jpeg);
  EXPECT_TRUE(SaveFocusedImageAs(session, grid, dialogs));
  EXPECT_TRUE(Exported("kopie.xyz") == bmp);

  grid.focused = -1;
  EXPECT_FALSE(SaveFocusedImageAs(session, grid, dialogs));
  EXPECT_EQ(prompter.shown.back(), "Bitte selektieren Sie ein Bild");
}

VEMORA_INSTANTIATE_FOR_ALL_ENGINES(ExportTest);

constexpr const char* kUpdate = "UPDATE Bilder SET Bild=:p1 WHERE BildCtr2=:p2";

codec::ImageInfo SizeOf(const std::string& bytes) {
  return codec::ReadImageInfo(codec::AsBytes(bytes));
}

class ScalingTest : public testing::StoredImagesFixture {
 protected:
  void SetUp() override {
    StoredImagesFixture::SetUp();
    if (IsSkipped() || HasFatalFailure()) return;
    choice.outcome = ResizeOutcome::Ok;
    choice.widthText = "80";
    choice.heightText = "80";
    rows = {
        {"quer.jpg", testing::TestJpeg(400, 300)},
        {"hoch.bmp", Text(codec::EncodeBmp(testing::TestPicture(300, 400)))},
        {"schmal.jpg", testing::TestJpeg(100, 250)},  // at most half as wide as high
        {"klein.tif", Text(codec::EncodeTiff(testing::TestPicture(50, 40)))},
        {"notiz.txt", "kein Bild"},
        {"breit.tif", Text(codec::EncodeTiff(testing::TestPicture(200, 100)))},
    };
    for (const auto& [file, bytes] : rows) AddRow(file, bytes);
    failing->statements.clear();
  }

  bool Unchanged(int i) { return Stored(i).bild == rows[static_cast<size_t>(i)].second; }

  ResizeDialogResult choice;
  std::vector<std::pair<std::string, std::string>> rows;
};

TEST_P(ScalingTest, EveryRowIsWrittenBackFittedInItsOwnFormatAndPreviewsStay) {
  EXPECT_EQ(ScaleStoredImages(session, grid, choice), 6);
  EXPECT_EQ(CountStatements(kUpdate), 6);
  EXPECT_EQ(failing->statements.size(), 7u);  // the query and one update per row
  EXPECT_EQ(failing->statements[0], "SELECT * FROM Bilder");
  EXPECT_EQ(prompter.lastMaximum, 6);
  EXPECT_EQ(prompter.steps, 6);

  struct Expected {
    int32_t width, height;
    codec::ImageKind kind;
  };
  const Expected expected[] = {
      {80, 60, codec::ImageKind::Jpeg},   {60, 80, codec::ImageKind::Bmp},
      {100, 250, codec::ImageKind::Jpeg}, {50, 40, codec::ImageKind::Tiff},
      {0, 0, codec::ImageKind::Unknown},  {80, 40, codec::ImageKind::Tiff}};
  for (int i = 0; i < 6; ++i) {
    SCOPED_TRACE(rows[static_cast<size_t>(i)].first);
    const testing::StoredRow row = Stored(i);
    EXPECT_EQ(row.vsBild, "vs:" + rows[static_cast<size_t>(i)].first);
    EXPECT_EQ(codec::CatalogueImageKind(codec::AsBytes(row.bild)), expected[i].kind);
    if (expected[i].kind == codec::ImageKind::Unknown) continue;
    EXPECT_EQ(SizeOf(row.bild).width, expected[i].width);
    EXPECT_EQ(SizeOf(row.bild).height, expected[i].height);
  }
  // Pictures left alone keep their bytes exactly.
  EXPECT_TRUE(Unchanged(2));
  EXPECT_TRUE(Unchanged(3));
  EXPECT_TRUE(Unchanged(4));
}

TEST_P(ScalingTest, InterpolationResamplesPicturesThatFitAtTheirOwnSize) {
  choice.interpolate = true;
  choice.filter = 4;        // Lanczos3
  choice.colourFormat = 2;  // 256 Graustufen
  ScaleStoredImages(session, grid, choice);
  const codec::Image small = codec::DecodeImage(codec::AsBytes(Stored(3).bild));
  EXPECT_EQ(small.width, 50);
  EXPECT_EQ(small.format, codec::PixelFormat::Gray8);
  EXPECT_TRUE(Unchanged(2));  // the narrow one still stays
}

TEST_P(ScalingTest, MarkedImagesAreMatchedByKeyNotByPosition) {
  // The grid shows the rows in another order than the query returns them.
  std::vector<GridRecord> reversed(grid.records().rbegin(), grid.records().rend());
  const std::vector<GridRecord> inOrder = grid.records();
  reversed[0].marked = true;  // the last row added
  grid.Replace(reversed);
  choice.markedOnly = true;
  EXPECT_EQ(ScaleStoredImages(session, grid, choice), 1);
  grid.Replace(inOrder);
  ASSERT_EQ(CountStatements(kUpdate), 1);
  EXPECT_EQ(SizeOf(Stored(5).bild).width, 80);
  EXPECT_TRUE(Unchanged(0));
  EXPECT_EQ(prompter.steps, 6);  // the progress still walks every row
}

TEST_P(ScalingTest, ALostConnectionLeavesEarlierRowsScaledAndLaterOnesUntouched) {
  failing->FailOnStatement(3);  // the query, the first update, then the second fails
  EXPECT_THROW(ScaleStoredImages(session, grid, choice), TDBError);
  failing->FailOnStatement(0);
  EXPECT_EQ(SizeOf(Stored(0).bild).width, 80);
  for (int i = 1; i < 6; ++i) EXPECT_TRUE(Unchanged(i)) << i;
}

TEST_P(ScalingTest, ADamagedPictureEndsTheRunAtItsRow) {
  const int damaged = AddRow("kaputt.jpg", std::string("\xFF\xD8\xFF\xC0 kaputt", 12));
  EXPECT_THROW(ScaleStoredImages(session, grid, choice), codec::CodecError);
  EXPECT_EQ(CountStatements(kUpdate), damaged);
}

TEST_P(ScalingTest, ALimitThatIsNoNumberOrTheExportButtonChangesNothing) {
  choice.heightText = "80px";
  EXPECT_EQ(ErrorOf([&] { ScaleStoredImages(session, grid, choice); }),
            "'80px' ist kein gültiger Integerwert");
  EXPECT_TRUE(failing->statements.empty());

  dialogs.resizeChoice = choice;
  dialogs.resizeChoice.outcome = ResizeOutcome::ExportRequested;
  EXPECT_TRUE(ScaleCatalogueImages(session, grid, dialogs).exportRequested);
  dialogs.resizeChoice.outcome = ResizeOutcome::Cancelled;
  EXPECT_FALSE(ScaleCatalogueImages(session, grid, dialogs).exportRequested);
  EXPECT_TRUE(failing->statements.empty());
}

VEMORA_INSTANTIATE_FOR_ALL_ENGINES(ScalingTest);

using Tags = std::map<std::string, std::string>;

// What exiftool says about the file: "Tag" -> value, numbers unformatted.
Tags ReadTags(const std::string& path) {
  Tags tags;
  const std::string command =
      "exiftool -args -n -q -q -ExifIFD:all -GPS:all -IFD0:Make "
      "-IFD0:Model -IFD0:Orientation -XMP:all -IPTC:all "
      "-ICC_Profile:ProfileDescription -Warning '" +
      path + "' 2>&1";
  std::istringstream lines(testing::RunTool(command).output);
  for (std::string text; std::getline(lines, text);) {
    const auto equals = text.find('=');
    if (text.starts_with("-") && equals != std::string::npos)
      tags[text.substr(1, equals - 1)] = text.substr(equals + 1);
  }
  return tags;
}

class MetadataCarryTest : public testing::TempFolderTest,
                          public ::testing::WithParamInterface<const char*> {
 protected:
  void SetUp() override {
    if (testing::RunTool("exiftool -ver 2>&1").status != 0)
      GTEST_SKIP() << "exiftool not installed (scripts/install-deps.sh)";
    VEMORA_REQUIRE_TESTDATA();
    TempFolderTest::SetUp();
    source = (testing::TestDataDir() / "images" / "exif" / GetParam()).string();
    bytes = codec::ReadFileBytes(source);
    before = ReadTags(source);
    ASSERT_FALSE(before.empty());
  }
  std::string Write(const std::string& name, const std::vector<uint8_t>& data) {
    codec::WriteFileAtomically(PathOf(name), data);
    return PathOf(name);
  }
  // Every tag the source had, with the same value, except the ones that must change.
  void ExpectCarried(const Tags& after, int32_t width, int32_t height) {
    EXPECT_EQ(after.count("Warning"), 0u) << after.at("Warning");
    for (const auto& [tag, value] : before) {
      if (tag == "ExifImageWidth" || tag == "ExifImageHeight" || tag == "Warning") continue;
      EXPECT_EQ(after.count(tag) ? after.at(tag) : "<fehlt>", value) << tag;
    }
    if (before.count("ExifImageWidth")) {
      EXPECT_EQ(after.at("ExifImageWidth"), std::to_string(width));
      EXPECT_EQ(after.at("ExifImageHeight"), std::to_string(height));
    }
  }

  std::string source;
  std::vector<uint8_t> bytes;
  Tags before;
};

TEST_P(MetadataCarryTest, ScaledOrConvertedToTiffAJpegKeepsItsMetadata) {
  codec::ScaleSettings settings;
  settings.maxWidth = 64;
  settings.maxHeight = 64;
  settings.interpolate = true;
  settings.filter = codec::ResampleFilter::Lanczos3;
  const auto scaled =
      codec::ScaleImageBytes(bytes, codec::ImageKind::Jpeg, codec::ImageKind::Jpeg, settings);
  ASSERT_TRUE(scaled);
  const codec::ImageInfo info = codec::ReadImageInfo(*scaled);
  EXPECT_LE(std::max(info.width, info.height), 64);
  ExpectCarried(ReadTags(Write("scaled.jpg", *scaled)), info.width, info.height);

  const auto tiff = codec::ConvertImage(bytes, codec::ImageKind::Jpeg, codec::ImageKind::Tiff);
  const codec::ImageInfo converted = codec::ReadImageInfo(tiff);
  ExpectCarried(ReadTags(Write("converted.tif", tiff)), converted.width, converted.height);
  // The pixels are still what the encoder wrote.
  EXPECT_EQ(codec::DecodeImage(tiff).width, converted.width);
}

// Exif with XMP, IPTC and ICC; big-endian Exif with GPS and ICC; a camera with maker note.
INSTANTIATE_TEST_SUITE_P(Cameras, MetadataCarryTest,
                         ::testing::Values("nomake/Photoshop_3_iptc.jpg",
                                           "other/HTC_Desire_gps.jpg", "canon/Canon_40D.jpg"),
                         [](const auto& info) {
                           std::string name = std::filesystem::path(info.param).stem().string();
                           for (char& c : name)
                             if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
                           return name;
                         });

// The JPEG with the segments put right after its start-of-image marker.
std::vector<uint8_t> WithSegments(const std::vector<uint8_t>& jpeg,
                                  const std::vector<std::vector<uint8_t>>& segments) {
  std::vector<uint8_t> result = {jpeg[0], jpeg[1]};
  for (const auto& segment : segments) result.insert(result.end(), segment.begin(), segment.end());
  result.insert(result.end(), jpeg.begin() + 2, jpeg.end());
  return result;
}

TEST(MetadataCarryRulesTest, OnlyCarriedSegmentsGoAlongAndABitmapTakesNone) {
  const codec::Image image{4, 4, codec::PixelFormat::Gray8, std::vector<uint8_t>(16, 9)};
  const std::vector<uint8_t> jpeg = codec::EncodeImage(image, codec::ImageKind::Jpeg);
  // An Exif block and a multi-picture index (which points into the old file).
  const std::vector<uint8_t> exif = {0xFF, 0xE1, 0, 8, 'E', 'x', 'i', 'f', 0, 0};
  const std::vector<uint8_t> mpf = {0xFF, 0xE2, 0, 6, 'M', 'P', 'F', 0};
  const std::vector<uint8_t> source = WithSegments(jpeg, {exif, mpf});

  const codec::JpegMetadata metadata = codec::ExtractJpegMetadata(source);
  ASSERT_EQ(metadata.segments.size(), 1u);
  EXPECT_EQ(metadata.segments[0], exif);
  const auto carried =
      codec::EncodeKeepingMetadata(image, codec::ImageKind::Jpeg, source, codec::ImageKind::Jpeg);
  EXPECT_EQ(carried.size(), jpeg.size() + exif.size());
  EXPECT_EQ(codec::DecodeImage(carried).pixels, codec::DecodeImage(jpeg).pixels);
  EXPECT_EQ(
      codec::EncodeKeepingMetadata(image, codec::ImageKind::Bmp, source, codec::ImageKind::Jpeg),
      codec::EncodeImage(image, codec::ImageKind::Bmp));

  // An Exif block whose thousand entries all claim its whole length copies at most a few
  // times its size into a TIFF.
  std::vector<uint8_t> hostile = {0xFF, 0xE1, 0,  0, 'E', 'x', 'i', 'f', 0,    0,
                                  'I',  'I',  42, 0, 8,   0,   0,   0,   0xE8, 3};
  for (int i = 0; i < 1000; ++i) {
    const std::vector<uint8_t> entry = {0x0E, 1, 7, 0, 0x00, 0x2F, 0, 0, 0, 0, 0, 0};
    hostile.insert(hostile.end(), entry.begin(), entry.end());  // ImageDescription, 12032 bytes
  }
  hostile.resize(hostile.size() + 4 + 1000);
  hostile[2] = static_cast<uint8_t>((hostile.size() - 2) >> 8);
  hostile[3] = static_cast<uint8_t>(hostile.size() - 2);
  const std::vector<uint8_t> hostileJpeg = WithSegments(jpeg, {hostile});
  const auto tiff = codec::EncodeKeepingMetadata(image, codec::ImageKind::Tiff, hostileJpeg,
                                                 codec::ImageKind::Jpeg);
  EXPECT_LT(tiff.size(), 4 * hostile.size());
  EXPECT_EQ(codec::DecodeImage(tiff).pixels, image.pixels);

  // A segment claiming more bytes than there are ends the walk; nothing is read past it.
  std::vector<uint8_t> cut(source.begin(), source.begin() + 8);
  EXPECT_TRUE(codec::ExtractJpegMetadata(cut).empty());
}

}  // namespace
}  // namespace vemora
