// The result list control: one set of rows shown as thumbnails, small icons,
// a list of captions or a table, with marks set by digit keys.
#pragma once

#include "engine/settings.h"
#include "ui/result_model.h"

#include <QWidget>

#include <vector>

class QListView;
class QTreeView;
class QStackedLayout;
class QItemSelectionModel;
class QAbstractItemView;

namespace orvalis {

enum class TListStyle { LargeIcon, SmallIcon, List, Report };

class TResultView : public QWidget {
  Q_OBJECT

 public:
  explicit TResultView(QWidget* parent = nullptr);

  TResultModel& Model() { return *fModel; }
  const TResultModel& Model() const { return *fModel; }

  void SetStyle(TListStyle style);
  TListStyle Style() const { return fStyle; }
  void SetThumbnailSize(QSize size);
  QSize ThumbnailSize() const { return fThumbnailSize; }
  void SetListFont(const QFont& font);

  // Selected rows in list order.
  std::vector<int> SelectedRows() const;
  void SelectAllRows();
  void SelectRow(int row, bool add);
  void ClearSelection();
  bool ListHasFocus() const;
  // Sets the mark of every selected row.
  void MarkSelectedRows(int mark);

  // Widens every table column that is narrower than its caption so that it
  // fits content and caption.
  void FitColumnsToCaptions();
  // Width of a new table column: its content.
  void FitColumnToContent(int column);

  // The table header's arrow: the column last sorted and its direction.
  void ShowSortIndicator(int column, bool ascending);
  void HideSortIndicator();

  // The view that shows the rows in the current style.
  QAbstractItemView* CurrentView() const;
  QTreeView* Table() const { return fTable; }
  QListView* List() const { return fList; }

 signals:
  void HeaderClicked(int column);
  void RowDoubleClicked(int row);
  void ContextMenuRequested(const QPoint& globalPos);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void ApplyListGeometry();
  int ContentWidth(int column) const;

  TResultModel* fModel;
  QItemSelectionModel* fSelection;
  QListView* fList;
  QTreeView* fTable;
  QStackedLayout* fStack;
  TListStyle fStyle = TListStyle::LargeIcon;
  QSize fThumbnailSize{kDefaultThumbnailWidth, kDefaultThumbnailHeight};
};

}  // namespace orvalis
