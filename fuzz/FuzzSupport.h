// Shared by the fuzz targets: reading structured values out of the fuzzer's
// bytes, GMP as the oracle, the normal-form check and the failure report.
//
// A target is one LLVMFuzzerTestOneInput. Built with clang and libFuzzer it
// is fuzzed; built with any compiler beside ReplayMain.cpp it replays the
// checked-in corpus. A wrong value aborts, so both ways report it the same.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "numbers/bigint/BigInt.h"
#include "numbers/primality/Random.h"
#include "tests/Mpz.h"

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

inline Mpz ToMpz(const TBigInt& a) { return Mpz(a); }
inline TBigInt FromMpz(const Mpz& v) { return v.Big(); }

// A magnitude from bytes, most significant first.
inline Mpz MpzFromBytes(const std::vector<std::uint8_t>& bytes) {
  Mpz r;
  if (!bytes.empty()) mpz_import(r.get(), bytes.size(), 1, 1, 0, 0, bytes.data());
  return r;
}

// A TBigInt of the given magnitude with the given flag (a zero may be "-0").
inline TBigInt BigFromBytes(const std::vector<std::uint8_t>& bytes, bool minus) {
  TBigInt r = MpzFromBytes(bytes).Big();
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
    FUZZ_CHECK(Mpz(big) == (mpz), "got " << Mpz(big).Str() << " want " << (mpz).Str()); \
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

// Whether |v| is prime; mpz_probab_prime_p with 30 rounds is exact in
// practice for the sizes fuzzed.
inline bool GmpPrime(const Mpz& v) {
  Mpz a;
  mpz_abs(a.get(), v.get());
  return mpz_probab_prime_p(a.get(), 30) != 0;
}

// A field text read as a signed 64-bit integer: blanks, a sign, digits;
// nothing when it is not one or does not fit.
inline std::optional<long long> ReadSigned64(const std::string& t) {
  std::size_t i = 0;
  while (i < t.size() && (t[i] == ' ' || t[i] == '\t')) ++i;
  bool minus = false;
  if (i < t.size() && (t[i] == '+' || t[i] == '-')) minus = t[i++] == '-';
  if (i >= t.size()) return std::nullopt;
  Mpz v;
  for (; i < t.size(); ++i) {
    if (t[i] < '0' || t[i] > '9') return std::nullopt;
    mpz_mul_ui(v.get(), v.get(), 10);
    mpz_add_ui(v.get(), v.get(), static_cast<unsigned long>(t[i] - '0'));
  }
  if (minus) mpz_neg(v.get(), v.get());
  if (!mpz_fits_slong_p(v.get())) return std::nullopt;
  return mpz_get_si(v.get());
}

// The value of a text of decimal digits only (empty reads 0).
inline Mpz MpzFromDigits(const std::string& digits) {
  Mpz r;
  if (!digits.empty()) mpz_set_str(r.get(), digits.c_str(), 10);
  return r;
}

inline bool IsDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace fuzz
