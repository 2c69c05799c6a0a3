#include "windows/CalcUnit.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "numbers/bigint/BigInt.h"
#include "platform/Platform.h"
#include "tools/Calculator.h"
#include "windows/ConvertUnit.h"
#include "windows/MainUnit.h"

namespace {

QLabel* BoldLabel(const QString& text, QWidget* parent) {
  auto* label = new QLabel(text, parent);
  QFont f = label->font();
  f.setBold(true);
  label->setFont(f);
  return label;
}

QComboBox* Operand(const QString& name, const QString& accessible, QWidget* parent) {
  auto* box = new QComboBox(parent);
  box->setObjectName(name);
  box->setAccessibleName(accessible);
  box->setEditable(true);
  box->setInsertPolicy(QComboBox::NoInsert);  // no item is ever added
  box->setCompleter(nullptr);
  box->lineEdit()->setMaxLength(200);
  box->setToolTip(QStringLiteral(" < E200"));
  box->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
  return box;
}

QPushButton* OperationButton(const QString& name, const QString& caption, const QString& hint,
                             QWidget* parent) {
  auto* button = new QPushButton(caption, parent);
  button->setObjectName(name);
  QFont f = button->font();
  f.setBold(true);
  button->setFont(f);
  button->setToolTip(hint);
  button->setAccessibleName(caption);
  button->setAutoDefault(false);  // none of them is the default button
  button->setDefault(false);
  return button;
}

}  // namespace

TCalcForm::TCalcForm(Platform& platform, TWindows& windows)
    : QWidget(nullptr, Qt::Tool), platform_(platform), windows_(windows) {
  setObjectName(QStringLiteral("CalcForm"));
  setWindowTitle(QStringLiteral("Super Calculator"));
  // Closing only hides the window: its contents live until the program ends.
  setAttribute(Qt::WA_DeleteOnClose, false);

  Label1 = BoldLabel(QStringLiteral("A="), this);
  Label1->setObjectName(QStringLiteral("Label1"));
  EditA = Operand(QStringLiteral("EditA"), QStringLiteral("Operand A"), this);
  Label1->setBuddy(EditA);
  Label2 = BoldLabel(QStringLiteral("B="), this);
  Label2->setObjectName(QStringLiteral("Label2"));
  EditB = Operand(QStringLiteral("EditB"), QStringLiteral("Operand B"), this);
  Label2->setBuddy(EditB);

  BitBtn3 = OperationButton(QStringLiteral("BitBtn3"), QStringLiteral("GCF"),
                            QStringLiteral("Find the Greatest Common Factor"), this);
  BitBtn4 = OperationButton(QStringLiteral("BitBtn4"), QStringLiteral("A + B ="),
                            QStringLiteral("Perform an addition"), this);
  BitBtn5 = OperationButton(QStringLiteral("BitBtn5"), QStringLiteral("A - B ="),
                            QStringLiteral("Perform a substraction"), this);
  BitBtn6 = OperationButton(QStringLiteral("BitBtn6"), QStringLiteral("A x B ="),
                            QStringLiteral("Perform a multiplication"), this);

  ResLabel = BoldLabel(QStringLiteral("= "), this);
  ResLabel->setObjectName(QStringLiteral("ResLabel"));
  ResEdit = new QLineEdit(this);
  ResEdit->setObjectName(QStringLiteral("ResEdit"));
  ResEdit->setAccessibleName(QStringLiteral("Result"));
  ResEdit->setReadOnly(true);
  ResEdit->setMaxLength(1 << 20);  // a product of two 200-digit operands is shown whole
  ResEdit->setToolTip(QStringLiteral("The results are here"));
  ResLabel->setBuddy(ResEdit);

  auto* grid = new QGridLayout(this);
  grid->setContentsMargins(6, 6, 6, 6);
  grid->setSpacing(4);
  grid->addWidget(Label1, 0, 0);
  grid->addWidget(EditA, 0, 1);
  grid->addWidget(Label2, 1, 0);
  grid->addWidget(EditB, 1, 1);
  auto* buttons = new QHBoxLayout;
  for (QPushButton* b : {BitBtn3, BitBtn4, BitBtn5, BitBtn6}) buttons->addWidget(b);
  grid->addLayout(buttons, 2, 0, 1, 2);
  grid->addWidget(ResLabel, 3, 0);
  grid->addWidget(ResEdit, 3, 1);
  resize(432, 115);

  connect(BitBtn3, &QPushButton::clicked, this, &TCalcForm::BitBtn3Click);
  connect(BitBtn4, &QPushButton::clicked, this, &TCalcForm::BitBtn4Click);
  connect(BitBtn5, &QPushButton::clicked, this, &TCalcForm::BitBtn5Click);
  connect(BitBtn6, &QPushButton::clicked, this, &TCalcForm::BitBtn6Click);
}

void TCalcForm::ShowFromMain() {
  const QRect main = windows_.MainForm->frameGeometry();
  int left = main.left();
  if (windows_.ConvertForm && windows_.ConvertForm->isVisible()) left += 150;
  move(left, main.top() + main.height());
  show();
  raise();
  activateWindow();
}

void TCalcForm::Run(TCalcOperation operation) {
  if (platform_.RefuseDuringLongWork()) return;
  try {
    ResEdit->setText(QString::fromStdString(Calculate(operation,
                                                      EditA->currentText().toStdString(),
                                                      EditB->currentText().toStdString())));
  } catch (const EConvertError& e) {
    platform_.ShowError(QString::fromStdString(e.what()));
  }
}

void TCalcForm::BitBtn3Click() { Run(TCalcOperation::Gcf); }
void TCalcForm::BitBtn4Click() { Run(TCalcOperation::Add); }
void TCalcForm::BitBtn5Click() { Run(TCalcOperation::Subtract); }
void TCalcForm::BitBtn6Click() { Run(TCalcOperation::Multiply); }
