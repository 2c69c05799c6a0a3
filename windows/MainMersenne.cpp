// The Mersenne tester of the main window and the showing of the certificate.
#include "windows/MainUnit.h"

void TMainForm::Button1Click() {}

void TMainForm::Certificate1Click() {}
