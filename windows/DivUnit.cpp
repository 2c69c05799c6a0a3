// The divisor finder window: its controls, the search, the history, the
// tree's commands and its size.
#include "windows/DivUnit.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QHideEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QResizeEvent>
#include <QStyle>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <vector>

#include "platform/Platform.h"
#include "settings/SettingsStore.h"
#include "windows/MainUnit.h"
#include "windows/OptionsUnit.h"
#include "windows/FieldKeys.h"
#include "windows/SettingBindings.h"
#include "windows/SharedRoutines.h"
#include "windows/WidgetHelpers.h"

namespace {

constexpr int kNumberLimit = 18;
constexpr int kMinWidth = 218;
constexpr int kMinHeight = 215;
constexpr int kImageRole = Qt::UserRole;

QString Q(const std::string& s) { return QString::fromStdString(s); }
std::string S(const QString& s) { return s.toStdString(); }

QPushButton* SmallButton(QWidget* parent, const char* name, const QString& hint, QStyle::StandardPixmap icon) {
  auto* b = new QPushButton(parent);
  b->setObjectName(QString::fromLatin1(name));
  b->setIcon(parent->style()->standardIcon(icon));
  b->setFixedSize(24, 22);
  b->setToolTip(hint);
  b->setAccessibleName(hint);
  b->setFocusPolicy(Qt::TabFocus);
  return b;
}

// Walks the tree in display order, as the list file holds it.
void AppendEntries(const QTreeWidgetItem* parent, int level, TDivisorTree& tree) {
  for (int i = 0; i < parent->childCount(); ++i) {
    const QTreeWidgetItem* item = parent->child(i);
    tree.push_back({S(item->text(0)), TDivForm::ImageOf(item), level});
    AppendEntries(item, level + 1, tree);
  }
}

}  // namespace

TDivForm::TDivForm(Platform& platform, SettingsStore& settings, TWindows& windows)
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                           Qt::WindowCloseButtonHint),
      platform_(platform), settings_(settings), windows_(windows) {
  setObjectName(QStringLiteral("DivForm"));
  setWindowTitle(QStringLiteral("All dividers..."));
  // Closing only hides the window: its contents live until the program ends.
  setAttribute(Qt::WA_DeleteOnClose, false);
  QFont f = font();
  f.setFamily(QStringLiteral("Arial"));
  f.setStyleHint(QFont::SansSerif);
  f.setPixelSize(11);
  setFont(f);
  BuildControls();
  ConnectEvents();
  setMinimumSize(MinimumWidth(), kMinHeight);
  resize(std::max(218, MinimumWidth()), 250);
}

