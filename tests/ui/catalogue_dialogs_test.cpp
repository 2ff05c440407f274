// The dialogs of the changing commands, offscreen: the adding window, the delete dialog and
// the picture file dialog's filters.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFileDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <set>

#include "codec/preview.h"
#include "settings/ini_plus.h"
#include "settings/settings_keys.h"
#include "support/temp_folder.h"
#include "ui/add_window.h"
#include "ui/delete_dialog.h"
#include "ui/qt_catalogue_dialogs.h"
#include "window_fixture.h"

namespace vemora {
namespace {

// The texts of the labels and group titles.
std::set<std::string> Texts(const QWidget& parent) {
  std::set<std::string> texts;
  for (const QLabel* label : parent.findChildren<QLabel*>())
    texts.insert(label->text().toStdString());
  for (const QGroupBox* box : parent.findChildren<QGroupBox*>())
    texts.insert(box->title().toStdString());
  return texts;
}

class DialogTest : public testing::TempFolderTest {
 protected:
  static void SetUpTestSuite() { testing::EnsureApplication(); }
  void SetUp() override {
    TempFolderTest::SetUp();
    settings = std::make_unique<TIniPlus>(PathOf("settings.ini"));
  }

  std::unique_ptr<TIniPlus> settings;
};

TEST_F(DialogTest, AddWindowShowsEachFileAndTheTimes) {
  ui::QtCatalogueDialogs dialogs(nullptr, *settings, folder_.string());
  auto window = dialogs.OpenAddWindow(3, false);
  auto* dialog = dynamic_cast<ui::TBilderAdd*>(window.get());
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(dialog->windowTitle().toStdString(), "Bilder hinzufügen");
  EXPECT_EQ(dialog->height(), 281);  // the toolbar's window is the tall one
  const auto texts = Texts(*dialog);
  for (const char* text :
       {"Bild", "Zeitdauer", "durchschnittliche Zeit pro Bild:", "verstrichene Zeit:"})
    EXPECT_TRUE(texts.contains(text)) << text;
  auto* bar = dialog->findChild<QProgressBar*>();
  EXPECT_EQ(bar->maximum(), 3);

  const std::string preview = codec::MakePreviewJpeg(testing::FlatJpeg(300, 150));
  window->FileAdded("/bilder/a.jpg", preview);
  window->ShowTimes("1,5 Sekunden ", "0 Minuten 1,5 Sekunden");
  EXPECT_EQ(bar->value(), 1);
  EXPECT_EQ(dialog->findChild<QLabel*>("pathLabel")->text().toStdString(), "/bilder/a.jpg");
  EXPECT_EQ(dialog->findChild<QLabel*>("preview")->pixmap().size(), QSize(200, 100));
  EXPECT_EQ(dialog->findChild<QLabel*>("lastFileTime")->text().toStdString(), "1,5 Sekunden ");
  EXPECT_EQ(dialog->findChild<QLabel*>("elapsedTime")->text().toStdString(),
            "0 Minuten 1,5 Sekunden");
}

class DeleteDialogTest : public DialogTest {
 protected:
  void Open() {
    dialog = std::make_unique<ui::TBildDelete>(
        nullptr, *settings, "drittes", std::vector<std::string>{"fünftes", "<keine Bezeichnung>"});
    dialog->show();
  }
  template <typename T>
  T* Child(const char* name) const {
    return dialog->findChild<T*>(name);
  }
  int StoredMode() const {
    return TIniPlus(PathOf("settings.ini")).ReadInteger(kSectionSettings, kKeyDeleteMode, -1);
  }
  // The chosen mode's list is enabled and its button shown; the other mode's are not.
  void ExpectMode(bool marked) const {
    EXPECT_EQ(Child<QRadioButton>("markedMode")->isChecked(), marked);
    EXPECT_EQ(Child<QListWidget>("markedList")->isEnabled(), marked);
    EXPECT_EQ(Child<QListWidget>("focusedList")->isEnabled(), !marked);
    EXPECT_EQ(Child<QPushButton>("deleteMarkedButton")->isVisible(), marked);
    EXPECT_EQ(Child<QPushButton>("deleteFocusedButton")->isVisible(), !marked);
  }

