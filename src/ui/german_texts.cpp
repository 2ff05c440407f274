#include "ui/german_texts.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace vemora::ui {

void EnsureGermanQtTexts() {
  static bool done = false;
  if (done || QCoreApplication::instance() == nullptr) return;
  done = true;
  // A host that already speaks German to Qt keeps its own translator.
  if (QCoreApplication::translate("QFileDialog", "&Open") != QLatin1String("&Open")) return;
  // Owned by the application from here on; Qt keeps using it after the call returns.
  auto* translator = new QTranslator(QCoreApplication::instance());
  if (translator->load(QStringLiteral("qtbase_de"),
                       QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
    QCoreApplication::installTranslator(translator);
  else
    delete translator;
}

}  // namespace vemora::ui
