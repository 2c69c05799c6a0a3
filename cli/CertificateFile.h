// The Lucas-Lehmer certificate streamed into a text file as the test runs:
// key=value, CR LF after every line, through the atomic writer, so a failed
// or interrupted run never leaves half a certificate under the target's
// name.
#pragma once

#include <cstdint>
#include <string>

#include "tools/TextFile.h"

class TCertificateFile {
public:
  // Throws EBadInput when the temporary file cannot be created.
  explicit TCertificateFile(std::string path);
  ~TCertificateFile();
  TCertificateFile(const TCertificateFile&) = delete;
  TCertificateFile& operator=(const TCertificateFile&) = delete;

  // Runs the test of 2^p - 1 writing every row (none for p < 3); returns
  // the verdict. Throws EBadInput with the file's failure text at the first
  // failed write.
  bool Run(std::int32_t p);
  // Puts the file in place; throws EBadInput on failure.
  void Commit();

private:
  TAtomicFile file_;
};
