// The QApplication for all window tests and the isolated settings location.
#include "ui_test_support.h"

#include <QApplication>
#include <QSettings>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

namespace orvalis::test {

namespace {

std::unique_ptr<QTemporaryDir> gRoot;
int gLocationCount = 0;

class TQtEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    gRoot = std::make_unique<QTemporaryDir>();
    // Nothing of the user's own configuration may be read or written.
    qputenv("XDG_CONFIG_HOME", (gRoot->path() + QStringLiteral("/xdg-config")).toUtf8());
    qputenv("XDG_DATA_HOME", (gRoot->path() + QStringLiteral("/xdg-data")).toUtf8());
    qputenv("APPDATA", (gRoot->path() + QStringLiteral("/appdata")).toUtf8());
    static int argc = 1;
    static char name[] = "ui_tests";
    static char* argv[] = {name, nullptr};
    fApplication = std::make_unique<QApplication>(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Orvalis"));
    QApplication::setOrganizationName(QStringLiteral("Farrowlight"));
    UseFreshSettingsLocation();
  }
  void TearDown() override {
    fApplication.reset();
    gRoot.reset();
  }

 private:
  std::unique_ptr<QApplication> fApplication;
};

[[maybe_unused]] ::testing::Environment* const gEnvironment =
    ::testing::AddGlobalTestEnvironment(new TQtEnvironment);

}  // namespace

void UseFreshSettingsLocation() {
  const QString folder = gRoot->path() + QStringLiteral("/location%1").arg(++gLocationCount);
  QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, folder + QStringLiteral("/config"));
  QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, folder + QStringLiteral("/config"));
  qputenv("APPDATA", (folder + QStringLiteral("/appdata")).toUtf8());
}

}  // namespace orvalis::test
