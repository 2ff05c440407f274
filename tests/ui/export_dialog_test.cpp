// TBildKonv offscreen: its starting state, the two exclusive choices, the format's effect on
// write-back, and a missing target folder offered for creation.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFileSystemModel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTreeView>
#include <filesystem>

#include "catalogue/scripted_prompter.h"
#include "support/qt_application.h"
#include "support/temp_folder.h"
#include "support/wait_until.h"
#include "ui/export_dialog.h"

namespace vemora {
namespace {

using testing::FindNamed;

class ExportDialogTest : public testing::TempFolderTest {
 protected:
  static void SetUpTestSuite() { testing::EnsureApplication(); }
  void Open(std::vector<std::string> marked) {
    ExportDialogRequest request{"erstes", std::move(marked), folder_.string(), folder_.string()};
    dialog = std::make_unique<ui::TBildKonv>(nullptr, prompter, request);
    dialog->show();
  }
  void Click(const char* name) {
    QTest::mouseClick(FindNamed<QWidget>(dialog.get(), name), Qt::LeftButton);
  }

  testing::ScriptedPrompter prompter;
  std::unique_ptr<ui::TBildKonv> dialog;
};

TEST_F(ExportDialogTest, StartsOnTheFocusedImageAndKeepsTheChoicesApart) {
  Open({"drittes", "<keine Bezeichnung>"});
  EXPECT_EQ(dialog->windowTitle().toStdString(), "Bilder exportieren");
  auto* formats = FindNamed<QComboBox>(dialog.get(), "formatList");
  ASSERT_EQ(formats->count(), 4);
  EXPECT_EQ(formats->currentText().toStdString(), "wie Original");
  EXPECT_EQ(formats->itemText(2).toStdString(), "JPG (komprimiertes Bitmap )");
  EXPECT_EQ(FindNamed<QListWidget>(dialog.get(), "markedList")->count(), 2);
  EXPECT_EQ(FindNamed<QLineEdit>(dialog.get(), "folderEdit")->text().toStdString(),
            folder_.string());
  // The tree opens down to the folder, selected and in sight, once the folders are read.
  auto* tree = FindNamed<QTreeView>(dialog.get(), "folderTree");
  EXPECT_TRUE(testing::WaitUntil([&] {
    QApplication::processEvents();
    const QModelIndex current = tree->currentIndex();
    return current.data(QFileSystemModel::FilePathRole).toString().toStdString() ==
               folder_.string() &&
           tree->viewport()->rect().intersects(tree->visualRect(current));
  }));
  EXPECT_TRUE(FindNamed<QRadioButton>(dialog.get(), "focusedMode")->isChecked());
  EXPECT_TRUE(FindNamed<QPushButton>(dialog.get(), "exportFocusedButton")->isEnabled());
  EXPECT_FALSE(FindNamed<QPushButton>(dialog.get(), "exportMarkedButton")->isEnabled());
  auto* writeBack = FindNamed<QCheckBox>(dialog.get(), "writeBackBox");
  EXPECT_FALSE(writeBack->isEnabled());

  Click("markedMode");
  EXPECT_FALSE(FindNamed<QListWidget>(dialog.get(), "focusedList")->isEnabled());
  EXPECT_TRUE(FindNamed<QPushButton>(dialog.get(), "exportMarkedButton")->isEnabled());
  formats->setCurrentIndex(3);
  ASSERT_TRUE(writeBack->isEnabled());
  writeBack->setChecked(true);
  Click("exportMarkedButton");
  const ExportDialogResult& result = dialog->Result();
  EXPECT_EQ(result.outcome, ExportOutcome::Marked);
  EXPECT_EQ(result.format, kConvertToTiff);
  EXPECT_TRUE(result.writeBack);
  EXPECT_EQ(result.targetFolder, folder_.string());

  Open({});
  EXPECT_FALSE(FindNamed<QRadioButton>(dialog.get(), "markedMode")->isEnabled());
}

TEST_F(ExportDialogTest, AMissingFolderIsCreatedOnlyOnYesAndCancelKeepsWhatIsShown) {
  Open({});
  const std::string missing = (folder_ / "neu" / "tief").string();
  FindNamed<QLineEdit>(dialog.get(), "folderEdit")->setText(QString::fromStdString(missing));
  prompter.answers = {Answer::No};
  Click("exportFocusedButton");
  EXPECT_TRUE(dialog->isVisible());
  EXPECT_EQ(prompter.shown.back(),
            "Das Verzeichnis \"" + missing +
                "\" existiert nicht!\r\nMöchten Sie es vor dem Export erstellen?");
  EXPECT_FALSE(std::filesystem::exists(missing));

  Click("exportFocusedButton");  // Yes: made with its parents, and the dialog closes
  EXPECT_TRUE(std::filesystem::is_directory(missing));
  EXPECT_FALSE(dialog->isVisible());
  EXPECT_EQ(dialog->Result().outcome, ExportOutcome::Focused);
  EXPECT_EQ(dialog->Result().targetFolder, missing);

  // A folder that cannot be made (a file is in the way) keeps the dialog open.
  PutFile("datei", "x");
  Open({});
  const std::string blocked = PathOf("datei") + "/unter";
  FindNamed<QLineEdit>(dialog.get(), "folderEdit")->setText(QString::fromStdString(blocked));
  Click("exportFocusedButton");
  EXPECT_EQ(prompter.shown.back(),
            "Das Verzeichnis\r\n\"" + blocked + "\"\r\nkonnte nicht erstellt werden");
  EXPECT_TRUE(dialog->isVisible());
  Click("cancelButton");
  EXPECT_EQ(dialog->Result().outcome, ExportOutcome::Cancelled);
  EXPECT_EQ(dialog->Result().targetFolder, "");  // the folder shown does not exist
}

}  // namespace
}  // namespace vemora
