// The generic primality tester of the main window.
#include "windows/MainUnit.h"

void TMainForm::VerifierClick() {}
