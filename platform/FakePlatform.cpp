#include "platform/FakePlatform.h"

#include <QDialog>

namespace {

class FakePrintJob : public PrintJob {
public:
  FakePrintJob(FakePlatform::Printed& record, QSize size) : record_(record), size_(size) {}
  QSize PageSize() const override { return size_; }
  int DrawText(const QRect& rect, const QString& text) override {
    record_.texts.append({rect, text});
    return rect.height();
  }
  void NewPage() override { record_.texts.append({QRect(), QStringLiteral("\f")}); }
  void End() override { record_.ended = true; }

private:
  FakePlatform::Printed& record_;
  QSize size_;
};

}  // namespace

QStringList FakePlatform::Texts(Kind k) const {
  QStringList out;
  for (const Shown& s : shown)
    if (s.kind == k) out << s.text;
  return out;
}

void FakePlatform::ClearRecords() {
  shown.clear();
  saveRequests.clear();
  openRequests.clear();
  printed.clear();
  startedPrograms.clear();
  openedDocuments.clear();
  longWorkTitles.clear();
  modalShown.clear();
  beeps = 0;
  busyCount = 0;
}

void FakePlatform::ShowMessage(const QString& text) {
  shown.append({Kind::Message, kApplicationTitle, text});
}

void FakePlatform::ShowError(const QString& text) {
  shown.append({Kind::Error, kApplicationTitle, WithFullStop(text)});
}

bool FakePlatform::AskYesNo(const QString& caption, const QString& text) {
  shown.append({Kind::Question, caption, text});
  if (yesNoAnswers.empty()) return true;
  bool answer = yesNoAnswers.front();
  yesNoAnswers.pop_front();
  return answer;
}

QString FakePlatform::SaveFileName(const QString& title, const QString& proposedName, const QString&,
                                   const QString& defaultExt) {
  saveRequests.append({title, proposedName});
  if (saveAnswers.empty()) return QString();
  QString name = saveAnswers.front();
  saveAnswers.pop_front();
  if (!name.isEmpty() && !defaultExt.isEmpty() && !name.section('/', -1).contains('.'))
    name += '.' + defaultExt;
  return name;
}

QString FakePlatform::OpenFileName(const QString& title, const QString&, const QString&) {
  openRequests.append(title);
  if (openAnswers.empty()) return QString();
  QString name = openAnswers.front();
  openAnswers.pop_front();
  return name;
}

std::unique_ptr<PrintJob> FakePlatform::StartPrintJob(const QString& documentName) {
  if (!printerAvailable) return nullptr;
  printed.append(Printed{documentName, {}, false});
  return std::make_unique<FakePrintJob>(printed.last(), pageSize);
}

bool FakePlatform::OpenDocument(const QString& path) {
  openedDocuments << path;
  return openDocumentSucceeds;
}

bool FakePlatform::StartProgram(const QString& program) {
  startedPrograms << program;
  return knownPrograms.contains(program);
}

QDateTime FakePlatform::Now() {
  QDateTime t = now;
  now = now.addMSecs(nowStepMs);
  return t;
}

WorkResult FakePlatform::RunLongWork(QWidget*, const QString& title,
                                     const std::function<void(TProgress&)>& work) {
  longWorkTitles << title;
  const LongWorkMark running(*this);
  TProgress progress;
  if (cancelNextWork) {
    cancelNextWork = false;
    progress.Cancel();
  }
  try {
    if (duringWork) duringWork();
    work(progress);
  } catch (const ECancelled&) {
    return WorkResult::Cancelled;
  }
  return progress.Cancelled() ? WorkResult::Cancelled : WorkResult::Done;
}

int FakePlatform::ShowModal(QDialog& dialog) {
  modalShown << dialog.objectName();
  dialog.setResult(QDialog::Rejected);
  if (onModal) {
    dialog.show();
    onModal(dialog);
  }
  if (dialog.isVisible()) dialog.reject();
  return dialog.result();
}
