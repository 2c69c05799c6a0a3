// Which processor-specific kernels run, decided once at start-up from what
// the processor reports. The environment variable CALVENNA_KERNELS=plain
// turns them all off, so the plain C++ paths (those of every other
// processor) can be run and tested on any machine; CALVENNA_KERNELS=avx2
// leaves out AVX-512, so an AVX-512 machine also runs and tests the paths of
// the many processors that stop at AVX2.
#pragma once

namespace cpu {

struct TKernels {
  bool plain = true;      // CALVENNA_KERNELS=plain, or not an x86-64 build
  bool x86Asm = false;    // x86-64 assembly of the base instruction set
  bool mulxAdx = false;   // BMI2 (mulx) and ADX (adcx, adox)
  bool avx2Fma = false;   // AVX2 and FMA
  bool avx512 = false;    // AVX-512 F, DQ, VL
};

// Filled in before main() runs; until then (other static initialisers) the
// plain paths are used, which give the same results.
extern TKernels gKernels;

// Short names for logs and benchmarks: "plain", "x86-64", "adx",
// "adx avx2", "adx avx512".
const char* KernelsName();

}  // namespace cpu
