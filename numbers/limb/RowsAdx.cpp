// The basecase rows with mulx and two carry chains (adcx, adox), for
// processors with BMI2 and ADX; chosen at start-up (Cpu.h). The assembly
// needs no compiler flag, so the file builds for every x86-64 target.
#include "numbers/limb/Rows.h"

#include <cstring>

#if defined(__x86_64__)

namespace limb64 {

namespace {

// Four limbs a turn with two carry chains: CF takes the high halves of the
// products into the next limb, OF the old limbs of r. The loop control
// (lea, jrcxz) leaves both flags alone. Inlined into the basecase rows
// below: a call per row into another file cost the short rows of a square
// several per cent.
inline __attribute__((always_inline)) Limb AddMul1Row(Limb* r, const Limb* a, Size n, Limb m) {
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
  for (Size i = n & ~Size{3}; i < n; ++i) {
    const Wide t = static_cast<Wide>(a[i]) * m + r[i] + c;
    r[i] = static_cast<Limb>(t);
    c = static_cast<Limb>(t >> 64);
  }
  return c;
}

}  // namespace

Limb AddMul1Adx(Limb* r, const Limb* a, Size n, Limb m) { return AddMul1Row(r, a, n, m); }

void MulRowsAdx(Limb* r, const Limb* a, Size na, const Limb* b, Size nb) {
  std::memset(r, 0, na * sizeof(Limb));
  for (Size j = 0; j < nb; ++j) r[na + j] = AddMul1Row(r + j, a, na, b[j]);
}

void SqrCrossAdx(Limb* r, const Limb* a, Size n) {
  std::memset(r, 0, n * sizeof(Limb));
  for (Size i = 0; i + 1 < n; ++i) r[n + i] = AddMul1Row(r + 2 * i + 1, a + i + 1, n - i - 1, a[i]);
  r[2 * n - 1] = 0;
}

// As AddMul1, with the product row complemented before it is added:
// r - s = r + ~s + 1 - B^n, so OF starts as 1 minus the borrow and comes
// out as 1 minus the borrow.
Limb SubMul1Adx(Limb* r, const Limb* a, Size n, Limb m) {
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

}  // namespace limb64

#endif
