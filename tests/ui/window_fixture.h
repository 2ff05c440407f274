// A TForm1 over a real SQLite catalogue in a temp folder, shown offscreen, with every
// message box the window raises recorded and dismissed instead of waiting for a user; a
// question takes the next scripted answer ("&Ja" or "&Nein"), else it is dismissed.
// The grid's and the strip's models are checked by QAbstractItemModelTester for the whole
// test: a change of the records that the models announce wrongly fails the test.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <QAbstractButton>
#include <QAbstractItemModelTester>
#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QTableView>
#include <QTimer>
#include <deque>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "codec/preview.h"
#include "gateways/catalogue_rows.h"
#include "sqlite/sqlite_gateway.h"
#include "support/pictures.h"
#include "support/qt_application.h"
#include "ui/main_window.h"
#include "ui/single_image_panel.h"
#include "ui/thumbnail_strip.h"

namespace vemora::testing {

class WindowTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { EnsureApplication(); }

  WindowTest()
      : root(std::filesystem::temp_directory_path() /
             ("vemora_window_" + std::to_string(::getpid()) + "_" +
              ::testing::UnitTest::GetInstance()->current_test_info()->name())) {
    std::filesystem::remove_all(root);
    std::filesystem::create_directories(root / "images");
    std::filesystem::create_directories(root / "settings" / "Temp" / "Vemora");
    imageFolder = (root / "images").string();
    gateway = std::make_unique<gateways::SqliteGateway>((root / "catalogue.db").string());
    gateway->CreateCatalogueTables();
  }
  ~WindowTest() override {
    EXPECT_EQ(ModelFailures(), std::vector<std::string>{});
    testers.clear();
    form.reset();
    gateway.reset();
    std::filesystem::remove_all(root);
  }

  void Insert(const std::string& name, std::string_view image, std::string_view preview,
              int32_t key) {
    InsertCatalogueRow(*gateway, name, image, preview, key);
  }

  std::string SettingsFolder() const { return (root / "settings").string() + "/"; }
  std::string TempFolder() const { return SettingsFolder() + "Temp/Vemora/"; }

  // Shows the window and waits until its catalogue is loaded.
  ui::TForm1& Open(bool multiSelect = false) {
    CallOptions options;
    options.settingsFolder = SettingsFolder();
    options.imageFolder = imageFolder;
    options.tempFolder = TempFolder();
    options.gateway = windowGateway ? windowGateway : gateway.get();
    options.hostId = 0;
    options.multiSelect = multiSelect;
    form = std::make_unique<ui::TForm1>(nullptr, options);
    CheckModels();
    WatchMessages();
    form->show();
    auto* count = Find<QLabel>("countLabel");
    WaitFor([&] { return !count->text().isEmpty(); });
    return *form;
  }

  template <typename T>
  T* Find(const char* name) const {
    return testing::FindNamed<T>(form.get(), name);
  }

  QAction* Action(const char* name) const { return Find<QAction>(name); }
  QTableView* Grid() const { return Find<QTableView>("cxGrid1"); }
  // A grid cell by record item, as the view shows it.
  QVariant Cell(int row, int item, int role = Qt::DisplayRole) const {
    return Grid()->model()->index(row, item).data(role);
  }
  void SetMark(int row, bool marked) const {
    Grid()->model()->setData(Grid()->model()->index(row, kItemMark),
                             marked ? Qt::Checked : Qt::Unchecked, Qt::CheckStateRole);
  }
  ui::ThumbnailListView* Strip() const { return Find<ui::ThumbnailListView>("thumbnailStrip"); }
  ui::SingleImagePanel* SingleImage() const {
    return Find<ui::SingleImagePanel>("singleImagePanel");
  }
  std::string CountText() const { return Find<QLabel>("countLabel")->text().toStdString(); }
  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    for (const GridRecord& record : form->grid().records()) names.push_back(record.name);
    return names;
  }
  std::vector<std::string> MarkedList() const { return ItemTexts(Find<QListWidget>("markedList")); }

  // Opens the cell's editor (closed editors wait hidden for their deletion beside it).
  template <typename Editor>
  Editor* EditCell(int row, int item) {
    const QModelIndex index = Grid()->model()->index(row, item);
    Grid()->setCurrentIndex(index);
    Grid()->edit(index);
    for (Editor* editor : Grid()->findChildren<Editor*>())
      if (editor->isVisible()) return editor;
    ADD_FAILURE() << "no editor open in row " << row << ", item " << item;
    return nullptr;
  }

  // Runs the event loop until `done` or 10 s.
  static void WaitFor(const std::function<bool()>& done, int milliseconds = 10000) {
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < milliseconds)
      QApplication::processEvents(QEventLoop::AllEvents, 20);
    EXPECT_TRUE(done()) << "timed out";
  }
  static bool WaitWindowVisible() {
    for (QWidget* widget : QApplication::topLevelWidgets())
      if (widget->objectName() == "TFWaitLoad" && widget->isVisible()) return true;
    return false;
  }

  std::filesystem::path root;
  std::string imageFolder;
  std::unique_ptr<gateways::SqliteGateway> gateway;
  std::unique_ptr<ui::TForm1> form;
  std::vector<std::string> messages;    // texts of the message boxes shown, in order
  std::deque<std::string> answers;      // captions of the buttons to press in questions
  TDBGateway* windowGateway = nullptr;  // the window's gateway when not `gateway`

 private:
  static std::vector<std::string>& ModelFailures() {
    static std::vector<std::string> failures;
    return failures;
  }
  // The tester reports through Qt's warnings; those are caught here and fail the test.
  void CheckModels() {
    ModelFailures().clear();
    static const QtMessageHandler previous = qInstallMessageHandler(
        [](QtMsgType type, const QMessageLogContext& context, const QString& text) {
          if (context.category != nullptr && std::string_view(context.category) == "qt.modeltest")
            ModelFailures().push_back(text.toStdString());
          else if (previous != nullptr)
            previous(type, context, text);
        });
    for (QAbstractItemModel* model : {Grid()->model(), Strip()->model()})
      testers.push_back(std::make_unique<QAbstractItemModelTester>(
          model, QAbstractItemModelTester::FailureReportingMode::Warning));
  }

  void WatchMessages() {
    watcher = std::make_unique<QTimer>();
    watcher->setInterval(10);
    QObject::connect(watcher.get(), &QTimer::timeout, [this] {
      if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
        messages.push_back(box->text().toStdString());
        if (!answers.empty()) {
          const QString wanted = QString::fromStdString(answers.front());
          for (QAbstractButton* button : box->buttons()) {
            if (button->text() != wanted) continue;
            answers.pop_front();
            button->click();
            return;
          }
        }
        box->done(QMessageBox::Ok);
      }
    });
    watcher->start();
  }

  std::unique_ptr<QTimer> watcher;
  std::vector<std::unique_ptr<QAbstractItemModelTester>> testers;
};

}  // namespace vemora::testing
