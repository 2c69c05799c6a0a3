// The Lucas-Lehmer test of the Mersenne number M = 2^p - 1.
//
// s starts at 4 and each iteration replaces it by s^2 - 2 reduced modulo M;
// after p - 2 iterations M is prime exactly when s = 0 (p = 2 is prime by
// definition; p < 2 gives false). The fast routines square with the raw
// digit layer and reduce modulo 2^p - 1 by shifts and additions (the same
// remainder as a long division); LucasLehmerTestPlain squares and divides
// the plain way and serves as the tested reference.
//
// Above a threshold p the iterations go through the weighted transform of
// numbers/LucasLehmerDwt.h, which gives exactly the same residues.
//
// The long routines take an optional progress object: they report the
// iteration count and, when a stop is asked for, throw ECancelled.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "numbers/bigint/BigInt.h"
#include "numbers/progress/Progress.h"

class TMersenneResidue;
class TLucasLehmerDwt;

// Where the certified test writes its rows; the certificate window keeps
// them its own way, the command-line tool streams them to a file.
class TCertificateSink {
public:
  virtual ~TCertificateSink() = default;
  // Remove all rows.
  virtual void Clear() = 0;
  // Append the row key -> value (the keys written are all distinct).
  virtual void Append(const std::string& key, const std::string& value) = 0;
};

// A sink that keeps the rows in memory, in order.
class TCertificateRows : public TCertificateSink {
public:
  void Clear() override { Rows.clear(); }
  void Append(const std::string& key, const std::string& value) override { Rows.emplace_back(key, value); }
  std::vector<std::pair<std::string, std::string>> Rows;
};

bool LucasLehmerTest(std::int32_t p, TProgress* progress = nullptr);

// The same verdict; first clears the sink, then appends the rows
// "3" -> s after iteration 1, ..., "p" -> s after iteration p - 2 (decimal).
// p = 2 and p < 2 leave the sink empty. When cancelled, the rows written so
// far stay in the sink.
bool LucasLehmerCertified(std::int32_t p, TCertificateSink& sink, TProgress* progress = nullptr);

// The plain loop: SquareBigInt, subtract 2, ModuloBigInt by M.
bool LucasLehmerTestPlain(std::int32_t p);

// For stored certificates: s (a residue modulo 2^p - 1; reduced first when
// it is not) is advanced by the given number of iterations. p >= 3.
void LucasLehmerAdvance(std::int32_t p, TBigInt& s, std::int64_t iterations, TProgress* progress = nullptr);
// The residue after the given number of iterations from s = 4 (iteration 0
// is 4 itself); the certificate row named k holds iteration k - 2. p >= 3.
TBigInt LucasLehmerResidue(std::int32_t p, std::int64_t iteration, TProgress* progress = nullptr);

// Iterations on a running residue by the method chosen for p (or the one
// asked for: tests compare them).
class TLucasLehmerRun {
public:
  enum class TMethod { Automatic, Exact, Transform };
  // s = 4; p >= 3.
  explicit TLucasLehmerRun(std::int32_t p, TMethod method = TMethod::Automatic);
  ~TLucasLehmerRun();
  TLucasLehmerRun(const TLucasLehmerRun&) = delete;
  TLucasLehmerRun& operator=(const TLucasLehmerRun&) = delete;

  // Any value; reduced modulo M first when it is not a residue.
  void Set(const TBigInt& value);
  // s := (s^2 - 2) mod M.
  void Step();
  TBigInt Residue() const;
  std::string Decimal() const;
  bool IsZero() const;

  bool UsesTransform() const { return dwt_ != nullptr; }
  // Transform iterations that were redone exactly.
  std::int64_t Redone() const;

  // p from which Automatic takes the transform.
  static std::int32_t TransformThreshold();

private:
  std::int32_t p_;
  std::unique_ptr<TMersenneResidue> exact_;
  std::unique_ptr<TLucasLehmerDwt> dwt_;
};
