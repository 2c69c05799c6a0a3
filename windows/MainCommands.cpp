// The smaller commands of the main window: Edit and Counter menus, history
// and panel buttons, the input fields' handlers, calculator and help.
#include "windows/MainUnit.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QFileInfo>

#include "platform/Platform.h"
#include "tools/RichText.h"
#include "tools/Testers.h"
#include "tools/TextFile.h"
#include "windows/FieldKeys.h"
#include "windows/OptionsUnit.h"
#include "windows/SharedRoutines.h"
#include "windows/TesterSupport.h"
#include "windows/WidgetHelpers.h"

namespace {

constexpr int kMaxNumberLength = 200;
constexpr int kCounterLimit = 30000;
constexpr std::uint16_t kControlKey = 17;

// The system calculator: calc.exe where Windows has one, else the usual
// desktop calculators, in this order.
QStringList CalculatorCandidates() {
  QStringList candidates;
#ifdef Q_OS_WIN
  const QString windowsDir = qEnvironmentVariable("SystemRoot", qEnvironmentVariable("windir"));
  if (!windowsDir.isEmpty()) candidates << QDir::toNativeSeparators(windowsDir + QStringLiteral("/calc.exe"));
  candidates << QStringLiteral("calc.exe");
#else
  candidates << QStringLiteral("gnome-calculator") << QStringLiteral("kcalc") << QStringLiteral("galculator")
             << QStringLiteral("qalculate-gtk") << QStringLiteral("xcalc");
#endif
  return candidates;
}

QString ProgramName(const QString& path) { return QFileInfo(path).fileName(); }

}  // namespace

// ---- Edit menu: always the number field's whole text

void TMainForm::NoteShortcutKeys(std::uint16_t letter) {
  // Released after the command, the keys of its short-cut must not reach
  // the digit filter, which would empty the field just filled or copied.
  const Qt::KeyboardModifiers held =
      QGuiApplication::keyboardModifiers() | QGuiApplication::queryKeyboardModifiers();
  const bool byShortcut = held & Qt::ControlModifier;
  shortcutLetter_ = byShortcut ? letter : 0;
  shortcutControl_ = byShortcut;
}

void TMainForm::Cut1Click() {
  NoteShortcutKeys('X');
  if (Autoclear1->isChecked()) NumberEdit->lineEdit()->selectAll();
  Temp->setText(NumberEdit->currentText());
  platform_.SetClipboardText(Temp->text());
  NumberEdit->setEditText(QString());
}

void TMainForm::Copy1Click() {
  NoteShortcutKeys('C');
  if (Autoclear1->isChecked()) NumberEdit->lineEdit()->selectAll();
  Temp->setText(NumberEdit->currentText());
  platform_.SetClipboardText(Temp->text());
}

void TMainForm::Paste1Click() {
  NoteShortcutKeys('V');
  QCheckBox* filter = windows_.OptionsForm->FilterCheckBox;
  const bool filtering = filter->isChecked();
  filter->setChecked(false);
  const QString pasted = platform_.ClipboardText();
  const QString text = Autoclear1->isChecked() ? pasted : pasted + NumberEdit->currentText();
  // No length limit here: the tester refuses what is too long, with a message.
  SetTextBeyondLimit(NumberEdit->lineEdit(), kMaxNumberLength, text);
  filter->setChecked(filtering);
}

// The check mark toggles by itself: the item is a checkable action.
void TMainForm::Autoclear1Click() {}

// ---- Counter menu

void TMainForm::incremen1Click() {
  if (TestedCount >= kCounterLimit) platform_.Beep();
  else ++TestedCount;
  ShowTestedCount();
}

void TMainForm::Decrease1Click() {
  if (TestedCount <= 0) platform_.Beep();
  else --TestedCount;
  ShowTestedCount();
}

void TMainForm::Resetcounter1Click() {
  TestedCount = 0;
  ShowTestedCount();
}

// ---- history and panel buttons

void TMainForm::BitBtn1Click() { ClearHistoryItems(NumberEdit); }
void TMainForm::BitBtn2Click() { ClearHistoryItems(ComboBox1); }
void TMainForm::BitBtn3Click() { RichEdit1->clear(); }

void TMainForm::BitBtn4Click() {
  const QDateTime now = platform_.Now();
  const QString name = QString::fromStdString(FileNameOfText(DateTimeText(platform_, now).toStdString())) +
                       QStringLiteral(".txt");
  const QString path = QDir::current().filePath(name);
  const std::string document = RichTextDocument(RichEdit1->toPlainText().toStdString());
  TAtomicFile file(QFile::encodeName(QDir::toNativeSeparators(path)).toStdString());
  file.Write(document);
  const std::string failure = file.Commit();
  if (!failure.empty()) platform_.ShowError(QString::fromLocal8Bit(failure.c_str()));
}

// ---- input fields

void TMainForm::NumberEditEnter() { SetDefaultButton(Verifier); }
void TMainForm::ComboBox1Enter() { SetDefaultButton(Button1); }

void TMainForm::ComboBox1Change() {
  try {
    if (LastTested != QStringLiteral("0")) SetStatusText(1, QStringLiteral("Last test on ") + LastTested);
    Digital->setText(QString::number(NumberEdit->currentText().size()) + QStringLiteral(" digits"));
  } catch (...) {
    // A display refresh must never stop the user typing.
  }
}

void TMainForm::NumberEditKeyUp(QComboBox* field, std::uint16_t key) {
  if (shortcutLetter_ != 0 && key == shortcutLetter_) {
    shortcutLetter_ = 0;
    return;
  }
  if (shortcutControl_ && key == kControlKey) {
    shortcutControl_ = false;
    shortcutLetter_ = 0;
    return;
  }
  shortcutLetter_ = 0;
  shortcutControl_ = false;
  ApplyDigitFilter(field, windows_.OptionsForm->FilterCheckBox->isChecked(), key);
}

// ---- calculator and help

void TMainForm::Calculator1Click() {
  const QStringList candidates = CalculatorCandidates();
  for (const QString& program : candidates)
    if (platform_.StartProgram(program)) return;
  platform_.ShowMessage(QStringLiteral("Unfortunately, your calculator \"") + ProgramName(candidates.first()) +
                        QStringLiteral("\" has not been found."));
}

void TMainForm::index1Click() {
  // Nothing is reported when no program opens the help file.
  platform_.OpenDocument(QCoreApplication::applicationDirPath() + QStringLiteral("/help.chm"));
}
