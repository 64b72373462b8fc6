// The rows of the result list: caption, sub-items and file information per
// hit, and the column captions. Thumbnails come from the cache the model
// owns, asked for when a row is shown; a row holds only its texts.
#pragma once

#include "ui/thumbnail_cache.h"

#include <QAbstractTableModel>
#include <QElapsedTimer>
#include <QPixmap>
#include <QStringList>

#include <cstdint>
#include <string>
#include <vector>

namespace orvalis {

// What a row knows of its file.
struct tFileInfo {
  std::string Path;        // full path, as the file system names it
  std::int32_t Mark = -1;  // -1 no mark, else 0 to 9
};

struct TResultRow {
  QString Caption;
  QStringList SubItems;
  tFileInfo FileInfo;
};

class TResultModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  explicit TResultModel(QObject* parent = nullptr);

  // Removes every row and column.
  void Clear();
  // Removes every row; the columns stay.
  void ClearRows();
  // The rows' thumbnails, for the views and for everything that copies or
  // prints them.
  TThumbnailCache& Thumbnails() { return *fThumbnails; }
  const TThumbnailCache& Thumbnails() const { return *fThumbnails; }

  int AddColumn(const QString& caption);
  int ColumnCaptionCount() const { return static_cast<int>(fColumns.size()); }
  const QString& ColumnCaption(int column) const {
    return fColumns.at(static_cast<std::size_t>(column));
  }

  // A new row for the file: caption = file name without folder, no mark.
  // While batching, the views learn of it with the next batch, at most a few
  // times a second, so that a run of many hits is not slowed by them.
  int AppendRow(const std::string& path);
  // Batching on: rows are shown in batches. Off: the rows waiting are shown
  // and every later row at once.
  void SetBatching(bool on);
  // Shows the rows appended since the last batch.
  void FlushRows();
  // Takes a row out of the list (a file moved or deleted).
  void RemoveRow(int row);
  // Column 0 is the caption; column k > 0 is sub-item k - 1.
  void SetCell(int row, int column, const QString& text);
  QString CellText(int row, int column) const;
  // What the list shows of a cell: its first kMaxShownCell characters. The
  // cell keeps the whole text for sorting, export and actions.
  QString ShownText(int row, int column) const;
  static constexpr qsizetype kMaxShownCell = 255;
  void SetMark(int row, std::int32_t mark);
  // Every row, also those not yet shown.
  const TResultRow& Row(int row) const { return fRows.at(static_cast<std::size_t>(row)); }
  int RowCountTotal() const { return static_cast<int>(fRows.size()); }

  // Stable sort by the texts of one column, ASCII letters compared without
  // regard to case, other characters by their code.
  void SortByColumn(int column, bool ascending);

  // Pictures are shown only in the thumbnail style.
  void SetShowPictures(bool show);

  // The row's info tip: its full path, and its mark in brackets.
  QString InfoTip(int row) const;

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;

 private:
  std::vector<TResultRow> fRows;
  int fShownRows = 0;  // rows the views know of; the rest wait for FlushRows
  QElapsedTimer fSinceFlush;
  bool fBatching = false;
  std::vector<QString> fColumns;
  TThumbnailCache* fThumbnails;
  bool fShowPictures = true;
};

}  // namespace orvalis
