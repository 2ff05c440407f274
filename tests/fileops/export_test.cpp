// Stored images out to files on both engines: "Exportieren..." in every format with write
// back, its failures, "Speichern unter..." and SaveImageToFile.
#include <gtest/gtest.h>

#include <filesystem>

#include "codec/bmp.h"
#include "codec/decode.h"
#include "codec/jpeg.h"
#include "codec/tiff.h"
#include "fileops/exporting.h"
#include "fileops/saving.h"
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
  EXPECT_THROW(
      {
        try {
          Export(ExportOutcome::Marked, kConvertToBmp);
        } catch (const std::runtime_error& error) {
          EXPECT_NE(std::string(error.what()).find((target / "b.BMP").string()), std::string::npos);
          EXPECT_TRUE(std::string(error.what()).starts_with("Die Datei"));
          throw;
        }
      },
      std::runtime_error);
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

}  // namespace
}  // namespace vemora
