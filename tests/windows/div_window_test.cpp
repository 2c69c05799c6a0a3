// The divisor finder window through its widgets, over a FakePlatform.
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

#include "ProgramFixture.h"
#include "windows/DivUnit.h"
#include "windows/MainUnit.h"
#include "windows/OptionsUnit.h"
#include "windows/WidgetHelpers.h"

namespace {

const QString kPrimeLine = QStringLiteral("We\"ve found a prime number !");
const QString kLoadTitle = QStringLiteral("Load dividers\" list from...");

// Each entry as "text/image", children after their parent with a TAB.
QStringList Shown(const QTreeWidget* tree) {
  QStringList out;
  for (int i = 0; i < tree->topLevelItemCount(); ++i) {
    const QTreeWidgetItem* item = tree->topLevelItem(i);
    out << item->text(0) + "/" + QString::number(TDivForm::ImageOf(item));
    for (int j = 0; j < item->childCount(); ++j)
      out << "\t" + item->child(j)->text(0) + "/" + QString::number(TDivForm::ImageOf(item->child(j)));
  }
  return out;
}

QByteArray Read(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}

void Write(const QString& path, const QByteArray& content) {
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write(content);
}

class DivWindowTest : public ProgramFixture {
protected:
  TDivForm& D() { return *W().DivForm; }
  TOptionsForm& O() { return *W().OptionsForm; }

