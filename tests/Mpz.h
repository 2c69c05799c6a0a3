// A GMP integer with its lifetime, and the exact conversions to and from
// TBigInt. The number tests and the fuzz targets both use GMP as their
// oracle through this one class.
#pragma once

#include <gmp.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "numbers/bigint/BigInt.h"

class Mpz {
public:
  Mpz() { mpz_init(v_); }
  explicit Mpz(long v) { mpz_init_set_si(v_, v); }
  explicit Mpz(const std::string& decimal) { mpz_init_set_str(v_, decimal.c_str(), 10); }
  explicit Mpz(const TBigInt& a);
  Mpz(const Mpz& o) { mpz_init_set(v_, o.v_); }
  Mpz& operator=(const Mpz& o) {
    mpz_set(v_, o.v_);
    return *this;
  }
  ~Mpz() { mpz_clear(v_); }
  mpz_ptr get() { return v_; }
  mpz_srcptr get() const { return v_; }
  std::string Str() const {
    std::vector<char> buf(mpz_sizeinbase(v_, 10) + 2);
    mpz_get_str(buf.data(), 10, v_);
    return buf.data();
  }
  int Sign() const { return mpz_sgn(v_); }
  TBigInt Big() const;
  bool operator==(const Mpz& o) const { return mpz_cmp(v_, o.v_) == 0; }
  bool operator!=(const Mpz& o) const { return !(*this == o); }

private:
  mpz_t v_;
};

// Base-2^31 digits both ways without going through text: each 64-bit cell
// holds 31 bits, so 33 nail bits.
inline Mpz::Mpz(const TBigInt& a) {
  mpz_init(v_);
  const std::size_t n = static_cast<std::size_t>(a.Count());
  mpz_import(v_, n, -1, sizeof(std::int64_t), 0, 33, a.Cells.data() + 1);
  if (a.SignFlag == 0) mpz_neg(v_, v_);
}

inline TBigInt Mpz::Big() const {
  TBigInt r;
  const std::size_t count = (mpz_sizeinbase(v_, 2) + 30) / 31 + 1;
  r.Cells.assign(count + 1, 0);
  std::size_t written = 0;
  mpz_export(r.Cells.data() + 1, &written, -1, sizeof(std::int64_t), 0, 33, v_);
  if (written == 0) written = 1;
  r.Cells.resize(written + 1);
  r.Cells[0] = static_cast<std::int64_t>(written);
  r.SignFlag = Sign() < 0 ? 0 : 1;
  return r;
}
