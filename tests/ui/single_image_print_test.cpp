// The single-image page drawn offscreen: which caption texts are printed, the job title, and
// a page without captions.
#include <gtest/gtest.h>

#include <QPainter>

#include "support/qt_application.h"
#include "ui/single_image_print.h"

namespace vemora {
namespace {

class SingleImagePrintTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { testing::EnsureApplication(); }
  void SetUp() override {
    record.name = "Hafen";
    record.textLeft = "Links";
    record.textRight = "Rechts";
    record.textTop = "Oben";
    record.textBottom = "";  // null in the catalogue
    picture.fill(Qt::red);
  }
  // The page drawn on white; also returns its layout.
  QImage Render(const ui::PrintedCaptions& captions, SingleImagePageLayout& layout) {
    layout = ui::LayOutPrintedPage(picture.size(), captions);
    QImage page(layout.panel.width, layout.panel.height, QImage::Format_RGB32);
    page.fill(Qt::white);
    QPainter painter(&page);
    ui::PaintSingleImagePage(painter, picture, captions, layout);
    return page;
  }
  static int DarkPixels(const QImage& page, const QRect& area) {
    int dark = 0;
    for (int y = std::max(0, area.top()); y <= std::min(page.height() - 1, area.bottom()); ++y) {
      for (int x = std::max(0, area.left()); x <= std::min(page.width() - 1, area.right()); ++x) {
        dark += qGray(page.pixel(x, y)) < 128 && page.pixel(x, y) != QColor(Qt::red).rgb();
      }
    }
    return dark;
  }

  GridRecord record;
  OptionValues options = DefaultOptionValues();
  QImage picture{60, 40, QImage::Format_RGB32};
};

TEST_F(SingleImagePrintTest, TextsFollowTheRecordAndThePrintSwitches) {
  options.captions[kSideTop].printed = false;
  const ui::PrintedCaptions captions = ui::CaptionsToPrint(&record, options);
  EXPECT_EQ(captions.texts[kSideLeft].toStdString(), "Links");
  EXPECT_EQ(captions.texts[kSideRight].toStdString(), "Rechts");
  EXPECT_TRUE(captions.texts[kSideTop].isEmpty()) << "CTOP off";
  EXPECT_TRUE(captions.texts[kSideBottom].isEmpty());
  EXPECT_EQ(ui::SingleImageJobTitle(&record).toStdString(), "Hafen");

  const ui::PrintedCaptions none = ui::CaptionsToPrint(nullptr, DefaultOptionValues());
  for (const QString& text : none.texts) EXPECT_TRUE(text.isEmpty());
  EXPECT_EQ(ui::SingleImageJobTitle(nullptr).toStdString(), "Galeriekasten Bild");
}

// Where the picture and each caption land on a printed page is checked in the PDF
// (print_single_test.cpp); here the page with no captions at all.
TEST_F(SingleImagePrintTest, WithNoCaptionsOnlyThePictureIsDrawn) {
  SingleImagePageLayout layout;
  for (auto& caption : options.captions) caption.printed = false;
  const QImage bare = Render(ui::CaptionsToPrint(&record, options), layout);
  EXPECT_EQ(layout.image.left, kCaptionGap);
  EXPECT_GT(layout.image.top, kCaptionGap) << "an empty caption is one line high";
  EXPECT_EQ(DarkPixels(bare, bare.rect()), 0);
}

}  // namespace
}  // namespace vemora
