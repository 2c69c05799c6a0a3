// Modular exponentiation against mpz_powm: the word kernels (ModPowerBigInt,
// unrolled up to 16 words, generic beyond), the generic word loop and the
// TBigInt reference, for odd moduli of up to some 3000 bits, any base
// (negative and larger than the modulus included) and exponents of up to
// 1024 bits. Also the Montgomery parameters: n n' = -1 modulo R.
#include <string>

#include "fuzz/FuzzSupport.h"
#include "numbers/montgomery/ModPower.h"

using namespace fuzz;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size > 1200) return 0;
  TInput in(data, size);
  const std::uint8_t flags = in.U8();
  const std::size_t lenN = 1 + in.U16() % 400;
  const std::size_t lenE = in.U8() % 129;
  const std::size_t lenB = in.U16() % 800;
  Mpz n = MpzFromBytes(in.Bytes(lenN));
  mpz_setbit(n.get(), 0);  // odd
  if (mpz_cmp_ui(n.get(), 3) < 0) mpz_set_ui(n.get(), 3);
  const TBigInt e = BigFromBytes(in.Bytes(lenE), flags & 2);
  const TBigInt b = BigFromBytes(in.Bytes(lenB), flags & 1);
  const TBigInt bn = FromMpz(n);

  Mpz me = ToMpz(e), mb = ToMpz(b), want;
  mpz_abs(me.get(), me.get());
  mpz_powm(want.get(), mb.get(), me.get(), n.get());

  TBigInt r;
  ModPowerBigInt(b, e, bn, r);
  FUZZ_CHECK_VALUE(r, want);
  FUZZ_CHECK(r.SignFlag == 1, "flag");

  ModPowerWordsBigInt(b, e, bn, r);
  FUZZ_CHECK_VALUE(r, want);

  if (mpz_sizeinbase(n.get(), 2) <= 700 && mpz_sizeinbase(me.get(), 2) <= 300) {
    ModPowerPlainBigInt(b, e, bn, r);
    FUZZ_CHECK_VALUE(r, want);

    const TMontgomeryParameters p = MontgomeryParametersBigInt(bn);
    const Mpz R = ToMpz(p.R), np = ToMpz(p.NPrime);
    FUZZ_CHECK(mpz_cmp(R.get(), n.get()) > 0 && mpz_popcount(R.get()) == 1, "R " << R.Str());
    Mpz half;
    mpz_tdiv_q_2exp(half.get(), R.get(), 1);
    FUZZ_CHECK(mpz_cmp(half.get(), n.get()) <= 0, "R is not the smallest power of two above n");
    Mpz t;
    mpz_mul(t.get(), n.get(), np.get());
    mpz_add_ui(t.get(), t.get(), 1);
    FUZZ_CHECK(mpz_divisible_p(t.get(), R.get()), "n n' + 1 not a multiple of R");
  }
  return 0;
}
