#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTest>
#include <QTimer>

#include "ProgramFixture.h"
#include <QRadioButton>

#include "windows/AnalyserUnit.h"
#include "windows/CalcUnit.h"
#include "windows/ConvertUnit.h"
#include "windows/DivUnit.h"
#include "windows/MainUnit.h"
#include "windows/ModUnit.h"
#include "windows/OptionsUnit.h"
#include "windows/SearchUnit.h"
#include "windows/WidgetHelpers.h"

namespace {

const QStringList kMainValues = {"AutoClear", "Certif", "MainPositionLeft", "MainPositionTop", "MainRef"};

class MainWindowTest : public ProgramFixture {
protected:
  TMainForm& Main() { return *W().MainForm; }
  // A key chord of the menu, pressed in the number field.
  void PressInMain(Qt::Key key, Qt::KeyboardModifiers modifiers) {
    Activate(&Main());
    Click(Main().NumberEdit);
    Press(key, modifiers);
  }
  void ChooseInMain(Qt::Key menu, Qt::Key item) {
    Activate(&Main());
    Click(Main().NumberEdit);
    Choose(menu, item);
  }
  // Asks the main window to close, as its close box does.
  bool CloseMain() {
    QSignalSpy closed(&Main(), &TMainForm::Closed);
    Main().close();
    return closed.count() == 1;
  }
};

TEST_F(MainWindowTest, FirstStartShowsTheDesignState) {
  TMainForm& m = Main();
  EXPECT_EQ(m.windowTitle(), "Calvenna 5");
  EXPECT_EQ(m.pos(), QPoint(59, 107));
  EXPECT_FALSE(m.Autoclear1->isChecked());
  EXPECT_TRUE(m.certifgen->isChecked());
  EXPECT_FALSE(m.RefBox->isChecked());
  EXPECT_EQ(m.StatusText(0), "No # have been tested yet");
  EXPECT_EQ(m.StatusText(1), "Calvenna is ready.");
  EXPECT_EQ(m.TestedCount, 0);
  EXPECT_EQ(m.LastTested, "0");
  EXPECT_TRUE(m.RichEdit1->toPlainText().isEmpty());
  EXPECT_TRUE(m.RichEdit1->isReadOnly());
  EXPECT_EQ(m.NumberEdit->lineEdit()->maxLength(), 200);
  EXPECT_EQ(m.ComboBox1->lineEdit()->maxLength(), 5);
  EXPECT_EQ(m.DefaultButton(), m.Verifier);
  EXPECT_TRUE(platform_.shown.isEmpty());
  EXPECT_TRUE(StoredNames().isEmpty());
}

TEST_F(MainWindowTest, HiddenUntilTheOneShotStartupTimer) {
  TMainForm& m = Main();
  EXPECT_FALSE(m.isVisible());
  ASSERT_TRUE(m.Timer1->isActive());
  EXPECT_TRUE(m.Timer1->isSingleShot());
  EXPECT_EQ(m.Timer1->interval(), 500);
  QTRY_VERIFY_WITH_TIMEOUT(m.isVisible(), 3000);
  EXPECT_FALSE(m.Timer1->isActive());
  // No other window shows itself.
  for (QWidget* w : QApplication::topLevelWidgets()) {
    if (w != &m && w->isWindow() && !qobject_cast<QMenu*>(w)) {
      EXPECT_FALSE(w->isVisible()) << w->objectName().toStdString();
    }
  }
}

TEST_F(MainWindowTest, ControlsCarryTheirNamesHintsAndCaptions) {
  struct Case {
    const char* name;
    QString text;  // caption or hint
  };
  const Case buttons[] = {
      {"Verifier", "Click here to test the number's primality"},
      {"Button1", "Click here to perform a Lucas-Lehmer's test"},
      {"BitBtn1", "<<< Erase the Tester's History"},
      {"BitBtn2", "<<< Erase the Tester's History"},
      {"BitBtn3", "Clear the panel above"},
      {"BitBtn4", "Save the panel above on the hard drive"},
  };
  for (const Case& c : buttons) {
    auto* b = Main().findChild<QPushButton*>(c.name);
    ASSERT_NE(b, nullptr) << c.name;
    EXPECT_EQ(b->toolTip(), c.text) << c.name;
    EXPECT_FALSE(b->accessibleName().isEmpty()) << c.name;
  }
  EXPECT_EQ(Main().findChild<QPushButton*>("Verifier")->text(), "Test");
  EXPECT_EQ(Main().findChild<QComboBox*>("NumberEdit")->toolTip(), " < E200");
  EXPECT_EQ(Main().findChild<QComboBox*>("ComboBox1")->toolTip(), " < 99 999");
  EXPECT_EQ(Main().findChild<QLabel*>("Label1")->text(), "Mersenne Tester  (2^p)-1");
  EXPECT_EQ(Main().findChild<QLabel*>("Label2")->text(), "p =");
  EXPECT_EQ(Main().findChild<QLabel*>("Label3")->text(), "Generic Primality Tester");
  EXPECT_EQ(Main().findChild<QCheckBox*>("RefBox")->text(), "Auto-refresh");
  EXPECT_EQ(Main().findChild<QCheckBox*>("certifgen")->text(), "Generate a certificate");
  for (const char* name : {"Digital", "RichEdit1", "StatusBar1", "Temp", "Bevel1", "Bevel2"})
    EXPECT_NE(Main().findChild<QWidget*>(name), nullptr) << name;
  EXPECT_FALSE(Main().Temp->isVisibleTo(&Main()));
}

TEST_F(MainWindowTest, TabOrderRunsThroughBothTestersThenThePanel) {
  TMainForm& m = Main();
  const QList<QWidget*> expected = {m.NumberEdit, m.Verifier, m.BitBtn1, m.ComboBox1, m.Button1, m.BitBtn2,
                                    m.RichEdit1,  m.BitBtn3,  m.BitBtn4, m.RefBox,    m.certifgen};
  QList<QWidget*> seen;
  QWidget* w = m.NumberEdit;
  for (int guard = 0; guard < 200 && seen.size() < expected.size(); ++guard, w = w->nextInFocusChain())
    if (expected.contains(w) && !seen.contains(w)) seen << w;
  EXPECT_EQ(seen, expected);
}

TEST_F(MainWindowTest, MenuItemsHaveTheirCaptionsAndShortcuts) {
  struct Case {
    const char* name;
    const char* caption;
    const char* keys;
  };
  const Case cases[] = {
      {"Exit1", "E&xit", ""},
      {"Cut1", "Cu&t", "Ctrl+X"},
      {"Copy1", "&Copy", "Ctrl+C"},
      {"Paste1", "&Paste", "Ctrl+V"},
      {"Autoclear1", "&Auto-clear", ""},
      {"Splitter1", "&Splitter...", "Ctrl+S"},
      {"Convertor1", "Conve&rtor...", "Ctrl+R"},
      {"SCalc1", "Super Calcula&tor...", "Ctrl+T"},
      {"SuperModulo1", "Super &Modulo...", "Ctrl+M"},
      {"Searchengine1", "Search &Engine...", "Ctrl+E"},
      {"Finddivisors1", "All &dividers...", "Ctrl+D"},
      {"Calculator1", "Ca&lculator", "Ctrl+L"},
      {"Certificate1", "View/Hide certi&ficate...", "Ctrl+F"},
      {"History1", "&History...", "Ctrl+H"},
      {"Notebook1", "&Notebook...", "Ctrl+N"},
      {"Options2", "&Options...", "Ctrl+O"},
      {"incremen1", "&Increase (+1)", "Ctrl+Alt+I"},
      {"Decrease1", "&Decrease (-1)", "Ctrl+Alt+D"},
      {"Resetcounter1", "&Reset counter", ""},
      {"index1", "&Help...", "F1"},
      {"About1", "&About...", ""},
  };
  for (const Case& c : cases) {
    auto* a = Main().findChild<QAction*>(c.name);
    ASSERT_NE(a, nullptr) << c.name;
    EXPECT_EQ(a->text(), c.caption) << c.name;
    EXPECT_EQ(a->shortcut(), QKeySequence(QString::fromLatin1(c.keys))) << c.name;
    EXPECT_FALSE(a->icon().isNull()) << c.name;
  }
  QStringList menus;
  for (QAction* a : Main().menuBar()->actions()) menus << a->text();
  EXPECT_EQ(menus, QStringList({"&Program", "&Edit", "&Tools", "&Options", "&Counter", "&Help"}));
  EXPECT_TRUE(Main().Autoclear1->isCheckable());
}

TEST_F(MainWindowTest, MenuShortcutsWinOverTheFocusedControl) {
  TMainForm& m = Main();
  m.Timer1Timer();
  m.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&m));
  QSignalSpy copy(m.Copy1, &QAction::triggered);
  QSignalSpy splitter(m.Splitter1, &QAction::triggered);
  for (QWidget* target : {static_cast<QWidget*>(m.ComboBox1), static_cast<QWidget*>(m.RichEdit1),
                          static_cast<QWidget*>(m.NumberEdit)}) {
    Activate(&m);
    Click(target);
    // With text selected, the control would copy it itself.
    if (auto* box = qobject_cast<QComboBox*>(target)) {
      box->setEditText("123");
      Press(Qt::Key_A, Qt::ControlModifier);
    } else {
      m.RichEdit1->setPlainText("This is a prime number");
      m.RichEdit1->selectAll();
    }
    Press(Qt::Key_C, Qt::ControlModifier);
    Press(Qt::Key_S, Qt::ControlModifier);
  }
  EXPECT_EQ(copy.count(), 3);
  EXPECT_EQ(splitter.count(), 3);
  W().AnalyserForm->hide();
}