  // The field's text replaced by typing, as a person enters a number.
  void Enter(const QString& text) {
    Activate(&D());
    Click(D().ComboBox1);
    Press(Qt::Key_A, Qt::ControlModifier);
    if (text.isEmpty()) Press(Qt::Key_Backspace);
    else Type(text);
  }
  void Find(const QString& text) {
    Enter(text);
    Click(D().FindButton);
  }
  // The tree's entry under the mouse: a left click selects it, a right
  // click opens the list's menu, C chooses its copy command.
  void CopyFromTree(QTreeWidgetItem* item) {
    QWidget* view = D().DividersTree->viewport();
    const QPoint at = item ? D().DividersTree->visualItemRect(item).center() : QPoint(view->width() / 2, view->height() - 2);
    if (item) Click(view, at);
    RightClick(view, at);
    ASSERT_EQ(QApplication::activePopupWidget(), D().ListPopupMenu);
    Press(Qt::Key_C);
  }
  QColor LineColour() { return D().Label2->palette().color(QPalette::WindowText); }
};

TEST_F(DivWindowTest, DesignState) {
  EXPECT_EQ(D().windowTitle(), "All dividers...");
  EXPECT_EQ(D().size(), QSize(218, 250));
  EXPECT_EQ(D().minimumSize(), QSize(218, 215));
  EXPECT_EQ(D().ComboBox1->toolTip(), " < e19");
  EXPECT_EQ(D().ComboBox1->lineEdit()->maxLength(), 18);
  EXPECT_EQ(D().FindButton->text(), "Find");
  EXPECT_EQ(D().FindButton->toolTip(), "Find all dividers");
  EXPECT_EQ(D().DividersTree->indentation(), 19);
  EXPECT_EQ(D().BitBtn1->toolTip(), "Erase current tool's History");
  EXPECT_EQ(D().ImportButton->toolTip(), "Import the Tester's History");
  EXPECT_EQ(D().BitBtn2->toolTip(), "Save the current list into a file");
  EXPECT_EQ(D().BitBtn6->toolTip(), "Load a list from a saved file");
  EXPECT_EQ(D().ExpandButton->toolTip(), "Expand the list");
  EXPECT_EQ(D().BitBtn5->toolTip(), "Summary");
  EXPECT_EQ(D().Copyfactor1->text(), "&Copy the selected factor");
  EXPECT_FALSE(D().HistorySorted());
}

TEST_F(DivWindowTest, PrimeNinetySeven) {
  Find("97");
  EXPECT_EQ(D().DividersTree->topLevelItemCount(), 0);
  EXPECT_EQ(D().Label2->text(), kPrimeLine);
  EXPECT_EQ(LineColour(), QColor(Qt::red));
  EXPECT_EQ(platform_.beeps, 1);
  EXPECT_EQ(platform_.Texts(FakePlatform::Kind::Message), QStringList{"The number: \"97\" is Prime !"});
  EXPECT_EQ(O().Primes(), QStringList{"97"});
  Find("97");
  EXPECT_EQ(O().Primes(), QStringList{"97"});  // once
  EXPECT_EQ(platform_.beeps, 2);
  EXPECT_EQ(ItemTexts(D().ComboBox1), (QStringList{"97", "97"}));

  // The options that govern the message, the list and the history.
  platform_.ClearRecords();
  O().Messages->setChecked(false);
  O().AddToHisCheckBox->setChecked(false);
  O().HistoryList->setChecked(false);
  Find("13");
  EXPECT_EQ(platform_.beeps, 1);
  EXPECT_TRUE(platform_.shown.isEmpty());
  EXPECT_EQ(O().Primes(), QStringList{"97"});
  EXPECT_EQ(D().ComboBox1->count(), 2);
}

TEST_F(DivWindowTest, TreesOfComposites) {
  struct Case {
    const char* number;
    const char* field;
    QStringList tree;
    const char* line;
  };
  const Case cases[] = {
      {"100", "100", {"2/-1", "\t50/1", "4/-1", "\t25/1", "5/-1", "\t20/1", "10 (Square root)/0"},
       "We\"ve found 7 dividers"},
      {"6", "6", {"2/-1", "\t3/1"}, "We\"ve found 2 dividers"},
      {"4", "4", {"2 (Square root)/0"}, "We\"ve found 1 dividers"},
      {"12.7", "12.7", {"2/-1", "\t6/1", "3/-1", "\t4/1"}, "We\"ve found 4 dividers"},
  };
  for (const Case& c : cases) {
    Find(QString::fromLatin1(c.number));
    EXPECT_EQ(Shown(D().DividersTree), c.tree) << c.number;
    EXPECT_EQ(D().ComboBox1->currentText(), c.field);
    EXPECT_EQ(D().Label2->text(), c.line);
    EXPECT_EQ(LineColour(), QColor(Qt::black));
  }
  EXPECT_EQ(platform_.beeps, 0);
  EXPECT_TRUE(platform_.shown.isEmpty());
  EXPECT_TRUE(O().Primes().isEmpty());
  EXPECT_EQ(platform_.busyDepth, 0);
}

TEST_F(DivWindowTest, CappedAndRoundedNumbers) {
  Find("1e19");
  EXPECT_EQ(D().ComboBox1->currentText(), "1E18");
  EXPECT_EQ(D().Label2->text(), "We\"ve found 359 dividers");
  EXPECT_EQ(D().DividersTree->topLevelItem(0)->text(0), "2");
  EXPECT_EQ(D().DividersTree->topLevelItem(0)->child(0)->text(0), "5E17");
  // Sixteen digits: the field shows fifteen, nineteen characters beyond the
  // typing limit; the search runs on the exact value (a prime).
  Find("1000000000000037");
  EXPECT_EQ(D().ComboBox1->currentText(), "1.00000000000004E15");
  EXPECT_EQ(D().Label2->text(), kPrimeLine);
  EXPECT_EQ(O().Primes(), QStringList{"1000000000000037"});
}

TEST_F(DivWindowTest, NotANumberChangesNothing) {
  Find("100");
  const QStringList tree = Shown(D().DividersTree);
  for (const char* text : {"", "abc", "12a"}) {
    platform_.ClearRecords();
    Enter(QString::fromLatin1(text));
    if (*text == '\0') {
      // An empty field greys the button out; Enter in the field still asks.
      EXPECT_FALSE(D().FindButton->isEnabled());
      Click(D().FindButton);
      EXPECT_TRUE(platform_.shown.isEmpty());
      Press(Qt::Key_Return);
    } else {
      Click(D().FindButton);
    }
    EXPECT_EQ(platform_.Texts(FakePlatform::Kind::Error),
              QStringList{"'" + QString::fromLatin1(text) + "' is not a valid floating point value."});
    EXPECT_EQ(Shown(D().DividersTree), tree);
    EXPECT_EQ(D().Label2->text(), "We\"ve found 7 dividers");
    EXPECT_EQ(ItemTexts(D().ComboBox1), QStringList{"100"});
    EXPECT_EQ(platform_.busyCount, 0);
  }
}

TEST_F(DivWindowTest, NumbersBelowTwoAreNoPrimes) {
  for (const char* text : {"1", "0", "-5", "1.5"}) {
    Find("100");
    platform_.ClearRecords();
    Find(QString::fromLatin1(text));
    EXPECT_EQ(D().DividersTree->topLevelItemCount(), 0) << text;
    EXPECT_EQ(D().Label2->text(), "Numbers below 2 have no dividers to list !");
    EXPECT_EQ(LineColour(), QColor(Qt::black));
    EXPECT_EQ(platform_.beeps, 0);
    EXPECT_TRUE(platform_.shown.isEmpty());
  }
  EXPECT_TRUE(O().Primes().isEmpty());
  Find("2");
  EXPECT_EQ(D().Label2->text(), kPrimeLine);
}

TEST_F(DivWindowTest, TreeCommands) {
  Find("100");
  Click(D().ExpandButton);
  EXPECT_TRUE(D().DividersTree->topLevelItem(0)->isExpanded());
  Click(D().BitBtn5);
  EXPECT_FALSE(D().DividersTree->topLevelItem(0)->isExpanded());
  O().AutoExpand->setChecked(true);
  Find("6");
  EXPECT_TRUE(D().DividersTree->topLevelItem(0)->isExpanded());

  // Copy: nothing without a selection, the whole text with one.
  CopyFromTree(nullptr);
  EXPECT_EQ(platform_.clipboard, "");
  Find("100");
  CopyFromTree(D().DividersTree->topLevelItem(3));
  EXPECT_EQ(platform_.clipboard, "10 (Square root)");
  CopyFromTree(D().DividersTree->topLevelItem(0)->child(0));
  EXPECT_EQ(platform_.clipboard, "50");

  // The button's hint and enabling follow the field.
  D().FindButtonMouseMove();
  EXPECT_EQ(D().FindButton->toolTip(), "Find all divisors for 100");
  Enter(QString());
  EXPECT_FALSE(D().FindButton->isEnabled());
  D().FindButtonMouseMove();
  EXPECT_EQ(D().FindButton->toolTip(), "Type a number above, then click here to get all its divisors");
  Type("8");
  EXPECT_TRUE(D().FindButton->isEnabled());
  Press(Qt::Key_Return);
  EXPECT_EQ(D().Label2->text(), "We\"ve found 2 dividers");
}

TEST_F(DivWindowTest, HistoryImportFilterAndSorting) {
  for (const char* n : {"97", "5", "1234567890123456789012"}) W().MainForm->AddNumberHistory(QString::fromLatin1(n));
  const QStringList tester = ItemTexts(W().MainForm->NumberEdit);
  Activate(&D());
  Click(D().ImportButton);
  EXPECT_EQ(ItemTexts(D().ComboBox1), tester);
  Click(D().BitBtn1);
  EXPECT_EQ(D().ComboBox1->count(), 0);

  O().SortCheckBox->setChecked(true);
  Click(D().ImportButton);
  D().FormActivate();
  EXPECT_TRUE(D().HistorySorted());
  Find("100");
  EXPECT_EQ(ItemTexts(D().ComboBox1).first(), "100");  // at its alphabetical place

  O().FilterCheckBox->setChecked(true);
  Click(D().ComboBox1);
  Press(Qt::Key_Left);
  EXPECT_EQ(D().ComboBox1->count(), 4);
  Press(Qt::Key_1);  // a digit of the main row is no editing key
  EXPECT_EQ(D().ComboBox1->count(), 0);
  EXPECT_EQ(D().ComboBox1->currentText(), "");
}

TEST_F(DivWindowTest, SaveAndLoadRoundTrip) {
  Find("100");
  const QString path = TempPath(QStringLiteral("Divisors list of 100.txt"));
  platform_.saveAnswers.push_back(TempPath(QStringLiteral("Divisors list of 100")));
  Click(D().BitBtn2);
  ASSERT_EQ(platform_.saveRequests.size(), 1);
  EXPECT_EQ(platform_.saveRequests[0].first, "Save thie current dividers' list into...");
  EXPECT_EQ(platform_.saveRequests[0].second, "Divisors list of 100");
  EXPECT_EQ(Read(path), "2\r\n\t50\r\n4\r\n\t25\r\n5\r\n\t20\r\n10 (Square root)\r\n");
  EXPECT_EQ(platform_.Texts(FakePlatform::Kind::Message), QStringList{"The File: \"" + path + "\" was created !"});

  Find("97");
  platform_.ClearRecords();
  platform_.openAnswers.push_back(path);
  Click(D().BitBtn6);
  EXPECT_EQ(platform_.openRequests, QStringList{kLoadTitle});
  EXPECT_EQ(Shown(D().DividersTree),
            (QStringList{"2/0", "\t50/0", "4/0", "\t25/0", "5/0", "\t20/0", "10 (Square root)/0"}));
  EXPECT_EQ(D().ComboBox1->currentText(), "100");
  EXPECT_EQ(D().Label2->text(), kPrimeLine);  // the result line stays
  EXPECT_TRUE(platform_.shown.isEmpty());

  // Blanks for TABs, a deeper third level, and a quiet save of a prime's list.
  Write(TempPath(QStringLiteral("hand.txt")), "3\n 5\n  7\n");
  platform_.openAnswers.push_back(TempPath(QStringLiteral("hand.txt")));
  Click(D().BitBtn6);
  EXPECT_EQ(D().ComboBox1->currentText(), "15");
  ASSERT_EQ(D().DividersTree->topLevelItemCount(), 1);
  EXPECT_EQ(D().DividersTree->topLevelItem(0)->child(0)->child(0)->text(0), "7");
  O().Messages->setChecked(false);
  Find("97");
  platform_.ClearRecords();
  platform_.saveAnswers.push_back(TempPath(QStringLiteral("prime.txt")));
  Click(D().BitBtn2);
  EXPECT_EQ(Read(TempPath(QStringLiteral("prime.txt"))), "");
  EXPECT_TRUE(platform_.shown.isEmpty());

  // Cancelling either dialog changes nothing; an unwritable file is reported.
  Click(D().BitBtn2);
  Click(D().BitBtn6);
  EXPECT_TRUE(platform_.shown.isEmpty());
  platform_.saveAnswers.push_back(TempPath(QStringLiteral("missing/x.txt")));
  Click(D().BitBtn2);
  ASSERT_EQ(platform_.Texts(FakePlatform::Kind::Error).size(), 1);
  EXPECT_TRUE(platform_.Texts(FakePlatform::Kind::Error)[0].startsWith("Cannot create file"));
}

TEST_F(DivWindowTest, RefusedFilesLeaveAnEmptyTree) {
  const struct {
    const char* name;
    QByteArray content;
  } files[] = {
      {"empty.txt", ""},
      {"deep.txt", "2\r\n\t\t50\r\n"},
      {"square.txt", "5 (Square root)\r\n"},
      {"words.txt", "two\r\n\tfifty\r\n"},
  };
  O().Messages->setChecked(false);  // the refusal is shown all the same
  for (const auto& f : files) {
    Find("100");
    platform_.ClearRecords();
    const QString path = TempPath(QString::fromLatin1(f.name));
    Write(path, f.content);
    platform_.openAnswers.push_back(path);
    Click(D().BitBtn6);
    EXPECT_EQ(D().DividersTree->topLevelItemCount(), 0) << f.name;
    EXPECT_EQ(platform_.Texts(FakePlatform::Kind::Message),
              QStringList{"Sorry, the file: " + path + " is not compatible format !"});
    EXPECT_EQ(D().ComboBox1->currentText(), "100");
  }
  platform_.ClearRecords();
  platform_.openAnswers.push_back(TempPath(QStringLiteral("absent.txt")));
  Click(D().BitBtn6);
  EXPECT_EQ(platform_.Texts(FakePlatform::Kind::Message).size(), 1);
}

TEST_F(DivWindowTest, SizePlaceAndStoredSize) {
  D().resize(100, 100);
  EXPECT_EQ(D().size(), QSize(218, 215));

  Store(QStringLiteral("WWidth"), 260);
  Store(QStringLiteral("WHeight"), 300);
  O().AutoImport->setChecked(true);
  W().MainForm->AddNumberHistory(QStringLiteral("77"));
  Activate(W().MainForm);
  Click(W().MainForm->NumberEdit);
  Press(Qt::Key_D, Qt::ControlModifier);
  EXPECT_TRUE(D().isVisible());
  EXPECT_EQ(D().size(), QSize(260, 300));
  const QRect main = W().MainForm->frameGeometry();
  EXPECT_EQ(D().frameGeometry().topLeft(), QPoint(main.left() + main.width(), main.top()));
  EXPECT_EQ(ItemTexts(D().ComboBox1), QStringList{"77"});

  D().resize(300, 280);
  D().close();
  EXPECT_FALSE(D().isVisible());
  EXPECT_EQ(Stored(QStringLiteral("WWidth")).toInt(), 300);
  EXPECT_EQ(Stored(QStringLiteral("WHeight")).toInt(), 280);
}

}  // namespace
