#include "windows/CertifUnit.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QStyle>
#include <QTableView>
#include <QVBoxLayout>

#include "platform/Platform.h"
#include "tools/Certificate.h"
#include "tools/TextFile.h"
#include "tools/Testers.h"
#include "windows/CertificateModel.h"
#include "windows/MainUnit.h"

namespace {

// Below this many decimal digits in all the rows, saving takes well under
// half a second and needs no progress dialog.
constexpr double kQuickSaveDigits = 2e6;

}  // namespace

TCertifForm::TCertifForm(Platform& platform, TWindows& windows)
    : QWidget(nullptr, Qt::Tool), platform_(platform), windows_(windows) {
  setObjectName(QStringLiteral("CertifForm"));
  setWindowTitle(QStringLiteral("Certificate"));
  // Closing only hides the window: its contents live until the program ends.
  setAttribute(Qt::WA_DeleteOnClose, false);

  model_ = new TCertificateModel(this);
  ValueList = new QTableView(this);
  ValueList->setObjectName(QStringLiteral("ValueList"));
  ValueList->setAccessibleName(QStringLiteral("Certificate"));
  ValueList->setModel(model_);
  ValueList->verticalHeader()->setVisible(false);
  ValueList->verticalHeader()->setMinimumSectionSize(15);
  ValueList->verticalHeader()->setDefaultSectionSize(15);
  ValueList->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  ValueList->horizontalHeader()->setHighlightSections(false);
  ValueList->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  ValueList->setColumnWidth(0, 35);
  ValueList->setColumnWidth(1, 108);
  ValueList->setWordWrap(false);
  ValueList->setTextElideMode(Qt::ElideRight);
  ValueList->setSelectionMode(QAbstractItemView::SingleSelection);
  ValueList->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                             QAbstractItemView::AnyKeyPressed);

  BitBtn1 = new QPushButton(this);
  BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
  BitBtn1->setIcon(QApplication::style()->standardIcon(QStyle::SP_DialogSaveButton));
  BitBtn1->setFixedSize(25, 25);
  const QString hint = QStringLiteral("Save the current certificate into a file on the hard drive");
  BitBtn1->setToolTip(hint);
  BitBtn1->setAccessibleName(hint);
  connect(BitBtn1, &QPushButton::clicked, this, &TCertifForm::BitBtn1Click);

  auto* column = new QVBoxLayout(this);
  column->setContentsMargins(0, 0, 0, 2);
  column->setSpacing(2);
  column->addWidget(ValueList, 1);
  auto* bottom = new QHBoxLayout;
  bottom->setContentsMargins(2, 0, 2, 0);
  bottom->addWidget(BitBtn1);
  bottom->addStretch(1);
  column->addLayout(bottom);

  resize(157, 287);
  move(545, 157);
}

void TCertifForm::SetCertificate(std::shared_ptr<TCertificate> certificate) {
  model_->SetCertificate(std::move(certificate));
  // A reset model forgets nothing of the view's widths, but say them again
  // in case the header was reset with it.
  ValueList->setColumnWidth(0, 35);
  ValueList->setColumnWidth(1, 108);
}

const TCertificate& TCertifForm::Certificate() const { return model_->Certificate(); }

qint64 TCertifForm::RowCount() const { return model_->Certificate().RowCount(); }
QString TCertifForm::Key(qint64 row) const { return model_->Key(row); }
QString TCertifForm::Value(qint64 row) const { return model_->Value(row); }

void TCertifForm::SetValue(qint64 row, const QString& text) {
  model_->setData(model_->index(static_cast<int>(row), 1), text, Qt::EditRole);
}

QString TCertifForm::CertificateDir() const {
  QString base = windows_.MainForm ? windows_.MainForm->ProgramDir : QString();
  if (base.isEmpty()) base = QCoreApplication::applicationDirPath() + QLatin1Char('/');
  return base + QStringLiteral("Certificates");
}

QString TCertifForm::CertificatePath() const {
  return CertificateDir() + QLatin1Char('/') + QString::fromStdString(CertificateFileName(RowCount()));
}

QString TCertifForm::WriteFile(const QString& path, TProgress* progress) const {
  // Cancelled or failed, the atomic file leaves nothing behind.
  TAtomicFile file(QFile::encodeName(QDir::toNativeSeparators(path)).toStdString());
  // The first failed write ends the save: no row after it is converted.
  if (!model_->Certificate().WriteRows(file, progress)) return QString::fromLocal8Bit(file.Failure().c_str());
  return QString::fromLocal8Bit(file.Commit().c_str());
}

void TCertifForm::BitBtn1Click() {
  if (platform_.RefuseDuringLongWork()) return;
  const QString dir = CertificateDir();
  const QString path = CertificatePath();
  if (!QDir().mkpath(dir)) {
    platform_.ShowMessage(QStringLiteral("Unable to create that directory !"));
    return;
  }
  if (QFileInfo::exists(path)) {
    platform_.ShowMessage(QStringLiteral("The ") + QDir::toNativeSeparators(path) + QStringLiteral(" already exists !"));
    return;
  }
  BusyCursor busy(platform_);
  QString failure;
  const TCertificate& certificate = model_->Certificate();
  const double digits = static_cast<double>(certificate.RowCount()) * certificate.Exponent() * 0.30103;
  try {
    if (digits < kQuickSaveDigits) {
      failure = WriteFile(path, nullptr);
    } else {
      platform_.RunLongWork(this, QStringLiteral("Saving the certificate"),
                            [&](TProgress& progress) { failure = WriteFile(path, &progress); });
    }
  } catch (const std::exception& e) {
    failure = QString::fromStdString(e.what());
  }
  if (!failure.isEmpty()) platform_.ShowError(failure);
}
