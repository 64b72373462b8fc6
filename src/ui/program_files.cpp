#include "ui/program_files.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace orvalis {

QString ProgramFile(const QString& relative) {
  const QString folder = QCoreApplication::applicationDirPath();
  const QString beside = folder + QLatin1Char('/') + relative;
  const QString installed = folder + QStringLiteral("/../share/orvalis/") + relative;
  if (!QFileInfo::exists(beside) && QFileInfo::exists(installed)) {
    return QFileInfo(installed).absoluteFilePath();
  }
  return beside;
}

}  // namespace orvalis
