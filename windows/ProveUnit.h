// The outcome of an elliptic-curve primality proof of the number field's
// text, in a small window of its own: the verdict, the certificate in the
// form PARI/GP reads, and a button to save it.
#pragma once

#include <QDialog>
#include <QString>

class Platform;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QWidget;

class TProveForm : public QDialog {
public:
  // verdict: the line shown; certificate: empty when there is none to save.
  TProveForm(Platform& platform, QWidget* parent, const QString& verdict, const QString& certificate);

  QLabel* Verdict = nullptr;
  QPlainTextEdit* Certificate = nullptr;
  QPushButton* SaveButton = nullptr;
  QPushButton* CloseButton = nullptr;

  void SaveClick();

private:
  Platform& platform_;
};

// Proves text through the long-work runner (progress, Cancel) and shows the
// outcome window over parent; bad input or a failure goes to an error box.
// Returns the window shown, or null.
TProveForm* ProveNumberText(Platform& platform, QWidget* parent, const QString& text);
