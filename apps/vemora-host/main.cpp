// vemora-host: a small host application that opens a catalogue and calls ShowVemora, as
// the applications that embed the library do.
//
// With no arguments it keeps its catalogue in ./vemora-demo: a SQLite file, filled with
// sample images the first time. --pg uses a shared catalogue on a PostgreSQL server.

#include <QApplication>
#include <QLabel>
#include <QTimer>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "catalogue_import.h"
#include "sample_images.h"
#include "vemora/sqlite_gateway.h"
#include "vemora/vemora.h"
#if VEMORA_HAVE_POSTGRES
#include "vemora/postgres_gateway.h"
#endif

namespace {

constexpr const char* kUsage = R"(usage: vemora-host [options]

Opens an image catalogue in the Vemora window and prints the key the user took over
(single selection) or the keys handed back in bdselect.txt (--multi).

options:
  --folder DIR       working folder for the demo (default ./vemora-demo): catalogue.db,
                     settings/ and images/ live there
  --db FILE          SQLite catalogue file (default DIR/catalogue.db); created when missing
  --pg CONNINFO      use a PostgreSQL catalogue instead, e.g. "host=/tmp dbname=bilder"
  --settings DIR     settings folder passed to the library (default DIR/settings)
  --images DIR       image folder passed to the library (default DIR/images)
  --import DIR       add every image file in DIR to the catalogue before opening it
  --samples N        when the catalogue is empty, draw N sample images and add them
                     (default 24; 0 for none)
  --multi            multi-selection mode (result in bdselect.txt)
  --host N           host number 0..5 (chooses the prompt; default 0)
  --preselect KEY    key of the image to focus at start (single selection)
  --caption TEXT     prompt text; "hide" hides the selection panel
  --no-window        prepare the catalogue only; do not open the window
  --screenshot FILE  save a picture of the window (PNG) once it has loaded, then close it
  -h, --help         this text
)";

struct Options {
  std::filesystem::path folder = "vemora-demo";
  std::optional<std::filesystem::path> database;
  std::optional<std::string> conninfo;
  std::optional<std::filesystem::path> settings;
  std::optional<std::filesystem::path> images;
  std::optional<std::filesystem::path> importFolder;
  int samples = 24;
  bool multiSelect = false;
  int hostId = 0;
  int preselectKey = -1;
  std::optional<std::string> caption;
  bool window = true;
  std::optional<std::string> screenshot;
};

// Parses the command line; exits with a message on a bad one.
Options ParseOptions(int argc, char** argv) {
  Options options;
  auto value = [&](int& i) -> std::string {
    if (i + 1 >= argc) {
      std::fprintf(stderr, "vemora-host: %s needs a value (see --help)\n", argv[i]);
      std::exit(2);
    }
    return argv[++i];
  };
  auto number = [&](int& i) -> int {
    const char* option = argv[i];
    const std::string text = value(i);
    try {
      size_t used = 0;
      const int result = std::stoi(text, &used);
      if (used == text.size()) return result;
    } catch (const std::exception&) {
    }
    std::fprintf(stderr, "vemora-host: %s takes a whole number, not '%s'\n", option, text.c_str());
    std::exit(2);
  };
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "-h" || arg == "--help") {
      std::fputs(kUsage, stdout);
      std::exit(0);
    } else if (arg == "--folder") {
      options.folder = value(i);
    } else if (arg == "--db") {
      options.database = value(i);
    } else if (arg == "--pg") {
      options.conninfo = value(i);
    } else if (arg == "--settings") {
      options.settings = value(i);
    } else if (arg == "--images") {
      options.images = value(i);
    } else if (arg == "--import") {
      options.importFolder = value(i);
    } else if (arg == "--samples") {
      options.samples = number(i);
    } else if (arg == "--multi") {
      options.multiSelect = true;
    } else if (arg == "--host") {
      options.hostId = number(i);
    } else if (arg == "--preselect") {
      options.preselectKey = number(i);
    } else if (arg == "--caption") {
      options.caption = value(i);
    } else if (arg == "--screenshot") {
      options.screenshot = value(i);
    } else if (arg == "--no-window") {
      options.window = false;
    } else {
      std::fprintf(stderr, "vemora-host: unknown option '%s' (see --help)\n", arg.c_str());
      std::exit(2);
    }
  }
  return options;
}

