// The divisor finder window: all divisors of a 64-bit integer as a tree,
// with a history of the numbers looked at and divisor list files.
#pragma once

#include <QWidget>

#include <cstdint>

#include "tools/Divisors.h"
#include "windows/SettingBindings.h"
#include "windows/Windows.h"

class Platform;
class SettingsStore;
class QAction;
class QComboBox;
class QLabel;
class QMenu;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

class TDivForm : public QWidget {
  Q_OBJECT
public:
  TDivForm(Platform& platform, SettingsStore& settings, TWindows& windows);

  // The main window's menu item: the stored size, the auto import, the
  // place right of the main window, then show (and bring to the front).
  void ShowFromMain();

  // ---- controls
  QComboBox* ComboBox1 = nullptr;
  QPushButton* FindButton = nullptr;
  QTreeWidget* DividersTree = nullptr;
  QLabel* Label2 = nullptr;
  QPushButton* BitBtn1 = nullptr;       // erase the history
  QPushButton* ImportButton = nullptr;  // import the tester's history
  QPushButton* BitBtn2 = nullptr;       // save a list
  QPushButton* BitBtn6 = nullptr;       // load a list
  QPushButton* ExpandButton = nullptr;
  QPushButton* BitBtn5 = nullptr;       // Summary: collapse
  QMenu* ListPopupMenu = nullptr;
  QAction* Copyfactor1 = nullptr;

  // The tree as the list file holds it (texts and levels).
  TDivisorTree Tree() const;
  // The image of an entry: kNoImage, kSquareRootImage or kCofactorImage.
  static int ImageOf(const QTreeWidgetItem* item);
  bool HistorySorted() const { return sorted_; }

  // ---- handlers
  void FindButtonClick();
  void FindButtonMouseMove();
  void ComboBox1Change();
  void ComboBox1KeyUp(std::uint16_t key);
  void ExpandButtonClick();
  void BitBtn5Click();
  void BitBtn1Click();
  void ImportButtonClick();
  void Copyfactor1Click();
  void FormActivate();
  void FormResize();
  void FormHide();
  void BitBtn2Click();
  void BitBtn6Click();

protected:
  bool event(QEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void hideEvent(QHideEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

private:
  void BuildControls();
  void ConnectEvents();
  void ShowTree(const TDivisorTree& tree);
  void SetResultLine(const QString& text, bool red);
  int MinimumWidth() const;
  TSettingBindings StoredSize(int* width, int* height);
  QString Separator() const;

  Platform& platform_;
  SettingsStore& settings_;
  TWindows& windows_;
  bool sorted_ = false;  // the history starts unsorted
};
