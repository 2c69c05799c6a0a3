// The search engine window through its widgets, over a FakePlatform.
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include "ProgramFixture.h"
#include "windows/MainUnit.h"
#include "windows/OptionsUnit.h"
#include "windows/PageControl.h"
#include "windows/SearchUnit.h"
#include "windows/WidgetHelpers.h"

namespace {

const QString kLimit = QStringLiteral("Sorry, you reached the highest limit of Calvenna !");
const QString kSaved = QStringLiteral("OK, the file(s) was/were successfully saved.");

QStringList Entries(const QListWidget* list) {
  QStringList out;
  for (int i = 0; i < list->count(); ++i) out << list->item(i)->text();
  return out;
}

QStringList Entries(const QListView* part) {
  QStringList out;
  for (int i = 0; i < part->model()->rowCount(); ++i) out << part->model()->index(i, 0).data().toString();
  return out;
}

int Count(const QListView* part) { return part->model()->rowCount(); }
QString Entry(const QListView* part, int row) { return part->model()->index(row, 0).data().toString(); }
void Select(QListView* part, int row) { part->setCurrentIndex(part->model()->index(row, 0)); }

QStringList Primes25() {
  QStringList p;
  for (int n : {2, 3, 5, 7, 11, 13, 17, 19, 23, 29, 31, 37, 41, 43, 47, 53, 59, 61, 67, 71, 73, 79, 83, 89, 97})
    p << QString::number(n);
  return p;
}

class SearchWindowTest : public ProgramFixture {
protected:
  TSearchForm& S() { return *W().SearchForm; }
  TOptionsForm& O() { return *W().OptionsForm; }