TEST_F(MainWindowTest, EnterPressesTheDefaultButton) {
  TMainForm& m = Main();
  m.Timer1Timer();
  m.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&m));
  QSignalSpy verifier(m.Verifier, &QPushButton::clicked);
  QSignalSpy button1(m.Button1, &QPushButton::clicked);
  Click(m.NumberEdit);
  Type("97");
  Press(Qt::Key_Return);
  EXPECT_EQ(verifier.count(), 1);
  // The field keeps its text and the box itself adds nothing to its list:
  // only the tester records the text, once.
  EXPECT_EQ(m.NumberEdit->currentText(), "97");
  EXPECT_LE(m.NumberEdit->count(), 1);
  m.SetDefaultButton(m.Button1);
  Press(Qt::Key_Enter, Qt::KeypadModifier);
  EXPECT_EQ(button1.count(), 1);
  EXPECT_EQ(verifier.count(), 1);
}

TEST_F(MainWindowTest, PositionAndFlagsAreRestoredAfterARestart) {
  Main().move(200, 150);
  Main().Autoclear1->setChecked(true);
  Main().certifgen->setChecked(false);
  Main().RefBox->setChecked(true);
  W().OptionsForm->WarnExit->setChecked(false);
  ASSERT_TRUE(CloseMain());
  EXPECT_EQ(StoredNames(), kMainValues);
  EXPECT_EQ(Stored("MainPositionLeft").toInt(), 200);
  EXPECT_EQ(Stored("MainPositionTop").toInt(), 150);
  EXPECT_EQ(Stored("AutoClear").toString(), "1");
  EXPECT_EQ(Stored("Certif").toString(), "0");

  Restart();
  EXPECT_EQ(Main().pos(), QPoint(200, 150));
  EXPECT_TRUE(Main().Autoclear1->isChecked());
  EXPECT_FALSE(Main().certifgen->isChecked());
  EXPECT_TRUE(Main().RefBox->isChecked());
  // The option was left by "Close", so it is back to its design state.
  EXPECT_TRUE(W().OptionsForm->WarnExit->isChecked());
}

