// The search engine's handlers: the search, the live estimate, the hints,
// the entry display, the histories, the digit filter and the result files.
#include "windows/SearchUnit.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QPushButton>

#include <exception>
#include <optional>

#include "platform/Platform.h"
#include "tools/SearchFiles.h"
#include "windows/FieldKeys.h"
#include "windows/MainUnit.h"
#include "windows/OptionsUnit.h"
#include "windows/PageControl.h"
#include "windows/SearchPartModel.h"
#include "windows/SharedRoutines.h"
#include "windows/WidgetHelpers.h"

namespace {

constexpr int kBoundLimit = 18;
const QString kSaveFilter = QStringLiteral("text file (*.txt)");
const QString kSaveExtension = QStringLiteral("txt");

QString Q(const std::string& s) { return QString::fromStdString(s); }
std::string S(const QString& s) { return s.toStdString(); }

QStringList Lines(const std::vector<std::string>& lines) {
  QStringList out;
  out.reserve(static_cast<qsizetype>(lines.size()));
  for (const std::string& line : lines) out << Q(line);
  return out;
}

std::vector<std::string> ListLines(const QListWidget* list) {
  std::vector<std::string> out;
  out.reserve(static_cast<std::size_t>(list->count()));
  for (int i = 0; i < list->count(); ++i) out.push_back(S(list->item(i)->text()));
  return out;
}

}  // namespace

void TSearchForm::FormCreate() {
  state_.partCount = 0;
  for (int k = 0; k < kSearchPartCount; ++k) PageControl1->SetPageSelectorVisible(k, false);
  PageControl1->SetActivePage(0);
}

void TSearchForm::SetPageStyle(bool tabs) {
  tabs_ = tabs;
  PageControl1->SetTabsStyle(tabs);
}

QString TSearchForm::Separator() const { return QString(platform_.DecimalSeparator()); }

void TSearchForm::GOClick() {
  if (platform_.RefuseDuringLongWork()) return;
  TSearchRequest request;
  request.lowText = S(LowInterval->currentText());
  request.highText = S(HighInterval->currentText());
  request.countTwins = windows_.OptionsForm && windows_.OptionsForm->CTPNCheck->isChecked();
  request.decimalSeparator = S(Separator());
  request.twinMemoryLimit = TwinMemoryLimit;
  request.clock.date = S(platform_.ShortDate(platform_.Now().date()));
  request.clock.now = [this] { return platform_.Now().time().msecsSinceStartOfDay() / 1000.0; };
  request.clock.timeText = [this](double seconds) {
    return S(platform_.LongTime(QTime::fromMSecsSinceStartOfDay(static_cast<int>(seconds * 1000) % 86400000)));
  };

  // The search works on a copy: a cancelled one leaves the report of the
  // last search on display and in the state, as if it never started.
  TSearchState next = state_;
  std::optional<TSearchOutcome> outcome;
  try {
    BusyCursor busy(platform_);
    // The summary's clock is read on the worker: the platform's clock and
    // time format are reentrant.
    const WorkResult done = platform_.RunLongWork(this, windowTitle(), [&](TProgress& progress) {
      outcome = RunSearch(request, next, &progress);
    });
    if (done == WorkResult::Cancelled) return;
  } catch (const std::exception& e) {
    platform_.ShowError(Q(e.what()));
    return;
  }
  if (!outcome) return;
  const TSearchOutcome& out = *outcome;
  state_ = std::move(next);

  ShowParts();
  SelLabel->setText(Q(kSearchNoItem));
  ValEdit->clear();
  for (int k = 1; k < kSearchPartCount; ++k) saveChecks_[k + 1]->setChecked(false);
  if (!out.error.empty()) {
    platform_.ShowError(Q(out.error));
    return;
  }

  SetTextBeyondLimit(LowInterval->lineEdit(), kBoundLimit, Q(out.lowText));
  SetTextBeyondLimit(HighInterval->lineEdit(), kBoundLimit, Q(out.highText));
  AddHistoryItem(LowInterval, Q(out.lowText), sorted_);
  AddHistoryItem(HighInterval, Q(out.highText), sorted_);
  setWindowTitle(Q(out.caption));

  ResumeListBox->clear();
  ResumeListBox->addItems(Lines(out.summary));
  for (int k = 0; k < kSearchPartCount; ++k) {
    PageControl1->SetPageCaption(k, Q(out.tabCaptions[k]));
    PageControl1->SetPageSelectorVisible(k, out.tabVisible[k]);
  }
  for (int i = 0; i <= kSearchPartCount; ++i) saveChecks_[i]->setChecked(out.saveChecks[i]);
  if (out.disableTwinOption && windows_.OptionsForm) windows_.OptionsForm->CTPNCheck->setChecked(false);
  PageControl1->SetActivePage(0);
  for (const std::string& message : out.messages) platform_.ShowMessage(Q(message));
}

