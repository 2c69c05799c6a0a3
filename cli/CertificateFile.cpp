#include "cli/CertificateFile.h"

#include "cli/Command.h"
#include "cli/LongRun.h"
#include "tools/Certificate.h"

TCertificateFile::TCertificateFile(std::string path) : file_(std::move(path)) {
  if (!file_.Failure().empty()) throw EBadInput(file_.Failure());
  RemoveOnInterrupt(file_.TemporaryPath());
}

TCertificateFile::~TCertificateFile() { RemoveOnInterrupt(std::string()); }

void TCertificateFile::Clear() {
  RemoveOnInterrupt(std::string());
  if (!file_.Restart()) throw EBadInput(file_.Failure());
  RemoveOnInterrupt(file_.TemporaryPath());
}

void TCertificateFile::Append(const std::string& key, const std::string& value) {
  if (!file_.Write(CertificateLine(key, value))) throw EBadInput(file_.Failure());
}

void TCertificateFile::Commit() {
  RemoveOnInterrupt(std::string());
  const std::string failure = file_.Commit();
  if (!failure.empty()) throw EBadInput(failure);
}
