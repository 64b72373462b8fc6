// Routing of help requests; until the help window exists, a topic opens its
// page beside the program with the desktop's browser.
#include "ui/help_router.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QUrl>

#include <utility>

namespace orvalis {

namespace {

void OpenTopicPage(const QString& topicPath) {
  QString page = topicPath;
  page.replace(QLatin1Char('\\'), QLatin1Char('/'));
  QString anchor;
  if (const qsizetype hash = page.indexOf(QLatin1Char('#')); hash >= 0) {
    anchor = page.mid(hash + 1);
    page.truncate(hash);
  }
  const QFileInfo file(QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("help/") + page));
  if (!file.isFile()) return;
  QUrl url = QUrl::fromLocalFile(file.absoluteFilePath());
  if (!anchor.isEmpty()) url.setFragment(anchor);
  QDesktopServices::openUrl(url);
}

THelpRoute BuiltInRoute() { return {OpenTopicPage, [](int) {}}; }

THelpRoute& Route() {
  static THelpRoute route = BuiltInRoute();
  return route;
}

}  // namespace

void ShowHelpTopic(const QString& topicPath) { Route().Topic(topicPath); }

void ShowHelpContext(int context) { Route().Context(context); }

THelpRoute SetHelpRoute(THelpRoute route) {
  if (!route.Topic) route.Topic = BuiltInRoute().Topic;
  if (!route.Context) route.Context = BuiltInRoute().Context;
  return std::exchange(Route(), std::move(route));
}

}  // namespace orvalis
