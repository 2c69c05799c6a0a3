#include "windows/AnalyserUnit.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QStyle>
#include <QTableWidget>
#include <QTextEdit>
#include <QVBoxLayout>

#include <QHideEvent>

#include <algorithm>
#include <optional>

#include "numbers/bigint/BigInt.h"
#include "platform/Platform.h"
#include "settings/SettingsStore.h"
#include "tools/Splitter.h"
#include "windows/MainUnit.h"
#include "windows/OptionsUnit.h"
#include "windows/FieldKeys.h"
#include "windows/SettingBindings.h"
#include "windows/SharedRoutines.h"
#include "windows/WidgetHelpers.h"

namespace {

QPushButton* GlyphButton(const QString& name, const QString& hint, QStyle::StandardPixmap icon,
                         QWidget* parent) {
  auto* b = new QPushButton(parent);
  b->setObjectName(name);
  b->setToolTip(hint);
  b->setAccessibleName(hint);
  b->setIcon(parent->style()->standardIcon(icon));
  b->setAutoDefault(false);
  return b;
}

}  // namespace

TAnalyserForm::TAnalyserForm(Platform& platform, SettingsStore& settings, TWindows& windows)
    : QWidget(nullptr, Qt::Window | Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      platform_(platform), settings_(settings), windows_(windows) {
  setObjectName(QStringLiteral("AnalyserForm"));
  setWindowTitle(QStringLiteral("Splitter"));
  // Closing only hides the window: its contents live until the program ends.
  setAttribute(Qt::WA_DeleteOnClose, false);

  ComboBox1 = new QComboBox(this);
  ComboBox1->setObjectName(QStringLiteral("ComboBox1"));
  ComboBox1->setAccessibleName(QStringLiteral("Number"));
  ComboBox1->setEditable(true);
  ComboBox1->setInsertPolicy(QComboBox::NoInsert);  // the history grows by analysis only
  ComboBox1->setCompleter(nullptr);
  ComboBox1->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);

  analBtn = new QPushButton(QStringLiteral("Analyze"), this);
  analBtn->setObjectName(QStringLiteral("analBtn"));
  analBtn->setAccessibleName(QStringLiteral("Analyze"));
  QFont bold = analBtn->font();
  bold.setBold(true);
  analBtn->setFont(bold);
  analBtn->setDefault(true);
  analBtn->setCursor(Qt::PointingHandCursor);
  analBtn->installEventFilter(this);

  BitBtn3 = GlyphButton(QStringLiteral("BitBtn3"), QStringLiteral("<<< Erase this History"),
                        QStyle::SP_DialogDiscardButton, this);
  BitBtn2 = GlyphButton(QStringLiteral("BitBtn2"), QStringLiteral("Import from the Tester"),
                        QStyle::SP_ArrowDown, this);

  MethodGroup = new QGroupBox(QStringLiteral(" Method : "), this);
  MethodGroup->setObjectName(QStringLiteral("MethodGroup"));
  auto* methods = new QGridLayout(MethodGroup);
  auto* group = new QButtonGroup(this);
  const char* const names[3] = {"Complete Factorization", "Sample Factor", "Prime generator"};
  for (int i = 0; i < 3; ++i) {
    MethodItems[i] = new QRadioButton(QString::fromLatin1(names[i]), MethodGroup);
    MethodItems[i]->setObjectName(QStringLiteral("MethodGroupItem%1").arg(i));
    group->addButton(MethodItems[i], i);
    methods->addWidget(MethodItems[i], i / 2, i % 2);  // two columns
  }
  MethodItems[0]->setChecked(true);

  MathCheckBox = new QCheckBox(QStringLiteral("Math expression"), this);
  MathCheckBox->setObjectName(QStringLiteral("MathCheckBox"));
  MathCheckBox->setChecked(true);
  EditionCheck = new QCheckBox(QStringLiteral("Edition mode"), this);
  EditionCheck->setObjectName(QStringLiteral("EditionCheck"));
  EditionCheck->setToolTip(
      QStringLiteral("If checked, you can edit both the tableau and the math expression area"));

  ValueListEditor1 = new QTableWidget(0, 2, this);
  ValueListEditor1->setObjectName(QStringLiteral("ValueListEditor1"));
  ValueListEditor1->setAccessibleName(QStringLiteral("Results"));
  ValueListEditor1->setHorizontalHeaderLabels(
      {QString::fromLatin1(kSplitterStatusTitle), QString::fromLatin1(kSplitterFactorTitle)});
  ValueListEditor1->verticalHeader()->hide();
  ValueListEditor1->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  ValueListEditor1->verticalHeader()->setMinimumSectionSize(15);
  ValueListEditor1->verticalHeader()->setDefaultSectionSize(15);
  ValueListEditor1->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
  ValueListEditor1->horizontalHeader()->setStretchLastSection(true);
  ValueListEditor1->setEditTriggers(QAbstractItemView::NoEditTriggers);

  RichEdit1 = new QTextEdit(this);
  RichEdit1->setObjectName(QStringLiteral("RichEdit1"));
  RichEdit1->setAccessibleName(QStringLiteral("Math expression"));
  RichEdit1->setAcceptRichText(false);
  RichEdit1->setReadOnly(true);
  RichEdit1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  RichEdit1->setFixedHeight(RichEdit1->fontMetrics().lineSpacing() * 3 + 10);

  auto* top = new QHBoxLayout;
  top->addWidget(ComboBox1, 1);
  top->addWidget(analBtn);
  top->addWidget(BitBtn3);
  top->addWidget(BitBtn2);
  auto* checks = new QVBoxLayout;
  checks->addWidget(MathCheckBox);
  checks->addWidget(EditionCheck);
  checks->addStretch();
  auto* middle = new QHBoxLayout;
  middle->addWidget(MethodGroup, 1);
  middle->addLayout(checks);
  auto* all = new QVBoxLayout(this);
  all->setContentsMargins(6, 6, 6, 6);
  all->setSpacing(4);
  all->addLayout(top);
  all->addLayout(middle);
  all->addWidget(ValueListEditor1, 1);
  all->addWidget(RichEdit1);
  // The design size, grown where the captions need more room in the font at hand.
  setFixedSize(QSize(404, 276).expandedTo(minimumSizeHint()));
  // Centred on the screen at start.
  if (QScreen* screen = this->screen()) move(screen->availableGeometry().center() - rect().center());

  connect(analBtn, &QPushButton::clicked, this, &TAnalyserForm::analBtnClick);
  connect(BitBtn3, &QPushButton::clicked, this, &TAnalyserForm::BitBtn3Click);
  connect(BitBtn2, &QPushButton::clicked, this, &TAnalyserForm::BitBtn2Click);
  // However a radio becomes checked (a click, the arrow keys, a screen
  // reader, the program), its method applies.
  connect(group, &QButtonGroup::idToggled, this, [this](int, bool checked) {
    if (checked) MethodGroupClick();
  });
  connect(EditionCheck, &QCheckBox::clicked, this, &TAnalyserForm::EditionCheckClick);
  RunOnReturn(ComboBox1, [this] { analBtnClick(); });
  InstallDigitFilter(ComboBox1, [this](std::uint16_t key) { ComboBox1KeyUp(key); });
  // Typing is bounded by the method's limit; a longer text picked from the
  // history (imported from the tester) is taken whole, and shrinks only.
  connect(ComboBox1->lineEdit(), &QLineEdit::textEdited, this, [this](const QString& text) {
    ComboBox1->lineEdit()->setMaxLength(std::max<int>(limit_, static_cast<int>(text.size())));
  });
  OnUserPick(ComboBox1, [this](int index) {
    if (index >= 0) SetTextBeyondLimit(ComboBox1->lineEdit(), limit_, ComboBox1->itemText(index));
  });

  FormCreate();
}

