// The pages of the query wizard.
#include "ui/wizard_pages.h"

#include "ui/language.h"

#include "ui/dialogs.h"
#include "ui/ui_text.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace orvalis {

namespace {

// Catalogue texts break their lines with CR LF or a lone CR.
QString Lines(tText text) {
  QString lines = Ui(text);
  lines.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  lines.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  return lines;
}

void SetHint(QWidget* control, tText hint) {
  control->setToolTip(Ui(hint));
  control->setStatusTip(Ui(hint));
}

template <typename Control>
Control* Named(Control* control, const char* name) {
  control->setObjectName(QString::fromLatin1(name));
  return control;
}

QStringList FieldNameList() {
  QStringList names;
  for (const std::string& name : WizardFieldNames()) names.append(QString::fromStdString(name));
  return names;
}

std::vector<std::string> Entries(const QListWidget& list) {
  std::vector<std::string> entries;
  for (int row = 0; row < list.count(); ++row)
    entries.push_back(list.item(row)->text().toStdString());
  return entries;
}

}  // namespace

// ---- Welcome -----------------------------------------------------------------

TfrWelcome::TfrWelcome(QWidget* parent) : QFrame(parent) {
  setObjectName(QStringLiteral("frWelcome"));
  imgWelcome = Named(new QLabel, "imgWelcome");
  imgWelcome->setPixmap(style()->standardIcon(QStyle::SP_FileDialogContentsView).pixmap(64, 64));
  imgWelcome->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
  imgWelcome->setFixedWidth(96);
  memoWelcome = Named(new QPlainTextEdit, "memoWelcome");
  memoWelcome->setReadOnly(true);
  memoWelcome->setFrameShape(QFrame::NoFrame);
  memoWelcome->setFocusPolicy(Qt::NoFocus);
  memoWelcome->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  memoWelcome->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  memoWelcome->viewport()->setAutoFillBackground(false);

  memoWelcome->document()->setDocumentMargin(0);

  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(8, 6, 8, 2);
  layout->addWidget(imgWelcome);
  layout->addWidget(memoWelcome, 1);
  OnLanguage(this, [this] { ApplyTexts(); });
}

void TfrWelcome::ApplyTexts() {
  const QString text = Lines(tText::frWelcome_memoWelcome_caption);
  memoWelcome->setPlainText(text);
  // The whole text shows without scrolling; the wizard grows to fit it.
  const int lines = static_cast<int>(text.count(QLatin1Char('\n'))) + 1;
  memoWelcome->setMinimumHeight(lines * memoWelcome->fontMetrics().lineSpacing() + 4);
}

// ---- Files -------------------------------------------------------------------

TfrSelectFiles::TfrSelectFiles(TDialogs& dialogs, QWidget* parent)
    : QFrame(parent), fDialogs(dialogs) {
  setObjectName(QStringLiteral("frSelectFiles"));
  lblFileMask = Named(new QLabel, "lblFileMask");
  edtFileMask = Named(new QLineEdit(QStringLiteral("*.jpg")), "edtFileMask");
  lblFileMask->setBuddy(edtFileMask);
  btnBrowse = Named(new QToolButton, "btnBrowse");
  btnBrowse->setIcon(style()->standardIcon(QStyle::SP_DirOpenIcon));
  chkSubdirs = Named(new QCheckBox, "chkSubdirs");
  lblSubdirs = Named(new QLabel, "lblSubdirs");
  lblSubdirs->setWordWrap(true);
  connect(btnBrowse, &QToolButton::clicked, this, &TfrSelectFiles::btnBrowseClick);
  btnMasks = Named(new QToolButton, "btnMasks");
  btnMasks->setArrowType(Qt::DownArrow);
  btnMasks->setPopupMode(QToolButton::InstantPopup);
  auto* masks = new QMenu(btnMasks);
  for (const std::string_view mask : CommonFileMasks()) {
    const QString text = QString::fromUtf8(mask.data(), static_cast<qsizetype>(mask.size()));
    connect(masks->addAction(text), &QAction::triggered, this, [this, text] {
      edtFileMask->setText(QString::fromStdString(
          WithNamePart(edtFileMask->text().toStdString(), text.toStdString())));
    });
  }
  btnMasks->setMenu(masks);

  auto* layout = new QGridLayout(this);
  layout->addWidget(lblFileMask, 0, 0, 1, 3);
  layout->addWidget(edtFileMask, 1, 0);
  layout->addWidget(btnBrowse, 1, 1);
  layout->addWidget(btnMasks, 1, 2);
  layout->setRowMinimumHeight(2, 12);
  layout->addWidget(chkSubdirs, 3, 0, 1, 3);
  layout->addWidget(lblSubdirs, 4, 0, 1, 3);
  layout->setRowStretch(5, 1);
  OnLanguage(this, [this] { ApplyTexts(); });
}

