// Montgomery arithmetic modulo an odd 64-bit number, with R = 2^64. Values
// kept in Montgomery form (a * R mod n) multiply with three word products
// and no division, which is what makes the 64-bit primality test and the
// rho factor search fast.
#pragma once

#include <cstdint>

using TUint128 = unsigned __int128;

struct TMontgomery64 {
  std::uint64_t n = 1;    // the odd modulus
  std::uint64_t inv = 1;  // n^-1 mod 2^64
  std::uint64_t r1 = 0;   // R mod n: the form of 1
  std::uint64_t r2 = 0;   // R^2 mod n: turns a plain value into its form

  explicit TMontgomery64(std::uint64_t odd) : n(odd) {
    // Newton's iteration doubles the correct low bits; n * n = 1 mod 8 gives
    // three to start with, five steps reach 96.
    std::uint64_t x = odd;
    for (int i = 0; i < 5; ++i) x *= 2 - odd * x;
    inv = x;
    r1 = (0 - odd) % odd;
    r2 = static_cast<std::uint64_t>(static_cast<TUint128>(r1) * r1 % odd);
  }

  // a * b / R mod n for a, b < n; the result is below n. Computing
  // hi(ab) - hi(mn) instead of (ab + mn) / R cannot overflow for any n.
  std::uint64_t Mul(std::uint64_t a, std::uint64_t b) const {
    const TUint128 t = static_cast<TUint128>(a) * b;
    const std::uint64_t lo = static_cast<std::uint64_t>(t);
    const std::uint64_t hi = static_cast<std::uint64_t>(t >> 64);
    const std::uint64_t m = lo * inv;
    const std::uint64_t mh = static_cast<std::uint64_t>((static_cast<TUint128>(m) * n) >> 64);
    const std::uint64_t r = hi - mh;
    return hi < mh ? r + n : r;
  }

  std::uint64_t To(std::uint64_t a) const { return Mul(a % n, r2); }
  std::uint64_t From(std::uint64_t a) const { return Mul(a, 1); }

  // a + b mod n for a, b < n, without branches: the sum's carry and the
  // borrow of subtracting n decide by masks, which a random operand cannot
  // mispredict.
  std::uint64_t Add(std::uint64_t a, std::uint64_t b) const {
    std::uint64_t s, t;
    const std::uint64_t carry = __builtin_add_overflow(a, b, &s);
    const std::uint64_t borrow = __builtin_sub_overflow(s, n, &t);
    const std::uint64_t keep = borrow & ~carry & 1;  // s < n: s is the sum
    return t + (n & (0 - keep));
  }
  std::uint64_t Sub(std::uint64_t a, std::uint64_t b) const { return a >= b ? a - b : a - b + n; }

  // base^e in Montgomery form, base in Montgomery form.
  std::uint64_t Pow(std::uint64_t base, std::uint64_t e) const {
    std::uint64_t result = r1;
    while (e) {
      if (e & 1) result = Mul(result, base);
      base = Mul(base, base);
      e >>= 1;
    }
    return result;
  }
};
