// Construction of the search engine window's controls and the wiring of
// their events to the handlers.
#include "windows/SearchUnit.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QVBoxLayout>

#include "windows/PageControl.h"
#include "windows/FieldKeys.h"
#include "windows/SearchPartModel.h"
#include "windows/WidgetHelpers.h"

namespace {

constexpr int kBoundLimit = 18;

QFont ArialFont(int pixels, bool bold) {
  QFont f(QStringLiteral("Arial"));
  f.setStyleHint(QFont::SansSerif);
  f.setPixelSize(pixels);
  f.setBold(bold);
  return f;
}

QComboBox* BoundField(QWidget* parent, const char* name, const QString& text, const QString& readAs) {
  auto* c = new QComboBox(parent);
  c->setObjectName(QString::fromLatin1(name));
  c->setEditable(true);
  c->setInsertPolicy(QComboBox::NoInsert);  // the history grows by searches only
  c->setCompleter(nullptr);
  c->setMaxVisibleItems(20);
  c->setToolTip(QStringLiteral(" < E18-1"));
  c->setAccessibleName(readAs);
  KeepTypingLimit(c->lineEdit(), kBoundLimit);
  // Wide enough to show a bound of the limit's 18 digits whole.
  c->setMinimumContentsLength(kBoundLimit);
  c->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  c->setEditText(text);
  return c;
}

QPushButton* SmallButton(QWidget* parent, const char* name, const QString& hint, QStyle::StandardPixmap icon) {
  auto* b = new QPushButton(parent);
  b->setObjectName(QString::fromLatin1(name));
  b->setIcon(parent->style()->standardIcon(icon));
  b->setFixedSize(22, 22);
  b->setToolTip(hint);
  b->setAccessibleName(hint);
  b->setAutoDefault(false);
  b->setFocusPolicy(Qt::TabFocus);
  return b;
}

QCheckBox* SaveBox(QWidget* parent, const char* name, const QString& caption, bool checked) {
  auto* c = new QCheckBox(caption, parent);
  c->setObjectName(QString::fromLatin1(name));
  c->setChecked(checked);
  c->setToolTip(QStringLiteral("Save the ") + caption);
  return c;
}

QString ImportHint(const char* field) {
  return QStringLiteral("<<< Import the Tester's History into \"") + QString::fromLatin1(field) +
         QStringLiteral("\" field");
}

}  // namespace

TSearchForm::TSearchForm(Platform& platform, TWindows& windows)
    : QDialog(nullptr, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                           Qt::WindowCloseButtonHint),
      platform_(platform), windows_(windows) {
  setObjectName(QStringLiteral("SearchForm"));
  setWindowTitle(QStringLiteral("Prime numbers Search Engine"));
  setFont(ArialFont(13, true));
  BuildControls();
  ConnectEvents();
  // The design size, grown where the texts need more room in the font at hand.
  setFixedSize(QSize(566, 372).expandedTo(minimumSizeHint()));
  if (QScreen* screen = this->screen()) move(screen->availableGeometry().center() - rect().center());
  FormCreate();
}

