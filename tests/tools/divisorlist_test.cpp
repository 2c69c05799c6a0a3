// The divisor list file: the saved bytes, loading back, the depth rules
// and every refusal.
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "tools/DivisorList.h"

namespace {

namespace fs = std::filesystem;

class DivisorListTest : public ::testing::Test {
protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() /
           ("calvenna-divisors-" + std::to_string(::getpid()) + "-" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }
  std::string Path(const std::string& name) const { return (dir_ / name).string(); }
  static std::string Content(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
  }
  void Write(const std::string& path, const std::string& content) const {
    std::ofstream(path, std::ios::binary) << content;
  }
  fs::path dir_;
};

// Texts of a tree, one per entry, with one '>' per level.
std::vector<std::string> Shape(const TDivisorTree& tree) {
  std::vector<std::string> out;
  for (const TTreeEntry& e : tree)
    out.push_back(std::string(static_cast<std::size_t>(e.level), '>') + e.text + (e.image == kSquareRootImage ? "" : "?"));
  return out;
}

TEST_F(DivisorListTest, SaveAndLoadHundred) {
  const std::string path = Path("Divisors list of 100.txt");
  EXPECT_EQ(DivisorListProposedName("100"), "Divisors list of 100");
  const TDivisorSaveOutcome saved = SaveDivisorList(path, FindDivisors("100").tree, true);
  EXPECT_EQ(saved.error, "");
  EXPECT_EQ(saved.message, "The File: \"" + path + "\" was created !");
  EXPECT_EQ(Content(path), "2\r\n\t50\r\n4\r\n\t25\r\n5\r\n\t20\r\n10 (Square root)\r\n");
  EXPECT_EQ(SaveDivisorList(path, FindDivisors("100").tree, false).message, "");

  const TDivisorLoadOutcome loaded = LoadDivisorList(path);
  EXPECT_TRUE(loaded.ok);
  EXPECT_EQ(loaded.fieldText, "100");
  EXPECT_EQ(loaded.message, "");
  // Same seven entries, every one with image 0.
  EXPECT_EQ(Shape(loaded.tree), (std::vector<std::string>{"2", ">50", "4", ">25", "5", ">20", "10 (Square root)"}));
}

TEST_F(DivisorListTest, PrimeListIsEmptyAndRefused) {
  const std::string path = Path("97.txt");
  SaveDivisorList(path, FindDivisors("97").tree, false);
  EXPECT_TRUE(fs::exists(path));
  EXPECT_EQ(fs::file_size(path), 0u);
  const TDivisorLoadOutcome loaded = LoadDivisorList(path);
  EXPECT_FALSE(loaded.ok);
  EXPECT_TRUE(loaded.tree.empty());
  EXPECT_EQ(loaded.message, "Sorry, the file: " + path + " is not compatible format !");
}

TEST(ParseDivisorList, Accepted) {
  struct Row {
    const char* content;
    const char* field;
    std::vector<std::string> shape;
  };
  const Row rows[] = {
      {"3\r\n\t5\r\n", "15", {"3", ">5"}},
      {"3\n\t5", "15", {"3", ">5"}},
      {"3\r\t5\r", "15", {"3", ">5"}},
      {"2\n 50\n4\n 25\n10 (Square root)\n", "100", {"2", ">50", "4", ">25", "10 (Square root)"}},  // blanks
      {"\t\t3\n\t5\n", "15", {"3", ">5"}},  // the first line is first-level whatever its depth
      {"1\n\t2\n\t\t3\n\t4\n5\n", "2", {"1", ">2", ">>3", ">4", "5"}},
      {"2\n\t5E17\n", "1E18", {"2", ">5E17"}},
      {"3 \n\t5 \n", "15", {"3 ", ">5 "}},  // trailing characters stay in the text
      {"3\n\t5\n\n", "15", {"3", ">5", ""}},
  };
  for (const Row& r : rows) {
    const TDivisorLoadOutcome out = ParseDivisorList(r.content, "f.txt");
    EXPECT_TRUE(out.ok) << r.content;
    EXPECT_EQ(out.fieldText, r.field) << r.content;
    EXPECT_EQ(Shape(out.tree), r.shape) << r.content;
  }
  EXPECT_EQ(ParseDivisorList("2,5\n\t4\n", "f.txt", ",").fieldText, "10");
}

TEST(ParseDivisorList, Refused) {
  for (const char* content : {"", "5 (Square root)\r\n", "2\n\t\t50\n", "\t3\n\t\t\t5\n", "abc\n\tdef\n", "3\n4\n\t5\n",
                              "3\n\tx\n", "1e4000\n\t1e4000\n", "\n\t5\n"}) {
    const TDivisorLoadOutcome out = ParseDivisorList(content, "/tmp/f.txt");
    EXPECT_FALSE(out.ok) << content;
    EXPECT_TRUE(out.tree.empty()) << content;
    EXPECT_EQ(out.fieldText, "");
    EXPECT_EQ(out.message, "Sorry, the file: /tmp/f.txt is not compatible format !") << content;
  }
  // A file nesting one level deeper on every line: accepted up to 256 levels.
  std::string deep = "2\n";
  for (int i = 1; i < 256; ++i) deep += std::string(i, '\t') + "3\n";
  EXPECT_TRUE(ParseDivisorList(deep, "deep.txt").ok);
  deep += std::string(256, '\t') + "3\n";
  EXPECT_FALSE(ParseDivisorList(deep, "deep.txt").ok);
}

TEST_F(DivisorListTest, UnreadableFiles) {
  for (const std::string& path : {Path("missing.txt"), dir_.string()}) {
    const TDivisorLoadOutcome out = LoadDivisorList(path);
    EXPECT_FALSE(out.ok);
    EXPECT_EQ(out.message, "Sorry, the file: " + path + " is not compatible format !");
  }
  const TDivisorSaveOutcome saved = SaveDivisorList(Path("no/dir/x.txt"), FindDivisors("6").tree, true);
  EXPECT_EQ(saved.error.rfind("Cannot create file \"" + Path("no/dir/x.txt") + "\". ", 0), 0u);
  EXPECT_EQ(saved.message, "");
}

TEST(DivisorListTexts, DialogTexts) {
  EXPECT_STREQ(kDivisorSaveTitle, "Save thie current dividers' list into...");
  EXPECT_STREQ(kDivisorLoadTitle, "Load dividers\" list from...");
}

}  // namespace
