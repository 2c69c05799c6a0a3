// Construction of the main window's controls and menu, and the wiring of
// their events to the handlers.
#include "windows/MainUnit.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFontMetrics>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShortcut>
#include <QStatusBar>
#include <QStyle>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>

#include "windows/ElidedLabel.h"
#include "windows/FieldKeys.h"
#include "windows/Icons.h"
#include "windows/SharedRoutines.h"
#include "windows/WidgetHelpers.h"

namespace {

QFont ArialFont(int pixels, bool bold) {
  QFont f(QStringLiteral("Arial"));
  f.setStyleHint(QFont::SansSerif);
  f.setPixelSize(pixels);
  f.setBold(bold);
  return f;
}

// The theme's icon, else the program's drawing of it, else the style's
// nearest picture.
QIcon ThemedIcon(const char* theme, QStyle::StandardPixmap fallback) {
  const QIcon icon = StandardIcon(theme);
  if (!icon.isNull()) return icon;
  return QIcon::fromTheme(QString::fromLatin1(theme), QApplication::style()->standardIcon(fallback));
}

// A picture button: no caption, its hint is what a person reads for it.
QPushButton* PictureButton(QWidget* parent, const char* name, const QString& hint, const QIcon& icon) {
  auto* b = new QPushButton(parent);
  b->setObjectName(QString::fromLatin1(name));
  b->setIcon(icon);
  b->setFixedSize(26, 25);
  b->setToolTip(hint);
  b->setAccessibleName(hint);
  b->setAutoDefault(false);
  return b;
}

QPushButton* TestButton(QWidget* parent, const char* name, const QString& hint) {
  auto* b = new QPushButton(QStringLiteral("Test"), parent);
  b->setObjectName(QString::fromLatin1(name));
  b->setFixedSize(40, 28);
  b->setToolTip(hint);
  b->setAccessibleName(QStringLiteral("Test"));
  b->setAccessibleDescription(hint);
  b->setCursor(Qt::PointingHandCursor);
  b->setAutoDefault(false);
  return b;
}

QComboBox* InputField(QWidget* parent, const char* name, const QString& hint, const QString& readAs,
                      int limit) {
  auto* c = new QComboBox(parent);
  c->setObjectName(QString::fromLatin1(name));
  c->setEditable(true);
  // The testers keep the history themselves; Enter presses the default button.
  c->setInsertPolicy(QComboBox::NoInsert);
  c->setCompleter(nullptr);
  c->setToolTip(hint);
  c->setAccessibleName(readAs);
  c->setAccessibleDescription(hint);
  c->lineEdit()->setAccessibleName(readAs);
  KeepTypingLimit(c->lineEdit(), limit);
  return c;
}

QFrame* Bevel(QWidget* parent, const char* name) {
  auto* f = new QFrame(parent);
  f->setObjectName(QString::fromLatin1(name));
  f->setFrameShape(QFrame::Panel);
  f->setFrameShadow(QFrame::Sunken);
  return f;
}

QLabel* BoldLabel(QWidget* parent, const char* name, const QString& text, int pixels) {
  auto* l = new QLabel(text, parent);
  l->setObjectName(QString::fromLatin1(name));
  l->setFont(ArialFont(pixels, true));
  return l;
}

}  // namespace

