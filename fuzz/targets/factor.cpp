// The factorisers on numbers of up to 96 bits (29 digits): the complete
// factorisation (every factor a prime that divides, the product n), one
// factor, rho with a budget (the same factor as the plain search), the plain
// rho search on small numbers, and the elliptic curves with a short plan.
// Shapes: the bytes as they are, or a product of two primes of chosen
// sizes, which takes the slow paths.
#include <string>
#include <vector>

#include "fuzz/FuzzSupport.h"
#include "numbers/factor/Ecm.h"
#include "numbers/factor/FactorRho.h"
#include "numbers/factor/Factorizer.h"
#include "numbers/factor/PollardRho.h"
#include "numbers/primality/Primality.h"

using namespace fuzz;

namespace {

Mpz Abs(const Mpz& v) {
  Mpz a;
  mpz_abs(a.get(), v.get());
  return a;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size > 24) return 0;
  TInputRandom random(data, size);
  TScopedRandomGenerator scoped(random);
  TInput in(data, size);
  const std::uint8_t flags = in.U8();
  Mpz mn;
  if (flags & 2) {
    // p * q, p of 8..48 bits, q of up to 48 bits.
    const std::uint64_t a = in.U64(), b = in.U64();
    const unsigned bitsP = 8 + (flags >> 2) % 41;
    Mpz p, q;
    mpz_set_ui(p.get(), (a & ((std::uint64_t{1} << bitsP) - 1)) | (std::uint64_t{1} << (bitsP - 1)));
    mpz_set_ui(q.get(), b & ((std::uint64_t{1} << 48) - 1));
    mpz_nextprime(p.get(), p.get());
    mpz_nextprime(q.get(), q.get());
    mpz_mul(mn.get(), p.get(), q.get());
  } else {
    mn = MpzFromBytes(in.Bytes(12));
  }
  if (flags & 1) mpz_neg(mn.get(), mn.get());
  const TBigInt n = FromMpz(mn);
  const Mpz mag = Abs(mn);
  const bool big = mpz_cmp_ui(mag.get(), 1) > 0;
  const bool prime = GmpPrime(mn);

  // The complete factorisation.
  const std::vector<TBigInt> list = FactorCompletely(n);
  if (!big) {
    FUZZ_CHECK(list.empty(), "factors of " << mn.Str());
  } else {
    Mpz product(1);
    for (const TBigInt& f : list) {
      FUZZ_CHECK_NORMAL(f);
      const Mpz mf = ToMpz(f);
      FUZZ_CHECK(GmpPrime(mf) && mpz_divisible_p(mn.get(), mf.get()), "factor " << mf.Str() << " of " << mn.Str());
      mpz_mul(product.get(), product.get(), mf.get());
    }
    FUZZ_CHECK(product == mn, "product " << product.Str() << " of " << mn.Str());
  }

  // One factor of a composite; none of a prime or of 0, 1, -1.
  TBigInt f;
  const bool found = FindFactor(n, f);
  FUZZ_CHECK(found == (big && !prime), "found " << found << " for " << mn.Str());
  if (found) {
    const Mpz mf = Abs(ToMpz(f));
    FUZZ_CHECK(mpz_cmp_ui(mf.get(), 1) > 0 && mpz_cmp(mf.get(), mag.get()) < 0 && GmpPrime(mf) &&
                   mpz_divisible_p(mag.get(), mf.get()),
               "factor " << mf.Str() << " of " << mn.Str());
  }

  if (big && !prime) {
    const TBigInt minusOne = BigIntFromInt64(-1), three = BigIntFromInt64(3);
    TBigInt rf;
    bool done = false;
    {
      // A fresh generator for each search, so restarts draw alike.
      TInputRandom fresh(data, size);
      TScopedRandomGenerator scopedFresh(fresh);
      done = RhoFactorBudgeted(FromMpz(mag), minusOne, three, 3000, rf);
    }
    FUZZ_CHECK_NORMAL(rf);
    const Mpz mr = Abs(ToMpz(rf));
    FUZZ_CHECK(mpz_cmp_ui(mr.get(), 1) > 0 && mpz_divisible_p(mag.get(), mr.get()), "rho divisor " << mr.Str());
    if (done) {
      FUZZ_CHECK(GmpPrime(mr) || mpz_cmp_ui(mr.get(), 2) == 0, "rho factor " << mr.Str());
      // The plain search gives the same factor, restarts included.
      TInputRandom fresh(data, size);
      TScopedRandomGenerator scopedFresh(fresh);
      const TBigInt plain = PollardRhoFactorBigInt(FromMpz(mag), minusOne, three);
      FUZZ_CHECK(ToMpz(plain) == mr, "plain rho " << ToMpz(plain).Str() << " budgeted " << mr.Str());
    }

    if (mpz_odd_p(mag.get()) && EcmAccepts(FromMpz(mag))) {
      TEcmPlan plan;
      plan.b1 = 300;
      plan.b2 = 6000;
      plan.curves = 2;
      TBigInt ef;
      if (EcmFactor(FromMpz(mag), plan, 6 + flags, ef)) {
        const Mpz me = Abs(ToMpz(ef));
        FUZZ_CHECK(mpz_cmp_ui(me.get(), 1) > 0 && mpz_cmp(me.get(), mag.get()) < 0 &&
                       mpz_divisible_p(mag.get(), me.get()),
                   "curve factor " << me.Str() << " of " << mag.Str());
      }
    }
  }
  return 0;
}
