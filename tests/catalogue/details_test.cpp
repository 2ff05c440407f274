// The details command's write on both engines, and the EXIF dialog's summary of real camera
// files, its expected lines written by hand from exiftool's reading beside each file.
#include <gtest/gtest.h>

#include "catalogue/adding.h"
#include "catalogue/exif_report.h"
#include "catalogue/record_details.h"
#include "catalogue_engine_fixture.h"
#include "gateways/catalogue_rows.h"
#include "metadata/img_data.h"
#include "support/pictures.h"
#include "support/testdata.h"

namespace vemora {
namespace {

using testing::ColumnValues;

class DetailsTest : public testing::CatalogueEngineFixture {
 protected:
  void SetUp() override {
    CatalogueEngineFixture::SetUp();
    if (IsSkipped() || HasFatalFailure()) return;
    for (const char* name : {"eins.jpg", "zwei.jpg"}) {
      AddImageFile(session, grid, WriteFile(name, testing::TestJpeg(40, 30)));
    }
  }
  // Record `row` of the grid and row `row` of the table hold these texts.
  void ExpectStored(int row, const RecordTexts& texts) {
    EXPECT_EQ(TextsOfRecord(grid.Record(row)), texts);
    const auto index = static_cast<std::size_t>(row);
    EXPECT_EQ(ColumnValues(gateway(), "Name")[index], texts.name);
    EXPECT_EQ(ColumnValues(gateway(), "Beschreibung")[index], texts.beschreibung);
    EXPECT_EQ(ColumnValues(gateway(), "TextTop")[index], texts.textTop);
    EXPECT_EQ(ColumnValues(gateway(), "TextBottom")[index], texts.textBottom);
    EXPECT_EQ(ColumnValues(gateway(), "TextLeft")[index], texts.textLeft);
    EXPECT_EQ(ColumnValues(gateway(), "TextRight")[index], texts.textRight);
    EXPECT_EQ(ColumnValues(gateway(), "Suchbegriffe")[index], texts.suchbegriffe);
  }
};

TEST_P(DetailsTest, ConfirmedTextsReachGridAndTableAndOnlyChangedOnesAreWritten) {
  const RecordTexts untouched = TextsOfRecord(grid.Record(0));
  const RecordTexts edited = {"Hafen", "Zwei\r\nZeilen", "oben",      "unten",
                              "links", "rechts",         "Meer, Boot"};
  failing->statements.clear();
  EXPECT_EQ(WriteRecordTexts(session, grid, 1, edited), 7);
  EXPECT_EQ(failing->statements.size(), 7u);
  ExpectStored(1, edited);
  ExpectStored(0, untouched);

  // The same texts again write nothing; one changed text writes one statement.
  failing->statements.clear();
  EXPECT_EQ(WriteRecordTexts(session, grid, 1, edited), 0);
  RecordTexts emptied = edited;
  emptied.beschreibung.clear();
  EXPECT_EQ(WriteRecordTexts(session, grid, 1, emptied), 1);
  EXPECT_EQ(failing->statements.size(), 1u);
  ExpectStored(1, emptied);
}

TEST_P(DetailsTest, AFailedWriteLeavesGridAndTableAgreeing) {
  const RecordTexts edited = {"neu", "neu", "neu", "neu", "neu", "neu", "neu"};
  RecordTexts expected = TextsOfRecord(grid.Record(0));
  expected.name = "neu";
  expected.beschreibung = "neu";
  failing->FailOnStatement(3);  // the third column's update
  EXPECT_THROW(WriteRecordTexts(session, grid, 0, edited), TDBError);
  failing->FailOnStatement(0);
  ExpectStored(0, expected);
}

VEMORA_INSTANTIATE_FOR_ALL_ENGINES(DetailsTest);

std::string CameraFile(const std::string& path) {
  return (testing::TestDataDir() / "images" / "exif" / path).string();
}

struct SummaryCase {
  const char* file;
  std::vector<std::string> lines;
};

// Exposure, focal lengths, aperture, ISO and flash as exiftool reads them, in our formats:
// rationals as stored ("5/300" is exiftool's 1/60), lengths with two decimals.
const SummaryCase kSummaries[] = {
    // Exposure time, the file's own 35 mm length (the reader writes it without unit), no
    // Exif ISO (the camera keeps it in its maker note), flash fired.
    {"nikon/Nikon_D70.jpg",
     {"Dateiname : Nikon_D70.jpg", "Kamera : NIKON CORPORATION (NIKON D70)",
      "Foto Datum : 2004:11:21 21:29:12", "Auslösezeit : 5/300 sec", "Brennweite : 70.00 mm",
      "Brennweite (35mm) : 105", "Blende : F4.5", "Blitz : JA"}},
    // No exposure time: the shutter speed value instead; the 35 mm length worked out from
    // the sensor resolution (8.7 mm on a 1/1.7" sensor), which exiftool does not list.
    {"fujifilm/Fujifilm_FinePix40i.jpg",
     {"Dateiname : Fujifilm_FinePix40i.jpg", "Kamera : FUJIFILM (FinePix40i)",
      "Foto Datum : 2000:08:04 18:22:57", "Verschlusszeit : 0.0221 sec (1/45)",
      "Brennweite :  8.70 mm", "Brennweite (35mm) : 29.88 mm", "Blende : F2.8", "ISO : 200",
      "Blitz : JA"}},
    // Flash 16: off, did not fire.
    {"canon/Canon_350D_MG_9382.JPG",
     {"Dateiname : Canon_350D_MG_9382.JPG", "Kamera : Canon (Canon EOS DIGITAL REBEL XT)",
      "Foto Datum : 2020:03:05 09:41:42", "Auslösezeit : 1/50 sec", "Brennweite : 35.00 mm",
      "Brennweite (35mm) : 56.78 mm", "Blende : F4.5", "ISO : 100", "Blitz : NEIN"}},
    // No Exif data at all (its APP1 section holds none): nothing to summarise.
    {"casio/Casio_QV-7000SX_noexif.jpg", {}},
};

TEST(ExifSummaryTest, CameraFilesAsExiftoolReadsThemAndReaderErrorsAsWritten) {
  VEMORA_REQUIRE_TESTDATA();
  for (const SummaryCase& expected : kSummaries) {
    EXPECT_EQ(ReadExifReport(CameraFile(expected.file)).summary, expected.lines) << expected.file;
  }

  metadata::TimgData data;
  ASSERT_TRUE(data.ProcessFile(CameraFile("canon/Canon_350D_MG_9382.JPG")));
  data.ErrStr = "Illegally sized directory";
  EXPECT_EQ(
      ExifSummaryLines(data, "x.jpg"),
      (std::vector<std::string>{"File Name: x.jpg", "Exif Error: Illegally sized directory"}));
}

TEST(ExifSummaryTest, TagListHoldsEveryGroupTheFileHas) {
  VEMORA_REQUIRE_TESTDATA();
  const auto contains = [](const std::vector<MetadataTag>& tags, const MetadataTag& wanted) {
    for (const MetadataTag& tag : tags) {
      if (tag.group == wanted.group && tag.name == wanted.name && tag.value == wanted.value)
        return true;
    }
    return false;
  };
  // Main directory, GPS and the maker note of a phone picture; IPTC of a camera file.
  const auto gps = ReadExifReport(CameraFile("other/Apple_iPhone4_gps.jpg")).tags;
  EXPECT_TRUE(contains(gps, {"EXIF", "Model", "iPhone 4"}));
  bool hasGps = false;
  for (const MetadataTag& tag : gps) hasGps = hasGps || tag.group == "GPS";
  EXPECT_TRUE(hasGps);
  const auto iptc = ReadExifReport(CameraFile("canon/Canon_EOS-1D_iptc.jpg")).tags;
  bool hasIptc = false;
  for (const MetadataTag& tag : iptc) hasIptc = hasIptc || tag.group == "IPTC";
  EXPECT_TRUE(hasIptc);
  EXPECT_TRUE(ReadExifReport(CameraFile("no/such/file.jpg")).tags.empty());
}

}  // namespace
}  // namespace vemora
