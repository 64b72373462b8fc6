// What a query run needs from its surroundings: the result list, the status
// bar, message boxes and the event loop. The main window implements it with
// Qt, the command line with streams, the tests with a recorder. Nothing else
// of the windows reaches the run driver.
#pragma once

#include <string>
#include <vector>

#include "common/value.h"

namespace orvalis {

class tImageMetaData;

class tRunHost {
 public:
  virtual ~tRunHost() = default;

  // Empties the result list: rows, columns and thumbnails; switches sorting
  // off; the thumbnail list takes this size and the no-preview picture as
  // image 0.
  virtual void PrepareResultList(int thumbnailWidth, int thumbnailHeight) = 0;
  // Appends a column whose header is the SELECT item's text.
  virtual void AddColumn(const std::string& caption) = 0;
  // Adds the row of a hit (AddFileToResultlist); the store still holds the
  // file, so the host can take its thumbnail. Returns the new row's index.
  virtual int AddRow(const std::string& path, tImageMetaData& store, bool generatePreview) = 0;
  // Cell texts of a row: column 0 is the caption, column k the sub-item k-1.
  virtual void SetCell(int row, int column, const std::string& text) = 0;
  // The same with the kind of value the text stands for (empty, boolean,
  // number, text), for output that keeps types; the query run calls this
  // one. Hosts that show texts only leave it to SetCell.
  virtual void SetTypedCell(int row, int column, const std::string& text, Value::Variety variety) {
    (void)variety;
    SetCell(row, column, text);
  }
  // Full paths of the rows in their current order (the result set is rebuilt
  // from them at the end of a run).
  virtual std::vector<std::string> RowPaths() const = 0;
  // Widens every column that is narrower than its header.
  virtual void FitColumnsToCaptions() = 0;

  // The running state: list hidden behind "Abfrage läuft ...", small icons,
  // Stop enabled and Execute disabled; and back.
  virtual void EnterRunningState() = 0;
  virtual void LeaveRunningState() = 0;
  // The statement or one of its parts failed to compile: focus the editor
  // with its caret at position (1-based byte position in the query text as
  // the run was given it, line breaks CR LF), where the fault is.
  virtual void FocusQueryText(int position) = 0;

  virtual void SetStatusPanel(int panel, const std::string& text) = 0;
  // A message box with an OK button; returns when it was confirmed.
  virtual void ShowMessage(const std::string& text) = 0;
  // A remark that does not stop the run (a name that is no field): the
  // window shows it in the status bar and the help log, the command line on
  // standard error.
  virtual void ShowNotice(const std::string& text) = 0;
  // Lets pending window events run; Stop takes effect only here.
  virtual void ProcessEvents() = 0;
};

}  // namespace orvalis
