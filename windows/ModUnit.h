// The Super Modulo window: an expression reduced modulo a run of factors.
#pragma once

#include <QWidget>

#include <cstdint>

#include "windows/Windows.h"

class Platform;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QSlider;

class TModForm : public QWidget {
  Q_OBJECT
public:
  TModForm(Platform& platform, TWindows& windows);

  // The main window's menu item: place this window and the certificate
  // window beside the main window, then show this one.
  void ShowFromMain();

  QLabel* Label1;
  QComboBox* Ex;
  QLabel* Label2;
  QComboBox* Fac;
  QPushButton* BitBtn1;
  QSlider* TrackBar1;
  QLabel* Label3;
  QListWidget* ListBox1;
  QLineEdit* Edit1;

  void BitBtn1Click();
  void TrackBar1Change();
  void ListBox1Click();

  // The factor the first line belongs to.
  std::int64_t StartFactor() const { return startFactor_; }

private:
  Platform& platform_;
  TWindows& windows_;
  std::int64_t startFactor_ = 2;
};
