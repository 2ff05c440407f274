// The "Datei" submenu's rules and the commands on the focused record's file: conversion
// between JPEG and BMP, and renaming after the designation.
#include <gtest/gtest.h>

#include <filesystem>

#include "catalogue/scripted_prompter.h"
#include "codec/bmp.h"
#include "codec/image_kind.h"
#include "codec/jpeg.h"
#include "fileops/file_conversion.h"
#include "fileops/file_menu.h"
#include "fileops/renaming.h"
#include "settings/ini_plus.h"
#include "settings/settings_keys.h"
#include "support/pictures.h"
#include "support/temp_folder.h"

namespace vemora {
namespace {

GridRecord Record(const std::string& name, std::optional<std::string> path) {
  GridRecord record;
  record.name = name;
  record.filePath = std::move(path);
  return record;
}

struct MenuCase {
  const char* file;
  bool toBmp;
  bool toJpeg;
  const char* caption;
};

class FileMenuTest : public ::testing::TestWithParam<MenuCase> {};

TEST_P(FileMenuTest, EnablesByExtensionAndKeepsItsCaseInTheCaption) {
  CatalogueGrid grid;
  grid.Append(Record("Baustelle Nord", std::string(GetParam().file)));
  grid.focused = 0;
  const FileMenuState state = ComputeFileMenuState(grid);
  EXPECT_EQ(state.convertToBmp, GetParam().toBmp);
  EXPECT_EQ(state.convertToJpeg, GetParam().toJpeg);
  EXPECT_TRUE(state.rename);
  EXPECT_EQ(state.renameCaption, GetParam().caption);
}

INSTANTIATE_TEST_SUITE_P(
    Extensions, FileMenuTest,
    ::testing::Values(MenuCase{"/b/IMG_0815.jpg", true, false, "Ändere Name zu Baustelle Nord.jpg"},
                      MenuCase{"/b/x.JPEG", true, false, "Ändere Name zu Baustelle Nord.JPEG"},
                      MenuCase{"/b/x.Bmp", false, true, "Ändere Name zu Baustelle Nord.Bmp"},
                      MenuCase{"/b/x.tif", false, false, "Ändere Name zu Baustelle Nord.tif"},
                      // The dot of a folder is no extension.
                      MenuCase{"/b.jpg/x", false, false, "Ändere Name zu Baustelle Nord"}));

TEST(FileMenuRulesTest, NothingIsEnabledWithoutAFocusedRecord) {
  CatalogueGrid grid;
  EXPECT_FALSE(ComputeFileMenuState(grid).rename);
  grid.Append(Record("a", "/b/a.jpg"));
  const FileMenuState state = ComputeFileMenuState(grid);
  EXPECT_FALSE(state.convertToBmp || state.convertToJpeg || state.rename);
}

class FileCommandTest : public testing::TempFolderTest {
 protected:
  void SetUp() override {
    TempFolderTest::SetUp();
    thumbs = std::make_unique<TIniPlus>(PathOf("thumbs.ini"));
  }
  void Focus(const std::string& name, const std::string& file) {
    grid.Append(Record(name, PathOf(file)));
    grid.focused = grid.Count() - 1;
  }
  std::string FocusedPath() const { return grid.Focused()->filePath.value_or(""); }

