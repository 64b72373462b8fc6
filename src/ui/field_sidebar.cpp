// The field sidebar's controls and what they insert.
#include "ui/field_sidebar.h"

#include "ui/language.h"

#include "ui/qt_text.h"
#include "ui/result_model.h"
#include "ui/ui_text.h"

#include <QDir>
#include <QDropEvent>
#include <QFile>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QVBoxLayout>

#include <vector>

namespace orvalis {

namespace {

constexpr int kTipHeight = 73;
// Each item keeps the index of its node in the list file's tree.
constexpr int kNodeRole = Qt::UserRole;

}  // namespace

TSidebarTree::TSidebarTree(QWidget* parent) : QTreeWidget(parent) {
  setHeaderHidden(true);
  setColumnCount(1);
  // Long field names scroll instead of being cut short.
  header()->setStretchLastSection(false);
  header()->setSectionResizeMode(QHeaderView::ResizeToContents);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setDragEnabled(true);
  setDragDropMode(QAbstractItemView::DragOnly);
  setDefaultDropAction(Qt::CopyAction);
  // A double click on a group inserts its children; the window then flips
  // its expanded state itself.
  setExpandsOnDoubleClick(false);
  setMouseTracking(true);
}

void TSidebarTree::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
    emit EnterPressed();
    event->accept();
    return;
  }
  QTreeWidget::keyPressEvent(event);
}

TFieldSidebar::TFieldSidebar(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("pnlSidebar"));
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(4, 4, 0, 4);
  layout->setSpacing(5);
  lblSidebar = new QLabel;
  lblSidebar->setObjectName(QStringLiteral("lblSidebar"));
  treeSidebar = new TSidebarTree;
  treeSidebar->setObjectName(QStringLiteral("treeSidebar"));
  memoFieldTip = new QPlainTextEdit;
  memoFieldTip->setObjectName(QStringLiteral("memoFieldTip"));
  memoFieldTip->setReadOnly(true);
  memoFieldTip->setFixedHeight(kTipHeight);
  memoFieldTip->setFrameShape(QFrame::NoFrame);
  memoFieldTip->setFocusPolicy(Qt::NoFocus);
  QPalette buttonColour = memoFieldTip->palette();
  buttonColour.setColor(QPalette::Base, buttonColour.color(QPalette::Button));
  memoFieldTip->setPalette(buttonColour);
  lblSidebar->setBuddy(treeSidebar);
  layout->addWidget(lblSidebar);
  layout->addWidget(treeSidebar, 1);
  layout->addWidget(memoFieldTip);
  OnLanguage(this, [this] { ApplyTexts(); });

  connect(treeSidebar, &QTreeWidget::currentItemChanged, this, &TFieldSidebar::ShowTipOfSelection);
  connect(treeSidebar, &QTreeWidget::itemDoubleClicked, this, &TFieldSidebar::RequestInsert);
  connect(treeSidebar, &TSidebarTree::EnterPressed, this, &TFieldSidebar::RequestInsert);
}

void TFieldSidebar::ApplyTexts() {
  lblSidebar->setText(Ui(tText::frmMain_lblSidebar_caption));
  const QString hint = Ui(tText::frmMain_treeSidebar_hint);
  treeSidebar->setToolTip(hint);
  treeSidebar->setStatusTip(hint);
}

void TFieldSidebar::Clear() {
  treeSidebar->clear();
  memoFieldTip->clear();
  fTree = {};
}

void TFieldSidebar::Fill(const tSideTree& tree) {
  Clear();
  fTree = tree;
  // Nodes come before their children, so every parent item exists already.
  std::vector<QTreeWidgetItem*> items(fTree.Nodes.size(), nullptr);
  for (std::size_t i = 0; i < fTree.Nodes.size(); ++i) {
    const tSideTreeNode& node = fTree.Nodes[i];
    QTreeWidgetItem* item = nullptr;
    if (node.Parent < 0) {
      item = new QTreeWidgetItem(treeSidebar);
    } else {
      item = new QTreeWidgetItem(items[static_cast<std::size_t>(node.Parent)]);
    }
    item->setText(0, DisplayText(node.Text));
    item->setData(0, kNodeRole, static_cast<qulonglong>(i));
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsDragEnabled);
    items[i] = item;
  }
  memoFieldTip->setVisible(!fTree.Tips.empty());
}

