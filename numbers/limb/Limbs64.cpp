// 64-bit limbs: packing of base-2^31 digits, carry chains, the basecase
// product and square, and the choice of method by size.
#include "numbers/limb/Limbs64.h"

#include <algorithm>
#include <cstring>

namespace limb64 {

Tuning gTuning;


Limb LShift(Limb* r, const Limb* a, Size n, int s) {
  if (s == 0) {
    if (r != a && n) std::memmove(r, a, n * sizeof(Limb));
    return 0;
  }
  Limb out = 0;
  for (Size i = n; i-- > 0;) {  // from the top: r may equal a
    const Limb v = a[i];
    if (i + 1 < n) r[i + 1] |= v >> (64 - s);
    else out = v >> (64 - s);
    r[i] = v << s;
  }
  return out;
}

Limb RShift(Limb* r, const Limb* a, Size n, int s) {
  if (s == 0) {
    if (r != a && n) std::memmove(r, a, n * sizeof(Limb));
    return 0;
  }
  const Limb out = n ? a[0] << (64 - s) : 0;
  for (Size i = 0; i < n; ++i) r[i] = (a[i] >> s) | (i + 1 < n ? a[i + 1] << (64 - s) : 0);
  return out;
}

namespace {

// r -= a * m in C from a carry limb cy and a borrow b (0/1); returns the
// carry and leaves the borrow in b.
Limb SubMul1From(Limb* r, const Limb* a, Size n, Limb m, Limb cy, Limb& b) {
  for (Size i = 0; i < n; ++i) {
    const Wide t = static_cast<Wide>(a[i]) * m + cy;
    const Limb lo = static_cast<Limb>(t);
    cy = static_cast<Limb>(t >> 64);
    const Limb x = r[i];
    const Limb d = x - lo;
    Limb nb = x < lo;
    nb += d < b;
    r[i] = d - b;
    b = nb;
  }
  return cy;
}

}  // namespace

#if defined(__x86_64__) && defined(__ADX__) && defined(__BMI2__)
// As AddMul1, with the product row complemented before it is added:
// r - s = r + ~s + 1 - B^n, so OF starts as 1 minus the borrow and comes
// out as 1 minus the borrow.
Limb SubMul1(Limb* r, const Limb* a, Size n, Limb m) {
  const Size head = n & 3;
  Limb b = 0;
  Limb c = SubMul1From(r, a, head, m, 0, b);
  Size blocks = n / 4;
  if (blocks == 0) return c + b;
  Limb* rp = r + head;
  const Limb* ap = a + head;
  Limb lo0, hi0, lo1, zero;
  Limb t = 0x7FFFFFFFFFFFFFFFu;
  const Limb ofIn = 1 - b;
  __asm__ volatile(
      "xor %k[z], %k[z]\n\t"
      "add %[of], %[t]\n\t"  // OF := ofIn, CF := 0
      "1:\n\t"
      "mulx (%[ap]), %[lo0], %[hi0]\n\t"
      "adcx %[c], %[lo0]\n\t"
      "not %[lo0]\n\t"
      "adox (%[rp]), %[lo0]\n\t"
      "mov %[lo0], (%[rp])\n\t"
      "mulx 8(%[ap]), %[lo1], %[c]\n\t"
      "adcx %[hi0], %[lo1]\n\t"
      "not %[lo1]\n\t"
      "adox 8(%[rp]), %[lo1]\n\t"
      "mov %[lo1], 8(%[rp])\n\t"
      "mulx 16(%[ap]), %[lo0], %[hi0]\n\t"
      "adcx %[c], %[lo0]\n\t"
      "not %[lo0]\n\t"
      "adox 16(%[rp]), %[lo0]\n\t"
      "mov %[lo0], 16(%[rp])\n\t"
      "mulx 24(%[ap]), %[lo1], %[c]\n\t"
      "adcx %[hi0], %[lo1]\n\t"
      "not %[lo1]\n\t"
      "adox 24(%[rp]), %[lo1]\n\t"
      "mov %[lo1], 24(%[rp])\n\t"
      "lea 32(%[ap]), %[ap]\n\t"
      "lea 32(%[rp]), %[rp]\n\t"
      "lea -1(%[n]), %[n]\n\t"
      "jrcxz 2f\n\t"
      "jmp 1b\n\t"
      "2:\n\t"
      "adcx %[z], %[c]\n\t"
      "mov $0, %k[t]\n\t"
      "adox %[z], %[t]\n\t"  // t := OF
      : [rp] "+&r"(rp), [ap] "+&r"(ap), [n] "+&c"(blocks), [c] "+&r"(c), [lo0] "=&r"(lo0), [hi0] "=&r"(hi0),
        [lo1] "=&r"(lo1), [z] "=&r"(zero), [t] "+&r"(t)
      : "d"(m), [of] "r"(ofIn)
      : "cc", "memory");
  return c + 1 - t;
}
#else
Limb SubMul1(Limb* r, const Limb* a, Size n, Limb m) {
  Limb b = 0;
  const Limb c = SubMul1From(r, a, n, m, 0, b);
  return c + b;
}
#endif

Limb DivRem1(Limb* q, const Limb* a, Size n, Limb d) {
  Limb rem = 0;
  for (Size i = n; i-- > 0;) q[i] = Div2by1(rem, a[i], d, rem);
  return rem;
}

Limb Mul1(Limb* r, const Limb* a, Size n, Limb m) {
  Limb c = 0;
  for (Size i = 0; i < n; ++i) {
    const Wide t = static_cast<Wide>(a[i]) * m + c;
    r[i] = static_cast<Limb>(t);
    c = static_cast<Limb>(t >> 64);
  }
  return c;
}

namespace {

// r += a * m in C, from a carry c; returns the carry.
Limb AddMul1From(Limb* r, const Limb* a, Size n, Limb m, Limb c) {
  for (Size i = 0; i < n; ++i) {
    const Wide t = static_cast<Wide>(a[i]) * m + r[i] + c;
    r[i] = static_cast<Limb>(t);
    c = static_cast<Limb>(t >> 64);
  }
  return c;
}

}  // namespace

#if defined(__x86_64__) && defined(__ADX__) && defined(__BMI2__)
// Four limbs a turn with two carry chains: CF takes the high halves of the
// products into the next limb, OF the old limbs of r. The loop control
// (lea, jrcxz) leaves both flags alone.
Limb AddMul1(Limb* r, const Limb* a, Size n, Limb m) {
  Size blocks = n / 4;
  Limb c = 0;
  if (blocks) {
    Limb* rp = r;
    const Limb* ap = a;
    Limb lo0, hi0, lo1, zero;
    __asm__ volatile(
        "xor %k[z], %k[z]\n\t"
        "1:\n\t"
        "mulx (%[ap]), %[lo0], %[hi0]\n\t"
        "adcx %[c], %[lo0]\n\t"
        "adox (%[rp]), %[lo0]\n\t"
        "mov %[lo0], (%[rp])\n\t"
        "mulx 8(%[ap]), %[lo1], %[c]\n\t"
        "adcx %[hi0], %[lo1]\n\t"
        "adox 8(%[rp]), %[lo1]\n\t"
        "mov %[lo1], 8(%[rp])\n\t"
        "mulx 16(%[ap]), %[lo0], %[hi0]\n\t"
        "adcx %[c], %[lo0]\n\t"
        "adox 16(%[rp]), %[lo0]\n\t"
        "mov %[lo0], 16(%[rp])\n\t"
        "mulx 24(%[ap]), %[lo1], %[c]\n\t"
        "adcx %[hi0], %[lo1]\n\t"
        "adox 24(%[rp]), %[lo1]\n\t"
        "mov %[lo1], 24(%[rp])\n\t"
        "lea 32(%[ap]), %[ap]\n\t"
        "lea 32(%[rp]), %[rp]\n\t"
        "lea -1(%[n]), %[n]\n\t"
        "jrcxz 2f\n\t"
        "jmp 1b\n\t"
        "2:\n\t"
        "adcx %[z], %[c]\n\t"
        "adox %[z], %[c]\n\t"
        : [rp] "+&r"(rp), [ap] "+&r"(ap), [n] "+&c"(blocks), [c] "+&r"(c), [lo0] "=&r"(lo0), [hi0] "=&r"(hi0),
          [lo1] "=&r"(lo1), [z] "=&r"(zero)
        : "d"(m)
        : "cc", "memory");
  }
  const Size done = n & ~Size{3};
  return AddMul1From(r + done, a + done, n - done, m, c);
}
#else
Limb AddMul1(Limb* r, const Limb* a, Size n, Limb m) { return AddMul1From(r, a, n, m, 0); }
#endif

void MulBasecase(Limb* r, const Limb* a, Size na, const Limb* b, Size nb) {
  std::memset(r, 0, na * sizeof(Limb));  // the first row too by the fast kernel
  for (Size j = 0; j < nb; ++j) r[na + j] = AddMul1(r + j, a, na, b[j]);
}

void SqrBasecase(Limb* r, const Limb* a, Size n) {
  if (n == 1) {
    const Wide t = static_cast<Wide>(a[0]) * a[0];
    r[0] = static_cast<Limb>(t);
    r[1] = static_cast<Limb>(t >> 64);
    return;
  }
  // Cross products once, doubled, plus the squares on the diagonal.
  std::memset(r, 0, n * sizeof(Limb));
  r[n] = AddMul1(r + 1, a + 1, n - 1, a[0]);
  for (Size i = 1; i + 1 < n; ++i) r[n + i] = AddMul1(r + 2 * i + 1, a + i + 1, n - i - 1, a[i]);
  r[2 * n - 1] = 0;
  Limb top = 0;  // bit shifted out of the previous limb
  Limb c = 0;    // carry of the diagonal additions
  for (Size i = 0; i < n; ++i) {
    const Wide sq = static_cast<Wide>(a[i]) * a[i];
    const Limb x0 = r[2 * i], x1 = r[2 * i + 1];
    const Limb d0 = (x0 << 1) | top, d1 = (x1 << 1) | (x0 >> 63);
    top = x1 >> 63;
    const Wide s0 = static_cast<Wide>(d0) + static_cast<Limb>(sq) + c;
    const Wide s1 = static_cast<Wide>(d1) + static_cast<Limb>(sq >> 64) + static_cast<Limb>(s0 >> 64);
    r[2 * i] = static_cast<Limb>(s0);
    r[2 * i + 1] = static_cast<Limb>(s1);
    c = static_cast<Limb>(s1 >> 64);
  }
}

void Mul(Limb* r, const Limb* a, Size na, const Limb* b, Size nb) {
  if (na < nb) {
    std::swap(a, b);
    std::swap(na, nb);
  }
  if (a == b && na == nb) {
    Sqr(r, a, na);
    return;
  }
  const Tuning& t = gTuning;
  if (nb < t.mul64Karatsuba)
    MulBasecase(r, a, na, b, nb);
  else if (nb < t.mul64Toom3)
    MulKaratsuba(r, a, na, b, nb);
  else if (nb < t.mul64Toom4)
    MulToom3(r, a, na, b, nb);
  else
    MulToom4(r, a, na, b, nb);
}

void Sqr(Limb* r, const Limb* a, Size n) {
  const Tuning& t = gTuning;
  if (n < t.sqr64Karatsuba)
    SqrBasecase(r, a, n);
  else if (n < t.sqr64Toom3)
    SqrKaratsuba(r, a, n);
  else if (n < t.sqr64Toom4)
    SqrToom3(r, a, n);
  else
    SqrToom4(r, a, n);
}

void DivRem(Limb* q, Limb* r, const Limb* a, Size na, const Limb* b, Size nb) {
  const Size t = gTuning.div64DivideConquer;
  if (nb > t && na - nb >= t)
    DivRemDivideConquer(q, r, a, na, b, nb);
  else
    DivRemBasecase(q, r, a, na, b, nb);
}

}  // namespace limb64

