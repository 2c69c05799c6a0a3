// The processor-specific limb kernels give exactly the plain C++ results,
// CALVENNA_KERNELS=plain turns every one of them off and
// CALVENNA_KERNELS=avx2 only AVX-512.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <random>
#include <vector>

#include "numbers/limb/Cpu.h"
#include "numbers/limb/LimbRaw.h"
#include "numbers/limb/Rows.h"

namespace {

using limb64::Limb;
using limb64::Size;

TEST(Kernels, PlainWhenTheEnvironmentAsks) {
  const char* forced = std::getenv("CALVENNA_KERNELS");
  if (!forced || std::strcmp(forced, "plain") != 0) GTEST_SKIP() << "CALVENNA_KERNELS is not plain";
  EXPECT_TRUE(cpu::gKernels.plain);
  EXPECT_FALSE(cpu::gKernels.x86Asm);
  EXPECT_FALSE(cpu::gKernels.mulxAdx);
  EXPECT_FALSE(cpu::gKernels.avx2Fma);
  EXPECT_FALSE(cpu::gKernels.avx512);
  EXPECT_STREQ(cpu::KernelsName(), "plain");
}

TEST(Kernels, NoAvx512WhenTheEnvironmentStopsAtAvx2) {
  const char* forced = std::getenv("CALVENNA_KERNELS");
  if (!forced || std::strcmp(forced, "avx2") != 0) GTEST_SKIP() << "CALVENNA_KERNELS is not avx2";
  EXPECT_FALSE(cpu::gKernels.avx512);
  EXPECT_EQ(std::strstr(cpu::KernelsName(), "avx512"), nullptr);
#if defined(__x86_64__)
  EXPECT_FALSE(cpu::gKernels.plain);
#endif
}

// Limbs of several shapes: random, all ones, sparse.
std::vector<Limb> RandomLimbs(std::mt19937_64& rng, Size n) {
  std::vector<Limb> v(n);
  const int shape = static_cast<int>(rng() % 3);
  for (Limb& x : v) x = shape == 0 ? ~Limb{0} : shape == 1 && rng() % 4 ? 0 : rng();
  return v;
}

TEST(Kernels, ChainsMatchThePlainLoop) {
  std::mt19937_64 rng(4242);
  for (Size n = 0; n < 40; ++n) {
    for (int i = 0; i < 20; ++i) {
      const std::vector<Limb> a = RandomLimbs(rng, n), b = RandomLimbs(rng, n);
      std::vector<Limb> r1(n), r2(n);
      Limb c = 0;
      for (Size j = 0; j < n; ++j) c = limb64::AddC(a[j], b[j], c, &r1[j]);
      ASSERT_EQ(limb64::AddN(r2.data(), a.data(), b.data(), n), c) << n;
      ASSERT_EQ(r1, r2);
      c = 0;
      for (Size j = 0; j < n; ++j) c = limb64::SubB(a[j], b[j], c, &r1[j]);
      ASSERT_EQ(limb64::SubN(r2.data(), a.data(), b.data(), n), c) << n;
      ASSERT_EQ(r1, r2);
    }
  }
}

TEST(Kernels, AdxRowsMatchThePlainRows) {
#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
  if (!__builtin_cpu_supports("bmi2") || !__builtin_cpu_supports("adx")) GTEST_SKIP() << "no BMI2 and ADX here";
  std::mt19937_64 rng(777);
  for (Size n = 1; n < 70; ++n) {
    for (int i = 0; i < 20; ++i) {
      const std::vector<Limb> a = RandomLimbs(rng, n), r = RandomLimbs(rng, n);
      const Limb m = i % 5 == 0 ? ~Limb{0} : rng();
      std::vector<Limb> plain = r, fast = r;
      ASSERT_EQ(limb64::AddMul1Adx(fast.data(), a.data(), n, m), limb64::AddMul1From(plain.data(), a.data(), n, m, 0))
          << "add row " << n;
      ASSERT_EQ(plain, fast);
      plain = r;
      fast = r;
      Limb b = 0;
      const Limb c = limb64::SubMul1From(plain.data(), a.data(), n, m, 0, b);
      ASSERT_EQ(limb64::SubMul1Adx(fast.data(), a.data(), n, m), c + b) << "sub row " << n;
      ASSERT_EQ(plain, fast);
    }
  }
#else
  GTEST_SKIP() << "not an x86-64 build";
#endif
}

TEST(Kernels, AdxBasecaseRowsMatchThePlainRows) {
  // The whole basecase product and the cross products of a square, rows
  // of every tail length, against the plain rows built the same way.
#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
  if (!__builtin_cpu_supports("bmi2") || !__builtin_cpu_supports("adx")) GTEST_SKIP() << "no BMI2 and ADX here";
  std::mt19937_64 rng(909);
  for (Size na = 1; na < 24; ++na)
    for (Size nb = 1; nb <= na; ++nb) {
      const std::vector<Limb> a = RandomLimbs(rng, na), b = RandomLimbs(rng, nb);
      std::vector<Limb> plain(na + nb, 0), fast(na + nb, 0xA5A5);
      for (Size j = 0; j < nb; ++j) plain[na + j] = limb64::AddMul1From(plain.data() + j, a.data(), na, b[j], 0);
      limb64::MulRowsAdx(fast.data(), a.data(), na, b.data(), nb);
      ASSERT_EQ(plain, fast) << na << " x " << nb;
      if (na < 2) continue;
      std::vector<Limb> cross(2 * na, 0), crossFast(2 * na, 0xA5A5);
      for (Size i = 0; i + 1 < na; ++i)
        cross[na + i] = limb64::AddMul1From(cross.data() + 2 * i + 1, a.data() + i + 1, na - i - 1, a[i], 0);
      limb64::SqrCrossAdx(crossFast.data(), a.data(), na);
      ASSERT_EQ(cross, crossFast) << na << " squared";
    }
#else
  GTEST_SKIP() << "not an x86-64 build";
#endif
}

}  // namespace
