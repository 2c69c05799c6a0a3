// "Pro&ve primality..." of the main window and its outcome window, over a
// FakePlatform: the verdict, the certificate saved through the file dialog,
// bad input, and a cancelled proof.
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include "ProgramFixture.h"
#include "numbers/ecpp/EcppVerify.h"
#include "windows/MainUnit.h"
#include "windows/ProveUnit.h"

namespace {

const QString kM127 = QStringLiteral("170141183460469231731687303715884105727");

class ProveWindowTest : public ProgramFixture {
protected:
  TMainForm& Main() { return *W().MainForm; }

  // Types text into the number field as a user does, then picks the item.
  TProveForm* Prove(const QString& text) {
    Activate(&Main());
    Click(Main().NumberEdit);
    Press(Qt::Key_A, Qt::ControlModifier);
    Press(Qt::Key_Delete);
    Type(text);
    Choose(Qt::Key_T, Qt::Key_V);
    const auto forms = Main().findChildren<TProveForm*>();
    return forms.isEmpty() ? nullptr : forms.last();
  }

  static bool Verifies(const QString& text) {
    ecpp::TCertificate c;
    std::string error;
    return ecpp::ParseCertificate(text.toStdString(), c, error) && ecpp::VerifyCertificate(c).valid;
  }
};

TEST_F(ProveWindowTest, TheItemSitsInTheToolsMenu) {
  QAction* a = Main().findChild<QAction*>(QStringLiteral("Prove1"));
  ASSERT_NE(a, nullptr);
  EXPECT_EQ(a->text(), "Pro&ve primality...");
  EXPECT_TRUE(a->shortcut().isEmpty());
  QMenu* tools = nullptr;
  for (QAction* m : Main().menuBar()->actions())
    if (m->text() == "&Tools") tools = m->menu();
  ASSERT_NE(tools, nullptr);
  EXPECT_TRUE(tools->actions().contains(a));
}

TEST_F(ProveWindowTest, ProvenPrimeShowsACertificateToSave) {
  TProveForm* form = Prove(kM127);
  ASSERT_NE(form, nullptr);
  EXPECT_TRUE(form->isVisible());
  EXPECT_EQ(platform_.longWorkTitles, QStringList{"Prove primality"});
  EXPECT_EQ(form->Verdict->text(), kM127 + " proven prime");
  EXPECT_TRUE(Verifies(form->Certificate->toPlainText()));
  ASSERT_TRUE(form->SaveButton->isEnabled());

  const QString path = TempPath(QStringLiteral("m127.gp"));
  platform_.saveAnswers.push_back(path);
  Click(form->SaveButton);
  ASSERT_EQ(platform_.saveRequests.size(), 1);
  EXPECT_EQ(platform_.saveRequests[0].first, "Save the certificate");
  QFile saved(path);
  ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
  EXPECT_TRUE(Verifies(QString::fromLatin1(saved.readAll())));
  EXPECT_TRUE(platform_.Texts(FakePlatform::Kind::Error).isEmpty());

  // Cancelling the file dialog writes nothing and says nothing.
  Click(form->SaveButton);
  EXPECT_EQ(platform_.saveRequests.size(), 2);
  EXPECT_TRUE(platform_.shown.isEmpty());
}

TEST_F(ProveWindowTest, CompositeHasNothingToSave) {
  TProveForm* form = Prove(QStringLiteral("3215031751"));
  ASSERT_NE(form, nullptr);
  EXPECT_EQ(form->Verdict->text(), "3215031751 composite (base 11)");
  EXPECT_FALSE(form->SaveButton->isEnabled());
}

TEST_F(ProveWindowTest, BadInputIsAnErrorAndNoWindow) {
  const struct {
    const char* typed;
    const char* error;
  } cases[] = {
      {"12a", "'12a' is not a valid integer value."},
      {"", "'' is not a valid integer value."},
      {"1", "The number must be at least 2, not 1."},
  };
  for (const auto& c : cases) {
    platform_.ClearRecords();
    EXPECT_EQ(Prove(QString::fromLatin1(c.typed)), nullptr) << c.typed;
    EXPECT_EQ(platform_.Texts(FakePlatform::Kind::Error), QStringList{QString::fromLatin1(c.error)}) << c.typed;
  }
}

TEST_F(ProveWindowTest, CancelledProofShowsNothing) {
  platform_.cancelNextWork = true;
  EXPECT_EQ(Prove(kM127), nullptr);
  EXPECT_TRUE(platform_.shown.isEmpty());
}

TEST_F(ProveWindowTest, UnwritableTargetIsReportedAndLeavesNoFile) {
  TProveForm* form = Prove(kM127);
  ASSERT_NE(form, nullptr);
  const QString path = TempPath(QStringLiteral("no-such-folder/c.gp"));
  platform_.saveAnswers.push_back(path);
  Click(form->SaveButton);
  EXPECT_EQ(platform_.Texts(FakePlatform::Kind::Error).size(), 1);
  EXPECT_FALSE(QFile::exists(path));
}

}  // namespace
