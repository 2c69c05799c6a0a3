#include "windows/ConvertUnit.h"

#include <QCheckBox>
#include <QEvent>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QResizeEvent>
#include <QStyle>

#include <limits>

#include "numbers/bigint/BigInt.h"
#include "platform/Platform.h"
#include "windows/MainUnit.h"

TConvertForm::TConvertForm(Platform& platform, TWindows& windows)
    : QWidget(nullptr, Qt::Tool), platform_(platform), windows_(windows) {
  setObjectName(QStringLiteral("ConvertForm"));
  setWindowTitle(QStringLiteral("Convertor"));
  // Closing only hides the window: its contents live until the program ends.
  setAttribute(Qt::WA_DeleteOnClose, false);

  auto* grid = new QGridLayout(this);
  grid->setContentsMargins(4, 4, 4, 4);
  grid->setSpacing(3);
  struct Row {
    QCheckBox*& box;
    QLabel*& label;
    QLineEdit*& edit;
    QPushButton*& button;
    const char* boxName;
    const char* labelName;
    const char* editName;
    const char* buttonName;
    const char* caption;
    const char* readable;
    const char* hint;
    bool ticked;
  };
  Row rows[] = {
      {CheckBox1, Label1, IEdit, BitBtn4, "CheckBox1", "Label1", "IEdit", "BitBtn4", "Integer ", "Integer",
       " < E2500", true},
      {CheckBox2, Label2, MEdit, BitBtn1, "CheckBox2", "Label2", "MEdit", "BitBtn1", "Mersenne ", "Mersenne",
       "'M'a  +/- b     ( < 200 characters )", true},
      {CheckBox3, Label3, FEdit, BitBtn2, "CheckBox3", "Label3", "FEdit", "BitBtn2", "Fermat ", "Fermat",
       "'F'a  +/- b     ( < 50 characters )", false},
  };
  const QIcon glyph = style()->standardIcon(QStyle::SP_ArrowRight);
  int r = 0;
  for (Row& row : rows) {
    const QString readable = QString::fromLatin1(row.readable);
    row.box = new QCheckBox(this);
    row.box->setObjectName(QString::fromLatin1(row.boxName));
    row.box->setAccessibleName(QStringLiteral("Fill the %1 row").arg(readable));
    row.box->setChecked(row.ticked);
    row.label = new QLabel(QString::fromLatin1(row.caption), this);
    row.label->setObjectName(QString::fromLatin1(row.labelName));
    row.edit = new QLineEdit(this);
    row.edit->setObjectName(QString::fromLatin1(row.editName));
    row.edit->setAccessibleName(readable);
    row.edit->setToolTip(QString::fromLatin1(row.hint));
    // No typing limit: the row's limit is checked when its button is
    // pressed, and results (F20 has 315653 digits) must fit whole.
    row.edit->setMaxLength(std::numeric_limits<int>::max());
    row.edit->installEventFilter(this);
    row.label->setBuddy(row.edit);
    row.button = new QPushButton(this);
    row.button->setObjectName(QString::fromLatin1(row.buttonName));
    row.button->setAccessibleName(QStringLiteral("Convert from the %1 row").arg(readable));
    row.button->setToolTip(QStringLiteral("Convert from the %1 row").arg(readable));
    row.button->setIcon(glyph);
    row.button->setAutoDefault(false);
    grid->addWidget(row.box, r, 0);
    grid->addWidget(row.label, r, 1);
    grid->addWidget(row.edit, r, 2);
    grid->addWidget(row.button, r, 3);
    ++r;
  }
  grid->setColumnStretch(2, 1);

  connect(BitBtn4, &QPushButton::clicked, this, &TConvertForm::BitBtn4Click);
  connect(BitBtn1, &QPushButton::clicked, this, &TConvertForm::BitBtn1Click);
  connect(BitBtn2, &QPushButton::clicked, this, &TConvertForm::BitBtn2Click);

  setMinimumHeight(kHeight);
  setMaximumHeight(kHeight);
  resize(274, kHeight);
}

void TConvertForm::ShowFromMain() {
  const QRect main = windows_.MainForm->frameGeometry();
  move(main.left(), main.top() + main.height());
  show();
  // The border is known once shown: the outer width matches the main window's.
  resize(main.width() - (frameGeometry().width() - width()), kHeight);
  raise();
  activateWindow();
}

void TConvertForm::MakeDefault(QPushButton* button) {
  for (QPushButton* b : {BitBtn4, BitBtn1, BitBtn2}) b->setDefault(b == button);
  defaultButton_ = button;
}

void TConvertForm::IEditClick() { MakeDefault(BitBtn4); }
void TConvertForm::MEditClick() { MakeDefault(BitBtn1); }
void TConvertForm::FEditClick() { MakeDefault(BitBtn2); }

bool TConvertForm::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::MouseButtonPress) {
    if (watched == IEdit) IEditClick();
    if (watched == MEdit) MEditClick();
    if (watched == FEdit) FEditClick();
  } else if (event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
      // Enter converts from the row of the last field clicked, if any.
      if (defaultButton_) defaultButton_->click();
      return true;
    }
  }
  return QWidget::eventFilter(watched, event);
}

void TConvertForm::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  if (height() != kHeight) resize(width(), kHeight);
}

void TConvertForm::BitBtn4Click() { ConvertFrom(TConvertRow::Integer); }
void TConvertForm::BitBtn1Click() { ConvertFrom(TConvertRow::Mersenne); }
void TConvertForm::BitBtn2Click() { ConvertFrom(TConvertRow::Fermat); }

void TConvertForm::ConvertFrom(TConvertRow row) {
  if (platform_.RefuseDuringLongWork()) return;
  QLineEdit* source = row == TConvertRow::Integer ? IEdit : row == TConvertRow::Mersenne ? MEdit : FEdit;
  const std::string text = source->text().toStdString();
  const TConvertBoxes boxes{CheckBox1->isChecked(), CheckBox2->isChecked(), CheckBox3->isChecked()};
  TConvertResult result;
  try {
    BusyCursor busy(platform_);
    // The largest values take a moment to build and write: on a worker,
    // with Cancel; a cancelled conversion changes no field.
    const WorkResult done = platform_.RunLongWork(this, QStringLiteral("Convertor"), [&](TProgress& progress) {
      result = Convert(row, text, boxes, &progress);
    });
    if (done == WorkResult::Cancelled) return;
  } catch (const EConvertError& e) {
    platform_.ShowError(QString::fromStdString(e.what()));
    return;
  }
  if (!result.message.empty()) {
    platform_.ShowMessage(QString::fromStdString(result.message));
    return;
  }
  if (row != TConvertRow::Integer) IEdit->setText(QString::fromStdString(result.integer));
  if (row != TConvertRow::Mersenne) MEdit->setText(QString::fromStdString(result.mersenne));
  if (row != TConvertRow::Fermat) FEdit->setText(QString::fromStdString(result.fermat));
}
