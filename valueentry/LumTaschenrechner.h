#pragma once

#include "framework/controls/Forms.h"

class TTaschenrechner;

// A pocket calculator for the application: opens the calculator window modally (Execute)
// or as a window of its own (Show), placed and framed as its properties say.
class TLumCalculator : public TComponent {
  LUM_CLASS(TLumCalculator, TComponent)
public:
  explicit TLumCalculator(TComponent* AOwner) : TComponent(AOwner) {}

  // Shows the window modally and frees it; true when it closed with the modal result OK.
  bool Execute();
  // Shows the window without waiting; it frees itself when it closes.
  void Show();
  // The value the display held when the last window opened by Execute closed.
  double Value() const { return FValue; }

  LUM_PUBLISHED(TFormBorderStyle, BorderStyle, FBorderStyle, Field, Default(bsSingle))
  LUM_PUBLISHED(String, Caption, FCaption, Field, NoDefault)
  LUM_PUBLISHED(TFormStyle, FormStyle, FFormStyle, Field, Default(fsStayOnTop))
  LUM_PUBLISHED(Integer, HelpContext, FHelpContext, Field, Default(0))
  LUM_PUBLISHED(Integer, CalculatorLeft, FCalculatorLeft, Field, Default(10))
  LUM_PUBLISHED(Integer, CalculatorTop, FCalculatorTop, Field, Default(10))

private:
  TTaschenrechner* NewWindow() const;

  TFormBorderStyle FBorderStyle = bsSingle;
  String FCaption = "Calculator";
  TFormStyle FFormStyle = fsStayOnTop;
  Integer FHelpContext = 0;
  Integer FCalculatorLeft = 10;
  Integer FCalculatorTop = 10;
  double FValue = 0;
};
