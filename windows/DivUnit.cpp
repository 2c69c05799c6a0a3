#include "windows/DivUnit.h"

TDivForm::TDivForm(Platform& platform, SettingsStore& settings, TWindows& windows)
    : QWidget(nullptr), platform_(platform), settings_(settings), windows_(windows) {
  setObjectName(QStringLiteral("DivForm"));
  setWindowTitle(QStringLiteral("All dividers..."));
  // Closing only hides the window: its contents live until the program ends.
  setAttribute(Qt::WA_DeleteOnClose, false);
}
