#include "windows/ProveUnit.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <exception>
#include <stdexcept>

#include "numbers/ecpp/Ecpp.h"
#include "platform/Platform.h"
#include "windows/MainUnit.h"
#include "windows/TextFileWriter.h"

TProveForm::TProveForm(Platform& platform, QWidget* parent, const QString& verdict, const QString& certificate)
    : QDialog(parent), platform_(platform) {
  setObjectName(QStringLiteral("ProveForm"));
  setWindowTitle(QStringLiteral("Prove primality"));
  setAttribute(Qt::WA_DeleteOnClose);
  auto* layout = new QVBoxLayout(this);
  Verdict = new QLabel(verdict, this);
  Verdict->setWordWrap(true);
  Verdict->setTextInteractionFlags(Qt::TextSelectableByMouse);
  layout->addWidget(Verdict);
  Certificate = new QPlainTextEdit(certificate, this);
  Certificate->setReadOnly(true);
  Certificate->setVisible(!certificate.isEmpty());
  layout->addWidget(Certificate);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  SaveButton = new QPushButton(QStringLiteral("Save the certificate"), this);
  SaveButton->setEnabled(!certificate.isEmpty());
  CloseButton = new QPushButton(QStringLiteral("Close"), this);
  buttons->addWidget(SaveButton);
  buttons->addWidget(CloseButton);
  layout->addLayout(buttons);
  connect(SaveButton, &QPushButton::clicked, this, &TProveForm::SaveClick);
  connect(CloseButton, &QPushButton::clicked, this, &QDialog::close);
  resize(560, certificate.isEmpty() ? 120 : 320);
}

void TProveForm::SaveClick() {
  const QString path = platform_.SaveFileName(QStringLiteral("Save the certificate"), QStringLiteral("certificate.gp"),
                                              QStringLiteral("PARI/GP certificates (*.gp);;All files (*)"),
                                              QStringLiteral("gp"));
  if (path.isEmpty()) return;
  // Built aside and renamed into place: a failure leaves any old file whole.
  const QString failure = SaveLinesFile(path, {Certificate->toPlainText().trimmed()});
  if (!failure.isEmpty()) platform_.ShowError(failure);
}

TProveForm* ProveNumberText(Platform& platform, QWidget* parent, const QString& typed) {
  const QString text = typed.trimmed();
  bool digits = !text.isEmpty();
  for (QChar c : text) digits = digits && c >= QLatin1Char('0') && c <= QLatin1Char('9');
  if (!digits) {
    platform.ShowError(QString::fromStdString(EConvertError::NotInteger(text.toStdString()).what()));
    return nullptr;
  }
  const ecpp::Big n = BigIntFromDecimal(text.toStdString());
  if (ecpp::Compare(n, ecpp::FromInt(2)) < 0) {
    platform.ShowError(QStringLiteral("The number must be at least 2, not ") + text);
    return nullptr;
  }
  ecpp::TEcppOutcome outcome;
  try {
    const WorkResult result = platform.RunLongWork(parent, QStringLiteral("Prove primality"),
                                                   [&](TProgress& progress) { outcome = ecpp::ProvePrimality(n, &progress); });
    if (result == WorkResult::Cancelled) return nullptr;
  } catch (const std::exception& e) {
    platform.ShowError(QString::fromStdString(e.what()));
    return nullptr;
  }
  const QString number = QString::fromStdString(ecpp::Text(n));
  QString verdict, certificate;
  if (outcome.prime) {
    verdict = number + QStringLiteral(" proven prime");
    certificate = QString::fromStdString(ecpp::FormatCertificate({n, outcome.steps})).trimmed();
  } else {
    verdict = number + QStringLiteral(" composite");
    if (!outcome.witness.IsZero()) verdict += QStringLiteral(" (base %1)").arg(QString::fromStdString(ecpp::Text(outcome.witness)));
  }
  auto* form = new TProveForm(platform, parent, verdict, certificate);
  form->show();
  return form;
}

// The main window's menu item.
void TMainForm::Prove1Click() { ProveNumberText(platform_, this, NumberEdit->currentText()); }