void TMainForm::BuildControls() {
  setFont(ArialFont(12, true));
  const QFont regular = ArialFont(11, false);
  QStyle* st = QApplication::style();

  auto* central = new QWidget(this);
  central->setObjectName(QStringLiteral("ClientArea"));
  central->setMinimumWidth(463);
  setCentralWidget(central);
  auto* column = new QVBoxLayout(central);
  column->setContentsMargins(0, 0, 0, 0);
  column->setSpacing(0);

  // The generic tester.
  Bevel2 = Bevel(central, "Bevel2");
  auto* generic = new QGridLayout(Bevel2);
  generic->setContentsMargins(5, 3, 8, 2);
  generic->setHorizontalSpacing(6);
  generic->setVerticalSpacing(2);
  Label3 = BoldLabel(Bevel2, "Label3", QStringLiteral("Generic Primality Tester"), 11);
  NumberEdit = InputField(Bevel2, "NumberEdit", QStringLiteral(" < E200"),
                          QStringLiteral("Generic Primality Tester"), 200);
  NumberEdit->setFont(regular);
  NumberEdit->setMinimumWidth(371);
  // Its width is the design's: a long history entry must not widen the
  // fixed window.
  NumberEdit->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  NumberEdit->setMinimumContentsLength(1);
  NumberEdit->setFixedHeight(24);
  BitBtn1 = PictureButton(Bevel2, "BitBtn1", QStringLiteral("<<< Erase the Tester's History"),
                          ThemedIcon("edit-clear-history", QStyle::SP_DialogResetButton));
  Verifier = TestButton(Bevel2, "Verifier", QStringLiteral("Click here to test the number's primality"));
  Digital = new QLabel(Bevel2);
  Digital->setObjectName(QStringLiteral("Digital"));
  Digital->setFont(regular);
  Digital->setAlignment(Qt::AlignCenter);
  Digital->setFixedWidth(121);
  // One line whether empty or not, so its first count does not grow the window.
  Digital->setFixedHeight(Digital->fontMetrics().height() + 2);
  Digital->setAccessibleName(QStringLiteral("Digit count"));
  generic->addWidget(Label3, 0, 0, 1, 3);
  generic->addWidget(NumberEdit, 1, 0);
  generic->addWidget(BitBtn1, 1, 1);
  generic->addWidget(Verifier, 1, 2);
  generic->addWidget(Digital, 2, 0, Qt::AlignRight);
  column->addWidget(Bevel2);

  // The Mersenne tester.
  Bevel1 = Bevel(central, "Bevel1");
  auto* mersenne = new QHBoxLayout(Bevel1);
  mersenne->setContentsMargins(11, 4, 8, 4);
  mersenne->setSpacing(6);
  Label1 = BoldLabel(Bevel1, "Label1", QStringLiteral("Mersenne Tester  (2^p)-1"), 11);
  Label2 = BoldLabel(Bevel1, "Label2", QStringLiteral("p ="), 13);
  ComboBox1 = InputField(Bevel1, "ComboBox1", QStringLiteral(" < 99 999"), QStringLiteral("p ="), 5);
  ComboBox1->setFont(ArialFont(11, true));
  ComboBox1->setFixedWidth(67);
  ComboBox1->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  Label2->setBuddy(ComboBox1);
  BitBtn2 = PictureButton(Bevel1, "BitBtn2", QStringLiteral("<<< Erase the Tester's History"),
                          ThemedIcon("edit-clear-history", QStyle::SP_DialogResetButton));
  Button1 = TestButton(Bevel1, "Button1", QStringLiteral("Click here to perform a Lucas-Lehmer's test"));
  mersenne->addWidget(Label1);
  mersenne->addStretch(1);
  mersenne->addWidget(Label2);
  mersenne->addWidget(ComboBox1);
  mersenne->addWidget(BitBtn2);
  mersenne->addWidget(Button1);
  column->addWidget(Bevel1);

  // The results panel.
  RichEdit1 = new QPlainTextEdit(central);
  RichEdit1->setObjectName(QStringLiteral("RichEdit1"));
  RichEdit1->setAccessibleName(QStringLiteral("Results"));
  RichEdit1->setFont(regular);
  RichEdit1->setReadOnly(true);
  RichEdit1->setLineWrapMode(QPlainTextEdit::NoWrap);
  RichEdit1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  RichEdit1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  RichEdit1->setFixedHeight(130);
  column->addWidget(RichEdit1);

  // The row under the panel.
  auto* bottom = new QHBoxLayout;
  bottom->setContentsMargins(7, 3, 8, 3);
  bottom->setSpacing(8);
  RefBox = new QCheckBox(QStringLiteral("Auto-refresh"), central);
  RefBox->setObjectName(QStringLiteral("RefBox"));
  RefBox->setFont(regular);
  certifgen = new QCheckBox(QStringLiteral("Generate a certificate"), central);
  certifgen->setObjectName(QStringLiteral("certifgen"));
  certifgen->setFont(regular);
  certifgen->setChecked(true);
  BitBtn4 = PictureButton(central, "BitBtn4", QStringLiteral("Save the panel above on the hard drive"),
                          st->standardIcon(QStyle::SP_DialogSaveButton));
  BitBtn3 = PictureButton(central, "BitBtn3", QStringLiteral("Clear the panel above"),
                          ThemedIcon("edit-clear", QStyle::SP_DialogDiscardButton));
  bottom->addWidget(RefBox);
  bottom->addSpacing(30);
  bottom->addWidget(certifgen);
  bottom->addStretch(1);
  bottom->addWidget(BitBtn4);
  bottom->addWidget(BitBtn3);
  column->addLayout(bottom);

  // The clipboard buffer of the Edit commands; never shown.
  Temp = new QLineEdit(central);
  Temp->setObjectName(QStringLiteral("Temp"));
  Temp->setVisible(false);

  StatusBar1 = new QStatusBar(this);
  StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
  StatusBar1->setFont(regular);
  StatusBar1->setSizeGripEnabled(false);
  const char* panelNames[2] = {"StatusPanel0", "StatusPanel1"};
  for (int i = 0; i < 2; ++i) {
    statusPanels_[i] = new ElidedLabel(StatusBar1);
    statusPanels_[i]->setObjectName(QString::fromLatin1(panelNames[i]));
    statusPanels_[i]->setFrameShape(QFrame::Panel);
    statusPanels_[i]->setFrameShadow(QFrame::Sunken);
  }
  // Wide enough for its longest text in the font at hand.
  const QFontMetrics metrics(statusPanels_[0]->font());
  statusPanels_[0]->setFixedWidth(std::max(140, metrics.horizontalAdvance(QStringLiteral("No # have been tested yet")) + 12));
  statusPanels_[0]->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
  statusPanels_[0]->SetText(QStringLiteral("No # have been tested yet"));
  statusPanels_[1]->setMinimumWidth(50);
  statusPanels_[1]->SetText(QStringLiteral("Calvenna is ready."));
  StatusBar1->addWidget(statusPanels_[0]);
  StatusBar1->addWidget(statusPanels_[1], 1);
  setStatusBar(StatusBar1);

  // Tab order: the generic tester, the Mersenne tester, then the panel and
  // the row under it.
  QWidget* order[] = {NumberEdit, Verifier, BitBtn1, ComboBox1, Button1, BitBtn2,
                      RichEdit1,  BitBtn3,  BitBtn4, RefBox,    certifgen};
  for (size_t i = 0; i + 1 < std::size(order); ++i) setTabOrder(order[i], order[i + 1]);

  Timer1 = new QTimer(this);
  Timer1->setObjectName(QStringLiteral("Timer1"));
  Timer1->setSingleShot(true);
  Timer1->setInterval(500);
}

