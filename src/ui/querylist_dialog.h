// The dialog "Abfragen im Puffer speichern": the name to file the query
// under (the buffer's names to pick from) and whether a time stamp comment
// goes first. The check box keeps its state for the program run.
#pragma once

#include <QDialog>
#include <QStringList>

class QCheckBox;
class QComboBox;

namespace orvalis {

class TfrmQuerylist : public QDialog {
  Q_OBJECT

 public:
  explicit TfrmQuerylist(QWidget* parent = nullptr);

  // Offers the names and empties the name box's text.
  void Fill(const QStringList& names);
  // The name typed or picked, trimmed.
  QString QueryName() const;

  QComboBox* comboName;
  QCheckBox* chkTimestamp;
};

}  // namespace orvalis