void TSearchForm::BuildControls() {
  Label1 = new QLabel(QStringLiteral("From :"), this);
  Label1->setObjectName(QStringLiteral("Label1"));
  Label2 = new QLabel(QStringLiteral("To :"), this);
  Label2->setObjectName(QStringLiteral("Label2"));
  LowInterval = BoundField(this, "LowInterval", QStringLiteral("2"), QStringLiteral("From"));
  HighInterval = BoundField(this, "HighInterval", QStringLiteral("100"), QStringLiteral("To"));
  Label1->setBuddy(LowInterval);
  Label2->setBuddy(HighInterval);

  BitBtn3 = SmallButton(this, "BitBtn3", QStringLiteral("<<< Erase this History"), QStyle::SP_DialogDiscardButton);
  BitBtn4 = SmallButton(this, "BitBtn4", ImportHint("From"), QStyle::SP_ArrowDown);
  BitBtn5 = SmallButton(this, "BitBtn5", QStringLiteral("<<< Erase this History"), QStyle::SP_DialogDiscardButton);
  BitBtn6 = SmallButton(this, "BitBtn6", ImportHint("To"), QStyle::SP_ArrowDown);

  GO = new QPushButton(style()->standardIcon(QStyle::SP_FileDialogContentsView), QStringLiteral("&Search"), this);
  GO->setObjectName(QStringLiteral("GO"));
  GO->setToolTip(QStringLiteral("Click here in order to start searching..."));
  GO->setDefault(true);
  GO->setCursor(Qt::PointingHandCursor);
  GO->setMouseTracking(true);
  BitBtn2 = new QPushButton(style()->standardIcon(QStyle::SP_DialogCloseButton), QStringLiteral("&Close"), this);
  BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
  BitBtn2->setToolTip(QStringLiteral("Exit the Search engine"));
  BitBtn2->setAutoDefault(false);

  PageControl1 = new TPageControl(this);
  PageControl1->setObjectName(QStringLiteral("PageControl1"));
  PageControl1->SetSelectorFont(ArialFont(11, true));
  const char* const reportNames[kSearchPartCount] = {"Report", "Report2", "Report3", "Report4", "Report5"};
  const char* const captions[kSearchPartCount] = {"Part 1", "Part 2", "Part 3", "Part 4", "Part 5  "};
  for (int k = 0; k < kSearchPartCount; ++k) {
    auto* list = new QListView;
    list->setObjectName(QString::fromLatin1(reportNames[k]));
    list->setAccessibleName(QStringLiteral("Part %1").arg(k + 1));
    // 32000 rows per part, read from the state on demand: uniform rows keep
    // showing and scrolling them fast.
    models_[k] = new TSearchPartModel(state_, k, list);
    list->setModel(models_[k]);
    list->setUniformItemSizes(true);
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list->setFrameShape(QFrame::NoFrame);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    auto* sheet = new QWidget;
    sheet->setObjectName(QStringLiteral("TabSheet%1").arg(k + 1));
    auto* fill = new QVBoxLayout(sheet);
    fill->setContentsMargins(0, 0, 0, 0);
    fill->addWidget(list);
    PageControl1->AddPage(sheet, QString::fromLatin1(captions[k]));
    reports_[k] = list;
  }
  Report = reports_[0];
  Report2 = reports_[1];
  Report3 = reports_[2];
  Report4 = reports_[3];
  Report5 = reports_[4];

  GroupBox1 = new QGroupBox(QStringLiteral("  The research summary :   "), this);
  GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
  ResumeListBox = new QListWidget(GroupBox1);
  ResumeListBox->setObjectName(QStringLiteral("ResumeListBox"));
  ResumeListBox->setAccessibleName(QStringLiteral("The research summary"));
  ResumeListBox->setSelectionMode(QAbstractItemView::ExtendedSelection);
  ResumeListBox->setFont(ArialFont(11, false));
  QPalette blue = ResumeListBox->palette();
  blue.setColor(QPalette::Text, Qt::blue);
  ResumeListBox->setPalette(blue);

  IntroCheck = SaveBox(GroupBox1, "IntroCheck", QStringLiteral("Intro"), true);
  IntroCheck->setToolTip(QStringLiteral("Save the research summary"));
  part1Check = SaveBox(GroupBox1, "part1Check", QStringLiteral("Part 1"), false);
  CheckBox1 = SaveBox(GroupBox1, "CheckBox1", QStringLiteral("Part 2"), false);
  CheckBox2 = SaveBox(GroupBox1, "CheckBox2", QStringLiteral("Part 3"), false);
  CheckBox3 = SaveBox(GroupBox1, "CheckBox3", QStringLiteral("Part 4"), false);
  CheckBox4 = SaveBox(GroupBox1, "CheckBox4", QStringLiteral("Part 5"), false);
  QCheckBox* const boxes[] = {IntroCheck, part1Check, CheckBox1, CheckBox2, CheckBox3, CheckBox4};
  for (int i = 0; i <= kSearchPartCount; ++i) saveChecks_[i] = boxes[i];
  BitBtn1 = new QPushButton(style()->standardIcon(QStyle::SP_DialogSaveButton), QStringLiteral("Save to file"),
                            GroupBox1);
  BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
  BitBtn1->setToolTip(QStringLiteral("Save the current numbers' list into files..."));
  BitBtn1->setAutoDefault(false);

  SelLabel = new QLabel(QStringLiteral("No Selection"), this);
  SelLabel->setObjectName(QStringLiteral("SelLabel"));
  SelLabel->setAlignment(Qt::AlignCenter);
  ValLabel = new QLabel(QStringLiteral("Value="), this);
  ValLabel->setObjectName(QStringLiteral("ValLabel"));
  ValEdit = new QLineEdit(this);
  ValEdit->setObjectName(QStringLiteral("ValEdit"));
  ValEdit->setAccessibleName(QStringLiteral("Value"));
  ValEdit->setReadOnly(true);  // shows the selected entry; there is nothing to edit
  ValLabel->setBuddy(ValEdit);

  auto* top = new QHBoxLayout;
  top->setSpacing(4);
  top->addWidget(Label1);
  top->addWidget(LowInterval, 1);
  top->addWidget(BitBtn3);
  top->addWidget(BitBtn4);
  top->addSpacing(6);
  top->addWidget(Label2);
  top->addWidget(HighInterval, 1);
  top->addWidget(BitBtn5);
  top->addWidget(BitBtn6);
  top->addSpacing(6);
  top->addWidget(GO);
  top->addWidget(BitBtn2);

  auto* value = new QHBoxLayout;
  value->addWidget(ValLabel);
  value->addWidget(ValEdit, 1);
  auto* left = new QVBoxLayout;
  left->setSpacing(4);
  left->addWidget(PageControl1, 1);
  left->addWidget(SelLabel);
  left->addLayout(value);

  auto* checks = new QGridLayout;
  checks->setHorizontalSpacing(8);
  checks->setVerticalSpacing(2);
  for (int i = 0; i <= kSearchPartCount; ++i) checks->addWidget(boxes[i], i / 3, i % 3);
  auto* save = new QHBoxLayout;
  save->addStretch();
  save->addWidget(BitBtn1);
  auto* summary = new QVBoxLayout(GroupBox1);
  summary->setContentsMargins(6, 4, 6, 6);
  summary->setSpacing(4);
  summary->addWidget(ResumeListBox, 1);
  summary->addLayout(checks);
  summary->addLayout(save);

  auto* middle = new QHBoxLayout;
  middle->setSpacing(8);
  middle->addLayout(left, 1);
  middle->addWidget(GroupBox1, 1);

  auto* all = new QVBoxLayout(this);
  all->setContentsMargins(8, 8, 8, 8);
  all->setSpacing(8);
  all->addLayout(top);
  all->addLayout(middle, 1);
}

