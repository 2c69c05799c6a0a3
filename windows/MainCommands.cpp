// The smaller commands of the main window: Edit and Counter menus, history
// and panel buttons, the input fields' handlers, calculator and help.
#include "windows/MainUnit.h"

void TMainForm::Cut1Click() {}
void TMainForm::Copy1Click() {}
void TMainForm::Paste1Click() {}
// The check mark toggles by itself: the item is a checkable action.
void TMainForm::Autoclear1Click() {}

void TMainForm::incremen1Click() {}
void TMainForm::Decrease1Click() {}
void TMainForm::Resetcounter1Click() {}

void TMainForm::BitBtn1Click() {}
void TMainForm::BitBtn2Click() {}
void TMainForm::BitBtn3Click() {}
void TMainForm::BitBtn4Click() {}

void TMainForm::NumberEditEnter() {}
void TMainForm::ComboBox1Enter() {}
void TMainForm::ComboBox1Change() {}
void TMainForm::NumberEditKeyUp(QComboBox*, std::uint16_t) {}

void TMainForm::Calculator1Click() {}
void TMainForm::index1Click() {}
