// The Convertor window: plain, Mersenne and Fermat notations of one number.
#pragma once

#include <QWidget>

#include "tools/Convertor.h"
#include "windows/Windows.h"

class Platform;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

class TConvertForm : public QWidget {
  Q_OBJECT
public:
  TConvertForm(Platform& platform, TWindows& windows);

  // The main window's menu item: place under the main window, as wide as
  // it, and show.
  void ShowFromMain();

  static constexpr int kHeight = 103;

  QCheckBox* CheckBox1;
  QLabel* Label1;
  QLineEdit* IEdit;
  QPushButton* BitBtn4;
  QCheckBox* CheckBox2;
  QLabel* Label2;
  QLineEdit* MEdit;
  QPushButton* BitBtn1;
  QCheckBox* CheckBox3;
  QLabel* Label3;
  QLineEdit* FEdit;
  QPushButton* BitBtn2;

  void BitBtn4Click();
  void BitBtn1Click();
  void BitBtn2Click();
  void IEditClick();
  void MEditClick();
  void FEditClick();

  // The button Enter presses; none at start.
  QPushButton* DefaultButton() const { return defaultButton_; }

protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

private:
  void ConvertFrom(TConvertRow row);
  void MakeDefault(QPushButton* button);

  Platform& platform_;
  TWindows& windows_;
  QPushButton* defaultButton_ = nullptr;
};
