// Help pages and the help log.
#include "ui/help.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QTime>
#include <QUrl>

namespace orvalis {

void ShowHelpContext(int context) {
  AppendHelpLog(QStringLiteral("HelpContext(%1)").arg(context));
  const QString file = QCoreApplication::applicationDirPath() + QStringLiteral("/Orvalis.chm");
  if (QFileInfo::exists(file)) QDesktopServices::openUrl(QUrl::fromLocalFile(file));
}

QString& HelpLogFile() {
  static QString file = [] {
    const QString folder = QCoreApplication::applicationDirPath();
    bool on = QFileInfo::exists(folder + QStringLiteral("/debug.debug"));
    for (const QString& argument : QCoreApplication::arguments().mid(1)) {
      on = on || argument.compare(QStringLiteral("/debug"), Qt::CaseInsensitive) == 0 ||
           argument.compare(QStringLiteral("-debug"), Qt::CaseInsensitive) == 0;
    }
    if (!on) return QString();
    const QString name = QStringLiteral("HHDebug.txt");
    return QFileInfo(folder).isWritable() ? folder + QLatin1Char('/') + name : QDir::temp().filePath(name);
  }();
  return file;
}

void AppendHelpLog(const QString& text) {
  const QString& path = HelpLogFile();
  if (path.isEmpty()) return;
  QString line;
  if (text == QStringLiteral("-") || text == QStringLiteral("=")) {
    line = QString(80, text.front());
  } else if (text.startsWith(QLatin1Char('!')) || text.startsWith(QLatin1Char('-')) ||
             text.startsWith(QLatin1Char('='))) {
    line = text.mid(1);
  } else {
    line = text + QStringLiteral("   ") + QTime::currentTime().toString(QStringLiteral("HH:mm:ss"));
  }
  QByteArray log;
  QFile old(path);
  if (old.open(QIODevice::ReadOnly)) log = old.readAll();
  log += line.toUtf8() + '\n';
  QSaveFile file(path);
  if (file.open(QIODevice::WriteOnly) && file.write(log) == log.size()) file.commit();
}

}  // namespace orvalis
