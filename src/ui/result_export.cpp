// The exports of the result rows: the selected rows (or all) as delimited
// text, and the hits' metadata as XML, each after its dialog.
#include "ui/result_export.h"

#include "common/whole_file.h"
#include "i18n/file_messages.h"
#include "output/text_export.h"
#include "output/xml_export.h"
#include "ui/dialogs.h"
#include "ui/export_dialog.h"
#include "ui/qt_text.h"
#include "ui/result_view.h"
#include "ui/ui_text.h"
#include "ui/xml_export_dialog.h"

#include <QFile>

namespace orvalis {

namespace {

QString Finished(std::size_t count, const QString& fileName) {
  QString text = Ui(tText::ExportFinished);
  text.replace(QStringLiteral("%d"), QString::number(count));
  text.replace(QStringLiteral("%s"), fileName);
  return text;
}

std::vector<int> ExportRows(const TResultView& view) {
  std::vector<int> rows = view.SelectedRows();
  if (rows.empty()) {
    for (int row = 0; row < view.Model().rowCount(); ++row) rows.push_back(row);
  }
  return rows;
}

// False, after saying so, where a file of the name is no regular file (a
// device, a pipe, a folder) and must not be written over.
bool MayWrite(const QString& fileName, TDialogs& dialogs) {
  const tWholeWriteResult target = CheckWriteTarget(QFile::encodeName(fileName).toStdString());
  if (target.Outcome != tWholeWrite::NotRegular) return true;
  dialogs.ShowMessage(DisplayText(WriteFailureMessage(target)));
  return false;
}

}  // namespace

void ExportRowsAsText(const TResultView& view, TfrmExport& dialog, TDialogs& dialogs) {
  const TResultModel& model = view.Model();
  if (model.rowCount() == 0) {
    dialogs.ShowMessage(Ui(tText::NoResults));
    return;
  }
  if (!dialogs.Execute(dialog)) return;
  std::vector<std::vector<std::string>> rows;
  for (int row : ExportRows(view)) {
    const TResultRow& item = model.Row(row);
    std::vector<std::string> fields{item.Caption.toStdString()};
    for (const QString& sub : item.SubItems) fields.push_back(sub.toStdString());
    rows.push_back(std::move(fields));
  }
  const QString fileName = dialog.FileName();
  if (!MayWrite(fileName, dialogs)) return;
  const TextExportResult result =
      WriteTextExportFile(fileName.toStdString(), rows, dialog.Options());
  if (!result.ok()) {
    dialogs.ShowMessage(
        DisplayText(WriteFailureMessage(QFile::encodeName(fileName).toStdString(), result.error)));
    return;
  }
  dialogs.ShowMessage(Finished(result.rowCount, fileName));
}

void ExportRowsAsXml(const TResultView& view, TfrmExportXML& dialog, TDialogs& dialogs) {
  const TResultModel& model = view.Model();
  if (model.rowCount() == 0) {
    dialogs.ShowMessage(Ui(tText::NoResults));
    return;
  }
  if (!dialogs.Execute(dialog)) return;
  std::vector<std::string> files;
  for (int row : ExportRows(view)) files.push_back(model.Row(row).FileInfo.Path);
  const QString fileName = dialog.FileName();
  if (!MayWrite(fileName, dialogs)) return;
  const XmlExportResult result =
      WriteXmlExportFile(fileName.toStdString(), files, dialog.Options());
  if (!result.ok()) {
    // The export file could not be made, or a photo could not be read (or
    // written out): the message names the file it stopped at.
    const std::string target = QFile::encodeName(fileName).toStdString();
    if (!QFile::exists(fileName) || result.fileCount >= files.size()) {
      dialogs.ShowMessage(DisplayText(WriteFailureMessage(target, result.error)));
    } else {
      // The reader's message names the photo; the lead-in names it already.
      std::string reason = result.error;
      const std::string stopped = files[result.fileCount] + ": ";
      if (reason.rfind(stopped, 0) == 0) reason.erase(0, stopped.size());
      dialogs.ShowMessage(Ui(tText::ExportStoppedAt)
                              .replace(QStringLiteral("%1"), DisplayText(target))
                              .replace(QStringLiteral("%2"), DisplayText(files[result.fileCount])) +
                          DisplayText(reason));
    }
    return;
  }
  dialogs.ShowMessage(Finished(result.fileCount, fileName));
}

}  // namespace orvalis
