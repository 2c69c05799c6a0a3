// The menu items that open the other windows: the options window on one of
// its pages, the modal search engine and the modeless tool windows, placed
// beside the main window (outer window coordinates).
#include "windows/MainUnit.h"

#include "platform/Platform.h"
#include "settings/SettingsStore.h"
#include "windows/AnalyserUnit.h"
#include "windows/CalcUnit.h"
#include "windows/CertifUnit.h"
#include "windows/ConvertUnit.h"
#include "windows/DivUnit.h"
#include "windows/ModUnit.h"
#include "windows/OptionsUnit.h"
#include "windows/SearchUnit.h"

void TMainForm::History1Click() { windows_.OptionsForm->ShowPage(0); }
void TMainForm::Notebook1Click() { windows_.OptionsForm->ShowPage(1); }
void TMainForm::Options2Click() { windows_.OptionsForm->ShowPage(2); }

void TMainForm::Searchengine1Click() { platform_.ShowModal(*windows_.SearchForm); }

// The tool windows place themselves (and read what they store) on opening.
void TMainForm::Splitter1Click() { windows_.AnalyserForm->ShowFromMain(); }
void TMainForm::Convertor1Click() { windows_.ConvertForm->ShowFromMain(); }
void TMainForm::SCalc1Click() { windows_.CalcForm->ShowFromMain(); }
void TMainForm::SuperModulo1Click() { windows_.ModForm->ShowFromMain(); }

void TMainForm::Finddivisors1Click() { windows_.DivForm->ShowFromMain(); }
