// The fast methods give exactly the results of the plain ones: random
// operands around every cut-over size, with the sizes in force and with
// tiny cut-overs that make the recursions deep; signed results too.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "numbers/bigint/BigInt.h"
#include "numbers/bigint/BigIntRaw.h"
#include "numbers/bigint/Radix.h"
#include "numbers/limb/Limbs64.h"

namespace {

using bigraw::Digit;
using bigraw::Size;

constexpr std::uint64_t kSeed = 777001;

// Digits of several shapes: random, all 0x7FFFFFFF, mostly zero, top digit 1.
std::vector<Digit> RandomDigits(std::mt19937_64& rng, Size n) {
  std::vector<Digit> d(n);
  const int shape = static_cast<int>(rng() % 6);
  for (Size i = 0; i < n; ++i) {
    switch (shape) {
      case 0: d[i] = 0x7FFFFFFF; break;
      case 1: d[i] = rng() % 7 == 0 ? static_cast<Digit>(rng() & 0x7FFFFFFF) : 0; break;
      default: d[i] = static_cast<Digit>(rng() & 0x7FFFFFFF);
    }
  }
  if (shape == 2) d[n - 1] = 1;
  if (d[n - 1] == 0) d[n - 1] = 1 + static_cast<Digit>(rng() % 5);
  return d;
}

TBigInt Make(const std::vector<Digit>& d, bool minus) {
  TBigInt a;
  a.Cells.assign(1, static_cast<Digit>(d.size()));
  a.Cells.insert(a.Cells.end(), d.begin(), d.end());
  a.SignFlag = minus ? 0 : 1;
  return a;
}

// The sizes worth trying around a cut-over t.
std::vector<Size> Around(Size t) {
  std::vector<Size> s;
  for (Size x : {t - 2, t - 1, t, t + 1, t + 2, 2 * t - 1, 2 * t, 2 * t + 1, 3 * t + 1})
    if (x >= 1 && x < 20000) s.push_back(x);
  return s;
}

// Digit counts whose limb count (31 bits a digit in 64-bit limbs) is just
// below, at and above a limb cut-over t.
std::vector<Size> DigitsAroundLimbs(Size t) {
  std::vector<Size> s;
  for (Size limbs : {t - 1, t, t + 1, 2 * t, 3 * t + 1}) {
    const Size n = limbs * 64 / 31;
    for (Size x : {n - 1, n, n + 1})
      if (x >= 1) s.push_back(x);
  }
  return s;
}

void CheckProducts(std::mt19937_64& rng, Size na, Size nb) {
  std::vector<Digit> a = RandomDigits(rng, na), b = RandomDigits(rng, nb);
  std::vector<Digit> plain(na + nb), fast(na + nb);
  if (na >= nb)
    bigraw::MulSchoolbook(plain.data(), a.data(), na, b.data(), nb);
  else
    bigraw::MulSchoolbook(plain.data(), b.data(), nb, a.data(), na);
  bigraw::Mul(fast.data(), a.data(), na, b.data(), nb);
  ASSERT_EQ(plain, fast) << "mul " << na << " x " << nb << " seed " << kSeed;
  // The signed layer: flag from the flags, magnitude from the fast method.
  const bool am = rng() & 1, bm = rng() & 1;
  TBigInt r;
  MultiplyBigInt(Make(a, am), Make(b, bm), r);
  TBigInt expect = Make(plain, am != bm);
  while (expect.Cells.size() > 2 && expect.Cells.back() == 0) expect.Cells.pop_back();
  expect.Cells[0] = static_cast<Digit>(expect.Cells.size() - 1);
  ASSERT_EQ(r.Cells, expect.Cells);
  ASSERT_EQ(r.SignFlag, expect.SignFlag);

  std::vector<Digit> sp(2 * na), sf(2 * na);
  bigraw::SqrSchoolbook(sp.data(), a.data(), na);
  bigraw::Sqr(sf.data(), a.data(), na);
  ASSERT_EQ(sp, sf) << "sqr " << na << " seed " << kSeed;
  bigraw::MulBasecase(sf.data(), a.data(), na, a.data(), na);
  ASSERT_EQ(sp, sf) << "mul basecase as square " << na;
  TBigInt s;
  SquareBigInt(Make(a, am), s);
  ASSERT_EQ(s.SignFlag, 1);
  ASSERT_EQ(std::vector<Digit>(s.Cells.begin() + 1, s.Cells.end()),
            std::vector<Digit>(sp.begin(), sp.begin() + static_cast<long>(s.Cells.size() - 1)));
}

void CheckDivision(std::mt19937_64& rng, Size na, Size nb) {
  if (na < nb) std::swap(na, nb);
  std::vector<Digit> a = RandomDigits(rng, na), b = RandomDigits(rng, nb);
  std::vector<Digit> q1(na - nb + 1), r1(nb), q2(na - nb + 1), r2(nb);
  bigraw::DivRemPlain(q1.data(), r1.data(), a.data(), na, b.data(), nb);
  bigraw::DivRem(q2.data(), r2.data(), a.data(), na, b.data(), nb);
  ASSERT_EQ(q1, q2) << "div " << na << " / " << nb << " seed " << kSeed;
  ASSERT_EQ(r1, r2) << "rem " << na << " / " << nb << " seed " << kSeed;
  bigraw::DivRemBasecase(q2.data(), r2.data(), a.data(), na, b.data(), nb);
  ASSERT_EQ(q1, q2) << "div basecase " << na << " / " << nb << " seed " << kSeed;
  ASSERT_EQ(r1, r2) << "rem basecase " << na << " / " << nb << " seed " << kSeed;
  // Signed: quotient and remainder follow the sign rules whatever the method.
  const bool am = rng() & 1, bm = rng() & 1;
  TBigInt q, r, qs, rs;
  DivModBigInt(Make(a, am), Make(b, bm), q, r);
  // Again on the digits alone, the limbs kept out of the way.
  const bigraw::Tuning saved = bigraw::gTuning;
  bigraw::gTuning.divLimbs = bigraw::gTuning.mulLimbs = bigraw::gTuning.sqrLimbs = 1 << 30;
  DivModBigInt(Make(a, am), Make(b, bm), qs, rs);
  bigraw::gTuning = saved;
  ASSERT_EQ(q.Cells, qs.Cells);
  ASSERT_EQ(q.SignFlag, qs.SignFlag);
  ASSERT_EQ(r.Cells, rs.Cells);
}

void CheckDecimal(std::mt19937_64& rng, Size n) {
  std::vector<Digit> a = RandomDigits(rng, n);
  const std::string plain = radix::CellsToDecimalDigitsBasecase(a.data(), n);
  ASSERT_EQ(radix::CellsToDecimalDigits(a.data(), n), plain) << "to decimal " << n << " seed " << kSeed;
  std::vector<Digit> back = radix::DecimalDigitsToCells(plain);
  std::vector<Digit> ref = radix::DecimalDigitsToCellsBasecase(plain);
  auto trim = [](std::vector<Digit>& c) {
    Size k = bigraw::Trim(c.data() + 1, c.size() - 1);
    c.resize(std::max<Size>(k, 1) + 1);
  };
  trim(back);
  trim(ref);
  ASSERT_EQ(std::vector<Digit>(back.begin() + 1, back.end()), std::vector<Digit>(ref.begin() + 1, ref.end()))
      << "from decimal " << n;
  ASSERT_EQ(std::vector<Digit>(ref.begin() + 1, ref.end()), a);
  // Leading zeros in the text change nothing.
  std::vector<Digit> padded = radix::DecimalDigitsToCells("000000000000" + plain);
  trim(padded);
  ASSERT_EQ(std::vector<Digit>(padded.begin() + 1, padded.end()), a);
}

class Fast : public ::testing::Test {
protected:
  void TearDown() override {
    bigraw::gTuning = bigraw::Tuning();
    limb64::gTuning = limb64::Tuning();
  }
};

TEST_F(Fast, RandomProducts) {
  std::mt19937_64 rng(kSeed);
  for (int i = 0; i < 100; ++i) CheckProducts(rng, 1 + rng() % 700, 1 + rng() % 700);
  // The column-wise basecase over its whole range, the limbs kept out of
  // the way.
  bigraw::gTuning.mulLimbs = bigraw::gTuning.sqrLimbs = 1 << 30;
  for (int i = 0; i < 100; ++i) CheckProducts(rng, 1 + rng() % 300, 1 + rng() % 300);
}

TEST_F(Fast, ProductsWithDeepRecursion) {
  std::mt19937_64 rng(kSeed + 1);
  // On 64-bit limbs, from the first digit on.
  bigraw::gTuning.mulLimbs = bigraw::gTuning.sqrLimbs = 1;
  for (Size k : {2, 3, 5}) {
    limb64::gTuning.mul64Karatsuba = limb64::gTuning.sqr64Karatsuba = k;
    limb64::gTuning.mul64Toom3 = limb64::gTuning.sqr64Toom3 = 3 * k + 3;
    limb64::gTuning.mul64Toom4 = limb64::gTuning.sqr64Toom4 = 8 * k + 5;
    for (int i = 0; i < 150; ++i) CheckProducts(rng, 1 + rng() % 250, 1 + rng() % 250);
  }
}

TEST_F(Fast, ProductsThroughLimbsAroundThresholds) {
  std::mt19937_64 rng(kSeed + 5);
  const bigraw::Tuning& t = bigraw::gTuning;
  for (Size th : {t.mulLimbs, t.sqrLimbs})
    for (Size na : Around(th))
      for (Size nb : {na, na - 1, Size{1}, th - 1, th, th + 1})
        if (nb >= 1 && nb <= 2 * na) CheckProducts(rng, na, nb);
  const limb64::Tuning& t64 = limb64::gTuning;
  for (Size th : {t64.mul64Karatsuba, t64.sqr64Karatsuba, t64.mul64Toom3, t64.sqr64Toom3})
    for (Size na : DigitsAroundLimbs(th))
      for (Size nb : {na, na - 1, na / 2, na / 3 + 1, 2 * na / 3 + 2, Size{7}})
        if (nb >= 1) CheckProducts(rng, na, nb);
  // Toom-4 sizes: the schoolbook reference is slow there, so fewer rows.
  // The transform is held off, since its cut-over may lie below Toom-4's;
  // then its own cut-overs with it in force.
  const limb64::Tuning inForce = t64;
  limb64::gTuning.mul64Ntt = limb64::gTuning.sqr64Ntt = limb64::gTuning.mul64NttPlain =
      limb64::gTuning.sqr64NttPlain = Size{1} << 30;
  for (Size th : {t64.mul64Toom4, t64.sqr64Toom4})
    for (Size na : {th * 64 / 31 - 1, th * 64 / 31 + 3})
      for (Size nb : {na, 3 * na / 4 + 5, 3 * na / 4 - 5}) CheckProducts(rng, na, nb);
  limb64::gTuning = inForce;
  for (Size th : {t64.mul64Ntt, t64.sqr64Ntt, t64.mul64NttPlain, t64.sqr64NttPlain})
    for (Size na : {th * 64 / 31 - 1, th * 64 / 31 + 3})
      for (Size nb : {na, 3 * na / 4 + 5}) CheckProducts(rng, na, nb);
}

TEST_F(Fast, RandomDivisions) {
  std::mt19937_64 rng(kSeed + 2);
  for (int i = 0; i < 100; ++i) CheckDivision(rng, 1 + rng() % 900, 1 + rng() % 500);
  for (Size na = 1; na < 12; ++na)
    for (Size nb = 1; nb <= na; ++nb)
      for (int i = 0; i < 8; ++i) CheckDivision(rng, na, nb);
  // Deep recursions on the limbs, from the first digit on.
  bigraw::gTuning.divLimbs = bigraw::gTuning.mulLimbs = bigraw::gTuning.sqrLimbs = 1;
  limb64::gTuning.div64DivideConquer = 2;
  limb64::gTuning.mul64Karatsuba = limb64::gTuning.sqr64Karatsuba = 3;
  limb64::gTuning.mul64Toom3 = limb64::gTuning.sqr64Toom3 = 12;
  for (int i = 0; i < 200; ++i) CheckDivision(rng, 1 + rng() % 300, 1 + rng() % 200);
}

TEST_F(Fast, DivisionThroughLimbsAroundThresholds) {
  std::mt19937_64 rng(kSeed + 6);
  const bigraw::Tuning& t = bigraw::gTuning;
  for (Size nb : Around(t.divLimbs))
    for (Size na : {nb, nb + 1, 2 * nb, 3 * nb + 7}) CheckDivision(rng, na, nb);
  for (Size nb : DigitsAroundLimbs(limb64::gTuning.div64DivideConquer))
    for (Size na : {nb, nb + 3, 2 * nb - 1, 2 * nb + 1, 3 * nb + 7, 5 * nb}) CheckDivision(rng, na, nb);
}

TEST_F(Fast, DecimalAroundThresholds) {
  std::mt19937_64 rng(kSeed + 3);
  for (Size th : {bigraw::gTuning.toDecimalDivideConquer, bigraw::gTuning.fromDecimalDivideConquer})
    for (Size n : Around(th)) CheckDecimal(rng, n);
  for (Size n : {1000, 3000, 5000}) CheckDecimal(rng, n);
  for (int i = 0; i < 60; ++i) CheckDecimal(rng, 1 + rng() % 1500);
  bigraw::gTuning.toDecimalDivideConquer = bigraw::gTuning.fromDecimalDivideConquer = 2;
  limb64::gTuning.div64DivideConquer = 2;
  limb64::gTuning.mul64Karatsuba = limb64::gTuning.sqr64Karatsuba = 3;
  for (int i = 0; i < 100; ++i) CheckDecimal(rng, 1 + rng() % 200);
}

// The decimal text splits a number at 10^(19 2^k): texts at and next to
// those powers (a low half of zeros or of nines, a high half of zero, one
// or two limbs of a leaf) and texts of every length around the widths
// 19 2^k, with the cut-over in force and with leaves of two limbs.
TEST_F(Fast, DecimalAtThePowersOfTen) {
  std::mt19937_64 rng(kSeed + 7);
  std::vector<std::string> texts;
  auto repeat = [](Size n, char c) { return std::string(n, c); };
  for (Size k = 0; k <= 8; ++k) {
    const Size w = Size{19} << k;
    for (Size len : {w - 1, w, w + 1, 2 * w - 1}) {
      std::string power = repeat(len + 1, '0');  // 10^len
      power[0] = '1';
      texts.push_back(power);
      power.back() = '1';  // 10^len + 1
      texts.push_back(power);
      texts.push_back(repeat(len, '9'));  // 10^len - 1
      std::string halves = repeat(len / 2, '9');
      halves.insert(0, repeat(len / 2, '0'));
      halves.insert(0, 1, '9');
      texts.push_back(halves);
      std::string random = repeat(len, '0');
      for (char& c : random) c = static_cast<char>('0' + rng() % 10);
      random[0] = '7';
      texts.push_back(random);
      random.replace(len / 2, len / 4, repeat(len / 4, rng() & 1 ? '9' : '0'));
      texts.push_back(random);
    }
  }
  for (Size threshold : {bigraw::gTuning.toDecimalDivideConquer, Size{2}}) {
    bigraw::gTuning.toDecimalDivideConquer = threshold;
    for (const std::string& text : texts) {
      std::vector<Digit> cells = radix::DecimalDigitsToCellsBasecase(text);
      const Size n = cells.size() - 1;
      ASSERT_EQ(radix::CellsToDecimalDigitsBasecase(cells.data() + 1, n), text);
      ASSERT_EQ(radix::CellsToDecimalDigits(cells.data() + 1, n), text)
          << text.size() << " digits, cut-over " << threshold;
    }
  }
}

TEST_F(Fast, SignedTextOfLongNumbers) {
  std::mt19937_64 rng(kSeed + 4);
  for (Size n : {700, 2500}) {
    std::vector<Digit> a = RandomDigits(rng, n);
    for (bool minus : {false, true}) {
      TBigInt x = Make(a, minus), y;
      const std::string text = BigIntToDecimal(x);
      std::string expect = minus ? "-" : "";
      expect += radix::CellsToDecimalDigitsBasecase(a.data(), n);
      ASSERT_EQ(text, expect);
      DecimalToBigInt(text, y);
      ASSERT_EQ(y.Cells, x.Cells);
      ASSERT_EQ(y.SignFlag, x.SignFlag);
    }
  }
}

}  // namespace
