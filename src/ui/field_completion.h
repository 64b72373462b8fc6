// Completion of field names in the query editor: Ctrl+Tab replaces the
// letters before the cursor by the next field name that begins with them;
// further Tabs with Ctrl held cycle through the names; releasing Ctrl
// accepts the name shown.
#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

#include <string>
#include <vector>

class QPlainTextEdit;

namespace orvalis {

class TFieldCompletion : public QObject {
  Q_OBJECT

 public:
  // Watches the editor's keys. names: the field names in the order they
  // are offered.
  TFieldCompletion(QPlainTextEdit& editor, const std::vector<std::string>& names);

  bool Running() const { return fAnchor >= 0; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Step();
  void Accept();
  bool Begins(const QString& name) const;

  QPlainTextEdit& fEditor;
  QStringList fNames;
  int fIndex = 0;
  int fAnchor = -1;  // where the candidate stands; -1: no completion running
  QString fPrefix;
  bool fCtrlDown = false;
};

}  // namespace orvalis