void TSearchForm::ConnectEvents() {
  connect(GO, &QPushButton::clicked, this, &TSearchForm::GOClick);
  connect(BitBtn2, &QPushButton::clicked, this, &QDialog::reject);
  connect(BitBtn1, &QPushButton::clicked, this, &TSearchForm::BitBtn1Click);
  connect(BitBtn3, &QPushButton::clicked, this, &TSearchForm::BitBtn3Click);
  connect(BitBtn4, &QPushButton::clicked, this, &TSearchForm::BitBtn4Click);
  connect(BitBtn5, &QPushButton::clicked, this, &TSearchForm::BitBtn5Click);
  connect(BitBtn6, &QPushButton::clicked, this, &TSearchForm::BitBtn6Click);
  GO->installEventFilter(this);

  RunOnReturn(LowInterval, [this] { GOClick(); });
  RunOnReturn(HighInterval, [this] { GOClick(); });
  for (QComboBox* field : {LowInterval, HighInterval}) {
    InstallDigitFilter(field, [this, field](std::uint16_t key) {
      if (field == LowInterval) LowIntervalKeyUp(key);
      else HighIntervalKeyUp(key);
    });
    // Typing or choosing an entry of the list is a change by the user; the
    // texts the search writes back are not.
    const auto changed = field == LowInterval ? &TSearchForm::LowIntervalChange : &TSearchForm::HighIntervalChange;
    connect(field->lineEdit(), &QLineEdit::textEdited, this, changed);
    OnUserPick(field, [this, field, changed](int index) {
      // An entry longer than the typing limit (imported, or 10^18) is taken whole.
      if (index >= 0) SetTextBeyondLimit(field->lineEdit(), kBoundLimit, field->itemText(index));
      (this->*changed)();
    });
  }

  void (TSearchForm::*const clicks[kSearchPartCount])() = {&TSearchForm::ReportClick, &TSearchForm::Report2Click,
                                                           &TSearchForm::Report3Click, &TSearchForm::Report4Click,
                                                           &TSearchForm::Report5Click};
  for (int k = 0; k < kSearchPartCount; ++k) {
    const auto click = clicks[k];
    // Clicks and the keyboard both move the selection.
    connect(reports_[k]->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this, click](const QModelIndex&, const QModelIndex&) { (this->*click)(); });
    connect(reports_[k], &QListView::clicked, this, [this, click](const QModelIndex&) { (this->*click)(); });
  }
}
