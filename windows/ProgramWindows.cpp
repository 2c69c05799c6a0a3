#include "windows/ProgramWindows.h"

#include <type_traits>

#include "windows/AnalyserUnit.h"
#include "windows/CalcUnit.h"
#include "windows/CertifUnit.h"
#include "windows/ConvertUnit.h"
#include "windows/DivUnit.h"
#include "windows/MainUnit.h"
#include "windows/ModUnit.h"
#include "windows/OptionsUnit.h"
#include "windows/SearchUnit.h"

namespace {

template <class Form>
Form* Create(std::unique_ptr<Form>& owner, Form*& slot, Platform& platform, SettingsStore& settings,
             TWindows& windows) {
  // Only the windows that keep options take the store.
  if constexpr (std::is_constructible_v<Form, Platform&, SettingsStore&, TWindows&>)
    owner = std::make_unique<Form>(platform, settings, windows);
  else
    owner = std::make_unique<Form>(platform, windows);
  slot = owner.get();
  return slot;
}

}  // namespace

TProgramWindows::TProgramWindows(Platform& p, SettingsStore& s) {
  TWindows& w = windows_;
  Create(main_, w.MainForm, p, s, w);
  Create(search_, w.SearchForm, p, s, w);
  Create(options_, w.OptionsForm, p, s, w);
  Create(div_, w.DivForm, p, s, w);
  Create(analyser_, w.AnalyserForm, p, s, w);
  Create(calc_, w.CalcForm, p, s, w);
  Create(mod_, w.ModForm, p, s, w);
  Create(certif_, w.CertifForm, p, s, w);
  Create(convert_, w.ConvertForm, p, s, w);
}

TProgramWindows::~TProgramWindows() {
  // Reverse order; each slot is emptied first so no window reaches a
  // destroyed one while it goes.
  windows_ = TWindows{};
  convert_.reset();
  certif_.reset();
  mod_.reset();
  calc_.reset();
  analyser_.reset();
  div_.reset();
  options_.reset();
  search_.reset();
  main_.reset();
}
