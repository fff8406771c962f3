#include "package/Lumreg.h"

#include "displays/LumDigit.h"
#include "displays/LumDigitEditor.h"
#include "displays/LumProgressBar.h"
#include "displays/LumStat.h"
#include "displays/LumTacho.h"
#include "framework/design/Registry.h"
#include "framework/design/VCLEditors.h"
#include "games/LumSchiebefix.h"
#include "grids/LumDbGrid.h"
#include "grids/LumGrid.h"
#include "grids/LumJahresKalender.h"
#include "indicators/LumLED.h"
#include "indicators/LumPfeil.h"
#include "indicators/LumRahmen.h"
#include "lists/LumComboBoxItemsfenster.h"
#include "lists/LumItemsfenster.h"
#include "printing/LumPrinter.h"
#include "styled/LumCheckBox.h"
#include "styled/LumMainMenu.h"
#include "surfaces/LumEffektEditor.h"
#include "surfaces/LumImage.h"
#include "translation/LumLingua.h"
#include "translation/LumLinguaEditors.h"
#include "valueentry/LumMemoDialog1.h"
#include "valueentry/LumTaschenrechner.h"
#include "valueentry/Lumvaled.h"
#include "valueentry/Lumzln1.h"

namespace {

void RegisterPalette() {
  RegisterComponents("LumTools",
                     {
                         TLumValidateEdit::StaticClass(), TLumExtValEdit::StaticClass(),
                         TLumDBExtValEdit::StaticClass(), TLumList::StaticClass(),
                         TLumComboBox::StaticClass(),     TLumCheckBox::StaticClass(),
                         TLumMainMenu::StaticClass(),     TLumPrinter::StaticClass(),
                         TLumFrame::StaticClass(),        TLumImage::StaticClass(),
                         TLumStringGrid::StaticClass(),   TLumDBGrid::StaticClass(),
                         TLumScrollText::StaticClass(),   TLumDigit::StaticClass(),
                         TLumHistogram::StaticClass(),    TLumTacho::StaticClass(),
                         TLumProgressBar::StaticClass(),  TLumLED::StaticClass(),
                         TLumArrow::StaticClass(),        TLumEffect::StaticClass(),
                         TLumZeilenDialog::StaticClass(), TLumMemoDialog::StaticClass(),
                         TLumLingua::StaticClass(),       TLumYearCalendar::StaticClass(),
                         TLumCalculator::StaticClass(),   TLumSchiebefixspiel::StaticClass(),
                     });
}

void RegisterEditors() {
  RegisterComponentEditor<TLumEffect, TLumEffectEditor>();
  RegisterComponentEditor<TLumList, TLumListEditor>();
  RegisterComponentEditor<TLumComboBox, TLumComboBoxEditor>();
  RegisterComponentEditor<TLumDigit, TLumDigitEditor>();
}

void RegisterPrinterEditors() {
  RegisterPropertyEditor(lum::TypeInfoOf<TFont*>(), TLumPrinter::StaticClass(), "",
                         PropertyEditorClassOf<TFontProperty>());
  RegisterPropertyEditor(lum::TypeInfoOf<TPen*>(), TLumPrinter::StaticClass(), "",
                         PropertyEditorClassOf<TClassProperty>());
}

void RegisterLinguaEditors() {
  const TTypeInfo* text = lum::TypeInfoOf<String>();
  RegisterPropertyEditor(text, TLumLingua::StaticClass(), "Language",
                         PropertyEditorClassOf<TLanguageProperty>());
  RegisterPropertyEditor(text, TLumLingua::StaticClass(), "DatabaseName",
                         PropertyEditorClassOf<TDatabaseNameProperty>());
  RegisterPropertyEditor(text, TLumLingua::StaticClass(), "Check",
                         PropertyEditorClassOf<TCheckProperty>());
  RegisterComponentEditor<TLumLingua, TLumLinguaEditor>();
}

template <class C> void FileUnderLumTools(std::initializer_list<String> Names) {
  RegisterPropertiesInCategory(TLumToolsCategory::StaticClass(), C::StaticClass(), Names);
}

void RegisterCategories() {
  FileUnderLumTools<TLumCheckBox>({"CheckBoxPosition", "CheckBoxStyle", "CheckBoxSize",
                                   "CheckBoxTransparent", "FocusStyle", "HookStyle", "Transparent",
                                   "WordWrap", "Layout", "FocusColor", "HookColor"});
  FileUnderLumTools<TLumMainMenu>({"Background", "MenuHeight", "MenuStyle", "SelectImage",
                                   "SelectStyle", "SelectColor", "Font"});
  FileUnderLumTools<TLumList>({"AnyColors", "AnyFonts", "Background", "BackgroundStyle",
                               "BitmapStyle", "HorzScrollBar", "ItemHeightStyle", "SelectedStyle",
                               "TabStops", "UseTabStops"});
  FileUnderLumTools<TLumComboBox>({"AnyColors", "AnyFonts", "Background", "BackgroundStyle",
                                   "BitmapStyle", "ItemHeightStyle", "TabStops", "UseTabStops",
                                   "BoldStyle"});
  FileUnderLumTools<TLumDigit>(
      {"Decimals", "DigitBitmap", "DigitCount", "DigitScrolling", "DigitStyle", "Value"});
  FileUnderLumTools<TLumValidateEdit>({"DecimalPlaces", "MaxValue", "MinValue", "ValEditTyp",
                                       "Validate", "ValidateMessage", "OnChange", "OnEnter",
                                       "OnExit", "OnValidateError", "OnValidExit"});
  FileUnderLumTools<TLumExtValEdit>({"Header", "PictureHeader", "PictureRange", "Pictures",
                                     "UnitBevelInner", "UnitBevelOuter", "UnitValue", "UnitWidth",
                                     "HeaderFont", "UnitFont", "UnitPanelColor", "Filter"});
  FileUnderLumTools<TLumImage>({"FileName", "Frame", "FrameWidth", "ImageType", "FrameColor"});
  FileUnderLumTools<TLumProgressBar>({"Decimals", "Max", "Min", "NumSegment", "Orientation",
                                      "Position", "ShowText", "Smooth", "Step", "TextUnit",
                                      "OnChange", "BackColor", "BarColor", "BevelWidth",
                                      "BorderColor", "BorderInner", "BorderOuter", "BorderWidth"});
  FileUnderLumTools<TLumLingua>(
      {"Cookie", "Databasename", "Language", "NewWordPrompt", "Check", "OnTranslate"});
  FileUnderLumTools<TLumPrinter>({"AutoPaging", "DokumentStatus", "FontHeight_Promille",
                                  "Orientation", "Printermode", "TabWriteRect", "TextBase", "Title",
                                  "YPosition", "Tab", "FooterFont", "HeaderFont", "PageNumberFont",
                                  "Pen", "Font", "Brush", "Alignment", "Image"});
  FileUnderLumTools<TLumHistogram>({"NumberOfHorizontalIntervals",
                                    "NumberOfVerticalIntervals",
                                    "NameXAxis",
                                    "NameYAxis",
                                    "HistogramType",
                                    "HorizontalGrid",
                                    "VerticalGrid",
                                    "MaxXValue",
                                    "MaxYValue",
                                    "MinXValue",
                                    "MinYValue",
                                    "ScaleType",
                                    "DigitCount",
                                    "Transparent",
                                    "XAxisPosition",
                                    "YAxisPosition",
                                    "ShowHorizontalLabels",
                                    "ShowVerticalLabels",
                                    "BarColor",
                                    "ErrorColor",
                                    "GridColor"});
  FileUnderLumTools<TLumTacho>({"NumberOfIntervals", "LabelPosition", "MaxValue", "MinValue",
                                "PinRadius", "Position", "Scale", "ScaleDecimals", "Transparent",
                                "PointerWidth", "PointerType", "PinColor", "ScaleColor",
                                "PointerColor"});
  FileUnderLumTools<TLumEffect>({"EffectHeight", "EffectStyle", "EffectWidth", "Shadow",
                                 "ShadowWidth", "ValidComponents", "BorderColor", "BorderStyle",
                                 "BorderWidth", "EffectColor1", "EffectColor2", "ShadowColor"});
  FileUnderLumTools<TLumYearCalendar>({"Day", "Month", "Year", "StartOfWeek", "UseCurrentDate",
                                       "GridLineWidth", "OnChange", "OnEnter", "OnExit"});
  FileUnderLumTools<TLumArrow>(
      {"ArrowWidth", "ArrowType", "StartX", "StartY", "TargetX", "TargetY", "Transparent"});
}

} // namespace

void Register() {
  RegisterPalette();
  RegisterEditors();
  RegisterPrinterEditors();
  RegisterLinguaEditors();
  RegisterCategories();
}
