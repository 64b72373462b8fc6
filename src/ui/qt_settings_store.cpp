// Settings values through QSettings, under the same names as the registry.
#include "ui/qt_settings_store.h"

namespace orvalis {

namespace {

QString Key(std::string_view name) {
  return QStringLiteral("1.0/") +
         QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
}

}  // namespace

TQtSettingsStore::TQtSettingsStore()
    : fSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Farrowlight"),
                QStringLiteral("Orvalis")) {}

bool TQtSettingsStore::Exists() { return fSettings.childGroups().contains(QStringLiteral("1.0")); }

std::optional<std::string> TQtSettingsStore::ReadText(std::string_view name) {
  const QVariant value = fSettings.value(Key(name));
  if (!value.isValid() || !value.canConvert<QString>()) return std::nullopt;
  const QByteArray bytes = value.toString().toUtf8();
  return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

std::optional<std::int32_t> TQtSettingsStore::ReadInteger(std::string_view name) {
  const QVariant value = fSettings.value(Key(name));
  if (!value.isValid()) return std::nullopt;
  bool ok = false;
  const int number = value.toInt(&ok);
  if (!ok) return std::nullopt;
  return number;
}

void TQtSettingsStore::WriteText(std::string_view name, const std::string& value) {
  fSettings.setValue(Key(name),
                     QString::fromUtf8(value.data(), static_cast<qsizetype>(value.size())));
}

void TQtSettingsStore::WriteInteger(std::string_view name, std::int32_t value) {
  fSettings.setValue(Key(name), value);
}

bool TQtSettingsStore::Flush() {
  fSettings.sync();
  return fSettings.status() == QSettings::NoError;
}

}  // namespace orvalis
