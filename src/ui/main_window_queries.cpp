// The main window's query buffer box, query files and query wizard.
#include "common/whole_file.h"
#include "engine/data_folder.h"
#include "engine/list_readers.h"
#include "engine/query_buffer.h"
#include "i18n/file_messages.h"
#include "query/date_format.h"
#include "query/query_statement.h"
#include "ui/dialogs.h"
#include "ui/export_dialog.h"
#include "ui/language.h"
#include "ui/main_commands.h"
#include "ui/main_window.h"
#include "ui/qt_text.h"
#include "ui/querylist_dialog.h"
#include "ui/result_export.h"
#include "ui/ui_text.h"
#include "ui/wizard_window.h"
#include "ui/xml_export_dialog.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>

namespace orvalis {

namespace {

// Today in the short date form of the locale the queries' dateformat uses.
std::string TodayShortDate(const LocaleInfo& locale) {
  const QDate today = QDate::currentDate();
  DateTimeParts parts;
  parts.year = today.year();
  parts.month = today.month();
  parts.day = today.day();
  return FormatDateTime(parts, "ddddd", locale).value_or(std::string());
}

}  // namespace

void TfrmMain::CreateQueryCommands() {
  frmExport = new TfrmExport(*fDialogs, this);
  frmExportXML = new TfrmExportXML(*fDialogs, this);
  frmQuerylist = new TfrmQuerylist(this);

  const TCommandSet& commands = *fCommands;
  using C = tCommand;
  connect(commands.Action(C::actExport), &QAction::triggered, this,
          [this] { ExportRowsAsText(fResults->View(), *frmExport, *fDialogs); });
  connect(commands.Action(C::actExportXML), &QAction::triggered, this,
          [this] { ExportRowsAsXml(fResults->View(), *frmExportXML, *fDialogs); });
  connect(commands.Action(C::actQuerylistSave), &QAction::triggered, this,
          &TfrmMain::actQuerylistSaveExecute);
  QAction* next = commands.Action(C::actQuerylistNext);
  QAction* previous = commands.Action(C::actQuerylistPrev);
  next->setData(1);
  previous->setData(-1);
  connect(commands.Action(C::actNewQuery), &QAction::triggered, this,
          &TfrmMain::actNewQueryExecute);
  connect(commands.Action(C::actLoadQuery), &QAction::triggered, this,
          &TfrmMain::actLoadQueryExecute);
  connect(commands.Action(C::actSaveQuery), &QAction::triggered, this,
          &TfrmMain::actSaveQueryExecute);
  connect(commands.Action(C::actQueryWizard), &QAction::triggered, this,
          &TfrmMain::actQueryWizardExecute);

  // The changed mark: set when the editor's text becomes modified.
  connect(txtQuery->document(), &QTextDocument::modificationChanged, this, [this](bool modified) {
    if (modified) ShowQueryMark(tText::QueryTextModified);
  });

  comboQueries->Load();
}

// ---- Query buffer -------------------------------------------------------------

void TfrmMain::actQuerylistSaveExecute() {
  frmQuerylist->Fill(comboQueries->Names());
  if (!fDialogs->Execute(*frmQuerylist)) return;
  std::string prefix;
  if (frmQuerylist->chkTimestamp->isChecked()) {
    prefix = "-- saved on " + TodayShortDate(fLocale) + "|";
  }
  QString name = frmQuerylist->QueryName();
  // A line starting with ";" is a comment of the list file: such a name
  // loses its ";" so that the entry is still there at the next start.
  while (name.startsWith(QLatin1Char(';'))) name = name.mid(1).trimmed();
  // An entry without a name could be neither told apart nor picked.
  if (name.isEmpty()) return;
  const std::string stored = prefix + StoredQueryText(QueryText());
  comboQueries->Put(name, stored);
}

// ---- Query files --------------------------------------------------------------

void TfrmMain::ClearResultsForNewQuery() {
  fResults->ClearRows();
  ApplyViewStyle(tResultViewStyle::Preview);
}

void TfrmMain::actNewQueryExecute() {
  txtQuery->clear();
  ClearResultsForNewQuery();
}

void TfrmMain::actQueryWizardExecute() {
  // A new wizard for every run: nothing of an earlier run survives.
  TfrmWizard wizard(*fDialogs, this);
  std::string generated;
  wizard.OnFinish = [&](TfrmWizard& finished) {
    generated = WizardQueryText(finished.Choice(), TodayShortDate(fLocale));
  };
  if (!fDialogs->Execute(wizard) || generated.empty()) return;
  txtQuery->clear();
  txtQuery->setPlainText(EditorText(generated));
}

void TfrmMain::actLoadQueryExecute() {
  const QString chosen =
      fDialogs->ChooseOpenFile(this, QString(), FileDialogFilters(Ui(tText::QueryFileOpenFilter)));
  if (!chosen.isEmpty()) {
    // Read only as far as the longest query: a huge file is refused, not loaded.
    std::string bytes;
    std::string error;
    const tListRead read = ReadQueryFile(QFile::encodeName(chosen).toStdString(), bytes, error);
    if (read == tListRead::TooLong) {
      fDialogs->ShowMessage(
          chosen + QStringLiteral(": ") +
          Ui(tText::QueryTooLong).replace(QStringLiteral("%d"), QString::number(kMaxQueryLength)));
    } else if (read != tListRead::Read) {
      fDialogs->ShowMessage(
          DisplayText(ReadFailureMessage(QFile::encodeName(chosen).toStdString(), error)));
    } else {
      // The last line's end closes that line; it opens no empty one.
      QString text = EditorText(bytes);
      if (text.endsWith(QLatin1Char('\n'))) text.chop(1);
      txtQuery->setPlainText(text);
    }
  }
  ClearResultsForNewQuery();
}

void TfrmMain::actSaveQueryExecute() {
  const QString chosen = fDialogs->ChooseSaveFile(
      this, QString(), FileDialogFilters(Ui(tText::QueryFileSaveFilter)), 0, QString());
  if (chosen.isEmpty()) return;
  std::string text = QueryText();
  if (!text.empty()) text += "\r\n";
  const tWholeWriteResult written = WriteFileWhole(QFile::encodeName(chosen).toStdString(), text);
  if (written.Outcome != tWholeWrite::Written) {
    fDialogs->ShowMessage(DisplayText(WriteFailureMessage(written)));
    return;
  }
  txtQuery->document()->setModified(false);
  ShowQueryMark(tText::QueryTextSaved);
}

void TfrmMain::ShowQueryMark(tText mark) { fResults->ShowQueryMark(mark); }

std::string TfrmMain::QueryText() const { return txtQuery->QueryText(); }

}  // namespace orvalis
