#include "numbers/limb/Cpu.h"

#include <cstdlib>
#include <cstring>

namespace cpu {

namespace {

TKernels Detect() {
  TKernels k;
  const char* forced = std::getenv("CALVENNA_KERNELS");
  if (forced && std::strcmp(forced, "plain") == 0) return k;
#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
  __builtin_cpu_init();
  k.plain = false;
  k.x86Asm = true;
  k.mulxAdx = __builtin_cpu_supports("bmi2") && __builtin_cpu_supports("adx");
  k.avx2Fma = __builtin_cpu_supports("avx2") && __builtin_cpu_supports("fma");
  k.avx512 = k.avx2Fma && __builtin_cpu_supports("avx512f") && __builtin_cpu_supports("avx512dq") &&
             __builtin_cpu_supports("avx512vl");
#endif
  return k;
}

}  // namespace

TKernels gKernels = Detect();

const char* KernelsName() {
  if (gKernels.plain) return "plain";
  if (gKernels.avx512) return gKernels.mulxAdx ? "adx avx512" : "avx512";
  if (gKernels.avx2Fma) return gKernels.mulxAdx ? "adx avx2" : "avx2";
  return gKernels.mulxAdx ? "adx" : "x86-64";
}

}  // namespace cpu
