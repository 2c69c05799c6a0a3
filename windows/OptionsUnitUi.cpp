// Construction of the options window's pages and the wiring of their events.
#include "windows/OptionsUnit.h"

#include <QApplication>
#include <QCheckBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QTabWidget>
#include <QVBoxLayout>

#include "windows/WidgetHelpers.h"

namespace {

QIcon ThemedIcon(const char* theme, QStyle::StandardPixmap fallback) {
  return QIcon::fromTheme(QString::fromLatin1(theme), QApplication::style()->standardIcon(fallback));
}

QPushButton* PictureButton(QWidget* parent, const char* name, const QString& hint, const QIcon& icon,
                           int width) {
  auto* b = new QPushButton(parent);
  b->setObjectName(QString::fromLatin1(name));
  b->setIcon(icon);
  b->setFixedSize(width, 25);
  b->setToolTip(hint);
  b->setAccessibleName(hint);
  b->setAutoDefault(false);
  return b;
}

QCheckBox* Box(QWidget* parent, const char* name, const QString& caption, bool ticked) {
  auto* c = new QCheckBox(caption, parent);
  c->setObjectName(QString::fromLatin1(name));
  c->setChecked(ticked);
  return c;
}

QListWidget* List(QWidget* parent, const char* name, const QString& readAs, int height) {
  auto* l = new QListWidget(parent);
  l->setObjectName(QString::fromLatin1(name));
  l->setAccessibleName(readAs);
  l->setFixedHeight(height);
  l->setMouseTracking(true);
  l->viewport()->setMouseTracking(true);
  return l;
}

QGroupBox* Group(QWidget* parent, const char* name, const QString& caption) {
  auto* g = new QGroupBox(caption, parent);
  g->setObjectName(QString::fromLatin1(name));
  return g;
}

}  // namespace

void TOptionsForm::BuildHistoryPage() {
  TabSheet1 = new QWidget;
  TabSheet1->setObjectName(QStringLiteral("TabSheet1"));
  auto* page = new QVBoxLayout(TabSheet1);
  page->setContentsMargins(2, 2, 2, 2);
  page->setSpacing(3);
  const QIcon save = QApplication::style()->standardIcon(QStyle::SP_DialogSaveButton);
  const QIcon clear = ThemedIcon("edit-clear", QStyle::SP_DialogDiscardButton);
  const QIcon print = ThemedIcon("document-print", QStyle::SP_FileDialogDetailedView);

  auto row = [&](QCheckBox* box, QPushButton* a, QPushButton* b, QPushButton* c) {
    auto* r = new QHBoxLayout;
    r->setSpacing(4);
    r->addSpacing(12);
    r->addWidget(box);
    r->addSpacing(16);
    r->addWidget(a);
    r->addWidget(b);
    r->addWidget(c);
    r->addStretch(1);
    page->addLayout(r);
  };

  PremiersCheckBox = Box(TabSheet1, "PremiersCheckBox", QStringLiteral("Prime numbers list :"), true);
  BitBtn1 = PictureButton(TabSheet1, "BitBtn1", QStringLiteral("Save the Prime list into a file"), save, 30);
  BitBtn2 = PictureButton(TabSheet1, "BitBtn2", QStringLiteral("Clear the Prime list"), clear, 30);
  PrintPBtn = PictureButton(TabSheet1, "PrintPBtn", QStringLiteral("Print the Prime #s' list"), print, 30);
  Memo1 = List(TabSheet1, "Memo1", QStringLiteral("Prime numbers list :"), 93);
  row(PremiersCheckBox, BitBtn1, BitBtn2, PrintPBtn);
  page->addWidget(Memo1);

  NonPremiersCheckBox = Box(TabSheet1, "NonPremiersCheckBox", QStringLiteral("Composite numbers list :"), true);
  BitBtn3 = PictureButton(TabSheet1, "BitBtn3", QStringLiteral("Save the composites  list into a file"), save, 30);
  BitBtn4 = PictureButton(TabSheet1, "BitBtn4", QStringLiteral("Clear the composites list"), clear, 30);
  PrintNPBtn = PictureButton(TabSheet1, "PrintNPBtn", QStringLiteral("Print the composites #s' list"), print, 30);
  Memo2 = List(TabSheet1, "Memo2", QStringLiteral("Composite numbers list :"), 106);
  page->addSpacing(4);
  row(NonPremiersCheckBox, BitBtn3, BitBtn4, PrintNPBtn);
  page->addWidget(Memo2);
  page->addStretch(1);

  // Save buttons start disabled; they follow the lists' contents.
  BitBtn1->setEnabled(false);
  BitBtn3->setEnabled(false);
}

