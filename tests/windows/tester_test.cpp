// The generic primality tester of the main window.
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>

#include "ProgramFixture.h"
#include "windows/MainUnit.h"
#include "windows/OptionsUnit.h"
#include "windows/WidgetHelpers.h"

namespace {

class TesterTest : public ProgramFixture {
protected:
  TMainForm& Main() { return *W().MainForm; }
  TOptionsForm& Options() { return *W().OptionsForm; }
  void Test(const QString& text) {
    SetTextBeyondLimit(Main().NumberEdit->lineEdit(), 200, text);
    Activate(&Main());
    Click(Main().Verifier);
  }
  QStringList Panel() { return Main().RichEdit1->toPlainText().split('\n'); }
  QStringList History() { return ItemTexts(Main().NumberEdit); }
  QStringList Notebook() { return Options().NoteEdit->toPlainText().split('\n'); }
};

TEST_F(TesterTest, NinetySevenAsTheFirstTestOfTheRun) {
  platform_.nowStepMs = 0;
  Test("97");
  EXPECT_EQ(Panel(), QStringList{"This is a prime number"});
  EXPECT_EQ(History(), QStringList{"97"});
  EXPECT_EQ(Options().Primes(), QStringList{"97"});
  EXPECT_TRUE(Options().Composites().isEmpty());
  const QStringList report = {"Date & time: 11/12/2026 10:20:30", "Tested Number: 97",
                              "Duration of test: 00:00:00", "Results: Prime", "Comments: ", ""};
  EXPECT_EQ(Notebook(), report);
  EXPECT_EQ(Main().TestedCount, 1);
  EXPECT_EQ(Main().LastTested, "97");
  EXPECT_EQ(Main().StatusText(0), "#s Tested today: 1");
  EXPECT_EQ(Main().StatusText(1), "Completed in 00:00:00");
  EXPECT_EQ(platform_.busyDepth, 0);
  EXPECT_EQ(platform_.busyCount, 1);
  EXPECT_TRUE(platform_.shown.isEmpty());
}

TEST_F(TesterTest, VerdictsOfSmallAndSignedNumbers) {
  struct Case {
    const char* text;
    bool prime;
  };
  const Case cases[] = {{"0", false}, {"1", false}, {"2", true}, {"-2", true},
                        {"-1", false}, {"-4", false}, {"abc13", true}};
  for (const Case& c : cases) {
    Main().RichEdit1->clear();
    Test(c.text);
    EXPECT_EQ(Panel().last(), c.prime ? "This is a prime number" : "This is composite") << c.text;
  }
  // Texts enter the history and the lists as typed.
  EXPECT_EQ(History(), (QStringList{"0", "1", "2", "-2", "-1", "-4", "abc13"}));
  EXPECT_EQ(Options().Primes(), (QStringList{"2", "-2", "abc13"}));
  EXPECT_EQ(Options().Composites(), (QStringList{"0", "1", "-1", "-4"}));
  EXPECT_EQ(Main().TestedCount, 7);
}

TEST_F(TesterTest, RepeatedAndLeadingZeroTexts) {
  Test("7");
  Test("7");
  Test("007");
  EXPECT_EQ(History(), (QStringList{"7", "007"}));
  EXPECT_EQ(Options().Primes(), (QStringList{"7", "007"}));
  EXPECT_EQ(Panel().count("This is a prime number"), 3);
  EXPECT_EQ(Main().TestedCount, 3);
}

TEST_F(TesterTest, EmptyAndTooLongTextsChangeNothing) {
  Test("");
  EXPECT_EQ(Panel(), QStringList{"Please type a valid number."});
  EXPECT_EQ(Main().StatusText(1), "Calvenna is ready.");
  EXPECT_EQ(platform_.busyCount, 0);

  const QString tooLong = QString(200, '1') + '3';
  Test(tooLong);
  EXPECT_EQ(platform_.Texts(FakePlatform::Kind::Message),
            QStringList{"Please, note that numbers with more than 200 digits are not supported yet."});
  EXPECT_EQ(Main().TestedCount, 0);
  EXPECT_TRUE(History().isEmpty());
  EXPECT_EQ(Main().LastTested, "0");

  // Exactly 200 characters are tested: 10^199 + 1 is divisible by 11.
  const QString longest = '1' + QString(198, '0') + '1';
  Test(longest);
  EXPECT_EQ(Panel().last(), "This is composite");
  EXPECT_EQ(History(), QStringList{longest});
}

TEST_F(TesterTest, ConversionFailureReportsAfterTheFinishingSteps) {
  Test("5");
  Main().RefBox->setChecked(true);
  Options().SepareResult->setChecked(true);
  const QStringList notebook = Notebook();
  Test("12a3");
  EXPECT_EQ(platform_.Texts(FakePlatform::Kind::Error), QStringList{"'12a3' is not a valid integer value."});
  EXPECT_EQ(History(), QStringList{"5"});
  EXPECT_EQ(Options().Primes(), QStringList{"5"});
  EXPECT_TRUE(Options().Composites().isEmpty());
  EXPECT_EQ(Notebook(), notebook);
  EXPECT_EQ(Main().TestedCount, 1);
  // Finishing steps: the cursor, LastTested, the status, the separator.
  EXPECT_EQ(platform_.busyDepth, 0);
  EXPECT_EQ(Main().LastTested, "12a3");
  EXPECT_TRUE(Main().StatusText(1).startsWith("Completed in "));
  EXPECT_EQ(Main().StatusText(0), "#s Tested today: 1");
  // The panel was refreshed before the conversion, then separated.
  EXPECT_EQ(Panel(), QStringList{QString(39, '~')});
}

TEST_F(TesterTest, TheTwoAutoRefreshBoxes) {
  Test("3");
  Test("4");
  EXPECT_EQ(Notebook().size(), 6) << "the notebook keeps only the last report";
  EXPECT_EQ(Notebook()[1], "Tested Number: 4");
  Options().RefBox->setChecked(false);
  Test("5");
  EXPECT_EQ(Notebook().size(), 12);

  Main().RefBox->setChecked(true);
  Options().SepareResult->setChecked(true);
  Test("6");
  EXPECT_EQ(Panel(), (QStringList{"This is composite", QString(39, '~')}));
}

TEST_F(TesterTest, ListBoxesAndVerdictTexts) {
  Options().PremiersCheckBox->setChecked(false);
  Options().NonPremiersCheckBox->setChecked(false);
  Test("10");
  Options().LabeledEdit1->clear();
  Options().LabeledEdit2->setText("No");
  Test("11");
  Test("12");
  EXPECT_EQ(History(), (QStringList{"10", "11", "12"}));
  EXPECT_TRUE(Options().Primes().isEmpty());
  EXPECT_TRUE(Options().Composites().isEmpty());
  EXPECT_EQ(Panel(), (QStringList{"This is composite", "", "No"}));
}

TEST_F(TesterTest, AutoClearSelectsTheTestedText) {
  Test("13");
  EXPECT_FALSE(Main().NumberEdit->lineEdit()->hasSelectedText());
  Main().Autoclear1->setChecked(true);
  Test("17");
  EXPECT_EQ(Main().NumberEdit->lineEdit()->selectedText(), "17");
}

TEST_F(TesterTest, DurationIsTheTimeOfDayDifference) {
  platform_.now = QDateTime(QDate(2026, 12, 11), QTime(23, 59, 59));
  platform_.nowStepMs = 700;
  Test("101");
  // Every reading advances the clock; the test crossed midnight.
  const QString duration = Notebook()[2];
  EXPECT_TRUE(duration.startsWith("Duration of test: 00:00:0")) << duration.toStdString();
  EXPECT_TRUE(Main().StatusText(1).startsWith("Completed in 00:00:0"));
}

}  // namespace