void TDivForm::BuildControls() {
  ComboBox1 = new QComboBox(this);
  ComboBox1->setObjectName(QStringLiteral("ComboBox1"));
  ComboBox1->setAccessibleName(QStringLiteral("Number"));
  ComboBox1->setEditable(true);
  ComboBox1->setInsertPolicy(QComboBox::NoInsert);  // the history grows by searches only
  ComboBox1->setCompleter(nullptr);
  ComboBox1->setToolTip(QStringLiteral(" < e19"));
  ComboBox1->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
  ComboBox1->setMinimumContentsLength(6);
  QFont bold = font();
  bold.setBold(true);
  ComboBox1->setFont(bold);
  KeepTypingLimit(ComboBox1->lineEdit(), kNumberLimit);

  FindButton = new QPushButton(style()->standardIcon(QStyle::SP_FileDialogContentsView), QStringLiteral("Find"), this);
  FindButton->setObjectName(QStringLiteral("FindButton"));
  FindButton->setFont(bold);
  FindButton->setToolTip(QStringLiteral("Find all dividers"));
  FindButton->setDefault(true);
  FindButton->setCursor(Qt::PointingHandCursor);

  DividersTree = new QTreeWidget(this);
  DividersTree->setObjectName(QStringLiteral("DividersTree"));
  DividersTree->setAccessibleName(QStringLiteral("Dividers"));
  DividersTree->setHeaderHidden(true);
  DividersTree->setColumnCount(1);
  DividersTree->setEditTriggers(QAbstractItemView::NoEditTriggers);
  DividersTree->setFrameShape(QFrame::NoFrame);
  DividersTree->setIndentation(19);
  DividersTree->setUniformRowHeights(true);
  DividersTree->setIconSize(QSize(16, 16));

  Copyfactor1 = new QAction(QStringLiteral("&Copy the selected factor"), this);
  Copyfactor1->setObjectName(QStringLiteral("Copyfactor1"));
  ListPopupMenu = new QMenu(this);
  ListPopupMenu->setObjectName(QStringLiteral("ListPopupMenu"));
  ListPopupMenu->addAction(Copyfactor1);
  DividersTree->setContextMenuPolicy(Qt::CustomContextMenu);

  Label2 = new QLabel(this);
  Label2->setObjectName(QStringLiteral("Label2"));
  Label2->setAlignment(Qt::AlignCenter);
  // One line: the window is made wide enough for the longest result line.
  Label2->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);

  BitBtn1 = SmallButton(this, "BitBtn1", QStringLiteral("Erase current tool's History"),
                        QStyle::SP_DialogDiscardButton);
  ImportButton = SmallButton(this, "ImportButton", QStringLiteral("Import the Tester's History"), QStyle::SP_ArrowDown);
  BitBtn2 = SmallButton(this, "BitBtn2", QStringLiteral("Save the current list into a file"),
                        QStyle::SP_DialogSaveButton);
  BitBtn6 = SmallButton(this, "BitBtn6", QStringLiteral("Load a list from a saved file"),
                        QStyle::SP_DialogOpenButton);
  ExpandButton = SmallButton(this, "ExpandButton", QStringLiteral("Expand the list"), QStyle::SP_ToolBarVerticalExtensionButton);
  BitBtn5 = SmallButton(this, "BitBtn5", QStringLiteral("Summary"), QStyle::SP_ToolBarHorizontalExtensionButton);

  auto* top = new QHBoxLayout;
  top->setSpacing(4);
  top->addWidget(ComboBox1, 1);
  top->addWidget(FindButton);
  auto* bottom = new QHBoxLayout;
  bottom->setSpacing(2);
  for (QPushButton* b : {BitBtn1, ImportButton, BitBtn2, BitBtn6, ExpandButton, BitBtn5}) bottom->addWidget(b);
  bottom->addStretch();
  auto* all = new QVBoxLayout(this);
  all->setContentsMargins(4, 4, 4, 4);
  all->setSpacing(4);
  all->addLayout(top);
  all->addWidget(DividersTree, 1);
  all->addWidget(Label2);
  all->addLayout(bottom);
}

void TDivForm::ConnectEvents() {
  connect(FindButton, &QPushButton::clicked, this, &TDivForm::FindButtonClick);
  connect(ExpandButton, &QPushButton::clicked, this, &TDivForm::ExpandButtonClick);
  connect(BitBtn5, &QPushButton::clicked, this, &TDivForm::BitBtn5Click);
  connect(BitBtn1, &QPushButton::clicked, this, &TDivForm::BitBtn1Click);
  connect(ImportButton, &QPushButton::clicked, this, &TDivForm::ImportButtonClick);
  connect(BitBtn2, &QPushButton::clicked, this, &TDivForm::BitBtn2Click);
  connect(BitBtn6, &QPushButton::clicked, this, &TDivForm::BitBtn6Click);
  connect(Copyfactor1, &QAction::triggered, this, &TDivForm::Copyfactor1Click);
  connect(DividersTree, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
    ListPopupMenu->popup(DividersTree->viewport()->mapToGlobal(at));
  });
  FindButton->installEventFilter(this);
  InstallDigitFilter(ComboBox1, [this](std::uint16_t key) { ComboBox1KeyUp(key); });
  RunOnReturn(ComboBox1, [this] { FindButtonClick(); });
  connect(ComboBox1->lineEdit(), &QLineEdit::textEdited, this, &TDivForm::ComboBox1Change);
  OnUserPick(ComboBox1, [this](int index) {
    // An imported entry longer than the typing limit is taken whole.
    if (index >= 0) SetTextBeyondLimit(ComboBox1->lineEdit(), kNumberLimit, ComboBox1->itemText(index));
    ComboBox1Change();
  });
}