void TMainForm::BuildMenu() {
  QStyle* st = QApplication::style();
  QMenuBar* bar = menuBar();
  bar->setFont(QApplication::font());
  auto menu = [&](const char* name, const QString& caption) {
    QMenu* m = bar->addMenu(caption);
    m->setObjectName(QString::fromLatin1(name));
    m->setFont(QApplication::font());
    return m;
  };
  auto item = [&](QMenu* m, const char* name, const QString& caption, const QKeySequence& keys,
                  const QIcon& icon) {
    QAction* a = m->addAction(icon, caption);
    a->setObjectName(QString::fromLatin1(name));
    a->setShortcut(keys);
    // Short-cuts of this window act from every control of it.
    a->setShortcutContext(Qt::WindowShortcut);
    return a;
  };
  const QKeySequence none;
  using K = QKeySequence;

  Program1 = menu("Program1", QStringLiteral("&Program"));
  Exit1 = item(Program1, "Exit1", QStringLiteral("E&xit"), none, ThemedIcon("application-exit", QStyle::SP_DialogCloseButton));

  Edit1 = menu("Edit1", QStringLiteral("&Edit"));
  Cut1 = item(Edit1, "Cut1", QStringLiteral("Cu&t"), K(Qt::CTRL | Qt::Key_X), ThemedIcon("edit-cut", QStyle::SP_DialogDiscardButton));
  Copy1 = item(Edit1, "Copy1", QStringLiteral("&Copy"), K(Qt::CTRL | Qt::Key_C), ThemedIcon("edit-copy", QStyle::SP_FileDialogNewFolder));
  Paste1 = item(Edit1, "Paste1", QStringLiteral("&Paste"), K(Qt::CTRL | Qt::Key_V), ThemedIcon("edit-paste", QStyle::SP_DialogApplyButton));
  Edit1->addSeparator();
  Autoclear1 = item(Edit1, "Autoclear1", QStringLiteral("&Auto-clear"), none, CheckableIcon(ThemedIcon("edit-select-all", QStyle::SP_DialogResetButton)));
  Autoclear1->setCheckable(true);
  Autoclear1->setChecked(false);

  Tools1 = menu("Tools1", QStringLiteral("&Tools"));
  Splitter1 = item(Tools1, "Splitter1", QStringLiteral("&Splitter..."), K(Qt::CTRL | Qt::Key_S), st->standardIcon(QStyle::SP_FileDialogDetailedView));
  Convertor1 = item(Tools1, "Convertor1", QStringLiteral("Conve&rtor..."), K(Qt::CTRL | Qt::Key_R), st->standardIcon(QStyle::SP_BrowserReload));
  SCalc1 = item(Tools1, "SCalc1", QStringLiteral("Super Calcula&tor..."), K(Qt::CTRL | Qt::Key_T), st->standardIcon(QStyle::SP_ComputerIcon));
  SuperModulo1 = item(Tools1, "SuperModulo1", QStringLiteral("Super &Modulo..."), K(Qt::CTRL | Qt::Key_M), st->standardIcon(QStyle::SP_FileDialogListView));
  Searchengine1 = item(Tools1, "Searchengine1", QStringLiteral("Search &Engine..."), K(Qt::CTRL | Qt::Key_E), ThemedIcon("edit-find", QStyle::SP_FileDialogContentsView));
  Finddivisors1 = item(Tools1, "Finddivisors1", QStringLiteral("All &dividers..."), K(Qt::CTRL | Qt::Key_D), st->standardIcon(QStyle::SP_DirOpenIcon));
  Prove1 = item(Tools1, "Prove1", QStringLiteral("Pro&ve primality..."), none, st->standardIcon(QStyle::SP_DialogApplyButton));
  Tools1->addSeparator();
  Calculator1 = item(Tools1, "Calculator1", QStringLiteral("Ca&lculator"), K(Qt::CTRL | Qt::Key_L), ThemedIcon("accessories-calculator", QStyle::SP_DesktopIcon));
  Tools1->addSeparator();
  Certificate1 = item(Tools1, "Certificate1", QStringLiteral("View/Hide certi&ficate..."), K(Qt::CTRL | Qt::Key_F), st->standardIcon(QStyle::SP_FileIcon));

  Options1 = menu("Options1", QStringLiteral("&Options"));
  History1 = item(Options1, "History1", QStringLiteral("&History..."), K(Qt::CTRL | Qt::Key_H), st->standardIcon(QStyle::SP_FileDialogDetailedView));
  Notebook1 = item(Options1, "Notebook1", QStringLiteral("&Notebook..."), K(Qt::CTRL | Qt::Key_N), st->standardIcon(QStyle::SP_FileDialogContentsView));
  Options2 = item(Options1, "Options2", QStringLiteral("&Options..."), K(Qt::CTRL | Qt::Key_O), st->standardIcon(QStyle::SP_FileDialogInfoView));

  Counter1 = menu("Counter1", QStringLiteral("&Counter"));
  incremen1 = item(Counter1, "incremen1", QStringLiteral("&Increase (+1)"), K(Qt::CTRL | Qt::ALT | Qt::Key_I), st->standardIcon(QStyle::SP_ArrowUp));
  Decrease1 = item(Counter1, "Decrease1", QStringLiteral("&Decrease (-1)"), K(Qt::CTRL | Qt::ALT | Qt::Key_D), st->standardIcon(QStyle::SP_ArrowDown));
  Counter1->addSeparator();
  Resetcounter1 = item(Counter1, "Resetcounter1", QStringLiteral("&Reset counter"), none, st->standardIcon(QStyle::SP_BrowserStop));

  Help1 = menu("Help1", QStringLiteral("&Help"));
  index1 = item(Help1, "index1", QStringLiteral("&Help..."), K(Qt::Key_F1), ThemedIcon("help-contents", QStyle::SP_DialogHelpButton));
  Help1->addSeparator();
  About1 = item(Help1, "About1", QStringLiteral("&About..."), none, ThemedIcon("help-about", QStyle::SP_MessageBoxInformation));
}

