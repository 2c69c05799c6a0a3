// BinaryToBigInt on any text (a "1" sets its bit, every other character
// counts as 0) and BigIntToBinary on the result, against GMP.
#include <string>

#include "fuzz/FuzzSupport.h"

using namespace fuzz;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size > 200000) return 0;
  const std::string text(reinterpret_cast<const char*>(data), size);

  Mpz want;
  for (std::size_t k = 0; k < text.size(); ++k)
    if (text[text.size() - 1 - k] == '1') mpz_setbit(want.get(), k);

  TBigInt r;
  BinaryToBigInt(text, r);
  FUZZ_CHECK_VALUE(r, want);
  FUZZ_CHECK(r.SignFlag == 1, "flag");

  std::string bits(mpz_sizeinbase(want.get(), 2) + 2, '\0');
  mpz_get_str(bits.data(), 2, want.get());
  bits.resize(bits.find('\0'));
  const std::string out = BigIntToBinary(r);
  FUZZ_CHECK(out == bits, "written " << out.substr(0, 80) << " want " << bits.substr(0, 80));

  // The flag is ignored when writing.
  TBigInt neg = r;
  NegateBigInt(neg);
  FUZZ_CHECK(BigIntToBinary(neg) == bits, "minus flag changed the bits");
  return 0;
}
