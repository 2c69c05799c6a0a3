// The atomic writer every saved file goes through: the target holds either
// its old content or the whole new one, and no temporary file stays behind.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "tools/TextFile.h"

namespace {

namespace fs = std::filesystem;

class AtomicFileTest : public ::testing::Test {
protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() / ("calvenna-textfile-" + std::to_string(::getpid()) + "-" +
                                        ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }

  std::string Path(const std::string& name) const { return (dir_ / name).string(); }
  static std::string Slurp(const std::string& p) {
    std::ifstream in(p, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
  }
  static void Put(const std::string& p, const std::string& content) { std::ofstream(p, std::ios::binary) << content; }
  // Every name in the directory: a left-over temporary file shows here.
  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(dir_)) names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }

  fs::path dir_;
};

TEST_F(AtomicFileTest, ReplacesAnExistingFileWhole) {
  const std::string p = Path("list.txt");
  Put(p, "old content that is longer than the new one\r\n");
  EXPECT_EQ(WriteTextLines(p, {"a", "", "b c"}), "");
  EXPECT_EQ(Slurp(p), "a\r\n\r\nb c\r\n");
  EXPECT_EQ(Names(), std::vector<std::string>{"list.txt"});
}

TEST_F(AtomicFileTest, NothingAppearsBeforeCommitAndNothingStaysWithout) {
  const std::string p = Path("cert.txt");
  Put(p, "kept\r\n");
  {
    TAtomicFile file(p);
    EXPECT_TRUE(file.WriteLine("3=14"));
    EXPECT_EQ(Slurp(p), "kept\r\n");
  }  // abandoned, as a cancelled save is
  EXPECT_EQ(Slurp(p), "kept\r\n");
  EXPECT_EQ(Names(), std::vector<std::string>{"cert.txt"});
}

TEST_F(AtomicFileTest, RestartDropsWhatWasWritten) {
  const std::string p = Path("cert.txt");
  TAtomicFile file(p);
  file.Write("first run\r\n");
  EXPECT_TRUE(file.Restart());
  file.WriteLine("3=14");
  EXPECT_EQ(file.Commit(), "");
  EXPECT_EQ(Slurp(p), "3=14\r\n");
  EXPECT_EQ(Names(), std::vector<std::string>{"cert.txt"});
}

TEST_F(AtomicFileTest, FailuresNameTheFileAndLeaveNothing) {
  // No such directory: the temporary file cannot be made.
  const std::string missing = Path("no/dir/x.txt");
  TAtomicFile file(missing);
  EXPECT_EQ(file.Failure().rfind("Cannot create file \"" + missing + "\". ", 0), 0u) << file.Failure();
  EXPECT_FALSE(file.Write("x"));
  EXPECT_EQ(file.Commit(), file.Failure());

  // The target is a directory: the replacement fails at the very end.
  fs::create_directory(dir_ / "taken");
  const std::string taken = Path("taken");
  const std::string failure = WriteTextLines(taken, {"x"});
  EXPECT_EQ(failure.rfind("Cannot create file \"" + taken + "\". ", 0), 0u) << failure;
  EXPECT_TRUE(fs::is_directory(taken));
  EXPECT_EQ(Names(), std::vector<std::string>{"taken"});
}

}  // namespace
