// calvenna-cli search and divisors through the real executable.
#include <gtest/gtest.h>

#include "cli/CliRunner.h"
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

using TRun = TCliRun;

std::vector<std::string> LinesOf(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

class SearchCliTest : public CliRunner {
protected:
  std::vector<std::string> ResultFiles() const {
    std::vector<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(dir_))
      if (e.path().filename().string().rfind("std", 0) != 0) names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }
};

TEST_F(SearchCliTest, SearchSummaryPrimesAndFiles) {
  TRun r = Run({"search", "2", "100"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.err, "");
  const std::vector<std::string> lines = LinesOf(r.out);
  ASSERT_EQ(lines.size(), 18u);
  EXPECT_EQ(lines[0].rfind("Search date: ", 0), 0u);
  EXPECT_EQ(lines[1].rfind("Start: ", 0), 0u);
  EXPECT_EQ(lines[2].rfind("End: ", 0), 0u);
  EXPECT_EQ(lines[3].rfind("Duration: ", 0), 0u);
  const std::vector<std::string> rest(lines.begin() + 4, lines.end());
  EXPECT_EQ(rest, (std::vector<std::string>{"", "From: 2", "To:    100", "", "The results are:", " Part 1:   2 - 97", "",
                                            " ==> 25 prime number(s) were found.", "", "The estimation was: ",
                                            "Legendre-Hadamard: ", " 19 prime number(s) to be found.", "",
                                            "There are 8 Twin Prime #s."}));

  // Corrected bounds; the primes alone.
  r = Run({"search", "10", "5", "--primes"});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, "11\n");
  r = Run({"search", "-7", "-1", "--primes"});
  EXPECT_EQ(r.out, "2\n3\n");

  // The files "Save to file" writes with every box ticked: only the parts
  // that hold primes, the name standing for the dialog's answer.
  const std::string name = (dir_ / "list.txt").string();
  r = Run({"search", "2", "100", "--save", name});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(ResultFiles(), (std::vector<std::string>{"list.txt [Part 1].txt", "list.txt [Summary].txt"}));
  EXPECT_EQ(Slurp(dir_ / "list.txt [Part 1].txt"),
            "2\r\n3\r\n5\r\n7\r\n11\r\n13\r\n17\r\n19\r\n23\r\n29\r\n31\r\n37\r\n41\r\n43\r\n47\r\n53\r\n59\r\n61\r\n67\r\n"
            "71\r\n73\r\n79\r\n83\r\n89\r\n97\r\nCreated by Calvenna\r\n");
  const std::string summary = Slurp(dir_ / "list.txt [Summary].txt");
  EXPECT_NE(summary.find("\r\n ==> 25 prime number(s) were found.\r\n"), std::string::npos);
  EXPECT_EQ(summary.substr(summary.size() - 28), "There are 8 Twin Prime #s.\r\n");

  // No prime: no file at all.
  std::filesystem::remove(dir_ / "list.txt [Part 1].txt");
  std::filesystem::remove(dir_ / "list.txt [Summary].txt");
  r = Run({"search", "24", "28", "--save", name});
  EXPECT_EQ(r.status, 0);
  EXPECT_NE(r.out.find(" ==> 0 prime number(s) were found."), std::string::npos);
  EXPECT_TRUE(ResultFiles().empty());
}

TEST_F(SearchCliTest, SearchLimitAndBadInput) {
  TRun r = Run({"search", "2", "2300000", "--primes"});
  ASSERT_EQ(r.status, 0);
  EXPECT_EQ(r.err, "Sorry, you reached the highest limit of Calvenna !\n");
  EXPECT_EQ(LinesOf(r.out).size(), 160000u);

  // Bounds next to 10^18 are read exactly.
  r = Run({"search", "999999999999999980", "999999999999999999", "--primes"});
  EXPECT_EQ(r.out, "999999999999999989\n");
  r = Run({"search", "999999999999999989", "1000000000000000000", "--primes"});
  EXPECT_EQ(r.out, "999999999999999989\n");
  r = Run({"search", "2", "12a"});
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(r.err, "calvenna-cli: '12a' is not a valid integer value.\n");
  r = Run({"search", "", "100"});
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.err, "calvenna-cli: '' is not a valid integer value.\n");
  // A file that cannot be written.
  r = Run({"search", "2", "100", "--save", (dir_ / "missing" / "x").string()});
  EXPECT_EQ(r.status, 2);
  EXPECT_NE(r.err.find("Cannot create file"), std::string::npos) << r.err;
  for (const std::vector<std::string>& usage :
       {std::vector<std::string>{"search", "2"}, {"search", "2", "3", "4"}, {"search", "2", "3", "--frob"},
        {"search", "2", "3", "--save"}}) {
    r = Run(usage);
    EXPECT_EQ(r.status, 1) << usage.back();
  }
}

TEST_F(SearchCliTest, Divisors) {
  TRun r = Run({"divisors", "100"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "2\n\t50\n4\n\t25\n5\n\t20\n10 (Square root)\nWe\"ve found 7 dividers\n");
  r = Run({"divisors", "97"});
  EXPECT_EQ(r.out, "We\"ve found a prime number !\n");
  r = Run({"divisors", "1"});
  EXPECT_EQ(r.out, "Numbers below 2 have no dividers to list !\n");
  r = Run({"divisors", "1e19"});
  EXPECT_EQ(LinesOf(r.out).back(), "We\"ve found 359 dividers");
  // Eighteen-digit numbers are read exactly, not through a float: the
  // largest prime below 10^18 and its neighbours are themselves.
  r = Run({"divisors", "999999999999999989"});
  EXPECT_EQ(r.out, "We\"ve found a prime number !\n");
  r = Run({"divisors", "999999999999999990"});
  EXPECT_EQ(LinesOf(r.out)[0], "2");
  EXPECT_EQ(LinesOf(r.out)[1], "\t5E17");
  r = Run({"divisors", "999999999999999989.0e0"});
  EXPECT_EQ(r.out, "We\"ve found a prime number !\n");

  const std::string file = (dir_ / "d.txt").string();
  r = Run({"divisors", "100", "--save", file});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(Slurp(file), "2\r\n\t50\r\n4\r\n\t25\r\n5\r\n\t20\r\n10 (Square root)\r\n");
  r = Run({"divisors", "97", "--save=" + file});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(Slurp(file), "");  // a prime's list is empty

  r = Run({"divisors", "x"});
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(r.err, "calvenna-cli: 'x' is not a valid floating point value.\n");
  r = Run({"divisors"});
  EXPECT_EQ(r.status, 1);
  r = Run({"divisors", "6", "--primes"});
  EXPECT_EQ(r.status, 1);
}

}  // namespace
