#include "windows/OptionsUnit.h"

#include <QApplication>
#include <QCheckBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QTabWidget>
#include <QVBoxLayout>

#include "platform/Platform.h"
#include "settings/SettingsStore.h"
#include "windows/SearchUnit.h"
#include "windows/SettingBindings.h"
#include "windows/SharedRoutines.h"
#include "windows/WidgetHelpers.h"

namespace {

const QString kPrimeVerdict = QStringLiteral("This is a prime number");
const QString kCompositeVerdict = QStringLiteral("This is composite");
const int kVerdictLimit = 40;

}  // namespace

TOptionsForm::TOptionsForm(Platform& platform, SettingsStore& settings, TWindows& windows)
    : QDialog(nullptr), platform_(platform), settings_(settings), windows_(windows) {
  setObjectName(QStringLiteral("OptionsForm"));
  setWindowTitle(QStringLiteral("Options"));
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowCloseButtonHint);
  QFont font(QStringLiteral("MS Sans Serif"));
  font.setStyleHint(QFont::SansSerif);
  font.setPixelSize(11);
  setFont(font);

  BuildHistoryPage();
  BuildNotebookPage();
  BuildToolsPage();

  QStyle* st = QApplication::style();
  PageControl1 = new QTabWidget(this);
  PageControl1->setObjectName(QStringLiteral("PageControl1"));
  PageControl1->setDocumentMode(true);  // flat page selectors
  PageControl1->setMinimumSize(513, 296);
  PageControl1->addTab(TabSheet1, st->standardIcon(QStyle::SP_FileDialogDetailedView), QStringLiteral("History"));
  PageControl1->addTab(TabSheet2, st->standardIcon(QStyle::SP_FileDialogContentsView), QStringLiteral("Notebook"));
  PageControl1->addTab(TabSheet3, st->standardIcon(QStyle::SP_FileDialogInfoView), QStringLiteral("Tools settings"));

  BitBtn5 = new QPushButton(st->standardIcon(QStyle::SP_DialogOkButton), QStringLiteral("&OK"), this);
  BitBtn5->setObjectName(QStringLiteral("BitBtn5"));
  BitBtn5->setDefault(true);
  BitBtn6 = new QPushButton(st->standardIcon(QStyle::SP_DialogCloseButton), QStringLiteral("&Close"), this);
  BitBtn6->setObjectName(QStringLiteral("BitBtn6"));
  BitBtn6->setAutoDefault(false);
  for (QPushButton* b : {BitBtn5, BitBtn6}) {
    b->setFixedSize(70, 27);
    b->setAccessibleName(b->text().remove(QLatin1Char('&')));
  }

  auto* side = new QVBoxLayout;
  side->setContentsMargins(0, 3, 0, 0);
  side->setSpacing(8);
  side->addWidget(BitBtn5);
  side->addWidget(BitBtn6);
  side->addStretch(1);
  auto* top = new QHBoxLayout(this);
  top->setContentsMargins(2, 2, 3, 3);
  top->setSpacing(7);
  top->addWidget(PageControl1, 1);
  top->addLayout(side);
  top->setSizeConstraint(QLayout::SetFixedSize);

  ConnectEvents();
  FormCreate();
}

void TOptionsForm::ShowPage(int page) {
  PageControl1->setCurrentIndex(page);
  platform_.ShowModal(*this);
}

// ---- loading and storing the options

void TOptionsForm::FormCreate() {
  // The search engine follows the design state even when nothing is stored;
  // stored values that change a control reach the others through its
  // handler.
  windows_.SearchForm->SetPageStyle(TabsRadioButton->isChecked());

  if (settings_.KeyExists()) LoadSettings(settings_, StoredValues());
}

TSettingBindings TOptionsForm::StoredValues() {
  using S = TSetting;
  return {
      Bind(S::PrimeList, PremiersCheckBox),
      Bind(S::NotPrimeList, NonPremiersCheckBox),
      Bind(S::Message1, LabeledEdit1, kVerdictLimit),
      Bind(S::Message2, LabeledEdit2, kVerdictLimit),
      Bind(S::Sep, SepareResult),
      Bind(S::Warn, WarnExit),
      Bind(S::Filter, FilterCheckBox),
      Bind(S::Sort, SortCheckBox),
      Bind(S::AutoImport, AutoImport),
      Bind(S::History, HistoryList),
      Bind(S::AddToHistory, AddToHisCheckBox),
      Bind(S::AutoExpand, AutoExpand),
      Bind(S::Messages, Messages),
      // The pair is exclusive: selecting one clears the other.
      {S::SETabApp, [this] { return QVariant(TabsRadioButton->isChecked()); },
       [this](const QVariant& tabs) { (tabs.toBool() ? TabsRadioButton : BtnRadioButton)->setChecked(true); }},
      Bind(S::LH, LHCheck),
      Bind(S::CTPN, CTPNCheck),
  };
}

void TOptionsForm::BitBtn5Click() {
  if (LabeledEdit1->text().isEmpty()) LabeledEdit1->setText(kPrimeVerdict);
  if (LabeledEdit2->text().isEmpty()) LabeledEdit2->setText(kCompositeVerdict);

  StoreSettings(settings_, StoredValues());
  accept();
}

void TOptionsForm::TabsRadioButtonClick() { windows_.SearchForm->SetPageStyle(true); }

void TOptionsForm::BtnRadioButtonClick() { windows_.SearchForm->SetPageStyle(false); }

// ---- what the other windows feed and read

bool TOptionsForm::AddPrime(const QString& text) {
  if (IsInList(text, Primes())) return false;
  Memo1->addItem(text);
  RefreshSaveButton(Memo1, BitBtn1);
  return true;
}

bool TOptionsForm::AddComposite(const QString& text) {
  if (IsInList(text, Composites())) return false;
  Memo2->addItem(text);
  RefreshSaveButton(Memo2, BitBtn3);
  return true;
}

static QStringList ListTexts(const QListWidget* list) {
  QStringList out;
  out.reserve(list->count());
  for (int i = 0; i < list->count(); ++i) out << list->item(i)->text();
  return out;
}

QStringList TOptionsForm::Primes() const { return ListTexts(Memo1); }
QStringList TOptionsForm::Composites() const { return ListTexts(Memo2); }

void TOptionsForm::AppendNotebook(const QStringList& lines) {
  for (const QString& line : lines) AppendLine(NoteEdit, line);
}

void TOptionsForm::ClearNotebook() { NoteEdit->clear(); }

QString TOptionsForm::PrimeVerdict() const { return LabeledEdit1->text(); }
QString TOptionsForm::CompositeVerdict() const { return LabeledEdit2->text(); }
