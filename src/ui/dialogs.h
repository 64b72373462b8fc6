// Every modal question and message of the windows goes through this
// interface, so tests can answer without a real dialog.
#pragma once

#include <QString>

class QWidget;

namespace orvalis {

enum class TAnswer { Yes, No, Cancel, YesToAll, NoToAll };

class TDialogs {
 public:
  virtual ~TDialogs() = default;
  // A confirmation with the buttons Yes, No and Cancel.
  virtual TAnswer Ask(const QString& text) = 0;
  // A confirmation with Yes, No, Cancel, Yes to all and, with noToAll, No to
  // all. Dialogs that know no "to all" answer as Ask does.
  virtual TAnswer AskWithAll(const QString& text, bool /*noToAll*/) { return Ask(text); }
  // A message with an OK button; returns when it was confirmed.
  virtual void ShowMessage(const QString& text) = 0;
};

// The real boxes, owned by the window they belong to.
class TQtDialogs : public TDialogs {
 public:
  explicit TQtDialogs(QWidget* parent) : fParent(parent) {}
  TAnswer Ask(const QString& text) override;
  TAnswer AskWithAll(const QString& text, bool noToAll) override;
  void ShowMessage(const QString& text) override;

 private:
  QWidget* fParent;
};

}  // namespace orvalis
