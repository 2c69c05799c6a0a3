// The Super Calculator window: arithmetic on two big integers.
#pragma once

#include <QWidget>

#include "tools/Calculator.h"
#include "windows/Windows.h"

class Platform;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

class TCalcForm : public QWidget {
  Q_OBJECT
public:
  TCalcForm(Platform& platform, TWindows& windows);

  // The main window's menu item: place beside the main window and show.
  void ShowFromMain();

  QLabel* Label1;
  QComboBox* EditA;
  QLabel* Label2;
  QComboBox* EditB;
  QPushButton* BitBtn3;  // GCF
  QPushButton* BitBtn4;  // A + B
  QPushButton* BitBtn5;  // A - B
  QPushButton* BitBtn6;  // A x B
  QLabel* ResLabel;
  QLineEdit* ResEdit;

  void BitBtn3Click();
  void BitBtn4Click();
  void BitBtn5Click();
  void BitBtn6Click();

private:
  void Run(TCalcOperation operation);

  Platform& platform_;
  TWindows& windows_;
};
