// The rows of the result list: caption, sub-items, thumbnail index and file
// information per hit, the column captions and the thumbnail image list.
#pragma once

#include <QAbstractTableModel>
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
  int ImageIndex = 0;  // 0 is the no-preview picture
  tFileInfo FileInfo;
};

class TResultModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  using QAbstractTableModel::QAbstractTableModel;

  // Removes every row and column.
  void Clear();
  // Removes every row; the columns stay.
  void ClearRows();
  // Empties the thumbnail image list; image 0 becomes the given picture.
  void ResetImages(const QPixmap& noPreview);
  // Adds a thumbnail and returns its index.
  int AddImage(const QPixmap& image);
  const QPixmap& Image(int index) const;
  int ImageCount() const { return static_cast<int>(fImages.size()); }

  int AddColumn(const QString& caption);
  int ColumnCaptionCount() const { return static_cast<int>(fColumns.size()); }
  const QString& ColumnCaption(int column) const { return fColumns.at(static_cast<std::size_t>(column)); }

  // A new row for the file: caption = file name without folder, image 0, no mark.
  int AppendRow(const std::string& path);
  // Takes a row out of the list (a file moved or deleted).
  void RemoveRow(int row);
  void SetImageIndex(int row, int imageIndex);
  // Column 0 is the caption; column k > 0 is sub-item k - 1.
  void SetCell(int row, int column, const QString& text);
  QString CellText(int row, int column) const;
  void SetMark(int row, std::int32_t mark);
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
  std::vector<QString> fColumns;
  std::vector<QPixmap> fImages;
  bool fShowPictures = true;
};

// Text of a core byte string for the windows.
QString DisplayText(const std::string& bytes);

}  // namespace orvalis
