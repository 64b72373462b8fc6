// Menus of the user actions and the action dialog.
#include "ui/result_action_menus.h"

#include "engine/shell_command.h"
#include "common/ascii_case.h"
#include "ui/dialog_rows.h"
#include "ui/dialogs.h"
#include "ui/help_router.h"
#include "ui/language.h"
#include "ui/ui_text.h"

#include <QDialogButtonBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QVBoxLayout>

namespace orvalis {

namespace {

// The key a press in the shortcut field stands for. With Shift held Qt
// reports the shifted character ("!" for Shift+1); the digit row is known
// by its key code instead, whatever the layout and the held modifiers.
int CapturedKey(const QKeyEvent& key) {
#if defined(Q_OS_UNIX) && !defined(Q_OS_DARWIN)
  // X11 and Wayland give the XKB key code: 10 for "1" up to 18 for "9", 19 for "0".
  const quint32 code = key.nativeScanCode();
  if (code >= 10 && code <= 18) return Qt::Key_1 + static_cast<int>(code - 10);
  if (code == 19) return Qt::Key_0;
#endif
  return key.key();
}

}  // namespace

QKeySequence ShortcutFromText(const std::string& text) {
  std::string normalized;
  std::size_t start = 0;
  while (true) {
    const std::size_t plus = text.find('+', start);
    // A "+" that ends the text is the key itself.
    if (plus == std::string::npos || plus + 1 == text.size()) break;
    const std::string word = text.substr(start, plus - start);
    if (EqualsNoCase(word, "shift")) {
      normalized += "Shift+";
    } else if (EqualsNoCase(word, "ctrl")) {
      normalized += "Ctrl+";
    } else if (EqualsNoCase(word, "alt")) {
      normalized += "Alt+";
    } else {
      return {};
    }
    start = plus + 1;
  }
  const std::string key = text.substr(start);
  if (key.empty()) return {};
  normalized += key;
  const QKeySequence sequence =
      QKeySequence::fromString(QString::fromStdString(normalized), QKeySequence::PortableText);
  if (sequence.count() != 1 || sequence[0].key() == Qt::Key_unknown) return {};
  return sequence;
}

void BuildMenus(const TResultActions& actions, QMenu* mainMenu, QMenu* contextMenu,
                const std::function<void(int index)>& onAction) {
  if (!mainMenu || actions.Count() == 0) return;
  for (QMenu* menu : {mainMenu, contextMenu}) {
    if (!menu) continue;
    menu->clear();
    menu->setEnabled(true);
    for (int i = 0; i < actions.Count(); ++i) {
      const TResultAction& action = actions.Items(i);
      QAction* item = menu->addAction(QString::fromStdString(action.Menu));
      item->setShortcut(ShortcutFromText(action.Shortcut));
      item->setData(i);
      QObject::connect(item, &QAction::triggered, menu, [onAction, i] {
        if (onAction) onAction(i);
      });
    }
  }
}

TfrmAction::TfrmAction(TDialogs& dialogs, QWidget* parent) : QDialog(parent), fDialogs(dialogs) {
  setObjectName(QStringLiteral("frmAddAction"));
  Caption(this, tText::frmAddAction_self_caption);
  setMinimumSize(300, 200);
  edtMenu = new QLineEdit;
  Hint(edtMenu, tText::frmAddAction_edtMenu_hint);
  edtProgram = new QLineEdit;
  Hint(edtProgram, tText::frmAddAction_edtProgram_hint);
  auto* browse = new QPushButton(QStringLiteral("..."));
  Hint(browse, tText::frmAddAction_btnBrowse_hint);
  browse->setFixedWidth(28);
  connect(browse, &QPushButton::clicked, this, [this] {
    const QString program = fDialogs.ChooseProgram(this, Ui(tText::SelectProgram));
    if (!program.isEmpty()) edtProgram->setText(program);
  });
  edtParams = new QLineEdit;
  Hint(edtParams, tText::frmAddAction_edtParams_hint);
  edtShortcut = new QLineEdit;
  Hint(edtShortcut, tText::frmAddAction_edtShortcut_hint);
  edtShortcut->installEventFilter(this);

  auto* programRow = new QHBoxLayout;
  programRow->addWidget(edtProgram);
  programRow->addWidget(browse);
  auto* form = new QFormLayout;
  form->addRow(Caption(new QLabel, tText::frmAddAction_lblMenu_caption), edtMenu);
  form->addRow(Caption(new QLabel, tText::frmAddAction_lblProgram_caption), programRow);
  form->addRow(Caption(new QLabel, tText::frmAddAction_lblParams_caption), edtParams);
  form->addRow(Caption(new QLabel, tText::frmAddAction_lblShortcut_caption), edtShortcut);
  form->addRow(QString(), Caption(new QLabel, tText::frmAddAction_lblShortcutHint_caption));

  auto* buttons = new QDialogButtonBox;
  QPushButton* ok = Caption(buttons->addButton(QString(), QDialogButtonBox::ActionRole),
                            tText::frmAddAction_btnOK_caption);
  ok->setObjectName(QStringLiteral("btnOK"));
  connect(ok, &QPushButton::clicked, this, &TfrmAction::btnOkClick);
  Caption(buttons->addButton(QString(), QDialogButtonBox::RejectRole),
          tText::frmAddAction_btnCancel_caption);
  SetHelpContext(this, 7000);
  connect(Caption(buttons->addButton(QString(), QDialogButtonBox::HelpRole),
                  tText::frmAddAction_btnHelp_caption),
          &QPushButton::clicked, this, [] { ShowHelpContext(7000); });
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addWidget(buttons);
  SetEnterButton(*this, ok);
  TranslateWindow(*this);
}

void TfrmAction::SetAction(const TResultAction& action) {
  edtMenu->setText(QString::fromStdString(action.Menu));
  edtProgram->setText(QString::fromStdString(action.Program));
  edtParams->setText(QString::fromStdString(action.CmdLine));
  edtShortcut->setText(QString::fromStdString(action.Shortcut));
}

TResultAction TfrmAction::Action() const {
  return {"", edtMenu->text().toStdString(), edtProgram->text().toStdString(),
          edtParams->text().toStdString(), edtShortcut->text().toStdString()};
}

void TfrmAction::btnOkClick() {
  if (QFileInfo(edtProgram->text()).isFile() && !edtMenu->text().trimmed().isEmpty()) {
    accept();
    return;
  }
  fDialogs.ShowMessage(Ui(tText::ActionCheckFailed));
}

bool TfrmAction::eventFilter(QObject* watched, QEvent* event) {
  if (watched == edtShortcut && event->type() == QEvent::KeyPress) {
    const auto* key = static_cast<QKeyEvent*>(event);
    const Qt::KeyboardModifiers held = key->modifiers();
    if (const std::optional<std::string> text = ShortcutCaptureText(
            CapturedKey(*key), held.testFlag(Qt::ShiftModifier), held.testFlag(Qt::ControlModifier),
            held.testFlag(Qt::AltModifier))) {
      edtShortcut->setText(QString::fromStdString(*text));
    }
    return true;  // typed characters never reach the field
  }
  return QDialog::eventFilter(watched, event);
}

}  // namespace orvalis