std::unique_ptr<vemora::TDBGateway> OpenCatalogue(const Options& options) {
  if (options.conninfo) {
#if VEMORA_HAVE_POSTGRES
    return vemora::OpenPostgresGateway(*options.conninfo);
#else
    throw std::runtime_error("this build has no PostgreSQL support");
#endif
  }
  const auto path = options.database.value_or(options.folder / "catalogue.db");
  if (path.has_parent_path()) std::filesystem::create_directories(path.parent_path());
  return vemora::OpenSqliteGateway(path.string());
}

std::u16string ToUtf16(const std::string& text) {
  const QString converted = QString::fromStdString(text);
  return std::u16string(reinterpret_cast<const char16_t*>(converted.utf16()),
                        static_cast<size_t>(converted.size()));
}

void PrintSelection(const std::filesystem::path& settingsFolder) {
  std::ifstream in(settingsFolder / "bdselect.txt", std::ios::binary);
  std::stringstream content;
  content << in.rdbuf();
  std::string line;
  std::cout << "selected keys:";
  while (std::getline(content, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    std::cout << ' ' << line;
  }
  std::cout << '\n';
}

// Watches for the library's window; once its catalogue is loaded and the selection panel
// has come up, saves a picture of it and closes it.
void ScheduleScreenshot(const std::string& file) {
  auto* poll = new QTimer(QApplication::instance());
  QObject::connect(poll, &QTimer::timeout, [poll, file] {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
      auto* count = widget->findChild<QLabel*>("countLabel");
      if (widget->objectName() != "TForm1" || count == nullptr || count->text().isEmpty()) continue;
      poll->stop();
      QTimer::singleShot(1500, widget, [widget, file] {
        if (!widget->grab().save(QString::fromStdString(file)))
          std::fprintf(stderr, "vemora-host: cannot write %s\n", file.c_str());
        widget->close();
      });
      return;
    }
  });
  poll->start(50);
}

int Run(int argc, char** argv) {
  const Options options = ParseOptions(argc, argv);

  const auto settingsFolder =
      std::filesystem::absolute(options.settings.value_or(options.folder / "settings"));
  const auto imageFolder =
      std::filesystem::absolute(options.images.value_or(options.folder / "images"));
  std::filesystem::create_directories(settingsFolder);
  std::filesystem::create_directories(imageFolder);

  auto gateway = OpenCatalogue(options);
  if (options.importFolder) {
    const int added = vemora::demo::ImportFolder(*gateway, *options.importFolder, imageFolder);
    std::cout << "imported " << added << " images from " << options.importFolder->string() << '\n';
  }
  if (options.samples > 0 && vemora::demo::CountRows(*gateway) == 0) {
    const auto samples = vemora::demo::WriteSampleImages(imageFolder, options.samples);
    for (const auto& sample : samples)
      vemora::demo::ImportFile(*gateway, sample.path, sample.description, sample.keywords);
    std::cout << "added " << samples.size() << " sample images to the new catalogue\n";
  }
  if (!options.window) return 0;

  // Only the window needs a display.
  QApplication application(argc, argv);
  QApplication::setApplicationDisplayName(QStringLiteral("Galeriekasten"));

  if (options.screenshot) ScheduleScreenshot(*options.screenshot);
  const std::u16string settings = ToUtf16(settingsFolder.string());
  const std::u16string images = ToUtf16(imageFolder.string());
  const std::u16string caption = ToUtf16(options.caption.value_or(""));
  const int32_t result = ShowVemora(nullptr, gateway.get(), options.hostId, settings.c_str(),
                                    images.c_str(), options.preselectKey, options.multiSelect,
                                    options.caption ? caption.c_str() : nullptr);
  std::cout << "result: " << result << '\n';
  if (options.multiSelect) PrintSelection(settingsFolder);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  try {
    return Run(argc, argv);
  } catch (const std::exception& error) {
    std::fprintf(stderr, "vemora-host: %s\n", error.what());
    return 1;
  }
}
