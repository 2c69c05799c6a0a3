#include "windows/ModUnit.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSlider>

#include "platform/Platform.h"
#include "tools/Modulo.h"
#include "windows/CertifUnit.h"
#include "windows/DivUnit.h"
#include "windows/AnalyserUnit.h"
#include "windows/MainUnit.h"
#include "windows/FieldKeys.h"

namespace {

QComboBox* Field(const QString& name, const QString& accessible, int maxLength, const QString& hint,
                 QWidget* parent) {
  auto* box = new QComboBox(parent);
  box->setObjectName(name);
  box->setAccessibleName(accessible);
  box->setEditable(true);
  box->setInsertPolicy(QComboBox::NoInsert);  // Enter adds no history item
  box->setCompleter(nullptr);
  box->lineEdit()->setMaxLength(maxLength);
  box->setToolTip(hint);
  return box;
}

}  // namespace

TModForm::TModForm(Platform& platform, TWindows& windows)
    : QWidget(nullptr, Qt::Tool), platform_(platform), windows_(windows) {
  setObjectName(QStringLiteral("ModForm"));
  setWindowTitle(QStringLiteral("Super Modulo"));
  // Closing only hides the window: its contents live until the program ends.
  setAttribute(Qt::WA_DeleteOnClose, false);

  Label1 = new QLabel(QStringLiteral("Expression="), this);
  Label1->setObjectName(QStringLiteral("Label1"));
  Ex = Field(QStringLiteral("Ex"), QStringLiteral("Expression"), 50,
             QStringLiteral("Expression form: a * b^c + d  (< 50 characters)"), this);
  Label1->setBuddy(Ex);
  Label2 = new QLabel(QStringLiteral("Factor ="), this);
  Label2->setObjectName(QStringLiteral("Label2"));
  Fac = Field(QStringLiteral("Fac"), QStringLiteral("Factor"), 18, QStringLiteral(" < E18"), this);
  Fac->setEditText(QStringLiteral("2"));
  Label2->setBuddy(Fac);

  BitBtn1 = new QPushButton(QStringLiteral("Modulo"), this);
  BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
  BitBtn1->setAccessibleName(QStringLiteral("Modulo"));
  QFont bold = BitBtn1->font();
  bold.setBold(true);
  BitBtn1->setFont(bold);
  BitBtn1->setDefault(true);
  BitBtn1->setCursor(Qt::PointingHandCursor);

  TrackBar1 = new QSlider(Qt::Horizontal, this);
  TrackBar1->setObjectName(QStringLiteral("TrackBar1"));
  TrackBar1->setAccessibleName(QStringLiteral("Number of further factors"));
  TrackBar1->setRange(0, 1000);
  TrackBar1->setValue(0);
  TrackBar1->setTickInterval(50);
  TrackBar1->setTickPosition(QSlider::TicksAbove);
  TrackBar1->setPageStep(50);

  Label3 = new QLabel(this);
  Label3->setObjectName(QStringLiteral("Label3"));
  Label3->setAlignment(Qt::AlignCenter);

  ListBox1 = new QListWidget(this);
  ListBox1->setObjectName(QStringLiteral("ListBox1"));
  ListBox1->setAccessibleName(QStringLiteral("Residues"));

  Edit1 = new QLineEdit(this);
  Edit1->setObjectName(QStringLiteral("Edit1"));
  Edit1->setAccessibleName(QStringLiteral("Selected residue"));
  Edit1->setReadOnly(true);

  auto* grid = new QGridLayout(this);
  grid->setContentsMargins(6, 6, 6, 6);
  grid->setSpacing(4);
  grid->addWidget(Label1, 0, 0);
  grid->addWidget(Ex, 0, 1, 1, 2);
  grid->addWidget(Label2, 1, 0);
  grid->addWidget(Fac, 1, 1);
  grid->addWidget(BitBtn1, 1, 2);
  grid->addWidget(TrackBar1, 2, 0, 1, 3);
  grid->addWidget(Label3, 3, 0, 1, 3);
  grid->addWidget(ListBox1, 4, 0, 1, 3);
  grid->addWidget(Edit1, 5, 0, 1, 3);
  grid->setRowStretch(4, 1);
  resize(253, 286);

  connect(BitBtn1, &QPushButton::clicked, this, &TModForm::BitBtn1Click);
  connect(TrackBar1, &QSlider::valueChanged, this, &TModForm::TrackBar1Change);
  connect(ListBox1, &QListWidget::itemClicked, this, &TModForm::ListBox1Click);
  // "Modulo" is the default button: Enter in either field runs it.
  RunOnReturn(Ex, [this] { BitBtn1Click(); });
  RunOnReturn(Fac, [this] { BitBtn1Click(); });
}

void TModForm::ShowFromMain() {
  const QRect main = windows_.MainForm->frameGeometry();
  const int left = main.left() + main.width();
  const bool divVisible = windows_.DivForm && windows_.DivForm->isVisible();
  const bool splitterVisible = windows_.AnalyserForm && windows_.AnalyserForm->isVisible();
  move(left, main.top() + (divVisible ? 100 : 0));
  // The certificate window is only placed here, not shown.
  if (windows_.CertifForm)
    windows_.CertifForm->move(left, main.top() + (divVisible || splitterVisible ? 135 : 0));
  show();
  raise();
  activateWindow();
}

void TModForm::BitBtn1Click() {
  if (platform_.RefuseDuringLongWork()) return;
  ListBox1->clear();
  TModuloRun run;
  {
    BusyCursor busy(platform_);
    run = RunModulo(Ex->currentText().toStdString(), Fac->currentText().toStdString(), TrackBar1->value());
  }
  if (run.factorRead) startFactor_ = run.startFactor;
  for (const std::string& line : run.lines) ListBox1->addItem(QString::fromStdString(line));
  if (!run.message.empty()) platform_.ShowMessage(QString::fromStdString(run.message));
  if (!run.error.empty()) platform_.ShowError(QString::fromStdString(run.error));
}

void TModForm::TrackBar1Change() {
  Label3->setText(QString::fromStdString(ModuloTrackBarLabel(TrackBar1->value())));
}

void TModForm::ListBox1Click() {
  const int row = ListBox1->currentRow();
  if (row < 0) return;
  Edit1->setText(QString::fromStdString(
      ModuloLineDisplay(ListBox1->item(row)->text().toStdString(), startFactor_, static_cast<std::size_t>(row))));
}