TEST_F(MainWindowTest, APositionOffEveryScreenFallsBackToTheDesignPosition) {
  Store("MainPositionLeft", -20000);
  Store("MainPositionTop", 30000);
  Restart();
  EXPECT_EQ(Main().pos(), QPoint(59, 107));
}

TEST_F(MainWindowTest, ExitQuestionNoKeepsRunningAndWritesNothing) {
  platform_.yesNoAnswers = {false};
  EXPECT_FALSE(CloseMain());
  ASSERT_EQ(platform_.shown.size(), 1);
  EXPECT_EQ(platform_.shown[0].kind, FakePlatform::Kind::Question);
  EXPECT_EQ(platform_.shown[0].caption, "Exit ?");
  EXPECT_EQ(platform_.shown[0].text, "Are you sure you want to close this application ?");
  EXPECT_TRUE(StoredNames().isEmpty());

  platform_.yesNoAnswers = {true};
  Main().move(120, 130);
  EXPECT_TRUE(CloseMain());
  EXPECT_EQ(StoredNames(), kMainValues);
  EXPECT_EQ(Stored("MainPositionLeft").toInt(), 120);
}

TEST_F(MainWindowTest, ExitMenuAsksTooAndNoQuestionWithoutTheWarning) {
  platform_.yesNoAnswers = {false};
  QSignalSpy closed(&Main(), &TMainForm::Closed);
  ChooseInMain(Qt::Key_P, Qt::Key_X);
  EXPECT_EQ(closed.count(), 0);
  EXPECT_EQ(platform_.Texts(FakePlatform::Kind::Question).size(), 1);

  W().OptionsForm->WarnExit->setChecked(false);
  ChooseInMain(Qt::Key_P, Qt::Key_X);
  EXPECT_EQ(closed.count(), 1);
  EXPECT_EQ(platform_.Texts(FakePlatform::Kind::Question).size(), 1);
}

TEST_F(MainWindowTest, WrongTypedStoredValuesAreReportedAndIgnored) {
  Store("MainPositionTop", "high");
  Store("Certif", "maybe");
  Store("MainPositionLeft", 300);
  Restart();
  EXPECT_EQ(Main().pos(), QPoint(300, 107));
  EXPECT_TRUE(Main().certifgen->isChecked());
  const QStringList errors = platform_.Texts(FakePlatform::Kind::Error);
  ASSERT_EQ(errors.size(), 2);
  EXPECT_TRUE(errors[0].contains("MainPositionTop")) << errors[0].toStdString();
  EXPECT_TRUE(errors[1].contains("Certif")) << errors[1].toStdString();
}

