// The transform butterflies of Ntt64.cpp eight at a time with AVX-512, for
// processors that have it (Cpu.h); the same operations on every lane as the
// plain loops, so the same values come out. AVX-512 has no high half of a
// 64 x 64-bit product: Shoup's quotient is put together from four 32-bit
// products.
#include "numbers/limb/LimbRaw.h"

#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))

#include <immintrin.h>

namespace limb64 {

namespace {

#define CALVENNA_AVX512 __attribute__((target("avx512f,avx512dq")))

// The high 64 bits of a b, for b given with its high half bh = b >> 32.
CALVENNA_AVX512 inline __m512i MulHi(__m512i a, __m512i b, __m512i bh) {
  const __m512i low32 = _mm512_set1_epi64(0xFFFFFFFF);
  const __m512i ah = _mm512_srli_epi64(a, 32);
  const __m512i ll = _mm512_mul_epu32(a, b);
  const __m512i lh = _mm512_mul_epu32(a, bh);
  const __m512i hl = _mm512_mul_epu32(ah, b);
  const __m512i hh = _mm512_mul_epu32(ah, bh);
  __m512i mid = _mm512_add_epi64(_mm512_srli_epi64(ll, 32), _mm512_and_si512(lh, low32));
  mid = _mm512_add_epi64(mid, _mm512_and_si512(hl, low32));
  __m512i hi = _mm512_add_epi64(hh, _mm512_srli_epi64(lh, 32));
  hi = _mm512_add_epi64(hi, _mm512_srli_epi64(hl, 32));
  return _mm512_add_epi64(hi, _mm512_srli_epi64(mid, 32));
}

// x w mod p in [0, 2p), as MulShoup.
CALVENNA_AVX512 inline __m512i MulShoup(__m512i x, __m512i w, __m512i ws, __m512i wsh, __m512i p) {
  const __m512i q = MulHi(x, ws, wsh);
  return _mm512_sub_epi64(_mm512_mullo_epi64(x, w), _mm512_mullo_epi64(q, p));
}

// v - 2p where v >= 2p (unsigned).
CALVENNA_AVX512 inline __m512i Reduce2p(__m512i v, __m512i p2) {
  const __mmask8 big = _mm512_cmpge_epu64_mask(v, p2);
  return _mm512_mask_sub_epi64(v, big, v, p2);
}

}  // namespace

// lo, hi (h limbs each, h a multiple of 8): (lo + w hi, lo - w hi) lazily,
// as the plain loop of Forward.
CALVENNA_AVX512 void ForwardBlockAvx512(Limb* lo, Limb* hi, Size h, Limb w, Limb ws, Limb p) {
  const __m512i vp = _mm512_set1_epi64(static_cast<long long>(p));
  const __m512i vp2 = _mm512_set1_epi64(static_cast<long long>(2 * p));
  const __m512i vw = _mm512_set1_epi64(static_cast<long long>(w));
  const __m512i vws = _mm512_set1_epi64(static_cast<long long>(ws));
  const __m512i vwsh = _mm512_set1_epi64(static_cast<long long>(ws >> 32));
  for (Size t = 0; t < h; t += 8) {
    const __m512i u = Reduce2p(_mm512_loadu_si512(lo + t), vp2);
    const __m512i v = MulShoup(_mm512_loadu_si512(hi + t), vw, vws, vwsh, vp);
    _mm512_storeu_si512(lo + t, _mm512_add_epi64(u, v));
    _mm512_storeu_si512(hi + t, _mm512_add_epi64(_mm512_sub_epi64(u, v), vp2));
  }
}

// (lo + hi, (lo - hi) w), as the plain loop of Inverse.
CALVENNA_AVX512 void InverseBlockAvx512(Limb* lo, Limb* hi, Size h, Limb w, Limb ws, Limb p) {
  const __m512i vp = _mm512_set1_epi64(static_cast<long long>(p));
  const __m512i vp2 = _mm512_set1_epi64(static_cast<long long>(2 * p));
  const __m512i vw = _mm512_set1_epi64(static_cast<long long>(w));
  const __m512i vws = _mm512_set1_epi64(static_cast<long long>(ws));
  const __m512i vwsh = _mm512_set1_epi64(static_cast<long long>(ws >> 32));
  for (Size t = 0; t < h; t += 8) {
    const __m512i u = _mm512_loadu_si512(lo + t), v = _mm512_loadu_si512(hi + t);
    _mm512_storeu_si512(lo + t, Reduce2p(_mm512_add_epi64(u, v), vp2));
    const __m512i d = _mm512_add_epi64(_mm512_sub_epi64(u, v), vp2);
    _mm512_storeu_si512(hi + t, MulShoup(d, vw, vws, vwsh, vp));
  }
}

namespace {

// The gather and scatter patterns of the levels with blocks of h = 1, 2 or
// 4 below 8: two vectors (16 limbs) hold 8 / h blocks; lo lane l is limb
// (l / h) 2h + l % h of them, hi lane l the limb h further on, and the
// twiddle of lane l is that of block l / h.
// Lanes 0-7 lo, 8-15 hi, 16-31 the way back, 32-39 the twiddle of each
// lane (index of its block among the 8 / h).
void PatternFor(Size h, long long* idx) {
  for (Size l = 0; l < 8; ++l) {
    idx[l] = static_cast<long long>(l / h * 2 * h + l % h);
    idx[8 + l] = idx[l] + static_cast<long long>(h);
    idx[32 + l] = static_cast<long long>(l / h);
  }
  for (Size e = 0; e < 16; ++e) {
    const Size blk = e / (2 * h), off = e % (2 * h);
    idx[16 + e] = off < h ? static_cast<long long>(blk * h + off) : static_cast<long long>(8 + blk * h + off - h);
  }
}

}  // namespace

// One level with blocks of h = 1, 2 or 4 (n limbs, a multiple of 16; w, ws
// the level's table), as the plain loops of Forward (inverse: Inverse).
CALVENNA_AVX512 void SmallLevelAvx512(Limb* x, Size n, Size h, const Limb* w, const Limb* ws, Limb p, bool inverse) {
  alignas(64) long long idx[40];
  PatternFor(h, idx);
  const __m512i patLo = _mm512_load_si512(idx), patHi = _mm512_load_si512(idx + 8);
  const __m512i back0 = _mm512_load_si512(idx + 16), back1 = _mm512_load_si512(idx + 24);
  const __m512i patTw = _mm512_load_si512(idx + 32);
  const __m512i vp = _mm512_set1_epi64(static_cast<long long>(p));
  const __m512i vp2 = _mm512_set1_epi64(static_cast<long long>(2 * p));
  const Size per = 8 / h;  // blocks in 16 limbs
  const __mmask8 take = static_cast<__mmask8>((1u << per) - 1);
  for (Size c = 0, i = 0; c < n; c += 16, i += per) {
    const __m512i a = _mm512_loadu_si512(x + c), b = _mm512_loadu_si512(x + c + 8);
    const __m512i u = _mm512_permutex2var_epi64(a, patLo, b);
    const __m512i v = _mm512_permutex2var_epi64(a, patHi, b);
    const __m512i vw = _mm512_permutexvar_epi64(patTw, _mm512_maskz_loadu_epi64(take, w + i));
    const __m512i vws = _mm512_permutexvar_epi64(patTw, _mm512_maskz_loadu_epi64(take, ws + i));
    const __m512i vwsh = _mm512_srli_epi64(vws, 32);
    __m512i l, r;
    if (!inverse) {
      const __m512i ur = Reduce2p(u, vp2);
      const __m512i t = MulShoup(v, vw, vws, vwsh, vp);
      l = _mm512_add_epi64(ur, t);
      r = _mm512_add_epi64(_mm512_sub_epi64(ur, t), vp2);
    } else {
      l = Reduce2p(_mm512_add_epi64(u, v), vp2);
      r = MulShoup(_mm512_add_epi64(_mm512_sub_epi64(u, v), vp2), vw, vws, vwsh, vp);
    }
    _mm512_storeu_si512(x + c, _mm512_permutex2var_epi64(l, back0, r));
    _mm512_storeu_si512(x + c + 8, _mm512_permutex2var_epi64(l, back1, r));
  }
}

}  // namespace limb64

#endif
