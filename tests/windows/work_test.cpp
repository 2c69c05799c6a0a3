// Long work as a person meets it: a cancelled test, a second press while a
// test runs, a foreign file offered as a divisor list.
#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

#include "ProgramFixture.h"
#include "windows/CertifUnit.h"
#include "windows/DivUnit.h"
#include "windows/MainUnit.h"
#include "windows/OptionsUnit.h"
#include "windows/WidgetHelpers.h"

namespace {

class WorkTest : public ProgramFixture {
protected:
  TMainForm& Main() { return *W().MainForm; }

  // Presses the button the way a screen reader does: through its
  // accessibility interface, which no modal dialog holds back.
  static void PressAccessibly(QPushButton* button) {
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(button);
    ASSERT_TRUE(face && face->actionInterface());
    face->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    QTest::qWait(200);  // the press is animated
  }
};

TEST_F(WorkTest, ACancelledTestChangesNothingAndSaysSo) {
  Main().RefBox->setChecked(true);
  Main().RichEdit1->setPlainText(QStringLiteral("earlier results"));
  Activate(&Main());

  struct Case {
    const char* name;
    QComboBox* field;
    const char* text;
  } cases[] = {{"Lucas-Lehmer", Main().ComboBox1, "127"}, {"generic", Main().NumberEdit, "97"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Click(c.field);
    Type(QString::fromLatin1(c.text));
    platform_.cancelNextWork = true;
    Press(Qt::Key_Return);
    EXPECT_EQ(Main().StatusText(1), "Test cancelled.");
    EXPECT_EQ(Main().StatusText(0), "No # have been tested yet");
    EXPECT_EQ(Main().TestedCount, 0);
    EXPECT_EQ(Main().LastTested, "0");
    EXPECT_EQ(c.field->count(), 0);
    EXPECT_EQ(Main().RichEdit1->toPlainText(), "earlier results");
    EXPECT_FALSE(W().CertifForm->isVisible());
    EXPECT_TRUE(W().OptionsForm->NoteEdit->toPlainText().isEmpty());
    EXPECT_EQ(Focus(), c.field);
  }
  EXPECT_EQ(platform_.longWorkTitles.size(), 2);
  EXPECT_TRUE(platform_.shown.isEmpty());
}

TEST_F(WorkTest, NoTestStartsWhileAnotherRuns) {
  Main().ComboBox1->setEditText(QStringLiteral("7"));
  Activate(&Main());
  bool pressed = false;
  platform_.duringWork = [&] {
    if (pressed) return;
    pressed = true;
    PressAccessibly(Main().Button1);
  };
  Click(Main().NumberEdit);
  Type(QStringLiteral("97"));
  Press(Qt::Key_Return);
  EXPECT_TRUE(pressed);
  EXPECT_EQ(platform_.longWorkTitles, QStringList{"Primality test"});
  EXPECT_EQ(Main().TestedCount, 1);
  EXPECT_EQ(Main().ComboBox1->count(), 0);
  EXPECT_EQ(Main().LastTested, "97");
  EXPECT_EQ(platform_.beeps, 1);  // the refused press

  // Once the work is over, the same press starts its test.
  platform_.duringWork = nullptr;
  PressAccessibly(Main().Button1);
  EXPECT_EQ(Main().TestedCount, 2);
}

TEST_F(WorkTest, AForeignFileIsRefusedAsADivisorListWithoutHoldingTheWindow) {
  TDivForm& d = *W().DivForm;
  const QString refused = QStringLiteral("Sorry, the file: %1 is not compatible format !");
  auto write = [](const QString& path, const QByteArray& head, const QByteArray& line, int count) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(head);
    for (int i = 0; i < count; ++i) f.write(line);
  };
  Activate(&d);

  // Two million lines, 17 MB: larger than any list; refused unread.
  const QString huge = TempPath(QStringLiteral("huge.txt"));
  write(huge, "1\n\t2\n", "12345678\n", 2'000'000);
  platform_.openAnswers.push_back(huge);
  Click(d.BitBtn6);
  EXPECT_EQ(platform_.LastText(), refused.arg(huge));
  EXPECT_TRUE(platform_.longWorkTitles.isEmpty());
  EXPECT_EQ(d.DividersTree->topLevelItemCount(), 0);

  // Small enough, but with more entries than any number up to 10^18 has
  // divisors.
  const QString many = TempPath(QStringLiteral("many.txt"));
  write(many, "1\n\t2\n", "3\n", 300'000);
  platform_.openAnswers.push_back(many);
  Click(d.BitBtn6);
  EXPECT_EQ(platform_.LastText(), refused.arg(many));
  EXPECT_EQ(d.DividersTree->topLevelItemCount(), 0);

  // A real list is read aside from the window, and shown.
  const QString list = TempPath(QStringLiteral("list.txt"));
  write(list, "2\r\n\t50\r\n4\r\n\t25\r\n5\r\n\t20\r\n10 (Square root)\r\n", "", 0);
  platform_.openAnswers.push_back(list);
  platform_.ClearRecords();
  Click(d.BitBtn6);
  EXPECT_TRUE(platform_.shown.isEmpty()) << platform_.LastText().toStdString();
  EXPECT_EQ(platform_.longWorkTitles.size(), 1);
  EXPECT_EQ(d.DividersTree->topLevelItemCount(), 4);
  EXPECT_EQ(d.ComboBox1->currentText(), "100");
}

}  // namespace
