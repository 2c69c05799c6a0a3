// The Mersenne tester of the main window and the showing of the certificate.
#include "windows/MainUnit.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>

#include <exception>
#include <memory>

#include "numbers/bigint/BigInt.h"
#include "numbers/mersenne/LucasLehmer.h"
#include "platform/Platform.h"
#include "tools/Certificate.h"
#include "tools/Testers.h"
#include "windows/CertifUnit.h"
#include "windows/OptionsUnit.h"
#include "windows/SharedRoutines.h"
#include "windows/TesterSupport.h"
#include "windows/WidgetHelpers.h"

void TMainForm::Button1Click() {
  if (platform_.RefuseDuringLongWork()) return;
  const QString text = ComboBox1->currentText();
  std::int32_t p = 0;
  try {
    p = ReadExponentText(text.toStdString());
  } catch (const EConvertError& e) {
    platform_.ShowError(QString::fromStdString(e.what()));
    return;
  }
  if (p > kMaxMersenneExponent) {
    platform_.ShowMessage(QStringLiteral("Please, note that p may not exceed 99999."));
    return;
  }

  TOptionsForm* options = windows_.OptionsForm;
  const bool certified = certifgen->isChecked();
  QString failure;
  bool cancelled = false;
  QTime start = platform_.Now().time();
  {
    BusyCursor busy(platform_);
    try {
      // Kept for a cancel, which leaves everything as it was.
      const QString panelBefore = RichEdit1->toPlainText();
      if (RefBox->isChecked()) BitBtn3Click();
      bool prime = false;
      // The certificate is built aside: a cancelled run keeps the old one.
      std::shared_ptr<TCertificate> certificate;
      const WorkResult result = platform_.RunLongWork(
          this, QStringLiteral("Lucas-Lehmer test of 2^%1 - 1").arg(p), [&](TProgress& progress) {
            if (certified) {
              certificate = std::make_shared<TCertificate>(TCertificate::Run(p, &progress));
              prime = certificate->Prime();
            } else {
              prime = LucasLehmerTest(p, &progress);
            }
          });
      if (result == WorkResult::Done) {
        if (certified) windows_.CertifForm->SetCertificate(std::move(certificate));
        AppendLine(RichEdit1, QString::fromStdString(MersenneVerdictLine(text.toStdString(), prime)));
        // The first item of an empty list becomes the field's text, which
        // would drop the selection: add it before selecting.
        if (!IsInList(text, ItemTexts(ComboBox1))) AddHistoryItem(ComboBox1, text, false);
        ComboBox1->lineEdit()->deselect();
        ++TestedCount;
        if (options->RefBox->isChecked()) options->ClearNotebook();
        options->AppendNotebook(ToQStringList(MersenneReportLines(
            DateTimeText(platform_, platform_.Now()).toStdString(), text.toStdString(),
            DurationText(platform_, start).toStdString(), prime, certified)));
        ScrollResultsToEnd();
        ComboBox1->setFocus();
        // Only now: losing the focus to the panel drops a selection.
        if (Autoclear1->isChecked()) ComboBox1->lineEdit()->selectAll();
      } else {
        cancelled = true;
        if (RichEdit1->toPlainText() != panelBefore) RichEdit1->setPlainText(panelBefore);
      }
    } catch (const std::exception& e) {
      failure = QString::fromStdString(e.what());
    }
  }
  if (cancelled) {
    // Nothing was tested: no value, count, certificate or text changes.
    ComboBox1->setFocus();
    SetStatusText(1, QStringLiteral("Test cancelled."));
    return;
  }
  // Finishing steps: they run whether the test succeeded or not.
  LastTested = text + QStringLiteral("th Mersenne number");
  SetStatusText(1, QStringLiteral("Completed in ") + DurationText(platform_, start));
  ShowTestedCount();
  AddResultSeparator();
  if (certified) Certificate1Click();
  if (!failure.isEmpty()) platform_.ShowError(failure);
}

void TMainForm::Certificate1Click() {
  TCertifForm* certificate = windows_.CertifForm;
  if (certificate->isVisible()) {
    certificate->hide();
  } else {
    certificate->show();
    certificate->raise();
  }
}
