// The command groups driven through the window. "Ansicht": the layout written to settings.ini
// at every change and restored by the next call, the single image's zoom, the thumbnail panel
// folded at the window's edge or switched off, and the grid's lines. The groups that open
// dialogs of their own: the search marks what the user takes over, the keyword commands write
// the focused record, "Hilfe" hands its page to the desktop, the hand-offs.
#include <QAction>
#include <QClipboard>
#include <QComboBox>
#include <QDockWidget>
#include <QEnterEvent>
#include <QHeaderView>
#include <QImage>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <filesystem>

#include "platform/desktop.h"
#include "search/search_options.h"
#include "settings/ini_plus.h"
#include "settings/settings_keys.h"
#include "support/fake_programs.h"
#include "support/fake_xdg_open.h"
#include "ui/edge_collapser.h"
#include "ui/editor_wait_dialog.h"
#include "ui/grid_navigator.h"
#include "ui/keyword_tree_combo.h"
#include "ui/search_dialog.h"
#include "ui/search_result_model.h"
#include "window_fixture.h"

namespace vemora {
namespace {

using testing::FlatJpeg;

class ViewTest : public testing::WindowTest {
 protected:
  TIniPlus Settings() const { return TIniPlus(SettingsFolder() + "settings.ini"); }
  // -1 when the key is missing.
  int Stored(std::string_view section, std::string_view key) const {
    return Settings().ReadInteger(section, key, -1);
  }
  QComboBox* Zoom() const { return Find<QComboBox>("zoomCombo"); }
  QDockWidget* Dock(const char* name) const { return Find<QDockWidget>(name); }
  void InsertRows(int count) {
    for (int key = 1; key <= count; ++key) Insert("Bild " + std::to_string(key), "", "", key);
  }
};

struct StoredKey {
  std::string_view section;
  std::string_view key;
  int value;
};

TEST_F(ViewTest, FreshSettingsGetTheWholeLayoutAtFirstShow) {
  Open();
  const StoredKey expected[] = {
      {kSectionLayout, kKeyBandInformation, 1},  {kSectionLayout, kKeyBandCaptions, 1},
      {kSectionLayout, kKeyBandKeywords, 1},     {kSectionLayout, kKeyBandDetails, 0},
      {kSectionLayout, kKeyPanelSingleImage, 1}, {kSectionLayout, kKeyPanelImageInformation, 1},
      {kSectionLayout, kKeyPanelThumbnails, 1},  {kSectionLayout, kKeyPanelSelection, 1},
      {kSectionLayout, kKeyBandHeaders, 1},      {kSectionLayout, kKeyHeaders, 1},
      {kSectionZoom, kKeyZoomIndex, 0},          {kSectionStyle, kKeyStyle, 0},
  };
  for (const StoredKey& key : expected)
    EXPECT_EQ(Stored(key.section, key.key), key.value) << key.section << " " << key.key;

  EXPECT_EQ(SingleImage()->windowTitle().toStdString(), "Einzelbild [Bildqualität-hoch]");
  EXPECT_TRUE(Action("styleStandard")->isChecked());
  EXPECT_FALSE(Action("styleOffice11")->isChecked());
  EXPECT_EQ(Zoom()->currentIndex(), 0);
  // At "Größe automatisch anpassen" there is nothing to step.
  EXPECT_FALSE(Action("zoomIn")->isVisible());
  EXPECT_FALSE(Action("zoomOut")->isVisible());
  EXPECT_TRUE(Grid()->isColumnHidden(kItemPath)) << "DETAILS starts hidden";
}

TEST_F(ViewTest, EveryChangeIsWrittenAtOnceAndTheNextCallRestoresIt) {
  Open();
  Action("bandCaptionsToggle")->trigger();
  EXPECT_EQ(Stored(kSectionLayout, kKeyBandCaptions), 0);
  Action("columnHeadersToggle")->trigger();
  EXPECT_EQ(Stored(kSectionLayout, kKeyHeaders), 0);
  Action("bandHeadersToggle")->trigger();
  EXPECT_EQ(Stored(kSectionLayout, kKeyBandHeaders), 0);
  Action("imageInformationToggle")->trigger();
  EXPECT_EQ(Stored(kSectionLayout, kKeyPanelImageInformation), 0);
  for (int step = 0; step < 3; ++step) Action("zoomIn")->trigger();
  EXPECT_EQ(Stored(kSectionZoom, kKeyZoomIndex), 3);
  Action("styleXp")->trigger();
  EXPECT_EQ(Stored(kSectionStyle, kKeyStyle), 2);
  EXPECT_FALSE(Action("styleStandard")->isChecked());
  // A closed selection panel is written, but the next call shows it again.
  Dock("selectionPanel")->close();
  EXPECT_FALSE(Action("selectionOverviewToggle")->isChecked());
  WaitFor([&] { return Stored(kSectionLayout, kKeyPanelSelection) == 0; });

  form.reset();
  Open();
  EXPECT_FALSE(Action("bandCaptionsToggle")->isChecked());
  EXPECT_TRUE(Grid()->isColumnHidden(kItemTextTop));
  EXPECT_TRUE(Action("bandInformationToggle")->isChecked());
  EXPECT_FALSE(Grid()->isColumnHidden(kItemName));
  EXPECT_FALSE(Grid()->horizontalHeader()->isVisible());
  EXPECT_FALSE(Action("bandHeadersToggle")->isChecked());
  EXPECT_FALSE(Action("imageInformationToggle")->isChecked());
  EXPECT_FALSE(Dock("imageInformationPanel")->isVisible());
  EXPECT_EQ(Zoom()->currentIndex(), 3);
  EXPECT_EQ(SingleImage()->zoom(), 3);
  EXPECT_TRUE(Action("zoomOut")->isVisible());
  EXPECT_TRUE(Action("styleXp")->isChecked());
  EXPECT_TRUE(Dock("selectionPanel")->isVisible());
  EXPECT_TRUE(Action("selectionOverviewToggle")->isChecked());
  EXPECT_EQ(Stored(kSectionLayout, kKeyBandCaptions), 0) << "restoring keeps what was stored";

  // Hiding the single image hides its zoom bar with it.
  Action("singleImageToggle")->trigger();
  EXPECT_FALSE(SingleImage()->isVisible());
  EXPECT_FALSE(Action("zoomOut")->isVisible());
  EXPECT_EQ(Stored(kSectionLayout, kKeyPanelSingleImage), 0);
}

TEST_F(ViewTest, ZoomStepsStayBetweenTwentyFiveAndTwoHundredPercent) {
  const std::string picture = FlatJpeg(295, 195);
  Insert("bild", picture, codec::MakePreviewJpeg(picture), 1);
  ui::TForm1& window = Open();
  window.FocusRecord(0);
  ASSERT_EQ(SingleImage()->picture().size(), QSize(295, 195));

  Action("zoomIn")->trigger();
  Action("zoomOut")->trigger();
  EXPECT_EQ(Zoom()->currentIndex(), 1) << "Verkleinern never returns to fitting";
  EXPECT_EQ(SingleImage()->displayedSize(), QSize(75, 50));
  for (int step = 0; step < 2; ++step) Action("zoomIn")->trigger();
  EXPECT_EQ(SingleImage()->displayedSize(), QSize(200, 133));
  for (int step = 0; step < 7; ++step) Action("zoomIn")->trigger();
  EXPECT_EQ(Zoom()->currentIndex(), 8);
  EXPECT_EQ(SingleImage()->displayedSize(), QSize(600, 400));
  // A new picture keeps the scale.
  window.FocusRecord(-1);
  window.FocusRecord(0);
  EXPECT_EQ(SingleImage()->displayedSize(), QSize(600, 400));
}

TEST_F(ViewTest, SingleImageMenuCopiesThePictureAndDocksAFloatingPanel) {
  const std::string picture = FlatJpeg(64, 48);
  Insert("bild", picture, codec::MakePreviewJpeg(picture), 1);
  ui::TForm1& window = Open();
  window.FocusRecord(0);
  Action("copySingleImage")->trigger();
  EXPECT_EQ(QApplication::clipboard()->image().size(), QSize(64, 48));

  ui::SingleImagePanel* single = SingleImage();
  single->setFloating(true);
  Action("tidySingleImage")->trigger();
  EXPECT_FALSE(single->isFloating());
  EXPECT_EQ(window.dockWidgetArea(single), window.dockWidgetArea(Dock("imageInformationPanel")));
  // Docked, it stays where it is.
  const QRect docked = single->geometry();
  Action("tidySingleImage")->trigger();
  EXPECT_EQ(single->geometry(), docked);
}

TEST_F(ViewTest, HiddenThumbnailsDisableTheToggleAndBuildNoStripWhateverIp4Says) {
  InsertRows(3);
  for (bool shown : {false, true}) {
    TIniPlus settings = Settings();
    settings.WriteBool(kSectionSettings, kKeyHideThumbs, true);
    settings.WriteBool(kSectionLayout, kKeyPanelThumbnails, shown);
    Open();
    EXPECT_FALSE(Action("thumbnailsToggle")->isEnabled());
    EXPECT_FALSE(Action("thumbnailsToggle")->isChecked());
    EXPECT_FALSE(Dock("thumbnailPanel")->isVisible());
    EXPECT_EQ(Strip()->model()->rowCount(), 0);
    form.reset();
  }
}

TEST_F(ViewTest, ThumbnailPanelFoldsToItsTabAndOpensWhileThePointerRestsOnIt) {
  InsertRows(2);
  Open();
  auto* tab = Find<ui::EdgeTab>("edgeTab");
  EXPECT_TRUE(tab->isVisible());
  EXPECT_FALSE(Strip()->isVisible());
  WaitFor([&] { return Dock("thumbnailPanel")->width() <= tab->width() + 2; });
  auto gridLeft = [&] { return Find<QWidget>("cxGrid1")->mapTo(form.get(), QPoint()).x(); };
  const int left = gridLeft();
  form->activateWindow();
  auto* editor = EditCell<QLineEdit>(0, kItemName);
  ASSERT_NE(editor, nullptr);
  WaitFor([&] { return editor->hasFocus(); });
  QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
  QApplication::sendEvent(tab, &enter);
  WaitFor([&] { return Strip()->isVisible(); });
  // Open, it lies over the grid, which keeps its place, as wide as THUMBSSIZE (default 100)
  // and its margin ask.
  EXPECT_EQ(Find<QWidget>("edgeOverlay")->width(), 100 + 40);
  EXPECT_EQ(gridLeft(), left);
  // Folding away with the keyboard focus in the strip hands it back to the grid, whose cell
  // editor closed when the strip took it.
  Strip()->setFocus();
  WaitFor([&] { return Strip()->hasFocus(); });
  Dock("thumbnailPanel")->findChild<ui::EdgeCollapser*>()->Fold();
  EXPECT_FALSE(Strip()->isVisible());
  EXPECT_TRUE(Grid()->hasFocus());

  // Permanently open: no tab; the toggle hides and shows the panel.
  form.reset();
  Settings().WriteInteger(kSectionSettings, kKeyThumbsVisible, 1);
  Open();
  EXPECT_FALSE(Find<ui::EdgeTab>("edgeTab")->isVisible());
  EXPECT_TRUE(Strip()->isVisible());
  Action("thumbnailsToggle")->trigger();
  EXPECT_FALSE(Dock("thumbnailPanel")->isVisible());
  EXPECT_EQ(Stored(kSectionLayout, kKeyPanelThumbnails), 0);
  // Shown again, the thumbnails take the stored size, whatever they had before.
  Settings().WriteInteger(kSectionSettings, kKeyThumbsSize, 140);
  Action("thumbnailsToggle")->trigger();
  EXPECT_TRUE(Strip()->isVisible());
  EXPECT_EQ(Stored(kSectionLayout, kKeyPanelThumbnails), 1);
  EXPECT_EQ(Strip()->iconSize(), QSize(140, 140));
}

// Whether some pixel row (or column) of the image is red over most of its length.
bool RedLine(const QImage& image, bool horizontal) {
  const int lines = horizontal ? image.height() : image.width();
  const int length = horizontal ? image.width() : image.height();
  for (int line = 0; line < lines; ++line) {
    int red = 0;
    for (int at = 0; at < length; ++at)
      red += image.pixel(horizontal ? at : line, horizontal ? line : at) == qRgb(255, 0, 0);
    if (red > length / 2) return true;
  }
  return false;
}

TEST_F(ViewTest, GridLinesFollowTheSettingAfterTheOptionsChange) {
  InsertRows(8);
  ui::TForm1& window = Open();
  TIniPlus settings = Settings();
  settings.WriteColor(kSectionSettings, kKeyGridColor, clRed);
  settings.WriteBool(kSectionSettings, kKeyNavigator, false);
  for (int lines : {0, 1, 2, 3}) {
    settings.WriteInteger(kSectionSettings, kKeyGridLines, lines);
    window.ApplySettings();
    const QImage grid = Grid()->viewport()->grab().toImage();
    EXPECT_EQ(RedLine(grid, true), lines == 0 || lines == 1) << lines;
    EXPECT_EQ(RedLine(grid, false), lines == 0 || lines == 2) << lines;
  }
  EXPECT_FALSE(Find<ui::GridNavigator>("navigator")->isVisible());
}

using testing::ColumnValues;

class GroupsTest : public testing::WindowTest {
 protected:
  void InsertThree() {
    Insert("Garten", "B", "", 1);
    Insert("Haus", "B", "", 2);
    Insert("Gartenhaus", "B", "", 3);
  }
};

TEST_F(GroupsTest, SearchMarksTheRecordsTheUserTakesOver) {
  Open();
  EXPECT_FALSE(Action("searchAction")->isEnabled()) << "nothing to search yet";
  form.reset();
  InsertThree();
  ui::TForm1& window = Open();
  EXPECT_TRUE(Action("searchAction")->isEnabled());
  SetMark(1, true);

  bool answered = false;
  QTimer answerer;
  answerer.setInterval(10);
  QObject::connect(&answerer, &QTimer::timeout, [&] {
    auto* dialog = qobject_cast<ui::TFFilter*>(QApplication::activeModalWidget());
    if (dialog == nullptr || answered) return;
    answered = true;
    SearchOptionSet options;
    options.Text1 = "Garten";
    options.FeldBezeichnung = true;
    dialog->RunSearch(options);
    dialog->ResultModel()->SetAllChecked(true);
    dialog->TakeOverSelection();
    dialog->accept();
  });
  answerer.start();
  Action("searchAction")->trigger();

  EXPECT_TRUE(answered);
  EXPECT_EQ(window.grid().Marks(), (std::vector<bool>{true, false, true}));
  EXPECT_TRUE(messages.empty());
}

TEST_F(GroupsTest, KeywordCommandsWriteTheFocusedRecordAtOnce) {
  InsertThree();
  ui::TForm1& window = Open();
  window.FocusRecord(1);
  auto* tree = Find<ui::KeywordTreeCombo>("dxBarTreeViewCombo1");
  tree->Choose(0, 0);
  const std::string keyword = tree->ChosenKeyword();
  ASSERT_FALSE(keyword.empty());

  Action("dxBarButton18")->trigger();  // "durch Auswahl ersetzen"
  Action("dxBarButton19")->trigger();  // "Auswahl hinzufügen"
  EXPECT_EQ(ColumnValues(*gateway, "Suchbegriffe"),
            (std::vector<std::string>{"Urlaub", keyword + "\r\n" + keyword, "Urlaub"}));
  EXPECT_EQ(Cell(1, kItemSuchbegriffe).toString().toStdString(), keyword + "\r\n" + keyword);
}

TEST_F(GroupsTest, HelpOpensTheMainWindowsPageOrSaysWhyNot) {
  testing::FakeXdgOpen desktop(root);
  Open();
  const std::filesystem::path page = platform::HelpFolder() / "hauptfenster.html";
  Action("helpAction")->trigger();
  if (std::filesystem::exists(page))
    EXPECT_EQ(desktop.Opened(1), page.string() + "\n");
  else
    EXPECT_EQ(messages.size(), 1u);
}

TEST_F(GroupsTest, HandOffCommandsAreInTheImageMenuTheContextMenuAndTheOutputSection) {
  Open();
  for (const char* name : {"dxBarLargeButton8", "dxBarLargeButton16", "dxBarLargeButton14"}) {
    QAction* action = Action(name);
    for (const char* place : {"imageMenu", "gridContextMenu", "mainToolbar"}) {
      EXPECT_TRUE(Find<QWidget>(place)->actions().contains(action)) << name << " in " << place;
    }
  }
  EXPECT_FALSE(Action("dxBarLargeButton8")->isEnabled()) << "no image to edit";
  EXPECT_FALSE(Action("dxBarLargeButton14")->isEnabled()) << "no image to send";
}

TEST_F(GroupsTest, AnImageEditedInThePaintProgramReplacesTheStoredOne) {
  Insert("Garten", "gespeichert", "", 1);
  const std::string edited = testing::TestJpeg(30, 20, 5);
  std::ofstream(root / "edited.jpg", std::ios::binary) << edited;
  testing::FakePrograms programs(root);
  programs.Add("kolourpaint", "cp '" + (root / "edited.jpg").string() +
                                  "' \"$1\"; touch -d '2031-01-01 12:00:00' \"$1\"");
  ui::TForm1& window = Open();
  window.FocusRecord(0);

  // The wait dialog runs modally: start the program, then take the edit back.
  QTimer user;
  user.setInterval(10);
  QObject::connect(&user, &QTimer::timeout, [&] {
    auto* wait = qobject_cast<ui::TFormWait4ExtAppl*>(QApplication::activeModalWidget());
    if (wait == nullptr) return;
    auto* start = wait->findChild<QPushButton*>("startButton");
    auto* replace = wait->findChild<QPushButton*>("replaceButton");
    if (start->isEnabled()) start->click();
    if (replace->isEnabled()) replace->click();
  });
  user.start();
  Action("dxBarLargeButton8")->trigger();

  EXPECT_TRUE(ColumnValues(*gateway, "Bild")[0] == edited);
  EXPECT_EQ(std::filesystem::path(*window.grid().Record(0).filePath).filename(), "Garten.jpg");
  EXPECT_EQ(CountText(), "Anzahl Bilder: 1");
  EXPECT_TRUE(messages.empty());
}

}  // namespace
}  // namespace vemora