  testing::ScriptedPrompter prompter;
  CatalogueGrid grid;
  std::unique_ptr<TIniPlus> thumbs;
};

TEST_F(FileCommandTest, JpegBecomesABitmapAndBackAndAFileOfTheWrongKindChangesNothing) {
  const codec::Image picture = testing::TestPicture(40, 30);
  const auto jpeg = codec::EncodeJpeg(picture);
  PutFile("a.JPEG", std::string(jpeg.begin(), jpeg.end()));
  Focus("a", "a.JPEG");
  EXPECT_EQ(ConvertFocusedFile(grid, prompter, FileTarget::Bmp), 0);

  EXPECT_EQ(FocusedPath(), PathOf("a.bmp"));
  EXPECT_TRUE(std::filesystem::exists(PathOf("a.JPEG")));
  const codec::Image written = codec::DecodeBmp(codec::AsBytes(FileBytes("a.bmp")));
  EXPECT_EQ(written.pixels, codec::DecodeJpeg(jpeg).pixels);  // the decoded JPEG, exactly
  ASSERT_EQ(prompter.shown.size(), 1u);
  EXPECT_EQ(prompter.shown[0], PathOf("a.JPEG") + " wurde zu " + PathOf("a.bmp") + " konvertiert.");

  // And back, replacing a file of that name without asking.
  PutFile("a.jpg", "old");
  EXPECT_EQ(ConvertFocusedFile(grid, prompter, FileTarget::Jpeg), 0);
  EXPECT_EQ(FocusedPath(), PathOf("a.jpg"));
  EXPECT_EQ(codec::DecodeJpeg(codec::AsBytes(FileBytes("a.jpg"))).width, 40);

  // A file of the wrong kind, or none, changes nothing and reports no conversion.
  prompter.shown.clear();
  const auto bmp = codec::EncodeBmp(testing::TestPicture(8, 8));
  PutFile("falsch.jpg", std::string(bmp.begin(), bmp.end()));
  Focus("falsch", "falsch.jpg");
  EXPECT_THROW(ConvertFocusedFile(grid, prompter, FileTarget::Bmp), std::runtime_error);
  Focus("fehlt", "fehlt.bmp");
  EXPECT_THROW(ConvertFocusedFile(grid, prompter, FileTarget::Jpeg), std::runtime_error);
  EXPECT_EQ(FocusedPath(), PathOf("fehlt.bmp"));
  EXPECT_FALSE(std::filesystem::exists(PathOf("falsch.bmp")));
  EXPECT_TRUE(prompter.shown.empty());
}

TEST_F(FileCommandTest, RenameMovesTheFileAndEveryRecordOnItAndCleansTheThumbnailCache) {
  PutFile("IMG_1.jpg", "bytes");
  grid.Append(Record("anderes", PathOf("IMG_1.jpg")));
  grid.Append(Record("ohne Datei", std::nullopt));
  Focus("Baustelle Nord", "IMG_1.jpg");
  thumbs->WriteString(kSectionThumbs, PathOf("IMG_1.jpg"), "1");
  thumbs->WriteString(kSectionThumbsData, PathOf("IMG_1.jpg"), "2");
  thumbs->WriteString(kSectionThumbs, PathOf("other.jpg"), "3");

  EXPECT_EQ(RenameFocusedFile(grid, prompter, *thumbs), (std::vector<int>{2, 0}));
  const std::string renamed = PathOf("Baustelle Nord.jpg");
  EXPECT_EQ(prompter.shown.back(), "Wollen Sie wirklich den Namen der Datei von \r\n" +
                                       PathOf("IMG_1.jpg") + " auf \r\n" + renamed + " ändern?");
  EXPECT_EQ(FileBytes("Baustelle Nord.jpg"), "bytes");
  EXPECT_FALSE(std::filesystem::exists(PathOf("IMG_1.jpg")));
  EXPECT_EQ(grid.Record(0).filePath, renamed);
  EXPECT_EQ(grid.Record(1).filePath, std::nullopt);
  EXPECT_EQ(grid.Record(2).filePath, renamed);
  EXPECT_EQ(thumbs->ReadString(kSectionThumbs, PathOf("IMG_1.jpg"), "-"), "-");
  EXPECT_EQ(thumbs->ReadString(kSectionThumbsData, PathOf("IMG_1.jpg"), "-"), "-");
  EXPECT_EQ(thumbs->ReadString(kSectionThumbs, PathOf("other.jpg"), "-"), "3");
}

TEST_F(FileCommandTest, RenameChangesNothingWhenRefusedOrWhenTheTargetExists) {
  PutFile("IMG_1.jpg", "alt");
  PutFile("Nord.jpg", "vorhanden");
  thumbs->WriteString(kSectionThumbs, PathOf("IMG_1.jpg"), "1");
  Focus("Nord", "IMG_1.jpg");
  for (const Answer answer : {Answer::No, Answer::Cancel, Answer::Yes}) {
    prompter.answers = {answer};
    EXPECT_TRUE(RenameFocusedFile(grid, prompter, *thumbs).empty());
  }
  EXPECT_EQ(FileBytes("IMG_1.jpg"), "alt");
  EXPECT_EQ(FileBytes("Nord.jpg"), "vorhanden");
  EXPECT_EQ(FocusedPath(), PathOf("IMG_1.jpg"));
  EXPECT_EQ(thumbs->ReadString(kSectionThumbs, PathOf("IMG_1.jpg"), "-"), "1");
  EXPECT_EQ(prompter.shown.size(), 3u);  // the three questions, no message
}

}  // namespace
}  // namespace vemora
