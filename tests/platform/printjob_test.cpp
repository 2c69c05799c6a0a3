// The print job over QPainter, printed into a PDF file instead of the
// default printer: device units, wrapped and clipped text, pages.
#include <QFileInfo>
#include <QPrinter>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "platform/QtPrintJob.h"

namespace {

std::unique_ptr<QPrinter> PdfPrinter(const QString& file) {
  auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
  printer->setOutputFormat(QPrinter::PdfFormat);
  printer->setOutputFileName(file);
  return printer;
}

TEST(QtPrintJob, DrawsWrappedTextWithinTheRectangleAndEndsTheJob) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const QString file = dir.filePath(QStringLiteral("list.pdf"));
  std::unique_ptr<PrintJob> job = StartPrintJobOn(PdfPrinter(file));
  ASSERT_NE(job, nullptr);

  // Device units of the printer, far more than screen pixels.
  const QSize page = job->PageSize();
  EXPECT_GT(page.width(), 3000);
  EXPECT_GT(page.height(), page.width());

  const QRect area(100, 100, page.width() - 200, page.height() - 200);
  const int oneLine = job->DrawText(area, QStringLiteral("2\r\n"));
  EXPECT_GT(oneLine, 0);
  EXPECT_LT(oneLine, area.height());

  QString many;
  for (int i = 0; i < 5000; ++i) many += QString::number(1000003 + 2 * i) + QStringLiteral("\r\n");
  EXPECT_EQ(job->DrawText(area, many), area.height());  // clipped to the rectangle

  const QRect narrow(100, 100, 400, page.height() - 200);
  EXPECT_GT(job->DrawText(narrow, QStringLiteral("This is a prime number and a long line of words")), oneLine);

  job->NewPage();
  job->End();
  EXPECT_GT(QFileInfo(file).size(), 0);
}

}  // namespace
