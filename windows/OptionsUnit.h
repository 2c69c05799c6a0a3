// The options window: the lists of primes and composites found, the
// notebook, and the settings that every other window reads directly from
// its controls while the program runs.
#pragma once

#include <QDialog>
#include <QStringList>

#include "windows/SettingBindings.h"
#include "windows/Windows.h"

class Platform;
class SettingsStore;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;

class TOptionsForm : public QDialog {
  Q_OBJECT
public:
  // Loads the stored options; the search engine window must exist already.
  TOptionsForm(Platform& platform, SettingsStore& settings, TWindows& windows);

  // Shows the window modally on page 0 (History), 1 (Notebook) or 2 (Tools
  // settings).
  void ShowPage(int page);

  // ---- what the testers and the divisor finder feed. The adders keep each
  // list free of repeated texts and return whether the text was added; they
  // do not look at the lists' boxes, which their callers judge.
  bool AddPrime(const QString& text);
  bool AddComposite(const QString& text);
  QStringList Primes() const;
  QStringList Composites() const;
  void AppendNotebook(const QStringList& lines);
  void ClearNotebook();
  QString PrimeVerdict() const;
  QString CompositeVerdict() const;

  // ---- controls
  QTabWidget* PageControl1 = nullptr;
  QWidget* TabSheet1 = nullptr;  // History
  QWidget* TabSheet2 = nullptr;  // Notebook
  QWidget* TabSheet3 = nullptr;  // Tools settings
  QPushButton* BitBtn5 = nullptr;  // &OK
  QPushButton* BitBtn6 = nullptr;  // &Close

  QCheckBox* PremiersCheckBox = nullptr;
  QPushButton* BitBtn1 = nullptr;  // save primes
  QPushButton* BitBtn2 = nullptr;  // clear primes
  QPushButton* PrintPBtn = nullptr;
  QListWidget* Memo1 = nullptr;
  QCheckBox* NonPremiersCheckBox = nullptr;
  QPushButton* BitBtn3 = nullptr;  // save composites
  QPushButton* BitBtn4 = nullptr;  // clear composites
  QPushButton* PrintNPBtn = nullptr;
  QListWidget* Memo2 = nullptr;

  QPlainTextEdit* NoteEdit = nullptr;
  QPushButton* NoteSave = nullptr;
  QPushButton* NoteErase = nullptr;
  QCheckBox* RefBox = nullptr;
  QCheckBox* CheckBox1 = nullptr;  // Edition mode

  QGroupBox* GroupBox1 = nullptr;
  QLabel* LabeledEdit1Label = nullptr;
  QLineEdit* LabeledEdit1 = nullptr;
  QLabel* LabeledEdit2Label = nullptr;
  QLineEdit* LabeledEdit2 = nullptr;
  QCheckBox* SepareResult = nullptr;
  QCheckBox* WarnExit = nullptr;
  QGroupBox* GroupBox2 = nullptr;
  QCheckBox* AutoImport = nullptr;
  QCheckBox* HistoryList = nullptr;
  QCheckBox* AddToHisCheckBox = nullptr;
  QCheckBox* AutoExpand = nullptr;
  QCheckBox* Messages = nullptr;
  QGroupBox* GroupBox3 = nullptr;
  QRadioButton* TabsRadioButton = nullptr;
  QRadioButton* BtnRadioButton = nullptr;
  QCheckBox* LHCheck = nullptr;
  QCheckBox* CTPNCheck = nullptr;
  QGroupBox* GroupBox4 = nullptr;
  QCheckBox* FilterCheckBox = nullptr;
  QCheckBox* SortCheckBox = nullptr;

public slots:
  void FormCreate();
  void BitBtn5Click();
  void TabsRadioButtonClick();
  void BtnRadioButtonClick();
  void PremiersCheckBoxClick();
  void CheckBox2Click();
  void BitBtn8Click();
  void BitBtn9Click();
  void BitBtn10Click();
  void BitBtn11Click();
  void PrintPBtnClick();
  void PrintNPBtnClick();
  void Memo1MouseMove();
  void Memo2MouseMove();
  void NoteSaveClick();
  void NoteEraseClick();
  void CheckBox1Click();

protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

private:
  // The stored options and the controls that hold them.
  TSettingBindings StoredValues();
  void BuildHistoryPage();
  void BuildNotebookPage();
  void BuildToolsPage();
  void ConnectEvents();

  void SaveList(QListWidget* list, QPushButton* saveButton, const QString& title, const QString& proposedName);
  void PrintList(QListWidget* list, const QString& documentName);
  void RefreshSaveButton(QListWidget* list, QPushButton* saveButton);

  Platform& platform_;
  SettingsStore& settings_;
  TWindows& windows_;
};
