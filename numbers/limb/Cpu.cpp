#include "numbers/limb/Cpu.h"

#include <cstdlib>
#include <cstring>

#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
#include <cpuid.h>
#endif

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
  // ADX straight from cpuid: clang's __builtin_cpu_supports does not know it.
  unsigned eax = 0, ebx = 0, ecx = 0, edx = 0;
  const bool leaf7 = __get_cpuid_count(7, 0, &eax, &ebx, &ecx, &edx) != 0;
  const bool adx = leaf7 && (ebx & (1U << 19)) != 0;
  k.mulxAdx = __builtin_cpu_supports("bmi2") && adx;
  k.avx2Fma = __builtin_cpu_supports("avx2") && __builtin_cpu_supports("fma");
  k.avx512 = k.avx2Fma && __builtin_cpu_supports("avx512f") && __builtin_cpu_supports("avx512dq") &&
             __builtin_cpu_supports("avx512vl");
  if (forced && std::strcmp(forced, "avx2") == 0) k.avx512 = false;
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
