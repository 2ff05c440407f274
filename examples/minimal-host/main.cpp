// minimal-host: opens (or creates) a SQLite catalogue and shows it with ShowVemora.
// With --close-when-loaded (or VEMORA_CLOSE_WHEN_LOADED=1) the window closes itself once
// its catalogue is shown, so the host can run unattended.
#include <vemora/sqlite_gateway.h>
#include <vemora/vemora.h>

#include <QApplication>
#include <QLabel>
#include <QTimer>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <iostream>
#include <string>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  const QStringList args = app.arguments();
  if (args.size() < 3) {
    std::cerr << "usage: minimal-host CATALOGUE.db SETTINGS-FOLDER [--close-when-loaded]\n";
    return 2;
  }
  const bool closeWhenLoaded = args.contains("--close-when-loaded") ||
                               qEnvironmentVariable("VEMORA_CLOSE_WHEN_LOADED") == "1";
  try {
    auto gateway = vemora::OpenSqliteGateway(args[1].toStdString());
    std::filesystem::create_directories(args[2].toStdString());

    if (closeWhenLoaded) {
      // The window counts its images in the status label once the catalogue is loaded.
      auto* poll = new QTimer(&app);
      QObject::connect(poll, &QTimer::timeout, [poll] {
        for (QWidget* window : QApplication::topLevelWidgets()) {
          auto* count = window->findChild<QLabel*>("countLabel");
          if (window->objectName() == "TForm1" && count != nullptr && !count->text().isEmpty()) {
            std::cout << count->text().toStdString() << '\n';
            poll->stop();
            window->close();
          }
        }
      });
      poll->start(50);
    }

    const std::u16string settings = args[2].toStdU16String();
    const std::u16string images = std::filesystem::current_path().u16string();
    const int32_t key = ShowVemora(nullptr, gateway.get(), 0, settings.c_str(), images.c_str(), -1,
                                   false, u"Bild auswählen");
    std::cout << "key: " << key << '\n';
    return 0;
  } catch (const std::exception& error) {
    std::cerr << "minimal-host: " << error.what() << '\n';
    return 1;
  }
}
