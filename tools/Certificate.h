// The certificate of a Lucas-Lehmer run: the rows "3" .. "p", each the
// residue after one iteration, in decimal.
//
// All rows of p = 99999 would take about three gigabytes of decimal text,
// so the rows are not kept: the residue after every k-th iteration is kept
// in binary (a few dozen megabytes at most), and a row is produced on demand
// by stepping from the checkpoint before it. Rows the user edited are kept
// as overrides and win over the computed text.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "numbers/bigint/BigInt.h"
#include "numbers/progress/Progress.h"

class TAtomicFile;

// A position in the run for reading rows one after another: stepping on
// from the previous row costs one iteration instead of up to k.
struct TCertificateCursor {
  std::int64_t iteration = -1;  // -1: nothing held
  TBigInt residue;
};

class TCertificate {
public:
  // An empty certificate (no rows).
  TCertificate() = default;

  // Runs the Lucas-Lehmer test of 2^p - 1 and keeps what the rows need.
  // Reports "Iteration i of n" and throws ECancelled when asked to stop.
  // p = 2 and p < 2 give no rows. checkpointBytes bounds the memory of the
  // checkpoints (tests use a small value to exercise the stepping).
  static TCertificate Run(std::int32_t p, TProgress* progress = nullptr,
                          std::size_t checkpointBytes = kDefaultCheckpointBytes);

  static constexpr std::size_t kDefaultCheckpointBytes = 32u << 20;

  // The same run, writing every row into file as it goes (key=value, CR LF):
  // the Lucas-Lehmer iterations on one thread, the decimal conversions on
  // up to threads others (0: one per core, at most four), the memory
  // bounded. Stops at the first write failure and throws
  // std::runtime_error with the file's failure text; throws ECancelled when
  // asked to stop. The file is left for the caller to commit or drop.
  static TCertificate RunWritingFile(std::int32_t p, TAtomicFile& file, TProgress* progress = nullptr,
                                     int threads = 0, std::size_t checkpointBytes = kDefaultCheckpointBytes);

  bool Prime() const { return prime_; }
  std::int32_t Exponent() const { return p_; }
  std::int64_t RowCount() const { return rows_; }
  // Iterations between two kept residues.
  std::int64_t Spacing() const { return spacing_; }
  std::size_t MemoryBytes() const { return words_.capacity() * sizeof(std::uint32_t); }

  // Row r (0-based) has the key r + 3.
  static std::string Key(std::int64_t row) { return std::to_string(row + 3); }
  // The row's text: the user's override, else the computed residue.
  std::string Value(std::int64_t row, TCertificateCursor& cursor) const;
  std::string ComputedValue(std::int64_t row, TCertificateCursor& cursor) const;
  // The residue after the row's iteration.
  TBigInt Residue(std::int64_t row, TCertificateCursor& cursor) const;

  void SetValue(std::int64_t row, const std::string& text);
  bool IsEdited(std::int64_t row) const { return overrides_.count(row) != 0; }

  // Hands every row, in order, to line(key, value), on the calling thread;
  // the residues are stepped on one thread and turned into decimal on up
  // to threads others (0: one per core, at most four). Reports progress
  // and throws ECancelled when asked to stop.
  void ForEachRow(const std::function<void(const std::string& key, const std::string& value)>& line,
                  TProgress* progress = nullptr, int threads = 0) const;
  // Every row written into file, as the certificate file holds them; false
  // at the first write failure (the text is the file's Failure()).
  bool WriteRows(TAtomicFile& file, TProgress* progress = nullptr, int threads = 0) const;

private:
  static TCertificate Shape(std::int32_t p, std::size_t checkpointBytes);
  bool EachRow(const std::function<bool(std::int64_t row, const std::string& value)>& take, TProgress* progress,
               int threads) const;
  void Keep(const TBigInt& residue);
  TBigInt Checkpoint(std::int64_t index) const;

  std::int32_t p_ = 0;
  std::int64_t rows_ = 0;
  std::int64_t spacing_ = 1;
  bool prime_ = false;
  std::size_t width_ = 0;             // words per kept residue
  std::vector<std::uint32_t> words_;  // residue after iteration j * spacing_, j = 0, 1, ...
  std::map<std::int64_t, std::string> overrides_;
};

// One line of the certificate file: key=value, then CR LF.
std::string CertificateLine(const std::string& key, const std::string& value);
