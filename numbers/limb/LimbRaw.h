// Raw operations on 64-bit limbs (internal to numbers/): the one limb type,
// add and subtract with carry on one limb, and the carry and borrow chains
// over arrays, both of a length known when compiling (unrolled, for the
// Montgomery kernels) and of a run-time length. Everything above (the limb
// products and divisions, the Montgomery residues) is written with these.
//
// Arrays are least significant limb first; a result may equal an input.
#pragma once

#include <cstddef>
#include <cstdint>

#if defined(__x86_64__)
#include <immintrin.h>
#endif

namespace limb64 {

using Limb = std::uint64_t;
using Wide = unsigned __int128;
using Size = std::size_t;

// r := a + b + c for a carry c of 0 or 1; returns the carry out.
inline __attribute__((always_inline)) Limb AddC(Limb a, Limb b, Limb c, Limb* r) {
#if defined(__x86_64__)
  unsigned long long s;
  c = _addcarry_u64(static_cast<unsigned char>(c), a, b, &s);
  *r = s;
  return c;
#else
  const Wide t = static_cast<Wide>(a) + b + c;
  *r = static_cast<Limb>(t);
  return static_cast<Limb>(t >> 64);
#endif
}

// r := a - b - c for a borrow c of 0 or 1; returns the borrow out.
inline __attribute__((always_inline)) Limb SubB(Limb a, Limb b, Limb c, Limb* r) {
#if defined(__x86_64__)
  unsigned long long d;
  c = _subborrow_u64(static_cast<unsigned char>(c), a, b, &d);
  *r = d;
  return c;
#else
  const Wide t = static_cast<Wide>(a) - b - c;
  *r = static_cast<Limb>(t);
  return static_cast<Limb>(t >> 64) & 1;
#endif
}

// r := a + b and r := a - b over N limbs, unrolled; return the carry or
// borrow.
template <int N>
inline __attribute__((always_inline)) Limb AddN(Limb* r, const Limb* a, const Limb* b) {
  Limb c = 0;
#pragma GCC unroll 32
  for (int i = 0; i < N; ++i) c = AddC(a[i], b[i], c, &r[i]);
  return c;
}
template <int N>
inline __attribute__((always_inline)) Limb SubN(Limb* r, const Limb* a, const Limb* b) {
  Limb c = 0;
#pragma GCC unroll 32
  for (int i = 0; i < N; ++i) c = SubB(a[i], b[i], c, &r[i]);
  return c;
}

// The same chains over n limbs of a run-time length.
Limb AddN(Limb* r, const Limb* a, const Limb* b, Size n);
Limb SubN(Limb* r, const Limb* a, const Limb* b, Size n);
// r := a + b and r := a - b with na >= nb limbs; r has na limbs.
Limb Add(Limb* r, const Limb* a, Size na, const Limb* b, Size nb);
Limb Sub(Limb* r, const Limb* a, Size na, const Limb* b, Size nb);
// r := a + c and r := a - c for one limb c.
Limb Add1(Limb* r, const Limb* a, Size n, Limb c);
Limb Sub1(Limb* r, const Limb* a, Size n, Limb c);

// Sign of a - b, both of n limbs.
int CmpN(const Limb* a, const Limb* b, Size n);
// Length of a without its zero top limbs.
inline Size Trim(const Limb* a, Size n) {
  while (n > 0 && a[n - 1] == 0) --n;
  return n;
}

}  // namespace limb64
