// calvenna-cli through the real executable: one test per subcommand, with
// its bad-input and usage cases.
#include <gtest/gtest.h>

#include "cli/CliRunner.h"
#include "numbers/bigint/BigInt.h"
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

using TRun = TCliRun;
using CliTest = CliRunner;

TEST_F(CliTest, Help) {
  TRun r = Run({"--help"});
  EXPECT_EQ(r.status, 0);
  for (const char* c : {"isprime", "nextprime", "lucas", "calc", "convert"})
    EXPECT_NE(r.out.find(c), std::string::npos) << c;
  r = Run({"lucas", "--help"});
  EXPECT_EQ(r.status, 0);
  EXPECT_NE(r.out.find("--certificate"), std::string::npos);
  r = Run({});
  EXPECT_EQ(r.status, 1);
  EXPECT_FALSE(r.err.empty());
  r = Run({"frobnicate"});
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("frobnicate"), std::string::npos);
}

TEST_F(CliTest, IsPrime) {
  TRun r = Run({"isprime", "97", "0097", "561", "2", "1", "2305843009213693951", "-7"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out,
            "97 prime\n0097 prime\n561 composite\n2 prime\n1 composite\n2305843009213693951 prime\n-7 prime\n");
  EXPECT_EQ(r.err, "");
  // A bad number: its conversion message on stderr, status 2.
  r = Run({"isprime", "12a"});
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(r.err, "calvenna-cli: '12a' is not a valid integer value.\n");
  r = Run({"isprime"});
  EXPECT_EQ(r.status, 1);
}

TEST_F(CliTest, NextPrime) {
  TRun r = Run({"nextprime", "14"});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, "17\n");
  r = Run({"nextprime", "2"});
  EXPECT_EQ(r.out, "3\n");
  r = Run({"nextprime", "2147483646"});
  EXPECT_EQ(r.out, "2147483647\n");
  for (const char* low : {"1", "0", "-5"}) {
    r = Run({"nextprime", low});
    EXPECT_EQ(r.status, 2) << low;
    EXPECT_EQ(r.out, "");
    EXPECT_NE(r.err.find("at least 2"), std::string::npos) << r.err;
  }
  r = Run({"nextprime", "x"});
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.err, "calvenna-cli: 'x' is not a valid integer value.\n");
  r = Run({"nextprime", "3", "5"});
  EXPECT_EQ(r.status, 1);
}

TEST_F(CliTest, Lucas) {
  TRun r = Run({"lucas", "127"});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, "127 prime\n");
  r = Run({"lucas", "11"});
  EXPECT_EQ(r.out, "11 composite\n");
  r = Run({"lucas", "-5"});
  EXPECT_EQ(r.out, "-5 composite\n");
  // The certificate: key=value, CR LF after every line; P as typed.
  const auto file = dir_ / "Mersenne7 certificate.txt";
  r = Run({"lucas", "07", "--certificate", file.string()});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "07 prime\n");
  EXPECT_EQ(Slurp(file), "3=14\r\n4=67\r\n5=42\r\n6=111\r\n7=0\r\n");
  // A second run replaces the file; p = 2 leaves it empty.
  r = Run({"lucas", "--certificate=" + file.string(), "2"});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, "2 prime\n");
  EXPECT_EQ(Slurp(file), "");
  r = Run({"lucas", "5", "--certificate", file.string()});
  EXPECT_EQ(Slurp(file), "3=14\r\n4=8\r\n5=0\r\n");
  // No temporary file is left beside it.
  int files = 0;
  for (const auto& e : std::filesystem::directory_iterator(dir_))
    if (e.path().filename().string().rfind("Mersenne", 0) == 0) ++files;
  EXPECT_EQ(files, 1);
  // Bounds and bad input.
  r = Run({"lucas", "100000"});
  EXPECT_EQ(r.status, 2);
  EXPECT_NE(r.err.find("99999"), std::string::npos);
  r = Run({"lucas", "12a"});
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.err, "calvenna-cli: '12a' is not a valid integer value.\n");
  r = Run({"lucas", "7", "--certificate", (dir_ / "no such dir" / "c.txt").string()});
  EXPECT_EQ(r.status, 2);
  EXPECT_NE(r.err.find("Cannot create file"), std::string::npos) << r.err;
  EXPECT_EQ(r.out, "");
  r = Run({"lucas", "7", "--certificate"});
  EXPECT_EQ(r.status, 1);
  r = Run({"lucas", "7", "--verbose"});
  EXPECT_EQ(r.status, 1);
}

