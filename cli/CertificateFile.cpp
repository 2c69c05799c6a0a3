#include "cli/CertificateFile.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "cli/Command.h"

TCertificateFile::TCertificateFile(std::string path)
    : path_(std::move(path)), temp_(path_ + ".tmp-" + std::to_string(::getpid())) {
  Open();
}

TCertificateFile::~TCertificateFile() {
  if (committed_) return;
  out_.close();
  std::error_code ec;
  std::filesystem::remove(temp_, ec);
}

void TCertificateFile::Open() {
  out_.close();
  out_.clear();
  errno = 0;
  out_.open(temp_, std::ios::binary | std::ios::trunc);
  if (!out_) Failed("Cannot create file \"" + path_ + "\"");
}

void TCertificateFile::Failed(const std::string& what) {
  const int e = errno;
  std::string message = what;
  if (e != 0) message += ". " + std::string(std::strerror(e));
  throw EBadInput(message);
}

void TCertificateFile::Clear() { Open(); }

void TCertificateFile::Append(const std::string& key, const std::string& value) {
  out_ << key << '=' << value << "\r\n";
  if (!out_) Failed("Cannot write file \"" + path_ + "\"");
}

void TCertificateFile::Commit() {
  errno = 0;
  out_.flush();
  out_.close();
  if (!out_) Failed("Cannot write file \"" + path_ + "\"");
  std::error_code ec;
  std::filesystem::rename(temp_, path_, ec);
  if (ec) throw EBadInput("Cannot create file \"" + path_ + "\". " + ec.message());
  committed_ = true;
}
