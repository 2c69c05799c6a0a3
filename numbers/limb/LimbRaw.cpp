// The carry and borrow chains of run-time length.
#include "numbers/limb/LimbRaw.h"

#include <cstring>

#include "numbers/limb/Cpu.h"

namespace limb64 {

#if defined(__x86_64__)
// adc/sbb chains four limbs a turn in assembly (the compiler's code for the
// carry intrinsics breaks the flag chain); dec leaves the carry alone.
#define CALVENNA_CHAIN4(op)                                                                          \
  "clc\n\t"                                                                                         \
  "1:\n\t"                                                                                          \
  "mov (%[a]), %[x0]\n\t" op " (%[b]), %[x0]\n\t"                                                  \
  "mov 8(%[a]), %[x1]\n\t" op " 8(%[b]), %[x1]\n\t"                                                \
  "mov %[x0], (%[r])\n\t"                                                                           \
  "mov %[x1], 8(%[r])\n\t"                                                                          \
  "mov 16(%[a]), %[x0]\n\t" op " 16(%[b]), %[x0]\n\t"                                              \
  "mov 24(%[a]), %[x1]\n\t" op " 24(%[b]), %[x1]\n\t"                                              \
  "mov %[x0], 16(%[r])\n\t"                                                                         \
  "mov %[x1], 24(%[r])\n\t"                                                                         \
  "lea 32(%[a]), %[a]\n\t"                                                                          \
  "lea 32(%[b]), %[b]\n\t"                                                                          \
  "lea 32(%[r]), %[r]\n\t"                                                                          \
  "dec %[n]\n\t"                                                                                    \
  "jnz 1b\n\t"                                                                                      \
  "setc %b[c]\n\t"

#endif

// The chains start with the assembly over whole blocks of four limbs where
// it runs; the plain loop does the rest (or everything).
Limb AddN(Limb* r, const Limb* a, const Limb* b, Size n) {
  Limb c = 0;
  Size i = 0;
#if defined(__x86_64__)
  if (Size blocks = n / 4; blocks && cpu::gKernels.x86Asm) {
    Limb* rp = r;
    const Limb *ap = a, *bp = b;
    Limb x0, x1;
    __asm__ volatile(CALVENNA_CHAIN4("adc")
                     : [r] "+&r"(rp), [a] "+&r"(ap), [b] "+&r"(bp), [n] "+&r"(blocks), [c] "+&q"(c), [x0] "=&r"(x0),
                       [x1] "=&r"(x1)
                     :
                     : "cc", "memory");
    i = n & ~Size{3};
  }
#endif
  for (; i < n; ++i) c = AddC(a[i], b[i], c, &r[i]);
  return c;
}

Limb SubN(Limb* r, const Limb* a, const Limb* b, Size n) {
  Limb c = 0;
  Size i = 0;
#if defined(__x86_64__)
  if (Size blocks = n / 4; blocks && cpu::gKernels.x86Asm) {
    Limb* rp = r;
    const Limb *ap = a, *bp = b;
    Limb x0, x1;
    __asm__ volatile(CALVENNA_CHAIN4("sbb")
                     : [r] "+&r"(rp), [a] "+&r"(ap), [b] "+&r"(bp), [n] "+&r"(blocks), [c] "+&q"(c), [x0] "=&r"(x0),
                       [x1] "=&r"(x1)
                     :
                     : "cc", "memory");
    i = n & ~Size{3};
  }
#endif
  for (; i < n; ++i) c = SubB(a[i], b[i], c, &r[i]);
  return c;
}
#undef CALVENNA_CHAIN4

Limb Add1(Limb* r, const Limb* a, Size n, Limb c) {
  Size i = 0;
  for (; i < n && c; ++i) {
    const Limb x = a[i] + c;
    c = x < c;
    r[i] = x;
  }
  if (r != a && i < n) std::memmove(r + i, a + i, (n - i) * sizeof(Limb));
  return c;
}

Limb Sub1(Limb* r, const Limb* a, Size n, Limb c) {
  Size i = 0;
  for (; i < n && c; ++i) {
    const Limb x = a[i];
    r[i] = x - c;
    c = x < c;
  }
  if (r != a && i < n) std::memmove(r + i, a + i, (n - i) * sizeof(Limb));
  return c;
}

Limb Add(Limb* r, const Limb* a, Size na, const Limb* b, Size nb) {
  return Add1(r + nb, a + nb, na - nb, AddN(r, a, b, nb));
}

Limb Sub(Limb* r, const Limb* a, Size na, const Limb* b, Size nb) {
  return Sub1(r + nb, a + nb, na - nb, SubN(r, a, b, nb));
}

int CmpN(const Limb* a, const Limb* b, Size n) {
  while (n > 0) {
    --n;
    if (a[n] != b[n]) return a[n] > b[n] ? 1 : -1;
  }
  return 0;
}

}  // namespace limb64
