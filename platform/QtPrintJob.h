// A print job on the system's default printer, drawn with QPainter in the
// printer's own device units.
#pragma once

#include <memory>

#include "platform/Platform.h"

// Null when there is no default printer or it refuses to start a job.
std::unique_ptr<PrintJob> StartDefaultPrintJob(const QString& documentName);