void TMainForm::ConnectEvents() {
  const std::pair<QAction*, void (TMainForm::*)()> actions[] = {
      {Exit1, &TMainForm::Exit1Click},
      {Cut1, &TMainForm::Cut1Click},
      {Copy1, &TMainForm::Copy1Click},
      {Paste1, &TMainForm::Paste1Click},
      {Autoclear1, &TMainForm::Autoclear1Click},
      {Splitter1, &TMainForm::Splitter1Click},
      {Convertor1, &TMainForm::Convertor1Click},
      {SCalc1, &TMainForm::SCalc1Click},
      {SuperModulo1, &TMainForm::SuperModulo1Click},
      {Searchengine1, &TMainForm::Searchengine1Click},
      {Finddivisors1, &TMainForm::Finddivisors1Click},
      {Prove1, &TMainForm::Prove1Click},
      {Calculator1, &TMainForm::Calculator1Click},
      {Certificate1, &TMainForm::Certificate1Click},
      {History1, &TMainForm::History1Click},
      {Notebook1, &TMainForm::Notebook1Click},
      {Options2, &TMainForm::Options2Click},
      {incremen1, &TMainForm::incremen1Click},
      {Decrease1, &TMainForm::Decrease1Click},
      {Resetcounter1, &TMainForm::Resetcounter1Click},
      {index1, &TMainForm::index1Click},
      {About1, &TMainForm::About1Click},
  };
  for (const auto& [action, handler] : actions) connect(action, &QAction::triggered, this, handler);

  const std::pair<QPushButton*, void (TMainForm::*)()> buttons[] = {
      {Verifier, &TMainForm::VerifierClick}, {Button1, &TMainForm::Button1Click},
      {BitBtn1, &TMainForm::BitBtn1Click},   {BitBtn2, &TMainForm::BitBtn2Click},
      {BitBtn3, &TMainForm::BitBtn3Click},   {BitBtn4, &TMainForm::BitBtn4Click},
  };
  for (const auto& [button, handler] : buttons) connect(button, &QPushButton::clicked, this, handler);

  // A user's change of either field: typing or picking an item of its list.
  for (QComboBox* field : {NumberEdit, ComboBox1}) {
    connect(field->lineEdit(), &QLineEdit::textEdited, this, &TMainForm::ComboBox1Change);
    OnUserPick(field, [this](int) { ComboBox1Change(); });
    field->installEventFilter(this);
    field->lineEdit()->installEventFilter(this);
    InstallDigitFilter(field, [this, field](std::uint16_t key) { NumberEditKeyUp(field, key); });
  }
  // The menu's short-cuts win over the editing keys of these controls, so
  // Ctrl+C copies the number field whichever of them has the focus.
  RichEdit1->installEventFilter(this);
  Temp->installEventFilter(this);

  // Enter presses the focused button, else the default button.
  for (int key : {Qt::Key_Return, Qt::Key_Enter}) {
    auto* enter = new QShortcut(QKeySequence(key), this);
    enter->setContext(Qt::WindowShortcut);
    connect(enter, &QShortcut::activated, this, [this] {
      auto* focused = qobject_cast<QPushButton*>(QApplication::focusWidget());
      QPushButton* target = focused && focused->window() == this ? focused : defaultButton_;
      if (target && target->isEnabled()) target->click();
    });
  }

  connect(Timer1, &QTimer::timeout, this, &TMainForm::Timer1Timer);
}

bool TMainForm::eventFilter(QObject* watched, QEvent* event) {
  switch (event->type()) {
    case QEvent::ShortcutOverride: {
      const auto* key = static_cast<QKeyEvent*>(event);
      const QKeySequence pressed(key->keyCombination());
      for (QAction* a : findChildren<QAction*>())
        if (!a->shortcut().isEmpty() && a->shortcut() == pressed) return true;  // not the control's
      break;
    }
    case QEvent::FocusIn:
      if (watched == NumberEdit || watched == NumberEdit->lineEdit()) NumberEditEnter();
      else if (watched == ComboBox1 || watched == ComboBox1->lineEdit()) ComboBox1Enter();
      break;
    default:
      break;
  }
  return QMainWindow::eventFilter(watched, event);
}