  void Search(const QString& low, const QString& high) {
    S().LowInterval->setEditText(low);
    S().HighInterval->setEditText(high);
    Activate(&S());
    Click(S().GO);
  }
  QStringList Summary() { return Entries(S().ResumeListBox); }
  QStringList Captions() {
    QStringList c;
    for (int k = 0; k < 5; ++k) c << S().PageControl1->PageCaption(k);
    return c;
  }
  QList<bool> TabsShown() {
    QList<bool> v;
    for (int k = 0; k < 5; ++k) v << S().PageControl1->PageSelectorVisible(k);
    return v;
  }
  QList<bool> SaveBoxes() {
    return {S().IntroCheck->isChecked(), S().part1Check->isChecked(), S().CheckBox1->isChecked(),
            S().CheckBox2->isChecked(),  S().CheckBox3->isChecked(),  S().CheckBox4->isChecked()};
  }
  QStringList FilesIn(const QString& dir) {
    return QDir(dir).entryList(QDir::Files, QDir::Name);
  }
};

TEST_F(SearchWindowTest, DesignState) {
  EXPECT_EQ(S().windowTitle(), "Prime numbers Search Engine");
  // The design size, or more where the font at hand needs room.
  EXPECT_GE(S().width(), 566);
  EXPECT_EQ(S().height(), 372);
  EXPECT_EQ(S().LowInterval->currentText(), "2");
  EXPECT_EQ(S().HighInterval->currentText(), "100");
  for (QComboBox* f : {S().LowInterval, S().HighInterval}) {
    EXPECT_EQ(f->toolTip(), " < E18-1");
    EXPECT_EQ(f->lineEdit()->maxLength(), 18);
    EXPECT_EQ(f->count(), 0);
  }
  EXPECT_TRUE(S().GO->isDefault());
  EXPECT_EQ(S().GO->text(), "&Search");
  EXPECT_EQ(S().GO->toolTip(), "Click here in order to start searching...");
  EXPECT_EQ(S().BitBtn2->toolTip(), "Exit the Search engine");
  EXPECT_EQ(S().BitBtn4->toolTip(), "<<< Import the Tester's History into \"From\" field");
  EXPECT_EQ(S().BitBtn6->toolTip(), "<<< Import the Tester's History into \"To\" field");
  EXPECT_EQ(S().GroupBox1->title(), "  The research summary :   ");
  EXPECT_EQ(Captions(), (QStringList{"Part 1", "Part 2", "Part 3", "Part 4", "Part 5  "}));
  EXPECT_EQ(TabsShown(), (QList<bool>{false, false, false, false, false}));
  EXPECT_EQ(S().PartCount(), 0);
  EXPECT_EQ(SaveBoxes(), (QList<bool>{true, false, false, false, false, false}));
  EXPECT_EQ(S().CheckBox4->toolTip(), "Save the Part 5");
  EXPECT_EQ(S().SelLabel->text(), "No Selection");
  EXPECT_TRUE(S().HistorySorted());
}

TEST_F(SearchWindowTest, SearchTwoToHundred) {
  platform_.nowStepMs = 5000;
  O().SortCheckBox->setChecked(true);
  Search("2", "100");
  EXPECT_EQ(Entries(S().Report), Primes25() << "Created by Calvenna");
  for (int k = 1; k < 5; ++k) EXPECT_EQ(Count(S().ReportList(k)), 0);
  EXPECT_EQ(S().PartCount(), 1);
  EXPECT_EQ(Captions(), (QStringList{"Part 1/1", "Part 2/1", "Part 3/1", "Part 4/1", "Part 5/1"}));
  EXPECT_EQ(TabsShown(), (QList<bool>{true, false, false, false, false}));
  EXPECT_EQ(S().PageControl1->ActivePage(), 0);
  EXPECT_EQ(S().windowTitle(), "Search Engine:  2 < Prime < 100");
  EXPECT_EQ(Summary(), (QStringList{"Search date: 11/12/2026", "Start: 10:20:35", "End: 10:20:40",
                                    "Duration: 00:00:05", "", "From: 2", "To:    100", "", "The results are:",
                                    " Part 1:   2 - 97", "", " ==> 25 prime number(s) were found.", "",
                                    "The estimation was: ", "Legendre-Hadamard: ",
                                    " 19 prime number(s) to be found.", "", "There are 8 Twin Prime #s."}));
  EXPECT_EQ(SaveBoxes(), (QList<bool>{true, true, false, false, false, false}));
  EXPECT_EQ(ItemTexts(S().LowInterval), QStringList{"2"});
  EXPECT_EQ(ItemTexts(S().HighInterval), QStringList{"100"});
  EXPECT_EQ(platform_.busyDepth, 0);
  EXPECT_TRUE(platform_.shown.isEmpty());
  EXPECT_EQ(platform_.longWorkTitles.size(), 1);

  // The histories grow by every search, repeats included, sorted as chosen.
  Search("7", "7");
  Search("2", "100");
  EXPECT_EQ(ItemTexts(S().LowInterval), (QStringList{"2", "2", "7"}));
  EXPECT_EQ(ItemTexts(S().HighInterval), (QStringList{"100", "100", "7"}));
}

TEST_F(SearchWindowTest, BoundsCorrected) {
  struct Case {
    const char *low, *high, *lowShown, *highShown;
    QStringList primes;
  };
  const Case cases[] = {
      {"10", "5", "10", "11", {"11"}},
      {"-7", "-1", "2", "3", {"2", "3"}},
      {"1", "3", "2", "3", {"2", "3"}},
      {"7", "7", "7", "7", {"7"}},
      {"999999999999999999", "1000000000000000000", "999999999999999999", "1000000000000000000", {}},
  };
  for (const Case& c : cases) {
    Search(QString::fromLatin1(c.low), QString::fromLatin1(c.high));
    EXPECT_EQ(S().LowInterval->currentText(), c.lowShown) << c.low;
    // 10^18 has nineteen digits: written back whole, beyond the typing limit.
    EXPECT_EQ(S().HighInterval->currentText(), c.highShown) << c.low;
    QStringList expected = c.primes;
    if (!expected.isEmpty()) expected << "Created by Calvenna";
    EXPECT_EQ(Entries(S().Report), expected) << c.low;
  }
}

TEST_F(SearchWindowTest, NoPrimeFound) {
  Search("24", "28");
  EXPECT_EQ(S().PartCount(), 0);
  EXPECT_EQ(Captions(), (QStringList{"Part 1/0", "Part 2/0", "Part 3/0", "Part 4/0", "Part 5/0"}));
  EXPECT_EQ(Count(S().Report), 0);
  EXPECT_TRUE(Summary().contains(" ==> 0 prime number(s) were found."));
  EXPECT_FALSE(Summary().join("|").contains(" Part 1:"));

  // Saving writes nothing, not even the summary, and still says so.
  const QString name = TempPath(QStringLiteral("out/none.txt"));
  QDir().mkpath(TempPath(QStringLiteral("out")));
  platform_.saveAnswers.push_back(name);
  Click(S().BitBtn1);
  EXPECT_TRUE(FilesIn(TempPath(QStringLiteral("out"))).isEmpty());
  EXPECT_EQ(platform_.Texts(FakePlatform::Kind::Message), QStringList{kSaved});
}

TEST_F(SearchWindowTest, BadFieldsReportAndEmptyTheParts) {
  Search("2", "100");
  const QStringList summary = Summary();
  S().CheckBox1->setChecked(true);
  struct Case {
    const char *low, *high, *error;
  };
  const Case cases[] = {
      {"", "100", "'' is not a valid integer value."},
      {"2", "12a", "'12a' is not a valid integer value."},
      {"abc", "", "'abc' is not a valid integer value."},
      {"2", "1.5", "'1.5' is not a valid integer value."},
  };
  for (const Case& c : cases) {
    platform_.ClearRecords();
    Search(QString::fromLatin1(c.low), QString::fromLatin1(c.high));
    EXPECT_EQ(platform_.Texts(FakePlatform::Kind::Error), QStringList{QString::fromLatin1(c.error)});
    for (int k = 0; k < 5; ++k) EXPECT_EQ(Count(S().ReportList(k)), 0) << c.low;
    EXPECT_EQ(Summary(), summary);  // untouched
    EXPECT_EQ(S().SelLabel->text(), "No item selected");
    EXPECT_FALSE(S().CheckBox1->isChecked());
    EXPECT_EQ(S().windowTitle(), "Search Engine:  2 < Prime < 100");
    EXPECT_EQ(S().LowInterval->currentText(), c.low);  // the fields keep what was typed
    EXPECT_EQ(platform_.busyDepth, 0);
  }
  // Nothing left to save but what the boxes say of an empty result.
  EXPECT_EQ(S().PartCount(), 0);
}

TEST_F(SearchWindowTest, FivePartsAtTheLimit) {
  Search("2", "2300000");
  EXPECT_EQ(platform_.Texts(FakePlatform::Kind::Message), QStringList{kLimit});
  EXPECT_EQ(S().PartCount(), 5);
  for (int k = 0; k < 5; ++k) {
    EXPECT_EQ(Count(S().ReportList(k)), 32001) << k;
    EXPECT_EQ(Entry(S().ReportList(k), 32000), "Created by Calvenna");
  }
  EXPECT_EQ(Entry(S().Report, 0), "2");
  EXPECT_EQ(Entry(S().Report, 31999), "376127");  // the 32000th prime
  EXPECT_EQ(Entry(S().Report2, 0), "376133");   // the next one
  EXPECT_EQ(Entry(S().Report5, 31999), "2160553");  // the 160000th prime
  EXPECT_EQ(Captions(), (QStringList{"Part 1/5", "Part 2/5", "Part 3/5", "Part 4/5", "Part 5/5"}));
  EXPECT_EQ(TabsShown(), (QList<bool>{true, true, true, true, true}));
  EXPECT_EQ(SaveBoxes(), (QList<bool>{true, true, true, true, true, true}));
  const QStringList summary = Summary();
  EXPECT_TRUE(summary.contains("To:    2300000"));
  EXPECT_TRUE(summary.contains(" Part 2:   376133 - 800573")) << summary.join("|").toStdString();
  EXPECT_TRUE(summary.contains(" ==> 160000 prime number(s) were found."));

  // The entry display counts within the part.
  Select(S().Report2, 0);
  EXPECT_EQ(S().SelLabel->text(), "Item #: 1");
  EXPECT_EQ(S().ValEdit->text(), "376133");
}

TEST_F(SearchWindowTest, EntryDisplay) {
  Search("2", "100");
  Select(S().Report, 0);
  EXPECT_EQ(S().SelLabel->text(), "Item #: 1");
  EXPECT_EQ(S().ValEdit->text(), "2");
  QTest::mouseClick(S().Report->viewport(), Qt::LeftButton, {},
                    S().Report->visualRect(S().Report->model()->index(3, 0)).center());
  EXPECT_EQ(S().SelLabel->text(), "Item #: 4");
  EXPECT_EQ(S().ValEdit->text(), "7");
  Select(S().Report, 25);  // the signature line
  EXPECT_EQ(S().SelLabel->text(), "No item selected");
  EXPECT_EQ(S().ValEdit->text(), "");
}

TEST_F(SearchWindowTest, SavingTheResultFiles) {
  Search("2", "100");
  for (QCheckBox* b : {S().CheckBox1, S().CheckBox2, S().CheckBox3, S().CheckBox4}) b->setChecked(true);
  const QString name = TempPath(QStringLiteral("Prime numbers list from 2 To 100.txt"));
  platform_.saveAnswers.push_back(name);
  Click(S().BitBtn1);
  ASSERT_EQ(platform_.saveRequests.size(), 1);
  EXPECT_EQ(platform_.saveRequests[0].first, "Save the list of prime numbers into...");
  EXPECT_EQ(platform_.saveRequests[0].second, "Prime numbers list from 2 To 100");
  EXPECT_EQ(FilesIn(TempPath(QString())).filter(QStringLiteral("Prime numbers")),
            (QStringList{"Prime numbers list from 2 To 100.txt [Part 1].txt",
                         "Prime numbers list from 2 To 100.txt [Summary].txt"}));
  QFile part(name + " [Part 1].txt");
  ASSERT_TRUE(part.open(QIODevice::ReadOnly));
  EXPECT_EQ(QString::fromLatin1(part.readAll()), (Primes25() << "Created by Calvenna").join("\r\n") + "\r\n");
  QFile summary(name + " [Summary].txt");
  ASSERT_TRUE(summary.open(QIODevice::ReadOnly));
  EXPECT_EQ(QString::fromLatin1(summary.readAll()), Summary().join("\r\n") + "\r\n");
  EXPECT_EQ(platform_.Texts(FakePlatform::Kind::Message), QStringList{kSaved});

  // Cancelling writes and shows nothing; without "Show messages" no message.
  platform_.ClearRecords();
  Click(S().BitBtn1);
  EXPECT_TRUE(platform_.shown.isEmpty());
  O().Messages->setChecked(false);
  platform_.saveAnswers.push_back(TempPath(QStringLiteral("quiet")));
  Click(S().BitBtn1);
  EXPECT_TRUE(platform_.shown.isEmpty());
  EXPECT_TRUE(QFile::exists(TempPath(QStringLiteral("quiet.txt [Part 1].txt"))));  // the dialog added .txt

  // A file that cannot be written: the error report, no success message.
  platform_.saveAnswers.push_back(TempPath(QStringLiteral("missing/x")));
  O().Messages->setChecked(true);
  Click(S().BitBtn1);
  ASSERT_EQ(platform_.Texts(FakePlatform::Kind::Error).size(), 1);
  EXPECT_TRUE(platform_.Texts(FakePlatform::Kind::Error)[0].startsWith("Cannot create file"));
  EXPECT_TRUE(platform_.Texts(FakePlatform::Kind::Message).isEmpty());
  EXPECT_EQ(platform_.busyDepth, 0);
}

TEST_F(SearchWindowTest, CancelledSearchKeepsThePreviousReport) {
  Search("2", "100");
  const QStringList summary = Summary();
  platform_.cancelNextWork = true;
  Search("1000", "5000");
  EXPECT_EQ(Entries(S().Report), Primes25() << "Created by Calvenna");
  EXPECT_EQ(Summary(), summary);
  EXPECT_EQ(S().windowTitle(), "Search Engine:  2 < Prime < 100");
  EXPECT_EQ(S().LowBound(), 2);
  EXPECT_EQ(S().HighBound(), 100);
  EXPECT_EQ(ItemTexts(S().LowInterval), QStringList{"2"});
  EXPECT_TRUE(platform_.shown.isEmpty());
  EXPECT_EQ(platform_.busyDepth, 0);
}

TEST_F(SearchWindowTest, TwinCountOptionAndLowMemory) {
  O().CTPNCheck->setChecked(false);
  Search("2", "100");
  EXPECT_FALSE(Summary().join("|").contains("Twin"));

  // A machine short of memory: the message, the option switched off, the count 0.
  O().CTPNCheck->setChecked(true);
  S().TwinMemoryLimit = 8;
  Search("2", "100");
  ASSERT_EQ(platform_.Texts(FakePlatform::Kind::Message).size(), 1);
  EXPECT_EQ(platform_.Texts(FakePlatform::Kind::Message)[0],
            "The Twin prime numbers' counter cannot proceed because of low free memory on your computer.\r\n"
            "This feature will be disabled now for more security. But you can activate it again whenever you "
            "want from the Options dialog box.");
  EXPECT_FALSE(O().CTPNCheck->isChecked());
  EXPECT_EQ(Summary().last(), "There are 0 Twin Prime #s.");
  platform_.ClearRecords();
  Search("2", "100");
  EXPECT_TRUE(platform_.shown.isEmpty());
  EXPECT_FALSE(Summary().join("|").contains("Twin"));
}

TEST_F(SearchWindowTest, LiveEstimateAndHint) {
  S().LowInterval->lineEdit()->clear();
  S().HighInterval->lineEdit()->clear();
  Activate(&S());
  const auto typeAtTheEnd = [this](QWidget* field, const QString& text) {
    Click(field);
    Press(Qt::Key_End);
    if (text.isEmpty()) Press(Qt::Key_Backspace);
    else Type(text);
  };
  typeAtTheEnd(S().LowInterval, "2");
  typeAtTheEnd(S().HighInterval, "100");
  EXPECT_EQ(Summary(), (QStringList{"", "The estimation is :", "=>Legendre-Hadamard: 19", " ...prime #s will be found."}));
  typeAtTheEnd(S().LowInterval, "");
  Type("1");
  EXPECT_EQ(Summary()[2], "=>Legendre-Hadamard: 0");  // ln 1 = 0
  Type("x");
  EXPECT_EQ(Summary(), (QStringList{"", "The estimation is :", "The estimations cannot be done."}));

  // The estimate replaces a search's summary, and the save writes it.
  Search("2", "100");
  typeAtTheEnd(S().HighInterval, "");
  EXPECT_EQ(Summary()[2], "=>Legendre-Hadamard: 1");  // 2 .. 10
  const QString name = TempPath(QStringLiteral("est"));
  platform_.saveAnswers.push_back(name);
  Click(S().BitBtn1);
  QFile summary(name + ".txt [Summary].txt");
  ASSERT_TRUE(summary.open(QIODevice::ReadOnly));
  EXPECT_EQ(QString::fromLatin1(summary.readAll()), Summary().join("\r\n") + "\r\n");

  // With "Estimations" off, typing leaves the summary alone.
  O().LHCheck->setChecked(false);
  const QStringList before = Summary();
  typeAtTheEnd(S().HighInterval, "0");
  EXPECT_EQ(Summary(), before);

  S().GOMouseMove();
  EXPECT_EQ(S().GO->toolTip(), "Start searching all prime numbers \r\nbetween 2 and 100");
  S().HighInterval->setEditText(QString());
  S().GOMouseMove();
  EXPECT_EQ(S().GO->toolTip(), "The both fields are empty, so the search is not possible...");
}

TEST_F(SearchWindowTest, HistoriesFilterAndSorting) {
  for (const char* n : {"97", "12345678901234567890123", "5"}) W().MainForm->AddNumberHistory(QString::fromLatin1(n));
  const QStringList tester = ItemTexts(W().MainForm->NumberEdit);
  S().FormActivate();  // "Sort the History" off: the lists keep their order
  EXPECT_FALSE(S().HistorySorted());
  Activate(&S());
  Click(S().BitBtn4);
  Click(S().BitBtn4);
  EXPECT_EQ(ItemTexts(S().LowInterval), tester + tester);
  Click(S().BitBtn6);
  EXPECT_EQ(ItemTexts(S().HighInterval), tester);
  // An entry longer than the typing limit is taken whole when chosen.
  const int longOne = tester.indexOf("12345678901234567890123");
  Pick(S().HighInterval, longOne);
  EXPECT_EQ(S().HighInterval->currentText(), "12345678901234567890123");

  Click(S().BitBtn3);
  EXPECT_EQ(S().LowInterval->count(), 0);
  EXPECT_EQ(S().LowInterval->currentText(), "2");

  O().SortCheckBox->setChecked(true);
  S().HighInterval->addItem(QStringLiteral("100"));
  S().FormActivate();
  QStringList sorted = ItemTexts(S().HighInterval);
  EXPECT_EQ(sorted.first(), "100");

  // The digit filter: a letter empties the field and its history, a keypad
  // digit does not.
  O().FilterCheckBox->setChecked(true);
  Click(S().HighInterval);
  Press(Qt::Key_5, Qt::KeypadModifier);
  EXPECT_EQ(S().HighInterval->count(), 4);
  Press(Qt::Key_A);
  EXPECT_EQ(S().HighInterval->count(), 0);
  EXPECT_EQ(S().HighInterval->currentText(), "");
  O().FilterCheckBox->setChecked(false);
  Click(S().BitBtn4);
  Click(S().LowInterval);
  Press(Qt::Key_A);
  EXPECT_EQ(S().LowInterval->count(), 3);
}

TEST_F(SearchWindowTest, PageStyleFromStoreAndRadioButtons) {
  EXPECT_TRUE(S().PageStyleTabs());
  Store(QStringLiteral("SETabApp"), 0);
  Restart();
  EXPECT_TRUE(O().BtnRadioButton->isChecked());
  EXPECT_FALSE(S().PageStyleTabs());
  Search("2", "2300000");
  S().show();
  QToolButton* part2 = S().PageControl1->Button(1);
  EXPECT_TRUE(part2->isVisible());
  EXPECT_FALSE(S().PageControl1->TabBar()->isVisible());
  EXPECT_TRUE(part2->autoRaise());
  Click(part2);
  EXPECT_EQ(S().PageControl1->ActivePage(), 1);

  // The style is chosen on the options' tool settings page.
  Activate(&O());
  QTabBar* optionPages = O().PageControl1->tabBar();
  Click(optionPages, optionPages->tabRect(O().PageControl1->indexOf(O().TabSheet3)).center());
  ASSERT_EQ(O().PageControl1->currentWidget(), O().TabSheet3);
  // On its round mark: the wide button takes clicks only on mark and text.
  const auto onTheMark = [](QWidget* radio) { return QPoint(radio->height() / 2, radio->height() / 2); };
  Click(O().TabsRadioButton, onTheMark(O().TabsRadioButton));
  EXPECT_TRUE(S().PageStyleTabs());
  EXPECT_TRUE(S().PageControl1->TabBar()->isVisible());
  EXPECT_FALSE(part2->isVisible());
  S().PageControl1->TabBar()->setCurrentIndex(3);
  EXPECT_EQ(S().PageControl1->ActivePage(), 3);
  Click(O().BtnRadioButton, onTheMark(O().BtnRadioButton));
  EXPECT_FALSE(S().PageStyleTabs());
  EXPECT_TRUE(part2->isVisible());
  S().hide();
}

TEST_F(SearchWindowTest, OpenedModallyByTheMenu) {
  bool shown = false;
  platform_.onModal = [&](QDialog& dialog) {
    shown = &dialog == &S() && S().isVisible();
    Click(S().BitBtn2);
  };
  Activate(W().MainForm);
  Click(W().MainForm->NumberEdit);
  Press(Qt::Key_E, Qt::ControlModifier);
  EXPECT_TRUE(shown);
  EXPECT_EQ(platform_.modalShown, QStringList{"SearchForm"});
  EXPECT_FALSE(S().isVisible());
  EXPECT_EQ(W().MainForm->Searchengine1->shortcut(), QKeySequence(QStringLiteral("Ctrl+E")));
}

}  // namespace
