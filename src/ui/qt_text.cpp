#include "ui/qt_text.h"

#include "common/utf8.h"

#include <QFile>

namespace orvalis {

namespace {

QString WithLf(QString text) {
  text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  return text;
}

}  // namespace

QString DisplayText(const std::string& bytes) {
  return QString::fromStdString(ToDisplayUtf8(bytes));
}

QString LocalPath(const std::string& path) {
  return QFile::decodeName(QByteArray::fromStdString(path));
}

QString EditorText(const std::string& bytes) { return WithLf(DisplayText(bytes)); }

std::string WithCrLf(const QString& text) {
  return WithLf(text).replace(QLatin1Char('\n'), QStringLiteral("\r\n")).toStdString();
}

}  // namespace orvalis
