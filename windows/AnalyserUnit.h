// The Splitter window: factorisation, sample factor and next prime.
#pragma once

#include <QWidget>

#include <cstdint>

#include "tools/Splitter.h"
#include "windows/Windows.h"

class Platform;
class SettingsStore;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QPushButton;
class QRadioButton;
class QTableWidget;
class QTextEdit;

class TAnalyserForm : public QWidget {
  Q_OBJECT
public:
  TAnalyserForm(Platform& platform, SettingsStore& settings, TWindows& windows);

  // The main window's menu item: read the stored "Math expression" state,
  // then show the window where it is.
  void ShowFromMain();

  QComboBox* ComboBox1;
  QPushButton* analBtn;
  QPushButton* BitBtn3;  // erase the history
  QPushButton* BitBtn2;  // import the tester's history
  QGroupBox* MethodGroup;
  QRadioButton* MethodItems[3];
  QCheckBox* MathCheckBox;
  QCheckBox* EditionCheck;
  QTableWidget* ValueListEditor1;
  QTextEdit* RichEdit1;

  TSplitterMethod Method() const { return method_; }
  // The method group's selected item, as the user sees it.
  int MethodItemIndex() const;
  void SetMethodItemIndex(int item);
  // The history list, whether sorted or not.
  QStringList History() const;
  bool HistorySorted() const { return sorted_; }

  void FormCreate();
  void FormActivate();
  void FormHide();
  void MethodGroupClick();
  void analBtnClick();
  void analBtnMouseMove();
  void ComboBox1KeyUp(std::uint16_t key);
  void BitBtn2Click();
  void BitBtn3Click();
  void EditionCheckClick();

protected:
  bool event(QEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void hideEvent(QHideEvent* event) override;

private:
  void ApplyMethod(int method);
  void FitStatusColumn();
  void ClearResults();
  void AddToHistory(const QString& text);
  void SetSorted(bool sorted);
  void SetEntryLimit(int limit);

  Platform& platform_;
  SettingsStore& settings_;
  TWindows& windows_;
  TSplitterMethod method_ = TSplitterMethod::Factorization;
  bool sorted_ = true;  // the history list is sorted at start
  int limit_ = 40;
};
