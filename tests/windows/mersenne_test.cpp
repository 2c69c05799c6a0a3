// The Mersenne tester, the certificate window and its file.
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableView>

#include <sys/resource.h>

#include <csignal>

#include "ProgramFixture.h"
#include "numbers/mersenne/LucasLehmer.h"
#include "tools/Certificate.h"
#include "windows/CertifUnit.h"
#include "windows/MainUnit.h"
#include "windows/OptionsUnit.h"
#include "windows/WidgetHelpers.h"

namespace {

class MersenneTest : public ProgramFixture {
protected:
  MersenneTest() { KeepFilesInTemp(); }
  // Every activation of the main window points the program's folder back
  // at the executable's; the files of a run go to the temporary one.
  void KeepFilesInTemp() { Main().ProgramDir = dir_.path() + '/'; }
  TMainForm& Main() { return *W().MainForm; }
  TCertifForm& Certif() { return *W().CertifForm; }
  TOptionsForm& Options() { return *W().OptionsForm; }
  void Test(const QString& p) {
    SetTextBeyondLimit(Main().ComboBox1->lineEdit(), 5, p);
    Activate(&Main());
    KeepFilesInTemp();
    Click(Main().Button1);
  }
  // Ctrl+F from the main window shows or hides the certificate.
  void ToggleCertificate() {
    Activate(&Main());
    Click(Main().NumberEdit);
    KeepFilesInTemp();
    Press(Qt::Key_F, Qt::ControlModifier);
  }
  // The certificate window's save button; the window shown first if the
  // last test hid it, as a person would.
  void SaveCertificate() {
    if (!Certif().isVisible()) ToggleCertificate();
    Activate(&Certif());
    Click(Certif().BitBtn1);
  }
  QString LastLine() { return Main().RichEdit1->toPlainText().split('\n').last(); }
  QStringList Rows() {
    QStringList rows;
    for (qint64 r = 0; r < Certif().RowCount(); ++r) rows << Certif().Key(r) + '=' + Certif().Value(r);
    return rows;
  }
  QByteArray FileOf(const QString& name) {
    QFile f(dir_.filePath("Certificates/" + name));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
  }
};

TEST_F(MersenneTest, OneHundredTwentySevenWithItsCertificate) {
  Test("127");
  EXPECT_EQ(LastLine(), "127th Mersenne number is Prime");
  EXPECT_EQ(ItemTexts(Main().ComboBox1), QStringList{"127"});
  EXPECT_EQ(Main().TestedCount, 1);
  EXPECT_EQ(Main().LastTested, "127th Mersenne number");
  EXPECT_EQ(Main().StatusText(0), "#s Tested today: 1");
  EXPECT_TRUE(Main().StatusText(1).startsWith("Completed in "));
  const QStringList notebook = Options().NoteEdit->toPlainText().split('\n');
  ASSERT_EQ(notebook.size(), 7);
  EXPECT_EQ(notebook[0], "Date & time: 11/12/2026 10:20:30");
  EXPECT_EQ(notebook[1], "Tested Number: The 127th number of Mersenne");
  EXPECT_EQ(notebook[3], "Results: Prime");
  EXPECT_EQ(notebook[4], "The Certificate was created.");
  EXPECT_EQ(notebook[5], "Comments: ");
  EXPECT_EQ(Certif().RowCount(), 125);
  EXPECT_EQ(Certif().Key(124), "127");
  EXPECT_EQ(Certif().Value(124), "0");
  EXPECT_TRUE(Certif().isVisible());
  EXPECT_EQ(platform_.busyDepth, 0);
  EXPECT_TRUE(platform_.shown.isEmpty());
}

TEST_F(MersenneTest, SmallAndOddExponents) {
  struct Case {
    const char* text;
    const char* line;
    qint64 rows;
  };
  const Case cases[] = {
      {"2", "2th Mersenne number is Prime", 0},       {"3", "3th Mersenne number is Prime", 1},
      {"11", "11th Mersenne number is Composite", 9}, {"0", "0th Mersenne number is Composite", 0},
      {"-5", "-5th Mersenne number is Composite", 0}, {"07", "07th Mersenne number is Prime", 5},
  };
  for (const Case& c : cases) {
    Test(c.text);
    EXPECT_EQ(LastLine(), c.line);
    EXPECT_EQ(Certif().RowCount(), c.rows) << c.text;
    EXPECT_EQ(Main().LastTested, QString(c.text) + "th Mersenne number");
  }
  EXPECT_EQ(Rows().mid(0, 1), QStringList{"3=14"});  // 07's rows
  EXPECT_EQ(ItemTexts(Main().ComboBox1), (QStringList{"2", "3", "11", "0", "-5", "07"}));
  EXPECT_EQ(Main().TestedCount, 6);
  Test("11");
  EXPECT_EQ(ItemTexts(Main().ComboBox1).size(), 6);
}

TEST_F(MersenneTest, RefusedTextsChangeNothing) {
  Test("100000");
  EXPECT_EQ(platform_.Texts(FakePlatform::Kind::Message), QStringList{"Please, note that p may not exceed 99999."});
  Test("");
  Test("1x");
  EXPECT_EQ(platform_.Texts(FakePlatform::Kind::Error),
            (QStringList{"'' is not a valid integer value.", "'1x' is not a valid integer value."}));
  EXPECT_TRUE(Main().RichEdit1->toPlainText().isEmpty());
  EXPECT_TRUE(ItemTexts(Main().ComboBox1).isEmpty());
  EXPECT_EQ(Main().TestedCount, 0);
  EXPECT_EQ(Main().LastTested, "0");
  EXPECT_EQ(platform_.busyCount, 0);
  EXPECT_FALSE(Certif().isVisible());
}

TEST_F(MersenneTest, CertifiedTestsToggleTheWindowAndAPlainOneKeepsTheRows) {
  Test("5");
  EXPECT_TRUE(Certif().isVisible());
  Test("7");
  EXPECT_FALSE(Certif().isVisible());
  Main().certifgen->setChecked(false);
  Test("13");
  EXPECT_FALSE(Certif().isVisible());
  EXPECT_EQ(Rows(), (QStringList{"3=14", "4=67", "5=42", "6=111", "7=0"}));
  EXPECT_EQ(Options().NoteEdit->toPlainText().split('\n')[4], "Certificate was not created.");
  ToggleCertificate();
  EXPECT_TRUE(Certif().isVisible());
  ToggleCertificate();
  EXPECT_FALSE(Certif().isVisible());
}

TEST_F(MersenneTest, ACancelledTestChangesNoRecord) {
  Test("7");
  const QString panel = Main().RichEdit1->toPlainText();
  const QString notebook = Options().NoteEdit->toPlainText();
  platform_.cancelNextWork = true;
  Test("89");
  EXPECT_EQ(Main().RichEdit1->toPlainText(), panel);
  EXPECT_EQ(Options().NoteEdit->toPlainText(), notebook);
  EXPECT_EQ(ItemTexts(Main().ComboBox1), QStringList{"7"});
  EXPECT_EQ(Main().TestedCount, 1);
  EXPECT_EQ(Certif().RowCount(), 5) << "the old certificate stays";
  EXPECT_EQ(platform_.busyDepth, 0);
  EXPECT_TRUE(platform_.Texts(FakePlatform::Kind::Error).isEmpty());
  EXPECT_EQ(Main().LastTested, "7th Mersenne number") << "nothing was tested";
  EXPECT_EQ(Main().StatusText(1), "Test cancelled.");

  Main().certifgen->setChecked(false);
  platform_.cancelNextWork = true;
  Test("61");
  EXPECT_EQ(Main().TestedCount, 1);
  EXPECT_EQ(ItemTexts(Main().ComboBox1), QStringList{"7"});
}

TEST_F(MersenneTest, TheCertificateOfSevenSavedByteForByteAndOnlyOnce) {
  Test("7");
  SaveCertificate();
  EXPECT_EQ(FileOf("Mersenne7 certificate.txt"), QByteArray("3=14\r\n4=67\r\n5=42\r\n6=111\r\n7=0\r\n"));
  EXPECT_TRUE(platform_.shown.isEmpty());
  SaveCertificate();
  const QString path = QDir::toNativeSeparators(dir_.filePath("Certificates/Mersenne7 certificate.txt"));
  EXPECT_EQ(platform_.Texts(FakePlatform::Kind::Message), QStringList{"The " + path + " already exists !"});
  EXPECT_EQ(platform_.busyDepth, 0);

  Test("2");
  SaveCertificate();
  EXPECT_EQ(FileOf("Mersenne2 certificate.txt"), QByteArray());
}

TEST_F(MersenneTest, AnEditedCellIsSavedAsEdited) {
  Test("13");
  Certif().SetValue(2, "999");
  EXPECT_EQ(Certif().Value(2), "999");
  QAbstractItemModel* model = Certif().ValueList->model();
  EXPECT_EQ(model->data(model->index(2, 1)).toString(), "999");
  EXPECT_FALSE(model->flags(model->index(2, 0)) & Qt::ItemIsEditable);
  EXPECT_TRUE(model->flags(model->index(2, 1)) & Qt::ItemIsEditable);
  SaveCertificate();
  TCertificateRows plain;
  LucasLehmerCertified(13, plain);
  plain.Rows[2].second = "999";
  QByteArray expected;
  for (const auto& [k, v] : plain.Rows) expected += QByteArray::fromStdString(k + "=" + v + "\r\n");
  EXPECT_EQ(FileOf("Mersenne13 certificate.txt"), expected);
}

TEST_F(MersenneTest, ADirectoryThatCannotBeMade) {
  QFile blocker(dir_.filePath("Certificates"));
  ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
  blocker.close();
  Test("5");
  SaveCertificate();
  EXPECT_EQ(platform_.Texts(FakePlatform::Kind::Message), QStringList{"Unable to create that directory !"});
}

// A disk that fills during the save (here a size limit of the process):
// the save button reports the file's failure, leaves no file behind, and
// a later save once there is room writes the whole certificate.
TEST_F(MersenneTest, ASaveThatCannotWriteReportsItAndLeavesNoFile) {
  Test("1279");
  ASSERT_TRUE(Certif().isVisible());
  rlimit saved{};
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
  const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
  rlimit small = saved;
  small.rlim_cur = 64 * 1024;  // the file is about 500 kB
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
  Activate(&Certif());
  Click(Certif().BitBtn1);
  setrlimit(RLIMIT_FSIZE, &saved);
  std::signal(SIGXFSZ, oldHandler);

  const QString path = QDir::toNativeSeparators(dir_.filePath("Certificates/Mersenne1279 certificate.txt"));
  const QStringList errors = platform_.Texts(FakePlatform::Kind::Error);
  ASSERT_EQ(errors.size(), 1);
  EXPECT_TRUE(errors[0].startsWith("Cannot create file \"" + path + "\". ")) << errors[0].toStdString();
  EXPECT_EQ(platform_.busyDepth, 0);
  EXPECT_EQ(QDir(dir_.filePath("Certificates")).entryList(QDir::Files), QStringList());

  Click(Certif().BitBtn1);
  EXPECT_EQ(platform_.Texts(FakePlatform::Kind::Error).size(), 1);
  TCertificateRows plain;
  LucasLehmerCertified(1279, plain);
  QByteArray expected;
  for (const auto& [k, v] : plain.Rows) expected += QByteArray::fromStdString(k + "=" + v + "\r\n");
  EXPECT_TRUE(FileOf("Mersenne1279 certificate.txt") == expected);
}

TEST_F(MersenneTest, TheGridShowsItsTitlesAndSizes) {
  TCertifForm& c = Certif();
  EXPECT_EQ(c.windowTitle(), "Certificate");
  QAbstractItemModel* model = c.ValueList->model();
  EXPECT_EQ(model->headerData(0, Qt::Horizontal).toString(), "a=");
  EXPECT_EQ(model->headerData(1, Qt::Horizontal).toString(), "s=");
  Test("61");
  EXPECT_EQ(model->rowCount(), 59);
  EXPECT_EQ(c.ValueList->columnWidth(0), 35);
  EXPECT_EQ(c.ValueList->columnWidth(1), 108);
  EXPECT_EQ(c.ValueList->rowHeight(10), 15);
  EXPECT_EQ(c.BitBtn1->toolTip(), "Save the current certificate into a file on the hard drive");
}

}  // namespace
