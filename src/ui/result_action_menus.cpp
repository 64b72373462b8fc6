// Menus of the user actions and the action dialog.
#include "ui/result_action_menus.h"

#include "engine/shell_command.h"
#include "query/ascii_case.h"
#include "ui/dialogs.h"

#include <QDialogButtonBox>
#include <QFileDialog>
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
  const QKeySequence sequence = QKeySequence::fromString(QString::fromStdString(normalized), QKeySequence::PortableText);
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
  setObjectName(QStringLiteral("frmAction"));
  setWindowTitle(QStringLiteral("Benutzeraktion hinzufügen"));
  setMinimumSize(300, 200);
  edtMenu = new QLineEdit;
  edtMenu->setToolTip(QStringLiteral("Eintrag im Menü"));
  edtProgram = new QLineEdit;
  edtProgram->setToolTip(QStringLiteral("Pfadname der Programmdatei"));
  auto* browse = new QPushButton(QStringLiteral("..."));
  browse->setToolTip(QStringLiteral("Hier klicken für Programmauswahl"));
  browse->setFixedWidth(28);
  connect(browse, &QPushButton::clicked, this, [this] {
    const QString program = QFileDialog::getOpenFileName(this, QStringLiteral("Programm auswählen"),
                                                         edtProgram->text());
    if (!program.isEmpty()) edtProgram->setText(program);
  });
  edtParams = new QLineEdit;
  edtParams->setToolTip(QStringLiteral("Kommandoparameter"));
  edtShortcut = new QLineEdit;
  edtShortcut->setToolTip(QStringLiteral("Drücken Sie die Tastenkombination"));
  edtShortcut->installEventFilter(this);

  auto* programRow = new QHBoxLayout;
  programRow->addWidget(edtProgram);
  programRow->addWidget(browse);
  auto* form = new QFormLayout;
  form->addRow(QStringLiteral("Menütext:"), edtMenu);
  form->addRow(QStringLiteral("Programm:"), programRow);
  form->addRow(QStringLiteral("Parameter:"), edtParams);
  form->addRow(QStringLiteral("Shortcut:"), edtShortcut);
  form->addRow(QString(), new QLabel(QStringLiteral("(sollte mit Strg oder Alt beginnen)")));

  auto* buttons = new QDialogButtonBox;
  QPushButton* ok = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::ActionRole);
  ok->setDefault(true);
  connect(ok, &QPushButton::clicked, this, &TfrmAction::btnOkClick);
  buttons->addButton(QStringLiteral("Abbrechen"), QDialogButtonBox::RejectRole);
  buttons->addButton(QStringLiteral("Hilfe"), QDialogButtonBox::HelpRole)->setEnabled(false);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addWidget(buttons);
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
  fDialogs.ShowMessage(
      QStringLiteral("Die Programmdatei muss existieren\r\nund ein Menütext muss eingegeben sein"));
}

bool TfrmAction::eventFilter(QObject* watched, QEvent* event) {
  if (watched == edtShortcut && event->type() == QEvent::KeyPress) {
    const auto* key = static_cast<QKeyEvent*>(event);
    const Qt::KeyboardModifiers held = key->modifiers();
    if (const std::optional<std::string> text =
            ShortcutCaptureText(key->key(), held.testFlag(Qt::ShiftModifier),
                                held.testFlag(Qt::ControlModifier), held.testFlag(Qt::AltModifier))) {
      edtShortcut->setText(QString::fromStdString(*text));
    }
    return true;  // typed characters never reach the field
  }
  return QDialog::eventFilter(watched, event);
}

}  // namespace orvalis
