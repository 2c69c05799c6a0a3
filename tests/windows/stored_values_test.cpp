// The 24 stored values: what a first start stores is the settings table's
// design defaults, and every value survives a store and a new start.
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>

#include <map>

#include "ProgramFixture.h"
#include "settings/SettingsTable.h"
#include "windows/AnalyserUnit.h"
#include "windows/DivUnit.h"
#include "windows/MainUnit.h"
#include "windows/OptionsUnit.h"

namespace {

class StoredValuesTest : public ProgramFixture {
protected:
  // Every window writes what it stores, the way the program does it: the
  // main window on closing, the options window with "&OK", the tool
  // windows when hidden.
  // The tool windows read theirs when opened.
  void OpenTools() {
    for (Qt::Key key : {Qt::Key_S, Qt::Key_D}) {
      Activate(W().MainForm);
      Click(W().MainForm->NumberEdit);
      Press(key, Qt::ControlModifier);
    }
  }
  void StoreAll() {
    W().MainForm->FormClose();
    Activate(W().OptionsForm);
    Click(W().OptionsForm->BitBtn5);
    W().AnalyserForm->hide();
    W().DivForm->hide();
  }
  static QString Text(const QVariant& v, TSettingType type) {
    if (type == TSettingType::Bool) return v.toBool() ? QStringLiteral("1") : QStringLiteral("0");
    return v.toString();
  }
};

TEST_F(StoredValuesTest, AFirstStartStoresTheDesignDefaults) {
  OpenTools();
  StoreAll();
  EXPECT_EQ(StoredNames().size(), kSettingCount);
  for (const TSettingInfo& s : AllSettings()) {
    const QString name = QString::fromLatin1(s.name);
    if (s.id == TSetting::WWidth) {  // grown where the font needs room
      EXPECT_GE(Stored(name).toInt(), s.designDefault.toInt());
      continue;
    }
    EXPECT_EQ(Stored(name).toString(), Text(s.designDefault, s.type)) << s.name;
  }
}

TEST_F(StoredValuesTest, EveryValueSurvivesAStoreAndANewStart) {
  std::map<TSetting, QVariant> values;
  for (const TSettingInfo& s : AllSettings()) {
    switch (s.type) {
      case TSettingType::Bool: values[s.id] = !s.designDefault.toBool(); break;
      case TSettingType::Integer: values[s.id] = s.designDefault.toInt() + 61; break;
      case TSettingType::String: values[s.id] = s.designDefault.toString() + QStringLiteral(" (mine)"); break;
    }
    Store(QString::fromLatin1(s.name), Text(values[s.id], s.type));
  }
  Restart();
  OpenTools();
  // The values reach the controls.
  EXPECT_TRUE(W().MainForm->Autoclear1->isChecked());
  EXPECT_EQ(W().MainForm->pos(), QPoint(59 + 61, 107 + 61));
  EXPECT_FALSE(W().OptionsForm->WarnExit->isChecked());
  EXPECT_EQ(W().OptionsForm->LabeledEdit1->text(), "This is a prime number (mine)");
  EXPECT_FALSE(W().AnalyserForm->MathCheckBox->isChecked());
  EXPECT_EQ(W().DivForm->size(), QSize(218 + 61, 250 + 61));

  // Cleared, the store gets them all back from the controls.
  QFile::remove(IniPath());
  StoreAll();
  EXPECT_EQ(StoredNames().size(), kSettingCount);
  for (const TSettingInfo& s : AllSettings())
    EXPECT_EQ(Stored(QString::fromLatin1(s.name)).toString(), Text(values[s.id], s.type)) << s.name;
}

}  // namespace
