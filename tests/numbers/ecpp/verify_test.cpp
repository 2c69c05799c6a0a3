// The certificate verifier: every changed digit of a real certificate is
// refused (by gp's primecertisvalid too, where gp is installed), each kind of
// broken step is named, and texts that are no certificate are refused.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "numbers/ecpp/Ecpp.h"
#include "numbers/ecpp/EcppVerify.h"

namespace {

using ecpp::Big;

ecpp::TVerdict Verify(const std::string& text) {
  ecpp::TCertificate c;
  std::string error;
  if (!ecpp::ParseCertificate(text, c, error)) return {false, error};
  return ecpp::VerifyCertificate(c);
}

bool GpInstalled() { return std::system("command -v gp >/dev/null 2>&1") == 0; }

// gp's verdict on each text, in one run: "1" or "0" per line.
std::vector<std::string> GpVerdicts(const std::vector<std::string>& certificates) {
  const auto dir = std::filesystem::temp_directory_path() / ("calvenna-ecpp-verify-" + std::to_string(::getpid()));
  std::filesystem::create_directories(dir);
  std::ofstream script(dir / "check.gp");
  for (std::size_t i = 0; i < certificates.size(); ++i) {
    const auto path = dir / ("c" + std::to_string(i) + ".gp");
    std::ofstream(path) << certificates[i];
    script << "print(iferr(primecertisvalid(read(\"" << path.string() << "\")), e, 0));\n";
  }
  script.close();
  const std::string cmd = "gp -q -f --default parisizemax=1000000000 <" + (dir / "check.gp").string() + " >" +
                          (dir / "out.txt").string() + " 2>/dev/null";
  std::vector<std::string> verdicts;
  if (std::system(cmd.c_str()) == 0) {
    std::ifstream in(dir / "out.txt");
    for (std::string word; in >> word;) verdicts.push_back(word);
  }
  std::filesystem::remove_all(dir);
  return verdicts;
}

class EcppVerify : public ::testing::Test {
protected:
  static void SetUpTestSuite() {
    // 2^89 - 1 and a 60-digit prime: a few steps each, quick to check.
    for (const char* text : {"618970019642690137449562111",
                             "100000000000000000000000000000000000000000000000000012345919"}) {
      const Big n = BigIntFromDecimal(text);
      certificates_.push_back(ecpp::FormatCertificate({n, ecpp::ProvePrimality(n).steps}));
    }
  }
  static inline std::vector<std::string> certificates_;
};

TEST_F(EcppVerify, TheProversCertificatesAreValid) {
  for (const std::string& c : certificates_) {
    const ecpp::TVerdict v = Verify(c);
    EXPECT_TRUE(v.valid) << v.reason;
  }
}

// Every digit position of the first certificate, the digit raised by one.
TEST_F(EcppVerify, EveryChangedDigitIsRefused) {
  const std::string& original = certificates_[0];
  std::vector<std::string> forGp;
  for (std::size_t i = 0; i < original.size(); ++i) {
    if (original[i] < '0' || original[i] > '9') continue;
    std::string changed = original;
    changed[i] = static_cast<char>('0' + (original[i] - '0' + 1) % 10);
    EXPECT_FALSE(Verify(changed).valid) << "digit " << i << " of " << original;
    if (i % 23 == 0) forGp.push_back(changed);
  }
  if (!GpInstalled()) GTEST_SKIP() << "gp is not installed; only our verifier was asked";
  const std::vector<std::string> verdicts = GpVerdicts(forGp);
  ASSERT_EQ(verdicts.size(), forGp.size());
  for (std::size_t i = 0; i < verdicts.size(); ++i) EXPECT_EQ(verdicts[i], "0") << forGp[i];
  EXPECT_EQ(GpVerdicts({certificates_[0]}), std::vector<std::string>{"1"});
}

TEST_F(EcppVerify, EachBrokenConditionIsNamed) {
  ecpp::TCertificate good;
  std::string error;
  ASSERT_TRUE(ecpp::ParseCertificate(certificates_[1], good, error));
  ASSERT_GE(good.steps.size(), 2u);
  struct Case {
    const char* name;
    void (*mutate)(ecpp::TCertificate&);
    const char* reason;
  };
  const Case cases[] = {
      {"even N", [](ecpp::TCertificate& c) { c.steps[0].N = ecpp::Add(c.steps[0].N, ecpp::FromInt(1)); c.n = c.steps[0].N; },
       "step 1: N shares a factor with 6"},
      {"huge t", [](ecpp::TCertificate& c) { c.steps[0].t = c.steps[0].N; }, "step 1: t^2 is not below 4N"},
      {"s not dividing", [](ecpp::TCertificate& c) { c.steps[0].s = ecpp::Add(c.steps[0].s, ecpp::FromInt(1)); },
       "step 1: s does not divide m = N + 1 - t"},
      {"s = m", [](ecpp::TCertificate& c) {
         c.steps[0].s = ecpp::Sub(ecpp::Add(c.steps[0].N, ecpp::FromInt(1)), c.steps[0].t);
       }, "step 1: q = m / s is not above (N^(1/4) + 1)^2"},
      {"other point", [](ecpp::TCertificate& c) { c.steps[1].x = ecpp::Add(c.steps[1].x, ecpp::FromInt(1)); },
       "step 2: m P is not the point at infinity"},
      {"step dropped", [](ecpp::TCertificate& c) { c.steps.erase(c.steps.begin() + 1); },
       "step 2: N is not the q of step 1"},
      {"last step dropped", [](ecpp::TCertificate& c) { c.steps.pop_back(); }, "the last q is not below 2^64"},
      {"another number", [](ecpp::TCertificate& c) { c.n = ecpp::Add(c.n, ecpp::FromInt(2)); },
       "step 1: N is not the number certified"},
  };
  for (const Case& k : cases) {
    ecpp::TCertificate c = good;
    k.mutate(c);
    const ecpp::TVerdict v = ecpp::VerifyCertificate(c);
    EXPECT_FALSE(v.valid) << k.name;
    EXPECT_NE(v.reason.find(k.reason), std::string::npos) << k.name << ": " << v.reason;
  }
}

TEST_F(EcppVerify, TextsThatAreNoCertificate) {
  struct Case {
    const char* text;
    bool parses;
    bool valid;
  };
  const Case cases[] = {
      {"", false, false},
      {"[[1, 2, 3]]", false, false},
      {"[[7, 0, 1, 0, [1, 1]]] junk", false, false},
      {"17", true, true},
      {"18446744073709551557\n", true, true},  // the largest prime below 2^64 stands alone
      {"15", true, false},
      {"-17", true, false},
      {"18446744073709551629", true, false},  // prime, but past 2^64 it needs steps
  };
  for (const Case& c : cases) {
    ecpp::TCertificate parsed;
    std::string error;
    EXPECT_EQ(ecpp::ParseCertificate(c.text, parsed, error), c.parses) << c.text;
    if (c.parses) { EXPECT_EQ(ecpp::VerifyCertificate(parsed).valid, c.valid) << c.text; }
  }
}

// A step for a composite N must fail, whatever the claims: the curve checks
// see through a number that is not prime.
TEST_F(EcppVerify, CompositeDressedAsAStepIsRefused) {
  ecpp::TCertificate c;
  std::string error;
  ASSERT_TRUE(ecpp::ParseCertificate(certificates_[0], c, error));
  const Big composite = ecpp::Mul(BigIntFromDecimal("18446744073709551629"), BigIntFromDecimal("18446744073709551557"));
  c.steps[0].N = composite;
  c.n = composite;
  EXPECT_FALSE(ecpp::VerifyCertificate(c).valid);
}

// The other direction: certificates made by gp pass our verifier, so ours
// is no stricter than the theorem where it matters.
TEST_F(EcppVerify, GpsCertificatesAreValidForUs) {
  if (!GpInstalled()) GTEST_SKIP() << "gp is not installed";
  const auto dir = std::filesystem::temp_directory_path() / ("calvenna-ecpp-gp-" + std::to_string(::getpid()));
  std::filesystem::create_directories(dir);
  const char* numbers[] = {"10^35+69", "2^127-1", "nextprime(10^99)", "nextprime(2^400)"};
  std::ofstream script(dir / "make.gp");
  script << "default(parisizemax, 10^9);\n";
  for (std::size_t i = 0; i < std::size(numbers); ++i)
    script << "write(\"" << (dir / ("c" + std::to_string(i) + ".gp")).string() << "\", primecert(" << numbers[i]
           << "));\n";
  script.close();
  const std::string cmd = "gp -q -f " + (dir / "make.gp").string() + " </dev/null >/dev/null 2>&1";
  ASSERT_EQ(std::system(cmd.c_str()), 0);
  for (std::size_t i = 0; i < std::size(numbers); ++i) {
    std::ifstream in(dir / ("c" + std::to_string(i) + ".gp"));
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const ecpp::TVerdict v = Verify(text);
    EXPECT_TRUE(v.valid) << numbers[i] << ": " << v.reason;
  }
  std::filesystem::remove_all(dir);
}

}  // namespace
