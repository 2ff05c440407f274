// TFOptionen offscreen: what each page writes, what cancelling leaves, the resets, the
// performance notices and the help button.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QSpinBox>
#include <QStackedWidget>

#include <set>
#include <sstream>

#include "catalogue/scripted_prompter.h"
#include "settings/ini_plus.h"
#include "settings/settings_keys.h"
#include "support/fake_xdg_open.h"
#include "support/qt_application.h"
#include "support/temp_folder.h"
#include "ui/options_dialog.h"

namespace vemora {
namespace {

using testing::FindNamed;

constexpr const char* kPageNames[] = {"pageDrucken", "pageThumbnails", "pagePerformance",
                                      "pageTabelle", "pageExterneAnwendung"};
constexpr const char* kResetQuestion =
    "Wollen Sie wirklich die Einstellungen auf die Standardwerte \r\nzurücksetzen?";
constexpr const char* kRestartMessage =
    "Die Änderung der Performance/Qualität wird erst beim nächsten Start berücksichtigt.\r\n"
    "Bitte starten Sie die Galeriekasten neu...";

// "[SECTION]" and "key=value" lines of a file, for comparing what a write touched.
std::set<std::string> Lines(const std::string& bytes) {
  std::set<std::string> lines;
  std::istringstream in(bytes);
  for (std::string line; std::getline(in, line);) lines.insert(line.substr(0, line.find('\r')));
  return lines;
}

class OptionsDialogTest : public testing::TempFolderTest {
 protected:
  static void SetUpTestSuite() { testing::EnsureApplication(); }
  void SetUp() override {
    TempFolderTest::SetUp();
    settings = std::make_unique<TIniPlus>(PathOf("settings.ini"));
  }
  void Open(std::filesystem::path help = {}) {
    dialog = std::make_unique<ui::TFOptionen>(nullptr, *settings, prompter, help);
  }
  QWidget* Page(int page) const { return FindNamed<QWidget>(dialog.get(), kPageNames[page]); }
  void Click(int page, const char* button) const {
    FindNamed<QPushButton>(Page(page), button)->click();
  }
  template <typename T>
  T* Control(const char* name) const {
    return FindNamed<T>(dialog.get(), name);
  }

