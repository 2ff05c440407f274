// ShowVemora as a host calls it: through the shared library, offscreen, with a script that
// plays the user once the window has loaded its catalogue.
#include <gtest/gtest.h>

#include <QAbstractItemModel>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTableView>
#include <QTimer>
#include <filesystem>
#include <functional>

#include "gateways/catalogue_rows.h"
#include "settings/ini_plus.h"
#include "sqlite_catalogue_fixture.h"
#include "support/pictures.h"
#include "support/qt_application.h"
#include "vemora/vemora.h"

namespace vemora {
namespace {

// The window as the script sees it: found by object names, as a user finds controls.
struct Window {
  QWidget* form;
  template <typename T>
  T* Find(const char* name) const {
    return testing::FindNamed<T>(form, name);
  }
  QAbstractItemModel* Model() const { return Find<QTableView>("cxGrid1")->model(); }
  // Column numbers are the record items: 10 the mark, 1 the name.
  bool Marked(int row) const {
    return Model()->data(Model()->index(row, 10), Qt::CheckStateRole).toInt() == Qt::Checked;
  }
  void Mark(int row, bool marked) const {
    Model()->setData(Model()->index(row, 10), marked ? Qt::Checked : Qt::Unchecked,
                     Qt::CheckStateRole);
  }
  void Focus(int row) const {
    auto* grid = Find<QTableView>("cxGrid1");
    grid->setCurrentIndex(grid->model()->index(row, 1));
  }
  void TakeOver() const { Find<QPushButton>("takeOverButton")->click(); }
  QString Prompt() const { return Find<QLabel>("promptLabel")->text(); }
};

class EntryTest : public testing::SqliteCatalogueTest {
 protected:
  void SetUp() override {
    SqliteCatalogueTest::SetUp();
    std::filesystem::create_directories(folder_ / "images");
    const std::string picture = testing::FlatJpeg(60, 40);
    for (const int32_t key : keys)
      testing::InsertCatalogueRow(*gateway, "Bild" + std::to_string(key), picture, "", key);
  }

  // Calls ShowVemora; `script` runs once the catalogue is loaded and must close the window
  // (directly or through the take-over).
  int32_t Call(bool multiSelect, const std::function<void(const Window&)>& script,
               int32_t hostId = 0, const char16_t* caption = nullptr, int32_t preselect = -1) {
    QTimer poll;
    poll.setInterval(20);
    QObject::connect(&poll, &QTimer::timeout, [&] {
      // A message box would wait for a user forever: fail and dismiss it.
      if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
        ADD_FAILURE() << "unexpected message: " << box->text().toStdString();
        box->reject();
        return;
      }
      for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget->objectName() != "TForm1" || !widget->isVisible()) continue;
        auto* count = widget->findChild<QLabel*>("countLabel");
        if (count == nullptr || count->text().isEmpty()) return;
        poll.stop();
        script(Window{widget});
        return;
      }
    });
    poll.start();
    QTimer watchdog;
    watchdog.setSingleShot(true);
    QObject::connect(&watchdog, &QTimer::timeout, [] {
      ADD_FAILURE() << "the window was still open after 20 s";
      for (QWidget* widget : QApplication::topLevelWidgets()) widget->close();
    });
    watchdog.start(20000);
    const std::u16string settings = QString::fromStdString(PathOf("settings")).toStdU16String();
    const std::u16string images = QString::fromStdString(PathOf("images")).toStdU16String();
    return ShowVemora(nullptr, gateway.get(), hostId, settings.c_str(), images.c_str(), preselect,
                      multiSelect, caption);
  }

  std::string SelectionFile() const { return FileBytes("settings/bdselect.txt"); }

  const std::vector<int32_t> keys = {31, 32, 33};
};

TEST_F(EntryTest, MultiSelectionHandsBackTheMarkedKeysAndTheNextCallStartsWithThem) {
  EXPECT_EQ(Call(true,
                 [](const Window& window) {
                   EXPECT_EQ(window.Prompt().toStdString(), "Bitte wählen Sie Bilder aus...");
                   window.Mark(0, true);
                   window.Mark(2, true);
                   window.TakeOver();  // closes: "nach Übernehmen beenden" is ticked
                 }),
            -1);
  EXPECT_EQ(SelectionFile(), std::to_string(keys[0]) + "\r\n" + std::to_string(keys[2]) + "\r\n");

  Call(true, [](const Window& window) {
    EXPECT_TRUE(window.Marked(0));
    EXPECT_FALSE(window.Marked(1));
    EXPECT_TRUE(window.Marked(2));
    window.Mark(0, false);
    window.Mark(2, false);
    window.TakeOver();
  });
  EXPECT_TRUE(std::filesystem::exists(folder_ / "settings" / "bdselect.txt"));
  EXPECT_EQ(SelectionFile(), "");
}

TEST_F(EntryTest, SingleSelectionReturnsTheKeyTakenOverLast) {
  EXPECT_EQ(Call(false, [](const Window& window) { window.form->close(); }), 0);
  // The library found the host's gateway to be a change feed, across the library's boundary.
  EXPECT_TRUE(gateway->FieldExists("vemora_changes", "seq", 0, -1));
  EXPECT_EQ(Call(false,
                 [](const Window& window) {
                   window.Focus(1);
                   window.TakeOver();
                 }),
            keys[1]);

  // With "nach Übernehmen beenden" cleared the window stays open for a second choice.
  EXPECT_EQ(Call(false,
                 [](const Window& window) {
                   auto* closeAfter = window.Find<QCheckBox>("closeAfterTakeOver");
                   EXPECT_TRUE(closeAfter->isChecked());
                   closeAfter->click();
                   window.Focus(0);
                   window.TakeOver();
                   EXPECT_TRUE(window.form->isVisible());
                   window.Focus(2);
                   window.TakeOver();
                   window.form->close();
                 }),
            keys[2]);
  TIniPlus settings(PathOf("settings/settings.ini"));
  EXPECT_FALSE(settings.ReadBool("SETTINGS", "TACLOSE", true));
  EXPECT_EQ(settings.ReadInteger("GRID", "LASTFRI", -7), 2);
  Call(false, [](const Window& window) {
    EXPECT_FALSE(window.Find<QCheckBox>("closeAfterTakeOver")->isChecked());
    window.form->close();
  });
  EXPECT_EQ(settings.ReadInteger("GRID", "LASTFRI", -7), -1);
}

// The prompt follows the host number unless the host gives its own; a preselected key is
// focused in single selection only.
TEST_F(EntryTest, PromptAndPreselectionFollowTheCall) {
  const struct {
    int32_t host;
    bool multiSelect;
    const char16_t* caption;
    const char* prompt;
    int focused;
  } calls[] = {
      {4, false, nullptr, "Bitte wählen Sie für die Brevik ein Bild aus.", 2},
      {7, true, u"Eigener Text", "Eigener Text", -1},
  };
  for (const auto& call : calls) {
    Call(
        call.multiSelect,
        [&](const Window& window) {
          EXPECT_EQ(window.Prompt().toStdString(), call.prompt);
          EXPECT_EQ(window.Find<QTableView>("cxGrid1")->currentIndex().row(), call.focused)
              << call.prompt;
          window.form->close();
        },
        call.host, call.caption, keys[2]);
  }
}

}  // namespace
}  // namespace vemora
