// The dialog "Sprache wählen": the languages of the language folder, one to pick.
#pragma once

#include <QDialog>
#include <QString>

#include <string>
#include <vector>

class QListWidget;

namespace orvalis {

class TfrmSelectLang : public QDialog {
  Q_OBJECT

 public:
  explicit TfrmSelectLang(QWidget* parent = nullptr);

  // The display names, sorted alphabetically, with the current language's
  // selected (none when it is not among them).
  void Fill(const std::vector<std::string>& names, const std::string& current);
  // The selected display name; empty when none is selected.
  QString Selected() const;

  QListWidget* lstLanguages;
};

}  // namespace orvalis
