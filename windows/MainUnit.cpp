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
#include "windows/ElidedLabel.h"
#include "windows/OptionsUnit.h"
#include "windows/SettingBindings.h"
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

void TMainForm::SetStatusText(int panel, const QString& text) { statusPanels_[panel]->SetText(text); }

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

  QPoint at = pos();
  if (LoadSettings(settings_, StoredValues(&at))) move(OnSomeScreen(at) ? at : kDesignPosition);
}

TSettingBindings TMainForm::StoredValues(QPoint* loadedPosition) {
  using S = TSetting;
  // The stored position is gathered first and applied whole, once it is
  // known to lie on a screen.
  return {
      {S::AutoClear, [this] { return QVariant(Autoclear1->isChecked()); },
       [this](const QVariant& v) { Autoclear1->setChecked(v.toBool()); }},
      {S::MainPositionTop, [this] { return QVariant(pos().y()); },
       [loadedPosition](const QVariant& v) { loadedPosition->setY(v.toInt()); }},
      {S::MainPositionLeft, [this] { return QVariant(pos().x()); },
       [loadedPosition](const QVariant& v) { loadedPosition->setX(v.toInt()); }},
      Bind(S::Certif, certifgen),
      Bind(S::MainRef, RefBox),
  };
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
  QPoint unused;
  StoreSettings(settings_, StoredValues(&unused));
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
