// A TForm1 over a real SQLite catalogue in a temp folder, shown offscreen, with every
// message box the window raises recorded and dismissed instead of waiting for a user; a
// question takes the next scripted answer ("&Ja" or "&Nein"), else it is dismissed.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
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
    form = std::make_unique<ui::TForm1>(nullptr);
    form->InitialiseForCall(SettingsFolder(), imageFolder, TempFolder());
    form->ApplyPrompts(0, multiSelect);
    form->SetGateway(windowGateway ? windowGateway : gateway.get(), -1);
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

  QTableView* Grid() const { return Find<QTableView>("cxGrid1"); }
  // A grid cell by record item, as the view shows it.
  QVariant Cell(int row, int item, int role = Qt::DisplayRole) const {
    return Grid()->model()->index(row, item).data(role);
  }
  ui::ThumbnailListView* Strip() const { return Find<ui::ThumbnailListView>("thumbnailStrip"); }
  std::string CountText() const { return Find<QLabel>("countLabel")->text().toStdString(); }

  // Runs the event loop until `done` or 10 s.
  static void WaitFor(const std::function<bool()>& done, int milliseconds = 10000) {
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < milliseconds)
      QApplication::processEvents(QEventLoop::AllEvents, 20);
    EXPECT_TRUE(done()) << "timed out";
  }
  static void Pump(int milliseconds) {
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < milliseconds) QApplication::processEvents(QEventLoop::AllEvents, 10);
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
};

}  // namespace vemora::testing
