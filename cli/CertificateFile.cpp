#include "cli/CertificateFile.h"

#include <stdexcept>

#include "cli/Command.h"
#include "cli/LongRun.h"
#include "tools/Certificate.h"

TCertificateFile::TCertificateFile(std::string path) : file_(std::move(path)) {
  if (!file_.Failure().empty()) throw EBadInput(file_.Failure());
  RemoveOnInterrupt(file_.TemporaryPath());
}

TCertificateFile::~TCertificateFile() { RemoveOnInterrupt(std::string()); }

bool TCertificateFile::Run(std::int32_t p) {
  try {
    // The iterations on one core, the decimal rows on the other, written
    // as they come: the file never waits for the whole run. Nothing is
    // shown afterwards, so the run keeps as few residues as it can.
    return TCertificate::RunWritingFile(p, file_, nullptr, 0, 1).Prime();
  } catch (const std::runtime_error&) {
    if (file_.Failure().empty()) throw;
    throw EBadInput(file_.Failure());
  }
}

void TCertificateFile::Commit() {
  RemoveOnInterrupt(std::string());
  const std::string failure = file_.Commit();
  if (!failure.empty()) throw EBadInput(failure);
}
