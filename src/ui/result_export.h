// The exports of the result rows, each through its dialog: "Export ..." (the
// rows' texts as delimited text) and "Export XML ..." (the hits' metadata).
// The selected rows are written, or all rows without a selection; without
// rows the user is told so.
#pragma once

namespace orvalis {

class TDialogs;
class TfrmExport;
class TfrmExportXML;
class TResultView;

void ExportRowsAsText(const TResultView& view, TfrmExport& dialog, TDialogs& dialogs);
void ExportRowsAsXml(const TResultView& view, TfrmExportXML& dialog, TDialogs& dialogs);

}  // namespace orvalis
