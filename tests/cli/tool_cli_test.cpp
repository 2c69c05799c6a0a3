// calvenna-cli split and modulo through the real executable.
#include "cli/CliRunner.h"

namespace {

using ToolCli = CliRunner;

TEST_F(ToolCli, SplitMethods) {
  struct Row {
    std::vector<std::string> args;
    std::string out;
  };
  const Row rows[] = {
      {{"split", "561"}, "factor1 is Prime\t11\nfactor2 is Prime\t3\nfactor3 is Prime\t17\n11*3*17\n"},
      {{"split", "15", "--method", "sample"}, "Factor is Prime\t5\n5 * Other factor\n"},
      {{"split", "8", "--method", "next"}, "Next prime is\t11\nDifference\t3\n11\n"},
      {{"split", "007"}, "factor1 is Prime\t7\n7\n"},
  };
  for (const Row& row : rows) {
    const TCliRun r = Run(row.args);
    EXPECT_EQ(r.status, 0) << row.args[1] << ": " << r.err;
    EXPECT_EQ(r.out, row.out) << row.args[1];
  }
}

TEST_F(ToolCli, SplitRefusals) {
  TCliRun r = Run({"split", "12a"});
  EXPECT_EQ(r.status, 2);
  EXPECT_NE(r.err.find("'12a' is not a valid integer value."), std::string::npos) << r.err;
  EXPECT_EQ(Run({"split", "1"}).status, 2);
  EXPECT_EQ(Run({"split", "15", "--method", "cube"}).status, 1);
  EXPECT_EQ(Run({"split"}).status, 1);
}

TEST_F(ToolCli, ModuloFactorByFactor) {
  TCliRun r = Run({"modulo", "3*2^5+1", "7"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "6\n");
  r = Run({"modulo", "2^10", "1000", "--next", "2"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "24\n23\n22\n");
}

TEST_F(ToolCli, ModuloRefusals) {
  TCliRun r = Run({"modulo", "2^5", "x7"});
  EXPECT_EQ(r.status, 2);
  EXPECT_NE(r.err.find("'x7' is not a valid integer value."), std::string::npos) << r.err;
  EXPECT_EQ(Run({"modulo", "2^5", "0"}).status, 2);
  EXPECT_EQ(Run({"modulo", "abc", "7"}).status, 2);
  EXPECT_EQ(Run({"modulo", "2^5", "7", "--next", "1001"}).status, 1);
}

}  // namespace
