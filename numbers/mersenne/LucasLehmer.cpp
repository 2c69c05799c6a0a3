#include "numbers/mersenne/LucasLehmer.h"

#include <stdexcept>

#include "numbers/bigint/BigIntRaw.h"
#include "numbers/mersenne/LucasLehmerDwt.h"
#include "numbers/mersenne/MersenneResidue.h"
#include "numbers/bigint/Radix.h"

namespace {

// Below this p the exact squaring is the faster (numbers/Thresholds.h).
constexpr std::int32_t kTransformThreshold = cutover::kLucasLehmerTransformThreshold;

void Report(TProgress* progress, std::int64_t done, std::int64_t total) {
  if (!progress) return;
  progress->CheckCancelled();
  if ((done & 15) == 0 || done == total)
    progress->Report(total > 0 ? static_cast<double>(done) / static_cast<double>(total) : 1.0,
                     "Iteration " + std::to_string(done) + " of " + std::to_string(total));
}

}  // namespace

bool LucasLehmerTest(std::int32_t p, TProgress* progress) {
  if (p == 2) return true;
  if (p < 3) return false;
  TLucasLehmerRun s(p);
  const std::int64_t total = static_cast<std::int64_t>(p) - 2;
  for (std::int64_t i = 1; i <= total; ++i) {
    s.Step();
    Report(progress, i, total);
  }
  return s.IsZero();
}

bool LucasLehmerCertified(std::int32_t p, TCertificateSink& sink, TProgress* progress) {
  sink.Clear();
  if (p == 2) return true;
  if (p < 3) return false;
  TLucasLehmerRun s(p);
  const std::int64_t total = static_cast<std::int64_t>(p) - 2;
  for (std::int64_t i = 1; i <= total; ++i) {
    s.Step();
    sink.Append(std::to_string(i + 2), s.Decimal());
    Report(progress, i, total);
  }
  return s.IsZero();
}

bool LucasLehmerTestPlain(std::int32_t p) {
  if (p == 2) return true;
  TBigInt s = BigIntFromInt64(4);
  TBigInt two, exponent, power, m, sq, t;
  DecimalToBigInt("2", two);
  DecimalToBigInt(std::to_string(p), exponent);
  PowerBigInt(two, exponent, power);
  SubtractBigInt(power, BigIntFromInt64(1), m);
  for (std::int64_t i = 1; i <= static_cast<std::int64_t>(p) - 2; ++i) {
    SquareBigInt(s, sq);
    SubtractBigInt(sq, two, t);
    ModuloBigInt(t, m, s);
  }
  return s.IsZero();
}

void LucasLehmerAdvance(std::int32_t p, TBigInt& s, std::int64_t iterations, TProgress* progress) {
  if (p < 3) throw std::invalid_argument("LucasLehmerAdvance needs p >= 3");
  // A few iterations do not pay for setting up the transform.
  TLucasLehmerRun residue(p, iterations < 64 ? TLucasLehmerRun::TMethod::Exact : TLucasLehmerRun::TMethod::Automatic);
  residue.Set(s);
  for (std::int64_t i = 1; i <= iterations; ++i) {
    residue.Step();
    Report(progress, i, iterations);
  }
  s = residue.Residue();
}

TBigInt LucasLehmerResidue(std::int32_t p, std::int64_t iteration, TProgress* progress) {
  TBigInt s = BigIntFromInt64(4);
  LucasLehmerAdvance(p, s, iteration, progress);
  return s;
}

TLucasLehmerRun::TLucasLehmerRun(std::int32_t p, TMethod method) : p_(p) {
  if (p < 3) throw std::invalid_argument("TLucasLehmerRun needs p >= 3");
  const bool transform = method == TMethod::Transform || (method == TMethod::Automatic && p >= kTransformThreshold);
  if (transform && TLucasLehmerDwt::LengthFor(p) <= static_cast<std::size_t>(p))
    dwt_ = std::make_unique<TLucasLehmerDwt>(p);
  else
    exact_ = std::make_unique<TMersenneResidue>(p);
}

TLucasLehmerRun::~TLucasLehmerRun() = default;

void TLucasLehmerRun::Set(const TBigInt& value) {
  // Values of fewer than p bits are residues already (the usual case: the
  // certificate steps on from its kept residues row after row).
  std::int64_t bits = 31 * static_cast<std::int64_t>(value.Count() - 1);
  for (std::int64_t top = value.Cells[static_cast<std::size_t>(value.Count())]; top != 0; top >>= 1) ++bits;
  const TBigInt* v = &value;
  TBigInt reduced;
  if (value.IsNegative() || bits >= p_) {
    TBigInt m, r;
    PowerBigInt(BigIntFromInt64(2), BigIntFromInt64(p_), m);
    SubtractBigInt(m, BigIntFromInt64(1), r);
    ModuloBigInt(value, r, reduced);
    v = &reduced;
  }
  if (dwt_) dwt_->Set(*v);
  else exact_->Set(*v);
}

void TLucasLehmerRun::Step() {
  if (dwt_) dwt_->Step();
  else exact_->Step();
}

TBigInt TLucasLehmerRun::Residue() const {
  TBigInt r;
  if (dwt_) dwt_->Get(r);
  else exact_->Get(r);
  return r;
}

std::string TLucasLehmerRun::Decimal() const {
  if (exact_) return exact_->Decimal();
  return BigIntToDecimal(Residue());
}

bool TLucasLehmerRun::IsZero() const { return dwt_ ? dwt_->IsZero() : exact_->IsZero(); }

std::int64_t TLucasLehmerRun::Redone() const { return dwt_ ? dwt_->Redone() : 0; }

std::int32_t TLucasLehmerRun::TransformThreshold() { return kTransformThreshold; }
