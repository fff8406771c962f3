#include "valueentry/LumTaschenrechner.h"

#include "framework/classes/Registry.h"
#include "framework/controls/Application.h"
#include "valueentry/LumTaschenrechner1.h"

namespace {

const bool CalculatorRegistered = (RegisterClass<TLumCalculator>(), true);

} // namespace

TTaschenrechner* TLumCalculator::NewWindow() const {
  auto* window = CreateForm<TTaschenrechner>(Application());
  window->SetBorderStyle(FBorderStyle);
  window->SetCaption(FCaption);
  window->SetFormStyle(FFormStyle);
  window->SetHelpContext(FHelpContext);
  window->SetLeft(FCalculatorLeft);
  window->SetTop(FCalculatorTop);
  return window;
}

bool TLumCalculator::Execute() {
  TTaschenrechner* window = NewWindow();
  bool ok = false;
  try {
    ok = window->ShowModal() == mrOk;
    FValue = window->Value();
  } catch (...) {
    window->Free();
    throw;
  }
  window->Free();
  return ok;
}

void TLumCalculator::Show() {
  TTaschenrechner* window = NewWindow();
  window->SetOnClose([](TObject*, TCloseAction& Action) { Action = caFree; });
  window->Show();
}
