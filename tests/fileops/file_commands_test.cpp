// The "Datei" submenu's rules and the commands on the focused record's file: conversion
// between JPEG and BMP, and renaming after the designation. The printed pages' layout: the
// single-image page for each caption alignment, and the table's page breaks.
#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

#include "catalogue/scripted_prompter.h"
#include "codec/bmp.h"
#include "codec/image_kind.h"
#include "codec/jpeg.h"
#include "fileops/file_conversion.h"
#include "fileops/file_menu.h"
#include "fileops/print_layout.h"
#include "fileops/renaming.h"
#include "fileops/report_pages.h"
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

TEST(FileMenuRulesTest, EnablesByExtensionAndKeepsItsCaseInTheCaptionButOnlyWithAFocus) {
  const struct {
    const char* file;
    bool toBmp;
    bool toJpeg;
    const char* caption;
  } cases[] = {{"/b/IMG_0815.jpg", true, false, "Ändere Name zu Baustelle Nord.jpg"},
               {"/b/x.JPEG", true, false, "Ändere Name zu Baustelle Nord.JPEG"},
               {"/b/x.Bmp", false, true, "Ändere Name zu Baustelle Nord.Bmp"},
               {"/b/x.tif", false, false, "Ändere Name zu Baustelle Nord.tif"},
               // The dot of a folder is no extension.
               {"/b.jpg/x", false, false, "Ändere Name zu Baustelle Nord"}};
  for (const auto& c : cases) {
    CatalogueGrid grid;
    grid.Append(Record("Baustelle Nord", std::string(c.file)));
    grid.focused = 0;
    const FileMenuState state = ComputeFileMenuState(grid);
    EXPECT_EQ(state.convertToBmp, c.toBmp) << c.file;
    EXPECT_EQ(state.convertToJpeg, c.toJpeg) << c.file;
    EXPECT_TRUE(state.rename) << c.file;
    EXPECT_EQ(state.renameCaption, c.caption);
  }

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

struct LayoutCase {
  const char* what;
  SingleImagePageInput input;
  SingleImagePageLayout expected;
};

// Captions: left 40x13, right 50x13, top 60x13, bottom 30x13 unless a case says otherwise.
constexpr std::array<PageSize, 4> kCaptions = {PageSize{40, 13}, PageSize{50, 13}, PageSize{60, 13},
                                               PageSize{30, 13}};

TEST(PrintLayout, EveryAlignmentPlacesItsCaptionAsItShould) {
  const std::vector<LayoutCase> cases = {
      {"all centred (the default)",
       {{201, 101}, kCaptions, {1, 1, 1, 1}},
       // L 50, R 60, T 23, B 23; halves round toward zero.
       {{311, 147}, {50, 23}, {{{0, 63}, {261, 63}, {120, 0}, {135, 134}}}, false}},
      {"top/left and bottom/right",
       {{201, 101}, kCaptions, {0, 2, 0, 2}},
       {{311, 147}, {50, 23}, {{{0, 23}, {261, 114}, {50, 0}, {221, 134}}}, false}},
      {"bottom/right and top/left",
       {{201, 101}, kCaptions, {2, 0, 2, 0}},
       {{311, 147}, {50, 23}, {{{0, 114}, {261, 23}, {191, 0}, {50, 134}}}, false}},
      {"a caption wider than the picture, centred, starts left of it",
       {{21, 10}, {PageSize{0, 0}, PageSize{0, 0}, PageSize{60, 13}, PageSize{0, 0}}, {1, 1, 1, 1}},
       // (21 - 60) / 2 = -19 (toward zero, not -20).
       {{41, 43}, {10, 23}, {{{0, 18}, {41, 18}, {-9, 0}, {20, 43}}}, false}},
      {"no captions printed: each side still keeps its gap",
       {{100, 50}, {}, {1, 1, 1, 1}},
       {{120, 70}, {10, 10}, {{{0, 25}, {120, 25}, {60, 0}, {60, 70}}}, false}},
      {"wider than the page is shrunk",
       {{600, 50}, kCaptions, {1, 1, 1, 1}},
       {{710, 96}, {50, 23}, {{{0, 38}, {660, 38}, {320, 0}, {335, 83}}}, true}},
      {"exactly the page width is not",
       {{574, 50}, kCaptions, {1, 1, 1, 1}},
       {{684, 96}, {50, 23}, {{{0, 38}, {634, 38}, {307, 0}, {322, 83}}}, false}},
  };
  for (const auto& [what, input, expected] : cases)
    EXPECT_EQ(LayOutSingleImagePage(input), expected) << what;

  // An unknown alignment keeps the previous position.
  SingleImagePageLayout previous;
  previous.captions = {{{0, 7}, {99, 8}, {9, 0}, {11, 99}}};
  const auto layout = LayOutSingleImagePage({{201, 101}, kCaptions, {3, -1, 5, 7}}, previous);
  EXPECT_EQ(layout.captions, (std::array<PagePoint, 4>{{{0, 7}, {261, 8}, {9, 0}, {11, 134}}}));
}

struct PagesCase {
  const char* what;
  std::vector<int32_t> heights;
  int32_t pageHeight;
  int32_t headerHeight;
  std::vector<RowRange> expected;
};

TEST(ReportPages, RowsFillEachPageBelowItsHeader) {
  const std::vector<PagesCase> cases = {
      {"no rows: no page", {}, 100, 10, {}},
      {"a row that just fits stays", {30, 30, 30, 10}, 100, 10, {{0, 3}, {3, 4}}},
      {"a row one unit too tall moves on", {30, 30, 31, 5}, 100, 10, {{0, 2}, {2, 4}}},
      {"a row taller than a page is alone", {20, 500, 20, 20}, 100, 10, {{0, 1}, {1, 2}, {2, 4}}},
      {"a header as tall as the page still prints a row per page",
       {5, 5},
       50,
       50,
       {{0, 1}, {1, 2}}},
  };
  for (const PagesCase& test : cases) {
    const auto& [what, heights, pageHeight, headerHeight, expected] = test;
    ReportPaginator pages(static_cast<int32_t>(heights.size()), pageHeight, headerHeight);
    std::vector<int32_t> asked;
    std::vector<RowRange> got;
    while (auto page = pages.NextPage([&](int32_t row) {
      asked.push_back(row);
      return test.heights[static_cast<size_t>(row)];
    })) {
      got.push_back(*page);
    }
    EXPECT_EQ(got, expected) << what;
    std::vector<int32_t> once(heights.size());
    for (size_t row = 0; row < once.size(); ++row) once[row] = static_cast<int32_t>(row);
    EXPECT_EQ(asked, once) << what << ": every row measured once, in order";
  }
}

}  // namespace
}  // namespace vemora
