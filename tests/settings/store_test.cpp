// The settings store over an INI file of its own: types, absent values,
// wrong-typed values and stores that cannot be read or written.
#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "QStringPrint.h"

#include "settings/SettingsStore.h"

namespace {

class StoreTest : public testing::Test {
protected:
  void SetUp() override { ASSERT_TRUE(dir_.isValid()); }

  QString File() const { return dir_.filePath(QStringLiteral("Calvenna 4.conf")); }
  SettingsStore::ErrorReport Recorder() {
    return [this](const QString& m) { reports_ << m; };
  }
  void WriteRaw(const QByteArray& text) {
    QFile f(File());
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(text);
  }

  QTemporaryDir dir_;
  QStringList reports_;
};

TEST_F(StoreTest, ValuesRoundTripAndBooleansAreStoredAsOneAndZero) {
  {
    SettingsStore store(File(), Recorder());
    EXPECT_FALSE(store.KeyExists());
    EXPECT_FALSE(store.OpenKey(false));
    ASSERT_TRUE(store.OpenKey(true));
    store.WriteBool(QStringLiteral("AutoClear"), true);
    store.WriteBool(QStringLiteral("MainRef"), false);
    store.WriteInteger(QStringLiteral("MainPositionTop"), 107);
    store.WriteInteger(QStringLiteral("MainPositionLeft"), -1200);
    store.WriteString(QStringLiteral("Message1"), QStringLiteral("Prime, as \"promised\" = ünïcode"));
    store.WriteString(QStringLiteral("Message2"), QString());
    store.CloseKey();
  }

  // Read back raw: the integers the registry would hold.
  QSettings raw(File(), QSettings::IniFormat);
  EXPECT_EQ(raw.value(QStringLiteral("Setup/AutoClear")).toString(), QStringLiteral("1"));
  EXPECT_EQ(raw.value(QStringLiteral("Setup/MainRef")).toString(), QStringLiteral("0"));

  SettingsStore store(File(), Recorder());
  EXPECT_TRUE(store.KeyExists());
  ASSERT_TRUE(store.OpenKey(false));
  bool b = false;
  EXPECT_TRUE(store.ReadBool(QStringLiteral("AutoClear"), b));
  EXPECT_TRUE(b);
  EXPECT_TRUE(store.ReadBool(QStringLiteral("MainRef"), b));
  EXPECT_FALSE(b);
  int i = 0;
  EXPECT_TRUE(store.ReadInteger(QStringLiteral("MainPositionTop"), i));
  EXPECT_EQ(i, 107);
  EXPECT_TRUE(store.ReadInteger(QStringLiteral("MainPositionLeft"), i));
  EXPECT_EQ(i, -1200);
  QString s;
  EXPECT_TRUE(store.ReadString(QStringLiteral("Message1"), s));
  EXPECT_EQ(s, QStringLiteral("Prime, as \"promised\" = ünïcode"));
  s = QStringLiteral("default");
  EXPECT_TRUE(store.ReadString(QStringLiteral("Message2"), s));
  EXPECT_EQ(s, QString());
  store.CloseKey();
  EXPECT_TRUE(reports_.isEmpty()) << reports_.join('\n').toStdString();
}

TEST_F(StoreTest, AbsentValuesLeaveTheDefaults) {
  WriteRaw("[Setup]\nWarn=0\n[Other]\nWWidth=5\n");
  SettingsStore store(File(), Recorder());
  ASSERT_TRUE(store.OpenKey(false));
  EXPECT_TRUE(store.ValueExists(QStringLiteral("Warn")));
  EXPECT_FALSE(store.ValueExists(QStringLiteral("WWidth")));  // in another group
  int width = 218;
  EXPECT_FALSE(store.ReadInteger(QStringLiteral("WWidth"), width));
  EXPECT_EQ(width, 218);
  bool me = true;
  EXPECT_FALSE(store.ReadBool(QStringLiteral("ME"), me));
  EXPECT_TRUE(me);
  QString text = QStringLiteral("This is composite");
  EXPECT_FALSE(store.ReadString(QStringLiteral("Message2"), text));
  EXPECT_EQ(text, QStringLiteral("This is composite"));
  EXPECT_TRUE(reports_.isEmpty());
}

TEST_F(StoreTest, StoredTextsReadAsBooleansAndIntegers) {
  WriteRaw(
      "[Setup]\nA=1\nB=0\nC=7\nD=true\nE=FALSE\nF= 1 \nG=-3\n"
      "I1=2147483647\nI2=-2147483648\nI3=  42\n"
      "S1=a, b\nS2=\"  kept  \"\n");
  SettingsStore store(File(), Recorder());
  ASSERT_TRUE(store.OpenKey(false));
  const std::pair<const char*, bool> bools[] = {{"A", true}, {"B", false}, {"C", true}, {"D", true},
                                                {"E", false}, {"F", true},  {"G", true}};
  for (auto [name, expected] : bools) {
    bool v = !expected;
    EXPECT_TRUE(store.ReadBool(QString::fromLatin1(name), v)) << name;
    EXPECT_EQ(v, expected) << name;
  }
  const std::pair<const char*, int> ints[] = {{"I1", 2147483647}, {"I2", -2147483647 - 1}, {"I3", 42}};
  for (auto [name, expected] : ints) {
    int v = 0;
    EXPECT_TRUE(store.ReadInteger(QString::fromLatin1(name), v)) << name;
    EXPECT_EQ(v, expected) << name;
  }
  QString s;
  EXPECT_TRUE(store.ReadString(QStringLiteral("S1"), s));  // unquoted commas, as typed by hand
  EXPECT_EQ(s, QStringLiteral("a, b"));
  EXPECT_TRUE(store.ReadString(QStringLiteral("S2"), s));
  EXPECT_EQ(s, QStringLiteral("  kept  "));
  EXPECT_TRUE(reports_.isEmpty()) << reports_.join('\n').toStdString();
}

TEST_F(StoreTest, AWrongTypedValueIsReportedOnceAndIgnored) {
  WriteRaw("[Setup]\nWWidth=abc\nWHeight=2147483648\nMainPositionTop=1.5\nCertif=maybe\nWarn=0\n");
  SettingsStore store(File(), Recorder());
  ASSERT_TRUE(store.OpenKey(false));
  for (int pass = 0; pass < 2; ++pass) {
    int width = 218, height = 250, top = 107;
    EXPECT_FALSE(store.ReadInteger(QStringLiteral("WWidth"), width));
    EXPECT_FALSE(store.ReadInteger(QStringLiteral("WHeight"), height));  // beyond 32 bits
    EXPECT_FALSE(store.ReadInteger(QStringLiteral("MainPositionTop"), top));
    EXPECT_EQ(width, 218);
    EXPECT_EQ(height, 250);
    EXPECT_EQ(top, 107);
    bool certif = true;
    EXPECT_FALSE(store.ReadBool(QStringLiteral("Certif"), certif));
    EXPECT_TRUE(certif);
    bool warn = true;  // a sound neighbour still reads
    EXPECT_TRUE(store.ReadBool(QStringLiteral("Warn"), warn));
    EXPECT_FALSE(warn);
  }
  ASSERT_EQ(reports_.size(), 4) << reports_.join('\n').toStdString();
  EXPECT_TRUE(reports_[0].contains(QStringLiteral("\"WWidth\""))) << reports_[0].toStdString();
  EXPECT_TRUE(reports_[0].contains(QStringLiteral("\"abc\"")));
  EXPECT_TRUE(reports_[1].contains(QStringLiteral("\"WHeight\"")));
  EXPECT_TRUE(reports_[2].contains(QStringLiteral("\"MainPositionTop\"")));
  EXPECT_TRUE(reports_[3].contains(QStringLiteral("\"Certif\"")));
}

TEST_F(StoreTest, AStoreThatCannotBeWrittenIsReportedOnce) {
  // A plain file where the store's folder should be: no one, not even root,
  // can create the store below it.
  QFile blocker(dir_.filePath(QStringLiteral("Orvane")));
  ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
  blocker.close();
  SettingsStore store(dir_.filePath(QStringLiteral("Orvane/Calvenna 4.conf")), Recorder());
  ASSERT_TRUE(store.OpenKey(true));
  store.WriteBool(QStringLiteral("AutoClear"), true);
  store.WriteInteger(QStringLiteral("MainPositionTop"), 10);
  store.CloseKey();
  ASSERT_EQ(reports_.size(), 1);
  EXPECT_TRUE(reports_[0].contains(QStringLiteral("\"AutoClear\", \"MainPositionTop\""))) << reports_[0].toStdString();

  ASSERT_TRUE(store.OpenKey(true));
  store.WriteBool(QStringLiteral("Certif"), true);
  store.CloseKey();
  store.Flush();
  EXPECT_EQ(reports_.size(), 1);
}

TEST_F(StoreTest, AStoreThatCannotBeReadIsReportedOnceAndGivesDefaults) {
  ASSERT_TRUE(QDir().mkpath(File()));  // a folder where the file should be
  SettingsStore store(File(), Recorder());
  EXPECT_FALSE(store.KeyExists());
  EXPECT_FALSE(store.OpenKey(false));
  int width = 218;
  EXPECT_FALSE(store.ReadInteger(QStringLiteral("WWidth"), width));
  EXPECT_EQ(width, 218);
  ASSERT_TRUE(store.OpenKey(true));
  store.WriteInteger(QStringLiteral("WWidth"), 300);
  store.CloseKey();
  EXPECT_EQ(reports_.size(), 1) << reports_.join('\n').toStdString();
}

TEST_F(StoreTest, TheUsersStoreLivesInOrvaneCalvenna4) {
  // The native user store, redirected into the temporary folder.
  QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir_.path());
  {
    SettingsStore store(Recorder());
    ASSERT_TRUE(store.OpenKey(true));
    store.WriteInteger(QStringLiteral("WHeight"), 250);
    store.CloseKey();
  }
  QSettings raw(dir_.filePath(QStringLiteral("Orvane/Calvenna 4.conf")), QSettings::IniFormat);
  EXPECT_EQ(raw.value(QStringLiteral("Setup/WHeight")).toString(), QStringLiteral("250"));
  EXPECT_TRUE(reports_.isEmpty());
}

}  // namespace