  std::unique_ptr<ui::TBildDelete> dialog;
};

TEST_F(DeleteDialogTest, StartsWithTheFocusedImageRemembersTheModeAndCancelDeletesNothing) {
  Open();
  EXPECT_EQ(dialog->windowTitle().toStdString(), "Bilder löschen");
  const auto texts = Texts(*dialog);
  for (const char* text : {"Sie haben ein oder mehrere Bilder ausgewählt. Wollen Sie alle "
                           "ausgewählten Bilder löschen oder nur das aktuell markierte Bild?",
                           "Hinweis: Es werden nur die Verweise aus der Galeriekasten gelöscht. "
                           "Die tatsächliche Bilddatei wird nicht gelöscht.",
                           "Bild", "Bild(er)"})
    EXPECT_TRUE(texts.contains(text)) << text;
  const std::pair<const char*, const char*> buttons[] = {
      {"cancelButton", "Abbrechen"},
      {"focusedMode", "aktuelles Bild löschen"},
      {"markedMode", "alle ausgewählten Bilder löschen"}};
  for (const auto& [name, text] : buttons)
    EXPECT_EQ(Child<QAbstractButton>(name)->text().toStdString(), text);
  EXPECT_EQ(testing::ItemTexts(Child<QListWidget>("focusedList")),
            std::vector<std::string>{"drittes"});
  EXPECT_EQ(testing::ItemTexts(Child<QListWidget>("markedList")),
            (std::vector<std::string>{"fünftes", "<keine Bezeichnung>"}));

  // No DELMODE yet: the focused image; opening writes nothing.
  ExpectMode(false);
  EXPECT_EQ(StoredMode(), -1);
  QTest::mouseClick(Child<QPushButton>("deleteFocusedButton"), Qt::LeftButton);
  EXPECT_FALSE(dialog->Choice().cancelled);
  EXPECT_FALSE(dialog->Choice().deleteMarked);

  // The mode chosen is remembered and preselected next time.
  Open();
  QTest::mouseClick(Child<QRadioButton>("markedMode"), Qt::LeftButton);
  EXPECT_EQ(StoredMode(), 1);
  ExpectMode(true);
  QTest::mouseClick(Child<QPushButton>("deleteMarkedButton"), Qt::LeftButton);
  EXPECT_TRUE(dialog->Choice().deleteMarked);
  EXPECT_FALSE(dialog->Choice().cancelled);

  Open();
  ExpectMode(true);
  QTest::mouseClick(Child<QRadioButton>("focusedMode"), Qt::LeftButton);
  EXPECT_EQ(StoredMode(), 0);
  ExpectMode(false);

  // Cancel and Escape never delete.
  QTest::mouseClick(Child<QPushButton>("cancelButton"), Qt::LeftButton);
  EXPECT_TRUE(dialog->Choice().cancelled);
  EXPECT_FALSE(dialog->isVisible());
  Open();
  QTest::keyClick(dialog.get(), Qt::Key_Escape);
  EXPECT_TRUE(dialog->Choice().cancelled);
}

// The real file dialog, answered from a timer: its title, selection mode and filters, the
// image folder it opens in, its German buttons, and the files it hands back.
TEST_F(DialogTest, PictureFileDialogAsksForOneOrManyFiles) {
  PutFile("picked.jpg", "x");
  struct Seen {
    QString title;
    QFileDialog::FileMode mode = QFileDialog::AnyFile;
    QStringList filters;
    QString folder;
    QStringList buttons;
  } seen;
  QTimer answerer;
  bool accept = false;
  answerer.setInterval(10);
  QObject::connect(&answerer, &QTimer::timeout, [&] {
    auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
    if (dialog == nullptr) return;
    seen = {dialog->windowTitle(),
            dialog->fileMode(),
            dialog->nameFilters(),
            dialog->directory().absolutePath(),
            {}};
    for (QAbstractButton* button : dialog->findChildren<QAbstractButton*>())
      seen.buttons << button->text().remove(QLatin1Char('&'));
    EXPECT_EQ(dialog->objectName(), "pictureFileDialog");
    if (!accept) return dialog->reject();
    // Typed into the name field: selectFile() depends on the folder listing, which the
    // dialog loads in the background.
    auto* name = dialog->findChild<QLineEdit*>("fileNameEdit");
    ASSERT_NE(name, nullptr);
    name->setText(QString::fromStdString(PathOf("picked.jpg")));
    static_cast<QDialog*>(dialog)->done(QDialog::Accepted);
  });
  answerer.start();
  ui::QtCatalogueDialogs dialogs(nullptr, *settings, folder_.string());
  EXPECT_TRUE(dialogs.ChoosePictureFiles("Bilder hinzufügen", true).empty());
  EXPECT_EQ(seen.title.toStdString(), "Bilder hinzufügen");
  EXPECT_EQ(seen.mode, QFileDialog::ExistingFiles);
  EXPECT_EQ(seen.folder.toStdString(), folder_.string());
  EXPECT_TRUE(seen.buttons.contains(QStringLiteral("Abbrechen")))
      << seen.buttons.join('|').toStdString();
  EXPECT_FALSE(seen.buttons.contains(QStringLiteral("Cancel")));
  EXPECT_EQ(seen.filters.join("|").toStdString(),
            "Alle (*.jpg;*.jpeg;*.bmp;*.ico) (*.jpg *.jpeg *.bmp *.ico)|"
            "JPEG-Grafikdatei (*.jpg) (*.jpg)|JPEG-Grafikdatei (*.jpeg) (*.jpeg)|"
            "Bitmaps (*.bmp) (*.bmp)|Symbole (*.ico) (*.ico)");

  accept = true;
  EXPECT_EQ(dialogs.ChoosePictureFiles("Quelle ändern", false),
            std::vector<std::string>{PathOf("picked.jpg")});
  EXPECT_EQ(seen.title.toStdString(), "Quelle ändern");
  EXPECT_EQ(seen.mode, QFileDialog::ExistingFile);
}

}  // namespace
}  // namespace vemora
