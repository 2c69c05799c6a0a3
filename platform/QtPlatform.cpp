#include "platform/QtPlatform.h"

#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLocale>
#include <QMessageBox>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

#include "platform/LongWorkRunner.h"
#include "platform/QtPrintJob.h"
#include "tools/DateTimeText.h"

namespace {

// Boxes and dialogs sit over the window the user is working in.
QWidget* DialogParent() { return QApplication::activeWindow(); }

void ShowBox(QMessageBox::Icon icon, const QString& text) {
  QMessageBox box(icon, kApplicationTitle, text, QMessageBox::Ok, DialogParent());
  box.exec();
}

QString ChooseFile(QFileDialog::AcceptMode mode, const QString& title, const QString& proposedName,
                   const QString& filter, const QString& defaultExt) {
  QFileDialog dialog(DialogParent(), title);
  dialog.setAcceptMode(mode);
  dialog.setFileMode(mode == QFileDialog::AcceptSave ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
  if (!filter.isEmpty()) dialog.setNameFilters(filter.split(QStringLiteral(";;")));
  // Added by the dialog to a chosen name that has no extension.
  dialog.setDefaultSuffix(defaultExt);
  if (!proposedName.isEmpty()) dialog.selectFile(proposedName);
  if (dialog.exec() != QDialog::Accepted) return QString();
  const QStringList files = dialog.selectedFiles();
  return files.isEmpty() ? QString() : files.first();
}

}  // namespace

void QtPlatform::ShowMessage(const QString& text) { ShowBox(QMessageBox::NoIcon, text); }

void QtPlatform::ShowError(const QString& text) { ShowBox(QMessageBox::Critical, WithFullStop(text)); }

bool QtPlatform::AskYesNo(const QString& caption, const QString& text) {
  QMessageBox box(QMessageBox::Question, caption, text, QMessageBox::Yes | QMessageBox::No, DialogParent());
  box.setDefaultButton(QMessageBox::Yes);
  box.setEscapeButton(QMessageBox::No);  // Escape and the close box answer No
  return box.exec() == QMessageBox::Yes;
}

QString QtPlatform::SaveFileName(const QString& title, const QString& proposedName, const QString& filter,
                                 const QString& defaultExt) {
  return ChooseFile(QFileDialog::AcceptSave, title, proposedName, filter, defaultExt);
}

QString QtPlatform::OpenFileName(const QString& title, const QString& filter, const QString& defaultExt) {
  return ChooseFile(QFileDialog::AcceptOpen, title, QString(), filter, defaultExt);
}

void QtPlatform::SetClipboardText(const QString& text) { QGuiApplication::clipboard()->setText(text); }

QString QtPlatform::ClipboardText() { return QGuiApplication::clipboard()->text(); }

std::unique_ptr<PrintJob> QtPlatform::StartPrintJob(const QString& documentName) {
  return StartDefaultPrintJob(documentName);
}

bool QtPlatform::OpenDocument(const QString& path) {
  // The desktop's opener reports success once it has started, even for a
  // file that is not there; a missing document is known here already.
  const QFileInfo info(path);
  if (!info.exists()) return false;
  return QDesktopServices::openUrl(QUrl::fromLocalFile(info.absoluteFilePath()));
}

bool QtPlatform::StartProgram(const QString& program) {
  if (program.isEmpty()) return false;
  QString resolved = program;
  if (!program.contains(QLatin1Char('/')) && !program.contains(QDir::separator())) {
    resolved = QStandardPaths::findExecutable(program);
    if (resolved.isEmpty()) return false;
  } else {
    const QFileInfo info(program);
    if (!info.isFile() || !info.isExecutable()) return false;
  }
  return QProcess::startDetached(resolved, QStringList());
}

void QtPlatform::Beep() { QApplication::beep(); }

QDateTime QtPlatform::Now() { return QDateTime::currentDateTime(); }

// The same formatter as the command line's, so both print one text.
QString QtPlatform::ShortDate(const QDate& date) {
  return QString::fromStdString(ShortDateText(date.year(), date.month(), date.day()));
}

QString QtPlatform::LongTime(const QTime& time) {
  return QString::fromStdString(LongTimeText(time.hour(), time.minute(), time.second()));
}

QChar QtPlatform::DecimalSeparator() {
  const QString point = QLocale::system().decimalPoint();
  return point.isEmpty() ? QLatin1Char('.') : point.front();
}

void QtPlatform::BeginBusyCursor() { QApplication::setOverrideCursor(QCursor(Qt::WaitCursor)); }

void QtPlatform::EndBusyCursor() { QApplication::restoreOverrideCursor(); }

WorkResult QtPlatform::RunLongWork(QWidget* parent, const QString& title,
                                   const std::function<void(TProgress&)>& work) {
  const LongWorkMark running(*this);
  LongWorkRunner runner(parent, title);
  return runner.Run(work);
}

int QtPlatform::ShowModal(QDialog& dialog) {
  dialog.setWindowModality(Qt::ApplicationModal);
  return dialog.exec();
}
