#include "ui/german_texts.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

#include "platform/desktop.h"
#include "platform/utf8_path.h"

namespace vemora::ui {

void EnsureGermanQtTexts() {
  static bool done = false;
  if (done || QCoreApplication::instance() == nullptr) return;
  done = true;
  // A host that already speaks German to Qt keeps its own translator.
  if (QCoreApplication::translate("QFileDialog", "&Open") != QLatin1String("&Open")) return;
  // Owned by the application from here on; Qt keeps using it after the call returns.
  // Qt's own folder where Qt is installed (Linux); beside the library where it ships with
  // its Qt (Windows, where a host's Qt looks for them beside the host's program).
  auto* translator = new QTranslator(QCoreApplication::instance());
  const QString beside =
      QString::fromStdString(platform::Utf8FromPath(platform::ModuleFolder() / "translations"));
  if (translator->load(QStringLiteral("qtbase_de"),
                       QLibraryInfo::path(QLibraryInfo::TranslationsPath)) ||
      translator->load(QStringLiteral("qtbase_de"), beside))
    QCoreApplication::installTranslator(translator);
  else
    delete translator;
}

}  // namespace vemora::ui
