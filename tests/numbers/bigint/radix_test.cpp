// The decimal text of long numbers is exactly the plain method's and GMP's:
// the splits by powers of ten through cached reciprocals, at the sizes in
// force and with cut-overs that put them at every level, on numbers next to
// the powers of ten (where a split's remainder is 0 or its divisor less
// one), all-ones limbs and random residues of the p = 44497 test.
#include <gmp.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "numbers/bigint/BigIntRaw.h"
#include "numbers/bigint/Radix.h"
#include "numbers/limb/Limbs64.h"

namespace {

using bigraw::Digit;
using bigraw::Size;

std::string GmpText(const std::vector<Digit>& cells) {
  mpz_t z;
  mpz_init(z);
  mpz_import(z, cells.size(), -1, sizeof(Digit), 0, 8 * sizeof(Digit) - bigraw::kBits, cells.data());
  std::vector<char> buf(mpz_sizeinbase(z, 10) + 2);
  mpz_get_str(buf.data(), 10, z);
  mpz_clear(z);
  return std::string(buf.data());
}

std::vector<Digit> FromText(const std::string& text) {
  std::vector<Digit> cells = radix::DecimalDigitsToCellsBasecase(text);
  cells.erase(cells.begin());
  return cells;
}

// bits random bits, the top one set.
std::vector<Digit> RandomBits(std::mt19937_64& rng, Size bits) {
  std::vector<Digit> d((bits + 30) / 31);
  for (Digit& x : d) x = static_cast<Digit>(rng() & 0x7FFFFFFF);
  const int top = static_cast<int>((bits - 1) % 31);
  d.back() = (d.back() & ((Digit{1} << top) - 1)) | (Digit{1} << top);
  return d;
}

// 2^bits - 1: every limb all ones.
std::vector<Digit> AllOnes(Size bits) {
  std::vector<Digit> d((bits + 30) / 31, 0x7FFFFFFF);
  if (bits % 31) d.back() = (Digit{1} << (bits % 31)) - 1;
  return d;
}

// Texts at the splits 10^(19 2^k): 10^len, 10^len +- 1, a run of nines
// over a run of zeros and the reverse, for lengths around each width.
std::vector<std::string> TextsAtPowersOfTen(std::mt19937_64& rng, Size maxK) {
  std::vector<std::string> texts;
  for (Size k = 0; k <= maxK; ++k) {
    const Size w = Size{19} << k;
    for (Size len : {w - 1, w, w + 1, 2 * w - 1, 2 * w, 3 * w + 5}) {
      std::string power(len + 1, '0');
      power[0] = '1';
      texts.push_back(power);  // 10^len
      power.back() = '1';
      texts.push_back(power);  // 10^len + 1
      texts.push_back(std::string(len, '9'));  // 10^len - 1
      std::string nines = std::string(len - len / 2, '9') + std::string(len / 2, '0');
      texts.push_back(nines);  // a multiple of 10^(len / 2)
      nines.back() = '1';
      texts.push_back(nines);
      std::string zeros(len + 1, '9');
      zeros[0] = '1';
      std::fill(zeros.begin() + 1, zeros.end() - static_cast<std::ptrdiff_t>(len / 2), '0');
      texts.push_back(zeros);  // one below a multiple of 10^(len / 2)
      std::string random(len, '0');
      for (char& c : random) c = static_cast<char>('0' + rng() % 10);
      random[0] = static_cast<char>('1' + rng() % 9);
      texts.push_back(random);
    }
  }
  return texts;
}

struct Cutovers {
  const char* name;
  Size toDecimal, divide, karatsuba;
};

// The sizes in force, and splits through reciprocals from the first limb
// on, with deep product recursions under them.
const Cutovers kCutovers[] = {
    {"in force", bigraw::Tuning().toDecimalDivideConquer, limb64::Tuning().div64DivideConquer,
     limb64::Tuning().mul64Karatsuba},
    {"reciprocals everywhere", 2, 2, 3},
    {"reciprocals, long leaves", 120, 2, 3},
};

class Radix : public ::testing::TestWithParam<Cutovers> {
protected:
  void SetUp() override {
    bigraw::gTuning.toDecimalDivideConquer = GetParam().toDecimal;
    limb64::gTuning.div64DivideConquer = GetParam().divide;
    limb64::gTuning.mul64Karatsuba = limb64::gTuning.sqr64Karatsuba = GetParam().karatsuba;
  }
  void TearDown() override {
    bigraw::gTuning = bigraw::Tuning();
    limb64::gTuning = limb64::Tuning();
  }
};

TEST_P(Radix, NextToPowersOfTen) {
  std::mt19937_64 rng(1917);
  for (const std::string& text : TextsAtPowersOfTen(rng, 9)) {
    const std::vector<Digit> cells = FromText(text);
    ASSERT_EQ(radix::CellsToDecimalDigits(cells.data(), cells.size()), text) << text.size() << " digits";
  }
}

TEST_P(Radix, AllOnesAndRandomBesideGmp) {
  std::mt19937_64 rng(44497);
  std::vector<std::vector<Digit>> numbers;
  for (Size bits : {64, 128, 1216, 2432, 4864, 9728, 19456, 32318, 32319, 44497, 64 * 700, 64 * 701})
    numbers.push_back(AllOnes(bits));
  for (int i = 0; i < 6; ++i) numbers.push_back(RandomBits(rng, 44497));
  for (int i = 0; i < 20; ++i) numbers.push_back(RandomBits(rng, 1 + rng() % 70000));
  for (const std::vector<Digit>& n : numbers) {
    const std::string text = radix::CellsToDecimalDigits(n.data(), n.size());
    ASSERT_EQ(text, GmpText(n)) << n.size() << " digits of base 2^31";
    if (n.size() < 800) {
      ASSERT_EQ(text, radix::CellsToDecimalDigitsBasecase(n.data(), n.size()));
    }
  }
}

// A split's estimate is one short when the number's part below the
// reciprocal's reach pushes the quotient over: high halves of random digits
// over low halves of nines, many at the short levels, where the powers' top
// limbs are small (5^304 has a top limb of 3) and that part weighs most.
TEST_P(Radix, RemaindersNextToTheDivisor) {
  std::mt19937_64 rng(304);
  for (Size k = 1; k <= 8; ++k) {
    const Size w = Size{19} << k;
    for (int i = 0; i < (k <= 5 ? 300 : 20); ++i) {
      std::string text(2 * w, '9');
      for (Size j = 0; j < w; ++j) text[j] = static_cast<char>('0' + rng() % 10);
      text[0] = static_cast<char>('1' + rng() % 9);
      for (Size j = 2 * w - 1 - rng() % 4; j < 2 * w; ++j) text[j] = static_cast<char>('0' + rng() % 10);
      const std::vector<Digit> cells = FromText(text);
      ASSERT_EQ(radix::CellsToDecimalDigits(cells.data(), cells.size()), text) << text.size() << " digits";
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Cutovers, Radix, ::testing::ValuesIn(kCutovers),
                         [](const auto& info) {
                           std::string name = info.param.name;
                           for (char& c : name) {
                             if (c == ' ' || c == ',') c = '_';
                           }
                           return name;
                         });

// The certificate converts on several threads at once, the first of them
// while the powers are still being made.
TEST(RadixThreads, SeveralAtOnceFromTheFirst) {
  std::vector<std::vector<Digit>> numbers;
  std::vector<std::string> expected;
  std::mt19937_64 rng(86243);
  for (Size bits : {44497, 86243, 20000, 44497}) {
    numbers.push_back(RandomBits(rng, bits));
    expected.push_back(GmpText(numbers.back()));
  }
  std::vector<std::string> got(numbers.size());
  std::vector<std::thread> threads;
  for (Size i = 0; i < numbers.size(); ++i)
    threads.emplace_back([&, i] { got[i] = radix::CellsToDecimalDigits(numbers[i].data(), numbers[i].size()); });
  for (std::thread& t : threads) t.join();
  for (Size i = 0; i < numbers.size(); ++i) EXPECT_EQ(got[i], expected[i]) << i;
}

}  // namespace
