// The unrolled Montgomery kernels give the same residues in both builds:
// the mulx assembly and the plain C++ of other processors (the squares also
// without their final subtraction).
#include <gtest/gtest.h>

#include <random>
#include <utility>

#include "numbers/montgomery/MontKernel.h"

namespace {

using montk::Limb;

template <int N>
void CheckBuildsAgree(std::mt19937_64& rng) {
  for (int round = 0; round < 200; ++round) {
    Limb n[N], a[N], b[N];
    for (int i = 0; i < N; ++i) n[i] = rng();
    n[0] |= 1;
    if (round % 4 == 0) n[N - 1] = ~Limb{0};  // the widest moduli
    if (n[N - 1] == 0) n[N - 1] = 1;
    // a, b < n: below n's top word.
    for (int i = 0; i < N; ++i) a[i] = rng(), b[i] = rng();
    a[N - 1] = n[N - 1] > 1 ? a[N - 1] % (n[N - 1] - 1) : 0;
    b[N - 1] = n[N - 1] > 1 ? b[N - 1] % (n[N - 1] - 1) : 0;
    if (round % 7 == 0)
      for (int i = 0; i < N; ++i) a[i] = n[i] - (i == 0 ? 1 : 0);  // n - 1
    Limb x = n[0];
    for (int i = 0; i < 5; ++i) x *= 2 - n[0] * x;
    const Limb inv = 0 - x;
    Limb fast[N], plain[N];
    montk::MulRedcBuild<N, true>(fast, a, b, n, inv);
    montk::MulRedcBuild<N, false>(plain, a, b, n, inv);
    for (int i = 0; i < N; ++i) ASSERT_EQ(fast[i], plain[i]) << "product, " << N << " words";
    montk::SqrRedcBuild<N, true>(fast, a, n, inv);
    montk::SqrRedcBuild<N, false>(plain, a, n, inv);
    for (int i = 0; i < N; ++i) ASSERT_EQ(fast[i], plain[i]) << "square, " << N << " words";
    montk::SqrRedcBuild<N, true, true>(fast, a, n, inv);
    montk::SqrRedcBuild<N, false, true>(plain, a, n, inv);
    for (int i = 0; i < N; ++i) ASSERT_EQ(fast[i], plain[i]) << "unreduced square, " << N << " words";
  }
}

template <int... N>
void CheckAll(std::mt19937_64& rng, std::integer_sequence<int, N...>) {
  (CheckBuildsAgree<N + 1>(rng), ...);
}

TEST(MontgomeryKernels, AssemblyAndPlainBuildsAgree) {
#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
  if (!__builtin_cpu_supports("bmi2")) GTEST_SKIP() << "no BMI2 here";
  std::mt19937_64 rng(31337);
  CheckAll(rng, std::make_integer_sequence<int, 16>{});
#else
  GTEST_SKIP() << "not an x86-64 build";
#endif
}

}  // namespace
