// The result list control over its two views (icons and lists, table).
#include "ui/result_view.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QListView>
#include <QStyle>
#include <QStackedLayout>
#include <QTreeView>

#include <algorithm>

namespace orvalis {

namespace {

void SetUpView(QAbstractItemView* view) {
  view->setSelectionMode(QAbstractItemView::ExtendedSelection);
  view->setSelectionBehavior(QAbstractItemView::SelectRows);
  view->setEditTriggers(QAbstractItemView::NoEditTriggers);
  view->setContextMenuPolicy(Qt::CustomContextMenu);
}

}  // namespace

TResultView::TResultView(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("vwResult"));
  fModel = new TResultModel(this);
  fSelection = new QItemSelectionModel(fModel, this);

  fList = new QListView(this);
  fList->setModel(fModel);
  fList->setSelectionModel(fSelection);
  SetUpView(fList);
  fList->setMovement(QListView::Static);
  fList->setResizeMode(QListView::Adjust);
  fList->setLayoutMode(QListView::Batched);
  fList->setBatchSize(500);

  fTable = new QTreeView(this);
  fTable->setModel(fModel);
  fTable->setSelectionModel(fSelection);
  SetUpView(fTable);
  fTable->setRootIsDecorated(false);
  fTable->setItemsExpandable(false);
  fTable->setUniformRowHeights(true);
  fTable->setAllColumnsShowFocus(true);
  fTable->setSortingEnabled(false);
  fTable->header()->setSectionsClickable(true);
  fTable->header()->setSectionsMovable(false);
  fTable->header()->setStretchLastSection(false);

  fStack = new QStackedLayout(this);
  fStack->setContentsMargins(0, 0, 0, 0);
  fStack->addWidget(fList);
  fStack->addWidget(fTable);

  for (QAbstractItemView* view :
       {static_cast<QAbstractItemView*>(fList), static_cast<QAbstractItemView*>(fTable)}) {
    view->installEventFilter(this);
    connect(view, &QAbstractItemView::doubleClicked, this,
            [this](const QModelIndex& index) { emit RowDoubleClicked(index.row()); });
    connect(view, &QWidget::customContextMenuRequested, this, [this, view](const QPoint& pos) {
      emit ContextMenuRequested(view->viewport()->mapToGlobal(pos));
    });
  }
  connect(fTable->header(), &QHeaderView::sectionClicked, this, &TResultView::HeaderClicked);
  // Thumbnails made off the window's thread appear as they become ready.
  connect(&fModel->Thumbnails(), &TThumbnailCache::Ready, this,
          [this] { CurrentView()->viewport()->update(); });
  setFocusProxy(fList);
  SetStyle(TListStyle::LargeIcon);
}

void TResultView::SetStyle(TListStyle style) {
  fStyle = style;
  fModel->SetShowPictures(style == TListStyle::LargeIcon);
  if (style == TListStyle::Report) {
    fStack->setCurrentWidget(fTable);
    setFocusProxy(fTable);
    return;
  }
  ApplyListGeometry();
  fStack->setCurrentWidget(fList);
  setFocusProxy(fList);
}

void TResultView::ApplyListGeometry() {
  switch (fStyle) {
    case TListStyle::LargeIcon: {
      fList->setViewMode(QListView::IconMode);
      fList->setFlow(QListView::LeftToRight);
      fList->setWrapping(true);
      fList->setWordWrap(true);
      fList->setIconSize(fThumbnailSize);
      const int textHeight = fList->fontMetrics().height() * 2 + 8;
      fList->setGridSize(QSize(fThumbnailSize.width() + 16, fThumbnailSize.height() + textHeight));
      break;
    }
    case TListStyle::SmallIcon:
    case TListStyle::List:
      fList->setViewMode(QListView::ListMode);
      fList->setFlow(fStyle == TListStyle::SmallIcon ? QListView::LeftToRight
                                                     : QListView::TopToBottom);
      fList->setWrapping(true);
      fList->setWordWrap(false);
      fList->setGridSize(QSize());
      fList->setIconSize(QSize(16, 16));
      break;
    case TListStyle::Report: break;
  }
  // Thumbnails share one grid cell size; captions in the lists differ in width.
  fList->setUniformItemSizes(fStyle == TListStyle::LargeIcon);
  // The view modes reset these.
  fList->setMovement(QListView::Static);
  fList->setResizeMode(QListView::Adjust);
}