void TAnalyserForm::FormCreate() { ApplyMethod(0); }

int TAnalyserForm::MethodItemIndex() const {
  for (int i = 0; i < 3; ++i)
    if (MethodItems[i]->isChecked()) return i;
  return -1;
}

void TAnalyserForm::SetMethodItemIndex(int item) {
  if (item >= 0 && item < 3 && !MethodItems[item]->isChecked()) MethodItems[item]->setChecked(true);
  else MethodGroupClick();
}

QStringList TAnalyserForm::History() const { return ItemTexts(ComboBox1); }

void TAnalyserForm::ShowFromMain() {
  LoadSettings(settings_, {Bind(TSetting::ME, MathCheckBox)});
  show();
  raise();
  activateWindow();
}

void TAnalyserForm::ApplyMethod(int method) {
  method_ = SplitterMethodOfItem(method);
  const TSplitterMethodSettings& m = SplitterMethodSettings(method_);
  setWindowTitle(QString::fromLatin1(m.caption));
  SetEntryLimit(m.maxLength);
  ComboBox1->setToolTip(QString::fromLatin1(m.hint));
  RichEdit1->clear();
  ValueListEditor1->horizontalHeader()->setVisible(m.titleRow);
  ValueListEditor1->setColumnWidth(0, m.statusWidth);
  ValueListEditor1->setRowCount(0);
}

