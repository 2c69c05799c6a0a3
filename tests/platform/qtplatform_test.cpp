// The Qt platform over real widgets, driven headless: message boxes and
// file dialogs are answered from the event loop that shows them.
#include <QCursor>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "QStringPrint.h"

#include "ModalDriver.h"
#include "platform/QtPlatform.h"
#include "tools/DateTimeText.h"

namespace {

struct Box {
  QString caption;
  QString text;
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  QList<QString> buttons;
};

TEST(QtPlatformMessages, PlainErrorAndQuestionBoxes) {
  QtPlatform platform;
  ModalDriver driver;
  Box seen;

  driver.OnModal<QMessageBox>([&seen](QMessageBox* box) {
    seen = {box->windowTitle(), box->text(), box->icon(), {}};
    for (QAbstractButton* b : box->buttons()) seen.buttons << b->text().remove('&');
    box->button(QMessageBox::Ok)->click();
  });
  platform.ShowMessage(QStringLiteral("The list is empty now, so you cannot print !"));
  ASSERT_TRUE(driver.Acted());
  EXPECT_EQ(seen.caption, QStringLiteral("Calvenna ! 5"));
  EXPECT_EQ(seen.text, QStringLiteral("The list is empty now, so you cannot print !"));
  EXPECT_EQ(seen.icon, QMessageBox::NoIcon);
  EXPECT_EQ(seen.buttons, QList<QString>{QStringLiteral("OK")});

  driver.OnModal<QMessageBox>([&seen](QMessageBox* box) {
    seen = {box->windowTitle(), box->text(), box->icon(), {}};
    box->button(QMessageBox::Ok)->click();
  });
  platform.ShowError(QStringLiteral("'12a' is not a valid integer value"));
  ASSERT_TRUE(driver.Acted());
  EXPECT_EQ(seen.caption, QStringLiteral("Calvenna ! 5"));
  EXPECT_EQ(seen.text, QStringLiteral("'12a' is not a valid integer value."));
  EXPECT_EQ(seen.icon, QMessageBox::Critical);
}

TEST(QtPlatformMessages, QuestionIsYesOrNo) {
  QtPlatform platform;
  ModalDriver driver;
  for (auto [press, expected] : {std::pair{QMessageBox::Yes, true}, std::pair{QMessageBox::No, false}}) {
    Box seen;
    driver.OnModal<QMessageBox>([&seen, press = press](QMessageBox* box) {
      seen = {box->windowTitle(), box->text(), box->icon(), {}};
      for (QAbstractButton* b : box->buttons()) seen.buttons << b->text().remove('&');
      box->button(press)->click();
    });
    const bool answer =
        platform.AskYesNo(QStringLiteral("Exit ?"), QStringLiteral("Are you sure you want to close this application ?"));
    ASSERT_TRUE(driver.Acted());
    EXPECT_EQ(answer, expected);
    EXPECT_EQ(seen.caption, QStringLiteral("Exit ?"));
    EXPECT_EQ(seen.icon, QMessageBox::Question);
    seen.buttons.sort();
    EXPECT_EQ(seen.buttons, (QList<QString>{QStringLiteral("No"), QStringLiteral("Yes")}));
  }

  // Escape (or the close box) is a No, never a silent Yes.
  driver.OnModal<QMessageBox>([](QMessageBox* box) { box->reject(); });
  EXPECT_FALSE(platform.AskYesNo(QStringLiteral("Exit ?"), QStringLiteral("Sure ?")));
}

// Types a name into the file dialog and accepts it, as a user would.
void TypeName(ModalDriver& driver, const QString& name, QString* proposed = nullptr) {
  driver.OnModal<QFileDialog>([name, proposed](QFileDialog* dialog) {
    auto* edit = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    ASSERT_NE(edit, nullptr);
    if (proposed) *proposed = edit->text();
    edit->setText(name);
    static_cast<QDialog*>(dialog)->accept();  // as the Save or Open button does
  });
}

TEST(QtPlatformFiles, SaveAddsTheDefaultExtensionOnlyToANameWithout) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  QtPlatform platform;
  ModalDriver driver;
  const QString filter = QStringLiteral("text files (*.txt)");

  QString proposed;
  TypeName(driver, dir.filePath(QStringLiteral("primes")), &proposed);
  EXPECT_EQ(platform.SaveFileName(QStringLiteral("Save the found prime numbers..."), QStringLiteral("prime numbers"),
                                  filter, QStringLiteral("txt")),
            dir.filePath(QStringLiteral("primes.txt")));
  EXPECT_EQ(proposed, QStringLiteral("prime numbers"));

  TypeName(driver, dir.filePath(QStringLiteral("primes.list")));
  EXPECT_EQ(platform.SaveFileName(QStringLiteral("Save"), QString(), filter, QStringLiteral("txt")),
            dir.filePath(QStringLiteral("primes.list")));

