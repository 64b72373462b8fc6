// The settings kept by the platform: QSettings of "Farrowlight"/"Orvalis",
// group "1.0" (on Windows the registry key of the current user).
#pragma once

#include "engine/settings.h"

#include <QSettings>

namespace orvalis {

class TQtSettingsStore : public tSettingsStore {
 public:
  TQtSettingsStore();
  // True when the group holds any value (the key exists).
  bool Exists();

  std::optional<std::string> ReadText(std::string_view name) override;
  std::optional<std::int32_t> ReadInteger(std::string_view name) override;
  void WriteText(std::string_view name, const std::string& value) override;
  void WriteInteger(std::string_view name, std::int32_t value) override;
  // Writes the values out now (the file is replaced whole); false on failure.
  bool Flush();

 private:
  QSettings fSettings;
};

}  // namespace orvalis
