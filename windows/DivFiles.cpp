// The divisor finder's list files: the tree saved as indented lines, and a
// saved list loaded back with the number it was made for.
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QTreeWidget>

#include "platform/Platform.h"
#include "tools/DivisorList.h"
#include "windows/DivUnit.h"
#include "windows/OptionsUnit.h"
#include "windows/WidgetHelpers.h"

namespace {

constexpr int kNumberLimit = 18;
// No number up to 10^18 has more than 103680 divisors, and its list holds
// each once: a file of many more entries, or too large to hold no more, is
// some other file. Refused before it is read or shown, it cannot hold the
// window for seconds.
constexpr qint64 kMaxListFileBytes = 8 << 20;
constexpr std::size_t kMaxListEntries = 2 * 103680 + 2;
const QString kListFilter = QStringLiteral("Text files (*.txt);;All files (*)");
const QString kListExtension = QStringLiteral("txt");

// File names travel through the engine as the file system's bytes.
std::string PathBytes(const QString& path) { return QFile::encodeName(path).toStdString(); }
QString PathText(const std::string& text) { return QFile::decodeName(QByteArray::fromStdString(text)); }

}  // namespace

void TDivForm::BitBtn2Click() {
  if (platform_.RefuseDuringLongWork()) return;
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
  if (platform_.RefuseDuringLongWork()) return;
  const QString path = platform_.OpenFileName(QString::fromLatin1(kDivisorLoadTitle), kListFilter, kListExtension);
  if (path.isEmpty()) return;
  const std::string file = PathBytes(path);
  const std::string separator = QString(platform_.DecimalSeparator()).toStdString();
  TDivisorLoadOutcome out;
  if (QFileInfo(path).size() > kMaxListFileBytes) {
    out = ParseDivisorList(std::string(), file, separator);  // the refusal of a foreign file
  } else {
    // Reading and parsing run aside, so a slow disk cannot freeze the window.
    const WorkResult done = platform_.RunLongWork(this, QString::fromLatin1(kDivisorLoadTitle), [&](TProgress&) {
      out = LoadDivisorList(file, separator);
      if (out.ok && out.tree.size() > kMaxListEntries) out = ParseDivisorList(std::string(), file, separator);
    });
    if (done == WorkResult::Cancelled) return;
  }
  if (!out.ok) {
    DividersTree->clear();
    platform_.ShowMessage(PathText(out.message));
    return;
  }
  ShowTree(out.tree);
  SetTextBeyondLimit(ComboBox1->lineEdit(), kNumberLimit, QString::fromStdString(out.fieldText));
}
