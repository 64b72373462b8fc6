// Enter in a dialog presses its "OK" (or "Weiter"), never another button
// that happens to come first in the focus order.
#include "ui/about_dialog.h"
#include "ui/export_dialog.h"
#include "ui/file_operations_dialog.h"
#include "ui/language_dialog.h"
#include "ui/metadata_window.h"
#include "ui/print_dialog.h"
#include "ui/querylist_dialog.h"
#include "ui/result_action_menus.h"
#include "ui/result_view.h"
#include "ui/settings_dialog.h"
#include "ui/wizard_window.h"
#include "ui/xml_export_dialog.h"
#include "ui_test_support.h"

#include <QApplication>
#include <QPushButton>

#include <functional>
#include <memory>

#include <gtest/gtest.h>

namespace orvalis::test {
namespace {

struct tDialogCase {
  const char* Name;
  std::function<std::unique_ptr<QDialog>(TDialogs&, TResultView&)> Make;
  const char* EnterButton;
};

class DialogEnterTest : public ::testing::TestWithParam<tDialogCase> {
 protected:
  void SetUp() override { UseFreshSettingsLocation(); }
  TScriptedDialogs dialogs;
  TResultView results;
};

TEST_P(DialogEnterTest, TheDefaultButtonIsTheDialogsOwn) {
  const std::unique_ptr<QDialog> dialog = GetParam().Make(dialogs, results);
  dialog->show();
  QApplication::processEvents();
  QStringList defaults;
  for (QPushButton* button : dialog->findChildren<QPushButton*>()) {
    if (button->isDefault())
      defaults.append(button->objectName() + QLatin1Char('/') + button->text());
  }
  ASSERT_EQ(defaults.size(), 1) << defaults.join(QLatin1Char(' ')).toStdString();
  EXPECT_TRUE(
      defaults.front().startsWith(QString::fromLatin1(GetParam().EnterButton) + QLatin1Char('/')))
      << defaults.front().toStdString();
  dialog->hide();
}

template <class TDialog>
std::unique_ptr<QDialog> Plain(TDialogs&, TResultView&) {
  return std::make_unique<TDialog>();
}
template <class TDialog>
std::unique_ptr<QDialog> Asking(TDialogs& dialogs, TResultView&) {
  return std::make_unique<TDialog>(dialogs);
}
template <class TDialog>
std::unique_ptr<QDialog> OnResults(TDialogs& dialogs, TResultView& results) {
  return std::make_unique<TDialog>(results, dialogs);
}

INSTANTIATE_TEST_SUITE_P(
    Dialogs, DialogEnterTest,
    ::testing::Values(tDialogCase{"FileOperations", &OnResults<TfrmFileOperations>, "btnOK"},
                      tDialogCase{"AddAction", &Asking<TfrmAction>, "btnOK"},
                      tDialogCase{"Settings", &Plain<TfrmSettings>, "btnOK"},
                      tDialogCase{"Wizard", &Asking<TfrmWizard>, "btnNext"},
                      tDialogCase{"About", &Plain<TfrmAbout>, "btnOK"},
                      tDialogCase{"Metadata", &Plain<TfrmMetadata>, "btnOK"},
                      tDialogCase{"Language", &Plain<TfrmSelectLang>, "btnOK"},
                      tDialogCase{"Querylist", &Plain<TfrmQuerylist>, "btnOK"},
                      tDialogCase{"Export", &Asking<TfrmExport>, "btnOK"},
                      tDialogCase{"XmlExport", &Asking<TfrmExportXML>, "btnOK"},
                      tDialogCase{"Print", &Asking<TfrmPrintMain>, "btnOK"}),
    [](const ::testing::TestParamInfo<tDialogCase>& row) { return std::string(row.param.Name); });

}  // namespace
}  // namespace orvalis::test
