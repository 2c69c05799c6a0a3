// The main window: the generic and the Mersenne tester, the results panel,
// the menu that opens every other window, and the program-wide values.
#pragma once

#include <QMainWindow>
#include <QString>

#include <cstdint>

#include "windows/SettingBindings.h"
#include "windows/Windows.h"

class Platform;
class SettingsStore;
class QAction;
class QCheckBox;
class QComboBox;
class ElidedLabel;
class QFrame;
class QLabel;
class QLineEdit;
class QMenu;
class QPoint;
class QPlainTextEdit;
class QPushButton;
class QStatusBar;
class QTimer;

class TMainForm : public QMainWindow {
  Q_OBJECT
public:
  TMainForm(Platform& platform, SettingsStore& settings, TWindows& windows);

  // ---- program-wide values, live for the run only
  int TestedCount = 0;
  QString LastTested;
  QString ProgramDir;  // the program's directory with a trailing separator

  // ---- controls
  QFrame* Bevel2 = nullptr;
  QLabel* Label3 = nullptr;
  QComboBox* NumberEdit = nullptr;
  QPushButton* BitBtn1 = nullptr;
  QPushButton* Verifier = nullptr;
  QLabel* Digital = nullptr;
  QFrame* Bevel1 = nullptr;
  QLabel* Label1 = nullptr;
  QLabel* Label2 = nullptr;
  QComboBox* ComboBox1 = nullptr;
  QPushButton* BitBtn2 = nullptr;
  QPushButton* Button1 = nullptr;
  QPlainTextEdit* RichEdit1 = nullptr;
  QCheckBox* RefBox = nullptr;
  QCheckBox* certifgen = nullptr;
  QPushButton* BitBtn4 = nullptr;
  QPushButton* BitBtn3 = nullptr;
  QStatusBar* StatusBar1 = nullptr;
  QLineEdit* Temp = nullptr;
  QTimer* Timer1 = nullptr;  // the one-shot start-up timer

  // ---- menu
  QMenu* Program1 = nullptr;
  QAction* Exit1 = nullptr;
  QMenu* Edit1 = nullptr;
  QAction* Cut1 = nullptr;
  QAction* Copy1 = nullptr;
  QAction* Paste1 = nullptr;
  QAction* Autoclear1 = nullptr;
  QMenu* Tools1 = nullptr;
  QAction* Splitter1 = nullptr;
  QAction* Convertor1 = nullptr;
  QAction* SCalc1 = nullptr;
  QAction* SuperModulo1 = nullptr;
  QAction* Searchengine1 = nullptr;
  QAction* Finddivisors1 = nullptr;
  QAction* Prove1 = nullptr;
  QAction* Calculator1 = nullptr;
  QAction* Certificate1 = nullptr;
  QMenu* Options1 = nullptr;
  QAction* History1 = nullptr;
  QAction* Notebook1 = nullptr;
  QAction* Options2 = nullptr;
  QMenu* Counter1 = nullptr;
  QAction* incremen1 = nullptr;
  QAction* Decrease1 = nullptr;
  QAction* Resetcounter1 = nullptr;
  QMenu* Help1 = nullptr;
  QAction* index1 = nullptr;
  QAction* About1 = nullptr;

  // ---- status bar: panel 0 the counter, panel 1 the state
  QString StatusText(int panel) const;
  void SetStatusText(int panel, const QString& text);

  // The button that Enter presses (Verifier or Button1).
  QPushButton* DefaultButton() const { return defaultButton_; }
  void SetDefaultButton(QPushButton* button);

  // Whether the tester's history is kept in alphabetical order; set by each
  // activation from the options window. Use AddNumberHistory to add to it.
  bool HistorySorted() const { return historySorted_; }
  void AddNumberHistory(const QString& text);

  // ---- shared routines
  void ShowTestedCount();
  void ScrollResultsToEnd();
  void AddResultSeparator();

  // ---- lifecycle
  void FormCreate();
  void FormActivate();
  bool FormCloseQuery();
  void FormClose();

signals:
  // The window was closed for good: the program ends.
  void Closed();

public slots:
  void Timer1Timer();
  void Exit1Click();
  void About1Click();

  // Generic tester.
  void VerifierClick();
  // Mersenne tester and certificate.
  void Button1Click();
  void Certificate1Click();
  // Edit, counter, panel, input fields, calculator and help.
  void Cut1Click();
  void Copy1Click();
  void Paste1Click();
  void Autoclear1Click();
  void incremen1Click();
  void Decrease1Click();
  void Resetcounter1Click();
  void BitBtn1Click();
  void BitBtn2Click();
  void BitBtn3Click();
  void BitBtn4Click();
  void NumberEditEnter();
  void ComboBox1Enter();
  void ComboBox1Change();
  void NumberEditKeyUp(QComboBox* field, std::uint16_t key);
  void Calculator1Click();
  void index1Click();
  // Opening the other windows.
  void History1Click();
  void Notebook1Click();
  void Options2Click();
  void Splitter1Click();
  void Convertor1Click();
  void SCalc1Click();
  void SuperModulo1Click();
  void Searchengine1Click();
  void Finddivisors1Click();
  void Prove1Click();  // windows/ProveUnit.cpp

protected:
  void closeEvent(QCloseEvent* event) override;
  bool event(QEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

private:
  // The stored values and what holds them; loaded positions go to
  // loadedPosition.
  TSettingBindings StoredValues(QPoint* loadedPosition);
  void BuildControls();
  void BuildMenu();
  void ConnectEvents();

  Platform& platform_;
  SettingsStore& settings_;
  TWindows& windows_;
  ElidedLabel* statusPanels_[2] = {nullptr, nullptr};
  QPushButton* defaultButton_ = nullptr;
  bool historySorted_ = false;

  // The keys of the Edit short-cut just run, whose releases follow it.
  void NoteShortcutKeys(std::uint16_t letter);
  std::uint16_t shortcutLetter_ = 0;
  bool shortcutControl_ = false;
};
