// The program's windows, each created once at start-up and living until the
// end. Every form gets this struct so it can reach the others without any
// global; the app fills it in creation order.
#pragma once

class TMainForm;
class TSearchForm;
class TOptionsForm;
class TDivForm;
class TAnalyserForm;
class TCalcForm;
class TModForm;
class TCertifForm;
class TConvertForm;

struct TWindows {
  TMainForm* MainForm = nullptr;
  TSearchForm* SearchForm = nullptr;
  TOptionsForm* OptionsForm = nullptr;
  TDivForm* DivForm = nullptr;
  TAnalyserForm* AnalyserForm = nullptr;
  TCalcForm* CalcForm = nullptr;
  TModForm* ModForm = nullptr;
  TCertifForm* CertifForm = nullptr;
  TConvertForm* ConvertForm = nullptr;
};
