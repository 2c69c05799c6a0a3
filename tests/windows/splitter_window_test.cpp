#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTest>
#include <QTextEdit>

#include "ProgramFixture.h"
#include "windows/AnalyserUnit.h"
#include "windows/MainUnit.h"
#include "windows/OptionsUnit.h"
#include "windows/WidgetHelpers.h"

namespace {

using Rows = QList<QPair<QString, QString>>;

class SplitterWindowTest : public ProgramFixture {
protected:
  TAnalyserForm& S() { return *W().AnalyserForm; }
  void Analyse(const QString& text) {
    S().ComboBox1->setEditText(text);
    Activate(&S());
    Click(S().analBtn);
  }
  Rows Table() {
    Rows rows;
    QTableWidget* t = S().ValueListEditor1;
    for (int r = 0; r < t->rowCount(); ++r) rows.append({t->item(r, 0)->text(), t->item(r, 1)->text()});
    return rows;
  }
  QString Math() { return S().RichEdit1->toPlainText(); }
};

TEST_F(SplitterWindowTest, DesignState) {
  TAnalyserForm& s = S();
  EXPECT_EQ(s.windowTitle(), "Splitter: Factorization");
  // The design size, or more where the font at hand needs room.
  EXPECT_GE(s.width(), 404);
  EXPECT_EQ(s.height(), 276);
  EXPECT_EQ(s.ComboBox1->lineEdit()->maxLength(), 40);
  EXPECT_EQ(s.ComboBox1->toolTip(), " < e40");
  EXPECT_EQ(s.analBtn->text(), "Analyze");
  EXPECT_TRUE(s.analBtn->isDefault());
  EXPECT_EQ(s.BitBtn3->toolTip(), "<<< Erase this History");
  EXPECT_EQ(s.BitBtn2->toolTip(), "Import from the Tester");
  EXPECT_EQ(s.MethodGroup->title(), " Method : ");
  EXPECT_EQ(s.MethodItemIndex(), 0);
  EXPECT_EQ(s.MethodItems[2]->text(), "Prime generator");
  EXPECT_TRUE(s.MathCheckBox->isChecked());
  EXPECT_FALSE(s.EditionCheck->isChecked());
  EXPECT_TRUE(s.RichEdit1->isReadOnly());
  EXPECT_FALSE(s.ValueListEditor1->horizontalHeader()->isHidden());
  EXPECT_EQ(s.ValueListEditor1->horizontalHeaderItem(0)->text(), "Status");
  EXPECT_EQ(s.ValueListEditor1->horizontalHeaderItem(1)->text(), "Factor");
  EXPECT_EQ(s.ValueListEditor1->columnWidth(0), 100);
  EXPECT_TRUE(s.HistorySorted());
}

TEST_F(SplitterWindowTest, AnalysisFillsTableMathAndCanonicalHistory) {
  W().OptionsForm->SortCheckBox->setChecked(true);
  Analyse("007");
  EXPECT_EQ(S().History(), QStringList{"7"});
  EXPECT_EQ(S().ComboBox1->currentText(), "007");  // what was typed stays
  EXPECT_EQ(Table(), (Rows{{"factor1 is Prime", "7"}}));
  EXPECT_EQ(Math(), "7");

  Analyse("561");
  EXPECT_EQ(Table(), (Rows{{"factor1 is Prime", "11"}, {"factor2 is Prime", "3"}, {"factor3 is Prime", "17"}}));
  EXPECT_EQ(Math(), "11*3*17");
  EXPECT_EQ(S().History(), (QStringList{"561", "7"}));  // "Sort the History"
  EXPECT_EQ(platform_.busyDepth, 0);
}

TEST_F(SplitterWindowTest, MagnitudeOneOrLessAndBadTextChangeNothing) {
  Analyse("15");
  for (const char* text : {"1", "0", "-1"}) {
    Analyse(QString::fromLatin1(text));
    EXPECT_EQ(S().History(), QStringList{"15"}) << text;
    EXPECT_EQ(Table().size(), 2) << text;
  }
  Analyse("12a");
  EXPECT_EQ(platform_.Texts(FakePlatform::Kind::Error), QStringList{"'12a' is not a valid integer value."});
  EXPECT_EQ(S().History(), QStringList{"15"});
  EXPECT_EQ(Math(), "5*3");
}

TEST_F(SplitterWindowTest, MethodsApplyTheirSettingsAndEmptyTheResults) {
  Analyse("15");
  S().SetMethodItemIndex(2);
  EXPECT_EQ(S().windowTitle(), "Splitter: Prime Generator");
  EXPECT_TRUE(S().ValueListEditor1->horizontalHeader()->isHidden());
  EXPECT_EQ(S().ValueListEditor1->columnWidth(0), 65);
  EXPECT_TRUE(Table().isEmpty());
  EXPECT_EQ(Math(), "");
  EXPECT_EQ(S().ComboBox1->currentText(), "15");

  S().SetMethodItemIndex(1);
  EXPECT_EQ(S().windowTitle(), "Splitter: Sample divisor");
  EXPECT_EQ(S().ComboBox1->lineEdit()->maxLength(), 50);
  EXPECT_EQ(S().ComboBox1->toolTip(), " < e50");
  EXPECT_EQ(S().ValueListEditor1->columnWidth(0), 110);
  Analyse("15");
  EXPECT_EQ(Table(), (Rows{{"Factor is Prime", "5"}}));
  EXPECT_EQ(Math(), "5 * Other factor");

  // A 45-character entry survives the change to the shorter limit.
  const QString longEntry(45, '7');
  S().ComboBox1->setEditText(longEntry);
  S().SetMethodItemIndex(0);
  EXPECT_FALSE(S().ValueListEditor1->horizontalHeader()->isHidden());
  EXPECT_EQ(S().ComboBox1->currentText(), longEntry);
}

TEST_F(SplitterWindowTest, PrimeGeneratorWithAndWithoutMathExpression) {
  S().SetMethodItemIndex(2);
  Analyse("8");
  EXPECT_EQ(Table(), (Rows{{"Next prime is", "11"}, {"Difference", "3"}}));
  EXPECT_EQ(Math(), "11");
  S().MathCheckBox->setChecked(false);
  Analyse("7");
  EXPECT_EQ(Table(), (Rows{{"Next prime is", "7"}, {"Difference", "0"}}));
  EXPECT_EQ(Math(), "");
}

TEST_F(SplitterWindowTest, MathExpressionStateIsStoredWhenHiddenAndReadOnOpening) {
  S().ShowFromMain();
  S().MathCheckBox->setChecked(false);
  S().hide();
  EXPECT_EQ(Stored("ME").toInt(), 0);
  S().MathCheckBox->setChecked(true);
  S().ShowFromMain();
  EXPECT_FALSE(S().MathCheckBox->isChecked());
  // The menu item opens it the same way.
  S().hide();
  S().MathCheckBox->setChecked(true);
  Activate(W().MainForm);
  Click(W().MainForm->NumberEdit);
  Press(Qt::Key_S, Qt::ControlModifier);
  EXPECT_TRUE(S().isVisible());
  EXPECT_FALSE(S().MathCheckBox->isChecked());
}

TEST_F(SplitterWindowTest, DigitFilterEmptiesEntryAndHistory) {
  Analyse("15");
  Click(S().ComboBox1);
  Press(Qt::Key_A);  // filter off: nothing happens
  EXPECT_EQ(S().History(), QStringList{"15"});

  W().OptionsForm->FilterCheckBox->setChecked(true);
  Press(Qt::Key_5, Qt::KeypadModifier);  // an editing key
  EXPECT_EQ(S().History(), QStringList{"15"});
  Press(Qt::Key_A);
  EXPECT_EQ(S().ComboBox1->currentText(), "");
  EXPECT_TRUE(S().History().isEmpty());
}

TEST_F(SplitterWindowTest, CancelledAnalysisLeavesTableEmptyAndHistoryWithItsEntry) {
  W().OptionsForm->SortCheckBox->setChecked(true);
  Analyse("15");
  platform_.cancelNextWork = true;
  Analyse("100000000100000000920000000510000002091");  // two 20-digit primes
  EXPECT_TRUE(Table().isEmpty());
  EXPECT_EQ(Math(), "");
  EXPECT_EQ(S().History(), (QStringList{"100000000100000000920000000510000002091", "15"}));
  EXPECT_EQ(platform_.longWorkTitles.size(), 2);
  EXPECT_EQ(platform_.busyDepth, 0);
}

TEST_F(SplitterWindowTest, ImportEraseAndLongImportedEntries) {
  const QString longNumber = QStringLiteral("1") + QString(59, '0');
  for (const QString& t : {QStringLiteral("97"), QStringLiteral("007"), longNumber})
    AddHistoryItem(W().MainForm->NumberEdit, t, false);
  W().OptionsForm->SortCheckBox->setChecked(false);
  S().FormActivate();
  Analyse("15");
  Click(S().BitBtn2);
  EXPECT_EQ(S().History(), (QStringList{"15", "97", "007", longNumber}));
  Click(S().BitBtn2);  // duplicates are kept
  EXPECT_EQ(S().History().size(), 7);

  // Picking the 60-digit entry takes it whole, beyond the typing limit.
  Pick(S().ComboBox1, 3);
  EXPECT_EQ(S().ComboBox1->currentText(), longNumber);

  S().ComboBox1->setEditText("42");
  Click(S().BitBtn3);
  EXPECT_TRUE(S().History().isEmpty());
  EXPECT_EQ(S().ComboBox1->currentText(), "42");
}

TEST_F(SplitterWindowTest, EnterAnalysesAndTheHintFollowsEntryAndMethod) {
  S().ComboBox1->setEditText("15");
  Activate(&S());
  Click(S().ComboBox1);
  Press(Qt::Key_Return);
  EXPECT_EQ(Table().size(), 2);
  EXPECT_EQ(S().History(), QStringList{"15"});  // once, not twice

  S().analBtnMouseMove();
  EXPECT_EQ(S().analBtn->toolTip(), "Get the complete factorization of\n\r15");
  S().SetMethodItemIndex(2);
  S().analBtnMouseMove();
  EXPECT_EQ(S().analBtn->toolTip(), "Reach for the next prime after\n\r15");
  S().ComboBox1->setEditText("");
  S().analBtnMouseMove();
  EXPECT_EQ(S().analBtn->toolTip(), "Type a number, select a method then click here");
}

TEST_F(SplitterWindowTest, EditionModeMakesTableAndMathEditable) {
  Activate(&S());
  Click(S().EditionCheck);
  EXPECT_FALSE(S().RichEdit1->isReadOnly());
  EXPECT_NE(S().ValueListEditor1->editTriggers(), QAbstractItemView::NoEditTriggers);
  Click(S().EditionCheck);
  EXPECT_TRUE(S().RichEdit1->isReadOnly());
  EXPECT_EQ(S().ValueListEditor1->editTriggers(), QAbstractItemView::NoEditTriggers);
}

}  // namespace
