// IsPrimeNumber, the Rabin-Miller and strong Lucas tests, the Jacobi symbol,
// the square test and NextPrimeBigInt against GMP (mpz_probab_prime_p, which
// is exact in practice for these sizes), on numbers of up to 300 digits
// (next prime: up to 120 digits).
#include <string>

#include "fuzz/FuzzSupport.h"
#include "numbers/primality/Primality.h"

using namespace fuzz;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size > 140) return 0;
  TInputRandom random(data, size);
  TScopedRandomGenerator scoped(random);
  TInput in(data, size);
  const std::uint8_t flags = in.U8();
  const std::int8_t d = static_cast<std::int8_t>(in.U8());
  const std::vector<std::uint8_t> bytes = in.Rest();
  const TBigInt n = BigFromBytes(bytes, flags & 1);
  const Mpz mn = ToMpz(n);
  Mpz mag;
  mpz_abs(mag.get(), mn.get());

  // Decided on the magnitude: 2 and odd primes are prime, -7 like 7.
  const bool prime = GmpPrime(mn);
  FUZZ_CHECK(IsPrimeNumber(n) == prime, mn.Str() << " prime " << prime);

  const bool oddAtLeast3 = mpz_odd_p(mag.get()) && mpz_cmp_ui(mag.get(), 3) >= 0;
  if (oddAtLeast3) {
    if (prime) {
      FUZZ_CHECK(RabinMillerBigInt(n, 1 + flags % 6), "Rabin-Miller refused the prime " << mn.Str());
      FUZZ_CHECK(StrongLucasBigInt(n), "strong Lucas refused the prime " << mn.Str());
    }
    FUZZ_CHECK(RabinMillerBigInt(n, 0), "zero passes");
    if (d != 0) {
      Mpz md(static_cast<long>(d));
      FUZZ_CHECK(JacobiBigInt(d, n) == mpz_jacobi(md.get(), mag.get()), "Jacobi (" << int(d) << "/" << mag.Str() << ")");
    }
  }
  FUZZ_CHECK(IsPerfectSquareBigInt(n) == (mpz_perfect_square_p(mag.get()) != 0), "square test " << mn.Str());

  // The next prime: the smallest odd prime not below n (even n raised by 1).
  if (bytes.size() <= 50 && mpz_cmp_ui(mag.get(), 2) >= 0) {
    TBigInt m = FromMpz(mag);
    NextPrimeBigInt(m);
    Mpz want = mag;
    if (mpz_even_p(want.get())) mpz_add_ui(want.get(), want.get(), 1);
    if (!GmpPrime(want)) mpz_nextprime(want.get(), want.get());
    FUZZ_CHECK_VALUE(m, want);
  }
  return 0;
}