// The rows by the plain loop (square, subtract 2, long division by M),
// as the certificate file holds them.
std::string PlainCertificate(int p) {
  std::string text;
  if (p < 3) return text;
  TBigInt power, m, s = BigIntFromInt64(4), sq, t;
  PowerBigInt(BigIntFromInt64(2), BigIntFromInt64(p), power);
  SubtractBigInt(power, BigIntFromInt64(1), m);
  for (int key = 3; key <= p; ++key) {
    SquareBigInt(s, sq);
    SubtractBigInt(sq, BigIntFromInt64(2), t);
    ModuloBigInt(t, m, s);
    text += std::to_string(key) + "=" + BigIntToDecimal(s) + "\r\n";
  }
  return text;
}

// The file is written while the test runs, rows converted on other
// threads: every byte as the plain loop gives it, in order, below and
// above the exponent where the transform takes over, prime or not.
TEST_F(CliTest, LucasCertificateEqualsThePlainRows) {
  struct Case {
    int p;
    const char* verdict;
  } cases[] = {{3, "prime"}, {11, "composite"}, {89, "prime"}, {577, "composite"}, {607, "prime"}, {610, "composite"}};
  for (const Case& c : cases) {
    const auto file = dir_ / ("M" + std::to_string(c.p) + ".txt");
    const TRun r = Run({"lucas", std::to_string(c.p), "--certificate", file.string()});
    EXPECT_EQ(r.status, 0) << c.p << " " << r.err;
    EXPECT_EQ(r.out, std::to_string(c.p) + " " + c.verdict + "\n");
    EXPECT_EQ(r.err, "") << c.p;
    EXPECT_TRUE(Slurp(file) == PlainCertificate(c.p)) << "p = " << c.p;
  }
}

TEST_F(CliTest, Calc) {
  struct Row {
    const char *op, *a, *b, *out;
  } rows[] = {{"gcf", "12", "18", "6\n"},  {"add", "12", "18", "30\n"}, {"sub", "12", "18", "-6\n"},
              {"mul", "12", "18", "216\n"}, {"add", "0012", "3", "15\n"}, {"add", "-5", "5", "0\n"},
              {"mul", "-123", "0", "0\n"}, {"sub", "-5", "-5", "0\n"}, {"gcf", "7", "0", "7\n"},
              {"mul", "", "5", "0\n"}};
  for (const Row& row : rows) {
    TRun r = Run({"calc", row.op, row.a, row.b});
    EXPECT_EQ(r.status, 0) << row.op << " " << row.a << " " << row.b;
    EXPECT_EQ(r.out, row.out) << row.op << " " << row.a << " " << row.b;
  }
  const std::string a(200, '9');
  TRun r = Run({"calc", "mul", a, a});
  EXPECT_EQ(r.out, std::string(199, '9') + "8" + std::string(199, '0') + "1\n");
  r = Run({"calc", "add", "1", "x2"});
  EXPECT_EQ(r.status, 0);  // leading junk is skipped: 1 + 2
  EXPECT_EQ(r.out, "3\n");
  r = Run({"calc", "add", "1", "2b"});
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.err, "calvenna-cli: '2b' is not a valid integer value.\n");
  r = Run({"calc", "pow", "1", "2"});
  EXPECT_EQ(r.status, 1);
  r = Run({"calc", "add", "1"});
  EXPECT_EQ(r.status, 1);
}

TEST_F(CliTest, Convert) {
  TRun r = Run({"convert", "integer", "127"});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, "Integer: 127\nMersenne: M7\nFermat: F2+110\n");
  r = Run({"convert", "mersenne", "m4-2"});
  EXPECT_EQ(r.out, "Integer: 13\nMersenne: m4-2\nFermat: F2-4\n");
  r = Run({"convert", "fermat", "F2+83"});
  EXPECT_EQ(r.out, "Integer: 100\nMersenne: M7-27\nFermat: F2+83\n");
  r = Run({"convert", "integer", "0127"});
  EXPECT_EQ(r.out, "Integer: 0127\nMersenne: M7\nFermat: F2+110\n");
  r = Run({"convert", "mersenne", ""});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, "Integer: 0\nMersenne: \nFermat: F0-3\n");
  // Too long a source: the Convertor's message, status 2.
  r = Run({"convert", "integer", std::string(2501, '1')});
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.err,
            "calvenna-cli: Please, note that integers with  more than 2500 digits are not supported yet. "
            "--no-limit accepts longer input, but it may take long.\n");
  r = Run({"convert", "integer", std::string(2500, '1')});
  EXPECT_EQ(r.status, 0);
  r = Run({"convert", "integer", "12a"});
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.err, "calvenna-cli: '12a' is not a valid integer value.\n");
  r = Run({"convert", "roman", "XII"});
  EXPECT_EQ(r.status, 1);
}

}  // namespace
