#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "ProgramFixture.h"
#include "windows/ConvertUnit.h"
#include "windows/MainUnit.h"

namespace {

class ConvertorWindowTest : public ProgramFixture {
protected:
  TConvertForm& C() { return *W().ConvertForm; }
  void Push(QPushButton* button) {
    Activate(&C());
    Click(button);
  }
};

TEST_F(ConvertorWindowTest, DesignState) {
  EXPECT_EQ(C().windowTitle(), "Convertor");
  EXPECT_EQ(C().height(), 103);
  EXPECT_TRUE(C().CheckBox1->isChecked());
  EXPECT_TRUE(C().CheckBox2->isChecked());
  EXPECT_FALSE(C().CheckBox3->isChecked());
  EXPECT_EQ(C().MEdit->toolTip(), "'M'a  +/- b     ( < 200 characters )");
  EXPECT_EQ(C().DefaultButton(), nullptr);
}

TEST_F(ConvertorWindowTest, RowsConvertIntoTheTickedRows) {
  C().CheckBox3->setChecked(true);
  C().IEdit->setText("127");
  Push(C().BitBtn4);
  EXPECT_EQ(C().MEdit->text(), "M7");
  EXPECT_EQ(C().FEdit->text(), "F2+110");
  EXPECT_EQ(platform_.longWorkTitles.size(), 1);

  C().CheckBox3->setChecked(false);
  C().IEdit->setText("100");
  Push(C().BitBtn4);
  EXPECT_EQ(C().FEdit->text(), "");

  C().CheckBox1->setChecked(false);
  C().CheckBox3->setChecked(true);
  C().MEdit->setText("m4-2");
  Push(C().BitBtn1);
  EXPECT_EQ(C().IEdit->text(), "");
  EXPECT_EQ(C().FEdit->text(), "F2-4");
  EXPECT_EQ(C().MEdit->text(), "m4-2");  // the source stays as typed
}

TEST_F(ConvertorWindowTest, TooLongSourcesShowTheMessageAndChangeNothing) {
  C().IEdit->setText(QString(2501, '1'));
  C().MEdit->setText("M7");
  Push(C().BitBtn4);
  EXPECT_EQ(platform_.LastText(), "Please, note that integers with  more than 2500 digits are not supported yet.");
  EXPECT_EQ(C().MEdit->text(), "M7");
  EXPECT_EQ(C().IEdit->text().size(), 2501);  // no typing limit cuts the field

  C().IEdit->setText(QString(2500, '1'));
  Push(C().BitBtn4);
  EXPECT_TRUE(C().MEdit->text().startsWith("M"));
}

TEST_F(ConvertorWindowTest, EnterConvertsFromTheLastClickedField) {
  C().MEdit->setText("M7");
  Activate(&C());
  TabTo(C().MEdit);
  Press(Qt::Key_Return);  // reached by Tab: no default button yet
  EXPECT_EQ(C().IEdit->text(), "");
  Click(C().MEdit);
  EXPECT_EQ(C().DefaultButton(), C().BitBtn1);
  EXPECT_TRUE(C().BitBtn1->isDefault());
  Press(Qt::Key_Return);
  EXPECT_EQ(C().IEdit->text(), "127");
  Click(C().IEdit);
  EXPECT_EQ(C().DefaultButton(), C().BitBtn4);
  EXPECT_FALSE(C().BitBtn1->isDefault());
  Click(C().FEdit);
  EXPECT_EQ(C().DefaultButton(), C().BitBtn2);
}

TEST_F(ConvertorWindowTest, HeightIsHeldAndOpeningPlacesIt) {
  C().resize(400, 300);
  EXPECT_EQ(C().height(), 103);
  EXPECT_EQ(C().width(), 400);
  TMainForm& main = *W().MainForm;
  main.show();
  main.move(100, 50);
  const QRect frame = main.frameGeometry();
  C().ShowFromMain();
  EXPECT_EQ(C().frameGeometry().topLeft(), QPoint(frame.left(), frame.top() + frame.height()));
  EXPECT_EQ(C().frameGeometry().width(), frame.width());
  EXPECT_EQ(C().height(), 103);
}

TEST_F(ConvertorWindowTest, CancelledConversionChangesNothing) {
  C().MEdit->setText("M99999");
  C().IEdit->setText("5");
  platform_.cancelNextWork = true;
  Push(C().BitBtn1);
  EXPECT_EQ(C().IEdit->text(), "5");
  EXPECT_EQ(platform_.busyDepth, 0);
  Push(C().BitBtn1);
  EXPECT_EQ(C().IEdit->text().size(), 30103);  // shown whole
  C().FEdit->setText("F20");
  Push(C().BitBtn2);
  EXPECT_EQ(C().IEdit->text().size(), 315653);
  EXPECT_EQ(C().MEdit->text(), "M1048576+2");
}

}  // namespace