void TfrSelectFiles::ApplyTexts() {
  lblFileMask->setText(Ui(tText::frSelectFiles_lblFileMask_caption));
  SetHint(btnBrowse, tText::frSelectFiles_btnBrowse_hint);
  SetHint(btnMasks, tText::frSelectFiles_btnMasks_hint);
  chkSubdirs->setText(Ui(tText::frSelectFiles_chkSubdirs_caption));
  lblSubdirs->setText(Lines(tText::frSelectFiles_lblSubdirs_caption));
}

void TfrSelectFiles::btnBrowseClick() {
  const QString folder = fDialogs.ChooseFolder(this, Ui(tText::SelectStartingPath));
  if (folder.isEmpty()) return;
  edtFileMask->setText(QString::fromStdString(
      MaskInFolder(folder.toStdString(), edtFileMask->text().toStdString())));
}

// ---- Result fields -----------------------------------------------------------

TfrSelectFields::TfrSelectFields(TDialogs& dialogs, QWidget* parent)
    : QFrame(parent), fDialogs(dialogs) {
  setObjectName(QStringLiteral("frSelectFields"));
  lblFields = Named(new QLabel, "lblFields");
  lstAvailableFields = Named(new QListWidget, "lstAvailableFields");
  lstAvailableFields->addItems(FieldNameList());
  lstSelectedFields = Named(new QListWidget, "lstSelectedFields");
  lstSelectedFields->setSelectionMode(QAbstractItemView::ExtendedSelection);
  lstSelectedFields->addItem(QStringLiteral("Name"));
  lblFields->setBuddy(lstAvailableFields);

  btnAdd = Named(new QPushButton, "btnAdd");
  btnAddExif = Named(new QPushButton, "btnAddExif");
  btnAddIptc = Named(new QPushButton, "btnAddIptc");
  btnAddFile = Named(new QPushButton, "btnAddFile");
  btnRemove = Named(new QPushButton, "btnRemove");
  btnRemoveAll = Named(new QPushButton, "btnRemoveAll");
  btnUp = Named(new QToolButton, "btnUp");
  btnUp->setArrowType(Qt::UpArrow);
  btnDown = Named(new QToolButton, "btnDown");
  btnDown->setArrowType(Qt::DownArrow);

  connect(btnAdd, &QPushButton::clicked, this, &TfrSelectFields::btnAddClick);
  connect(lstAvailableFields, &QListWidget::itemDoubleClicked, this, &TfrSelectFields::btnAddClick);
  connect(btnAddExif, &QPushButton::clicked, this, [this] { AddGroup(kWizardGroupExif); });
  connect(btnAddIptc, &QPushButton::clicked, this, [this] { AddGroup(kWizardGroupIptc); });
  connect(btnAddFile, &QPushButton::clicked, this, [this] { AddGroup(kWizardGroupFile); });
  connect(btnRemove, &QPushButton::clicked, this, &TfrSelectFields::btnRemoveClick);
  connect(btnRemoveAll, &QPushButton::clicked, this, &TfrSelectFields::btnRemoveAllClick);
  connect(btnUp, &QToolButton::clicked, this, &TfrSelectFields::btnUpClick);
  connect(btnDown, &QToolButton::clicked, this, &TfrSelectFields::btnDownClick);

  auto* buttons = new QVBoxLayout;
  buttons->setSpacing(2);
  for (QPushButton* button :
       {btnAdd, btnAddExif, btnAddIptc, btnAddFile, btnRemove, btnRemoveAll}) {
    button->setFixedWidth(64);
    button->setAutoDefault(false);
    buttons->addWidget(button);
  }
  buttons->addStretch(1);
  auto* arrows = new QVBoxLayout;
  arrows->addStretch(1);
  arrows->addWidget(btnUp);
  arrows->addWidget(btnDown);
  arrows->addStretch(1);

  auto* layout = new QGridLayout(this);
  layout->addWidget(lblFields, 0, 0, 1, 4);
  layout->addWidget(lstAvailableFields, 1, 0);
  layout->addLayout(buttons, 1, 1);
  layout->addWidget(lstSelectedFields, 1, 2);
  layout->addLayout(arrows, 1, 3);
  OnLanguage(this, [this] { ApplyTexts(); });
}