TEST_F(MainWindowTest, ActivationFocusesTheNumberFieldAndSetsTheProgramDir) {
  TMainForm& m = Main();
  m.Timer1Timer();
  m.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&m));
  m.ComboBox1->setFocus();
  m.FormActivate();
  EXPECT_TRUE(m.NumberEdit->hasFocus());
  EXPECT_EQ(m.ProgramDir, QApplication::applicationDirPath() + '/');
}

TEST_F(MainWindowTest, HistoryIsSortedWhileTheOptionIsTicked) {
  TMainForm& m = Main();
  for (const char* t : {"97", "13", "abc", "101", "ABD"}) m.AddNumberHistory(QString::fromLatin1(t));
  m.NumberEdit->setEditText("555");
  m.FormActivate();
  EXPECT_EQ(ItemTexts(m.NumberEdit), QStringList({"97", "13", "abc", "101", "ABD"}));

  W().OptionsForm->SortCheckBox->setChecked(true);
  m.FormActivate();
  EXPECT_EQ(ItemTexts(m.NumberEdit), QStringList({"101", "13", "97", "abc", "ABD"}));
  EXPECT_EQ(m.NumberEdit->currentText(), "555");
  m.AddNumberHistory("2");
  EXPECT_EQ(ItemTexts(m.NumberEdit), QStringList({"101", "13", "2", "97", "abc", "ABD"}));

  // Switched off: the order stays, new items go to the end.
  W().OptionsForm->SortCheckBox->setChecked(false);
  m.FormActivate();
  m.AddNumberHistory("0");
  EXPECT_EQ(ItemTexts(m.NumberEdit), QStringList({"101", "13", "2", "97", "abc", "ABD", "0"}));
}

TEST_F(MainWindowTest, SharedFinishingTouches) {
  TMainForm& m = Main();
  m.ShowTestedCount();
  EXPECT_EQ(m.StatusText(0), "#s Tested today: 0");
  m.TestedCount = 42;
  m.ShowTestedCount();
  EXPECT_EQ(m.StatusText(0), "#s Tested today: 42");

  m.RichEdit1->setPlainText("This is a prime number");
  m.AddResultSeparator();
  EXPECT_EQ(m.RichEdit1->toPlainText(), "This is a prime number");
  W().OptionsForm->SepareResult->setChecked(true);
  m.AddResultSeparator();
  EXPECT_EQ(m.RichEdit1->toPlainText(), "This is a prime number\n" + QString(39, '~'));

  m.Timer1Timer();
  m.ScrollResultsToEnd();
  EXPECT_EQ(m.RichEdit1->textCursor().position(), m.RichEdit1->toPlainText().size());
}

TEST_F(MainWindowTest, StartupOrderGivesTheSearchEngineItsStoredPageStyle) {
  Store("SETabApp", 0);
  Restart();
  EXPECT_FALSE(W().SearchForm->PageStyleTabs());
  EXPECT_TRUE(W().OptionsForm->BtnRadioButton->isChecked());
  EXPECT_EQ(W().SearchForm->windowTitle(), "Prime numbers Search Engine");
}

TEST_F(MainWindowTest, ToolWindowsOpenBesideTheMainWindow) {
  Store("WWidth", 300);
  Restart();
  TMainForm& m = Main();
  m.move(100, 100);
  m.Timer1Timer();
  const QRect main = m.frameGeometry();
  PressInMain(Qt::Key_R, Qt::ControlModifier);
  EXPECT_TRUE(W().ConvertForm->isVisible());
  EXPECT_EQ(W().ConvertForm->frameGeometry().topLeft(), QPoint(main.left(), main.top() + main.height()));
  PressInMain(Qt::Key_T, Qt::ControlModifier);
  EXPECT_EQ(W().CalcForm->frameGeometry().topLeft(), QPoint(main.left() + 150, main.top() + main.height()));

  PressInMain(Qt::Key_D, Qt::ControlModifier);
  EXPECT_EQ(W().DivForm->frameGeometry().topLeft(), QPoint(main.left() + main.width(), main.top()));
  EXPECT_EQ(W().DivForm->size(), QSize(300, 250));
  PressInMain(Qt::Key_M, Qt::ControlModifier);
  EXPECT_EQ(W().ModForm->frameGeometry().topLeft(), QPoint(main.left() + main.width(), main.top() + 100));
  for (QWidget* w : QApplication::topLevelWidgets()) w->hide();
}

}  // namespace
