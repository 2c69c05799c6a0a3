// Shared by the fuzz targets: reading structured values out of the fuzzer's
// bytes, GMP as the oracle, the normal-form check and the failure report.
//
// A target is one LLVMFuzzerTestOneInput. Built with clang and libFuzzer it
// is fuzzed; built with any compiler beside ReplayMain.cpp it replays the
// checked-in corpus. A wrong value aborts, so both ways report it the same.
#pragma once

#include <gmp.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "numbers/bigint/BigInt.h"
#include "numbers/primality/Random.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace fuzz {

// Set by the replay program: the file being replayed, for the report.
inline const char*& CurrentInput() {
  static const char* name = nullptr;
  return name;
}

[[noreturn]] inline void Fail(const char* file, int line, const std::string& what) {
  std::fprintf(stderr, "%s:%d: fuzz check failed: %s\n", file, line, what.c_str());
  if (CurrentInput()) std::fprintf(stderr, "  input: %s\n", CurrentInput());
  std::fflush(stderr);
  std::abort();
}

}  // namespace fuzz

// FUZZ_CHECK(cond, "text" << value ...): aborts with the streamed text.
#define FUZZ_CHECK(cond, msg)                                  \
  do {                                                         \
    if (!(cond)) {                                             \
      std::ostringstream fuzz_os_;                             \
      fuzz_os_ << #cond << ": " << msg;                        \
      ::fuzz::Fail(__FILE__, __LINE__, fuzz_os_.str());        \
    }                                                          \
  } while (0)

namespace fuzz {

// Takes control values from the front of the input and leaves the rest for
// the operands. Reading past the end gives zeros, so every input is valid.
class TInput {
public:
  TInput(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

  std::uint8_t U8() { return pos_ < size_ ? data_[pos_++] : 0; }
  std::uint16_t U16() { return static_cast<std::uint16_t>(U8() | (U8() << 8)); }
  std::uint64_t U64() {
    std::uint64_t v = 0;
    for (int i = 0; i < 8; ++i) v |= static_cast<std::uint64_t>(U8()) << (8 * i);
    return v;
  }
  bool Bool() { return U8() & 1; }
  std::size_t Left() const { return size_ - pos_; }
  // The next n bytes (fewer at the end).
  std::vector<std::uint8_t> Bytes(std::size_t n) {
    if (n > Left()) n = Left();
    std::vector<std::uint8_t> b(data_ + pos_, data_ + pos_ + n);
    pos_ += n;
    return b;
  }
  std::vector<std::uint8_t> Rest() { return Bytes(Left()); }
  std::string RestText() {
    std::vector<std::uint8_t> b = Rest();
    return std::string(b.begin(), b.end());
  }

private:
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t pos_ = 0;
};

// An mpz_t with its lifetime.
class Mpz {
public:
  Mpz() { mpz_init(v_); }
  explicit Mpz(long v) { mpz_init_set_si(v_, v); }
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
  bool operator==(const Mpz& o) const { return mpz_cmp(v_, o.v_) == 0; }
  bool operator!=(const Mpz& o) const { return !(*this == o); }

private:
  mpz_t v_;
};

// Base-2^31 digits both ways without going through text: each 64-bit cell
// holds 31 bits, so 33 nail bits.
inline Mpz ToMpz(const TBigInt& a) {
  Mpz r;
  const std::size_t n = static_cast<std::size_t>(a.Count());
  mpz_import(r.get(), n, -1, sizeof(std::int64_t), 0, 33, a.Cells.data() + 1);
  if (a.SignFlag == 0) mpz_neg(r.get(), r.get());
  return r;
}

inline TBigInt FromMpz(const Mpz& v) {
  TBigInt r;
  std::size_t count = (mpz_sizeinbase(v.get(), 2) + 30) / 31 + 1;
  r.Cells.assign(count + 1, 0);
  std::size_t written = 0;
  mpz_export(r.Cells.data() + 1, &written, -1, sizeof(std::int64_t), 0, 33, v.get());
  if (written == 0) written = 1;
  r.Cells.resize(written + 1);
  r.Cells[0] = static_cast<std::int64_t>(written);
  r.SignFlag = v.Sign() < 0 ? 0 : 1;
  return r;
}

// A magnitude from bytes, most significant first.
inline Mpz MpzFromBytes(const std::vector<std::uint8_t>& bytes) {
  Mpz r;
  if (!bytes.empty()) mpz_import(r.get(), bytes.size(), 1, 1, 0, 0, bytes.data());
  return r;
}

// A TBigInt of the given magnitude with the given flag (a zero may be "-0").
inline TBigInt BigFromBytes(const std::vector<std::uint8_t>& bytes, bool minus) {
  TBigInt r = FromMpz(MpzFromBytes(bytes));
  r.SignFlag = minus ? 0 : 1;
  return r;
}

// Normal form: n + 1 cells, digits in 0..2^31-1, top digit non-zero unless
// the value is zero, a flag of 0 or 1. Empty when sound, else what is wrong.
inline std::string NormalFormFault(const TBigInt& a) {
  if (a.Cells.size() < 2) return "fewer than two cells";
  if (a.Cells[0] != static_cast<std::int64_t>(a.Cells.size() - 1))
    return "count " + std::to_string(a.Cells[0]) + " for " + std::to_string(a.Cells.size()) + " cells";
  for (std::size_t i = 1; i < a.Cells.size(); ++i)
    if (a.Cells[i] < 0 || a.Cells[i] > kBigIntMask) return "digit " + std::to_string(i) + " out of range";
  if (a.Cells.size() > 2 && a.Cells.back() == 0) return "top digit zero";
  if (a.SignFlag > 1) return "flag " + std::to_string(a.SignFlag);
  return {};
}

#define FUZZ_CHECK_NORMAL(x) FUZZ_CHECK(::fuzz::NormalFormFault(x).empty(), ::fuzz::NormalFormFault(x))
#define FUZZ_CHECK_VALUE(big, mpz)                                                                   \
  do {                                                                                               \
    FUZZ_CHECK_NORMAL(big);                                                                          \
    FUZZ_CHECK(::fuzz::ToMpz(big) == (mpz), "got " << ::fuzz::ToMpz(big).Str() << " want " << (mpz).Str()); \
  } while (0)

// A generator for the number tests that depends only on the input, so a
// failing input fails again when replayed. Each reseed moves on, as a clock
// would, so a search that restarts gets new parameters.
class TInputRandom : public TRandomGenerator {
public:
  TInputRandom(const std::uint8_t* data, std::size_t size) {
    std::uint64_t h = 1469598103934665603ULL;
    for (std::size_t i = 0; i < size; ++i) h = (h ^ data[i]) * 1099511628211ULL;
    seed_ = state_ = h;
  }
  void Reseed() override { state_ = seed_ + 0x9E3779B97F4A7C15ULL * ++reseeds_; }
  std::uint64_t Below(std::uint64_t bound) override { return bound <= 1 ? 0 : Next() % bound; }

private:
  std::uint64_t Next() {
    std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
  }
  std::uint64_t seed_, state_;
  std::uint64_t reseeds_ = 0;
};

// The value of a text of decimal digits only (empty reads 0).
inline Mpz MpzFromDigits(const std::string& digits) {
  Mpz r;
  if (!digits.empty()) mpz_set_str(r.get(), digits.c_str(), 10);
  return r;
}

inline bool IsDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace fuzz