int TDivForm::ImageOf(const QTreeWidgetItem* item) {
  const QVariant image = item->data(0, kImageRole);
  return image.isValid() ? image.toInt() : kNoImage;
}

TDivisorTree TDivForm::Tree() const {
  TDivisorTree tree;
  AppendEntries(DividersTree->invisibleRootItem(), 0, tree);
  return tree;
}

QString TDivForm::Separator() const { return QString(platform_.DecimalSeparator()); }

void TDivForm::ShowTree(const TDivisorTree& tree) {
  const QIcon images[2] = {style()->standardIcon(QStyle::SP_DialogApplyButton),
                           style()->standardIcon(QStyle::SP_ArrowRight)};
  DividersTree->clear();
  // parents[k]: the last entry of level k; an entry's parent is the last
  // one a level up.
  std::vector<QTreeWidgetItem*> parents{DividersTree->invisibleRootItem()};
  QList<QTreeWidgetItem*> top;
  for (const TTreeEntry& e : tree) {
    const std::size_t level = std::min<std::size_t>(static_cast<std::size_t>(std::max(e.level, 0)), parents.size() - 1);
    parents.resize(level + 1);
    auto* item = new QTreeWidgetItem(QStringList{Q(e.text)});
    item->setData(0, kImageRole, e.image);
    if (e.image == kSquareRootImage || e.image == kCofactorImage) item->setIcon(0, images[e.image]);
    if (level == 0)
      top << item;  // added in one go below: fast for long lists
    else
      parents.back()->addChild(item);
    parents.push_back(item);
  }
  DividersTree->addTopLevelItems(top);
}

void TDivForm::SetResultLine(const QString& text, bool red) {
  Label2->setText(text);
  QPalette p = Label2->palette();
  p.setColor(QPalette::WindowText, red ? Qt::red : Qt::black);
  Label2->setPalette(p);
}

void TDivForm::ShowFromMain() {
  int w = SettingInfo(TSetting::WWidth).designDefault.toInt();
  int h = SettingInfo(TSetting::WHeight).designDefault.toInt();
  LoadSettings(settings_, StoredSize(&w, &h));
  resize(std::max(w, MinimumWidth()), std::max(h, kMinHeight));
  if (windows_.OptionsForm && windows_.OptionsForm->AutoImport->isChecked()) ImportButtonClick();
  if (windows_.MainForm) {
    const QRect main = windows_.MainForm->frameGeometry();
    move(main.left() + main.width(), main.top());
  }
  show();
  raise();
  activateWindow();
}

void TDivForm::FindButtonClick() {
  if (platform_.RefuseDuringLongWork()) return;
  const TDivisorOutcome out = FindDivisors(S(ComboBox1->currentText()), S(Separator()));
  if (!out.error.empty()) {
    platform_.ShowError(Q(out.error));
    return;
  }
  const QString number = Q(out.fieldText);
  SetTextBeyondLimit(ComboBox1->lineEdit(), kNumberLimit, number);
  TOptionsForm* options = windows_.OptionsForm;
  {
    BusyCursor busy(platform_);
    if (options && options->HistoryList->isChecked()) AddHistoryItem(ComboBox1, number, sorted_);
    ShowTree(out.tree);
  }
  SetResultLine(Q(out.resultLine), out.resultRed);
  if (out.prime) {
    platform_.Beep();
    if (options && options->Messages->isChecked()) platform_.ShowMessage(Q(out.primeMessage));
    const QString prime = Q(out.primeListText);
    if (options && options->AddToHisCheckBox->isChecked() && !IsInList(prime, options->Primes()))
      options->AddPrime(prime);
  }
  ComboBox1->setFocus();
  if (options && options->AutoExpand->isChecked()) ExpandButtonClick();
}