void TOptionsForm::BuildNotebookPage() {
  TabSheet2 = new QWidget;
  TabSheet2->setObjectName(QStringLiteral("TabSheet2"));
  auto* page = new QVBoxLayout(TabSheet2);
  page->setContentsMargins(0, 0, 0, 2);
  page->setSpacing(6);
  NoteEdit = new QPlainTextEdit(TabSheet2);
  NoteEdit->setObjectName(QStringLiteral("NoteEdit"));
  NoteEdit->setAccessibleName(QStringLiteral("Notebook"));
  NoteEdit->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  NoteEdit->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  NoteEdit->setLineWrapMode(QPlainTextEdit::NoWrap);
  // Read-only until "Edition mode" is ticked, as that box shows.
  NoteEdit->setReadOnly(true);
  NoteEdit->setFixedHeight(229);
  page->addWidget(NoteEdit);

  auto* r = new QHBoxLayout;
  r->setContentsMargins(20, 0, 8, 0);
  r->setSpacing(9);
  RefBox = Box(TabSheet2, "RefBox", QStringLiteral("Auto-refresh"), true);
  CheckBox1 = Box(TabSheet2, "CheckBox1", QStringLiteral("Edition mode"), false);
  NoteSave = PictureButton(TabSheet2, "NoteSave", QStringLiteral("Save the notebook contents above"),
                           QApplication::style()->standardIcon(QStyle::SP_DialogSaveButton), 26);
  NoteErase = PictureButton(TabSheet2, "NoteErase", QStringLiteral("Clear all the notebook"),
                            ThemedIcon("edit-clear", QStyle::SP_DialogDiscardButton), 26);
  r->addWidget(RefBox);
  r->addSpacing(12);
  r->addWidget(CheckBox1);
  r->addStretch(1);
  r->addWidget(NoteSave);
  r->addWidget(NoteErase);
  page->addLayout(r);
}

void TOptionsForm::BuildToolsPage() {
  TabSheet3 = new QWidget;
  TabSheet3->setObjectName(QStringLiteral("TabSheet3"));
  auto* page = new QGridLayout(TabSheet3);
  page->setContentsMargins(14, 24, 14, 10);
  page->setHorizontalSpacing(4);
  page->setVerticalSpacing(4);

  GroupBox1 = Group(TabSheet3, "GroupBox1", QStringLiteral("The primacy Tester : "));
  auto* tester = new QVBoxLayout(GroupBox1);
  const QString hint = QStringLiteral("Please no more han 40 characers");
  auto verdict = [&](const char* name, const QString& label, const QString& text, QLabel*& caption) {
    auto* e = new QLineEdit(GroupBox1);
    e->setObjectName(QString::fromLatin1(name));
    KeepTypingLimit(e, 40);
    e->setText(text);
    e->setToolTip(hint);
    e->setAccessibleName(label);
    caption = new QLabel(label, GroupBox1);
    caption->setObjectName(QString::fromLatin1(name) + QStringLiteral("Label"));
    caption->setBuddy(e);
    tester->addWidget(caption);
    tester->addWidget(e);
    return e;
  };
  LabeledEdit1 = verdict("LabeledEdit1", QStringLiteral("if a prime number is found..."),
                         QStringLiteral("This is a prime number"), LabeledEdit1Label);
  tester->addSpacing(6);
  LabeledEdit2 = verdict("LabeledEdit2", QStringLiteral("if not..."), QStringLiteral("This is composite"),
                         LabeledEdit2Label);
  tester->addSpacing(6);
  SepareResult = Box(GroupBox1, "SepareResult", QStringLiteral("Auto-separate results"), false);
  tester->addWidget(SepareResult);
  tester->addStretch(1);

  GroupBox2 = Group(TabSheet3, "GroupBox2", QStringLiteral("Divisors finder : "));
  auto* divisors = new QVBoxLayout(GroupBox2);
  AutoImport = Box(GroupBox2, "AutoImport", QStringLiteral("Auto import from the Tester"), false);
  HistoryList = Box(GroupBox2, "HistoryList", QStringLiteral("History enabled"), true);
  AddToHisCheckBox = Box(GroupBox2, "AddToHisCheckBox", QStringLiteral("Add found prime to History"), true);
  AutoExpand = Box(GroupBox2, "AutoExpand", QStringLiteral("Auto expand list"), false);
  Messages = Box(GroupBox2, "Messages", QStringLiteral("Show messages"), true);
  for (QCheckBox* c : {AutoImport, HistoryList, AddToHisCheckBox, AutoExpand, Messages}) divisors->addWidget(c);
  divisors->addStretch(1);

  GroupBox3 = Group(TabSheet3, "GroupBox3", QStringLiteral(" Search engine : "));
  auto* search = new QVBoxLayout(GroupBox3);
  TabsRadioButton = new QRadioButton(QStringLiteral("Tabs"), GroupBox3);
  TabsRadioButton->setObjectName(QStringLiteral("TabsRadioButton"));
  TabsRadioButton->setChecked(true);
  BtnRadioButton = new QRadioButton(QStringLiteral("Buttons"), GroupBox3);
  BtnRadioButton->setObjectName(QStringLiteral("BtnRadioButton"));
  LHCheck = Box(GroupBox3, "LHCheck", QStringLiteral("Estimations"), true);
  CTPNCheck = Box(GroupBox3, "CTPNCheck", QStringLiteral("Count Twin prime #s"), true);
  search->addWidget(TabsRadioButton);
  search->addWidget(BtnRadioButton);
  search->addWidget(LHCheck);
  search->addWidget(CTPNCheck);

  GroupBox4 = Group(TabSheet3, "GroupBox4", QStringLiteral("Apply to all tools : "));
  auto* all = new QVBoxLayout(GroupBox4);
  FilterCheckBox = Box(GroupBox4, "FilterCheckBox", QStringLiteral("Digit filter"), false);
  SortCheckBox = Box(GroupBox4, "SortCheckBox", QStringLiteral("Sort the History"), false);
  all->addWidget(FilterCheckBox);
  all->addWidget(SortCheckBox);

  WarnExit = Box(TabSheet3, "WarnExit", QStringLiteral("Notify me before exit the program"), true);

  page->addWidget(GroupBox1, 0, 0, 2, 1);
  page->addWidget(GroupBox2, 0, 1, 2, 1);
  page->addWidget(GroupBox3, 0, 2);
  page->addWidget(GroupBox4, 1, 2);
  page->addWidget(WarnExit, 2, 0, 1, 3);
  page->setRowStretch(3, 1);
}

