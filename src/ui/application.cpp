#include "ui/application.h"

#include <QApplication>
#include <QIcon>
#include <QLibraryInfo>
#include <QTranslator>

// The icons are compiled into the windows' static library, whose resources
// are registered only when asked for (outside any namespace, as Qt wants).
static void RegisterIconResources() { Q_INIT_RESOURCE(icons); }

namespace orvalis {

void LoadIconResources() {
  static const bool registered = (RegisterIconResources(), true);
  (void)registered;
}

void SetUpApplication() {
  LoadIconResources();
  QApplication::setApplicationName(QStringLiteral("Orvalis"));
  QApplication::setOrganizationName(QStringLiteral("Farrowlight"));
  QApplication::setApplicationVersion(QStringLiteral(ORVALIS_VERSION));
  QIcon icon;
  for (const int size : {16, 32, 48, 64, 128}) {
    icon.addFile(QStringLiteral(":/icons/orvalis-%1.png").arg(size), QSize(size, size));
  }
  QApplication::setWindowIcon(icon);
  InstallQtTranslations(QString::fromLatin1(kProgramLanguage));
}

bool InstallQtTranslations(const QString& language) {
  // One translator for the whole run; a later language replaces it.
  static QTranslator* installed = nullptr;
  if (installed) {
    QCoreApplication::removeTranslator(installed);
    delete installed;
    installed = nullptr;
  }
  // "pt_BR" is found as qtbase_pt_BR, "de_AT" as qtbase_de.
  const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
  auto* translator = new QTranslator(QCoreApplication::instance());
  if (!translator->load(QStringLiteral("qtbase_") + language, folder) &&
      !translator->load(QStringLiteral("qtbase_") + language.section(QLatin1Char('_'), 0, 0),
                        folder)) {
    delete translator;
    return false;
  }
  QCoreApplication::installTranslator(translator);
  installed = translator;
  return true;
}

}  // namespace orvalis