void TfrSelectFields::ApplyTexts() {
  lblFields->setText(Ui(tText::frSelectFields_lblFields_caption));
  const std::pair<QPushButton*, std::pair<tText, tText>> buttons[] = {
      {btnAdd, {tText::frSelectFields_btnAdd_caption, tText::frSelectFields_btnAdd_hint}},
      {btnAddExif,
       {tText::frSelectFields_btnAddExif_caption, tText::frSelectFields_btnAddExif_hint}},
      {btnAddIptc,
       {tText::frSelectFields_btnAddIptc_caption, tText::frSelectFields_btnAddIptc_hint}},
      {btnAddFile,
       {tText::frSelectFields_btnAddFile_caption, tText::frSelectFields_btnAddFile_hint}},
      {btnRemove, {tText::frSelectFields_btnRemove_caption, tText::frSelectFields_btnRemove_hint}},
      {btnRemoveAll,
       {tText::frSelectFields_btnRemoveAll_caption, tText::frSelectFields_btnRemoveAll_hint}},
  };
  for (const auto& [button, texts] : buttons) {
    button->setText(Ui(texts.first));
    SetHint(button, texts.second);
  }
  SetHint(btnUp, tText::frSelectFields_btnUp_hint);
  SetHint(btnDown, tText::frSelectFields_btnDown_hint);
}

std::vector<std::string> TfrSelectFields::ChosenFields() const {
  return Entries(*lstSelectedFields);
}

bool TfrSelectFields::RoomForMore() {
  if (static_cast<std::size_t>(lstSelectedFields->count()) < kWizardFieldLimit) return true;
  fDialogs.ShowMessage(Ui(tText::TooManyColumnsSelected)
                           .replace(QStringLiteral("%d"), QString::number(kWizardFieldLimit)));
  return false;
}

void TfrSelectFields::btnAddClick() {
  if (!RoomForMore()) return;
  const QListWidgetItem* field = lstAvailableFields->currentItem();
  if (!field || !field->isSelected()) return;
  // Before the first selected entry of the chosen list, else at its end.
  int before = lstSelectedFields->count();
  for (const QListWidgetItem* item : lstSelectedFields->selectedItems()) {
    before = std::min(before, lstSelectedFields->row(item));
  }
  lstSelectedFields->insertItem(before, field->text());
}

void TfrSelectFields::AddGroup(int group) {
  if (!RoomForMore()) return;
  std::vector<std::string> chosen = ChosenFields();
  const std::size_t first = chosen.size();
  AppendGroupFields(chosen, group);
  for (std::size_t i = first; i < chosen.size(); ++i) {
    lstSelectedFields->addItem(QString::fromStdString(chosen[i]));
  }
}

void TfrSelectFields::btnRemoveClick() { qDeleteAll(lstSelectedFields->selectedItems()); }

void TfrSelectFields::btnRemoveAllClick() { lstSelectedFields->clear(); }

void TfrSelectFields::btnUpClick() { MoveSelected(-1); }

void TfrSelectFields::btnDownClick() { MoveSelected(1); }

void TfrSelectFields::MoveSelected(int step) {
  const int row = lstSelectedFields->currentRow();
  if (row < 0 || !lstSelectedFields->currentItem()->isSelected()) return;
  const int target = row + step;
  if (target < 0 || target >= lstSelectedFields->count()) return;
  QListWidgetItem* item = lstSelectedFields->takeItem(row);
  lstSelectedFields->insertItem(target, item);
  lstSelectedFields->clearSelection();
  lstSelectedFields->setCurrentItem(item, QItemSelectionModel::ClearAndSelect);
}

// ---- Filter ------------------------------------------------------------------

