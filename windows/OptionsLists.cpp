// The History and Notebook pages of the options window: enabling, saving,
// clearing and printing the lists, and the notebook's commands.
#include "windows/OptionsUnit.h"

#include <QCheckBox>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>

#include "platform/Platform.h"
#include "windows/TextFileWriter.h"

namespace {

const QString kTrailer = QStringLiteral("Created with Calvenna!");
const QString kTextFilter = QStringLiteral("text files (*.txt)");
const QString kTextExtension = QStringLiteral("txt");
const int kPrintMargin = 100;  // device units on each side

QStringList ItemsOf(const QListWidget* list) {
  QStringList out;
  for (int i = 0; i < list->count(); ++i) out << list->item(i)->text();
  return out;
}

}  // namespace

void TOptionsForm::RefreshSaveButton(QListWidget* list, QPushButton* saveButton) {
  // A disabled list keeps its buttons disabled whatever it holds.
  if (list->isEnabled()) saveButton->setEnabled(list->count() > 0);
}

void TOptionsForm::PremiersCheckBoxClick() {
  const bool on = PremiersCheckBox->isChecked();
  for (QWidget* w : {static_cast<QWidget*>(Memo1), static_cast<QWidget*>(BitBtn2), static_cast<QWidget*>(BitBtn1),
                     static_cast<QWidget*>(PrintPBtn)})
    w->setEnabled(on);
}

void TOptionsForm::CheckBox2Click() {
  const bool on = NonPremiersCheckBox->isChecked();
  for (QWidget* w : {static_cast<QWidget*>(Memo2), static_cast<QWidget*>(BitBtn3), static_cast<QWidget*>(BitBtn4),
                     static_cast<QWidget*>(PrintNPBtn)})
    w->setEnabled(on);
}

void TOptionsForm::Memo1MouseMove() { RefreshSaveButton(Memo1, BitBtn1); }
void TOptionsForm::Memo2MouseMove() { RefreshSaveButton(Memo2, BitBtn3); }

void TOptionsForm::SaveList(QListWidget* list, QPushButton* saveButton, const QString& title,
                            const QString& proposedName) {
  // The trailer joins the list itself and stays there, saved or not.
  list->addItem(kTrailer);
  RefreshSaveButton(list, saveButton);
  const QString name = platform_.SaveFileName(title, proposedName, kTextFilter, kTextExtension);
  if (name.isEmpty()) return;
  const QString failure = SaveLinesFile(name, ItemsOf(list));
  if (!failure.isEmpty()) platform_.ShowError(failure);
}

void TOptionsForm::BitBtn8Click() {
  SaveList(Memo1, BitBtn1, QStringLiteral("Save the found prime numbers..."), QStringLiteral("prime numbers"));
}

void TOptionsForm::BitBtn10Click() {
  SaveList(Memo2, BitBtn3, QStringLiteral("Save the found numbers..."), QStringLiteral("not prime numbers"));
}

void TOptionsForm::BitBtn9Click() {
  if (Memo1->count() > 0) Memo1->clear();
  RefreshSaveButton(Memo1, BitBtn1);
}

void TOptionsForm::BitBtn11Click() {
  if (Memo2->count() > 0) Memo2->clear();
  RefreshSaveButton(Memo2, BitBtn3);
}

void TOptionsForm::PrintList(QListWidget* list, const QString& documentName) {
  if (list->count() == 0) {
    platform_.ShowMessage(QStringLiteral("The list is empty now, so you cannot print !"));
    return;
  }
  BusyCursor busy(platform_);
  std::unique_ptr<PrintJob> job = platform_.StartPrintJob(documentName);
  if (!job) {
    platform_.ShowError(QStringLiteral("No printer is available, so the list cannot be printed"));
    return;
  }
  QString text;
  for (const QString& item : ItemsOf(list)) text += item + QStringLiteral("\r\n");
  const QSize page = job->PageSize();
  job->DrawText(QRect(kPrintMargin, kPrintMargin, page.width() - 2 * kPrintMargin,
                      page.height() - 2 * kPrintMargin),
                text);
  job->End();
}

void TOptionsForm::PrintPBtnClick() { PrintList(Memo1, QStringLiteral("Prime numbers list")); }
void TOptionsForm::PrintNPBtnClick() { PrintList(Memo2, QStringLiteral("Composite numbers list")); }

void TOptionsForm::NoteSaveClick() {
  const QString name = platform_.SaveFileName(QStringLiteral("Save the notebook contents..."),
                                              QStringLiteral("notebook"), kTextFilter, kTextExtension);
  if (name.isEmpty()) return;
  const QString failure = SaveLinesFile(name, NoteEdit->toPlainText().split(QLatin1Char('\n')));
  if (!failure.isEmpty()) platform_.ShowError(failure);
}

void TOptionsForm::NoteEraseClick() { NoteEdit->clear(); }

void TOptionsForm::CheckBox1Click() { NoteEdit->setReadOnly(!CheckBox1->isChecked()); }
