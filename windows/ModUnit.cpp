#include "windows/ModUnit.h"

TModForm::TModForm(Platform& platform, SettingsStore& settings, TWindows& windows)
    : QWidget(nullptr), platform_(platform), settings_(settings), windows_(windows) {
  setObjectName(QStringLiteral("ModForm"));
  setWindowTitle(QStringLiteral("Super Modulo"));
  // Closing only hides the window: its contents live until the program ends.
  setAttribute(Qt::WA_DeleteOnClose, false);
}
