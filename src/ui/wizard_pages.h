// The four pages of the query wizard: welcome, files, result fields and
// filter. Each page is a frame named after its section in language files
// and sets all of its texts in ApplyTexts().
#pragma once

#include "engine/query_wizard.h"

#include <QFrame>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QToolButton;

namespace orvalis {

class TDialogs;

class TfrWelcome : public QFrame {
  Q_OBJECT

 public:
  explicit TfrWelcome(QWidget* parent = nullptr);
  void ApplyTexts();

  QLabel* imgWelcome;
  QPlainTextEdit* memoWelcome;
};

class TfrSelectFiles : public QFrame {
  Q_OBJECT

 public:
  TfrSelectFiles(TDialogs& dialogs, QWidget* parent = nullptr);
  void ApplyTexts();

  // The folder chooser; a chosen folder goes in front of the mask's name.
  void btnBrowseClick();

  QLabel* lblFileMask;
  QLineEdit* edtFileMask;
  QToolButton* btnBrowse;
  // A menu of the common masks; one chosen replaces the mask's name part.
  QToolButton* btnMasks;
  QCheckBox* chkSubdirs;
  QLabel* lblSubdirs;

 private:
  TDialogs& fDialogs;
};

class TfrSelectFields : public QFrame {
  Q_OBJECT

 public:
  TfrSelectFields(TDialogs& dialogs, QWidget* parent = nullptr);
  void ApplyTexts();

  // The chosen fields, top to bottom.
  std::vector<std::string> ChosenFields() const;

  void btnAddClick();
  void AddGroup(int group);
  void btnRemoveClick();
  void btnRemoveAllClick();
  void btnUpClick();
  void btnDownClick();

  QLabel* lblFields;
  QListWidget* lstAvailableFields;
  QListWidget* lstSelectedFields;
  QPushButton* btnAdd;
  QPushButton* btnAddExif;
  QPushButton* btnAddIptc;
  QPushButton* btnAddFile;
  QPushButton* btnRemove;
  QPushButton* btnRemoveAll;
  QToolButton* btnUp;
  QToolButton* btnDown;

 private:
  // False, with the limit message, when no field may be added any more.
  bool RoomForMore();
  void MoveSelected(int step);

  TDialogs& fDialogs;
};

class TfrSelectWhere : public QFrame {
  Q_OBJECT

 public:
  explicit TfrSelectWhere(QWidget* parent = nullptr);
  void ApplyTexts();

  std::vector<std::string> Conditions() const;

  // Appends the condition of the three fields, joined by connective ("AND"
  // or "OR") unless it is the first.
  void AddCondition(std::string_view connective);
  void btnDeleteClick();
  void btnClearClick();

  QLabel* lblConditions;
  QListWidget* lstConditions;
  QLabel* lblLeft;
  QComboBox* comboLeft;
  QLabel* lblOperator;
  QComboBox* comboOperator;
  QLabel* lblRight;
  QComboBox* comboRight;
  QPushButton* btnAnd;
  QPushButton* btnOr;
  QPushButton* btnDelete;
  QPushButton* btnClear;
};

}  // namespace orvalis