  testing::ScriptedPrompter prompter;
  std::unique_ptr<TIniPlus> settings;
  std::unique_ptr<ui::TFOptionen> dialog;
};

TEST_F(OptionsDialogTest, NavigationShowsEachPageWithItsHint) {
  Open();
  EXPECT_EQ(dialog->windowTitle().toStdString(), "Einstellungen");
  auto* navigation = Control<QListWidget>("navigationBar");
  ASSERT_EQ(navigation->count(), 5);
  const char* groups[] = {"Einzelbild drucken", "Thumbnails", "Performance/Qualität", "Tabelle",
                          "Externe Anwendung"};
  for (int page = 0; page < 5; ++page) {
    navigation->setCurrentRow(page);
    EXPECT_EQ(navigation->item(page)->text().toStdString(), groups[page]);
    EXPECT_EQ(Control<QStackedWidget>("pages")->currentWidget(), Page(page));
  }
  EXPECT_EQ(Control<QLabel>("hintLabel")->text().toStdString(),
            "Bestimmen Sie eine beliebige externe Anwendung z.B. ein Bildbearbeitungsprogramm, mit "
            "welcher Sie das aktuelle Bild weiterbearbeiten können.");
  // A fresh file: the defaults, the caption fonts in the Linux default face.
  EXPECT_EQ(dialog->Values(), DefaultOptionValues());
  EXPECT_EQ(FindNamed<QLabel>(Control<QWidget>("boxLinks"), "fontSample")->font().family(),
            "DejaVu Sans");
  EXPECT_FALSE(std::filesystem::exists(PathOf("settings.ini")));
}

TEST_F(OptionsDialogTest, CancelAfterChangesLeavesTheFileByteIdentical) {
  const std::string before =
      "; eigene Notiz\r\n[SETTINGS]\r\nGRIDSTYLE=1\r\nPAR=x\r\n[ZOOM]\r\nidx=3\r\n";
  PutFile("settings.ini", before);
  Open();
  Control<QComboBox>("gridStyle")->setCurrentIndex(2);
  Control<QSpinBox>("thumbsSize")->setValue(150);
  Control<QLineEdit>("externalApp")->setText("/usr/bin/irgendwas");
  Control<QRadioButton>("parameterCustom")->setChecked(true);
  Click(3, "cancelButton");
  EXPECT_EQ(dialog->result(), QDialog::Rejected);
  EXPECT_EQ(FileBytes("settings.ini"), before);
}

TEST_F(OptionsDialogTest, OkOnEveryPageWritesAllKeysOfAllPagesAndNothingElse) {
  const std::string before = "[LAYOUT]\r\nib1=0\r\n[SETTINGS]\r\nDELMODE=1\r\nTACLOSE=0\r\n";
  const std::set<std::string> dialogKeys = {
      "CLEFT",       "CRIGHT",     "CTOP",          "CBOTTOM",    "FLEFT",
      "FRIGHT",      "FTOP",       "FBOTTOM",       "ALEFT",      "ARIGHT",
      "ATOP",        "ABOTTOM",    "THUMBSVISIBLE", "THUMBSSIZE", "THUMBSCAPTION",
      "PERFORMANCE", "HIDETHUMBS", "GRIDSTYLE",     "AUTOWIDTH",  "GRIDLINES",
      "GRIDCOLOR",   "NAVIGATOR",  "EXTAPP",        "PARDEFAULT", "PAR"};
  for (int page = 0; page < 5; ++page) {
    PutFile("settings.ini", before);
    Open();
    Control<QStackedWidget>("pages")->setCurrentIndex(page);
    Control<QCheckBox>("autoWidth")->setChecked(false);
    Control<QSlider>("performanceSlider")->setValue(0);
    const OptionValues shown = dialog->Values();
    Click(page, "okButton");
    EXPECT_EQ(dialog->result(), QDialog::Accepted) << page;
    EXPECT_EQ(ReadOptionValues(*settings), shown) << page;

    std::set<std::string> added;
    const std::set<std::string> kept = Lines(before);
    const std::set<std::string> after = Lines(FileBytes("settings.ini"));
    for (const std::string& line : after)
      if (!kept.contains(line) && !line.empty()) added.insert(line.substr(0, line.find('=')));
    EXPECT_EQ(added, dialogKeys) << page;
    for (const std::string& line : kept) EXPECT_TRUE(after.contains(line)) << line;
  }
  EXPECT_TRUE(prompter.shown.empty());
}

TEST_F(OptionsDialogTest, LoweringFromHighestQualityAnnouncesARestart) {
  struct Case {
    int stored;
    int moved;
    int okPage;
    bool notice;
    bool message;
  };
  const Case cases[] = {
      {2, 1, 2, true, true},   {2, 0, 0, true, true},   {2, 1, 1, true, true},
      {2, 1, 3, true, false},  {2, 0, 4, true, false},  {2, 2, 2, false, false},
      {0, 2, 2, false, false}, {1, 0, 2, false, false},
  };
  for (const Case& c : cases) {
    settings->WriteInteger(kSectionSettings, kKeyPerformance, c.stored);
    prompter.shown.clear();
    Open();
    Control<QSlider>("performanceSlider")->setValue(c.moved);
    const auto texts = ui::PerformanceTextsFor(c.moved, c.stored);
    EXPECT_EQ(Control<QLabel>("performanceValue")->text(), texts.performance);
    EXPECT_EQ(Control<QLabel>("qualityValue")->text(), texts.quality);
    const QString explanation = Control<QLabel>("performanceExplanation")->text();
    EXPECT_EQ(explanation.startsWith("Achtung: Ein Neustart der Galeriekasten ist für die "
                                     "Änderungen erforderlich\n"),
              c.notice)
        << c.stored << "->" << c.moved;
    Click(c.okPage, "okButton");
    EXPECT_EQ(prompter.shown,
              c.message ? std::vector<std::string>{kRestartMessage} : std::vector<std::string>{})
        << c.stored << "->" << c.moved << " page " << c.okPage;
  }
  EXPECT_EQ(ui::PerformanceTextsFor(0, 1).performance, "hoch");
  EXPECT_EQ(ui::PerformanceTextsFor(0, 1).quality, "niedrig");
  EXPECT_EQ(ui::PerformanceTextsFor(2, 1).explanation,
            "Zu Lasten der Performance wird die beste Qualität erreicht.\nDiese Einstellung ist "
            "optimal für schnelle Rechner sowie kleine Bilder.\nEs wird empfohlen die Thumbnails "
            "zu deaktivieren.");
}

TEST_F(OptionsDialogTest, ResetAsksAndSetsOnlyItsPageAndWritesNothing) {
  // Every value away from its default, and the left caption in a font of its own.
  OptionValues changed = DefaultOptionValues();
  for (CaptionOptions& caption : changed.captions) caption = {false, {"Serif", 8, true}, 0};
  changed.captions[kSideLeft].font = {"Liberation Mono", 11, false, true, false, false, clRed};
  changed.thumbsVisible = 1;
  changed.thumbsSize = 33;
  changed.thumbsCaption = false;
  changed.performance = 2;
  changed.hideThumbs = true;
  changed.gridStyle = 1;
  changed.autoWidth = false;
  changed.gridLines = 3;
  changed.gridColor = clNavy;
  changed.navigator = false;
  changed.externalApp = "/opt/editor";
  changed.parameterDefault = false;
  changed.parameter = "-x";
  WriteOptionValues(*settings, changed);
  const std::string stored = FileBytes("settings.ini");

  for (int page = 0; page < 5; ++page) {
    Open();
    prompter.shown.clear();
    prompter.answers = {Answer::No, Answer::Cancel, Answer::Yes};
    Click(page, "resetButton");
    Click(page, "resetButton");
    EXPECT_EQ(dialog->Values(), changed) << page;
    Click(page, "resetButton");
    EXPECT_EQ(prompter.shown, std::vector<std::string>(3, kResetQuestion));
    OptionValues expected = changed;
    ResetOptionsPage(expected, static_cast<OptionsPage>(page));
    EXPECT_EQ(dialog->Values(), expected) << page;
    EXPECT_EQ(FileBytes("settings.ini"), stored);
  }
  // The reset values themselves, for the pages whose rule is not "the defaults".
  OptionValues print = changed;
  ResetOptionsPage(print, OptionsPage::kPrint);
  for (const CaptionOptions& caption : print.captions) {
    EXPECT_EQ(caption, (CaptionOptions{true, changed.captions[kSideLeft].font, 1}));
  }
  OptionValues table = changed;
  ResetOptionsPage(table, OptionsPage::kTable);
  EXPECT_FALSE(table.autoWidth);
  EXPECT_EQ(table.gridColor, clBlack);

  // The performance frame's own reset does not ask.
  Open();
  prompter.shown.clear();
  FindNamed<QPushButton>(Page(2), "performanceReset")->click();
  EXPECT_EQ(Control<QSlider>("performanceSlider")->value(), 1);
  EXPECT_FALSE(Control<QCheckBox>("hideThumbs")->isChecked());
  EXPECT_TRUE(prompter.shown.empty());
}

TEST_F(OptionsDialogTest, CustomParameterFieldFollowsItsRadio) {
  Open();
  auto* parameter = Control<QLineEdit>("parameter");
  EXPECT_FALSE(parameter->isEnabled());
  Control<QRadioButton>("parameterCustom")->setChecked(true);
  EXPECT_TRUE(parameter->isEnabled());
  Click(4, "okButton");
  EXPECT_FALSE(settings->ReadBool(kSectionSettings, kKeyExternalAppParameterDefault, true));
  EXPECT_EQ(settings->ReadString(kSectionSettings, kKeyExternalAppParameter, "?"), "");
  Open();
  EXPECT_TRUE(Control<QLineEdit>("parameter")->isEnabled());
  Control<QRadioButton>("parameterDefault")->setChecked(true);
  EXPECT_FALSE(Control<QLineEdit>("parameter")->isEnabled());
}

TEST_F(OptionsDialogTest, HelpOpensTheOptionsPageOrSaysWhyNot) {
  const testing::FakeXdgOpen handler(folder_);
  const std::filesystem::path help = std::filesystem::path(VEMORA_SOURCE_DIR) / "help";
  Open(help);
  Click(3, "helpButton");
  EXPECT_EQ(handler.Opened(1), (help / "einstellungen.html").string() + "\n");
  EXPECT_TRUE(prompter.shown.empty());

  Open(folder_ / "keine-hilfe");
  Click(0, "helpButton");
  EXPECT_EQ(prompter.shown.size(), 1u);  // the desktop layer's message (process_test.cpp)
}

}  // namespace
}  // namespace vemora
