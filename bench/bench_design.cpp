#include "framework/controls/Application.h"
#include "framework/design/FormDesigner.h"
#include "framework/design/ObjectInspector.h"
#include "framework/design/PropertyGrid.h"
#include "framework/graphics/Color.h"
#include "framework/platform/headless/ScriptedUser.h"
#include "framework/rtl/Strings.h"

#include <benchmark/benchmark.h>

// The designer opening a form file of 500 components, and the inspector showing a component
// of 60 properties.

namespace {

// 500 components in 25 columns: labels, edits, buttons and check boxes in turn.
String FormOf500() {
  const char* classes[] = {"TLabel", "TEdit", "TButton", "TCheckBox"};
  const char* prefixes[] = {"Label", "Edit", "Button", "CheckBox"};
  String text = "object Form1: TForm\n  Left = 8\n  Top = 8\n  Width = 1020\n  Height = 640\n"
                "  Caption = 'Form1'\n  Visible = True\n";
  for (int i = 0; i < 500; ++i) {
    const String name = String(prefixes[i % 4]) + IntToStr(i + 1);
    text += "  object " + name + ": " + classes[i % 4] + "\n";
    text += "    Left = " + IntToStr(i % 25 * 40 + 2) + "\n    Top = " + IntToStr(i / 25 * 30 + 2) +
            "\n    Width = 36\n    Height = 26\n";
    if (i % 4 != 1) text += "    Caption = '" + name + "'\n";
    text += "  end\n";
  }
  return text + "end\n";
}

// A component of 60 published properties: integers, texts, flags and colours.
class TSixtyProperties : public TComponent {
  LUM_CLASS(TSixtyProperties, TComponent)
public:
  using TComponent::TComponent;
  LUM_PUBLISHED(Integer, Count1, FInts[0], Field, Default(0))
  LUM_PUBLISHED(String, Text1, FTexts[0], Field, NoDefault)
  LUM_PUBLISHED(bool, Flag1, FFlags[0], Field, Default(false))
  LUM_PUBLISHED(TColor, Color1, FColors[0], Field, Default(clBlack), Idents(ColorIdents()))
  LUM_PUBLISHED(Integer, Count2, FInts[1], Field, Default(0))
  LUM_PUBLISHED(String, Text2, FTexts[1], Field, NoDefault)
  LUM_PUBLISHED(bool, Flag2, FFlags[1], Field, Default(false))
  LUM_PUBLISHED(TColor, Color2, FColors[1], Field, Default(clBlack), Idents(ColorIdents()))
  LUM_PUBLISHED(Integer, Count3, FInts[2], Field, Default(0))
  LUM_PUBLISHED(String, Text3, FTexts[2], Field, NoDefault)
  LUM_PUBLISHED(bool, Flag3, FFlags[2], Field, Default(false))
  LUM_PUBLISHED(TColor, Color3, FColors[2], Field, Default(clBlack), Idents(ColorIdents()))
  LUM_PUBLISHED(Integer, Count4, FInts[3], Field, Default(0))
  LUM_PUBLISHED(String, Text4, FTexts[3], Field, NoDefault)
  LUM_PUBLISHED(bool, Flag4, FFlags[3], Field, Default(false))
  LUM_PUBLISHED(TColor, Color4, FColors[3], Field, Default(clBlack), Idents(ColorIdents()))
  LUM_PUBLISHED(Integer, Count5, FInts[4], Field, Default(0))
  LUM_PUBLISHED(String, Text5, FTexts[4], Field, NoDefault)
  LUM_PUBLISHED(bool, Flag5, FFlags[4], Field, Default(false))
  LUM_PUBLISHED(TColor, Color5, FColors[4], Field, Default(clBlack), Idents(ColorIdents()))
  LUM_PUBLISHED(Integer, Count6, FInts[5], Field, Default(0))
  LUM_PUBLISHED(String, Text6, FTexts[5], Field, NoDefault)
  LUM_PUBLISHED(bool, Flag6, FFlags[5], Field, Default(false))
  LUM_PUBLISHED(TColor, Color6, FColors[5], Field, Default(clBlack), Idents(ColorIdents()))
  LUM_PUBLISHED(Integer, Count7, FInts[6], Field, Default(0))
  LUM_PUBLISHED(String, Text7, FTexts[6], Field, NoDefault)
  LUM_PUBLISHED(bool, Flag7, FFlags[6], Field, Default(false))
  LUM_PUBLISHED(TColor, Color7, FColors[6], Field, Default(clBlack), Idents(ColorIdents()))
  LUM_PUBLISHED(Integer, Count8, FInts[7], Field, Default(0))
  LUM_PUBLISHED(String, Text8, FTexts[7], Field, NoDefault)
  LUM_PUBLISHED(bool, Flag8, FFlags[7], Field, Default(false))
  LUM_PUBLISHED(TColor, Color8, FColors[7], Field, Default(clBlack), Idents(ColorIdents()))
  LUM_PUBLISHED(Integer, Count9, FInts[8], Field, Default(0))
  LUM_PUBLISHED(String, Text9, FTexts[8], Field, NoDefault)
  LUM_PUBLISHED(bool, Flag9, FFlags[8], Field, Default(false))
  LUM_PUBLISHED(TColor, Color9, FColors[8], Field, Default(clBlack), Idents(ColorIdents()))
  LUM_PUBLISHED(Integer, Count10, FInts[9], Field, Default(0))
  LUM_PUBLISHED(String, Text10, FTexts[9], Field, NoDefault)
  LUM_PUBLISHED(bool, Flag10, FFlags[9], Field, Default(false))
  LUM_PUBLISHED(TColor, Color10, FColors[9], Field, Default(clBlack), Idents(ColorIdents()))
  LUM_PUBLISHED(Integer, Count11, FInts[10], Field, Default(0))
  LUM_PUBLISHED(String, Text11, FTexts[10], Field, NoDefault)
  LUM_PUBLISHED(bool, Flag11, FFlags[10], Field, Default(false))
  LUM_PUBLISHED(TColor, Color11, FColors[10], Field, Default(clBlack), Idents(ColorIdents()))
  LUM_PUBLISHED(Integer, Count12, FInts[11], Field, Default(0))
  LUM_PUBLISHED(String, Text12, FTexts[11], Field, NoDefault)
  LUM_PUBLISHED(bool, Flag12, FFlags[11], Field, Default(false))
  LUM_PUBLISHED(TColor, Color12, FColors[11], Field, Default(clBlack), Idents(ColorIdents()))
  LUM_PUBLISHED(Integer, Count13, FInts[12], Field, Default(0))
  LUM_PUBLISHED(String, Text13, FTexts[12], Field, NoDefault)
  LUM_PUBLISHED(bool, Flag13, FFlags[12], Field, Default(false))
  LUM_PUBLISHED(TColor, Color13, FColors[12], Field, Default(clBlack), Idents(ColorIdents()))
  LUM_PUBLISHED(Integer, Count14, FInts[13], Field, Default(0))
  LUM_PUBLISHED(String, Text14, FTexts[13], Field, NoDefault)
  LUM_PUBLISHED(bool, Flag14, FFlags[13], Field, Default(false))
  LUM_PUBLISHED(TColor, Color14, FColors[13], Field, Default(clBlack), Idents(ColorIdents()))
  LUM_PUBLISHED(Integer, Count15, FInts[14], Field, Default(0))
  LUM_PUBLISHED(String, Text15, FTexts[14], Field, NoDefault)
  LUM_PUBLISHED(bool, Flag15, FFlags[14], Field, Default(false))
  LUM_PUBLISHED(TColor, Color15, FColors[14], Field, Default(clBlack), Idents(ColorIdents()))

private:
  Integer FInts[15] = {};
  String FTexts[15];
  bool FFlags[15] = {};
  TColor FColors[15] = {};
};

struct TBenchDesigner {
  TScriptedUser User{1280, 800};
  TFormDesigner* Designer = CreateForm<TFormDesigner>(Application());
  TBenchDesigner() {
    Designer->SetBounds(0, 0, 1280, 780);
    Designer->Show();
    User.ProcessMessages();
  }
  ~TBenchDesigner() { Designer->Free(); }
};

void BM_DesignerOpensAndPaintsFormOf500Components(benchmark::State& state) {
  TBenchDesigner bench;
  const String text = FormOf500();
  for (auto _ : state) {
    if (!bench.Designer->LoadText(text)) state.SkipWithError("the form did not read");
    // Everything the new form made invalid is painted, the form and each of its controls.
    RedrawWindow(bench.Designer->Handle(), nullptr, nullptr, RDW_ALLCHILDREN | RDW_UPDATENOW);
  }
  state.counters["components"] = bench.Designer->DesignedForm()->ComponentCount();
}
BENCHMARK(BM_DesignerOpensAndPaintsFormOf500Components)->Unit(benchmark::kMillisecond);

void BM_InspectorShowsComponentOf60Properties(benchmark::State& state) {
  TBenchDesigner bench;
  auto* sixty = new TSixtyProperties(bench.Designer->DesignedForm());
  sixty->SetName("Sixty1");
  TObjectInspector* inspector = bench.Designer->Inspector();
  for (auto _ : state) {
    inspector->SetSelection({sixty});
    UpdateWindow(inspector->PropertiesGrid()->Handle());
  }
  state.counters["properties"] = inspector->PropertiesGrid()->LineCount();
}
BENCHMARK(BM_InspectorShowsComponentOf60Properties)->Unit(benchmark::kMillisecond);

} // namespace
