// The search engine between searches: live estimate, hints, the display of
// a selected entry, and the result files on disk.
#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "tools/SearchFiles.h"

namespace {

namespace fs = std::filesystem;

// A fresh directory per test, removed afterwards.
class SearchFilesTest : public ::testing::Test {
protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() /
           ("calvenna-search-" + std::to_string(::getpid()) + "-" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }

  std::string Path(const std::string& name) const { return (dir_ / name).string(); }
  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(dir_)) names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }
  static std::string Content(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
  }

  static TSearchOutcome Search(TSearchState& state, const std::string& low, const std::string& high) {
    TSearchRequest q;
    q.lowText = low;
    q.highText = high;
    q.clock.date = "11/12/2026";
    return RunSearch(q, state);
  }

  fs::path dir_;
};

const TSearchSaveChecks kAllChecked{true, true, true, true, true, true};

TEST(LiveEstimate, Lines) {
  EXPECT_EQ(LiveEstimateLines("2", "100"),
            (std::vector<std::string>{"", "The estimation is :", "=>Legendre-Hadamard: 19", " ...prime #s will be found."}));
  EXPECT_EQ(LiveEstimateLines("1", "100")[2], "=>Legendre-Hadamard: 0");  // division by zero inside
  EXPECT_EQ(LiveEstimateLines("100", "2")[2], "=>Legendre-Hadamard: 0");
  EXPECT_EQ(LiveEstimateLines("2,5", "1e18", ",")[2], "=>Legendre-Hadamard: 2,41274712168473E16");
  const std::vector<std::string> cannot{"", "The estimation is :", "The estimations cannot be done."};
  EXPECT_EQ(LiveEstimateLines("abc", "100"), cannot);
  EXPECT_EQ(LiveEstimateLines("2", ""), cannot);
  EXPECT_EQ(LiveEstimateLines("2.5", "100", ","), cannot);
}

TEST(SearchButtonHint, Texts) {
  EXPECT_EQ(SearchButtonHint("2", "100"), "Start searching all prime numbers \r\nbetween 2 and 100");
  EXPECT_EQ(SearchButtonHint("", "100"), "The both fields are empty, so the search is not possible...");
  EXPECT_EQ(SearchButtonHint("2", ""), "The both fields are empty, so the search is not possible...");
}

TEST(SearchEntryDisplay, NumbersButNotTheSignature) {
  struct Row {
    int index, count;
    const char* text;
    const char* label;
    const char* value;
  };
  const Row rows[] = {
      {0, 26, "2", "Item #: 1", "2"},
      {24, 26, "97", "Item #: 25", "97"},
      {25, 26, "Created by Calvenna", "No item selected", ""},
      {-1, 26, "", "No item selected", ""},
      {0, 0, "", "No item selected", ""},
  };
  for (const Row& r : rows) {
    const TSearchEntryDisplay d = SearchEntryDisplay(r.index, r.count, r.text);
    EXPECT_EQ(d.label, r.label);
    EXPECT_EQ(d.value, r.value);
  }
}

TEST_F(SearchFilesTest, TwoToHundredWritesExactlyTwoFiles) {
  TSearchState state;
  EXPECT_EQ(SearchProposedFileName(state), "Prime numbers list from 0 To 0");
  const TSearchOutcome out = Search(state, "2", "100");
  EXPECT_EQ(SearchProposedFileName(state), "Prime numbers list from 2 To 100");
  const std::string chosen = Path("Prime numbers list from 2 To 100.txt");
  const TSearchSaveOutcome saved = SaveSearchFiles(chosen, out.summary, state, kAllChecked, true);
  EXPECT_EQ(saved.error, "");
  EXPECT_EQ(saved.message, "OK, the file(s) was/were successfully saved.");
  EXPECT_EQ(Names(), (std::vector<std::string>{"Prime numbers list from 2 To 100.txt [Part 1].txt",
                                               "Prime numbers list from 2 To 100.txt [Summary].txt"}));
  std::string part;
  for (int p : {2, 3, 5, 7, 11, 13, 17, 19, 23, 29, 31, 37, 41, 43, 47, 53, 59, 61, 67, 71, 73, 79, 83, 89, 97})
    part += std::to_string(p) + "\r\n";
  part += "Created by Calvenna\r\n";
  EXPECT_EQ(Content(chosen + " [Part 1].txt"), part);
  std::string summary;
  for (const std::string& line : out.summary) summary += line + "\r\n";
  EXPECT_EQ(Content(chosen + " [Summary].txt"), summary);
}