void TSearchForm::ShowParts() {
  for (TSearchPartModel* model : models_) model->Refresh();
}

void TSearchForm::GOMouseMove() {
  GO->setToolTip(Q(SearchButtonHint(S(LowInterval->currentText()), S(HighInterval->currentText()))));
}

void TSearchForm::ShowLiveEstimate() {
  if (!windows_.OptionsForm || !windows_.OptionsForm->LHCheck->isChecked()) return;
  ResumeListBox->clear();
  ResumeListBox->addItems(
      Lines(LiveEstimateLines(S(LowInterval->currentText()), S(HighInterval->currentText()), S(Separator()))));
}

void TSearchForm::LowIntervalChange() { ShowLiveEstimate(); }
void TSearchForm::HighIntervalChange() { ShowLiveEstimate(); }

void TSearchForm::FilterKey(QComboBox* field, std::uint16_t key) {
  ApplyDigitFilter(field, windows_.OptionsForm && windows_.OptionsForm->FilterCheckBox->isChecked(), key);
}

void TSearchForm::LowIntervalKeyUp(std::uint16_t key) { FilterKey(LowInterval, key); }
void TSearchForm::HighIntervalKeyUp(std::uint16_t key) { FilterKey(HighInterval, key); }

void TSearchForm::ShowEntry(int part) {
  const QModelIndex current = reports_[part]->currentIndex();
  const int index = current.isValid() ? current.row() : -1;
  const int count = models_[part]->rowCount();
  const std::string text = index >= 0 && index < count ? SearchPartEntry(state_, part, index) : std::string();
  const TSearchEntryDisplay shown = SearchEntryDisplay(index, count, text);
  SelLabel->setText(Q(shown.label));
  ValEdit->setText(Q(shown.value));
}

void TSearchForm::ReportClick() { ShowEntry(0); }
void TSearchForm::Report2Click() { ShowEntry(1); }
void TSearchForm::Report3Click() { ShowEntry(2); }
void TSearchForm::Report4Click() { ShowEntry(3); }
void TSearchForm::Report5Click() { ShowEntry(4); }

void TSearchForm::BitBtn1Click() {
  if (platform_.RefuseDuringLongWork()) return;
  const QString name = platform_.SaveFileName(Q(kSearchSaveTitle), Q(SearchProposedFileName(state_)), kSaveFilter,
                                              kSaveExtension);
  if (name.isEmpty()) return;
  TSearchSaveChecks checks{};
  for (int i = 0; i <= kSearchPartCount; ++i) checks[i] = saveChecks_[i]->isChecked();
  const bool showMessages = windows_.OptionsForm && windows_.OptionsForm->Messages->isChecked();
  TSearchSaveOutcome out;
  {
    BusyCursor busy(platform_);
    out = SaveSearchFiles(QFile::encodeName(name).toStdString(), ListLines(ResumeListBox), state_, checks,
                          showMessages);
  }
  if (!out.error.empty()) {
    platform_.ShowError(QFile::decodeName(QByteArray::fromStdString(out.error)));
    return;
  }
  if (!out.message.empty()) platform_.ShowMessage(Q(out.message));
}

void TSearchForm::ImportTesterHistory(QComboBox* field) {
  if (!windows_.MainForm) return;
  for (const QString& item : ItemTexts(windows_.MainForm->NumberEdit)) AddHistoryItem(field, item, sorted_);
}

void TSearchForm::BitBtn3Click() { ClearHistoryItems(LowInterval); }
void TSearchForm::BitBtn4Click() { ImportTesterHistory(LowInterval); }
void TSearchForm::BitBtn5Click() { ClearHistoryItems(HighInterval); }
void TSearchForm::BitBtn6Click() { ImportTesterHistory(HighInterval); }

void TSearchForm::FormActivate() {
  LowInterval->setFocus();
  sorted_ = windows_.OptionsForm && windows_.OptionsForm->SortCheckBox->isChecked();
  if (sorted_) {
    SortHistoryItems(LowInterval);
    SortHistoryItems(HighInterval);
  }
}

bool TSearchForm::event(QEvent* e) {
  if (e->type() == QEvent::WindowActivate) FormActivate();
  return QDialog::event(e);
}

bool TSearchForm::eventFilter(QObject* watched, QEvent* e) {
  if (watched == GO && (e->type() == QEvent::MouseMove || e->type() == QEvent::Enter || e->type() == QEvent::ToolTip))
    GOMouseMove();
  return QDialog::eventFilter(watched, e);
}