void TOptionsForm::ConnectEvents() {
  connect(BitBtn5, &QPushButton::clicked, this, &TOptionsForm::BitBtn5Click);
  connect(BitBtn6, &QPushButton::clicked, this, &QDialog::reject);
  // A box's handler runs whenever its state changes, by a click or by the
  // stored options.
  connect(PremiersCheckBox, &QCheckBox::toggled, this, &TOptionsForm::PremiersCheckBoxClick);
  connect(NonPremiersCheckBox, &QCheckBox::toggled, this, &TOptionsForm::CheckBox2Click);
  connect(CheckBox1, &QCheckBox::toggled, this, &TOptionsForm::CheckBox1Click);
  connect(TabsRadioButton, &QRadioButton::toggled, this, [this](bool on) {
    if (on) TabsRadioButtonClick();
  });
  connect(BtnRadioButton, &QRadioButton::toggled, this, [this](bool on) {
    if (on) BtnRadioButtonClick();
  });
  const std::pair<QPushButton*, void (TOptionsForm::*)()> buttons[] = {
      {BitBtn1, &TOptionsForm::BitBtn8Click},      {BitBtn2, &TOptionsForm::BitBtn9Click},
      {BitBtn3, &TOptionsForm::BitBtn10Click},     {BitBtn4, &TOptionsForm::BitBtn11Click},
      {PrintPBtn, &TOptionsForm::PrintPBtnClick},  {PrintNPBtn, &TOptionsForm::PrintNPBtnClick},
      {NoteSave, &TOptionsForm::NoteSaveClick},    {NoteErase, &TOptionsForm::NoteEraseClick},
  };
  for (const auto& [button, handler] : buttons) connect(button, &QPushButton::clicked, this, handler);
  for (QWidget* w : {static_cast<QWidget*>(Memo1), Memo1->viewport(), static_cast<QWidget*>(Memo2), Memo2->viewport()})
    w->installEventFilter(this);
}

bool TOptionsForm::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::MouseMove) {
    if (watched == Memo1 || watched == Memo1->viewport()) Memo1MouseMove();
    else if (watched == Memo2 || watched == Memo2->viewport()) Memo2MouseMove();
  }
  return QDialog::eventFilter(watched, event);
}