void TAnalyserForm::FitStatusColumn() {
  // The method's width, or more when a status text would be cut.
  const int design = SplitterMethodSettings(method_).statusWidth;
  ValueListEditor1->resizeColumnToContents(0);
  if (ValueListEditor1->columnWidth(0) < design) ValueListEditor1->setColumnWidth(0, design);
}

void TAnalyserForm::MethodGroupClick() { ApplyMethod(MethodItemIndex()); }

void TAnalyserForm::ClearResults() {
  RichEdit1->clear();
  ValueListEditor1->setRowCount(0);
}

void TAnalyserForm::AddToHistory(const QString& text) { AddHistoryItem(ComboBox1, text, sorted_); }

void TAnalyserForm::SetSorted(bool sorted) {
  sorted_ = sorted;
  if (sorted) SortHistoryItems(ComboBox1);
}

void TAnalyserForm::SetEntryLimit(int limit) {
  limit_ = limit;
  // A longer text already in the entry stays whole: the limit bounds typing.
  SetTextBeyondLimit(ComboBox1->lineEdit(), limit_, ComboBox1->currentText());
}

void TAnalyserForm::analBtnClick() {
  if (platform_.RefuseDuringLongWork()) return;
  const std::string text = ComboBox1->currentText().toStdString();
  std::string canonical;
  try {
    if (!SplitterEntry(text, canonical)) {
      ComboBox1->setFocus();
      return;
    }
  } catch (const EConvertError& e) {
    platform_.ShowError(QString::fromStdString(e.what()));
    return;
  }
  AddToHistory(QString::fromStdString(canonical));
  ClearResults();

  const TSplitterMethod method = method_;
  const bool math = MathCheckBox->isChecked();
  std::optional<TSplitterResult> result;
  try {
    BusyCursor busy(platform_);
    // Rho has no iteration limit: the search runs on a worker with Cancel.
    const WorkResult done = platform_.RunLongWork(this, windowTitle(), [&](TProgress& progress) {
      result = Analyse(method, text, math, &progress);
    });
    if (done == WorkResult::Cancelled) result.reset();
  } catch (const std::exception& e) {
    platform_.ShowError(QString::fromStdString(e.what()));
    result.reset();
  }
  if (result) {
    for (const TSplitterRow& row : result->rows) {
      const int r = ValueListEditor1->rowCount();
      ValueListEditor1->insertRow(r);
      ValueListEditor1->setItem(r, 0, new QTableWidgetItem(QString::fromStdString(row.status)));
      ValueListEditor1->setItem(r, 1, new QTableWidgetItem(QString::fromStdString(row.number)));
    }
    if (!result->math.empty()) RichEdit1->setPlainText(QString::fromStdString(result->math));
    FitStatusColumn();
  }
  ComboBox1->setFocus();
}

void TAnalyserForm::analBtnMouseMove() {
  analBtn->setToolTip(
      QString::fromStdString(AnalyseButtonHint(method_, ComboBox1->currentText().toStdString())));
}

void TAnalyserForm::ComboBox1KeyUp(std::uint16_t key) {
  ApplyDigitFilter(ComboBox1, windows_.OptionsForm && windows_.OptionsForm->FilterCheckBox->isChecked(), key);
}

void TAnalyserForm::BitBtn2Click() {
  for (const QString& item : ItemTexts(windows_.MainForm->NumberEdit)) AddToHistory(item);
}

void TAnalyserForm::BitBtn3Click() { ClearHistoryItems(ComboBox1); }

void TAnalyserForm::EditionCheckClick() {
  const bool edit = EditionCheck->isChecked();
  RichEdit1->setReadOnly(!edit);
  ValueListEditor1->setEditTriggers(edit ? QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                                               QAbstractItemView::AnyKeyPressed
                                         : QAbstractItemView::NoEditTriggers);
}

void TAnalyserForm::FormActivate() {
  ComboBox1->setFocus();
  SetSorted(windows_.OptionsForm && windows_.OptionsForm->SortCheckBox->isChecked());
}

void TAnalyserForm::FormHide() {
  StoreSettings(settings_, {Bind(TSetting::ME, MathCheckBox)});
}

bool TAnalyserForm::event(QEvent* e) {
  if (e->type() == QEvent::WindowActivate) FormActivate();
  return QWidget::event(e);
}

void TAnalyserForm::hideEvent(QHideEvent* e) {
  QWidget::hideEvent(e);
  // Only a real hiding of the window, not a minimising by the system.
  if (!e->spontaneous()) FormHide();
}

bool TAnalyserForm::eventFilter(QObject* watched, QEvent* e) {
  if (watched == analBtn && (e->type() == QEvent::MouseMove || e->type() == QEvent::Enter ||
                             e->type() == QEvent::ToolTip))
    analBtnMouseMove();
  return QWidget::eventFilter(watched, e);
}
