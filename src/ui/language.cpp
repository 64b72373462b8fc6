#include "ui/language.h"

#include "ui/program_files.h"

#include "common/ascii_case.h"
#include "i18n/language_table.h"
#include "i18n/messages.h"
#include "ui/application.h"

#include <QAbstractButton>
#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLocale>
#include <QMenu>
#include <QWidget>
#include <QWizardPage>

#include <algorithm>
#include <unordered_map>

namespace orvalis {

namespace {

// The language of Qt's own texts for the open language file: its code with
// "_" for "-" ("pt-br" -> "pt_BR"); the program's own language without one.
QString QtLanguageOf(const TLocalizerClass* localizer) {
  if (!localizer || localizer->LanguageFile().empty()) return QString::fromLatin1(kProgramLanguage);
  QString code = QFileInfo(QString::fromStdString(localizer->LanguageFile()))
                     .fileName()
                     .section(QLatin1Char('.'), 0, 0);
  const qsizetype dash = code.indexOf(QLatin1Char('-'));
  if (dash < 0) return code.toLower();
  return code.left(dash).toLower() + QLatin1Char('_') + code.mid(dash + 1).toUpper();
}

// Positions and sizes from a language file are kept within a few screens: a
// window millions of pixels wide would only exhaust memory.
constexpr int kMaxExtent = 4096;

void ApplyGeometry(QWidget& window) {
  const TLocalizerClass* localizer = TLanguage::Instance().Localizer();
  if (!localizer || window.objectName().isEmpty()) return;
  const std::vector<tComponentEntry> entries =
      localizer->WindowEntries(window.objectName().toStdString());
  if (entries.empty()) return;
  // The window's controls by name in lower case; the first of a name wins.
  std::unordered_map<std::string, QWidget*> controls;
  for (QWidget* child : window.findChildren<QWidget*>()) {
    if (!child->objectName().isEmpty())
      controls.emplace(AsciiLower(child->objectName().toStdString()), child);
  }
  for (const tComponentEntry& entry : entries) {
    const std::optional<int> number = GeometryNumber(entry.Value);
    if (!number) continue;
    QWidget* target = &window;
    if (!EqualsNoCase(entry.Component, kSelfComponent)) {
      const auto found = controls.find(AsciiLower(entry.Component));
      if (found == controls.end()) continue;
      target = found->second;
    }
    const QPoint at = target->pos();
    const int place = std::clamp(*number, -kMaxExtent, kMaxExtent);
    const int extent = std::clamp(*number, 0, kMaxExtent);
    switch (entry.Property) {
      case tComponentProperty::Top: target->move(at.x(), place); break;
      case tComponentProperty::Left: target->move(place, at.y()); break;
      // A control in a layout keeps a size only as its fixed size; the window
      // itself stays resizable.
      case tComponentProperty::Width:
        if (target == &window) {
          target->resize(extent, target->height());
        } else {
          target->setFixedWidth(extent);
        }
        break;
      case tComponentProperty::Height:
        if (target == &window) {
          target->resize(target->width(), extent);
        } else {
          target->setFixedHeight(extent);
        }
        break;
      default: break;
    }
  }
}

}  // namespace

TLanguage& TLanguage::Instance() {
  static TLanguage* language = new TLanguage;
  return *language;
}

void TLanguage::Install(std::unique_ptr<TLocalizerClass> localizer) {
  fLocalizer = std::move(localizer);
  SetMessageSource(fLocalizer ? fLocalizer->Messages() : nullptr);
  InstallQtTranslations(QtLanguageOf(fLocalizer.get()));
  emit Switched();
}

bool TLanguage::Switch(const QString& displayName) {
  if (!fLocalizer) return false;
  const bool opened = fLocalizer->SwitchLanguage(displayName.toStdString());
  SetMessageSource(fLocalizer->Messages());
  InstallQtTranslations(QtLanguageOf(fLocalizer.get()));
  emit Switched();
  return opened;
}

QString TLanguage::LanguageTag() const {
  return QtLanguageOf(fLocalizer.get()).toLower().replace(QLatin1Char('_'), QLatin1Char('-'));
}

std::unique_ptr<TLocalizerClass> StartupLocalizer(const QStringList& arguments) {
  int localeId = LocaleForCode(CodeForSystemLocale(QLocale::system().name().toStdString()));
  std::vector<std::string> words;
  for (const QString& argument : arguments) words.push_back(argument.toStdString());
  if (const std::optional<int> option = LocaleOption(words)) localeId = *option;
  const QString folder = ProgramFile(QStringLiteral("lang")) + QLatin1Char('/');
  return std::make_unique<TLocalizerClass>(folder.toStdString(), localeId);
}

void OnLanguage(QObject* context, std::function<void()> setTexts) {
  setTexts();
  QObject::connect(&TLanguage::Instance(), &TLanguage::Switched, context, std::move(setTexts));
}

void SetCaption(QObject& control, const QString& caption) {
  if (auto* action = qobject_cast<QAction*>(&control)) {
    action->setText(caption);
  } else if (auto* menu = qobject_cast<QMenu*>(&control)) {
    menu->setTitle(caption);
  } else if (auto* page = qobject_cast<QWizardPage*>(&control)) {
    page->setTitle(caption);
  } else if (auto* group = qobject_cast<QGroupBox*>(&control)) {
    group->setTitle(caption);
  } else if (auto* label = qobject_cast<QLabel*>(&control)) {
    label->setText(caption);
  } else if (auto* button = qobject_cast<QAbstractButton*>(&control)) {
    button->setText(caption);
  } else if (auto* widget = qobject_cast<QWidget*>(&control)) {
    widget->setWindowTitle(caption);
  }
}

void SetHint(QObject& control, const QString& hint) {
  if (auto* action = qobject_cast<QAction*>(&control)) {
    action->setToolTip(hint);
    action->setStatusTip(hint);
  } else if (auto* menu = qobject_cast<QMenu*>(&control)) {
    menu->menuAction()->setStatusTip(hint);
  } else if (auto* widget = qobject_cast<QWidget*>(&control)) {
    widget->setToolTip(hint);
    widget->setStatusTip(hint);
  }
}

void NameAfter(QObject& control, tText text) {
  if (!control.objectName().isEmpty()) return;
  const std::string_view key = Entry(text).Key;
  const std::size_t first = key.find('.');
  const std::size_t last = key.rfind('.');
  if (first == std::string_view::npos || first == last) return;
  const std::string_view name = key.substr(first + 1, last - first - 1);
  if (name != kSelfComponent)
    control.setObjectName(QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size())));
}

void TranslateWindow(QWidget& window) {
  OnLanguage(&window, [&window] { ApplyGeometry(window); });
}

}  // namespace orvalis
