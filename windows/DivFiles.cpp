// The divisor finder's list files: the tree saved as indented lines, and a
// saved list loaded back with the number it was made for.
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QTreeWidget>

#include "platform/Platform.h"
#include "tools/DivisorList.h"
#include "windows/DivUnit.h"
#include "windows/OptionsUnit.h"
#include "windows/WidgetHelpers.h"

namespace {

constexpr int kNumberLimit = 18;
const QString kListFilter = QStringLiteral("Text files (*.txt);;All files (*)");
const QString kListExtension = QStringLiteral("txt");

// File names travel through the engine as the file system's bytes.
std::string PathBytes(const QString& path) { return QFile::encodeName(path).toStdString(); }
QString PathText(const std::string& text) { return QFile::decodeName(QByteArray::fromStdString(text)); }

}  // namespace

void TDivForm::BitBtn2Click() {
  const QString proposed = QString::fromStdString(DivisorListProposedName(ComboBox1->currentText().toStdString()));
  const QString path =
      platform_.SaveFileName(QString::fromLatin1(kDivisorSaveTitle), proposed, kListFilter, kListExtension);
  if (path.isEmpty()) return;
  const bool showMessages = windows_.OptionsForm && windows_.OptionsForm->Messages->isChecked();
  TDivisorSaveOutcome out;
  {
    BusyCursor busy(platform_);
    out = SaveDivisorList(PathBytes(path), Tree(), showMessages);
  }
  if (!out.error.empty()) {
    platform_.ShowError(PathText(out.error));
    return;
  }
  if (!out.message.empty()) platform_.ShowMessage(PathText(out.message));
}

void TDivForm::BitBtn6Click() {
  const QString path = platform_.OpenFileName(QString::fromLatin1(kDivisorLoadTitle), kListFilter, kListExtension);
  if (path.isEmpty()) return;
  TDivisorLoadOutcome out;
  {
    BusyCursor busy(platform_);
    out = LoadDivisorList(PathBytes(path), QString(platform_.DecimalSeparator()).toStdString());
  }
  if (!out.ok) {
    DividersTree->clear();
    platform_.ShowMessage(PathText(out.message));
    return;
  }
  ShowTree(out.tree);
  SetTextBeyondLimit(ComboBox1->lineEdit(), kNumberLimit, QString::fromStdString(out.fieldText));
}