void TDivForm::FindButtonMouseMove() { FindButton->setToolTip(Q(FindButtonHint(S(ComboBox1->currentText())))); }

void TDivForm::ComboBox1Change() { FindButton->setEnabled(!ComboBox1->currentText().isEmpty()); }

void TDivForm::ComboBox1KeyUp(std::uint16_t key) {
  ApplyDigitFilter(ComboBox1, windows_.OptionsForm && windows_.OptionsForm->FilterCheckBox->isChecked(), key);
}

void TDivForm::ExpandButtonClick() { DividersTree->expandAll(); }
void TDivForm::BitBtn5Click() { DividersTree->collapseAll(); }

void TDivForm::BitBtn1Click() { ClearHistoryItems(ComboBox1); }

void TDivForm::ImportButtonClick() {
  if (!windows_.MainForm) return;
  for (const QString& item : ItemTexts(windows_.MainForm->NumberEdit)) AddHistoryItem(ComboBox1, item, sorted_);
}

void TDivForm::Copyfactor1Click() {
  const QTreeWidgetItem* item = DividersTree->currentItem();
  if (item && item->isSelected()) platform_.SetClipboardText(item->text(0));
}

void TDivForm::FormActivate() {
  ComboBox1->setFocus();
  sorted_ = windows_.OptionsForm && windows_.OptionsForm->SortCheckBox->isChecked();
  if (sorted_) SortHistoryItems(ComboBox1);
}

TSettingBindings TDivForm::StoredSize(int* width, int* height) {
  // Stored: the window's size; loaded: into width and height, applied by
  // the opener.
  return {
      {TSetting::WWidth, [this] { return QVariant(this->width()); }, [width](const QVariant& v) { *width = v.toInt(); }},
      {TSetting::WHeight, [this] { return QVariant(this->height()); },
       [height](const QVariant& v) { *height = v.toInt(); }},
  };
}

int TDivForm::MinimumWidth() const {
  // The design minimum, or the room the longest result line needs in the
  // font at hand.
  const QFontMetrics metrics(Label2->font());
  int text = 0;
  // The result lines FindDivisors writes, the count at its widest.
  const QString lines[] = {QString::fromLatin1(kDivisorsBelowTwo), QStringLiteral("We\"ve found a prime number !"),
                           QStringLiteral("We\"ve found 888888 dividers")};
  for (const QString& line : lines) text = std::max(text, metrics.horizontalAdvance(line));
  const QMargins margins = layout() ? layout()->contentsMargins() : QMargins(4, 4, 4, 4);
  return std::max(kMinWidth, text + margins.left() + margins.right() + 2 * Label2->frameWidth() + 4);
}

void TDivForm::FormResize() {
  // The minimum size already holds the window; this catches a platform that
  // ignores it.
  const int minWidth = MinimumWidth();
  if (width() < minWidth || height() < kMinHeight)
    resize(std::max(width(), minWidth), std::max(height(), kMinHeight));
}

void TDivForm::FormHide() {
  StoreSettings(settings_, StoredSize(nullptr, nullptr));
}

bool TDivForm::event(QEvent* e) {
  if (e->type() == QEvent::WindowActivate) FormActivate();
  return QWidget::event(e);
}

void TDivForm::hideEvent(QHideEvent* e) {
  QWidget::hideEvent(e);
  // Only a real hiding of the window, not a minimising by the system.
  if (!e->spontaneous()) FormHide();
}

void TDivForm::resizeEvent(QResizeEvent* e) {
  QWidget::resizeEvent(e);
  FormResize();
}

bool TDivForm::eventFilter(QObject* watched, QEvent* e) {
  if (watched == FindButton &&
      (e->type() == QEvent::MouseMove || e->type() == QEvent::Enter || e->type() == QEvent::ToolTip))
    FindButtonMouseMove();
  return QWidget::eventFilter(watched, e);
}