  driver.OnModal<QFileDialog>([](QFileDialog* dialog) { dialog->reject(); });
  EXPECT_TRUE(platform.SaveFileName(QStringLiteral("Save"), QStringLiteral("x"), filter, QStringLiteral("txt")).isEmpty());
}

TEST(QtPlatformFiles, SavingOverAnExistingFileAsksFirst) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  QFile existing(dir.filePath(QStringLiteral("prime numbers.txt")));
  ASSERT_TRUE(existing.open(QIODevice::WriteOnly));
  existing.close();
  QtPlatform platform;
  for (auto [press, expected] : {std::pair{QMessageBox::No, QString()},
                                 std::pair{QMessageBox::Yes, existing.fileName()}}) {
    ModalDriver fileDialog, question;
    bool asked = false;
    question.OnModal<QMessageBox>([&asked, press = press](QMessageBox* box) {
      asked = true;
      box->button(press)->click();
    });
    // No: the dialog stays open for another name; the user then cancels.
    fileDialog.OnModal<QFileDialog>([&](QFileDialog* dialog) {
      dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->setText(existing.fileName());
      static_cast<QDialog*>(dialog)->accept();
      if (dialog->isVisible()) dialog->reject();
    });
    EXPECT_EQ(platform.SaveFileName(QStringLiteral("Save"), QString(), QStringLiteral("text files (*.txt)"),
                                    QStringLiteral("txt")),
              expected);
    EXPECT_TRUE(asked);
  }
}

TEST(QtPlatformFiles, OpenReturnsAnExistingFileOrNothing) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  QFile file(dir.filePath(QStringLiteral("divisors.txt")));
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.close();
  QtPlatform platform;
  ModalDriver driver;
  QString title;
  driver.OnModal<QFileDialog>([&title, &file](QFileDialog* dialog) {
    title = dialog->windowTitle();
    dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->setText(file.fileName());
    static_cast<QDialog*>(dialog)->accept();  // as the Save or Open button does
  });
  EXPECT_EQ(platform.OpenFileName(QStringLiteral("Open a list"), QStringLiteral("text files (*.txt)"),
                                  QStringLiteral("txt")),
            file.fileName());
  EXPECT_EQ(title, QStringLiteral("Open a list"));

  driver.OnModal<QFileDialog>([](QFileDialog* dialog) { dialog->reject(); });
  EXPECT_TRUE(platform.OpenFileName(QStringLiteral("Open"), QString(), QString()).isEmpty());
}

TEST(QtPlatformShell, MissingDocumentsAndProgramsAreReportedAsNotFound) {
  QtPlatform platform;
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  EXPECT_FALSE(platform.OpenDocument(dir.filePath(QStringLiteral("help.chm"))));
  EXPECT_FALSE(platform.StartProgram(QStringLiteral("calvenna-no-such-program")));
  EXPECT_FALSE(platform.StartProgram(dir.filePath(QStringLiteral("calc.exe"))));
  EXPECT_FALSE(platform.StartProgram(QString()));

  // A file that exists but is no program does not start either.
  QFile text(dir.filePath(QStringLiteral("notes.txt")));
  ASSERT_TRUE(text.open(QIODevice::WriteOnly));
  text.close();
  EXPECT_FALSE(platform.StartProgram(text.fileName()));

  EXPECT_TRUE(platform.StartProgram(QStringLiteral("true")));  // found on the PATH
}

TEST(QtPlatformMisc, ClipboardAndNestedBusyCursor) {
  QtPlatform platform;
  platform.SetClipboardText(QStringLiteral("1000000007"));
  EXPECT_EQ(platform.ClipboardText(), QStringLiteral("1000000007"));

  ASSERT_EQ(QApplication::overrideCursor(), nullptr);
  platform.BeginBusyCursor();
  platform.BeginBusyCursor();
  ASSERT_NE(QApplication::overrideCursor(), nullptr);
  EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
  platform.EndBusyCursor();
  EXPECT_NE(QApplication::overrideCursor(), nullptr);
  platform.EndBusyCursor();
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

// The windows' reports and the command line print one text on one machine.
TEST(QtPlatformMisc, DatesAndTimesAreTheCommandLinesTexts) {
  QtPlatform platform;
  EXPECT_EQ(platform.ShortDate(QDate(2026, 12, 11)).toStdString(), ShortDateText(2026, 12, 11));
  EXPECT_EQ(platform.LongTime(QTime(14, 3, 27)).toStdString(), LongTimeText(14, 3, 27));
  EXPECT_EQ(platform.LongTime(QTime(0, 0, 2)).toStdString(), LongTimeText(2));
}

}  // namespace
