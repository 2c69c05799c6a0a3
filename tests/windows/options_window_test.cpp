#include <QCheckBox>
#include <QEvent>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

#include "ProgramFixture.h"
#include "windows/OptionsUnit.h"
#include "windows/SearchUnit.h"

namespace {

// The sixteen options with their design defaults, as stored.
const QList<QPair<QString, QString>> kDefaults = {
    {"PrimeList", "1"},  {"NotPrimeList", "1"}, {"Message1", "This is a prime number"},
    {"Message2", "This is composite"}, {"Sep", "0"}, {"Warn", "1"}, {"Filter", "0"}, {"Sort", "0"},
    {"AutoImport", "0"}, {"History", "1"}, {"AddToHistory", "1"}, {"AutoExpand", "0"},
    {"Messages", "1"},   {"SETabApp", "1"}, {"LH", "1"}, {"CTPN", "1"},
};

QStringList FileLines(const QString& path) {
  QFile f(path);
  if (!f.open(QIODevice::ReadOnly)) return {"<missing>"};
  const QString all = QString::fromUtf8(f.readAll());
  if (!all.endsWith("\r\n")) return {"<no CR LF at the end>"};
  return all.chopped(2).split("\r\n");
}

class OptionsWindowTest : public ProgramFixture {
protected:
  TOptionsForm& O() { return *W().OptionsForm; }
  void Push(QPushButton* button) {
    Activate(&O());
    Click(button);
  }
  // A click on the tab of the page that holds the control.
  void OpenPageOf(QWidget* control) {
    Activate(&O());
    QTabWidget* pages = O().PageControl1;
    for (int i = 0; i < pages->count(); ++i)
      if (pages->widget(i)->isAncestorOf(control)) Click(pages->tabBar(), pages->tabBar()->tabRect(i).center());
    ASSERT_TRUE(pages->currentWidget()->isAncestorOf(control));
  }
  void MoveMouseOver(QListWidget* list) {
    QMouseEvent move(QEvent::MouseMove, QPointF(5, 5), list->viewport()->mapToGlobal(QPointF(5, 5)), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(list->viewport(), &move);
  }
};

TEST_F(OptionsWindowTest, DesignStateOfThePages) {
  EXPECT_EQ(O().windowTitle(), "Options");
  ASSERT_EQ(O().PageControl1->count(), 3);
  EXPECT_EQ(O().PageControl1->tabText(0), "History");
  EXPECT_EQ(O().PageControl1->tabText(1), "Notebook");
  EXPECT_EQ(O().PageControl1->tabText(2), "Tools settings");
  EXPECT_EQ(O().findChild<QPushButton*>("BitBtn5")->text(), "&OK");
  EXPECT_TRUE(O().BitBtn5->isDefault());
  EXPECT_EQ(O().findChild<QPushButton*>("BitBtn6")->text(), "&Close");
  EXPECT_EQ(O().findChild<QLineEdit*>("LabeledEdit1")->text(), "This is a prime number");
  EXPECT_EQ(O().LabeledEdit1->toolTip(), "Please no more han 40 characers");
  EXPECT_EQ(O().LabeledEdit1->maxLength(), 40);
  EXPECT_EQ(O().LabeledEdit1Label->text(), "if a prime number is found...");
  EXPECT_EQ(O().LabeledEdit2Label->text(), "if not...");
  struct Box {
    const char* name;
    const char* caption;
    bool ticked;
  };
  const Box boxes[] = {
      {"PremiersCheckBox", "Prime numbers list :", true}, {"NonPremiersCheckBox", "Composite numbers list :", true},
      {"SepareResult", "Auto-separate results", false},   {"WarnExit", "Notify me before exit the program", true},
      {"AutoImport", "Auto import from the Tester", false}, {"HistoryList", "History enabled", true},
      {"AddToHisCheckBox", "Add found prime to History", true}, {"AutoExpand", "Auto expand list", false},
      {"Messages", "Show messages", true},               {"LHCheck", "Estimations", true},
      {"CTPNCheck", "Count Twin prime #s", true},        {"FilterCheckBox", "Digit filter", false},
      {"SortCheckBox", "Sort the History", false},       {"RefBox", "Auto-refresh", true},
      {"CheckBox1", "Edition mode", false},
  };
  for (const Box& b : boxes) {
    auto* c = O().findChild<QCheckBox*>(b.name);
    ASSERT_NE(c, nullptr) << b.name;
    EXPECT_EQ(c->text(), b.caption) << b.name;
    EXPECT_EQ(c->isChecked(), b.ticked) << b.name;
  }
  EXPECT_TRUE(O().findChild<QRadioButton*>("TabsRadioButton")->isChecked());
  EXPECT_FALSE(O().findChild<QRadioButton*>("BtnRadioButton")->isChecked());
  EXPECT_TRUE(W().SearchForm->PageStyleTabs());
  struct Hint {
    const char* name;
    const char* hint;
    bool enabled;
  };
  const Hint hints[] = {
      {"BitBtn1", "Save the Prime list into a file", false}, {"BitBtn2", "Clear the Prime list", true},
      {"PrintPBtn", "Print the Prime #s' list", true},       {"BitBtn3", "Save the composites  list into a file", false},
      {"BitBtn4", "Clear the composites list", true},        {"PrintNPBtn", "Print the composites #s' list", true},
      {"NoteSave", "Save the notebook contents above", true}, {"NoteErase", "Clear all the notebook", true},
  };
  for (const Hint& h : hints) {
    auto* b = O().findChild<QPushButton*>(h.name);
    ASSERT_NE(b, nullptr) << h.name;
    EXPECT_EQ(b->toolTip(), h.hint) << h.name;
    EXPECT_EQ(b->isEnabled(), h.enabled) << h.name;
  }
  // The notebook starts read-only, as its unticked "Edition mode" says.
  EXPECT_TRUE(O().NoteEdit->isReadOnly());
  EXPECT_TRUE(platform_.shown.isEmpty());
}

TEST_F(OptionsWindowTest, FirstOkStoresTheSixteenOptions) {
  Push(O().BitBtn5);
  QStringList names;
  for (const auto& [name, value] : kDefaults) {
    names << name;
    EXPECT_EQ(Stored(name).toString(), value) << name.toStdString();
  }
  names.sort();
  EXPECT_EQ(StoredNames(), names);
}

TEST_F(OptionsWindowTest, OkPutsEmptyVerdictsBackToTheirDefaults) {
  O().LabeledEdit1->clear();
  O().LabeledEdit2->setText("Not this time");
  Push(O().BitBtn5);
  EXPECT_EQ(O().PrimeVerdict(), "This is a prime number");
  EXPECT_EQ(Stored("Message1").toString(), "This is a prime number");
  EXPECT_EQ(Stored("Message2").toString(), "Not this time");
  O().LabeledEdit1->setText("P");
  O().LabeledEdit2->clear();
  Push(O().BitBtn5);
  EXPECT_EQ(Stored("Message1").toString(), "P");
  EXPECT_EQ(Stored("Message2").toString(), "This is composite");
}

TEST_F(OptionsWindowTest, StoredOptionsComeBackAtTheNextStart) {
  O().PremiersCheckBox->setChecked(false);
  O().BtnRadioButton->setChecked(true);
  EXPECT_FALSE(W().SearchForm->PageStyleTabs());
  O().SortCheckBox->setChecked(true);
  O().LabeledEdit2->setText("Composite, sorry");
  Push(O().BitBtn5);
  EXPECT_EQ(Stored("SETabApp").toString(), "0");

  Restart();
  EXPECT_FALSE(O().PremiersCheckBox->isChecked());
  for (QWidget* w : {static_cast<QWidget*>(O().Memo1), static_cast<QWidget*>(O().BitBtn1),
                     static_cast<QWidget*>(O().BitBtn2), static_cast<QWidget*>(O().PrintPBtn)})
    EXPECT_FALSE(w->isEnabled()) << w->objectName().toStdString();
  EXPECT_TRUE(O().Memo2->isEnabled());
  EXPECT_TRUE(O().BtnRadioButton->isChecked());
  EXPECT_FALSE(O().TabsRadioButton->isChecked());
  EXPECT_FALSE(W().SearchForm->PageStyleTabs());
  EXPECT_TRUE(O().SortCheckBox->isChecked());
  EXPECT_EQ(O().CompositeVerdict(), "Composite, sorry");

  O().TabsRadioButton->setChecked(true);
  EXPECT_TRUE(W().SearchForm->PageStyleTabs());
}

TEST_F(OptionsWindowTest, CloseKeepsChangesForTheRunOnly) {
  Push(O().BitBtn5);
  O().FilterCheckBox->setChecked(true);
  O().LabeledEdit1->setText("Prime!");
  platform_.onModal = [this](QDialog&) { Click(O().BitBtn6); };
  O().ShowPage(2);
  EXPECT_EQ(platform_.modalShown, QStringList{"OptionsForm"});
  EXPECT_EQ(O().PageControl1->currentIndex(), 2);
  EXPECT_FALSE(O().isVisible());
  EXPECT_TRUE(O().FilterCheckBox->isChecked());
  EXPECT_EQ(O().PrimeVerdict(), "Prime!");
  EXPECT_EQ(Stored("Filter").toString(), "0");

  Restart();
  EXPECT_FALSE(O().FilterCheckBox->isChecked());
  EXPECT_EQ(O().PrimeVerdict(), "This is a prime number");
}

TEST_F(OptionsWindowTest, ALongerStoredVerdictIsShownWholeButTypingStaysLimited) {
  const QString longText(55, 'x');
  Store("Message1", longText);
  Restart();
  EXPECT_EQ(O().PrimeVerdict(), longText);
  // The user may shorten it but not lengthen it again.
  OpenPageOf(O().LabeledEdit1);
  Click(O().LabeledEdit1);
  Press(Qt::Key_End);
  Press(Qt::Key_Backspace);
  Type("yy");
  EXPECT_EQ(O().PrimeVerdict(), QString(54, 'x'));
  Press(Qt::Key_A, Qt::ControlModifier);
  Type(QString(45, 'z'));
  EXPECT_EQ(O().PrimeVerdict(), QString(40, 'z'));
}

TEST_F(OptionsWindowTest, WrongTypedStoredOptionIsReportedAndLeavesTheDefault) {
  Store("Warn", "perhaps");
  Store("Sep", 1);
  Restart();
  EXPECT_TRUE(O().WarnExit->isChecked());
  EXPECT_TRUE(O().SepareResult->isChecked());
  const QStringList errors = platform_.Texts(FakePlatform::Kind::Error);
  ASSERT_EQ(errors.size(), 1);
  EXPECT_TRUE(errors[0].contains("Warn")) << errors[0].toStdString();
}

TEST_F(OptionsWindowTest, SavingTheListTwiceWritesBothTrailers) {
  O().AddPrime("97");
  O().AddPrime("13");
  const QString first = TempPath("primes one");
  platform_.saveAnswers = {first};
  Push(O().BitBtn1);
  ASSERT_EQ(platform_.saveRequests.size(), 1);
  EXPECT_EQ(platform_.saveRequests[0].first, "Save the found prime numbers...");
  EXPECT_EQ(platform_.saveRequests[0].second, "prime numbers");
  EXPECT_EQ(FileLines(first + ".txt"), QStringList({"97", "13", "Created with Calvenna!"}));

  O().AddPrime("7");
  const QString second = TempPath("primes two.txt");
  platform_.saveAnswers = {second};
  Push(O().BitBtn1);
  EXPECT_EQ(FileLines(second),
            QStringList({"97", "13", "Created with Calvenna!", "7", "Created with Calvenna!"}));
  EXPECT_TRUE(platform_.Texts(FakePlatform::Kind::Error).isEmpty());
}

TEST_F(OptionsWindowTest, CompositeListSavesUnderItsOwnTitleAndCancelKeepsTheTrailer) {
  O().AddComposite("91");
  Push(O().BitBtn3);  // the dialog is cancelled
  ASSERT_EQ(platform_.saveRequests.size(), 1);
  EXPECT_EQ(platform_.saveRequests[0].first, "Save the found numbers...");
  EXPECT_EQ(platform_.saveRequests[0].second, "not prime numbers");
  EXPECT_EQ(O().Composites(), QStringList({"91", "Created with Calvenna!"}));
}

TEST_F(OptionsWindowTest, AFailedSaveIsReportedAndLeavesNoFile) {
  O().AddPrime("97");
  const QString path = TempPath("no such folder/primes.txt");
  platform_.saveAnswers = {path};
  Push(O().BitBtn1);
  EXPECT_FALSE(QFile::exists(path));
  const QStringList errors = platform_.Texts(FakePlatform::Kind::Error);
  ASSERT_EQ(errors.size(), 1);
  EXPECT_TRUE(errors[0].startsWith("Cannot create file")) << errors[0].toStdString();
  EXPECT_EQ(O().Primes().last(), "Created with Calvenna!");

  // An existing file is replaced whole, never left half-written.
  const QString existing = TempPath("old.txt");
  {
    QFile f(existing);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(QByteArray(5000, 'o'));
  }
  platform_.saveAnswers = {existing};
  Push(O().BitBtn1);
  EXPECT_EQ(FileLines(existing), QStringList({"97", "Created with Calvenna!", "Created with Calvenna!"}));
}

TEST_F(OptionsWindowTest, AnEmptyListCannotBePrinted) {
  Push(O().PrintPBtn);
  Push(O().PrintNPBtn);
  EXPECT_EQ(platform_.Texts(FakePlatform::Kind::Message),
            QStringList(2, "The list is empty now, so you cannot print !"));
  EXPECT_TRUE(platform_.printed.isEmpty());
  EXPECT_EQ(platform_.busyCount, 0);
}

TEST_F(OptionsWindowTest, PrintingDrawsEveryItemInsideTheMargins) {
  O().AddComposite("91");
  O().AddComposite("1001");
  platform_.pageSize = QSize(4800, 6800);
  Push(O().PrintNPBtn);
  ASSERT_EQ(platform_.printed.size(), 1);
  const FakePlatform::Printed& job = platform_.printed[0];
  EXPECT_TRUE(job.ended);
  ASSERT_EQ(job.texts.size(), 1);
  EXPECT_EQ(job.texts[0].first, QRect(QPoint(100, 100), QPoint(4699, 6699)));
  EXPECT_EQ(job.texts[0].second, "91\r\n1001\r\n");
  EXPECT_EQ(platform_.busyCount, 1);
  EXPECT_EQ(platform_.busyDepth, 0);

  // The save button of an empty list is greyed out: a click adds nothing.
  Activate(&O());
  EXPECT_FALSE(O().BitBtn1->isEnabled());
  Click(O().BitBtn1);
  EXPECT_TRUE(O().Primes().isEmpty());
  EXPECT_TRUE(platform_.saveRequests.isEmpty());
  // A list holding only the trailer is not empty.
  O().AddPrime(QStringLiteral("Created with Calvenna!"));
  Click(O().PrintPBtn);
  ASSERT_EQ(platform_.printed.size(), 2);
  EXPECT_EQ(platform_.printed[1].texts[0].second, "Created with Calvenna!\r\n");

  platform_.printerAvailable = false;
  Push(O().PrintPBtn);
  EXPECT_EQ(platform_.Texts(FakePlatform::Kind::Error).size(), 1);
  EXPECT_EQ(platform_.busyDepth, 0);
}

TEST_F(OptionsWindowTest, ListsKeepTheirTextsOnceAndFollowTheirBoxes) {
  EXPECT_TRUE(O().AddPrime("abc13"));
  EXPECT_FALSE(O().AddPrime("ABC13"));
  EXPECT_TRUE(O().AddPrime("0013"));
  EXPECT_EQ(O().Primes(), QStringList({"abc13", "0013"}));
  // The save button follows the list's contents.
  EXPECT_TRUE(O().BitBtn1->isEnabled());
  Push(O().BitBtn2);
  EXPECT_TRUE(O().Primes().isEmpty());
  EXPECT_FALSE(O().BitBtn1->isEnabled());

  O().NonPremiersCheckBox->setChecked(false);
  for (QWidget* w : {static_cast<QWidget*>(O().Memo2), static_cast<QWidget*>(O().BitBtn3),
                     static_cast<QWidget*>(O().BitBtn4), static_cast<QWidget*>(O().PrintNPBtn)})
    EXPECT_FALSE(w->isEnabled()) << w->objectName().toStdString();
  O().AddComposite("91");  // a disabled list keeps its save button disabled
  EXPECT_FALSE(O().BitBtn3->isEnabled());
  O().NonPremiersCheckBox->setChecked(true);
  EXPECT_TRUE(O().BitBtn3->isEnabled());
  Push(O().BitBtn4);
  O().NonPremiersCheckBox->setChecked(false);
  O().NonPremiersCheckBox->setChecked(true);
  EXPECT_TRUE(O().BitBtn3->isEnabled());
  MoveMouseOver(O().Memo2);
  EXPECT_FALSE(O().BitBtn3->isEnabled());
}

TEST_F(OptionsWindowTest, NotebookEditionModeEraseAndSave) {
  O().AppendNotebook({"Date & time: x", "Tested Number: 97", "Comments: ", ""});
  EXPECT_EQ(O().NoteEdit->toPlainText(), "Date & time: x\nTested Number: 97\nComments: \n");
  O().CheckBox1->setChecked(true);
  EXPECT_FALSE(O().NoteEdit->isReadOnly());
  O().CheckBox1->setChecked(false);
  EXPECT_TRUE(O().NoteEdit->isReadOnly());

  // Its buttons are on the notebook's page: a click on that tab first.
  Activate(&O());
  QTabBar* tabs = O().PageControl1->tabBar();
  Click(tabs, tabs->tabRect(O().PageControl1->indexOf(O().TabSheet2)).center());
  ASSERT_EQ(O().PageControl1->currentWidget(), O().TabSheet2);
  const QString path = TempPath("notes");
  platform_.saveAnswers = {path};
  Push(O().NoteSave);
  EXPECT_EQ(FileLines(path + ".txt"), QStringList({"Date & time: x", "Tested Number: 97", "Comments: ", ""}));

  Push(O().NoteErase);
  EXPECT_TRUE(O().NoteEdit->toPlainText().isEmpty());
}

}  // namespace