TEST_F(SearchFilesTest, BoxesAndPartCountDecide) {
  TSearchState state;
  const TSearchOutcome out = Search(state, "2", "2300000");
  const std::string chosen = Path("all.txt");
  EXPECT_EQ(SearchFilesToSave(chosen, out.summary, state, out.saveChecks).size(), 6u);
  const TSearchSaveChecks some{false, true, false, true, false, false};
  const std::vector<TSearchFile> files = SearchFilesToSave(chosen, out.summary, state, some);
  ASSERT_EQ(files.size(), 2u);
  EXPECT_EQ(files[0].name, chosen + " [Part 1].txt");
  EXPECT_EQ(files[1].name, chosen + " [Part 3].txt");
  EXPECT_EQ(files[1].lines.size(), 32001u);
  EXPECT_EQ(files[1].lines.back(), "Created by Calvenna");
}

// After a search with no prime nothing is written, yet the save reports
// success; without "Show messages" it says nothing.
TEST_F(SearchFilesTest, NoPrimeNoFile) {
  TSearchState state;
  const TSearchOutcome out = Search(state, "24", "28");
  TSearchSaveOutcome saved = SaveSearchFiles(Path("none.txt"), out.summary, state, kAllChecked, true);
  EXPECT_EQ(saved.error, "");
  EXPECT_TRUE(saved.written.empty());
  EXPECT_EQ(saved.message, kSearchSavedMessage);
  EXPECT_TRUE(Names().empty());
  saved = SaveSearchFiles(Path("none.txt"), out.summary, state, kAllChecked, false);
  EXPECT_EQ(saved.message, "");
}

// The summary file holds the summary as it stands: here a live estimate.
TEST_F(SearchFilesTest, SummaryAsItStands) {
  TSearchState state;
  Search(state, "2", "100");
  const std::vector<std::string> estimate = LiveEstimateLines("2", "1000");
  SaveSearchFiles(Path("e.txt"), estimate, state, {true, false, false, false, false, false}, false);
  EXPECT_EQ(Content(Path("e.txt [Summary].txt")),
            "\r\nThe estimation is :\r\n=>Legendre-Hadamard: 142\r\n ...prime #s will be found.\r\n");
  EXPECT_EQ(Names(), std::vector<std::string>{"e.txt [Summary].txt"});
}

// A failed search empties the parts, so a save afterwards cannot replace
// the files of the search before by empty ones.
TEST_F(SearchFilesTest, FailedSearchLeavesNothingToSave) {
  TSearchState state;
  const TSearchOutcome good = Search(state, "2", "100");
  ASSERT_EQ(SaveSearchFiles(Path("r.txt"), good.summary, state, kAllChecked, false).written.size(), 2u);
  const std::string before = Content(Path("r.txt [Part 1].txt"));
  EXPECT_NE(Search(state, "2", "x").error, "");
  EXPECT_TRUE(SaveSearchFiles(Path("r.txt"), good.summary, state, kAllChecked, false).written.empty());
  EXPECT_EQ(Content(Path("r.txt [Part 1].txt")), before);
}

TEST_F(SearchFilesTest, FailureStopsAndKeepsEarlierFiles) {
  TSearchState state;
  const TSearchOutcome out = Search(state, "2", "100");
  // A directory stands where part 1 should go.
  fs::create_directory(Path("x.txt [Part 1].txt"));
  const TSearchSaveOutcome saved = SaveSearchFiles(Path("x.txt"), out.summary, state, kAllChecked, true);
  EXPECT_EQ(saved.written, std::vector<std::string>{Path("x.txt [Summary].txt")});
  EXPECT_EQ(saved.error.rfind("Cannot create file \"" + Path("x.txt [Part 1].txt") + "\". ", 0), 0u) << saved.error;
  EXPECT_EQ(saved.message, "");
  EXPECT_TRUE(fs::is_directory(Path("x.txt [Part 1].txt")));
  EXPECT_EQ(Names(), (std::vector<std::string>{"x.txt [Part 1].txt", "x.txt [Summary].txt"}));  // no temporary left

  const TSearchSaveOutcome missing = SaveSearchFiles(Path("no/such/dir/y.txt"), out.summary, state, kAllChecked, true);
  EXPECT_TRUE(missing.written.empty());
  EXPECT_NE(missing.error.find("No such file or directory"), std::string::npos) << missing.error;
}

TEST_F(SearchFilesTest, ReplacesAnExistingFile) {
  TSearchState state;
  const TSearchOutcome out = Search(state, "7", "7");
  { std::ofstream(Path("o.txt [Part 1].txt")) << "an older and much longer content\n"; }
  SaveSearchFiles(Path("o.txt"), out.summary, state, {false, true, false, false, false, false}, false);
  EXPECT_EQ(Content(Path("o.txt [Part 1].txt")), "7\r\nCreated by Calvenna\r\n");
}

}  // namespace
