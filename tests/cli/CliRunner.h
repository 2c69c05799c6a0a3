// Runs the real calvenna-cli in a scratch directory and captures its exit
// status and both output streams.
#pragma once

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

struct TCliRun {
  int status = -1;
  std::string out, err;
};

class CliRunner : public ::testing::Test {
protected:
  void SetUp() override {
    dir_ = std::filesystem::temp_directory_path() /
           ("calvenna-cli-" + std::to_string(::getpid()) + "-" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::create_directories(dir_);
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }

  static std::string Quote(const std::string& s) {
    std::string q = "'";
    for (char c : s) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
  }
  static std::string Slurp(const std::filesystem::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
  }

  TCliRun Run(const std::vector<std::string>& args) {
    std::string cmd = "cd " + Quote(dir_.string()) + " && " + Quote(CALVENNA_CLI);
    for (const std::string& a : args) cmd += " " + Quote(a);
    const auto out = dir_ / "stdout.txt", err = dir_ / "stderr.txt";
    cmd += " >" + Quote(out.string()) + " 2>" + Quote(err.string()) + " </dev/null";
    const int raw = std::system(cmd.c_str());
    TCliRun r;
    r.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    r.out = Slurp(out);
    r.err = Slurp(err);
    return r;
  }

  std::filesystem::path dir_;
};
