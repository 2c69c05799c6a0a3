// The menu items that open the other windows: the options window on one of
// its pages, the modal search engine and the modeless tool windows, placed
// beside the main window (outer window coordinates).
#include "windows/MainUnit.h"

#include "settings/SettingsStore.h"
#include "windows/AnalyserUnit.h"
#include "windows/CalcUnit.h"
#include "windows/CertifUnit.h"
#include "windows/ConvertUnit.h"
#include "windows/DivUnit.h"
#include "windows/ModUnit.h"
#include "windows/OptionsUnit.h"
#include "windows/SearchUnit.h"

namespace {

// A modeless window already open is brought to the front again.
void ShowModeless(QWidget* window) {
  window->show();
  window->raise();
  window->activateWindow();
}

}  // namespace

void TMainForm::History1Click() { windows_.OptionsForm->ShowPage(0); }
void TMainForm::Notebook1Click() { windows_.OptionsForm->ShowPage(1); }
void TMainForm::Options2Click() { windows_.OptionsForm->ShowPage(2); }

void TMainForm::Searchengine1Click() { windows_.SearchForm->exec(); }

void TMainForm::Splitter1Click() { ShowModeless(windows_.AnalyserForm); }

void TMainForm::Convertor1Click() {
  const QRect main = frameGeometry();
  TConvertForm* convert = windows_.ConvertForm;
  convert->move(main.left(), main.top() + main.height());
  // Both windows have the same border, so equal inner widths mean equal
  // outer widths.
  convert->resize(width(), convert->height());
  ShowModeless(convert);
}

void TMainForm::SCalc1Click() {
  const QRect main = frameGeometry();
  const int shift = windows_.ConvertForm->isVisible() ? 150 : 0;
  windows_.CalcForm->move(main.left() + shift, main.top() + main.height());
  ShowModeless(windows_.CalcForm);
}

void TMainForm::SuperModulo1Click() {
  const QRect main = frameGeometry();
  const int right = main.left() + main.width();
  const bool divisorsShown = windows_.DivForm->isVisible();
  const bool certifLower = windows_.AnalyserForm->isVisible() || divisorsShown;
  windows_.CertifForm->move(right, main.top() + (certifLower ? 135 : 0));
  windows_.ModForm->move(right, main.top() + (divisorsShown ? 100 : 0));
  ShowModeless(windows_.ModForm);
}

void TMainForm::Finddivisors1Click() {
  int w = 218;
  int h = 250;
  if (settings_.OpenKey(false)) {
    settings_.ReadInteger(QStringLiteral("WWidth"), w);
    settings_.ReadInteger(QStringLiteral("WHeight"), h);
    settings_.CloseKey();
  }
  TDivForm* divisors = windows_.DivForm;
  divisors->resize(w, h);
  const QRect main = frameGeometry();
  divisors->move(main.left() + main.width(), main.top());
  ShowModeless(divisors);
}
