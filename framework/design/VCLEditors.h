#pragma once

#include "framework/design/DesignEditors.h"

// Colours: colour names as the value list (clRed …), "$00BBGGRR" for others, and the colour
// dialog.
class TColorProperty : public TIntegerProperty {
  LUM_CLASS(TColorProperty, TIntegerProperty)
public:
  using TIntegerProperty::TIntegerProperty;
  TPropertyAttributes GetAttributes() override;
  String GetValue() override;
  void GetValues(const TGetStrProc& Proc) override;
  void SetValue(const String& Value) override;
  void Edit() override;
};

// Fonts: sub-properties, and the font dialog.
class TFontProperty : public TClassProperty {
  LUM_CLASS(TFontProperty, TClassProperty)
public:
  using TClassProperty::TClassProperty;
  TPropertyAttributes GetAttributes() override;
  void Edit() override;
};

// A font's Name: the screen's font families as the value list.
class TFontNameProperty : public TStringProperty {
  LUM_CLASS(TFontNameProperty, TStringProperty)
public:
  using TStringProperty::TStringProperty;
  TPropertyAttributes GetAttributes() override;
  void GetValues(const TGetStrProc& Proc) override;
};

// String lists: "(TStrings)", edited line by line in a memo dialog.
class TStringsProperty : public TClassProperty {
  LUM_CLASS(TStringsProperty, TClassProperty)
public:
  using TClassProperty::TClassProperty;
  TPropertyAttributes GetAttributes() override;
  void Edit() override;
};
