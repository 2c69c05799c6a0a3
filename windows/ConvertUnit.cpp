#include "windows/ConvertUnit.h"

TConvertForm::TConvertForm(Platform& platform, SettingsStore& settings, TWindows& windows)
    : QWidget(nullptr), platform_(platform), settings_(settings), windows_(windows) {
  setObjectName(QStringLiteral("ConvertForm"));
  setWindowTitle(QStringLiteral("Convertor"));
  // Closing only hides the window: its contents live until the program ends.
  setAttribute(Qt::WA_DeleteOnClose, false);
}
