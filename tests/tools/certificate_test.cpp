#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "numbers/mersenne/LucasLehmer.h"
#include "tools/Certificate.h"
#include "tools/TextFile.h"

namespace {

std::vector<std::pair<std::string, std::string>> AllRows(const TCertificate& c) {
  std::vector<std::pair<std::string, std::string>> rows;
  c.ForEachRow([&](const std::string& k, const std::string& v) { rows.emplace_back(k, v); });
  return rows;
}

TEST(Certificate, SevenGivesTheFiveKnownRows) {
  const TCertificate c = TCertificate::Run(7);
  EXPECT_TRUE(c.Prime());
  const std::vector<std::pair<std::string, std::string>> expected = {
      {"3", "14"}, {"4", "67"}, {"5", "42"}, {"6", "111"}, {"7", "0"}};
  EXPECT_EQ(AllRows(c), expected);
  std::string file;
  c.ForEachRow([&](const std::string& k, const std::string& v) { file += CertificateLine(k, v); });
  EXPECT_EQ(file, "3=14\r\n4=67\r\n5=42\r\n6=111\r\n7=0\r\n");
}

TEST(Certificate, SmallExponentsHaveNoRows) {
  struct Case {
    int p;
    bool prime;
    std::int64_t rows;
  };
  const Case cases[] = {{2, true, 0}, {1, false, 0}, {0, false, 0}, {-5, false, 0},
                        {3, true, 1}, {4, false, 2}, {11, false, 9}};
  for (const Case& k : cases) {
    const TCertificate c = TCertificate::Run(k.p);
    EXPECT_EQ(c.Prime(), k.prime) << k.p;
    EXPECT_EQ(c.RowCount(), k.rows) << k.p;
    EXPECT_EQ(static_cast<std::int64_t>(AllRows(c).size()), k.rows) << k.p;
  }
  EXPECT_EQ(AllRows(TCertificate::Run(3)).at(0).second, "0");
  EXPECT_NE(AllRows(TCertificate::Run(11)).back().second, "0");
}

// Rows are produced from residues kept every few iterations; whatever the
// order they are asked in, they must be those of a plain computation.
TEST(Certificate, RowsOnDemandEqualThePlainRows) {
  const int p = 1279;
  TCertificateRows plain;
  ASSERT_TRUE(LucasLehmerCertified(p, plain));
  const TCertificate c = TCertificate::Run(p, nullptr, 16 * 1024);
  ASSERT_GT(c.Spacing(), 1);
  EXPECT_LE(c.MemoryBytes(), 16u * 1024 + 42 * 4 * 2);
  ASSERT_EQ(c.RowCount(), static_cast<std::int64_t>(plain.Rows.size()));
  EXPECT_TRUE(c.Prime());
  EXPECT_EQ(AllRows(c), plain.Rows);
  for (int threads : {1, 3}) {
    std::vector<std::pair<std::string, std::string>> rows;
    c.ForEachRow([&](const std::string& k, const std::string& v) { rows.emplace_back(k, v); }, nullptr, threads);
    EXPECT_EQ(rows, plain.Rows) << threads << " threads";
  }

  std::vector<std::int64_t> order(static_cast<std::size_t>(c.RowCount()));
  for (std::size_t i = 0; i < order.size(); ++i) order[i] = static_cast<std::int64_t>(i);
  std::mt19937 random(7);
  std::shuffle(order.begin(), order.end(), random);
  order.resize(300);
  // Backwards and forwards from one cursor, as a view scrolls.
  order.insert(order.end(), {1276, 1275, 0, 1, 13, 14, 15, 28});
  TCertificateCursor cursor;
  for (std::int64_t row : order) {
    const auto& want = plain.Rows[static_cast<std::size_t>(row)];
    EXPECT_EQ(TCertificate::Key(row), want.first);
    ASSERT_EQ(c.Value(row, cursor), want.second) << "row " << row;
  }
}

TEST(Certificate, AnEditedValueOverridesOnlyItsRow) {
  TCertificateRows plain;
  LucasLehmerCertified(521, plain);
  TCertificate c = TCertificate::Run(521, nullptr, 4096);
  c.SetValue(100, "12345");
  c.SetValue(101, "");
  c.SetValue(9999, "ignored");  // no such row
  EXPECT_TRUE(c.IsEdited(100));
  TCertificateCursor cursor;
  EXPECT_EQ(c.Value(100, cursor), "12345");
  EXPECT_EQ(c.ComputedValue(100, cursor), plain.Rows[100].second);
  plain.Rows[100].second = "12345";
  plain.Rows[101].second = "";
  EXPECT_EQ(AllRows(c), plain.Rows);
}

TEST(Certificate, ACancelledRunEndsWithECancelled) {
  TProgress progress;
  progress.Cancel();
  EXPECT_THROW(TCertificate::Run(1279, &progress), ECancelled);

  const TCertificate c = TCertificate::Run(1279);
  TProgress stop;
  int seen = 0;
  EXPECT_THROW(c.ForEachRow(
                   [&](const std::string&, const std::string&) {
                     if (++seen == 10) stop.Cancel();
                   },
                   &stop, 1),
               ECancelled);
  EXPECT_GE(seen, 10);
  EXPECT_LT(seen, 1277);
}

TEST(Certificate, ReportsTheIterations) {
  TProgress progress;
  const TCertificate c = TCertificate::Run(89, &progress);
  EXPECT_DOUBLE_EQ(progress.Fraction(), 1.0);
  EXPECT_EQ(progress.Text(), "Iteration 87 of 87");
}

namespace fs = std::filesystem;

// The file as the plain certified test gives it, row by row.
std::string PlainFile(int p) {
  TCertificateRows plain;
  LucasLehmerCertified(p, plain);
  std::string file;
  for (const auto& row : plain.Rows) file += CertificateLine(row.first, row.second);
  return file;
}

class CertificateFile : public ::testing::Test {
protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() / ("calvenna-certificate-" + std::to_string(::getpid()) + "-" +
                                        ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }
  std::string Path() const { return (dir_ / "Mersenne certificate.txt").string(); }
  static std::string Slurp(const std::string& p) {
    std::ifstream in(p, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
  }
  bool Empty() const { return fs::is_empty(dir_); }

  fs::path dir_;
};

// Written while the test runs, or saved afterwards, the file is the plain
// one byte for byte; on both sides of the transform's cut-over (578) and
// with one converter or several.
TEST_F(CertificateFile, WrittenFilesEqualThePlainFile) {
  for (int p : {2, 3, 4, 7, 11, 89, 521, 607, 1279}) {
    const std::string plain = PlainFile(p);
    for (int threads : {1, 3}) {
      SCOPED_TRACE("p " + std::to_string(p) + ", " + std::to_string(threads) + " converters");
      TAtomicFile running(Path());
      const TCertificate c = TCertificate::RunWritingFile(p, running, nullptr, threads, 4096);
      ASSERT_EQ(running.Commit(), "");
      EXPECT_EQ(Slurp(Path()), plain);
      EXPECT_EQ(c.Prime(), LucasLehmerTest(p));
      EXPECT_EQ(c.RowCount(), std::max(p - 2, 0));
      // What it kept serves the rows shown later.
      TCertificateCursor cursor;
      if (c.RowCount() > 0) {
        const std::int64_t last = c.RowCount() - 1;
        EXPECT_EQ(CertificateLine(TCertificate::Key(last), c.Value(last, cursor)),
                  plain.substr(plain.rfind('\n', plain.size() - 2) + 1));
      }
      TAtomicFile saved(Path());
      ASSERT_TRUE(c.WriteRows(saved, nullptr, threads));
      ASSERT_EQ(saved.Commit(), "");
      EXPECT_EQ(Slurp(Path()), plain);
    }
  }
}

TEST_F(CertificateFile, SavedFileHoldsTheEditedValues) {
  TCertificate c = TCertificate::Run(89);
  c.SetValue(0, "edited");
  c.SetValue(86, "");
  TAtomicFile file(Path());
  ASSERT_TRUE(c.WriteRows(file));
  ASSERT_EQ(file.Commit(), "");
  std::string want = PlainFile(89);
  want.replace(0, want.find('\r'), "3=edited");
  want.replace(want.rfind("89="), std::string::npos, "89=\r\n");
  EXPECT_EQ(Slurp(Path()), want);
}

// A stop asked for while the file is written ends the run at once, and the
// dropped file leaves nothing behind.
TEST_F(CertificateFile, CancelLeavesNoFile) {
  TProgress progress;
  std::thread watcher([&] {
    while (progress.Fraction() <= 0) std::this_thread::yield();
    progress.Cancel();
  });
  {
    TAtomicFile file(Path());
    EXPECT_THROW(TCertificate::RunWritingFile(9689, file, &progress), ECancelled);
    EXPECT_LT(progress.Fraction(), 1.0);
  }
  watcher.join();
  EXPECT_TRUE(Empty());

  const TCertificate c = TCertificate::Run(1279);
  TProgress stop;
  stop.Cancel();
  {
    TAtomicFile file(Path());
    EXPECT_THROW(c.WriteRows(file, &stop), ECancelled);
  }
  EXPECT_TRUE(Empty());
}

// A file that cannot grow (here a size limit of the process, as a full disk
// would do) is an error, reported with the file's failure text, not a
// certificate cut short.
TEST_F(CertificateFile, AWriteFailureIsAnError) {
  rlimit saved{};
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
  const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
  rlimit small = saved;
  small.rlim_cur = 256 * 1024;
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
  std::string running, saving;
  bool savedOk = true;
  {
    TAtomicFile file(Path());
    try {
      TCertificate::RunWritingFile(4423, file);
    } catch (const std::runtime_error& e) {
      running = e.what();
    }
  }
  const TCertificate c = TCertificate::Run(4423);
  {
    TAtomicFile file(Path());
    savedOk = c.WriteRows(file);
    saving = file.Failure();
  }
  setrlimit(RLIMIT_FSIZE, &saved);
  std::signal(SIGXFSZ, oldHandler);
  EXPECT_EQ(running.rfind("Cannot create file \"" + Path() + "\". ", 0), 0u) << running;
  EXPECT_FALSE(savedOk);
  EXPECT_EQ(saving.rfind("Cannot create file \"" + Path() + "\". ", 0), 0u) << saving;
  EXPECT_TRUE(Empty());
}

}  // namespace
