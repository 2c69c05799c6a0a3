// The windows driven as a person drives them: focus by a click or Tab, keys
// delivered to the control that has the focus, never to an inner line edit.
#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QAction>
#include <QCheckBox>
#include <QDialog>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QRadioButton>
#include <QTableWidget>
#include <QTest>
#include <QTextEdit>

#include <functional>

#include "ProgramFixture.h"
#include "windows/AnalyserUnit.h"
#include "windows/DivUnit.h"
#include "windows/MainUnit.h"
#include "windows/ModUnit.h"
#include "windows/OptionsUnit.h"
#include "windows/SearchUnit.h"
#include "windows/WidgetHelpers.h"

namespace {

class KeyboardTest : public ProgramFixture {
protected:
  TMainForm& Main() { return *W().MainForm; }
  TOptionsForm& O() { return *W().OptionsForm; }
};

// Every field with a "Digit filter": its window and the field.
struct FilteredField {
  const char* name;
  std::function<QWidget*(TWindows&)> window;
  std::function<QComboBox*(TWindows&)> field;
};

const FilteredField kFilteredFields[] = {
    {"number field", [](TWindows& w) -> QWidget* { return w.MainForm; }, [](TWindows& w) { return w.MainForm->NumberEdit; }},
    {"p field", [](TWindows& w) -> QWidget* { return w.MainForm; }, [](TWindows& w) { return w.MainForm->ComboBox1; }},
    {"From", [](TWindows& w) -> QWidget* { return w.SearchForm; }, [](TWindows& w) { return w.SearchForm->LowInterval; }},
    {"To", [](TWindows& w) -> QWidget* { return w.SearchForm; }, [](TWindows& w) { return w.SearchForm->HighInterval; }},
    {"divisor finder", [](TWindows& w) -> QWidget* { return w.DivForm; }, [](TWindows& w) { return w.DivForm->ComboBox1; }},
    {"Splitter", [](TWindows& w) -> QWidget* { return w.AnalyserForm; }, [](TWindows& w) { return w.AnalyserForm->ComboBox1; }},
};

TEST_F(KeyboardTest, DigitFilterEmptiesTheFieldOnANonEditingKeyInEveryWindow) {
  O().FilterCheckBox->setChecked(true);
  for (const FilteredField& f : kFilteredFields) {
    SCOPED_TRACE(f.name);
    QWidget* window = f.window(W());
    QComboBox* field = f.field(W());
    Activate(window);
    AddHistoryItem(field, QStringLiteral("97"), false);
    field->setEditText(QStringLiteral("1234"));
    Click(field);
    ASSERT_EQ(Focus(), field);

    // Keypad digits, arrows, Backspace are editing keys: nothing happens.
    Press(Qt::Key_5, Qt::KeypadModifier);
    Press(Qt::Key_Left);
    EXPECT_EQ(field->count(), 1);
    EXPECT_FALSE(field->currentText().isEmpty());

    Press(Qt::Key_1);  // a digit of the main row is no editing key
    EXPECT_EQ(field->currentText(), "");
    EXPECT_EQ(field->count(), 0);

    AddHistoryItem(field, QStringLiteral("97"), false);
    field->setEditText(QStringLiteral("12"));
    Press(Qt::Key_A);
    EXPECT_EQ(field->currentText(), "");
    EXPECT_EQ(field->count(), 0);
  }
}

TEST_F(KeyboardTest, DigitFilterInThePFieldLeavesTheNumberFieldAlone) {
  O().FilterCheckBox->setChecked(true);
  Activate(&Main());
  Main().NumberEdit->setEditText(QStringLiteral("97"));
  Main().AddNumberHistory(QStringLiteral("97"));
  Click(Main().ComboBox1);
  Press(Qt::Key_Home);
  EXPECT_EQ(Main().NumberEdit->currentText(), "97");
  EXPECT_EQ(Main().NumberEdit->count(), 1);
}

TEST_F(KeyboardTest, EnterPressesTheDefaultButtonOfTheToolWindows) {
  // Divisor finder: "Find".
  Activate(W().DivForm);
  Click(W().DivForm->ComboBox1);
  Type(QStringLiteral("100"));
  Press(Qt::Key_Return);
  EXPECT_EQ(W().DivForm->Label2->text(), "We\"ve found 7 dividers");
  W().DivForm->hide();

  // Splitter: "Analyze", also from the keypad's Enter.
  Activate(W().AnalyserForm);
  Click(W().AnalyserForm->ComboBox1);
  Type(QStringLiteral("15"));
  Press(Qt::Key_Enter, Qt::KeypadModifier);
  EXPECT_EQ(W().AnalyserForm->ValueListEditor1->rowCount(), 2);
  W().AnalyserForm->hide();

  // Super Modulo: "Modulo", from either field.
  TModForm& m = *W().ModForm;
  Activate(&m);
  Click(m.Ex);
  Type(QStringLiteral("2*3^4+1"));
  Press(Qt::Key_Return);
  EXPECT_EQ(m.ListBox1->count(), 1);
  m.ListBox1->clear();
  TabTo(m.Fac);
  Press(Qt::Key_Return);
  EXPECT_EQ(m.ListBox1->count(), 1);
  EXPECT_TRUE(platform_.shown.isEmpty()) << platform_.LastText().toStdString();
}

TEST_F(KeyboardTest, AutoClearKeepsTheTestedTextSelectedForTheNextKey) {
  Main().Autoclear1->setChecked(true);
  Activate(&Main());
  Click(Main().NumberEdit);
  Type(QStringLiteral("109"));
  Press(Qt::Key_Return);
  EXPECT_EQ(Main().TestedCount, 1);
  EXPECT_EQ(Focus(), Main().NumberEdit);
  Type(QStringLiteral("5"));
  EXPECT_EQ(Main().NumberEdit->currentText(), "5");

  Click(Main().ComboBox1);
  Type(QStringLiteral("7"));
  Press(Qt::Key_Return);
  EXPECT_EQ(Main().TestedCount, 2);
  EXPECT_EQ(Focus(), Main().ComboBox1);
  Type(QStringLiteral("13"));
  EXPECT_EQ(Main().ComboBox1->currentText(), "13");
}

TEST_F(KeyboardTest, WithoutAutoClearTheNextKeyAppends) {
  Activate(&Main());
  Click(Main().NumberEdit);
  Type(QStringLiteral("109"));
  Press(Qt::Key_Return);
  Type(QStringLiteral("5"));
  EXPECT_EQ(Main().NumberEdit->currentText(), "1095");
}

TEST_F(KeyboardTest, TheResearchSummaryStaysUntilTheUserChangesABound) {
  TSearchForm& s = *W().SearchForm;
  Activate(&s);
  ASSERT_EQ(s.LowInterval->currentText(), "2");
  ASSERT_EQ(s.HighInterval->currentText(), "100");
  Click(s.LowInterval);
  Press(Qt::Key_Return);
  QStringList summary;
  for (int i = 0; i < s.ResumeListBox->count(); ++i) summary << s.ResumeListBox->item(i)->text();
  ASSERT_GT(summary.size(), 4);

  auto shown = [&s] {
    QStringList lines;
    for (int i = 0; i < s.ResumeListBox->count(); ++i) lines << s.ResumeListBox->item(i)->text();
    return lines;
  };
  // Focus changes are no changes of a bound.
  Click(s.HighInterval);
  Click(s.ResumeListBox);
  TabTo(s.LowInterval);
  s.hide();
  Activate(&s);
  EXPECT_EQ(shown(), summary);

  // A pick from the history with the arrow keys is one.
  Click(s.LowInterval);
  AddHistoryItem(s.LowInterval, QStringLiteral("50"), false);
  Press(Qt::Key_Down);
  EXPECT_NE(shown(), summary);
  s.hide();
}

TEST_F(KeyboardTest, ASplitterMethodAppliesHoweverItsRadioBecomesChecked) {
  TAnalyserForm& s = *W().AnalyserForm;
  Activate(&s);
  // As a screen reader or automation tool sets it.
  QAccessibleInterface* radio = QAccessible::queryAccessibleInterface(s.MethodItems[2]);
  ASSERT_TRUE(radio && radio->actionInterface());
  radio->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
  ASSERT_TRUE(s.MethodItems[2]->isChecked());
  EXPECT_EQ(s.windowTitle(), "Splitter: Prime Generator");
  EXPECT_TRUE(s.ValueListEditor1->horizontalHeader()->isHidden());

  // The keyboard moves the check mark between the radios.
  Click(s.MethodItems[0]);
  EXPECT_EQ(s.windowTitle(), "Splitter: Factorization");
  Press(Qt::Key_Right);
  ASSERT_TRUE(s.MethodItems[1]->isChecked());
  EXPECT_EQ(s.windowTitle(), "Splitter: Sample divisor");
  EXPECT_EQ(s.ComboBox1->lineEdit()->maxLength(), 50);
  EXPECT_EQ(s.ComboBox1->toolTip(), " < e50");
  s.hide();
}

TEST_F(KeyboardTest, ShortCutsOpenTheModalWindowsOnTheirPages) {
  Activate(&Main());
  Click(Main().NumberEdit);
  QStringList seen;
  platform_.onModal = [&](QDialog& dialog) {
    seen << dialog.objectName() +
                (&dialog == W().OptionsForm ? QString::number(O().PageControl1->currentIndex()) : QString());
  };
  for (Qt::Key key : {Qt::Key_H, Qt::Key_N, Qt::Key_O, Qt::Key_E}) Press(key, Qt::ControlModifier);
  EXPECT_EQ(seen, QStringList({"OptionsForm0", "OptionsForm1", "OptionsForm2", "SearchForm"}));
  EXPECT_EQ(platform_.modalShown, QStringList({"OptionsForm", "OptionsForm", "OptionsForm", "SearchForm"}));
  EXPECT_FALSE(W().OptionsForm->isVisible());
  EXPECT_FALSE(W().SearchForm->isVisible());
}

}  // namespace