QString TFieldSidebar::SelectedText() const {
  const QTreeWidgetItem* item = treeSidebar->currentItem();
  return item ? item->text(0) : QString();
}

QString TFieldSidebar::InsertTextOfSelection() const {
  const QTreeWidgetItem* item = treeSidebar->currentItem();
  if (!item) return {};
  if (item->childCount() == 0) return item->text(0);
  QStringList children;
  for (int i = 0; i < item->childCount(); ++i) children << item->child(i)->text(0);
  return children.join(QStringLiteral(", "));
}

void TFieldSidebar::ShowTipOfSelection() {
  const QTreeWidgetItem* item = treeSidebar->currentItem();
  if (!item) {
    memoFieldTip->clear();
    return;
  }
  const std::size_t node = item->data(0, kNodeRole).toULongLong();
  const std::string tip =
      node < fTree.Nodes.size() ? fTree.TipFor(fTree.Nodes[node].Text) : std::string();
  memoFieldTip->setPlainText(DisplayText(tip));
}

void TFieldSidebar::AcceptDropsOn(QPlainTextEdit& editor) {
  fDropTarget = editor.viewport();
  fDropTarget->installEventFilter(this);
}

bool TFieldSidebar::eventFilter(QObject* watched, QEvent* event) {
  if (watched != fDropTarget) return QWidget::eventFilter(watched, event);
  const QEvent::Type type = event->type();
  if (type != QEvent::DragEnter && type != QEvent::DragMove && type != QEvent::Drop) return false;
  auto* drop = static_cast<QDropEvent*>(event);
  const bool fromTree = drop->source() == treeSidebar && treeSidebar->currentItem();
  if (!fromTree) {
    drop->ignore();
    return true;
  }
  // A copy: a move would take the node out of the tree.
  drop->setDropAction(Qt::CopyAction);
  drop->accept();
  if (type == QEvent::Drop) emit InsertRequested(SelectedText());
  return true;
}

void TFieldSidebar::RequestInsert() {
  QTreeWidgetItem* item = treeSidebar->currentItem();
  if (!item) return;
  emit InsertRequested(InsertTextOfSelection());
  if (item->childCount() > 0) item->setExpanded(!item->isExpanded());
}

std::optional<QString> TFieldSidebar::Load(const QStringList& folders) {
  Clear();
  QString path;
  for (const QString& folder : folders) {
    if (folder.isEmpty()) continue;
    const QString candidate = QDir(folder).filePath(QString::fromLatin1(
        kSideTreeFileName.data(), static_cast<qsizetype>(kSideTreeFileName.size())));
    if (QFile::exists(candidate)) {
      path = candidate;
      break;
    }
  }
  if (path.isEmpty()) return QString();
  std::optional<tSideTree> tree;
  tSideTreeRefusal why = tSideTreeRefusal::Format;
  QFile file(path);
  if (file.open(QIODevice::ReadOnly)) {
    const QByteArray bytes = file.read(static_cast<qint64>(kMaxSideTreeBytes) + 1);
    if (file.error() == QFileDevice::NoError) {
      tree = ParseSideTree(
          std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())), &why);
    }
  }
  if (!tree) {
    // A file past a limit is named with that limit, not as a wrong format.
    QString message;
    switch (why) {
      case tSideTreeRefusal::Size:
        message = Ui(tText::SideTreeTooLarge)
                      .replace(QStringLiteral("%d"), QString::number(kMaxSideTreeBytes));
        break;
      case tSideTreeRefusal::Depth:
        message = Ui(tText::SideTreeTooDeep)
                      .replace(QStringLiteral("%d"), QString::number(kMaxSideTreeDepth));
        break;
      case tSideTreeRefusal::Nodes:
        message = Ui(tText::SideTreeTooManyLines)
                      .replace(QStringLiteral("%d"), QString::number(kMaxSideTreeNodes));
        break;
      case tSideTreeRefusal::Format: message = Ui(tText::SideTreeInvalidFormat); break;
    }
    return message.replace(QStringLiteral("%s"), path);
  }
  Fill(*tree);
  return std::nullopt;
}

}  // namespace orvalis
