// Edit, counter, panel, input-field and help commands of the main window.
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include "ProgramFixture.h"
#include "windows/MainUnit.h"
#include "windows/OptionsUnit.h"
#include "windows/WidgetHelpers.h"

namespace {

class CommandsTest : public ProgramFixture {
protected:
  TMainForm& Main() { return *W().MainForm; }
  QCheckBox* Filter() { return W().OptionsForm->FilterCheckBox; }
  QString Number() { return Main().NumberEdit->currentText(); }
  void SetNumber(const QString& text) { Main().NumberEdit->setEditText(text); }
  // The main window in front with the number field focused by a click.
  void AtTheNumberField() {
    Activate(&Main());
    Click(Main().NumberEdit);
    ASSERT_EQ(Focus(), Main().NumberEdit);
  }
};

TEST_F(CommandsTest, PasteInsertsInFrontOrReplacesWithAutoClear) {
  AtTheNumberField();
  SetNumber("123");
  platform_.clipboard = "45";
  Filter()->setChecked(true);
  Choose(Qt::Key_E, Qt::Key_P);
  EXPECT_EQ(Number(), "45123");
  EXPECT_TRUE(Filter()->isChecked());

  Choose(Qt::Key_E, Qt::Key_A);
  EXPECT_TRUE(Main().Autoclear1->isChecked());
  platform_.clipboard = QString(250, '7');
  Press(Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(Number(), QString(250, '7')) << "no length limit for a paste";
  Click(Main().Verifier);
  EXPECT_EQ(platform_.LastText(), "Please, note that numbers with more than 200 digits are not supported yet.");
}

TEST_F(CommandsTest, CutAndCopyMoveTheWholeText) {
  AtTheNumberField();
  SetNumber("98765");
  Press(Qt::Key_Home);
  Press(Qt::Key_Right);
  Press(Qt::Key_Right, Qt::ShiftModifier);
  Press(Qt::Key_Right, Qt::ShiftModifier);
  ASSERT_EQ(Main().NumberEdit->lineEdit()->selectedText(), "87");
  Press(Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(platform_.clipboard, "98765");
  EXPECT_EQ(Number(), "98765");
  Choose(Qt::Key_E, Qt::Key_T);
  EXPECT_EQ(platform_.clipboard, "98765");
  EXPECT_TRUE(Number().isEmpty());

  Choose(Qt::Key_E, Qt::Key_A);
  SetNumber("31");
  Choose(Qt::Key_E, Qt::Key_C);
  EXPECT_EQ(Main().NumberEdit->lineEdit()->selectedText(), "31");
}

TEST_F(CommandsTest, EditShortcutsActOnTheNumberFieldFromAnyControl) {
  Activate(&Main());
  SetNumber("2027");
  Main().ComboBox1->setEditText("61");
  Click(Main().ComboBox1);
  Press(Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(platform_.clipboard, "2027");
  Click(Main().RichEdit1);
  ASSERT_EQ(Focus(), Main().RichEdit1);
  Press(Qt::Key_X, Qt::ControlModifier);
  EXPECT_TRUE(Number().isEmpty());
  EXPECT_EQ(Main().ComboBox1->currentText(), "61");
}

TEST_F(CommandsTest, CounterBoundsBeep) {
  AtTheNumberField();
  const auto increase = [this] { Press(Qt::Key_I, Qt::ControlModifier | Qt::AltModifier); };
  const auto decrease = [this] { Press(Qt::Key_D, Qt::ControlModifier | Qt::AltModifier); };
  Main().TestedCount = 29999;
  increase();
  EXPECT_EQ(Main().TestedCount, 30000);
  increase();
  EXPECT_EQ(Main().TestedCount, 30000);
  EXPECT_EQ(platform_.beeps, 1);
  EXPECT_EQ(Main().StatusText(0), "#s Tested today: 30000");
  Choose(Qt::Key_C, Qt::Key_R);
  EXPECT_EQ(Main().StatusText(0), "#s Tested today: 0");
  Choose(Qt::Key_C, Qt::Key_D);
  EXPECT_EQ(Main().TestedCount, 0);
  EXPECT_EQ(platform_.beeps, 2);
  Choose(Qt::Key_C, Qt::Key_I);
  decrease();
  EXPECT_EQ(Main().TestedCount, 0);
  EXPECT_EQ(platform_.beeps, 2);
}

TEST_F(CommandsTest, DigitFilterEmptiesTheFieldAndItsHistory) {
  TMainForm& m = Main();
  AddHistoryItem(m.NumberEdit, "11", false);
  AddHistoryItem(m.ComboBox1, "7", false);
  SetNumber("123");
  m.ComboBox1->setEditText("13");
  // Without the filter, keys are not judged.
  m.NumberEditKeyUp(m.NumberEdit, 'A');
  EXPECT_EQ(Number(), "123");

  Filter()->setChecked(true);
  for (std::uint16_t editing : {96, 105, 37, 40, 8, 13, 46}) m.NumberEditKeyUp(m.NumberEdit, editing);
  EXPECT_EQ(Number(), "123");
  EXPECT_EQ(m.NumberEdit->count(), 1);
  for (std::uint16_t other : {65, 48, 57, 36, 35, 16, 17}) {
    SetNumber("123");
    AddHistoryItem(m.NumberEdit, "11", false);
    m.NumberEditKeyUp(m.NumberEdit, other);
    EXPECT_TRUE(Number().isEmpty()) << other;
    EXPECT_EQ(m.NumberEdit->count(), 0) << other;
  }
  SetNumber("5");
  m.NumberEditKeyUp(m.ComboBox1, 'B');
  EXPECT_TRUE(m.ComboBox1->currentText().isEmpty());
  EXPECT_EQ(m.ComboBox1->count(), 0);
  EXPECT_EQ(Number(), "5");
}

TEST_F(CommandsTest, PastingByShortcutSurvivesTheFilter) {
  AtTheNumberField();
  Filter()->setChecked(true);
  platform_.clipboard = "1009";
  // Ctrl down, V down and up, Ctrl up: neither release empties the field.
  Press(Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(Number(), "1009");
  // A lone Ctrl afterwards is judged again.
  Press(Qt::Key_Control);
  EXPECT_TRUE(Number().isEmpty());
}

TEST_F(CommandsTest, ChangeHandlerShowsTheLastTestAndTheDigitCount) {
  TMainForm& m = Main();
  SetNumber("1234567890123");
  m.ComboBox1Change();
  EXPECT_EQ(m.Digital->text(), "13 digits");
  EXPECT_EQ(m.StatusText(1), "Calvenna is ready.");
  Activate(&m);
  SetNumber("7");
  Click(m.Verifier);
  SetNumber("");
  m.ComboBox1Change();
  EXPECT_EQ(m.StatusText(1), "Last test on 7");
  EXPECT_EQ(m.Digital->text(), "0 digits");
  m.ComboBox1->setEditText("31");
  Click(m.Button1);
  SetNumber("1");
  m.ComboBox1Change();
  EXPECT_EQ(m.StatusText(1), "Last test on 31th Mersenne number");
  EXPECT_EQ(m.Digital->text(), "1 digits");
}

TEST_F(CommandsTest, FocusMovesTheDefaultButton) {
  Main().ComboBox1Enter();
  EXPECT_EQ(Main().DefaultButton(), Main().Button1);
  EXPECT_TRUE(Main().Button1->isDefault());
  Main().NumberEditEnter();
  EXPECT_EQ(Main().DefaultButton(), Main().Verifier);
  EXPECT_FALSE(Main().Button1->isDefault());
}

TEST_F(CommandsTest, HistoryAndPanelButtons) {
  TMainForm& m = Main();
  Activate(&m);
  for (const char* n : {"3", "5"}) {
    SetNumber(n);
    Click(m.Verifier);
  }
  m.ComboBox1->setEditText("3");
  Click(m.Button1);
  Click(m.BitBtn1);
  EXPECT_EQ(m.NumberEdit->count(), 0);
  EXPECT_EQ(Number(), "5");
  EXPECT_EQ(m.ComboBox1->count(), 1);
  Click(m.BitBtn2);
  EXPECT_EQ(m.ComboBox1->count(), 0);
  EXPECT_EQ(m.ComboBox1->currentText(), "3");
  Click(m.BitBtn3);
  EXPECT_TRUE(m.RichEdit1->toPlainText().isEmpty());
}

TEST_F(CommandsTest, PanelSavedAsRichTextNamedAfterTheClock) {
  const QString before = QDir::currentPath();
  ASSERT_TRUE(QDir::setCurrent(dir_.path()));
  Activate(&Main());
  SetNumber("97");
  Click(Main().Verifier);
  platform_.now = QDateTime(QDate(2026, 12, 11), QTime(10, 20, 30));
  Click(Main().BitBtn4);
  QFile f(dir_.filePath("11-12-2026 10-20-30.txt"));
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  const QByteArray rtf = f.readAll();
  EXPECT_TRUE(rtf.startsWith("{\\rtf1"));
  EXPECT_TRUE(rtf.contains("This is a prime number\\par"));
  EXPECT_TRUE(platform_.shown.isEmpty());
  QDir::setCurrent(before);
}

TEST_F(CommandsTest, CalculatorAndHelp) {
  AtTheNumberField();
  Press(Qt::Key_L, Qt::ControlModifier);
  EXPECT_EQ(platform_.startedPrograms,
            (QStringList{"gnome-calculator", "kcalc", "galculator", "qalculate-gtk", "xcalc"}));
  EXPECT_EQ(platform_.LastText(), "Unfortunately, your calculator \"gnome-calculator\" has not been found.");
  platform_.ClearRecords();
  platform_.knownPrograms = QStringList{"galculator"};
  Choose(Qt::Key_T, Qt::Key_L);
  EXPECT_EQ(platform_.startedPrograms.last(), "galculator");
  EXPECT_TRUE(platform_.shown.isEmpty());

  Press(Qt::Key_F1);
  ASSERT_EQ(platform_.openedDocuments.size(), 1);
  EXPECT_TRUE(platform_.openedDocuments[0].endsWith("/help.chm"));
  EXPECT_TRUE(platform_.shown.isEmpty());
}

}  // namespace
