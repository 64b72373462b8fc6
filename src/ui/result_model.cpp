// Result rows, their texts, marks and sorting; their thumbnails from the cache.
#include "ui/result_model.h"

#include "common/ascii_case.h"
#include "ui/qt_text.h"

#include <algorithm>
#include <numeric>

namespace orvalis {

namespace {

// How often a run's new rows are shown: a few times a second.
constexpr qint64 kFlushIntervalMs = 250;

std::string SortKey(const QString& text) {
  const QByteArray bytes = text.toUtf8();
  return AsciiLower(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}

std::string FileNameOf(const std::string& path) {
  const std::size_t slash = path.find_last_of('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace

TResultModel::TResultModel(QObject* parent)
    : QAbstractTableModel(parent), fThumbnails(new TThumbnailCache(this)) {
  fSinceFlush.start();
}

void TResultModel::ClearRows() {
  beginResetModel();
  fRows.clear();
  fRows.shrink_to_fit();
  fShownRows = 0;
  endResetModel();
}

void TResultModel::Clear() {
  beginResetModel();
  fRows.clear();
  fRows.shrink_to_fit();
  fShownRows = 0;
  fColumns.clear();
  endResetModel();
}

int TResultModel::AddColumn(const QString& caption) {
  const int column = static_cast<int>(fColumns.size());
  // The first column always exists for the views; only its caption changes.
  if (column == 0) {
    fColumns.push_back(caption);
    emit headerDataChanged(Qt::Horizontal, 0, 0);
    return 0;
  }
  beginInsertColumns({}, column, column);
  fColumns.push_back(caption);
  endInsertColumns();
  return column;
}

int TResultModel::AppendRow(const std::string& path) {
  const int row = RowCountTotal();
  TResultRow added;
  added.Caption = DisplayText(FileNameOf(path));
  added.FileInfo.Path = path;
  fRows.push_back(std::move(added));
  if (!fBatching || fSinceFlush.elapsed() >= kFlushIntervalMs) FlushRows();
  return row;
}

void TResultModel::SetBatching(bool on) {
  fBatching = on;
  if (!on) FlushRows();
}

void TResultModel::FlushRows() {
  fSinceFlush.restart();
  const int total = RowCountTotal();
  if (fShownRows == total) return;
  beginInsertRows({}, fShownRows, total - 1);
  fShownRows = total;
  endInsertRows();
}

void TResultModel::RemoveRow(int row) {
  FlushRows();
  if (row < 0 || row >= rowCount()) return;
  beginRemoveRows({}, row, row);
  fRows.erase(fRows.begin() + row);
  --fShownRows;
  endRemoveRows();
}

void TResultModel::SetCell(int row, int column, const QString& text) {
  if (row < 0 || row >= RowCountTotal() || column < 0) return;
  TResultRow& target = fRows[static_cast<std::size_t>(row)];
  if (column == 0) {
    target.Caption = text;
  } else {
    while (target.SubItems.size() < column) target.SubItems.append(QString());
    target.SubItems[column - 1] = text;
  }
  // Rows of the coming batch are not shown yet: nothing to repaint.
  if (row < fShownRows && column < columnCount()) {
    emit dataChanged(index(row, column), index(row, column));
  }
}

QString TResultModel::CellText(int row, int column) const {
  if (row < 0 || row >= RowCountTotal() || column < 0) return {};
  const TResultRow& source = fRows[static_cast<std::size_t>(row)];
  if (column == 0) return source.Caption;
  return source.SubItems.value(column - 1);
}

QString TResultModel::ShownText(int row, int column) const {
  QString text = CellText(row, column);
  if (text.size() <= kMaxShownCell) return text;
  // Never between the two halves of a character outside the BMP.
  qsizetype keep = kMaxShownCell;
  if (text.at(keep - 1).isHighSurrogate()) --keep;
  text.truncate(keep);
  return text;
}

void TResultModel::SetMark(int row, std::int32_t mark) {
  FlushRows();
  if (row < 0 || row >= rowCount()) return;
  fRows[static_cast<std::size_t>(row)].FileInfo.Mark = mark;
  emit dataChanged(index(row, 0), index(row, columnCount() - 1), {Qt::ToolTipRole});
}

void TResultModel::SortByColumn(int column, bool ascending) {
  FlushRows();
  const std::size_t count = fRows.size();
  std::vector<std::string> keys(count);
  for (std::size_t i = 0; i < count; ++i) keys[i] = SortKey(CellText(static_cast<int>(i), column));
  std::vector<std::size_t> order(count);
  std::iota(order.begin(), order.end(), std::size_t{0});
  std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
    return ascending ? keys[a] < keys[b] : keys[b] < keys[a];
  });

  emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
  std::vector<int> newRowOf(count);
  std::vector<TResultRow> sorted;
  sorted.reserve(count);
  for (std::size_t i = 0; i < count; ++i) {
    newRowOf[order[i]] = static_cast<int>(i);
    sorted.push_back(std::move(fRows[order[i]]));
  }
  fRows = std::move(sorted);
  const QModelIndexList before = persistentIndexList();
  QModelIndexList after;
  after.reserve(before.size());
  for (const QModelIndex& old : before) {
    after.append(index(newRowOf[static_cast<std::size_t>(old.row())], old.column()));
  }
  changePersistentIndexList(before, after);
  emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

void TResultModel::SetShowPictures(bool show) {
  if (fShowPictures == show) return;
  fShowPictures = show;
  if (!fRows.empty()) emit dataChanged(index(0, 0), index(rowCount() - 1, 0), {Qt::DecorationRole});
}

QString TResultModel::InfoTip(int row) const {
  if (row < 0 || row >= RowCountTotal()) return {};
  const tFileInfo& info = fRows[static_cast<std::size_t>(row)].FileInfo;
  QString tip = DisplayText(info.Path);
  if (info.Mark >= 0) tip += QStringLiteral("  [%1]").arg(info.Mark);
  return tip;
}

int TResultModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : fShownRows;
}

int TResultModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : std::max(1, static_cast<int>(fColumns.size()));
}

QVariant TResultModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= rowCount()) return {};
  switch (role) {
    case Qt::DisplayRole: return ShownText(index.row(), index.column());
    case Qt::DecorationRole:
      if (fShowPictures && index.column() == 0) {
        // Asked only for rows being painted: their thumbnails are made now,
        // off this thread, and the empty frame stands in until they are ready.
        const QPixmap picture =
            fThumbnails->Get(fRows[static_cast<std::size_t>(index.row())].FileInfo.Path);
        return picture.isNull() ? fThumbnails->Placeholder() : picture;
      }
      return {};
    case Qt::ToolTipRole: return InfoTip(index.row());
    default: return {};
  }
}

QVariant TResultModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
  if (section < 0 || section >= static_cast<int>(fColumns.size())) return {};
  return fColumns[static_cast<std::size_t>(section)];
}

Qt::ItemFlags TResultModel::flags(const QModelIndex& index) const {
  if (!index.isValid()) return Qt::NoItemFlags;
  return Qt::ItemIsEnabled | Qt::ItemIsSelectable;
}

}  // namespace orvalis