TfrSelectWhere::TfrSelectWhere(QWidget* parent) : QFrame(parent) {
  setObjectName(QStringLiteral("frSelectWhere"));
  lblConditions = Named(new QLabel, "lblConditions");
  lstConditions = Named(new QListWidget, "lstConditions");
  lblConditions->setBuddy(lstConditions);
  const QStringList fields = FieldNameList();
  lblLeft = Named(new QLabel, "lblLeft");
  comboLeft = Named(new QComboBox, "comboLeft");
  lblOperator = Named(new QLabel, "lblOperator");
  comboOperator = Named(new QComboBox, "comboOperator");
  lblRight = Named(new QLabel, "lblRight");
  comboRight = Named(new QComboBox, "comboRight");
  for (QComboBox* operand : {comboLeft, comboRight}) {
    operand->setEditable(true);
    operand->setInsertPolicy(QComboBox::NoInsert);
    operand->addItems(fields);
    operand->setCurrentIndex(-1);
    operand->setEditText(QString());
  }
  comboOperator->addItems({QStringLiteral("=="), QStringLiteral("!="), QStringLiteral("<"),
                           QStringLiteral("<="), QStringLiteral(">"), QStringLiteral(">="),
                           QStringLiteral("~")});
  lblLeft->setBuddy(comboLeft);
  lblOperator->setBuddy(comboOperator);
  lblRight->setBuddy(comboRight);

  btnAnd = Named(new QPushButton, "btnAnd");
  btnOr = Named(new QPushButton, "btnOr");
  btnDelete = Named(new QPushButton, "btnDelete");
  btnClear = Named(new QPushButton, "btnClear");
  connect(btnAnd, &QPushButton::clicked, this, [this] { AddCondition("AND"); });
  connect(btnOr, &QPushButton::clicked, this, [this] { AddCondition("OR"); });
  connect(btnDelete, &QPushButton::clicked, this, &TfrSelectWhere::btnDeleteClick);
  connect(btnClear, &QPushButton::clicked, this, &TfrSelectWhere::btnClearClick);

  auto* operands = new QGridLayout;
  operands->addWidget(lblLeft, 0, 0);
  operands->addWidget(lblOperator, 0, 1);
  operands->addWidget(lblRight, 0, 2);
  operands->addWidget(comboLeft, 1, 0);
  operands->addWidget(comboOperator, 1, 1);
  operands->addWidget(comboRight, 1, 2);
  operands->setColumnStretch(0, 1);
  operands->setColumnStretch(2, 1);
  auto* buttons = new QHBoxLayout;
  for (QPushButton* button : {btnAnd, btnOr, btnDelete, btnClear}) {
    button->setAutoDefault(false);
    buttons->addWidget(button);
  }
  buttons->addStretch(1);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(lblConditions);
  layout->addWidget(lstConditions, 1);
  layout->addLayout(operands);
  layout->addLayout(buttons);
  OnLanguage(this, [this] { ApplyTexts(); });
}

void TfrSelectWhere::ApplyTexts() {
  lblConditions->setText(Ui(tText::frSelectWhere_lblConditions_caption));
  lblLeft->setText(Ui(tText::frSelectWhere_lblLeft_caption));
  lblOperator->setText(Ui(tText::frSelectWhere_lblOperator_caption));
  lblRight->setText(Ui(tText::frSelectWhere_lblRight_caption));
  btnAnd->setText(Ui(tText::frSelectWhere_btnAnd_caption));
  btnOr->setText(Ui(tText::frSelectWhere_btnOr_caption));
  btnDelete->setText(Ui(tText::frSelectWhere_btnDelete_caption));
  btnClear->setText(Ui(tText::frSelectWhere_btnClear_caption));
}

std::vector<std::string> TfrSelectWhere::Conditions() const { return Entries(*lstConditions); }

void TfrSelectWhere::AddCondition(std::string_view connective) {
  lstConditions->addItem(QString::fromStdString(WizardCondition(
      connective, lstConditions->count() == 0, comboLeft->currentText().toStdString(),
      comboOperator->currentText().toStdString(), comboRight->currentText().toStdString())));
}

void TfrSelectWhere::btnDeleteClick() {
  const QListWidgetItem* item = lstConditions->currentItem();
  if (!item || !item->isSelected()) return;
  delete item;
  // The new first condition may not keep its "AND (" or "OR (".
  if (QListWidgetItem* first = lstConditions->item(0)) {
    first->setText(QString::fromStdString(AsFirstCondition(first->text().toStdString())));
  }
}

void TfrSelectWhere::btnClearClick() { lstConditions->clear(); }

}  // namespace orvalis
