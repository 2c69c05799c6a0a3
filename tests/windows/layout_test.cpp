// Texts that fit and windows that keep their size, in the font at hand (run
// also with QT_SCALE_FACTOR=1.5), and pictures that say what they do.
#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QStyle>
#include <QTableWidget>
#include <QTest>

#include "ProgramFixture.h"
#include "windows/AnalyserUnit.h"
#include "windows/CalcUnit.h"
#include "windows/CertifUnit.h"
#include "windows/ConvertUnit.h"
#include "windows/DivUnit.h"
#include "windows/MainUnit.h"
#include "windows/ModUnit.h"
#include "windows/OptionsUnit.h"
#include "windows/SearchUnit.h"

namespace {

// The captions of the window's labels, boxes and radios that their controls
// cannot show whole.
QStringList CutCaptions(QWidget* window) {
  QStringList cut;
  for (QLabel* label : window->findChildren<QLabel*>()) {
    if (!label->isVisibleTo(window) || label->text().isEmpty() || label->wordWrap()) continue;
    if (label->inherits("ElidedLabel")) continue;  // cut by design, whole in its tooltip
    if (label->fontMetrics().horizontalAdvance(label->text()) > label->contentsRect().width())
      cut << label->objectName() + ": " + label->text();
  }
  for (QAbstractButton* button : window->findChildren<QAbstractButton*>()) {
    if (!button->isVisibleTo(window) || button->text().isEmpty()) continue;
    if (qobject_cast<QPushButton*>(button)) {
      // A push button's hint adds a minimum width; what counts is its caption.
      const int caption = button->fontMetrics().horizontalAdvance(QString(button->text()).remove(QLatin1Char('&')));
      const int icon = button->icon().isNull() ? 0 : button->iconSize().width() + 4;
      if (caption + icon + 8 > button->width()) cut << button->objectName() + ": " + button->text();
    } else if (qobject_cast<QCheckBox*>(button) || qobject_cast<QRadioButton*>(button)) {
      if (button->sizeHint().width() > button->width()) cut << button->objectName() + ": " + button->text();
    }
  }
  for (QGroupBox* group : window->findChildren<QGroupBox*>()) {
    if (group->isVisibleTo(window) && group->minimumSizeHint().width() > group->width())
      cut << group->objectName() + ": " + group->title();
  }
  return cut;
}

// Whether a field shows its whole text.
bool ShowsWhole(const QLineEdit* edit) {
  return edit->fontMetrics().horizontalAdvance(edit->text()) + 6 <= edit->width();
}

class LayoutTest : public ProgramFixture {
protected:
  TMainForm& Main() { return *W().MainForm; }
};

TEST_F(LayoutTest, EveryWindowShowsItsCaptionsWhole) {
  QWidget* windows[] = {W().MainForm,     W().SearchForm, W().OptionsForm, W().DivForm, W().AnalyserForm,
                        W().CalcForm,     W().ModForm,    W().CertifForm,  W().ConvertForm};
  for (QWidget* window : windows) {
    Activate(window);
    EXPECT_EQ(CutCaptions(window), QStringList()) << window->objectName().toStdString();
    window->hide();
  }
  // The options window's other pages.
  Activate(W().OptionsForm);
  for (int page = 0; page < 3; ++page) {
    W().OptionsForm->PageControl1->setCurrentIndex(page);
    QTest::qWait(10);
    EXPECT_EQ(CutCaptions(W().OptionsForm), QStringList()) << "page " << page;
  }
  W().OptionsForm->hide();
}

TEST_F(LayoutTest, TheMainWindowKeepsItsSizeWhateverTheStatusSays) {
  Activate(&Main());
  const QSize size = Main().size();
  Click(Main().NumberEdit);
  const QString number = QString(199, QLatin1Char('1')) + QLatin1Char('7');
  Type(number);
  Press(Qt::Key_Return);
  Press(Qt::Key_Backspace);
  QTest::qWait(20);
  ASSERT_EQ(Main().TestedCount, 1);
  EXPECT_EQ(Main().StatusText(1), "Last test on " + number);
  EXPECT_EQ(Main().size(), size);
  // Both "Test" buttons are within the window.
  for (QPushButton* test : {Main().Verifier, Main().Button1})
    EXPECT_TRUE(Main().rect().contains(QRect(test->mapTo(&Main(), QPoint(0, 0)), test->size())));
  // The whole text stays readable in the panel's tooltip; the panels sit
  // side by side.
  QLabel* panel0 = Main().StatusBar1->findChild<QLabel*>(QStringLiteral("StatusPanel0"));
  QLabel* panel1 = Main().StatusBar1->findChild<QLabel*>(QStringLiteral("StatusPanel1"));
  EXPECT_LE(panel0->geometry().right(), panel1->geometry().left());
  EXPECT_GE(panel1->width(), 200);
  const QString tip = panel1->toolTip();
  EXPECT_EQ(tip, "Last test on " + number);
}

TEST_F(LayoutTest, SplitterStatusTextsAreShownWhole) {
  TAnalyserForm& s = *W().AnalyserForm;
  Activate(&s);
  struct Case {
    int method;
    const char* entry;
  } cases[] = {{0, "561"}, {0, "1000000016000000063"}, {1, "15"}, {2, "8"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.entry);
    Click(s.MethodItems[c.method]);
    Click(s.ComboBox1);
    s.ComboBox1->setEditText(QString());
    Type(QString::fromLatin1(c.entry));
    Press(Qt::Key_Return);
    QTableWidget* table = s.ValueListEditor1;
    ASSERT_GT(table->rowCount(), 0);
    for (int r = 0; r < table->rowCount(); ++r) {
      const QString status = table->item(r, 0)->text();
      EXPECT_LE(table->fontMetrics().horizontalAdvance(status) + 6, table->columnWidth(0)) << status.toStdString();
    }
  }
}

TEST_F(LayoutTest, SearchBoundsOfEighteenDigitsAreShownWhole) {
  TSearchForm& s = *W().SearchForm;
  Activate(&s);
  for (QComboBox* field : {s.LowInterval, s.HighInterval}) {
    field->setEditText(QStringLiteral("999999999993000000"));
    EXPECT_TRUE(ShowsWhole(field->lineEdit())) << field->objectName().toStdString() << " " << field->width();
  }
}

TEST_F(LayoutTest, DivisorResultLinesStayOnOneLine) {
  TDivForm& d = *W().DivForm;
  Activate(&d);
  for (const char* number : {"1", "97", "720720"}) {
    SCOPED_TRACE(number);
    Click(d.ComboBox1);
    d.ComboBox1->setEditText(QString());
    Type(QString::fromLatin1(number));
    Press(Qt::Key_Return);
    QTest::qWait(10);
    EXPECT_LE(d.Label2->fontMetrics().horizontalAdvance(d.Label2->text()), d.Label2->contentsRect().width());
    EXPECT_LT(d.Label2->height(), 2 * d.Label2->fontMetrics().lineSpacing());
  }
  platform_.ClearRecords();  // the prime's beep
}

QImage Picture(const QIcon& icon, QIcon::State state = QIcon::Off) {
  return icon.pixmap(16, 16, QIcon::Normal, state).toImage().convertToFormat(QImage::Format_ARGB32);
}

TEST_F(LayoutTest, EditItemsShowTheirOwnPicturesAndAutoClearAClearCheckMark) {
  const QImage cut = Picture(Main().Cut1->icon());
  const QImage copy = Picture(Main().Copy1->icon());
  const QImage paste = Picture(Main().Paste1->icon());
  EXPECT_NE(cut, copy);
  EXPECT_NE(copy, paste);
  EXPECT_NE(cut, paste);
  // No picture that means something else: not the "apply" check mark, not
  // a new folder, not "discard".
  QStyle* style = QApplication::style();
  for (QStyle::StandardPixmap other :
       {QStyle::SP_DialogApplyButton, QStyle::SP_FileDialogNewFolder, QStyle::SP_DialogDiscardButton}) {
    const QImage misleading = Picture(style->standardIcon(other));
    EXPECT_NE(paste, misleading);
    EXPECT_NE(copy, misleading);
    EXPECT_NE(cut, misleading);
  }

  // Checked, Auto-clear shows a dark check mark, not only a frame.
  const QImage off = Picture(Main().Autoclear1->icon(), QIcon::Off);
  const QImage on = Picture(Main().Autoclear1->icon(), QIcon::On);
  EXPECT_NE(on, off);
  int darkOn = 0;
  int darkOff = 0;
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x) {
      const QColor a = on.pixelColor(x, y);
      const QColor b = off.pixelColor(x, y);
      darkOn += a.alpha() > 200 && a.lightness() < 40;
      darkOff += b.alpha() > 200 && b.lightness() < 40;
    }
  EXPECT_GT(darkOn, darkOff + 10);
}

}  // namespace
