// Stored images out to files on both engines: "Exportieren..." in every format with write
// back, its failures, "Speichern unter..." and SaveImageToFile; and the scaling run: which rows
// are taken, what each becomes, the statements it sends, and a connection lost midway.
#include <gtest/gtest.h>

#include <filesystem>

#include "codec/bmp.h"
#include "codec/decode.h"
#include "codec/jpeg.h"
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

TEST_P(ExportTest, EveryFormatRoundTripsAndSameKindIsACopy) {
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
  EXPECT_EQ(Decode(Exported("a.TIF")).pixels, jpegPixels.pixels);
  EXPECT_EQ(Decode(Exported("b.TIF")).pixels, picture.pixels);
  EXPECT_TRUE(Exported("c.TIF") == tiff);

  Export(ExportOutcome::Marked, kConvertToJpeg);
  EXPECT_TRUE(Exported("a.JPG") == jpeg);
  const codec::Image lossy = Decode(Exported("c.JPG"));
  EXPECT_EQ(lossy.width, 30);
  EXPECT_EQ(lossy.height, 20);

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

  const ExportRun run = Export(ExportOutcome::Focused, kConvertToBmp, true);
  EXPECT_TRUE(run.wroteBack);
  const testing::StoredRow row = Stored(0);
  EXPECT_TRUE(row.bild == Exported("a.BMP"));
  EXPECT_EQ(row.file, "a.BMP");
  EXPECT_EQ(row.vsBild, "vs:a.jpg");
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

TEST_P(ExportTest, AFailedFileEndsTheRunKeepsTheEarlierOnesAndLeavesNoPartialFile) {
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
  EXPECT_EQ(files, 1);  // no temporary file left behind
}

TEST_P(ExportTest, BytesOfNoKnownKindAreExportedAsTheyAreAndKeptInTheRow) {
  const int notes = AddRow("notiz.txt", "kein Bild");
  grid.focused = notes;
  Export(ExportOutcome::Focused, kConvertToJpeg, true);
  EXPECT_TRUE(Exported("notiz.txt") == "kein Bild");
  EXPECT_TRUE(Stored(notes).bild == "kein Bild");
  EXPECT_EQ(Stored(notes).file, "notiz.txt");
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

}  // namespace
}  // namespace vemora
