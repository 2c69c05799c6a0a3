#include "windows/AnalyserUnit.h"

TAnalyserForm::TAnalyserForm(Platform& platform, SettingsStore& settings, TWindows& windows)
    : QWidget(nullptr), platform_(platform), settings_(settings), windows_(windows) {
  setObjectName(QStringLiteral("AnalyserForm"));
  setWindowTitle(QStringLiteral("Splitter"));
  // Closing only hides the window: its contents live until the program ends.
  setAttribute(Qt::WA_DeleteOnClose, false);
}
