// The basecase rows with mulx and two carry chains (adcx, adox), for
// processors with BMI2 and ADX; chosen at start-up (Cpu.h). The assembly
// needs no compiler flag, so the file builds for every x86-64 target.
#include "numbers/limb/Rows.h"

#if defined(__x86_64__)

namespace limb64 {

// Four limbs a turn with two carry chains: CF takes the high halves of the
// products into the next limb, OF the old limbs of r. The loop control
// (lea, jrcxz) leaves both flags alone.
Limb AddMul1Adx(Limb* r, const Limb* a, Size n, Limb m) {
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
