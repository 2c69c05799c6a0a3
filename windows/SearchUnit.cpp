#include "windows/SearchUnit.h"

TSearchForm::TSearchForm(Platform& platform, SettingsStore& settings, TWindows& windows)
    : QDialog(nullptr), platform_(platform), settings_(settings), windows_(windows) {
  setObjectName(QStringLiteral("SearchForm"));
  setWindowTitle(QStringLiteral("Prime numbers Search Engine"));
}

void TSearchForm::SetPageStyle(bool tabs) { tabs_ = tabs; }
