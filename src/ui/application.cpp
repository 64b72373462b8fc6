#include "ui/application.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace orvalis {

void SetUpApplication() {
  QApplication::setApplicationName(QStringLiteral("Orvalis"));
  QApplication::setOrganizationName(QStringLiteral("Farrowlight"));
  QApplication::setApplicationVersion(QStringLiteral(ORVALIS_VERSION));
  InstallQtTranslations(QString::fromLatin1(kProgramLanguage));
}

bool InstallQtTranslations(const QString& language) {
  // One translator for the whole run; a later language replaces it.
  static QTranslator* installed = nullptr;
  auto* translator = new QTranslator(QCoreApplication::instance());
  if (!translator->load(QStringLiteral("qtbase_") + language,
                        QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    delete translator;
    return false;
  }
  if (installed) {
    QCoreApplication::removeTranslator(installed);
    delete installed;
  }
  QCoreApplication::installTranslator(translator);
  installed = translator;
  return true;
}

}  // namespace orvalis
