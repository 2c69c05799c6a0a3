#include "platform/QtPrintJob.h"

#include <QApplication>
#include <QMessageBox>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>

namespace {

class QtPrintJob : public PrintJob {
public:
  explicit QtPrintJob(std::unique_ptr<QPrinter> printer) : printer_(std::move(printer)) {}

  bool Begin() { return painter_.begin(printer_.get()); }

  ~QtPrintJob() override {
    // A job left without End() was interrupted by a failure: print nothing.
    if (painter_.isActive()) {
      printer_->abort();
      painter_.end();
    }
  }

  // The printable area; the painter's origin is its top-left corner.
  QSize PageSize() const override { return QSize(printer_->width(), printer_->height()); }

  int DrawText(const QRect& rect, const QString& text) override {
    if (!painter_.isActive()) return 0;
    QRect used;
    painter_.drawText(rect, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, text, &used);
    return qMin(used.height(), rect.height());
  }

  void NewPage() override {
    if (painter_.isActive() && !printer_->newPage()) Fail();
  }

  void End() override {
    if (!painter_.isActive()) return;
    const bool ended = painter_.end();
    if (!ended || printer_->printerState() == QPrinter::Error) Fail();
  }

private:
  // The printing system refused the job after it had started. Callers only
  // learn of a missing printer, so the failure is reported here, the way
  // every input/output error of the program is.
  void Fail() {
    if (failed_) return;
    failed_ = true;
    QMessageBox box(QMessageBox::Critical, kApplicationTitle,
                    WithFullStop(QStringLiteral("The printer \"%1\" could not print the document")
                                     .arg(printer_->printerName())),
                    QMessageBox::Ok, QApplication::activeWindow());
    box.exec();
  }

  std::unique_ptr<QPrinter> printer_;
  QPainter painter_;
  bool failed_ = false;
};

}  // namespace

std::unique_ptr<PrintJob> StartPrintJobOn(std::unique_ptr<QPrinter> printer) {
  auto job = std::make_unique<QtPrintJob>(std::move(printer));
  if (!job->Begin()) return nullptr;
  return job;
}

std::unique_ptr<PrintJob> StartDefaultPrintJob(const QString& documentName) {
  const QPrinterInfo info = QPrinterInfo::defaultPrinter();
  if (info.isNull()) return nullptr;
  auto printer = std::make_unique<QPrinter>(info, QPrinter::HighResolution);
  printer->setDocName(documentName);
  return StartPrintJobOn(std::move(printer));
}
