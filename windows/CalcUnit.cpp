#include "windows/CalcUnit.h"

TCalcForm::TCalcForm(Platform& platform, SettingsStore& settings, TWindows& windows)
    : QWidget(nullptr), platform_(platform), settings_(settings), windows_(windows) {
  setObjectName(QStringLiteral("CalcForm"));
  setWindowTitle(QStringLiteral("Super Calculator"));
  // Closing only hides the window: its contents live until the program ends.
  setAttribute(Qt::WA_DeleteOnClose, false);
}
