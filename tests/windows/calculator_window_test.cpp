#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

#include "ProgramFixture.h"
#include "windows/CalcUnit.h"
#include "windows/ConvertUnit.h"
#include "windows/MainUnit.h"

namespace {

class CalculatorWindowTest : public ProgramFixture {
protected:
  TCalcForm& C() { return *W().CalcForm; }
  QString Press(QPushButton* button, const QString& a, const QString& b) {
    C().EditA->setEditText(a);
    C().EditB->setEditText(b);
    Activate(&C());
    Click(button);
    return C().ResEdit->text();
  }
};

TEST_F(CalculatorWindowTest, FourButtons) {
  EXPECT_EQ(C().windowTitle(), "Super Calculator");
  EXPECT_EQ(Press(C().BitBtn3, "12", "18"), "6");
  EXPECT_EQ(Press(C().BitBtn4, "12", "18"), "30");
  EXPECT_EQ(Press(C().BitBtn5, "12", "18"), "-6");
  EXPECT_EQ(Press(C().BitBtn6, "12", "18"), "216");
  EXPECT_EQ(Press(C().BitBtn4, "0012", "3"), "15");
  EXPECT_EQ(Press(C().BitBtn4, "", ""), "0");
  EXPECT_EQ(C().EditA->count(), 0);
  for (QPushButton* b : {C().BitBtn3, C().BitBtn4, C().BitBtn5, C().BitBtn6}) EXPECT_FALSE(b->isDefault());
  EXPECT_EQ(C().BitBtn5->toolTip(), "Perform a substraction");
}

TEST_F(CalculatorWindowTest, LongResultsShownWholeAndErrorsKeepTheLastResult) {
  const QString a(200, '9');
  EXPECT_EQ(Press(C().BitBtn6, a, a).size(), 400);
  Press(C().BitBtn4, "2", "3");
  EXPECT_EQ(Press(C().BitBtn4, "12a", "3"), "5");
  EXPECT_EQ(platform_.LastText(), "'12a' is not a valid integer value.");
}

TEST_F(CalculatorWindowTest, OpeningPlacesItUnderTheMainWindow) {
  TMainForm& main = *W().MainForm;
  Activate(&main);  // shown, as it is when a person opens the calculator
  main.move(100, 50);
  const QRect frame = main.frameGeometry();
  C().ShowFromMain();
  EXPECT_EQ(C().frameGeometry().topLeft(), QPoint(frame.left(), frame.top() + frame.height()));
  W().ConvertForm->show();
  Activate(&main);
  Click(main.NumberEdit);
  ProgramFixture::Press(Qt::Key_T, Qt::ControlModifier);
  EXPECT_EQ(C().frameGeometry().topLeft(), QPoint(frame.left() + 150, frame.top() + frame.height()));
}

}  // namespace
