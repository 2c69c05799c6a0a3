// The prime search engine window, shown modally from the main window: every
// prime of an interval in five report parts, the research summary, the live
// estimate, the bound histories and the result files.
#pragma once

#include <QDialog>

#include <cstddef>
#include <cstdint>
#include <limits>

#include "tools/Search.h"
#include "windows/Windows.h"

class Platform;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListView;
class QListWidget;
class QPushButton;
class TPageControl;
class TSearchPartModel;

class TSearchForm : public QDialog {
  Q_OBJECT
public:
  TSearchForm(Platform& platform, TWindows& windows);

  // Pages chosen by tabs (true) or by flat buttons (false); the options
  // window sets it while it loads, before this window is first shown.
  void SetPageStyle(bool tabs);
  bool PageStyleTabs() const { return tabs_; }

  // ---- the engine's state between searches
  const TSearchState& State() const { return state_; }
  std::int64_t LowBound() const { return state_.lowBound; }
  std::int64_t HighBound() const { return state_.highBound; }
  int PartCount() const { return state_.partCount; }
  // Bytes the twin count may take; unbounded unless a test makes the
  // machine look short of memory.
  std::size_t TwinMemoryLimit = std::numeric_limits<std::size_t>::max();

  // ---- controls
  QLabel* Label1 = nullptr;  // From :
  QLabel* Label2 = nullptr;  // To :
  QComboBox* LowInterval = nullptr;
  QComboBox* HighInterval = nullptr;
  QPushButton* GO = nullptr;
  QPushButton* BitBtn2 = nullptr;  // &Close
  QPushButton* BitBtn3 = nullptr;  // erase the From history
  QPushButton* BitBtn4 = nullptr;  // import into From
  QPushButton* BitBtn5 = nullptr;  // erase the To history
  QPushButton* BitBtn6 = nullptr;  // import into To
  TPageControl* PageControl1 = nullptr;
  QListView* Report = nullptr;
  QListView* Report2 = nullptr;
  QListView* Report3 = nullptr;
  QListView* Report4 = nullptr;
  QListView* Report5 = nullptr;
  QGroupBox* GroupBox1 = nullptr;
  QListWidget* ResumeListBox = nullptr;
  QCheckBox* IntroCheck = nullptr;
  QCheckBox* part1Check = nullptr;
  QCheckBox* CheckBox1 = nullptr;  // Part 2
  QCheckBox* CheckBox2 = nullptr;  // Part 3
  QCheckBox* CheckBox3 = nullptr;  // Part 4
  QCheckBox* CheckBox4 = nullptr;  // Part 5
  QPushButton* BitBtn1 = nullptr;  // Save to file
  QLabel* SelLabel = nullptr;
  QLabel* ValLabel = nullptr;      // Value=
  QLineEdit* ValEdit = nullptr;

  QListView* ReportList(int part) const { return reports_[part]; }
  // The history lists, whether sorted or not.
  bool HistorySorted() const { return sorted_; }

  // ---- handlers
  void FormCreate();
  void FormActivate();
  void GOClick();
  void GOMouseMove();
  void LowIntervalChange();
  void HighIntervalChange();
  void LowIntervalKeyUp(std::uint16_t key);
  void HighIntervalKeyUp(std::uint16_t key);
  void ReportClick();
  void Report2Click();
  void Report3Click();
  void Report4Click();
  void Report5Click();
  void BitBtn1Click();
  void BitBtn3Click();
  void BitBtn4Click();
  void BitBtn5Click();
  void BitBtn6Click();

protected:
  bool event(QEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

private:
  void BuildControls();
  void ConnectEvents();
  void ShowEntry(int part);
  void ShowLiveEstimate();
  void FilterKey(QComboBox* field, std::uint16_t key);
  void ImportTesterHistory(QComboBox* field);
  void ShowParts();
  QString Separator() const;

  Platform& platform_;
  TWindows& windows_;
  bool tabs_ = true;
  bool sorted_ = true;  // the lists start sorted; each activation applies the option
  TSearchState state_;
  QListView* reports_[kSearchPartCount] = {};
  TSearchPartModel* models_[kSearchPartCount] = {};
  QCheckBox* saveChecks_[kSearchPartCount + 1] = {};
};
