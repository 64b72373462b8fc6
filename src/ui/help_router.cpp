#include "ui/help_router.h"

#include "engine/help_log.h"
#include "i18n/language_table.h"
#include "i18n/program_args.h"
#include "ui/application.h"
#include "ui/help_window.h"
#include "ui/language.h"
#include "ui/program_files.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QDateTime>
#include <QKeyEvent>
#include <QLocale>
#include <QSysInfo>
#include <QMessageBox>
#include <QScreen>

namespace orvalis {

namespace {

constexpr const char* kContextProperty = "orvalisHelpContext";
constexpr const char* kKeywordProperty = "orvalisHelpKeyword";
constexpr qint64 kMaxContextMapBytes = 64 * 1024;

// F1 anywhere: the nearest widget up the parent chain that carries a help
// context or keyword decides the page.
class tHelpKeyFilter : public QObject {
 public:
  using QObject::QObject;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::KeyPress) return QObject::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() != Qt::Key_F1 || key->modifiers() != Qt::NoModifier) return false;
    for (QWidget* widget = QApplication::focusWidget() ? QApplication::focusWidget()
                                                       : QApplication::activeWindow();
         widget != nullptr; widget = widget->parentWidget()) {
      const QVariant keyword = widget->property(kKeywordProperty);
      if (keyword.isValid()) {
        ShowHelpTopic(keyword.toString());
        return true;
      }
      const QVariant context = widget->property(kContextProperty);
      if (context.isValid()) {
        ShowHelpContext(context.toInt());
        return true;
      }
    }
    return false;
  }
};

}  // namespace

THelpRouter& THelpRouter::Instance() {
  static THelpRouter router;
  return router;
}

THelpRouter::THelpRouter() {
  TLanguage& language = TLanguage::Instance();
  fLanguage = language.LanguageTag();
  QObject::connect(&language, &TLanguage::Switched, [this] {
    fLanguage = TLanguage::Instance().LanguageTag();
    // An open help window shows its page again in the new language.
    if (fWindow) fWindow->FollowFolder(HelpFolder());
  });
}

QString THelpRouter::HelpFolder() const {
  const QString root = ProgramFile(QStringLiteral("help"));
  const QString language = fLanguage.isEmpty() ? QString::fromLatin1(kProgramLanguage) : fLanguage;
  // "de-at" has no pages of its own: use "de", then the built-in language.
  for (const QString& candidate : {language, language.section(QLatin1Char('-'), 0, 0),
                                   QString::fromLatin1(kProgramLanguage)}) {
    const QString folder = root + QLatin1Char('/') + candidate;
    if (QDir(folder).exists()) return folder;
  }
  return root + QLatin1Char('/') + QString::fromLatin1(kProgramLanguage);
}

QString THelpRouter::NormalizeTopic(const QString& topic) {
  QString page = topic;
  page.replace(QStringLiteral("%20"), QStringLiteral(" "));
  page = page.trimmed();
  page.replace(QLatin1Char('\\'), QLatin1Char('/'));
  while (page.startsWith(QLatin1Char('/'))) page.remove(0, 1);
  return page;
}

std::map<int, QString> THelpRouter::ReadContextMap(const QString& path) {
  std::map<int, QString> map;
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return map;
  const QList<QByteArray> lines = file.read(kMaxContextMapBytes).split('\n');
  for (const QByteArray& raw : lines) {
    const QString line = QString::fromUtf8(raw).trimmed();
    if (line.isEmpty() || line.startsWith(QLatin1Char('#'))) continue;
    const QStringList parts = line.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    bool ok = false;
    const int number = parts.value(0).toInt(&ok);
    if (!ok || parts.size() != 2) continue;
    map.emplace(number, NormalizeTopic(parts[1]));
  }
  return map;
}

void THelpRouter::ShowContext(int context) {
  HelpLog().Write("HelpContext " + std::to_string(context));
  const auto map = ReadContextMap(ProgramFile(QStringLiteral("help/contexts.map")));
  const auto found = map.find(context);
  Show(found != map.end() ? found->second : QStringLiteral("index.htm"));
}

void THelpRouter::ShowTopic(const QString& topic) {
  HelpLog().Write("HelpTopic " + topic.toStdString());
  Show(NormalizeTopic(topic));
}

