// calvenna-cli prove and verify, run as a user would.
#include <filesystem>
#include <fstream>
#include <string>

#include "CliRunner.h"

namespace {

using ProveCli = CliRunner;

constexpr const char* kM127 = "170141183460469231731687303715884105727";

TEST_F(ProveCli, ProvenPrimeWritesACertificateThatVerifies) {
  const TCliRun r = Run({"prove", kM127, "--certificate", "m127.gp"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, std::string(kM127) + " proven prime\n");
  const std::string text = Slurp(dir_ / "m127.gp");
  EXPECT_EQ(text.rfind("[[" + std::string(kM127) + ", ", 0), 0u) << text;
  const TCliRun v = Run({"verify", "m127.gp"});
  EXPECT_EQ(v.status, 0);
  EXPECT_EQ(v.out, "valid\n");
  // Nothing but the certificate is left beside it.
  int files = 0;
  for (const auto& entry : std::filesystem::directory_iterator(dir_))
    if (entry.path().extension() == ".gp" || entry.path().string().find(".tmp-") != std::string::npos) ++files;
  EXPECT_EQ(files, 1);
}

TEST_F(ProveCli, CompositesShowTheirBase) {
  const struct {
    const char* n;
    const char* out;
  } cases[] = {
      {"3215031751", "3215031751 composite (base 11)\n"},
      {"561", "561 composite (base 2)\n"},
      {"1000000000000000000000000000000000000000", "1000000000000000000000000000000000000000 composite (base 2)\n"},
  };
  for (const auto& c : cases) {
    const TCliRun r = Run({"prove", c.n, "--certificate", "none.gp"});
    EXPECT_EQ(r.status, 0) << c.n;
    EXPECT_EQ(r.out, c.out);
    EXPECT_FALSE(std::filesystem::exists(dir_ / "none.gp")) << c.n;
  }
}

TEST_F(ProveCli, SmallPrimeCertificateIsTheNumber) {
  ASSERT_EQ(Run({"prove", "1000003", "--certificate", "small.gp"}).out, "1000003 proven prime\n");
  EXPECT_EQ(Slurp(dir_ / "small.gp"), "1000003\n");
  EXPECT_EQ(Run({"verify", "small.gp"}).out, "valid\n");
}

TEST_F(ProveCli, BadInputAndUsage) {
  const struct {
    std::vector<std::string> args;
    int status;
    const char* err;
  } cases[] = {
      {{"prove", "12a"}, 2, "calvenna-cli: '12a' is not a valid integer value.\n"},
      {{"prove", "-7"}, 2, "calvenna-cli: '-7' is not a valid integer value.\n"},
      {{"prove", "1"}, 2, "calvenna-cli: The number must be at least 2, not 1.\n"},
      {{"prove", "0"}, 2, "calvenna-cli: The number must be at least 2, not 0.\n"},
      {{"prove"}, 1, nullptr},
      {{"prove", "7", "8"}, 1, nullptr},
      {{"prove", "7", "--certificate"}, 1, nullptr},
      {{"prove", "7", "--frobnicate"}, 1, nullptr},
      {{"verify"}, 1, nullptr},
      {{"verify", "missing.gp"}, 2, "calvenna-cli: Cannot open file \"missing.gp\"\n"},
  };
  for (const auto& c : cases) {
    const TCliRun r = Run(c.args);
    EXPECT_EQ(r.status, c.status) << c.args.back();
    EXPECT_TRUE(r.out.empty()) << c.args.back();
    if (c.err) {
      EXPECT_EQ(r.err, c.err);
    }
  }
}

TEST_F(ProveCli, UnwritableCertificateIsBadInputAndLeavesNothing) {
  const TCliRun r = Run({"prove", kM127, "--certificate", "no-such-folder/c.gp"});
  EXPECT_EQ(r.status, 2);
  EXPECT_NE(r.err.find("Cannot create file \"no-such-folder/c.gp\""), std::string::npos) << r.err;
}

TEST_F(ProveCli, TamperedCertificateNamesTheFailingStep) {
  ASSERT_EQ(Run({"prove", kM127, "--certificate", "c.gp"}).status, 0);
  std::string text = Slurp(dir_ / "c.gp");
  // The second step's s: the text after the second "[" of that step.
  std::size_t at = text.find("], [", 0);  // end of step 1's point
  ASSERT_NE(at, std::string::npos);
  at = text.find(", ", at + 4);            // after step 2's N
  at = text.find(", ", at + 2);            // after step 2's t
  const std::size_t digit = at + 2;        // first digit of step 2's s
  text[digit] = text[digit] == '9' ? '1' : static_cast<char>(text[digit] + 1);
  std::ofstream(dir_ / "c.gp", std::ios::binary | std::ios::trunc) << text;
  const TCliRun v = Run({"verify", "c.gp"});
  EXPECT_EQ(v.status, 0);
  EXPECT_EQ(v.out.rfind("invalid: step 2: ", 0), 0u) << v.out;

  std::ofstream(dir_ / "junk.gp") << "hello";
  EXPECT_EQ(Run({"verify", "junk.gp"}).out.rfind("invalid: not a certificate", 0), 0u);
}

}  // namespace
