// A certificate sink that streams its rows into a text file: key=value,
// CR LF after every line, through the atomic writer, so a failed or
// interrupted run never leaves half a certificate under the target's name.
#pragma once

#include <string>

#include "numbers/mersenne/LucasLehmer.h"
#include "tools/TextFile.h"

class TCertificateFile : public TCertificateSink {
public:
  // Throws EBadInput when the temporary file cannot be created.
  explicit TCertificateFile(std::string path);
  ~TCertificateFile() override;

  void Clear() override;
  void Append(const std::string& key, const std::string& value) override;
  // Puts the file in place; throws EBadInput on failure.
  void Commit();

private:
  TAtomicFile file_;
};
