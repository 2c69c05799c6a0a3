// The command line's bounds: input longer than the window's field is refused
// with status 2 unless --no-limit is given, and Ctrl+C ends a run at once
// without leaving a temporary file.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "cli/CliRunner.h"

namespace {

using LimitsCliTest = CliRunner;

std::string Digits(std::size_t n) { return "1" + std::string(n - 1, '0'); }

TEST_F(LimitsCliTest, LongerThanTheWindowsFieldIsRefused) {
  struct Case {
    std::vector<std::string> args;
    std::size_t length, limit;
  };
  const Case cases[] = {
      {{"isprime", "7", Digits(201)}, 201, 200},
      {{"nextprime", Digits(201)}, 201, 200},
      {{"split", Digits(41)}, 41, 40},
      {{"split", Digits(51), "--method", "sample"}, 51, 50},
      {{"split", Digits(41), "--method", "next"}, 41, 40},
  };
  for (const Case& c : cases) {
    const TCliRun r = Run(c.args);
    EXPECT_EQ(r.status, 2) << c.args[0] << " " << c.length;
    EXPECT_EQ(r.out, "") << c.args[0];  // nothing is done, not even the first number
    EXPECT_NE(r.err.find("has " + std::to_string(c.length) + " characters; the limit is " + std::to_string(c.limit) +
                         ". --no-limit accepts longer input"),
              std::string::npos)
        << r.err;
  }
}

TEST_F(LimitsCliTest, TheConvertorsRowsKeepTheirOwnMessages) {
  struct Case {
    const char* row;
    std::string text;
    const char* message;
  };
  const Case cases[] = {
      {"integer", Digits(2501), "Please, note that integers with  more than 2500 digits are not supported yet."},
      {"mersenne", "M" + std::string(200, '1'), "Please, the Mersenne expression may not exceed 200 characters."},
      {"fermat", "F" + std::string(50, '1'), "Please, the Fermat expression may not exceed 50 characters."},
  };
  for (const Case& c : cases) {
    const TCliRun r = Run({"convert", c.row, c.text});
    EXPECT_EQ(r.status, 2) << c.row;
    EXPECT_EQ(r.err, std::string("calvenna-cli: ") + c.message + " --no-limit accepts longer input, but it may take long.\n");
  }
}

TEST_F(LimitsCliTest, AtTheLimitRunsAsBefore) {
  TCliRun r = Run({"isprime", Digits(200)});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, Digits(200) + " composite\n");
  EXPECT_EQ(r.err, "");
  r = Run({"split", Digits(40), "--method", "next"});
  EXPECT_EQ(r.status, 0) << r.err;
  r = Run({"convert", "integer", Digits(2500)});
  EXPECT_EQ(r.status, 0) << r.err;
}

TEST_F(LimitsCliTest, NoLimitWarnsAndWorks) {
  TCliRun r = Run({"isprime", "--no-limit", Digits(201)});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, Digits(201) + " composite\n");
  EXPECT_NE(r.err.find("may take long"), std::string::npos) << r.err;
  r = Run({"convert", "fermat", "F" + std::string(49, '0') + "3", "--no-limit"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out.rfind("Integer: 257\n", 0), 0u) << r.out;
  // Within the limit the option changes nothing.
  r = Run({"split", "15", "--no-limit"});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.err, "");
}

// Starts calvenna-cli in the scratch directory, interrupts it after a
// moment as Ctrl+C does, and returns the time it took to end and its status.
struct TInterrupted {
  int status;
  std::chrono::milliseconds after;
};
TInterrupted Interrupt(const std::filesystem::path& dir, const std::vector<std::string>& args) {
  const pid_t pid = fork();
  if (pid == 0) {
    if (chdir(dir.c_str()) != 0) _exit(127);
    std::vector<char*> argv{const_cast<char*>(CALVENNA_CLI)};
    for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    execv(CALVENNA_CLI, argv.data());
    _exit(127);
  }
  std::this_thread::sleep_for(std::chrono::milliseconds(700));
  const auto sent = std::chrono::steady_clock::now();
  kill(pid, SIGINT);
  int status = 0;
  waitpid(pid, &status, 0);
  return {status, std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - sent)};
}

TEST_F(LimitsCliTest, InterruptEndsAtOnceAndLeavesNoTemporaryFile) {
  // Two 40-digit primes: the search would run for a long time.
  const TInterrupted split =
      Interrupt(dir_, {"split", "--no-limit", "10000000000000000000000000000000000000121" "10000000000000000000000000000000000000133"});
  EXPECT_TRUE(WIFSIGNALED(split.status) && WTERMSIG(split.status) == SIGINT);
  EXPECT_LT(split.after.count(), 5000);

  const TInterrupted lucas = Interrupt(dir_, {"lucas", "44497", "--certificate", "c.txt"});
  EXPECT_TRUE(WIFSIGNALED(lucas.status) && WTERMSIG(lucas.status) == SIGINT);
  EXPECT_TRUE(std::filesystem::is_empty(dir_)) << "a certificate or its temporary file was left";
}

}  // namespace