void TResultView::SetThumbnailSize(QSize size) {
  fThumbnailSize = size;
  if (fStyle == TListStyle::LargeIcon) ApplyListGeometry();
}

void TResultView::SetListFont(const QFont& font) {
  fList->setFont(font);
  fTable->setFont(font);
  if (fStyle == TListStyle::LargeIcon) ApplyListGeometry();
}

std::vector<int> TResultView::SelectedRows() const {
  std::vector<int> rows;
  for (const QModelIndex& index : fSelection->selectedRows(0)) rows.push_back(index.row());
  std::sort(rows.begin(), rows.end());
  return rows;
}

void TResultView::SelectAllRows() {
  if (fModel->rowCount() == 0) return;
  const QItemSelection all(fModel->index(0, 0),
                           fModel->index(fModel->rowCount() - 1, fModel->columnCount() - 1));
  fSelection->select(all, QItemSelectionModel::ClearAndSelect);
}

void TResultView::SelectRow(int row, bool add) {
  const auto mode = (add ? QItemSelectionModel::Select : QItemSelectionModel::ClearAndSelect) |
                    QItemSelectionModel::Rows;
  fSelection->select(fModel->index(row, 0), mode);
  fSelection->setCurrentIndex(fModel->index(row, 0), QItemSelectionModel::NoUpdate);
}

void TResultView::ClearSelection() { fSelection->clearSelection(); }

bool TResultView::ListHasFocus() const { return fList->hasFocus() || fTable->hasFocus(); }

void TResultView::MarkSelectedRows(int mark) {
  for (int row : SelectedRows()) fModel->SetMark(row, mark);
}

int TResultView::ContentWidth(int column) const {
  // Measured here rather than by the table, which sees only the rows it has
  // laid out (none while it is hidden during a run).
  const QFontMetrics metrics(fTable->font());
  int widest = 0;
  for (int row = 0; row < fModel->rowCount(); ++row) {
    widest = std::max(widest, metrics.horizontalAdvance(fModel->ShownText(row, column)));
  }
  const int margins = 2 * (fTable->style()->pixelMetric(QStyle::PM_FocusFrameHMargin) + 1) + 8;
  return widest + margins;
}

void TResultView::FitColumnsToCaptions() {
  QHeaderView* header = fTable->header();
  for (int column = 0; column < fModel->ColumnCaptionCount(); ++column) {
    const int caption = header->sectionSizeHint(column);
    if (header->sectionSize(column) < caption) {
      header->resizeSection(column, std::max(caption, ContentWidth(column)));
    }
  }
}

void TResultView::FitColumnToContent(int column) {
  fTable->header()->resizeSection(column, ContentWidth(column));
}

void TResultView::ShowSortIndicator(int column, bool ascending) {
  fTable->header()->setSortIndicator(column, ascending ? Qt::AscendingOrder : Qt::DescendingOrder);
  fTable->header()->setSortIndicatorShown(true);
}

void TResultView::HideSortIndicator() { fTable->header()->setSortIndicatorShown(false); }

QAbstractItemView* TResultView::CurrentView() const {
  return fStyle == TListStyle::Report ? static_cast<QAbstractItemView*>(fTable)
                                      : static_cast<QAbstractItemView*>(fList);
}

bool TResultView::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress) {
    auto* key = static_cast<QKeyEvent*>(event);
    const Qt::KeyboardModifiers modifiers = key->modifiers() & ~Qt::KeypadModifier;
    if (key->key() >= Qt::Key_0 && key->key() <= Qt::Key_9 && modifiers == Qt::NoModifier &&
        fSelection->hasSelection()) {
      MarkSelectedRows(key->key() - Qt::Key_0);
      return true;
    }
  }
  return QWidget::eventFilter(watched, event);
}

}  // namespace orvalis
