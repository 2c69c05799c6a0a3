#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSlider>
#include <QTest>

#include "ProgramFixture.h"
#include "windows/CertifUnit.h"
#include "windows/DivUnit.h"
#include "windows/MainUnit.h"
#include "windows/ModUnit.h"

namespace {

class ModuloWindowTest : public ProgramFixture {
protected:
  TModForm& M() { return *W().ModForm; }
  void Run(const QString& expression, const QString& factor, int further = 0) {
    M().Ex->setEditText(expression);
    M().Fac->setEditText(factor);
    M().TrackBar1->setValue(further);
    Activate(&M());
    Click(M().BitBtn1);
  }
  QStringList Lines() {
    QStringList lines;
    for (int i = 0; i < M().ListBox1->count(); ++i) lines << M().ListBox1->item(i)->text();
    return lines;
  }
  void ClickLine(int row) {
    QListWidget* list = M().ListBox1;
    Click(list->viewport(), list->visualItemRect(list->item(row)).center());
  }
};

TEST_F(ModuloWindowTest, DesignState) {
  EXPECT_EQ(M().windowTitle(), "Super Modulo");
  EXPECT_EQ(M().Fac->currentText(), "2");
  EXPECT_EQ(M().Ex->currentText(), "");
  EXPECT_EQ(M().Ex->lineEdit()->maxLength(), 50);
  EXPECT_EQ(M().Ex->toolTip(), "Expression form: a * b^c + d  (< 50 characters)");
  EXPECT_EQ(M().Fac->lineEdit()->maxLength(), 18);
  EXPECT_EQ(M().Fac->toolTip(), " < E18");
  EXPECT_TRUE(M().BitBtn1->isDefault());
  EXPECT_EQ(M().TrackBar1->maximum(), 1000);
  EXPECT_EQ(M().TrackBar1->tickInterval(), 50);
  EXPECT_EQ(M().Label3->text(), "");
}

TEST_F(ModuloWindowTest, ResultLinesAndTheirDisplay) {
  Run("3*2^5+1", "7");
  EXPECT_EQ(Lines(), QStringList{"6"});
  ClickLine(0);
  EXPECT_EQ(M().Edit1->text(), "=6(Mod 7)");

  Run("2^10", "1000", 2);
  EXPECT_EQ(Lines(), (QStringList{"24", "23", "22"}));
  Run("3*2^5+1", "7", 3);
  ClickLine(2);
  EXPECT_EQ(M().Edit1->text(), "=7(Mod 9)");  // 97 mod 9
  EXPECT_EQ(platform_.busyDepth, 0);
}

TEST_F(ModuloWindowTest, BadFactorsAndExpressions) {
  Run("3*2^5+1", "7");
  Run("3*2^5+1", "abc");
  EXPECT_TRUE(Lines().isEmpty());
  EXPECT_EQ(platform_.LastText(), "'abc' is not a valid integer value.");
  for (const char* f : {"0", "-5"}) {
    platform_.ClearRecords();
    Run("3*2^5+1", QString::fromLatin1(f));
    EXPECT_TRUE(Lines().isEmpty());
    EXPECT_TRUE(platform_.shown.isEmpty());
  }
  // A failed later factor leaves the earlier lines, labelled from the run's
  // own start factor.
  Run("5-7-1", "10", 2);
  EXPECT_TRUE(Lines().isEmpty());
  EXPECT_EQ(platform_.LastText(), "'2-1' is not a valid integer value.");
  Run("abc", "7");
  EXPECT_EQ(platform_.shown.last().kind, FakePlatform::Kind::Message);
}

TEST_F(ModuloWindowTest, TrackBarLabel) {
  M().TrackBar1->setValue(5);
  EXPECT_EQ(M().Label3->text(), "Include the next 5 divisors");
  M().TrackBar1->setValue(0);
  EXPECT_EQ(M().Label3->text(), "Only this factor");
  Run("2", "3", 1000);
  EXPECT_EQ(Lines().size(), 1001);
}

TEST_F(ModuloWindowTest, EnterRunsTheComputationOnce) {
  M().Ex->setEditText("2^10");
  M().Fac->setEditText("1000");
  Activate(&M());
  Click(M().Ex);
  Press(Qt::Key_Return);
  EXPECT_EQ(Lines(), QStringList{"24"});
  EXPECT_EQ(M().Ex->count(), 0);  // no history item added
  Click(M().Fac);
  Press(Qt::Key_Enter, Qt::KeypadModifier);
  EXPECT_EQ(Lines(), QStringList{"24"});
}

TEST_F(ModuloWindowTest, OpeningPlacesItAndTheCertificateWindow) {
  TMainForm& main = *W().MainForm;
  Activate(&main);  // shown, as it is when a person opens the window
  main.move(100, 50);
  const QRect frame = main.frameGeometry();
  const int right = frame.left() + frame.width();
  M().ShowFromMain();
  EXPECT_EQ(M().frameGeometry().topLeft(), QPoint(right, frame.top()));
  EXPECT_EQ(W().CertifForm->frameGeometry().topLeft(), QPoint(right, frame.top()));
  EXPECT_FALSE(W().CertifForm->isVisible());

  W().DivForm->show();
  Activate(&main);
  Click(main.NumberEdit);
  Press(Qt::Key_M, Qt::ControlModifier);
  EXPECT_EQ(M().frameGeometry().topLeft(), QPoint(right, frame.top() + 100));
  EXPECT_EQ(W().CertifForm->frameGeometry().topLeft(), QPoint(right, frame.top() + 135));
}

}  // namespace
