// A certificate sink that streams its rows into a text file: key=value,
// CR LF after every line. The rows go to a temporary file beside the target,
// which Commit() renames into place, so a failed or interrupted run never
// leaves half a certificate under the target's name.
#pragma once

#include <fstream>
#include <string>

#include "numbers/mersenne/LucasLehmer.h"

class TCertificateFile : public TCertificateSink {
public:
  // Throws EBadInput when the temporary file cannot be created.
  explicit TCertificateFile(std::string path);
  // Removes the temporary file unless committed.
  ~TCertificateFile() override;

  void Clear() override;
  void Append(const std::string& key, const std::string& value) override;
  // Flushes, closes and renames into place; throws EBadInput on failure.
  void Commit();

private:
  void Open();
  [[noreturn]] void Failed(const std::string& what);

  std::string path_, temp_;
  std::ofstream out_;
  bool committed_ = false;
};
