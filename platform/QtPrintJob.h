// A print job on the system's default printer, drawn with QPainter in the
// printer's own device units.
#pragma once

#include <memory>

#include "platform/Platform.h"

class QPrinter;

// Null when there is no default printer or it refuses to start a job.
std::unique_ptr<PrintJob> StartDefaultPrintJob(const QString& documentName);

// A job on the given printer (a PDF file, in tests); null when it refuses.
std::unique_ptr<PrintJob> StartPrintJobOn(std::unique_ptr<QPrinter> printer);
