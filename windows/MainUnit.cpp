#include "windows/MainUnit.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QLabel>
#include <QLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QTextCursor>
#include <QTimer>

#include "CalvennaVersion.h"
#include "platform/Platform.h"
#include "settings/SettingsStore.h"
#include "windows/OptionsUnit.h"
#include "windows/WidgetHelpers.h"

namespace {

const QPoint kDesignPosition(59, 107);
const QString kSeparatorLine(39, QLatin1Char('~'));

// A stored position can come from a screen that is gone; the window must
// still be reachable, so its title bar has to lie on some screen.
bool OnSomeScreen(const QPoint& topLeft) {
  return QGuiApplication::screenAt(topLeft + QPoint(40, 10)) != nullptr;
}

}  // namespace

TMainForm::TMainForm(Platform& platform, SettingsStore& settings, TWindows& windows)
    : QMainWindow(nullptr), platform_(platform), settings_(settings), windows_(windows) {
  setObjectName(QStringLiteral("MainForm"));
  setWindowTitle(QStringLiteral("Calvenna 5"));
  setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
  BuildControls();
  BuildMenu();
  ConnectEvents();
  SetDefaultButton(Verifier);
  layout()->setSizeConstraint(QLayout::SetFixedSize);  // fixed single border
  move(kDesignPosition);
  FormCreate();
}

QString TMainForm::StatusText(int panel) const { return statusPanels_[panel]->text(); }

void TMainForm::SetStatusText(int panel, const QString& text) { statusPanels_[panel]->setText(text); }

void TMainForm::SetDefaultButton(QPushButton* button) {
  defaultButton_ = button;
  Verifier->setDefault(button == Verifier);
  Button1->setDefault(button == Button1);
}

void TMainForm::AddNumberHistory(const QString& text) { AddHistoryItem(NumberEdit, text, historySorted_); }

// ---- shared routines

void TMainForm::ShowTestedCount() {
  SetStatusText(0, QStringLiteral("#s Tested today: ") + QString::number(TestedCount));
}

void TMainForm::ScrollResultsToEnd() {
  RichEdit1->setFocus();
  QTextCursor end = RichEdit1->textCursor();
  end.movePosition(QTextCursor::End);
  RichEdit1->setTextCursor(end);
  RichEdit1->ensureCursorVisible();
}

void TMainForm::AddResultSeparator() {
  if (windows_.OptionsForm && windows_.OptionsForm->SepareResult->isChecked())
    AppendLine(RichEdit1, kSeparatorLine);
}

// ---- lifecycle

void TMainForm::FormCreate() {
  TestedCount = 0;
  LastTested = QStringLiteral("0");
  RichEdit1->clear();
  Timer1->start();

  if (!settings_.OpenKey(false)) return;
  bool flag = false;
  if (settings_.ReadBool(QStringLiteral("AutoClear"), flag)) Autoclear1->setChecked(flag);
  QPoint at = pos();
  int value = 0;
  if (settings_.ReadInteger(QStringLiteral("MainPositionTop"), value)) at.setY(value);
  if (settings_.ReadInteger(QStringLiteral("MainPositionLeft"), value)) at.setX(value);
  move(OnSomeScreen(at) ? at : kDesignPosition);
  if (settings_.ReadBool(QStringLiteral("Certif"), flag)) certifgen->setChecked(flag);
  if (settings_.ReadBool(QStringLiteral("MainRef"), flag)) RefBox->setChecked(flag);
  settings_.CloseKey();
}

void TMainForm::Timer1Timer() {
  Timer1->stop();
  show();
}

void TMainForm::FormActivate() {
  NumberEdit->setFocus();
  ProgramDir = QCoreApplication::applicationDirPath() + QLatin1Char('/');
  const bool sort = windows_.OptionsForm && windows_.OptionsForm->SortCheckBox->isChecked();
  if (sort && !historySorted_) SortHistoryItems(NumberEdit);
  historySorted_ = sort;
}

bool TMainForm::FormCloseQuery() {
  if (!windows_.OptionsForm || !windows_.OptionsForm->WarnExit->isChecked()) return true;
  return platform_.AskYesNo(QStringLiteral("Exit ?"),
                            QStringLiteral("Are you sure you want to close this application ?"));
}

void TMainForm::FormClose() {
  settings_.OpenKey(true);
  settings_.WriteBool(QStringLiteral("AutoClear"), Autoclear1->isChecked());
  settings_.WriteInteger(QStringLiteral("MainPositionTop"), pos().y());
  settings_.WriteInteger(QStringLiteral("MainPositionLeft"), pos().x());
  settings_.WriteBool(QStringLiteral("Certif"), certifgen->isChecked());
  settings_.WriteBool(QStringLiteral("MainRef"), RefBox->isChecked());
  settings_.CloseKey();
}

void TMainForm::closeEvent(QCloseEvent* event) {
  if (!FormCloseQuery()) {
    event->ignore();
    return;
  }
  FormClose();
  event->accept();
  emit Closed();
}

bool TMainForm::event(QEvent* event) {
  if (event->type() == QEvent::WindowActivate) FormActivate();
  return QMainWindow::event(event);
}

void TMainForm::Exit1Click() { close(); }

void TMainForm::About1Click() {
  platform_.ShowMessage(QStringLiteral("Calvenna 5\nVersion " CALVENNA_VERSION));
}
