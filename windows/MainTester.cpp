// The generic primality tester of the main window.
#include "windows/MainUnit.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QStatusBar>

#include <exception>

#include "platform/Platform.h"
#include "tools/Testers.h"
#include "windows/OptionsUnit.h"
#include "windows/SharedRoutines.h"
#include "windows/TesterSupport.h"
#include "windows/WidgetHelpers.h"

namespace {

constexpr int kMaxNumberLength = 200;

}  // namespace

void TMainForm::VerifierClick() {
  if (platform_.RefuseDuringLongWork()) return;
  const QString text = NumberEdit->currentText();
  if (text.isEmpty()) {
    AppendLine(RichEdit1, QStringLiteral("Please type a valid number."));
    return;
  }
  if (text.size() > kMaxNumberLength) {
    platform_.ShowMessage(
        QStringLiteral("Please, note that numbers with more than 200 digits are not supported yet."));
    return;
  }

  TOptionsForm* options = windows_.OptionsForm;
  QString failure;
  bool selectTested = false;
  bool cancelled = false;
  QTime start = platform_.Now().time();
  {
    BusyCursor busy(platform_);
    SetStatusText(1, QStringLiteral("Test in progress...Please wait"));
    StatusBar1->repaint();
    try {
      // Kept for a cancel, which leaves everything as it was.
      const QString panelBefore = RichEdit1->toPlainText();
      if (RefBox->isChecked()) BitBtn3Click();
      start = platform_.Now().time();
      const std::string number = text.toStdString();
      bool prime = false;
      // A 200-digit number answers in milliseconds, so no progress shows.
      const WorkResult result = platform_.RunLongWork(
          this, QStringLiteral("Primality test"), [&](TProgress&) { prime = DecideNumberText(number); });
      if (result == WorkResult::Done) {
        if (!IsInList(text, ItemTexts(NumberEdit))) AddNumberHistory(text);
        if (prime) {
          if (options->PremiersCheckBox->isChecked()) options->AddPrime(text);
          AppendLine(RichEdit1, options->PrimeVerdict());
        } else {
          AppendLine(RichEdit1, options->CompositeVerdict());
          if (options->NonPremiersCheckBox->isChecked()) options->AddComposite(text);
        }
        // Selected once the field has the focus back: losing it to the
        // panel's scroll would drop the selection.
        selectTested = Autoclear1->isChecked();
        NumberEdit->lineEdit()->deselect();
        ++TestedCount;
        if (options->RefBox->isChecked()) options->ClearNotebook();
        options->AppendNotebook(ToQStringList(
            NumberReportLines(DateTimeText(platform_, platform_.Now()).toStdString(), number,
                              DurationText(platform_, start).toStdString(), prime)));
        ScrollResultsToEnd();
      } else {
        cancelled = true;
        if (RichEdit1->toPlainText() != panelBefore) RichEdit1->setPlainText(panelBefore);
      }
    } catch (const std::exception& e) {
      failure = QString::fromStdString(e.what());
    }
  }
  NumberEdit->setFocus();
  if (cancelled) {
    // Nothing was tested: no value, count or text changes.
    SetStatusText(1, QStringLiteral("Test cancelled."));
    return;
  }
  // Finishing steps: they run whether the test succeeded or not.
  if (selectTested) NumberEdit->lineEdit()->selectAll();
  LastTested = NumberEdit->currentText();
  SetStatusText(1, QStringLiteral("Completed in ") + DurationText(platform_, start));
  ShowTestedCount();
  AddResultSeparator();
  if (!failure.isEmpty()) platform_.ShowError(failure);
}