void THelpRouter::Show(const QString& page) {
  if (fSink) {
    fSink(page);
    return;
  }
  const QString folder = HelpFolder();
  if (!QDir(folder).exists()) {
    HelpLog().Write("Help folder not found: " + folder.toStdString());
    // This message has no translation key: it names a broken installation.
    QMessageBox::warning(QApplication::activeWindow(), QStringLiteral("Orvalis"),
                         QStringLiteral("Hilfe-Datei nicht gefunden\r") + folder);
    return;
  }
  if (!fWindow) {
    fWindow = new TfrmHelp;
    // Whole on the screen of the window asking, title bar included.
    QWidget* asking = QApplication::activeWindow();
    if (const QScreen* screen = asking ? asking->screen() : QGuiApplication::primaryScreen()) {
      constexpr int kFrame = 48;
      const QRect room = screen->availableGeometry();
      fWindow->resize(fWindow->size().boundedTo(room.size() - QSize(kFrame, 2 * kFrame)));
      fWindow->move(room.x() + (room.width() - fWindow->width()) / 2,
                    room.y() + (room.height() - fWindow->height() - kFrame) / 2);
    }
  }
  fWindow->ShowPage(folder, page);
  // A minimised help window comes back when help is asked for.
  fWindow->setWindowState(fWindow->windowState() & ~Qt::WindowMinimized);
  fWindow->show();
  fWindow->raise();
  fWindow->activateWindow();
}

void THelpRouter::CloseAll() {
  if (fWindow) fWindow->close();
}

void StartHelpLog(const QStringList& arguments) {
  std::vector<std::string> words;
  for (const QString& argument : arguments) words.push_back(argument.toStdString());
  const TArgsClass args(std::move(words));
  const QString programFolder = QCoreApplication::applicationDirPath();
  if (!args.DebugRequested() && !QFileInfo::exists(programFolder + QLatin1Char('/') +
                                                   QString::fromLatin1(kDebugSwitchFile))) {
    return;
  }
  const QLocale system = QLocale::system();
  QStringList parameters;
  for (std::size_t i = 1; i < args.Arguments().size(); ++i) {
    parameters.append(QString::fromStdString(args.Arguments()[i]));
  }
  const QString helpFolder = THelpRouter::Instance().HelpFolder();
  const auto text = [](const QString& value) { return value.toStdString(); };
  // The system locale as a locale identifier of the language table, with
  // its primary and sub language parts.
  const int localeId = LocaleForCode(CodeForSystemLocale(system.name().toStdString()));
  const std::vector<std::pair<std::string, std::string>> header = {
      {"Filename:", kHelpLogName},
      {"Date:", text(QDateTime::currentDateTime().toString(Qt::ISODate))},
      {"Operating System:", text(QSysInfo::prettyProductName())},
      {"SysLocale.DefaultLCID:", std::to_string(localeId) + " (" + text(system.name()) + ")"},
      {"SysLocale.PriLangID:", std::to_string(localeId & 0x3FF)},
      {"SysLocale.SubLangID:", std::to_string(localeId >> 10)},
      {"DecimalSeparator:", text(system.decimalPoint())},
      {"EXE Path =", text(QCoreApplication::applicationFilePath())},
      {"Cmdline Param(s) =", text(parameters.join(QLatin1Char(' ')))},
      {"_RunDir =", text(QDir::currentPath())},
      {"_ModuleName =", text(QFileInfo(QCoreApplication::applicationFilePath()).fileName())},
      {"_ModuleDir =", text(programFolder)},
      {"_hhInstalled =", QDir(helpFolder).exists() ? "True" : "False"},
      {"_hhVerStr =", qVersion()},
      {"_hhFriendlyVerStr =", text(QStringLiteral("Qt ") + QString::fromLatin1(qVersion()))},
      {"_ieInstalled =", "False"},
      {"_ieVerStr =", ""},
      {"_ieFriendlyVerStr =", ""},
  };
  HelpLog().Start(THelpLog::ChooseFolder(programFolder.toStdString()), header, 7);
}

void SetHelpContext(QWidget* widget, int context) {
  widget->setProperty(kContextProperty, context);
}

void SetHelpKeyword(QWidget* widget, const QString& topic) {
  widget->setProperty(kKeywordProperty, topic);
}

void InstallHelpKey(QApplication& application) {
  application.installEventFilter(new tHelpKeyFilter(&application));
}

}  // namespace orvalis
